// bench_year --data-dir DIR: times every report, the board, the ordering screen and a checkout on
// a busy year written by pelvar-busy-year (built, not run by CTest; QT_QPA_PLATFORM=offscreen when
// there is no display). The file's last day is "today".
//
// Each case runs through the program's operations, and again as raw SQLite statements on a
// connection of its own: for a report, the statements of its reference path (every line read one
// by one, as the report was first written); for the floor, the very statements the operation ran.
// Statements are caught with SQLite's trace as the operation runs them, so the raw side runs
// exactly that text. Times are the median of three runs after one warm-up. The floor cases run on
// two copies of the file, one per side, so that the checkout settles the same bill on both and
// the year's file stays as it was.
#include "CAddConsumptionDlg.h"
#include "CashierReport.h"
#include "Checkout.h"
#include "Clock.h"
#include "ConsumptionList.h"
#include "ConsumptionQuery.h"
#include "CPelvarApp.h"
#include "Database.h"
#include "DefaultPrinter.h"
#include "DishCatalogue.h"
#include "Finance.h"
#include "ItemQuery.h"
#include "Prompt.h"
#include "RawPrinter.h"
#include "ReceiptPrinter.h"
#include "RegistrationQuery.h"
#include "ReturnsQuery.h"
#include "SalesStatistics.h"
#include "Spooler.h"
#include "Sql.h"
#include "TableBoard.h"
#include "WaiterSales.h"

#include <algorithm>
#include <functional>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QSqlDriver>
#include <QTextStream>
#include <sqlite3.h>

namespace {

class YesPrompt final : public Prompt
{
public:
    Answer show(const QString&, const QString&, Icon, Buttons buttons) override
    {
        return buttons == Buttons::YesNo ? Answer::Yes : Answer::Ok;
    }
};

// The ordering screen sends no kitchen ticket here.
class NoSpooler final : public Spooler
{
public:
    QStringList printerNames() override { return {}; }
    std::unique_ptr<PrinterHandle> open(const QString&) override { return nullptr; }
};

QTextStream out(stdout);

sqlite3* handleOf(Database& db)
{
    return *static_cast<sqlite3* const*>(db.connection().driver()->handle().constData());
}

// The statements a piece of work runs on the program's connection, trigger steps left out.
QStringList traced(Database& db, const std::function<void()>& work)
{
    QStringList statements;
    auto record = [](unsigned, void* list, void*, void* text) {
        const char* sql = static_cast<const char*>(text);
        if (qstrncmp(sql, "--", 2) != 0)
            static_cast<QStringList*>(list)->append(QString::fromUtf8(sql));
        return 0;
    };
    sqlite3_trace_v2(handleOf(db), SQLITE_TRACE_STMT, record, &statements);
    work();
    sqlite3_trace_v2(handleOf(db), 0, nullptr, nullptr);
    return statements;
}

// Runs statements as a screen would without the program: every row stepped, every field read as text.
void runRaw(sqlite3* raw, const QStringList& statements)
{
    for (const QString& s : statements) {
        const QByteArray utf8 = s.toUtf8();
        sqlite3_stmt* stmt = nullptr;
        if (sqlite3_prepare_v2(raw, utf8.constData(), int(utf8.size()), &stmt, nullptr) != SQLITE_OK)
            qFatal("%s: %s", utf8.constData(), sqlite3_errmsg(raw));
        const int columns = sqlite3_column_count(stmt);
        while (sqlite3_step(stmt) == SQLITE_ROW)
            for (int c = 0; c < columns; ++c)
                QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(stmt, c)),
                                  sqlite3_column_bytes(stmt, c));
        sqlite3_finalize(stmt);
    }
}

// Wall-clock and this thread's processor time of one piece of work, in milliseconds. Other
// programs on the machine lengthen the first, not the second.
struct Time
{
    double wall = 0;
    double cpu = 0;
};

double threadCpuMs()
{
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return double(t.tv_sec) * 1e3 + double(t.tv_nsec) / 1e6;
}

Time timed(const std::function<void()>& work)
{
    QElapsedTimer timer;
    const double cpu = threadCpuMs();
    timer.start();
    work();
    return {double(timer.nsecsElapsed()) / 1e6, threadCpuMs() - cpu};
}

Time median(QList<Time> times)
{
    std::sort(times.begin(), times.end(), [](const Time& a, const Time& b) { return a.wall < b.wall; });
    const double wall = times.at(times.size() / 2).wall;
    std::sort(times.begin(), times.end(), [](const Time& a, const Time& b) { return a.cpu < b.cpu; });
    return {wall, times.at(times.size() / 2).cpu};
}

constexpr int kRuns = 5;

