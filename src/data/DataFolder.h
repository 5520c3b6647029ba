#pragma once

#include <QString>
#include <QStringList>

// Where the database and the text files of the restaurant live: "--data-dir DIR" when given,
// else the program's own folder, else (when that folder is not writable, or the program is
// installed under /usr) the user's data location. The folder is created when missing, open to
// its owner only (0700).
class DataFolder final
{
public:
    static QString resolve(const QStringList& arguments);
    // The arguments without "--data-dir DIR", "--database LOCATION" (or their "=" forms).
    static QStringList otherArguments(const QStringList& arguments);

    // The folder's settings file (Pelvar.ini) keeps the database a folder's programs open, so that
    // a terminal's menu entry needs no more than its folder. "--database postgresql://user@host:
    // port/dbname" keeps a server there; "--database Pelvar.db" goes back to the folder's file.
    // A location naming a password is refused (DbError): the password belongs in ~/.pgpass or
    // PGPASSWORD, never on a command line or in the folder.
    static void keepDatabaseSetting(const QStringList& arguments, const QString& folder);
    // The server kept in the folder's settings file, else the folder's Pelvar.db. Throws DbError
    // for a kept location that names a password.
    static QString databaseLocation(const QString& folder);
    // Throws DbError when a server location names a password.
    static void refusePassword(const QString& location);
    static inline const QString kSettingsFile = QStringLiteral("Pelvar.ini");
    // A file that comes with the program (help.htm, translations/): beside the program in a build
    // folder, in share/pelvar when installed. Empty when neither has it.
    static QString programFile(const QString& name);

    // The restaurant's data (the database, its log, backups and their safety copies) is for the
    // owner's eyes only, 0600 whatever the umask. makePrivate limits an existing file (by its
    // name: nothing here opens it, so it may be the live database); createPrivateFile makes a new,
    // empty one and gives the reason of a failure, empty on success.
    static void makePrivate(const QString& path);
    static QString createPrivateFile(const QString& path);
};
