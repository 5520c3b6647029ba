#pragma once

#include <QString>

class QWidget;

// The program's file choosers. Each one lists the folder without reading any file in it: a file's
// icon and type come from its name alone. Reading a file to find its kind would open the live
// database's files (Pelvar.db, -wal, -shm) when the chooser shows the data folder, and closing
// that descriptor drops every lock SQLite holds on the database in this process; another program
// could then checkpoint and delete the log under the open connection. The choosers are Qt's own
// (never the desktop's, which read files to find their kind) and read-only: no file can be
// deleted, renamed or made through them.
namespace FileDialogs {

// An existing file; "" when cancelled.
QString openFile(QWidget* parent, const QString& caption, const QString& folder);
// A file to write (the caller asks before replacing one); "" when cancelled.
QString saveFile(QWidget* parent, const QString& caption, const QString& path, const QString& filter);
// An existing folder; "" when cancelled.
QString folder(QWidget* parent, const QString& caption, const QString& folder);

} // namespace FileDialogs
