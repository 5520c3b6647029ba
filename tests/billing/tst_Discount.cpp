#include "Discount.h"
#include "TestDatabase.h"
#include "TestMain.h"

#include <QTest>

namespace {

bool samePassword(const QString& stored, const QString& typed)
{
    return stored == typed;
}

} // namespace

class tst_Discount : public QObject
{
    Q_OBJECT

private slots:
    void limits_data();
    void limits();
    void switchOperator();
};

void tst_Discount::limits_data()
{
    QTest::addColumn<QString>("lowest");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("message"); // empty: accepted
    QTest::addColumn<QString>("ratio");

    const QString range = QStringLiteral("打折比例输入错误,0到1之间!");
    // The limit is shown without decimals: 0.8 reads as 1.
    const QString below08 = QStringLiteral("折扣错误，当前操最低折扣为:1，请从新输入!");
    QTest::newRow("at the limit") << "0.80"
                                  << "0.8"
                                  << ""
                                  << "0.80";
    QTest::newRow("below the limit") << "0.80"
                                     << "0.75" << below08 << "";
    QTest::newRow("just below the limit") << "0.80"
                                          << "0.79" << below08 << "";
    QTest::newRow("one") << "0.80"
                         << "1"
                         << ""
                         << "1.00";
    QTest::newRow("above one") << "0.80"
                               << "1.01" << range << "";
    QTest::newRow("negative") << "0"
                              << "-0.1" << range << "";
    QTest::newRow("zero with no limit") << "0"
                                        << "0"
                                        << ""
                                        << "0.00";
    QTest::newRow("limit 0.3 shown as 0")
        << "0.30"
        << "0.2" << QStringLiteral("折扣错误，当前操最低折扣为:0，请从新输入!") << "";
}

void tst_Discount::limits()
{
    QFETCH(QString, lowest);
    QFETCH(QString, typed);
    QFETCH(QString, message);
    QFETCH(QString, ratio);
    TestDatabase t;
    Discount discount(t.db, Cashier{QStringLiteral("收银员"), lowest, QStringLiteral("1")}, samePassword);

    QCOMPARE(discount.accept(typed), message.isEmpty());
    QCOMPARE(t.prompt.last(), message);
    if (message.isEmpty())
        QCOMPARE(discount.ratio(), ratio);
}

void tst_Discount::switchOperator()
{
    TestDatabase t;
    t.exec(QStringLiteral("insert into [user](xm,mm,dzbl) values('收银员','1',0.8)"));
    t.exec(QStringLiteral("insert into [user](xm,mm,dzbl) values('经理','secret',0.4)"));
    Discount discount(t.db, Cashier{QStringLiteral("收银员"), QStringLiteral("0.80"), QStringLiteral("1")},
                      samePassword);
    QCOMPARE(discount.operatorNames(),
             (QStringList{QStringLiteral("系统管理员"), QStringLiteral("收银员"), QStringLiteral("经理")}));
    QCOMPARE(discount.limitLabel(), QStringLiteral("当前最低折扣为:1"));

    QVERIFY(!discount.switchOperator(QStringLiteral("经理"), QStringLiteral("wrong")));
    QVERIFY(!discount.switchOperator(QStringLiteral("' or ''='"), QStringLiteral("' or ''='")));
    QCOMPARE(t.prompt.texts(), (QStringList{QStringLiteral("密码不正确!"), QStringLiteral("密码不正确!")}));
    QVERIFY(!discount.accept(QStringLiteral("0.75")));

    QVERIFY(discount.switchOperator(QStringLiteral("经理"), QStringLiteral("secret")));
    QCOMPARE(discount.limitLabel(), QStringLiteral("当前最低折扣为:0"));
    QVERIFY(discount.accept(QStringLiteral("0.75")));
    QCOMPARE(discount.ratio(), QStringLiteral("0.75"));
    QVERIFY(discount.accept(QStringLiteral("0.4")));
    QVERIFY(!discount.accept(QStringLiteral("0.39")));
}

PELVAR_TEST(tst_Discount)
#include "tst_Discount.moc"
