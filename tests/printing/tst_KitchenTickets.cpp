#include "FakeSpooler.h"
#include "Gbk.h"
#include "KitchenTickets.h"
#include "PrintStatus.h"
#include "RawPrinter.h"
#include "TestDatabase.h"
#include "TestMain.h"

#include <QTest>

using Line = KitchenTickets::Line;

namespace {

// A restaurant with three categories on two kitchen printers and four open lines at table A1.
struct Kitchen
{
    Kitchen()
    {
        t.exec(QStringLiteral("insert into lb (lbm, dyjmc, dybt, dyfs, qskh, jskh) values "
                              "('热菜', '厨房1', '热菜厨房', '1', '0', '0'), "
                              "('凉菜', '厨房2', '凉菜间', '1', '2', '3'), "
                              "('酒水', '厨房1', '吧台', '3', '5', '5')"));
        for (const char* item : {"宫保鸡丁", "拍黄瓜", "鱼香肉丝", "青岛啤酒"})
            t.exec(QStringLiteral("insert into xfmx (czm, xfxm, sl) values ('A1', '%1', 1)")
                       .arg(QString::fromUtf8(item)));
        t.exec(QStringLiteral("update xfmx set sfdy='1' where xfbh=3"));
        spooler.printers[QStringLiteral("厨房1")];
        spooler.printers[QStringLiteral("厨房2")];
        lines = {
            {QStringLiteral("1"), QStringLiteral("宫保鸡丁"), QStringLiteral("2.00"), QStringLiteral("热菜"),
             QStringLiteral("2026-12-06 12:30:05"), QString(), false},
            {QStringLiteral("2"), QStringLiteral("拍黄瓜"), QStringLiteral("1.00"), QStringLiteral("凉菜"),
             QStringLiteral("2026-12-06 12:30:09"), QStringLiteral("少放蒜"), false},
            {QStringLiteral("3"), QStringLiteral("鱼香肉丝(赠)"), QStringLiteral("1.00"),
             QStringLiteral("热菜"), QStringLiteral("2026-12-06 12:31:00"), QString(), true},
            {QStringLiteral("4"), QStringLiteral("青岛啤酒"), QStringLiteral("6.00"), QStringLiteral("酒水"),
             QStringLiteral("2026-12-06 12:31:30"), QStringLiteral("冰的"), false},
        };
    }

    void print() { tickets.PrintKitchenTickets(lines, QStringLiteral("A1")); }

    // The kitchen column of each line as stored, in line order.
    QString stored()
    {
        QString marks;
        Recordset rs = t.db.query(QStringLiteral("select sfdy from xfmx order by xfbh"));
        for (; !rs.isEOF(); rs.moveNext())
            marks += rs.getString(QStringLiteral("sfdy"));
        return marks;
    }

    // The kitchen column of each line as listed.
    QString listed() const
    {
        QString marks;
        for (const Line& line : lines)
            marks += line.printed ? QLatin1Char('1') : QLatin1Char('0');
        return marks;
    }

    TestDatabase t;
    FakeSpooler spooler;
    RawPrinter printer{spooler, t.prompt};
    QList<bool> busy;
    KitchenTickets tickets{t.db, printer, [this](bool on) { busy << on; }};
    QList<Line> lines;
};

const QString kDocument = QStringLiteral("厨打-餐桌：A1");

const QString kTicket1 = QStringLiteral("项目名:宫保鸡丁[下单]  \n"
                                        "餐桌名:A1  数量:2.00  \n"
                                        "备注:          时间:12:30:05  \n"
                                        "--------------------\n");
const QString kTicket2 = QStringLiteral("项目名:拍黄瓜[下单]    \n"
                                        "餐桌名:A1  数量:1.00  \n"
                                        "备注:少放蒜    时间:12:30:09  \n"
                                        "--------------------\n");
const QString kTicket3 = QStringLiteral("项目名:鱼香肉丝(赠)[催单]\n"
                                        "餐桌名:A1  数量:1.00  \n"
                                        "备注:          时间:12:31:00  \n"
                                        "--------------------\n");
const QString kTicket4 = QStringLiteral("项目名:青岛啤酒[下单]  \n"
                                        "餐桌名:A1  数量:6.00  \n"
                                        "备注:冰的      时间:12:31:30  \n"
                                        "--------------------\n");

} // namespace

