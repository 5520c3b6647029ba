#include "Gbk.h"
#include "Receipt.h"
#include "TestMain.h"

#include <QTest>

Q_DECLARE_METATYPE(Receipt::Kind)

namespace {

PrintSettings settings(const QString& blankLines)
{
    PrintSettings s;
    s.printer = QStringLiteral("小票");
    s.title1 = QStringLiteral("老王饭店");
    s.title2 = QStringLiteral("电话:123");
    s.footer1 = QStringLiteral("谢谢惠顾");
    s.footer2 = QStringLiteral("欢迎再来");
    s.blankLines = blankLines;
    return s;
}

Receipt::Totals totals(const QString& method)
{
    return {QStringLiteral("3.00"),
            QStringLiteral("84.00"),
            QStringLiteral("0.50"),
            QStringLiteral("83.50"),
            QStringLiteral("100.00"),
            QStringLiteral("16.50"),
            method};
}

QStringList texts(const QList<Receipt::Line>& lines)
{
    QStringList out;
    for (const Receipt::Line& line : lines)
        out << line.text;
    return out;
}

const QString kSep39 = QStringLiteral(" ---------------------------------------");
const QString kSep42 = QStringLiteral(" ------------------------------------------");

} // namespace

class tst_Receipt : public QObject
{
    Q_OBJECT

private slots:
    void cutName_data();
    void cutName();
    void plainCheckoutBytes();
    void drawnCheckoutGroupsByCategory();
    void totalsByKind_data();
    void totalsByKind();
};

void tst_Receipt::cutName_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("expected");

    QTest::newRow("14 bytes whole") << "红烧狮子头大碗"
                                    << "红烧狮子头大碗";
    QTest::newRow("20 bytes, 14th starts a character") << "ABCDEFGHIJKLM鱼香肉X"
                                                       << "ABCDEFGHIJKLM鱼";
    QTest::newRow("20 bytes, cut between characters") << "ABCDEFGHIJKL鱼香肉丝"
                                                      << "ABCDEFGHIJKL鱼";
    QTest::newRow("all double-byte") << "清蒸多宝鱼配时令蔬菜"
                                     << "清蒸多宝鱼配时";
    QTest::newRow("short") << "可乐"
                           << "可乐";
}

void tst_Receipt::cutName()
{
    QFETCH(QString, name);
    QFETCH(QString, expected);
    QCOMPARE(Receipt::cutName(name), expected);
    QVERIFY(Gbk::width(Receipt::cutName(name)) <= 15);
}

void tst_Receipt::plainCheckoutBytes()
{
    Receipt receipt(Receipt::Kind::Checkout, settings(QStringLiteral("1")), QStringLiteral("我的餐厅"));
    receipt.setHeader(QStringLiteral("202612060001"), QStringLiteral("张三"),
                      QDateTime(QDate(2026, 12, 6), QTime(12, 30, 5)));
    receipt.setTotals(totals(QStringLiteral("现金")));
    receipt.setListedRows(
        {{QStringLiteral("鱼香肉丝"), QStringLiteral("2"), QStringLiteral("28"), QStringLiteral("56.00")},
         {QStringLiteral("ABCDEFGHIJKLM鱼香肉X(退)"), QStringLiteral("-1"), QStringLiteral("28"),
          QStringLiteral("-28.00")},
         {QStringLiteral("啤酒(赠)"), QStringLiteral("2"), QStringLiteral("8"), QStringLiteral("0.00")}});

    const QByteArray expected =
        Gbk::encode(QStringLiteral("老王饭店\n"
                                   "电话:123\n") +
                    kSep39 +
                    QStringLiteral("\n 账单号:202612060001   收银员:张三\n"
                                   " 时间: 2026-12-06 12:30:05\n") +
                    kSep39 +
                    QStringLiteral("\n 消费项目           数量    单价    金额\n"
                                   "鱼香肉丝               2      28   56.00\n"
                                   "ABCDEFGHIJKLM鱼       -1      28  -28.00\n"
                                   "啤酒(赠)               2       8    0.00\n"
                                   " 合计               3.00         ￥84.00\n") +
                    kSep39 +
                    QStringLiteral("\n优惠:          ￥0.50\n"
                                   "实收:          ￥83.50\n"
                                   "结账方式:　　现金\n"
                                   "预收金额:      ￥100.00\n"
                                   "找零金额:      ￥16.50\n") +
                    kSep39 + QStringLiteral("\n谢谢惠顾\n欢迎再来\n\n\n\n\n\n\n\n\n\n\n"));
    QCOMPARE(Gbk::encode(receipt.plain()), expected);
}

