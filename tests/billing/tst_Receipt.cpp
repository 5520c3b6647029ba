#include "Clock.h"
#include "CPrintSet.h"
#include "CupsTestQueue.h"
#include "FakeSpooler.h"
#include "Gbk.h"
#include "PrinterBox.h"
#include "ReceiptPrinter.h"
#include "Restaurant.h"
#include "Sql.h"
#include "TestMain.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;
Q_DECLARE_METATYPE(Receipt::Kind)

namespace {

const QString kSep39 = u" "_s + QString(39, u'-');
const QString kSep42 = u" "_s + QString(42, u'-');

// A receipt by 张三 at 2026-12-06 12:30:05 with these footer blank lines, paid this way.
Receipt receipt(Receipt::Kind kind, const QString& blankLines, const QString& method)
{
    Receipt r(kind, {false, {}, u"老王饭店"_s, u"电话:123"_s, u"谢谢惠顾"_s, u"欢迎再来"_s, blankLines},
              u"我的餐厅"_s);
    r.setHeader(u"202612060001"_s, u"张三"_s, QDateTime(QDate(2026, 12, 6), QTime(12, 30, 5)));
    r.setTotals({u"3.00"_s, u"84.00"_s, u"0.50"_s, u"83.50"_s, u"100.00"_s, u"16.50"_s, method});
    return r;
}

QStringList texts(const QList<Receipt::Line>& lines)
{
    QStringList out;
    for (const Receipt::Line& line : lines)
        out << line.text;
    return out;
}

} // namespace

class tst_Receipt : public QObject
{
    Q_OBJECT

private slots:
    void init() { Clock::setFixed(QDateTime(QDate(2026, 12, 6), QTime(12, 30, 5))); }
    void cleanup() { Clock::clearFixed(); }

    void plainCheckoutByteForByte()
    {
        Receipt r = receipt(Receipt::Kind::Checkout, u"1"_s, u"现金"_s);
        // Names are cut at 14 GBK bytes, or 15 where the 14th starts a character.
        r.setListedRows({{u"鱼香肉丝"_s, u"2.00"_s, u"28.00"_s, u"56.00"_s},
                         {u"ABCDEFGHIJKLM鱼香肉X(退)"_s, u"-1.00"_s, u"28.00"_s, u"-28.00"_s},
                         {u"红烧狮子头大碗"_s, u"1.00"_s, u"38.50"_s, u"38.50"_s},
                         {u"ABCDEFGHIJKL鱼香肉丝"_s, u"1.00"_s, u"8.00"_s, u"8.00"_s},
                         {u"啤酒(赠)"_s, u"2.00"_s, u"8.00"_s, u"0.00"_s}});
        const QString expected = u"老王饭店\n电话:123\n"_s + kSep39 +
                                 u"\n 账单号:202612060001   收银员:张三\n 时间: 2026-12-06 12:30:05\n"_s +
                                 kSep39 +
                                 u"\n 消费项目           数量    单价    金额\n"
                                 "鱼香肉丝            2.00   28.00   56.00\n"
                                 "ABCDEFGHIJKLM鱼    -1.00   28.00  -28.00\n"
                                 "红烧狮子头大碗      1.00   38.50   38.50\n"
                                 "ABCDEFGHIJKL鱼      1.00    8.00    8.00\n"
                                 "啤酒(赠)            2.00    8.00    0.00\n"
                                 " 合计               3.00         ￥84.00\n"_s +
                                 kSep39 +
                                 u"\n优惠:          ￥0.50\n实收:          ￥83.50\n结账方式:　　现金\n"
                                 "预收金额:      ￥100.00\n找零金额:      ￥16.50\n"_s +
                                 kSep39 + u"\n谢谢惠顾\n欢迎再来\n"_s + QString(10, u'\n');
        QCOMPARE(Gbk::encode(r.plain()), Gbk::encode(expected));
    }

