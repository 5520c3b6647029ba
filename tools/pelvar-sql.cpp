// pelvar-sql [--data-dir DIR] STATEMENT...
// Runs each statement in order through the program's own data layer on one connection, printing
// results tab-separated under a header of column names. Support staff use it to look into a
// restaurant's file.
#include "DataFolder.h"
#include "Database.h"
#include "DbError.h"
#include "Prompt.h"

#include <QCoreApplication>
#include <QDir>
#include <QTextStream>

#include <cstdio>

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
    const QStringList statements = DataFolder::otherArguments(app.arguments()).mid(1);
    if (statements.isEmpty()) {
        QTextStream(stderr) << "usage: pelvar-sql [--data-dir DIR] STATEMENT..." << Qt::endl;
        return 2;
    }

    StderrPrompt prompt;
    Database db(prompt);
    QTextStream out(stdout);
    try {
        db.open(QDir(DataFolder::resolve(app.arguments())).filePath(Database::kFileName));
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