// One row of the table. The target is judged on processor time; wall-clock is shown beside it.
void row(const QString& name, const Time& program, const Time& raw, const QString& target, bool met)
{
    out << QStringLiteral("| %1 | %2 | %3 | %4 | %5 | %6 | %7 | %8 |\n")
               .arg(name)
               .arg(program.cpu, 0, 'f', 1)
               .arg(raw.cpu, 0, 'f', 1)
               .arg(program.cpu / qMax(raw.cpu, 0.001), 0, 'f', 2)
               .arg(program.wall, 0, 'f', 1)
               .arg(raw.wall, 0, 'f', 1)
               .arg(target, met ? QStringLiteral("ok") : QStringLiteral("**missed**"));
    out.flush();
}

// A report: the program's operation against the raw statements of its reference path, in turns
// after one warm-up of each.
void report(Database& db, sqlite3* raw, const QString& name, double limitMs,
            const std::function<void()>& program, const std::function<void()>& reference)
{
    const QStringList statements = traced(db, reference);
    program();
    runRaw(raw, statements);
    QList<Time> programTimes, rawTimes;
    for (int i = 0; i < kRuns; ++i) {
        programTimes << timed(program);
        rawTimes << timed([&] { runRaw(raw, statements); });
    }
    const Time p = median(programTimes);
    row(name, p, median(rawTimes), QStringLiteral("≤ %1 ms").arg(limitMs), p.cpu <= limitMs);
}

// A floor action: the program against the statements it ran, replayed on the twin file. `prepare`
// puts both files in the same state before each run (a checkout needs guests to settle).
void floorCase(Database& db, sqlite3* twin, const QString& name, const std::function<void()>& prepare,
               const std::function<void()>& program)
{
    QList<Time> programTimes, rawTimes;
    for (int i = 0; i <= kRuns; ++i) {
        prepare();
        QStringList statements;
        const Time p = timed([&] { statements = traced(db, program); });
        const Time r = timed([&] { runRaw(twin, statements); });
        if (i > 0) { // the first run warms the caches
            programTimes << p;
            rawTimes << r;
        }
    }
    const Time p = median(programTimes);
    const Time r = median(rawTimes);
    row(name, p, r, QStringLiteral("≤ 1.5 × raw"), p.cpu <= 1.5 * r.cpu);
}

qint64 peakKilobytes()
{
    QFile status(QStringLiteral("/proc/self/status"));
    status.open(QIODevice::ReadOnly);
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').first().toLongLong();
    return 0;
}