    void layouts_data()
    {
        QTest::addColumn<Receipt::Kind>("kind");
        QTest::addColumn<QString>("method");
        QTest::addColumn<QString>("header"); // with the separator before it
        QTest::addColumn<bool>("amounts");   // 优惠, 实收, 结账方式
        QTest::addColumn<bool>("cash");      // 预收金额, 找零金额
        const QString bill = kSep39 + u"| 账单号:202612060001   收银员:张三"_s;
        // clang-format off
        QTest::newRow("checkout, other") << Receipt::Kind::Checkout << "其他" << bill << true << false;
        QTest::newRow("checkout, free")  << Receipt::Kind::Checkout << "免费" << bill << true << false;
        QTest::newRow("reprint, cash")   << Receipt::Kind::Reprint << "现金" << bill << true << false;
        QTest::newRow("pre-receipt")     << Receipt::Kind::PreReceipt << "现金" << kSep39 + u"| 餐桌名:202612060001   收银员:张三"_s << false << false;
        QTest::newRow("table")           << Receipt::Kind::Table << "现金" << kSep42 + u"| 餐桌名:202612060001   收银员:张三"_s << false << false;
        QTest::newRow("modified bill")   << Receipt::Kind::ModifiedBill << "现金" << kSep42 + u"| 账单号:202612060001   收银员:张三"_s << false << false;
        // clang-format on
    }

    void layouts()
    {
        QFETCH(Receipt::Kind, kind);
        QFETCH(QString, method);
        Receipt r = receipt(kind, u"0"_s, method);
        r.setListedRows({{u"可乐"_s, u"1.00"_s, u"5.00"_s, u"5.00"_s}});
        for (const QStringList& lines : {texts(r.drawn()).mid(1), r.plain().split(u'\n')}) {
            QTEST(lines.mid(2, 2).join(u'|'), "header");
            QTEST(lines.contains(u"实收:          ￥83.50"_s), "amounts");
            QTEST(lines.contains(u"找零金额:      ￥16.50"_s), "cash");
        }
        // The modified bill draws its rows as listed.
        QCOMPARE(texts(r.drawn()).contains(u"可乐                1.00    5.00    5.00"_s),
                 kind == Receipt::Kind::ModifiedBill);
    }

    // Drawn, the columns padded with blanks line up whatever mix of Chinese and Latin the names
    // hold: every amount ends where the heading's 金额 ends, every price under 单价.
    void drawnColumnsLineUp()
    {
        Receipt r = receipt(Receipt::Kind::ModifiedBill, u"0"_s, u"现金"_s);
        r.setListedRows({{u"鱼香肉丝"_s, u"2.00"_s, u"28.00"_s, u"56.00"_s},
                         {u"Coke 330ml"_s, u"2.00"_s, u"6.00"_s, u"12.00"_s},
                         {u"特色水煮鱼片A1"_s, u"1.00"_s, u"45.00"_s, u"45.00"_s}});
        QTemporaryDir dir;
        const QString pdf = dir.filePath(u"receipt.pdf"_s);
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        QVERIFY(ReceiptPrinter::draw(printer, r.drawn()));
        QProcess pdftotext;
        pdftotext.start(u"pdftotext"_s, {u"-bbox"_s, pdf, u"-"_s});
        QVERIFY2(pdftotext.waitForFinished(30000), "pdftotext (poppler-utils) did not run");
        // Each word's right edge, by its text.
        QMap<QString, double> right;
        static const QRegularExpression word(
            uR"re(<word xMin="[\d.]+" yMin="[\d.]+" xMax="([\d.]+)" yMax="[\d.]+">([^<]*)</word>)re"_s);
        const QString out = QString::fromUtf8(pdftotext.readAllStandardOutput());
        for (auto m = word.globalMatch(out); m.hasNext();) {
            const QRegularExpressionMatch w = m.next();
            right.insert(w.captured(2).normalized(QString::NormalizationForm_KC), w.captured(1).toDouble());
        }
        for (const auto& [heading, column] : {std::pair{u"金额"_s, QStringList{u"56.00"_s, u"12.00"_s}},
                                              std::pair{u"单价"_s, QStringList{u"28.00"_s, u"6.00"_s}}})
            for (const QString& value : column) {
                QVERIFY2(right.contains(heading) && right.contains(value), qPrintable(out));
                QVERIFY2(qAbs(right.value(heading) - right.value(value)) < 0.5,
                         qPrintable(heading + u' ' + value + u' ' + QString::number(right.value(heading)) +
                                    u' ' + QString::number(right.value(value))));
            }
    }

