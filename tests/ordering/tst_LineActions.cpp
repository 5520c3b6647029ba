#include "ConsumptionLine.h"
#include "LineActions.h"
#include "TestMain.h"

#include <QTest>

class TestLineActions : public QObject
{
    Q_OBJECT
private slots:
    void forLine_data();
    void forLine();
};

void TestLineActions::forLine_data()
{
    QTest::addColumn<bool>("isNew");
    QTest::addColumn<QString>("quantity");
    QTest::addColumn<QString>("ratio");
    QTest::addColumn<QString>("returnText");
    QTest::addColumn<QString>("giftText");
    QTest::addColumn<QString>("enabled"); // return, gift, transfer as 1/0
    QTest::addColumn<QString>("menu");    // item 4 and item 6

    QTest::newRow("stored") << false << "2"
                            << "1"
                            << "退单(&T)"
                            << "赠送(&S)"
                            << "111"
                            << "退单,赠送";
    QTest::newRow("stored, discounted") << false << "2"
                                        << "0.9"
                                        << "退单(&T)"
                                        << "赠送(&S)"
                                        << "111"
                                        << "退单,赠送";
    QTest::newRow("stored gift") << false << "2"
                                 << "0"
                                 << "退单(&T)"
                                 << "不赠(&S)"
                                 << "010"
                                 << "退单,不赠";
    QTest::newRow("stored return") << false << "-1"
                                   << "1"
                                   << "退单(&T)"
                                   << "赠送(&S)"
                                   << "000"
                                   << "退单,赠送";
    QTest::newRow("stored gift shown 0.00") << false << "2"
                                            << "0.00"
                                            << "退单(&T)"
                                            << "不赠(&S)"
                                            << "010"
                                            << "退单,不赠";
    QTest::newRow("new") << true << "1.00"
                         << "1.00"
                         << "删除(&T)"
                         << "赠送(&S)"
                         << "110"
                         << "删除,赠送";
    QTest::newRow("new gift") << true << "1.00"
                              << "0"
                              << "删除(&T)"
                              << "不赠(&S)"
                              << "110"
                              << "删除,不赠";
    QTest::newRow("new negative") << true << "-2.00"
                                  << "1.00"
                                  << "删除(&T)"
                                  << "赠送(&S)"
                                  << "100"
                                  << "删除,赠送";
}

void TestLineActions::forLine()
{
    QFETCH(bool, isNew);
    QFETCH(QString, quantity);
    QFETCH(QString, ratio);
    ConsumptionLine line;
    line.name = QStringLiteral("可乐");
    line.quantity = quantity;
    line.price = QStringLiteral("15");
    line.ratio = ratio;
    const LineActions a = LineActions::forLine(line, isNew);
    QTEST(a.returnText, "returnText");
    QTEST(a.giftText, "giftText");
    QTEST(QString::number(int(a.returnEnabled)) + QString::number(int(a.giftEnabled)) +
              QString::number(int(a.transferEnabled)),
          "enabled");
    QTEST(a.returnMenuText + QLatin1Char(',') + a.giftMenuText, "menu");
}

PELVAR_TEST(TestLineActions)
#include "tst_LineActions.moc"
