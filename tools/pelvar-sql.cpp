// pelvar-sql [--data-dir DIR] [--create] STATEMENT...
// Runs each statement in order through the program's own data layer on one connection, printing
// results tab-separated under a header of column names. Support staff use it to look into a
// restaurant's file; it bypasses every right of the program. It opens an existing file only: run
// in the wrong folder, or given a mistyped folder, it must not leave a fresh database (with an
// administrator without a password) where the program would then find it. --create makes one.
#include "Database.h"
#include "DataFolder.h"
#include "DbError.h"
#include "Prompt.h"

#include <cstdio>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QTextStream>

namespace {

// The tool has no one to ask: messages go to standard error, questions are answered no.
class StderrPrompt final : public Prompt
{
public:
    Answer show(const QString& text, const QString&, Icon, Buttons buttons) override
    {
        QTextStream(stderr) << text << Qt::endl;
        return buttons == Buttons::Ok ? Answer::Ok : Answer::No;
    }
};

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QStringList statements = DataFolder::otherArguments(app.arguments()).mid(1);
    const bool create = statements.removeAll(QStringLiteral("--create")) > 0;
    if (statements.isEmpty()) {
        QTextStream(stderr) << "usage: pelvar-sql [--data-dir DIR] [--create] STATEMENT..." << Qt::endl;
        return 2;
    }
    const QString path = QDir(DataFolder::resolve(app.arguments())).filePath(Database::kFileName);
    if (!create && !QFileInfo::exists(path)) {
        QTextStream(stderr) << "pelvar-sql: " << QDir::toNativeSeparators(path)
                            << " does not exist (--create makes a new one)" << Qt::endl;
        return 3;
    }

    StderrPrompt prompt;
    Database db(prompt);
    QTextStream out(stdout);
    try {
        db.open(path);
        for (const QString& statement : statements) {
            Recordset rs = db.query(statement);
            if (rs.columns().isEmpty())
                continue;
            out << rs.columns().join(QLatin1Char('\t')) << '\n';
            for (; !rs.isEOF(); rs.moveNext()) {
                QStringList fields;
                for (const QString& column : rs.columns())
                    fields << rs.getString(column);
                out << fields.join(QLatin1Char('\t')) << '\n';
            }
            out.flush();
        }
    } catch (const DbError& e) {
        out.flush();
        QTextStream(stderr) << e.description() << Qt::endl;
        return 1;
    }
    return 0;
}
