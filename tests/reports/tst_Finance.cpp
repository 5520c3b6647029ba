#include "Clock.h"
#include "Finance.h"
#include "Gbk.h"
#include "Sql.h"
#include "TestDatabase.h"
#include "TestMain.h"

#include <QFile>
#include <QTest>

using Kind = Finance::Kind;
using Input = Finance::Input;

Q_DECLARE_METATYPE(Finance::Input)

namespace {

const QDate kDay(2026, 12, 6);

void bill(TestDatabase& t, const QString& number, const QString& payment, double received)
{
    t.exec(QStringLiteral(
               "insert into jzhz(zdh,czm,xfje,dzje,ssje,hybh,jzfs,jzr,jzsj,jzrq) values(%1,'A1',%2,0,%2,0,"
               "%3,'张三','2026-12-06 12:00:00','2026-12-06')")
               .arg(Sql::quote(number), Sql::money(received), Sql::quote(payment)));
}

} // namespace

class TestFinance : public QObject
{
    Q_OBJECT
private slots:
    void init() { Clock::setFixed(QDateTime(kDay, QTime(14, 0))); }
    void cleanup() { Clock::clearFixed(); }
    void entryChecks_data();
    void entryChecks();
    void statement_data();
    void statement();
    void newNameOfferedNextTime();
};

void TestFinance::entryChecks_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("amount");
    QTest::addColumn<QString>("person");
    QTest::addColumn<QString>("message");
    QTest::addColumn<Input>("input");
    QTest::newRow("blank name") << "  "
                                << "50"
                                << "张三"
                                << "项目名不能为空!" << Input::Name;
    QTest::newRow("zero") << "房租"
                          << "0.00"
                          << "张三"
                          << "金额必须大于零!" << Input::Amount;
    QTest::newRow("decimal comma") << "房租"
                                   << "0,9"
                                   << "张三"
                                   << "金额必须大于零!" << Input::Amount;
    QTest::newRow("negative") << "房租"
                              << "-5"
                              << "张三"
                              << "金额必须大于零!" << Input::Amount;
    QTest::newRow("no person") << "房租"
                               << "50"
                               << ""
                               << "经办人不能为空!" << Input::Person;
}

void TestFinance::entryChecks()
{
    QFETCH(QString, name);
    QFETCH(QString, amount);
    QFETCH(QString, person);
    QFETCH(QString, message);
    QFETCH(Input, input);
    TestDatabase t;
    const Outcome<Input> outcome =
        Finance(t.db, t.folder()).add(Kind::Expense, {name, amount, person, {}, kDay});
    QVERIFY(!outcome);
    QCOMPARE(outcome.input, input);
    QCOMPARE(t.prompt.texts(), QStringList{message});
    QCOMPARE(t.scalar(QStringLiteral("select count(*) from zcsr")), QStringLiteral("0"));
    QVERIFY(!QFile::exists(t.folder() + QStringLiteral("/支出.ini")));
}

void TestFinance::statement_data()
{
    QTest::addColumn<bool>("takings");
    QTest::addColumn<QStringList>("rows");
    QTest::newRow("expense of 50 lowers the profit")
        << true << QStringList{"[收入类]|112.00|", "    销售收入|100.00|", "    押金|12.00|收入",
                               "[支出类]|-50.00|", "    销售成本|0.00|",   "    房租|-50.00|支出",
                               " [利润]|62.00|",   "    利润率|55.36%|"};
    QTest::newRow("margin at zero income")
        << false << QStringList{"[收入类]|0.00|",      "    销售收入|0.00|",   "[支出类]|-50.00|",
                                "    销售成本|0.00|",  "    房租|-50.00|支出", " [利润]|-50.00|",
                                "    利润率|无法统计|"};
}

// Cash takings and the entries; on-account and free bills are no income.
void TestFinance::statement()
{
    QFETCH(bool, takings);
    QFETCH(QStringList, rows);
    TestDatabase t;
    Finance finance(t.db, t.folder());
    bill(t, QStringLiteral("2"), QStringLiteral("挂账"), 30);
    bill(t, QStringLiteral("3"), QStringLiteral("免费"), 20);
    QVERIFY(finance.add(Kind::Expense, {QStringLiteral("房租"), QStringLiteral("50"), QStringLiteral("张三"),
                                        QStringLiteral("12月"), kDay}));
    if (takings) {
        bill(t, QStringLiteral("1"), QStringLiteral("现金"), 100);
        QVERIFY(finance.add(
            Kind::Income, {QStringLiteral("押金"), QStringLiteral("12"), QStringLiteral("张三"), {}, kDay}));
    }
    QCOMPARE(Sql::money(t.scalar(QStringLiteral("select je from zcsr where xmm='房租'")).toDouble()),
             QStringLiteral("-50.00"));
    const ReportPeriod day(kDay, kDay);
    QStringList joined;
    for (const QStringList& row : finance.statement(day).rows)
        joined << row.join(QLatin1Char('|'));
    QCOMPARE(joined, rows);
    QCOMPARE(finance.detail(QStringLiteral("    房租"), day),
             (QList<QStringList>{{"房租", "-50.00", "2026-12-06 00:00:00",
                                  t.scalar(QStringLiteral("select djsj from zcsr where xmm='房租'")), "张三",
                                  "12月"}}));
    QCOMPARE(finance.detail(QStringLiteral("    销售收入"), day).size(), takings ? 1 : 0);
    QVERIFY(finance.detail(QStringLiteral("[收入类]"), day).isEmpty());
}

void TestFinance::newNameOfferedNextTime()
{
    TestDatabase t;
    QVERIFY(Finance(t.db, t.folder())
                .add(Kind::Income,
                     {QStringLiteral("包场"), QStringLiteral("500"), QStringLiteral("张三"), {}, kDay}));
    QVERIFY(Finance(t.db, t.folder())
                .add(Kind::Income,
                     {QStringLiteral("包"), QStringLiteral("5"), QStringLiteral("张三"), {}, kDay}));
    QVERIFY(Finance(t.db, t.folder())
                .add(Kind::Income,
                     {QStringLiteral("包场"), QStringLiteral("5"), QStringLiteral("张三"), {}, kDay}));
    QCOMPARE(Finance(t.db, t.folder()).names(Kind::Income), (QStringList{"包场", "包"}));
    QVERIFY(Finance(t.db, t.folder()).names(Kind::Expense).isEmpty());
    QFile file(t.folder() + QStringLiteral("/收入.ini"));
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), Gbk::encode(QStringLiteral("包场\r\n包\r\n")));
}

PELVAR_TEST(TestFinance)
#include "tst_Finance.moc"