void exec(sqlite3* db, const QString& sql)
{
    if (sqlite3_exec(db, sql.toUtf8().constData(), nullptr, nullptr, nullptr) != SQLITE_OK)
        qFatal("%s: %s", qPrintable(sql), sqlite3_errmsg(db));
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    CPelvarApp::prepareProcess(); // as the program starts
    const QStringList args = app.arguments();
    const QString folder = args.value(args.indexOf(QStringLiteral("--data-dir")) + 1);
    const QString path = QDir(folder).filePath(Database::kFileName);
    if (args.indexOf(QStringLiteral("--data-dir")) < 0 || !QFile::exists(path)) {
        QTextStream(stderr) << "usage: bench_year --data-dir DIR (a file written by pelvar-busy-year)"
                            << Qt::endl;
        return 2;
    }
    YesPrompt prompt;
    Database db(prompt);
    const double openMs = timed([&] { db.open(path); }).wall;
    sqlite3* raw = nullptr;
    sqlite3_open(path.toUtf8().constData(), &raw);

    const QDate today = QDate::fromString(
        db.query(QStringLiteral("select max(jzrq) from jzhz")).value(0).toString(), Qt::ISODate);
    Clock::setFixed(QDateTime(today, QTime(21, 0)));
    const ReportPeriod day(today, today);
    const ReportPeriod month(QDate(today.year(), today.month(), 1), today);
    const ReportPeriod year(QDate(today.year(), 1, 1), today);
    out << "File " << path << ": "
        << db.query(QStringLiteral("select count(*) from xfmx")).value(0).toString() << " lines, "
        << db.query(QStringLiteral("select count(*) from jzhz")).value(0).toString() << " bills; today "
        << today.toString(Qt::ISODate) << "; opened in " << openMs << " ms\n\n";
    out << "| case | program CPU ms | raw CPU ms | ratio | program wall ms | raw wall ms | target | |\n"
           "|---|---:|---:|---:|---:|---:|---|---|\n";

    SalesStatistics sales(db);
    const struct
    {
        const char* name;
        const ReportPeriod& period;
        double limit;
    } periods[] = {{"day", day, 50}, {"month", month, 300}, {"year", year, 1000}};
    for (const auto& p : periods)
        for (const auto mode : {SalesStatistics::Mode::Category, SalesStatistics::Mode::Item})
            report(
                db, raw,
                QStringLiteral("销售统计 %1, %2")
                    .arg(mode == SalesStatistics::Mode::Category ? QStringLiteral("per category")
                                                                 : QStringLiteral("per item"),
                         QLatin1String(p.name)),
                p.limit, [&] { sales.compute(mode, p.period); },
                [&] { sales.compute(mode, p.period, LineSource::Lines); });
    CashierReport cashier(db);
    report(
        db, raw, QStringLiteral("收银明细, day"), 50,
        [&] { cashier.bills(QDateTime(day.first, QTime(0, 0)), QDateTime(day.last, QTime(23, 59, 59)), CashierReport::kAll, CashierReport::kAll); },
        [&] { cashier.bills(QDateTime(day.first, QTime(0, 0)), QDateTime(day.last, QTime(23, 59, 59)), CashierReport::kAll, CashierReport::kAll); });
    report(
        db, raw, QStringLiteral("收银汇总, year"), 1000, [&] { cashier.summary(QDateTime(year.first, QTime(0, 0)), QDateTime(year.last, QTime(23, 59, 59))); },
        [&] { cashier.summary(QDateTime(year.first, QTime(0, 0)), QDateTime(year.last, QTime(23, 59, 59))); });
    // The waiters' statistics and finance for a day too: every report's day is held to 50 ms.
    WaiterSales waiters(db);
    Finance finance(db, folder);
    for (const auto& p : {periods[0], periods[1]})
        report(
            db, raw, QStringLiteral("服务生销售统计, %1").arg(QLatin1String(p.name)), p.limit,
            [&] { waiters.compute(p.period, {}); },
            [&] { waiters.compute(p.period, {}, LineSource::Lines); });
    for (const auto& p : periods)
        report(
            db, raw, QStringLiteral("财务管理, %1").arg(QLatin1String(p.name)), p.limit,
            [&] { finance.statement(p.period); }, [&] { finance.statement(p.period, LineSource::Lines); });
    RegistrationQuery registrations(db);
    report(
        db, raw, QStringLiteral("登记查询, day"), 50, [&] { registrations.compute(day, 0, QString()); },
        [&] { registrations.compute(day, 0, QString()); });
    ReturnsQuery returns(db);
    for (const auto mode : {ReturnsQuery::Mode::Returns, ReturnsQuery::Mode::Gifts})
        report(
            db, raw, ReturnsQuery::title(mode) + QStringLiteral(", day"), 50,
            [&] { returns.compute(mode, day, QString()); }, [&] { returns.compute(mode, day, QString()); });
    ConsumptionQuery consumption(db);
    report(
        db, raw, QStringLiteral("消费查询 在店, day"), 50,
        [&] { consumption.compute(ConsumptionQuery::Mode::Present, ConsumptionQuery::By::Table, day, {}); },
        [&] { consumption.compute(ConsumptionQuery::Mode::Present, ConsumptionQuery::By::Table, day, {}); });
    report(
        db, raw, QStringLiteral("消费查询 离店, day"), 50,
        [&] { consumption.compute(ConsumptionQuery::Mode::Gone, ConsumptionQuery::By::Table, day, {}); },
        [&] { consumption.compute(ConsumptionQuery::Mode::Gone, ConsumptionQuery::By::Table, day, {}); });
    ItemQuery items(db);
    report(
        db, raw, QStringLiteral("消费项目查询"), 50, [&] { items.ofCategory(ItemQuery::kAll); },
        [&] { items.ofCategory(ItemQuery::kAll); });
    const qint64 reportsPeak = peakKilobytes();

    // The floor, on two copies of the file.
    sqlite3_close(raw);
    db.close();
    const QString twinFolder = QDir(folder).filePath(QStringLiteral("bench-twins"));
    QDir(twinFolder).removeRecursively();
    QDir().mkpath(twinFolder + QStringLiteral("/program"));
    QDir().mkpath(twinFolder + QStringLiteral("/raw"));
    const QString programPath = twinFolder + QStringLiteral("/program/") + Database::kFileName;
    const QString rawPath = twinFolder + QStringLiteral("/raw/") + Database::kFileName;
    QFile::copy(path, programPath);
    QFile::copy(path, rawPath);
    db.open(programPath);
    sqlite3* twin = nullptr;
    sqlite3_open(rawPath.toUtf8().constData(), &twin);
    exec(twin, QStringLiteral("pragma journal_mode=wal"));
    // The same guests on both: a table with 500 lines, and a group of three tables with 100.
    auto onBoth = [&](const QString& statement) {
        db.ExecuteSql(statement);
        exec(twin, statement);
    };
    const QString now = Sql::timeText(Clock::now());
    // Seats guests at a table as a member of `main`'s group (its own when empty), with `lines` lines.
    int seated = 0;
    auto seat = [&](const QString& table, const QString& main, int lines) {
        const QString registration = QStringLiteral("bench%1").arg(++seated);
        onBoth(QStringLiteral("update cz set zyzt='占用',jdsj='%1',yzrs='4' where czm='%2'").arg(now, table));
        onBoth(QStringLiteral(
                   "insert into dj(djbh,czm,fjm,rs,xfzt,zdbh,zdbj,jdsj) select '%1','%2',fjm,4,'占用',"
                   "coalesce((select djbh from dj where czm='%3' and xfzt='占用'),'%1'),'%4','%5' "
                   "from cz where czm='%2'")
                   .arg(registration, table, main, main.isEmpty() ? QStringLiteral("y") : QStringLiteral("n"),
                        now));
        onBoth(QStringLiteral(
                   "with recursive n(i) as (select 1 union all select i+1 from n where i<%1) "
                   "insert into xfmx(czm,xfxm,sl,xmdj,dzbl,dzje,ysje,jzr,xfsj) select '%2',xmm,1,dj,1,0,dj,"
                   "'张敏','%3' from n, xm where xmbh=1+(i % (select count(*) from xm))")
                   .arg(lines)
                   .arg(table, now));
        const QString total =
            QStringLiteral("(select sum(ysje) from xfmx where czm='%1' and jzbj='0')").arg(table);
        onBoth(QStringLiteral("update dj set xfhj=%1 where czm='%2' and xfzt='占用'").arg(total, table));
        onBoth(QStringLiteral("update cz set xfhj=%1 where czm='%2'").arg(total, table));
    };

    TableBoard board(db);
    floorCase(
        db, twin,
        QStringLiteral("board, %1 tables")
            .arg(db.query(QStringLiteral("select count(*) from cz")).value(0).toInt()),
        [] {}, [&] { board.load(TableBoard::kStartStatement); });

    const QString ordering = db.query(QStringLiteral("select max(czm) from cz")).value(0).toString();
    seat(ordering, QString(), 500);
    DefaultPrinter defaultPrinter;
    NoSpooler spooler;
    RawPrinter rawPrinter(spooler, prompt);
    // What the screen asks of its operations, then the screen itself with its widgets.
    floorCase(
        db, twin, QStringLiteral("ordering screen's operations, 500 lines"), [] {},
        [&] {
            ConsumptionList list(db, QStringLiteral("张敏"), QStringLiteral("1"), twinFolder);
            list.setTable(ordering);
            DishCatalogue(db).rows(DishCatalogue::wholeCatalogue());
            list.LoadConsumptionList();
            list.categoryChoices();
            list.RecalcTotals();
            list.occupiedTables();
        });
    floorCase(
        db, twin, QStringLiteral("ordering screen opens, 500 lines"), [] {},
        [&] {
            CAddConsumptionDlg dialog(db, QStringLiteral("张敏"), QStringLiteral("1"), twinFolder, ordering,
                                      rawPrinter, defaultPrinter);
        });

    ReceiptPrinter receipts(db, QString(),
                            [](const QString&, const QString&, const QString&) { return true; });
    QStringList tables;
    floorCase(
        db, twin, QStringLiteral("checkout, 3 tables, 100 lines"),
        [&] {
            Recordset free =
                db.query(QStringLiteral("select czm from cz where zyzt='空闲' order by id desc limit 3"));
            tables.clear();
            for (; !free.isEOF(); free.moveNext())
                tables << free.getString(QStringLiteral("czm"));
            for (int i = 0; i < 3; ++i)
                seat(tables.at(i), i ? tables.first() : QString(), i == 0 ? 34 : 33);
        },
        [&] {
            Checkout checkout(
                db, Cashier{QStringLiteral("张敏"), QStringLiteral("0.80"), QStringLiteral("10.00")},
                receipts);
            checkout.open(tables.first());
            Checkout::Amounts amounts;
            checkout.RecalcTotals(amounts, Checkout::Payment::Cash);
            checkout.ShowLines();
            if (checkout.settle({amounts.due, amounts.due, QString(), Checkout::Payment::Cash}).outcome !=
                Checkout::Outcome::Settled)
                qFatal("the checkout did not settle");
        });
    sqlite3_close(twin);
    db.close();
    QDir(twinFolder).removeRecursively();

    out << "\nPeak memory of the process: " << reportsPeak / 1024 << " MB after the reports, "
        << peakKilobytes() / 1024 << " MB at the end (target ≤ 150 MB)\n";
    return 0;
}
