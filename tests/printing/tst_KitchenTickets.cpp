#include "FakeSpooler.h"
#include "Gbk.h"
#include "KitchenTickets.h"
#include "PrintStatus.h"
#include "RawPrinter.h"
#include "TestDatabase.h"
#include "TestMain.h"

#include <QTest>

using namespace Qt::StringLiterals;
using Line = KitchenTickets::Line;

namespace {

QDateTime at(const char* time)
{
    return QDateTime(QDate(2026, 12, 6), QTime::fromString(QString::fromLatin1(time)));
}

const QString kRefused = u"打印机:厨房2打印暂停中...,打印有可能漏单,打印失败,请检查此打印机!"_s;
const QString kUnprinted = u"打印机:%1厨打失败,其消费项目仍为未打印!"_s;

} // namespace

class TestKitchenTickets : public QObject
{
    Q_OBJECT
private slots:
    void ticket_data();
    void ticket();
    void jobs_data();
    void jobs();
};

void TestKitchenTickets::ticket_data()
{
    QTest::addColumn<QString>("item");
    QTest::addColumn<QString>("table");
    QTest::addColumn<QString>("quantity");
    QTest::addColumn<QString>("note");
    QTest::addColumn<bool>("printed");
    QTest::addColumn<QString>("expected");
    // clang-format off
    QTest::newRow("return line") << "宫保鸡丁(退)" << "A1" << "-1.00" << "" << false
        << "项目名:宫保鸡丁(退)[下单]\n餐桌名:A1  数量:-1.00 \n备注:          时间:09:05:03  \n";
    QTest::newRow("item of 16 bytes, reminder") << "红烧狮子头" << "B12" << "12.50" << "" << true
        << "项目名:红烧狮子头[催单]\n餐桌名:B12 数量:12.50 \n备注:          时间:09:05:03  \n";
    QTest::newRow("table of 4 bytes") << "Cola" << "贵宾" << "1.00" << "少辣" << false
        << "项目名:Cola[下单]      \n餐桌名:贵宾数量:1.00  \n备注:少辣      时间:09:05:03  \n";
    QTest::newRow("long fields kept whole") << "红烧狮子头A" << "大厅12" << "1000.00" << "不要辣多放葱花" << false
        << "项目名:红烧狮子头A[下单]\n餐桌名:大厅12数量:1000.00\n备注:不要辣多放葱花时间:09:05:03  \n";
    // clang-format on
}

void TestKitchenTickets::ticket()
{
    QFETCH(QString, item);
    QFETCH(QString, table);
    QFETCH(QString, quantity);
    QFETCH(QString, note);
    QFETCH(bool, printed);
    QFETCH(QString, expected);
    const Line line{u"1"_s, item, quantity, u"热菜"_s, at("09:05:03"), note, printed};
    QCOMPARE(KitchenTickets::ticket(line, table), expected + u"--------------------\n"_s);
}

// Three categories on two kitchen printers, 酒水 sharing 厨房1 with 热菜 (met first, so its title,
// blank lines and copies are 热菜's), and four lines of A1, the third printed before. `documents`
// names the jobs: hot (厨房1), cold (厨房2), bar (厨房1 as 酒水 sets it up).
void TestKitchenTickets::jobs_data()
{
    QTest::addColumn<QString>("change");
    QTest::addColumn<bool>("paused"); // 厨房2
    QTest::addColumn<bool>("selected");
    QTest::addColumn<QStringList>("documents");
    QTest::addColumn<QString>("marks"); // stored / listed
    QTest::addColumn<QStringList>("messages");
    const QString noCategory = u"delete from lb where lbm='热菜'"_s;
    const QString refuseMark =
        u"create trigger r before update on xfmx when old.xfbh=4 begin select raise(abort,'磁盘已满'); end"_s;
    const QString copies = u"update lb set dyfs='%1' where dyjmc='厨房2'"_s;
    const QString printer = u"update lb set dyjmc='%1' where dyjmc='厨房2'"_s;
    // clang-format off
    QTest::newRow("one job per printer") << "" << false << true << QStringList{"hot", "cold"} << "1111/1111" << QStringList{};
    QTest::newRow("no copies") << copies.arg("0") << false << true << QStringList{"hot"} << "1111/1111" << QStringList{};
    QTest::newRow("copies empty") << copies.arg("") << false << true << QStringList{"hot"} << "1111/1111" << QStringList{};
    QTest::newRow("copies abc") << copies.arg("abc") << false << true << QStringList{"hot"} << "1111/1111" << QStringList{};
    QTest::newRow("two copies") << copies.arg("2份") << false << true << QStringList{"hot", "cold", "cold"} << "1111/1111" << QStringList{};
    QTest::newRow("paused printer") << "" << true << true << QStringList{"hot"} << "1011/1011"
                                    << QStringList{kRefused, kUnprinted.arg("厨房2")};
    QTest::newRow("unknown printer") << printer.arg("厨房9") << false << true << QStringList{"hot"} << "1011/1011"
                                     << QStringList{kUnprinted.arg("厨房9")};
    QTest::newRow("no printer set") << printer.arg("") << false << true << QStringList{"hot"} << "1011/1011"
                                    << QStringList{kUnprinted.arg("(未设置)")};
    QTest::newRow("category without row") << noCategory << false << true << QStringList{"cold", "bar", "bar", "bar"}
                                          << "0111/0111" << QStringList{};
    // The list shows what is stored, so that the next ticket of 青岛啤酒 orders it again.
    QTest::newRow("mark not stored") << refuseMark << false << true << QStringList{"hot", "cold"} << "1110/1110"
                                     << QStringList{"已送厨房但未能记为已打印,再次厨打将重复下单:青岛啤酒\nADO Error: 磁盘已满"};
    QTest::newRow("kitchen printing off") << "update dysz set cfdy='0'" << false << true << QStringList{} << "0010/0010"
                                          << QStringList{"没有启用厨房打印功能!"};
    QTest::newRow("nothing selected") << "" << false << false << QStringList{} << "0010/" << QStringList{"请选定消费项目!"};
    // clang-format on
}

