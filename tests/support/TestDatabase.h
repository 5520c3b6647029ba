#pragma once

#include "Database.h"
#include "ScriptedPrompt.h"

#include <QTemporaryDir>

// A fresh data folder with a new database in it, and the scripted prompt it reports through.
// Every test case makes its own.
class TestDatabase final
{
public:
    TestDatabase();

    QString folder() const { return m_dir.path(); }
    QString filePath() const;

    // Runs statements that must succeed (test set-up); fails the test otherwise.
    void exec(const QString& statement);
    // The first field of the first row of a statement, "" when it has none.
    QString scalar(const QString& statement);

    QTemporaryDir m_dir;
    ScriptedPrompt prompt;
    Database db;
};
