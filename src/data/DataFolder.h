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
    // The arguments without "--data-dir DIR" / "--data-dir=DIR".
    static QStringList otherArguments(const QStringList& arguments);
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