class TestKitchenTickets : public QObject
{
    Q_OBJECT
private slots:
    void onePrinterOneJob();
    void ticket_data();
    void ticket();
    void secondTicketIsAReminder();
    void copies_data();
    void copies();
    void refusedPrinterKeepsItsLinesUnprinted_data();
    void refusedPrinterKeepsItsLinesUnprinted();
    void lineWithoutCategoryRowIsSkipped();
    void categoryNameWithAQuote();
    void nothingSelected();
    void kitchenPrintingSwitchedOff();
};

void TestKitchenTickets::onePrinterOneJob()
{
    Kitchen k;
    k.print();
    QCOMPARE(k.spooler.documents.size(), 2);
    // 酒水 shares 厨房1 with 热菜, met first: its title, blank lines and copies are those of 热菜.
    const FakeSpooler::Document& first = k.spooler.documents.at(0);
    QCOMPARE(first.printer, QStringLiteral("厨房1"));
    QCOMPARE(first.name, kDocument);
    QCOMPARE(first.bytes, Gbk::encode(QStringLiteral("热菜厨房\n") + kTicket1 + kTicket3 + kTicket4));
    const FakeSpooler::Document& second = k.spooler.documents.at(1);
    QCOMPARE(second.printer, QStringLiteral("厨房2"));
    QCOMPARE(second.name, kDocument);
    QCOMPARE(second.bytes, Gbk::encode(QStringLiteral("\n\n凉菜间\n") + kTicket2 + QStringLiteral("\n\n\n")));

    QCOMPARE(k.stored(), QStringLiteral("1111"));
    QCOMPARE(k.listed(), QStringLiteral("1111"));
    QVERIFY(k.t.prompt.shown().isEmpty());
    QCOMPARE(k.busy, (QList<bool>{true, false}));
}

void TestKitchenTickets::ticket_data()
{
    QTest::addColumn<QString>("item");
    QTest::addColumn<QString>("table");
    QTest::addColumn<QString>("quantity");
    QTest::addColumn<QString>("note");
    QTest::addColumn<bool>("printed");
    QTest::addColumn<QString>("expected");

    QTest::newRow("return line") << QStringLiteral("宫保鸡丁(退)") << QStringLiteral("A1")
                                 << QStringLiteral("-1.00") << QString() << false
                                 << QStringLiteral("项目名:宫保鸡丁(退)[下单]\n餐桌名:A1  数量:-1.00 \n"
                                                   "备注:          时间:12:30:05  \n--------------------\n");
    QTest::newRow("item of 16 bytes")
        << QStringLiteral("红烧狮子头") << QStringLiteral("B12") << QStringLiteral("12.50") << QString()
        << true
        << QStringLiteral("项目名:红烧狮子头[催单]\n餐桌名:B12 数量:12.50 \n"
                          "备注:          时间:12:30:05  \n--------------------\n");
    QTest::newRow("table of 4 bytes")
        << QStringLiteral("Cola") << QStringLiteral("贵宾") << QStringLiteral("1.00") << QString() << false
        << QStringLiteral("项目名:Cola[下单]      \n餐桌名:贵宾数量:1.00  \n"
                          "备注:          时间:12:30:05  \n--------------------\n");
    QTest::newRow("long fields kept whole")
        << QStringLiteral("红烧狮子头A") << QStringLiteral("大厅12") << QStringLiteral("1000.00")
        << QStringLiteral("不要辣多放葱花") << false
        << QStringLiteral("项目名:红烧狮子头A[下单]\n餐桌名:大厅12数量:1000.00\n"
                          "备注:不要辣多放葱花时间:12:30:05  \n"
                          "--------------------\n");
}

