#include "BillNumber.h"
#include "TestDatabase.h"
#include "TestMain.h"

#include <QTest>

class tst_BillNumber : public QObject
{
    Q_OBJECT

private slots:
    void next_data();
    void next();
};

void tst_BillNumber::next_data()
{
    QTest::addColumn<QStringList>("bills"); // "zdh jzrq"
    QTest::addColumn<QString>("expected");

    QTest::newRow("first bill of the day") << QStringList{} << QStringLiteral("202612060001");
    QTest::newRow("earlier days do not count")
        << QStringList{QStringLiteral("202612050009 2026-12-05")} << QStringLiteral("202612060001");
    QTest::newRow("the day's highest plus one")
        << QStringList{QStringLiteral("202612060001 2026-12-06"), QStringLiteral("202612060007 2026-12-06"),
                       QStringLiteral("202612050020 2026-12-05")}
        << QStringLiteral("202612060008");
    // A bill dated another day may carry today's number; the next free one is used.
    QTest::newRow("a taken number is skipped")
        << QStringList{QStringLiteral("202612060001 2026-12-05"), QStringLiteral("202612060002 2026-12-05")}
        << QStringLiteral("202612060003");
}

void tst_BillNumber::next()
{
    QFETCH(QStringList, bills);
    QFETCH(QString, expected);
    TestDatabase t;
    for (const QString& bill : bills) {
        const QStringList parts = bill.split(QLatin1Char(' '));
        t.exec(QStringLiteral("insert into jzhz(zdh,jzrq) values('%1','%2')").arg(parts[0], parts[1]));
    }
    QCOMPARE(BillNumber::next(t.db, QDate(2026, 12, 6)), expected);
}

PELVAR_TEST(tst_BillNumber)
#include "tst_BillNumber.moc"
