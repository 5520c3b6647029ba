#pragma once

#include <QString>
#include <QStringList>

// Where the database and the text files of the restaurant live: "--data-dir DIR" when given,
// else the program's own folder, else (when that folder is not writable) the user's data
// location. The folder is created when missing.
class DataFolder final
{
public:
    static QString resolve(const QStringList& arguments);
    // The arguments without "--data-dir DIR" / "--data-dir=DIR".
    static QStringList otherArguments(const QStringList& arguments);
};