void TestKitchenTickets::ticket()
{
    QFETCH(QString, item);
    QFETCH(QString, table);
    QFETCH(QString, quantity);
    QFETCH(QString, note);
    QFETCH(bool, printed);
    QFETCH(QString, expected);
    const Line line{QStringLiteral("1"),
                    item,
                    quantity,
                    QStringLiteral("热菜"),
                    QStringLiteral("2026-12-06 12:30:05"),
                    note,
                    printed};
    QCOMPARE(KitchenTickets::ticket(line, table), expected);
}

void TestKitchenTickets::secondTicketIsAReminder()
{
    Kitchen k;
    k.lines = {k.lines.at(0)};
    k.print();
    k.print();
    QCOMPARE(k.spooler.documents.size(), 2);
    QCOMPARE(Gbk::decode(k.spooler.documents.at(0).bytes), QStringLiteral("热菜厨房\n") + kTicket1);
    QString reminder = kTicket1;
    reminder.replace(QStringLiteral("[下单]"), QStringLiteral("[催单]"));
    QCOMPARE(Gbk::decode(k.spooler.documents.at(1).bytes), QStringLiteral("热菜厨房\n") + reminder);
}

void TestKitchenTickets::copies_data()
{
    QTest::addColumn<QString>("copies");
    QTest::addColumn<int>("jobs");
    QTest::newRow("none") << QStringLiteral("0") << 0;
    QTest::newRow("empty") << QString() << 0;
    QTest::newRow("not a number") << QStringLiteral("abc") << 0;
    QTest::newRow("two") << QStringLiteral("2") << 2;
    QTest::newRow("two with a word") << QStringLiteral("2份") << 2;
}

void TestKitchenTickets::copies()
{
    QFETCH(QString, copies);
    QFETCH(int, jobs);
    Kitchen k;
    k.t.exec(QStringLiteral("update lb set dyfs='%1' where lbm='凉菜'").arg(copies));
    k.print();

    QList<FakeSpooler::Document> kitchen2;
    for (const FakeSpooler::Document& d : std::as_const(k.spooler.documents)) {
        if (d.printer == QStringLiteral("厨房2"))
            kitchen2 << d;
    }
    QCOMPARE(kitchen2.size(), jobs);
    for (const FakeSpooler::Document& d : std::as_const(kitchen2))
        QCOMPARE(d.bytes, Gbk::encode(QStringLiteral("\n\n凉菜间\n") + kTicket2 + QStringLiteral("\n\n\n")));
    // A category set to print no copies has nothing refused: its lines count as sent.
    QCOMPARE(k.stored(), QStringLiteral("1111"));
    QVERIFY(k.t.prompt.shown().isEmpty());
}

void TestKitchenTickets::refusedPrinterKeepsItsLinesUnprinted_data()
{
    QTest::addColumn<QString>("printer");
    QTest::addColumn<QStringList>("messages");

    QTest::newRow("paused")
        << QStringLiteral("厨房2")
        << QStringList{QStringLiteral("打印机:厨房2打印暂停中...,打印有可能漏单,打印失败,请检查此打印机!"),
                       QStringLiteral("打印机:厨房2厨打失败,其消费项目仍为未打印!")};
    QTest::newRow("unknown") << QStringLiteral("厨房9")
                             << QStringList{QStringLiteral("打印机:厨房9厨打失败,其消费项目仍为未打印!")};
    QTest::newRow("not set") << QString()
                             << QStringList{QStringLiteral("打印机:(未设置)厨打失败,其消费项目仍为未打印!")};
}