void TestKitchenTickets::jobs()
{
    QFETCH(QString, change);
    QFETCH(bool, paused);
    QFETCH(bool, selected);
    QFETCH(QStringList, documents);
    TestDatabase t;
    t.exec(u"insert into lb (lbm, dyjmc, dybt, dyfs, qskh, jskh) values ('热菜', '厨房1', '热菜厨房', '1', "
           u"'0', '0'), "
           "('师傅''s凉菜', '厨房2', '凉菜间', '1', '2', '3'), ('酒水', '厨房1', '吧台', '3', '5', '5')"_s);
    t.exec(u"insert into xfmx (czm, xfxm, sl, sfdy) values ('A1', '宫保鸡丁', 2, '0'), ('A1', '拍黄瓜', 1, "
           u"'0'), "
           "('A1', '鱼香肉丝', 1, '1'), ('A1', '青岛啤酒', 6, '0')"_s);
    if (!change.isEmpty())
        t.exec(change);
    FakeSpooler spooler;
    spooler.printers[u"厨房1"_s];
    spooler.printers[u"厨房2"_s].status = paused ? PrinterStatus::Paused : 0;
    RawPrinter printer(spooler, t.prompt);
    QList<bool> busy;
    QList<Line> lines{{u"1"_s, u"宫保鸡丁"_s, u"2.00"_s, u"热菜"_s, at("12:30:05"), {}, false},
                      {u"2"_s, u"拍黄瓜"_s, u"1.00"_s, u"师傅's凉菜"_s, at("12:30:09"), u"少放蒜"_s, false},
                      {u"3"_s, u"鱼香肉丝(赠)"_s, u"1.00"_s, u"热菜"_s, at("12:31:00"), {}, true},
                      {u"4"_s, u"青岛啤酒"_s, u"6.00"_s, u"酒水"_s, at("12:31:30"), u"冰的"_s, false}};
    const QList<Line> all = lines;
    if (!selected)
        lines.clear();
    KitchenTickets(t.db, printer, [&busy](bool on) { busy << on; }).PrintKitchenTickets(lines, u"A1"_s);

    const auto ticket = [&all](int i) { return KitchenTickets::ticket(all.at(i), u"A1"_s); };
    const QHash<QString, QString> texts{
        {u"hot"_s, u"厨房1:热菜厨房\n"_s + ticket(0) + ticket(2) + ticket(3)},
        {u"cold"_s, u"厨房2:\n\n凉菜间\n"_s + ticket(1) + u"\n\n\n"_s},
        {u"bar"_s, u"厨房1:\n\n\n\n\n吧台\n"_s + ticket(3) + u"\n\n\n\n\n"_s}};
    QStringList expected, sent;
    for (const QString& document : std::as_const(documents))
        expected << texts.value(document);
    for (const FakeSpooler::Document& d : std::as_const(spooler.documents)) {
        sent << d.printer + u':' + Gbk::decode(d.bytes);
        QCOMPARE(d.name, u"厨打-餐桌：A1"_s);
    }
    QCOMPARE(sent, expected);
    QString listed;
    for (const Line& line : std::as_const(lines))
        listed += line.printed ? u'1' : u'0';
    QTEST(t.scalar(u"select group_concat(sfdy, '') from (select sfdy from xfmx order by xfbh)"_s) + u'/' +
              listed,
          "marks");
    QTEST(t.prompt.texts(), "messages");
    QCOMPARE(busy, (QList<bool>{true, false}));
}

PELVAR_TEST(TestKitchenTickets)
#include "tst_KitchenTickets.moc"