    void drawnCheckoutByCategoryOnACupsQueue()
    {
        TestDatabase t;
        Restaurant restaurant = Restaurant::withMenu(t);
        restaurant.seat("A1");
        restaurant.order("A1", "鱼香肉丝", 2);
        restaurant.order("A1", "特色水煮鱼片A1234", 1);
        restaurant.order("A1", "啤酒", 1);
        restaurant.order("A1", "啤酒", -1);
        t.exec(u"update xfmx set jzbj='1',jzzdh='202612060001' where czm='A1'"_s);
        ReceiptPrinter printer(t.db, u"我的餐厅"_s, nullptr);
        ReceiptPrinter::Job job;
        job.number = u"202612060001"_s;
        job.cashier = u"张三"_s;
        job.itemCondition = u"xfmx.jzzdh='202612060001'"_s;
        job.totals = {u"3.00"_s, u"101.00"_s, u"0.00"_s, u"101.00"_s, u"110.00"_s, u"9.00"_s, u"现金"_s};
        PrintSettings settings = *PrintSettings::load(t.db);
        settings.blankLines = u"2"_s;
        const QList<Receipt::Line> lines = printer.build(job, settings).drawn();
        QVERIFY(lines.first().title && !lines.at(1).title);
        // By category in category order, with subtotals; 酒水 was returned in full and prints nothing.
        QCOMPARE(texts(lines).join(u'\n'),
                 u"我的餐厅\n  我的餐厅\n  \n"_s + kSep39 +
                     u"\n 账单号:202612060001   收银员:张三\n"
                     " 时间: 2026-12-06 12:30:05\n"_s +
                     kSep39 +
                     u"\n 消费项目           数量    单价    金额\n"
                     "特色水煮鱼片A1      1.00   45.00   45.00\n鱼香肉丝            2.00   28.00   56.00\n"
                     "  小计:热菜         3.00          101.00\n"_s +
                     kSep39 + u"\n  合计              3.00        ￥101.00\n"_s + kSep39 +
                     u"\n优惠:          ￥0.00\n实收:          ￥101.00\n结账方式:　　现金\n预收金额:      "
                     u"￥110.00\n"
                     "找零金额:      ￥9.00\n"_s +
                     kSep39 + u"\n谢谢惠顾，欢迎再次光临！\n\n\n"_s);

        // Through a CUPS queue the printer gets the drawn page as the spooler hands it over.
        QString why;
        if (!cupsServerAnswers(why))
            QSKIP(qPrintable(why));
        Listener listener;
        Queue queue(u"receipt"_s, listener.port());
        QVERIFY(queue.added);
        t.exec(u"update dysz set yjkh='2',dyjmc="_s + Sql::quote(queue.name));
        QVERIFY(printer.print(job));
        QVERIFY(t.prompt.texts().isEmpty());
        QTRY_VERIFY_WITH_TIMEOUT(listener.jobsDone > 0, 60000);
        QVERIFY2(listener.received.startsWith("%PDF"), listener.received.left(40).constData());
        QProcess pdftotext;
        pdftotext.start(u"pdftotext"_s, {u"-layout"_s, u"-"_s, u"-"_s});
        pdftotext.write(listener.received);
        pdftotext.closeWriteChannel();
        QVERIFY2(pdftotext.waitForFinished(30000), "pdftotext (poppler-utils) did not run");
        // The font's reverse map may name a Kangxi radical for an ideograph's glyph.
        const QString text =
            QString::fromUtf8(pdftotext.readAllStandardOutput()).normalized(QString::NormalizationForm_KC);
        for (const char* expected : {"我的餐厅", "账单号:202612060001", "小计:热菜", "101.00", "找零金额",
                                     "9.00", "谢谢惠顾,欢迎再次光临!"})
            QVERIFY2(text.contains(QString::fromUtf8(expected)), expected);
        QVERIFY(!text.contains(u"啤酒"_s));
    }