void TestKitchenTickets::refusedPrinterKeepsItsLinesUnprinted()
{
    QFETCH(QString, printer);
    QFETCH(QStringList, messages);
    Kitchen k;
    k.spooler.printers[QStringLiteral("厨房2")].status = PrinterStatus::Paused;
    k.t.exec(QStringLiteral("update lb set dyjmc='%1' where lbm='凉菜'").arg(printer));
    k.print();

    QCOMPARE(k.spooler.documents.size(), 1);
    QCOMPARE(k.spooler.documents.at(0).printer, QStringLiteral("厨房1"));
    QCOMPARE(k.stored(), QStringLiteral("1011"));
    QCOMPARE(k.listed(), QStringLiteral("1011"));
    QCOMPARE(k.t.prompt.texts(), messages);
    QCOMPARE(k.busy, (QList<bool>{true, false}));

    // Once the printer is back the line goes out as a first order, not a reminder.
    k.spooler.printers[QStringLiteral("厨房2")].status = 0;
    k.t.exec(QStringLiteral("update lb set dyjmc='厨房2' where lbm='凉菜'"));
    k.lines = {k.lines.at(1)};
    k.print();
    QCOMPARE(k.spooler.documents.size(), 2);
    QCOMPARE(Gbk::decode(k.spooler.documents.at(1).bytes),
             QStringLiteral("\n\n凉菜间\n") + kTicket2 + QStringLiteral("\n\n\n"));
    QCOMPARE(k.stored(), QStringLiteral("1111"));
}

void TestKitchenTickets::lineWithoutCategoryRowIsSkipped()
{
    Kitchen k;
    k.t.exec(QStringLiteral("delete from lb where lbm='热菜'"));
    k.print();

    // 酒水 is now the first category on 厨房1: its title, blank lines and three copies.
    QCOMPARE(k.spooler.documents.size(), 4);
    QCOMPARE(k.spooler.documents.at(0).printer, QStringLiteral("厨房2"));
    for (int copy = 1; copy <= 3; ++copy) {
        QCOMPARE(k.spooler.documents.at(copy).printer, QStringLiteral("厨房1"));
        QCOMPARE(Gbk::decode(k.spooler.documents.at(copy).bytes),
                 QStringLiteral("\n\n\n\n\n吧台\n") + kTicket4 + QStringLiteral("\n\n\n\n\n"));
    }
    QCOMPARE(k.stored(), QStringLiteral("0111"));
    QCOMPARE(k.listed(), QStringLiteral("0111"));
    QVERIFY(k.t.prompt.shown().isEmpty());
}

void TestKitchenTickets::categoryNameWithAQuote()
{
    Kitchen k;
    k.t.exec(QStringLiteral("update lb set lbm='师傅''s菜' where lbm='热菜'"));
    k.lines[0].category = QStringLiteral("师傅's菜");
    k.lines = {k.lines.at(0)};
    k.print();
    QCOMPARE(k.spooler.documents.size(), 1);
    QCOMPARE(Gbk::decode(k.spooler.documents.at(0).bytes), QStringLiteral("热菜厨房\n") + kTicket1);
    QVERIFY(k.t.prompt.shown().isEmpty());
}

void TestKitchenTickets::nothingSelected()
{
    Kitchen k;
    k.lines.clear();
    k.print();
    QCOMPARE(k.t.prompt.texts(), QStringList{QStringLiteral("请选定消费项目!")});
    QVERIFY(k.spooler.documents.isEmpty());
    QCOMPARE(k.busy, (QList<bool>{true, false}));
}

void TestKitchenTickets::kitchenPrintingSwitchedOff()
{
    Kitchen k;
    k.t.exec(QStringLiteral("update dysz set cfdy='0'"));
    k.print();
    QCOMPARE(k.t.prompt.texts(), QStringList{QStringLiteral("没有启用厨房打印功能!")});
    QVERIFY(k.spooler.documents.isEmpty());
    QCOMPARE(k.stored(), QStringLiteral("0010"));
    QCOMPARE(k.listed(), QStringLiteral("0010"));
    QCOMPARE(k.busy, (QList<bool>{true, false}));
}

PELVAR_TEST(TestKitchenTickets)
#include "tst_KitchenTickets.moc"