void tst_Receipt::drawnCheckoutGroupsByCategory()
{
    Receipt receipt(Receipt::Kind::Checkout, settings(QStringLiteral("2")), QStringLiteral("我的餐厅"));
    receipt.setHeader(QStringLiteral("202612060001"), QStringLiteral("张三"),
                      QDateTime(QDate(2026, 12, 6), QTime(12, 30, 5)));
    receipt.setTotals(totals(QStringLiteral("挂账")));
    receipt.setCategoryRows(
        {{QStringLiteral("鱼香肉丝"), QStringLiteral("热菜"), 2, QStringLiteral("28"), 50.4},
         {QStringLiteral("红烧肉"), QStringLiteral("热菜"), 0, QStringLiteral("38.5"), 0},
         {QStringLiteral("啤酒"), QStringLiteral("酒水"), 0, QStringLiteral("8"), 0},
         {QStringLiteral("可乐"), QStringLiteral("饮料"), 1, QStringLiteral("5"), 5}});
    const QList<Receipt::Line> lines = receipt.drawn();
    QVERIFY(lines.first().title);
    QVERIFY(!lines.at(1).title);
    QCOMPARE(
        texts(lines),
        (QStringList{QStringLiteral("老王饭店"), QStringLiteral("  我的餐厅"), QStringLiteral("  电话:123"),
                     kSep39, QStringLiteral(" 账单号:202612060001   收银员:张三"),
                     QStringLiteral(" 时间: 2026-12-06 12:30:05"), kSep39,
                     QStringLiteral(" 消费项目           数量    单价    金额"),
                     QStringLiteral("鱼香肉丝            2.00      28   50.40"),
                     // 红烧肉 was returned in full; 酒水 has nothing left and no subtotal.
                     QStringLiteral("  小计:热菜         2.00           50.40"), kSep39,
                     QStringLiteral("可乐                1.00       5    5.00"),
                     QStringLiteral("  小计:饮料         1.00            5.00"), kSep39,
                     QStringLiteral("  合计              3.00         ￥84.00"), kSep39,
                     QStringLiteral("优惠:          ￥0.50"), QStringLiteral("实收:          ￥83.50"),
                     QStringLiteral("结账方式:　　挂帐"), kSep39, QStringLiteral("谢谢惠顾"),
                     QStringLiteral("欢迎再来"), QString(), QString()}));
}

void tst_Receipt::totalsByKind_data()
{
    QTest::addColumn<Receipt::Kind>("kind");
    QTest::addColumn<QString>("method");
    QTest::addColumn<QString>("header");
    QTest::addColumn<QString>("separator");
    QTest::addColumn<bool>("amounts");
    QTest::addColumn<bool>("cash");

    QTest::newRow("checkout cash") << Receipt::Kind::Checkout << "现金"
                                   << " 账单号:X   收银员:张三" << kSep39 << true << true;
    QTest::newRow("checkout other") << Receipt::Kind::Checkout << "其他"
                                    << " 账单号:X   收银员:张三" << kSep39 << true << false;
    QTest::newRow("checkout free") << Receipt::Kind::Checkout << "免费"
                                   << " 账单号:X   收银员:张三" << kSep39 << true << false;
    QTest::newRow("reprint cash") << Receipt::Kind::Reprint << "现金"
                                  << " 账单号:X   收银员:张三" << kSep39 << true << false;
    QTest::newRow("pre-receipt") << Receipt::Kind::PreReceipt << "现金"
                                 << " 餐桌名:X   收银员:张三" << kSep39 << false << false;
    QTest::newRow("table") << Receipt::Kind::Table << "现金"
                           << " 餐桌名:X   收银员:张三" << kSep42 << false << false;
    QTest::newRow("modified bill") << Receipt::Kind::ModifiedBill << "现金"
                                   << " 账单号:X   收银员:张三" << kSep42 << false << false;
}

void tst_Receipt::totalsByKind()
{
    QFETCH(Receipt::Kind, kind);
    QFETCH(QString, method);
    QFETCH(QString, header);
    QFETCH(QString, separator);
    QFETCH(bool, amounts);
    QFETCH(bool, cash);

    Receipt receipt(kind, settings(QStringLiteral("0")), QStringLiteral("我的餐厅"));
    receipt.setHeader(QStringLiteral("X"), QStringLiteral("张三"),
                      QDateTime(QDate(2026, 12, 6), QTime(9, 0)));
    receipt.setTotals(totals(method));
    receipt.setListedRows(
        {{QStringLiteral("可乐"), QStringLiteral("1"), QStringLiteral("5"), QStringLiteral("5.00")}});
    for (const QStringList& lines : {texts(receipt.drawn()), receipt.plain().split(QLatin1Char('\n'))}) {
        QVERIFY(lines.contains(header));
        QVERIFY(lines.contains(separator));
        QVERIFY(!lines.contains(separator == kSep39 ? kSep42 : kSep39));
        QCOMPARE(lines.contains(QStringLiteral("实收:          ￥83.50")), amounts);
        QCOMPARE(lines.contains(QStringLiteral("预收金额:      ￥100.00")), cash);
        QCOMPARE(lines.contains(QStringLiteral("找零金额:      ￥16.50")), cash);
    }
    // The modified bill's drawn form lists its rows as they are.
    QCOMPARE(texts(receipt.drawn()).contains(QStringLiteral("可乐                   1       5    5.00")),
             kind == Receipt::Kind::ModifiedBill);
}

PELVAR_TEST(tst_Receipt)
#include "tst_Receipt.moc"