    void tableReceiptAndReprint()
    {
        TestDatabase t;
        Restaurant restaurant = Restaurant::withMenu(t);
        restaurant.seat("A1");
        QString text;
        ReceiptPrinter printer(t.db, u"我的餐厅"_s, [&](const QString&, const QString&, const QString& job) {
            text = job;
            return true;
        });
        QVERIFY(!printer.printTableReceipt(u"A1"_s, u"张三"_s));
        restaurant.order("A1", "红烧肉", 1);
        restaurant.order("A1", "可乐", 1, 0);
        QVERIFY(!printer.printTableReceipt(u"A1"_s, u"张三"_s));
        QCOMPARE(t.prompt.shown().at(1).caption, u"Orvo餐饮收银系统"_s);
        // The table receipt is drawn even when plain text is asked for: on no known printer it fails.
        t.exec(u"update dysz set dyjmc='no-such-receipt-printer',yjkh='1'"_s);
        QVERIFY(!printer.printTableReceipt(u"A1"_s, u"张三"_s) && text.isEmpty());
        QCOMPARE(t.prompt.texts(), (QStringList{"无消费记录!", "没有选定小票打印机!", "小票打印机配置错误"}));

        // A settled bill printed again shows its lines as the checkout listed them.
        t.exec(u"update xfmx set jzbj='1',jzzdh='202612050003' where czm='A1' and jzbj='0'"_s);
        t.exec(
            u"insert into jzhz(zdh,czm,dzje,ssje,jzfs,jzr) values('202612050003','A1',5,33.5,'挂账','李四')"_s);
        QVERIFY(!printer.printReprint(u"202612050099"_s, u"重打"_s));
        QVERIFY(printer.printReprint(u"202612050003"_s, u"重打"_s));
        QCOMPARE(
            text.section(u'\n', 3, 13),
            u" 账单号:202612050003   收银员:李四\n 时间: 2026-12-06 12:30:05\n"_s + kSep39 +
                u"\n 消费项目           数量    单价    金额\n红烧肉              1.00   38.50   38.50\n"
                "可乐(赠)            1.00    5.00    0.00\n 合计               2.00         ￥38.50\n"_s +
                kSep39 + u"\n优惠:          ￥5.00\n实收:          ￥33.50\n结账方式:　　挂帐"_s);
    }

    void printSettingsPage()
    {
        TestDatabase t;
        t.exec(u"update dysz set jzdy='1',dyjmc='前台小票',bt1='标题一',yjkh='3',cfdy='0'"_s);
        FakeSpooler spooler;
        spooler.printers.insert(u"前台小票"_s, {});
        CPrintSet page(t.db, spooler);
        page.show();
        QVERIFY(QTest::qWaitForWindowExposed(&page));
        QCOMPARE(page.windowTitle() + page.printerBox()->currentText(), u"打印设置前台小票"_s);
        QVERIFY(page.printAtCheckout()->isChecked() && !page.kitchenPrinting()->isChecked());
        // Footer blank lines take digits only, up to 20.
        QLineEdit* blank = page.field(u"页脚空行"_s);
        blank->clear();
        QTest::keyClicks(blank, u"a2b1"_s);
        page.kitchenPrinting()->setChecked(true);
        page.save();
        QCOMPARE(t.prompt.texts(), QStringList{"页脚空行应为0到20之间的整数!"});
        QCOMPARE(QApplication::focusWidget(), blank);
        QCOMPARE(blank->selectedText(), u"21"_s);
        QTest::keyClicks(blank, u"20"_s);
        page.save();
        QCOMPARE(t.prompt.last(), u"保存成功!"_s);
        QCOMPARE(t.scalar(u"select jzdy||dyjmc||bt1||yjkh||cfdy from dysz"_s), u"1前台小票标题一201"_s);

        // A stored printer the spooler does not know now is kept, marked, and saved unchanged.
        t.exec(u"update dysz set dyjmc='旧打印机'"_s);
        CPrintSet reopened(t.db, spooler);
        QCOMPARE(reopened.printerBox()->currentText(), u"旧打印机（未找到）"_s);
        reopened.save();
        QCOMPARE(t.scalar(u"select dyjmc from dysz"_s), u"旧打印机"_s);
    }
};

PELVAR_TEST(tst_Receipt)
#include "tst_Receipt.moc"
