#include "Finance.h"
#include "Gbk.h"
#include "Sql.h"
#include "TestDatabase.h"
#include "TestMain.h"

#include <QFile>
#include <QTest>

using Kind = Finance::Kind;

namespace {

const QDate kDate(2026, 12, 6);

void bill(TestDatabase& t, const QString& payment, double received)
{
    t.exec(QStringLiteral(
               "insert into jzhz(zdh,czm,xfje,dzje,ssje,hybh,jzfs,jzr,jzsj) values(%1,'A1',%2,0,%2,0,%3,"
               "'张三','2026-12-06 12:00:00')")
               .arg(Sql::quote(payment), Sql::money(received), Sql::quote(payment)));
}

Finance::Entry entry(const QString& name, const QString& amount,
                     const QString& person = QStringLiteral("张三"))
{
    return {name, amount, person, QStringLiteral("备注"), kDate};
}

} // namespace

class TestFinance : public QObject
{
    Q_OBJECT
private slots:
    void entryChecks_data();
    void entryChecks();
    void statement();
    void newNameOfferedNextTime();
};

void TestFinance::entryChecks_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("amount");
    QTest::addColumn<QString>("person");
    QTest::addColumn<QString>("message");
    QTest::addColumn<int>("input");
    QTest::newRow("blank name") << "  "
                                << "50"
                                << "张三"
                                << "项目名不能为空!" << int(Finance::Input::Name);
    QTest::newRow("zero") << "房租"
                          << "0.00"
                          << "张三"
                          << "金额必须大于零!" << int(Finance::Input::Amount);
    QTest::newRow("decimal comma") << "房租"
                                   << "0,9"
                                   << "张三"
                                   << "金额必须大于零!" << int(Finance::Input::Amount);
    QTest::newRow("no person") << "房租"
                               << "50"
                               << ""
                               << "经办人不能为空!" << int(Finance::Input::Person);
}

void TestFinance::entryChecks()
{
    QFETCH(QString, name);
    QFETCH(QString, amount);
    QFETCH(QString, person);
    QFETCH(QString, message);
    QFETCH(int, input);
    TestDatabase t;
    const Outcome<Finance::Input> outcome =
        Finance(t.db, t.folder()).add(Kind::Expense, entry(name, amount, person));
    QCOMPARE(int(outcome.input), input);
    QCOMPARE(t.prompt.texts(), QStringList{message});
    QCOMPARE(t.scalar(QStringLiteral("select count(*) from zcsr")), QStringLiteral("0"));
    QVERIFY(Finance(t.db, t.folder()).names(Kind::Expense).isEmpty());
}

// Cash takings and the entries; on-account and free bills are no income. With no income at all the
// margin cannot be had.
void TestFinance::statement()
{
    TestDatabase t;
    Finance finance(t.db, t.folder());
    const ReportPeriod day(kDate, kDate);
    bill(t, QStringLiteral("挂账"), 30);
    bill(t, QStringLiteral("免费"), 20);
    QVERIFY(finance.add(Kind::Expense, entry(QStringLiteral("房租"), QStringLiteral("50"))));
    QCOMPARE(finance.statement(day).rows.last().at(1), QStringLiteral("无法统计"));
    bill(t, QStringLiteral("现金"), 100);
    QVERIFY(finance.add(Kind::Income, entry(QStringLiteral("押金"), QStringLiteral("12"))));
    QCOMPARE(t.scalar(QStringLiteral("select printf('%.2f',je) from zcsr where xmm='房租'")),
             QStringLiteral("-50.00"));
    QStringList joined;
    for (const QStringList& row : finance.statement(day).rows)
        joined << row.join(QLatin1Char('|'));
    QCOMPARE(joined, (QStringList{"[收入类]|112.00|", "    销售收入|100.00|", "    押金|12.00|收入",
                                  "[支出类]|-50.00|", "    销售成本|0.00|", "    房租|-50.00|支出",
                                  " [利润]|62.00|", "    利润率|55.36%|"}));
    const QList<QStringList> detail = finance.detail(QStringLiteral("    房租"), day);
    QCOMPARE(detail.size(), 1);
    QCOMPARE(detail.first().mid(0, 3), (QStringList{"房租", "-50.00", "2026-12-06 00:00:00"}));
    QCOMPARE(finance.detail(QStringLiteral("    销售收入"), day).size(), 1);
}

void TestFinance::newNameOfferedNextTime()
{
    TestDatabase t;
    for (const char* name : {"包场", "包", "包场"})
        QVERIFY(
            Finance(t.db, t.folder()).add(Kind::Income, entry(QString::fromUtf8(name), QStringLiteral("5"))));
    QCOMPARE(Finance(t.db, t.folder()).names(Kind::Income), (QStringList{"包场", "包"}));
    QFile file(t.folder() + QStringLiteral("/收入.ini"));
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), Gbk::encode(QStringLiteral("包场\r\n包\r\n")));
}

PELVAR_TEST(TestFinance)
#include "tst_Finance.moc"
