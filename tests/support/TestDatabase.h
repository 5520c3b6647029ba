#pragma once

#include "Database.h"
#include "ScriptedPrompt.h"

#include <QTemporaryDir>

// A fresh data folder with a new database in it, and the scripted prompt it reports through.
// Every test case makes its own. Under the label postgresql (PELVAR_TEST_DATABASE set) the
// database is the test program's database on the server, emptied first.
class TestDatabase final
{
public:
    TestDatabase();
    // A database of this backend whatever the label: Backend::SQLite for a file beside a server's.
    explicit TestDatabase(Backend backend);

    QString folder() const { return m_dir.path(); }
    QString filePath() const;
    // Where the database is: the file's path, or the server's location.
    QString location() const;
    static bool onServer();
    // Empties the test program's database on the server (its tables and all).
    static void emptyServerDatabase();

    // Runs statements that must succeed (test set-up); fails the test otherwise.
    void exec(const QString& statement);
    // The first field of the first row of a statement, "" when it has none.
    QString scalar(const QString& statement);

    bool m_onServer = false;
    QTemporaryDir m_dir;
    ScriptedPrompt prompt;
    Database db;
};
