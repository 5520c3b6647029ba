// pelvar-busy-year --data-dir DIR [--days 365] [--bills 1100] [--lines 10] [--tables 1000]
//                  [--from 2026-01-01] [--seed 1] [--check]
// Writes the history of a busy restaurant into a new DIR/Pelvar.db, for the benchmarks. The file is
// made by the program's own schema code; then every day of the period gets its visits (groups of
// one to three tables, with waiters and reservations), their consumption lines (returns, gifts,
// member and manager discounts, table fees, fractional weights), their bills (cash, 其他, on account,
// free, with small change dropped), income and expense entries and the run log, spread over the
// opening hours and kept to the rules the program keeps: bill numbers of the day in checkout order,
// registration numbers from the arrival time, running totals, jzbj marks, return quantities, member
// totals. --check then compares what was written against those rules.
#include "busy-year-check.h"
#include "busy-year-generator.h"
#include "Database.h"
#include "DbError.h"
#include "Prompt.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTextStream>

namespace {

class SilentPrompt final : public Prompt
{
public:
    Answer show(const QString&, const QString&, Icon, Buttons) override { return Answer::Ok; }
};

BusyYear::Options parse(const QStringList& arguments, bool& ok)
{
    BusyYear::Options o;
    ok = true;
    for (int i = 1; i < arguments.size() && ok; ++i) {
        const QString& a = arguments.at(i);
        const QString value = arguments.value(i + 1);
        auto number = [&](int& field) {
            field = value.toInt(&ok);
            ok = ok && field > 0;
            ++i;
        };
        if (a == QLatin1String("--data-dir"))
            o.folder = value, ++i;
        else if (a == QLatin1String("--days"))
            number(o.days);
        else if (a == QLatin1String("--bills"))
            number(o.bills);
        else if (a == QLatin1String("--lines"))
            number(o.lines);
        else if (a == QLatin1String("--tables"))
            number(o.tables);
        else if (a == QLatin1String("--from"))
            o.from = QDate::fromString(value, Qt::ISODate), ok = o.from.isValid(), ++i;
        else if (a == QLatin1String("--seed"))
            o.seed = value.toUInt(&ok), ++i;
        else if (a == QLatin1String("--check"))
            o.check = true;
        else
            ok = false;
    }
    ok = ok && !o.folder.isEmpty() && o.lines >= 3 && o.bills < 10000;
    return o;
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    bool ok = false;
    const BusyYear::Options options = parse(app.arguments(), ok);
    QTextStream err(stderr);
    if (!ok) {
        err << "usage: pelvar-busy-year --data-dir DIR [--days 365] [--bills 1100] [--lines 10] "
               "[--tables 1000] [--from 2026-01-01] [--seed 1] [--check]"
            << Qt::endl;
        return 2;
    }
    QDir().mkpath(options.folder);
    const QString path = QDir(options.folder).filePath(Database::kFileName);
    if (QFile::exists(path)) {
        err << path << " exists already; give a new folder" << Qt::endl;
        return 1;
    }
    QElapsedTimer timer;
    timer.start();
    SilentPrompt prompt;
    sqlite3* raw = nullptr;
    try {
        Database db(prompt);
        db.open(path);
        // The bulk of the rows goes through one connection of its own, with prepared statements.
        sqlite3_open(path.toUtf8().constData(), &raw);
        BusyYear::exec(raw, QStringLiteral("pragma recursive_triggers=on"));
        BusyYear::exec(raw, QStringLiteral("pragma synchronous=off"));
        BusyYear::exec(raw, QStringLiteral("pragma cache_size=-1000000"));
        {
            BusyYear::Generator generator(options, raw);
            // The master rows through the program's own layer (the raw connection waits).
            generator.masterData(db);
            db.close();
            // The program's write-ahead log again once written (a file that is not yet anybody's
            // needs no journal).
            BusyYear::exec(raw, QStringLiteral("pragma journal_mode=off"));
            for (int d = 0; d < options.days; ++d) {
                generator.day(options.from.addDays(d));
                if (d % 30 == 29)
                    err << "day " << d + 1 << ": " << timer.elapsed() / 1000 << " s" << Qt::endl;
            }
            generator.finish();
        }
        BusyYear::exec(raw, QStringLiteral("pragma journal_mode=wal"));
        err << "written in " << timer.elapsed() / 1000 << " s" << Qt::endl;
        const int faults = options.check ? BusyYear::checkRules(raw, err) : 0;
        sqlite3_close(raw);
        err << "done in " << timer.elapsed() / 1000 << " s" << Qt::endl;
        return faults ? 1 : 0;
    } catch (const DbError& e) {
        err << e.description() << Qt::endl;
        sqlite3_close(raw);
        return 1;
    }
}
