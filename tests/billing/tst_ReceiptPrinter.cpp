#include "Clock.h"
#include "ReceiptPrinter.h"
#include "Restaurant.h"
#include "TestMain.h"

#include <QPrinter>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace {

QString pdfText(const QString& path)
{
    QProcess process;
    process.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), path, QStringLiteral("-")});
    if (!process.waitForFinished(30000))
        return QString();
    // The font's reverse map may name a Kangxi radical for an ideograph's glyph.
    return QString::fromUtf8(process.readAllStandardOutput()).normalized(QString::NormalizationForm_KC);
}

} // namespace

class tst_ReceiptPrinter : public QObject
{
    Q_OBJECT

private slots:
    void init() { Clock::setFixed(QDateTime(QDate(2026, 12, 6), QTime(12, 30, 5))); }
    void cleanup() { Clock::clearFixed(); }

    void drawsOnAPdf();
    void tableReceipt();
    void plainTextGoesRaw();
    void reprint();
};

void tst_ReceiptPrinter::drawsOnAPdf()
{
    TestDatabase t;
    Restaurant restaurant = Restaurant::withMenu(t);
    restaurant.seat(QStringLiteral("A1"));
    restaurant.order(QStringLiteral("A1"), QStringLiteral("鱼香肉丝"), 2);
    restaurant.order(QStringLiteral("A1"), QStringLiteral("红烧肉"), 1);
    restaurant.order(QStringLiteral("A1"), QStringLiteral("红烧肉"), -1);
    restaurant.order(QStringLiteral("A1"), QStringLiteral("可乐"), 3);
    t.exec(QStringLiteral("update xfmx set jzzdh='202612060001',jzbj='1'"));
    ReceiptPrinter printer(t.db, QStringLiteral("我的餐厅"), nullptr);
    ReceiptPrinter::Job job;
    job.number = QStringLiteral("202612060001");
    job.cashier = QStringLiteral("张三");
    job.itemCondition = QStringLiteral("xfmx.jzzdh='202612060001'");
    job.totals = {QStringLiteral("5.00"),  QStringLiteral("71.00"),  QStringLiteral("0.00"),
                  QStringLiteral("71.00"), QStringLiteral("100.00"), QStringLiteral("29.00"),
                  QStringLiteral("现金")};
    PrintSettings settings = *PrintSettings::load(t.db);
    settings.printer = QStringLiteral("小票");

    QTemporaryDir dir;
    QPrinter pdf(QPrinter::HighResolution);
    pdf.setOutputFormat(QPrinter::PdfFormat);
    pdf.setOutputFileName(dir.filePath(QStringLiteral("receipt.pdf")));
    QVERIFY(ReceiptPrinter::draw(pdf, printer.build(job, settings).drawn()));

    const QString text = pdfText(dir.filePath(QStringLiteral("receipt.pdf")));
    if (text.isEmpty())
        QSKIP("pdftotext (poppler-utils) is not available");
    for (const char* expected : {"我的餐厅", "账单号:202612060001", "收银员:张三", "56.00", "小计:热菜",
                                 "可乐", "15.00", "71.00", "找零金额", "29.00", "谢谢惠顾,欢迎再次光临!"})
        QVERIFY2(text.contains(QString::fromUtf8(expected)), expected);
    // 红烧肉 (38.5) was returned in full: not on the drawn receipt.
    QVERIFY(!text.contains(QStringLiteral("38.5")));
}

void tst_ReceiptPrinter::tableReceipt()
{
    TestDatabase t;
    Restaurant restaurant = Restaurant::withMenu(t);
    restaurant.seat(QStringLiteral("A1"));
    QList<QString> raw;
    ReceiptPrinter printer(t.db, QStringLiteral("我的餐厅"),
                           [&](const QString&, const QString&, const QString& text) {
                               raw << text;
                               return true;
                           });
    QVERIFY(!printer.printTableReceipt(QStringLiteral("A1"), QStringLiteral("张三")));
    QCOMPARE(t.prompt.texts(), QStringList{QStringLiteral("无消费记录!")});

    restaurant.order(QStringLiteral("A1"), QStringLiteral("可乐"), 1);
    t.prompt.clear();
    QVERIFY(!printer.printTableReceipt(QStringLiteral("A1"), QStringLiteral("张三")));
    QCOMPARE(t.prompt.texts(), QStringList{QStringLiteral("没有选定小票打印机!")});
    QCOMPARE(t.prompt.shown().first().caption, QStringLiteral("Orvo餐饮收银系统"));

    // Always drawn, even when the settings ask for plain text; a printer the system does not know.
    t.exec(QStringLiteral("update dysz set dyjmc='no-such-receipt-printer',yjkh='1'"));
    t.prompt.clear();
    QVERIFY(!printer.printTableReceipt(QStringLiteral("A1"), QStringLiteral("张三")));
    QCOMPARE(t.prompt.texts(), QStringList{QStringLiteral("小票打印机配置错误")});
    QVERIFY(raw.isEmpty());
}

