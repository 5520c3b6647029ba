#pragma once

#include <QString>
#include <QStringList>

// Where the database and the text files of the restaurant live: "--data-dir DIR" when given,
// else the program's own folder, else (when that folder is not writable, or the program is
// installed under /usr) the user's data location. The folder is created when missing.
class DataFolder final
{
public:
    static QString resolve(const QStringList& arguments);
    // The arguments without "--data-dir DIR" / "--data-dir=DIR".
    static QStringList otherArguments(const QStringList& arguments);
    // A file that comes with the program (help.htm, translations/): beside the program in a build
    // folder, in share/pelvar when installed. Empty when neither has it.
    static QString programFile(const QString& name);
};
