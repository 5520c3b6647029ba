// Benchmarks of the floor's operations, built but not run by CTest: `./build/bench_floor`.
// A busy restaurant: 200 tables, half of them occupied, a year of bookings and of settled lines;
// each case reports the mean time of one board action.
#include "Clock.h"
#include "Database.h"
#include "Prompt.h"
#include "RoomSummary.h"
#include "Sql.h"
#include "TableBoard.h"
#include "TableLines.h"

#include <functional>
#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTest>

namespace {

class SilentPrompt final : public Prompt
{
public:
    Answer show(const QString&, const QString&, Icon, Buttons) override { return Answer::Ok; }
};

constexpr int kTables = 200;
constexpr int kBookingDays = 365;
constexpr int kLines = 50000;

const QDateTime kNow(QDate(2026, 12, 6), QTime(12, 30));

void fill(Database& db)
{
    Transaction transaction(db);
    for (const char* shift : {"('午市',#2010-01-01 10:0:0#,#2010-01-01 14:59:59#)",
                              "('晚市',#2010-01-01 15:0:0#,#2010-01-01 20:59:59#)"})
        db.ExecuteSql(QStringLiteral("insert into yybc(bcmc,qssj,jssj) values") + QLatin1String(shift));
    for (int i = 0; i < kTables; ++i) {
        const QString table = Sql::quote(QStringLiteral("T%1").arg(i));
        db.ExecuteSql(QStringLiteral("insert into cz(czm,zzws,fjm) values(%1,4,%2)")
                          .arg(table, Sql::quote(QStringLiteral("房间%1").arg(i % 8))));
        if (i % 2)
            db.ExecuteSql(QStringLiteral("update cz set zyzt='占用',jdsj=%1 where czm=%2")
                              .arg(Sql::quote(Sql::timeText(kNow.addSecs(-60 * i))), table));
    }
    // Four bookings a day for a year, the last ones today.
    for (int d = 0; d < kBookingDays; ++d)
        for (int k = 0; k < 4; ++k)
            db.ExecuteSql(
                QStringLiteral("insert into yd(ydbh,khxm,lxdh,czmc,zt,ydsj,qxsj,yybcbh) "
                               "values(%1,'客','1',%2,%3,%4,%4,1)")
                    .arg(Sql::quote(QString::number(d * 10 + k)),
                         Sql::quote(QStringLiteral("T%1").arg((d * 7 + k * 2) % kTables)),
                         d == kBookingDays - 1 ? QStringLiteral("'已订'") : QStringLiteral("'到达'"),
                         Sql::timeLiteral(kNow.addDays(d - kBookingDays + 1).addSecs(1800))));
    for (int i = 0; i < kLines; ++i)
        db.ExecuteSql(
            QStringLiteral("insert into xfmx(czm,xfxm,sl,xmdj,ysje,jzr,jzbj) values(%1,'菜',1,10,10,'王',%2)")
                .arg(Sql::quote(QStringLiteral("T%1").arg(i % kTables)),
                     i % 20 ? QStringLiteral("'1'") : QStringLiteral("'0'")));
    transaction.commit();
}

void measure(const char* what, int rounds, const std::function<void()>& action)
{
    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < rounds; ++i)
        action();
    qInfo("%-28s %8.2f ms", what, timer.nsecsElapsed() / 1e6 / rounds);
}

} // namespace

class BenchFloor : public QObject
{
    Q_OBJECT
private slots:
    void boardActions();
};

void BenchFloor::boardActions()
{
    QTemporaryDir dir;
    SilentPrompt prompt;
    Database db(prompt);
    db.open(QDir(dir.path()).filePath(Database::kFileName));
    fill(db);
    Clock::setFixed(kNow);

    TableBoard board(db);
    RoomSummary summary(db);
    TableLines lines(db);
    measure("board load (200 tables)", 20,
            [&] { QCOMPARE(board.load(TableBoard::kStartStatement).size(), kTables); });
    measure("refresh in place", 20, [&] { board.refresh(); });
    measure("filter 可供", 20, [&] { board.load(board.filterStatement(TableBoard::Filter::Available)); });
    measure("counts", 50, [&] { summary.counts(); });
    measure("elapsed update (100 open)", 20, [&] { board.updateElapsed(); });
    measure("lines of one table", 200, [&] { lines.load(QStringLiteral("T3")); });
    Clock::clearFixed();
}

QTEST_GUILESS_MAIN(BenchFloor)
#include "bench_Floor.moc"
