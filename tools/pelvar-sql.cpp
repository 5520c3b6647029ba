// pelvar-sql [--data-dir DIR] [--database LOCATION] [--create] STATEMENT...
// pelvar-sql [--data-dir DIR] --copy-to postgresql://user@host:port/dbname
// Runs each statement in order through the program's own data layer on one connection, printing
// results tab-separated under a header of column names. Support staff use it to look into a
// restaurant's file or server database (the folder's, as the program opens it); it bypasses every
// right of the program. It opens an existing file only: run in the wrong folder, or given a
// mistyped folder, it must not leave a fresh database (with an administrator without a password)
// where the program would then find it; --create makes one. --copy-to moves the folder's
// Pelvar.db into a new, empty server database and says what it copied.
#include "DataFolder.h"
#include "Database.h"
#include "DatabaseCopy.h"
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
    const qsizetype copy = statements.indexOf(QStringLiteral("--copy-to"));
    if (copy >= 0 && copy + 1 < statements.size() && statements.size() == 2) {
        StderrPrompt prompt;
        Database db(prompt);
        const QString target = statements.at(copy + 1);
        try {
            const QString folder = DataFolder::resolve(app.arguments());
            const QString file = QDir(folder).filePath(Database::kFileName);
            if (!QFileInfo::exists(file))
                throw DbError(QStringLiteral("没有可复制的数据库文件：%1").arg(file));
            DataFolder::refusePassword(target);
            db.open(file);
            QTextStream(stdout) << DatabaseCopy(db, prompt).copyTo(target).report() << Qt::endl;
        } catch (const DbError& e) {
            QTextStream(stderr) << e.description() << Qt::endl;
            return 1;
        }
        return 0;
    }
    const bool create = statements.removeAll(QStringLiteral("--create")) > 0;
    if (statements.isEmpty()) {
        QTextStream(stderr) << "usage: pelvar-sql [--data-dir DIR] [--database LOCATION] [--create] STATEMENT...\n"
                               "       pelvar-sql [--data-dir DIR] --copy-to postgresql://user@host:port/dbname" << Qt::endl;
        return 2;
    }

    StderrPrompt prompt;
    Database db(prompt);
    QTextStream out(stdout);
    try {
        const QString folder = DataFolder::resolve(app.arguments());
        DataFolder::keepDatabaseSetting(app.arguments(), folder);
        const QString location = DataFolder::databaseLocation(folder);
        if (!create && location == QDir(folder).filePath(Database::kFileName) && !QFileInfo::exists(location)) {
            QTextStream(stderr) << "pelvar-sql: " << QDir::toNativeSeparators(location)
                                << " does not exist (--create makes a new one)" << Qt::endl;
            return 3;
        }
        db.open(location);
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