void tst_ReceiptPrinter::plainTextGoesRaw()
{
    TestDatabase t;
    t.exec(QStringLiteral("update dysz set dyjmc='小票',yjkh='1'"));
    ReceiptPrinter::Job job;
    job.kind = Receipt::Kind::PreReceipt;
    job.number = QStringLiteral("A1");
    job.cashier = QStringLiteral("张三");
    job.itemCondition = QStringLiteral("xfmx.czm='A1'");
    job.rows = {{QStringLiteral("可乐"), QStringLiteral("1"), QStringLiteral("5"), QStringLiteral("5.00")}};
    job.totals.quantity = QStringLiteral("1.00");
    job.totals.due = QStringLiteral("5.00");
    job.documentName = QStringLiteral("A1");
    QStringList sent;
    ReceiptPrinter printer(t.db, QStringLiteral("我的餐厅"),
                           [&](const QString& document, const QString& name, const QString& text) {
                               sent << document << name << text;
                               return true;
                           });
    QVERIFY(printer.print(job));
    QCOMPARE(sent.size(), 3);
    QCOMPARE(sent.at(0), QStringLiteral("A1"));
    QCOMPARE(sent.at(1), QStringLiteral("小票"));
    QCOMPARE(
        sent.at(2).split(QLatin1Char('\n')).mid(3, 5),
        (QStringList{QStringLiteral(" 餐桌名:A1   收银员:张三"), QStringLiteral(" 时间: 2026-12-06 12:30:05"),
                     QStringLiteral(" ---------------------------------------"),
                     QStringLiteral(" 消费项目           数量    单价    金额"),
                     QStringLiteral("可乐                   1       5    5.00")}));
    QVERIFY(t.prompt.texts().isEmpty());
}

void tst_ReceiptPrinter::reprint()
{
    TestDatabase t;
    t.exec(QStringLiteral("update dysz set dyjmc='小票',yjkh='1'"));
    t.exec(QStringLiteral("insert into jzhz(zdh,czm,xfje,dzje,ssje,jzfs,jzr) "
                          "values('202612050003','A1',44,5,39,'挂账','李四')"));
    t.exec(QStringLiteral("insert into xfmx(czm,xfxm,sl,xmdj,dzbl,ysje,jzzdh,jzbj) "
                          "values('A1','红烧肉',1,38.5,1,38.5,'202612050003','1')"));
    t.exec(QStringLiteral("insert into xfmx(czm,xfxm,sl,xmdj,dzbl,ysje,jzzdh,jzbj) "
                          "values('A1','可乐',1,5,0,0,'202612050003','1')"));
    QString text;
    ReceiptPrinter printer(t.db, QStringLiteral("我的餐厅"),
                           [&](const QString&, const QString&, const QString& job) {
                               text = job;
                               return true;
                           });
    QVERIFY(!printer.printReprint(QStringLiteral("202612050099"), QStringLiteral("重打")));
    QVERIFY(printer.printReprint(QStringLiteral("202612050003"), QStringLiteral("重打")));
    const QStringList lines = text.split(QLatin1Char('\n'));
    QCOMPARE(lines.at(3), QStringLiteral(" 账单号:202612050003   收银员:李四"));
    QCOMPARE(lines.mid(7, 7),
             (QStringList{QStringLiteral("红烧肉                 1    38.5   38.50"),
                          QStringLiteral("可乐(赠)               1       5    0.00"),
                          QStringLiteral(" 合计               2.00         ￥38.50"),
                          QStringLiteral(" ---------------------------------------"),
                          QStringLiteral("优惠:          ￥5.00"), QStringLiteral("实收:          ￥39.00"),
                          QStringLiteral("结账方式:　　挂帐")}));
    QVERIFY(t.prompt.texts().isEmpty());
}

PELVAR_TEST(tst_ReceiptPrinter)
#include "tst_ReceiptPrinter.moc"
