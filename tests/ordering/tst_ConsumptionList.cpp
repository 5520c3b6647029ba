#include "Clock.h"
#include "ConsumptionList.h"
#include "EntryFile.h"
#include "Gbk.h"
#include "Sql.h"
#include "TestDatabase.h"
#include "TestMain.h"

#include <QDir>
#include <QFile>
#include <QTest>

using AddResult = ConsumptionList::AddResult;
using ReturnEntry = ConsumptionList::ReturnEntry;
using ReturnField = ConsumptionList::ReturnField;
using TransferEntry = ConsumptionList::TransferEntry;
using Answer = Prompt::Answer;

namespace {

const QString kOperator = QStringLiteral("张三");
const QDateTime kNow(QDate(2026, 12, 6), QTime(12, 30, 5));
const ConsumptionList::Dish kChicken{QStringLiteral("宫保鸡丁"), QStringLiteral("20"),
                                     QStringLiteral("热菜")};
const ConsumptionList::Dish kCola{QStringLiteral("可乐"), QStringLiteral("15"), QStringLiteral("饮料")};
const ConsumptionList::Dish kFish{QStringLiteral("清蒸鱼"), QStringLiteral("10"), QStringLiteral("热菜")};

// A small restaurant: A1 and B2 occupied, C3 free, four dishes in two categories.
struct Restaurant
{
    TestDatabase t;

    Restaurant()
    {
        Clock::setFixed(kNow);
        t.exec(QStringLiteral("insert into fj(fjm) values('大厅')"));
        for (const char* table : {"A1", "B2", "C3"})
            t.exec(QStringLiteral("insert into cz(czm,zzws,fjm) values('%1',4,'大厅')")
                       .arg(QLatin1String(table)));
        t.exec(QStringLiteral("insert into lb(lbm) values('热菜')"));
        t.exec(QStringLiteral("insert into lb(lbm) values('饮料')"));
        t.exec(QStringLiteral("insert into xm(xmbh,xmm,dj,lbm) values(1,'宫保鸡丁',20,'热菜')"));
        t.exec(QStringLiteral("insert into xm(xmbh,xmm,dj,lbm) values(2,'可乐',15,'饮料')"));
        t.exec(QStringLiteral("insert into xm(xmbh,xmm,dj,lbm) values(3,'清蒸鱼',10,'热菜')"));
        t.exec(QStringLiteral("insert into xm(xmbh,xmm,dj,lbm) values(4,'鱼,虾',8,'热菜')"));
        t.exec(QStringLiteral("insert into xm(xmbh,xmm,dj,lbm) values(5,'Tom''s 汤',12,'热菜')"));
        open(QStringLiteral("A1"), 3);
        open(QStringLiteral("B2"), 2);
    }

    void open(const QString& table, int guests)
    {
        t.exec(QStringLiteral("update cz set zyzt='占用',yzrs='%2' where czm='%1'").arg(table).arg(guests));
        t.exec(QStringLiteral("insert into dj(djbh,czm,fjm,rs,xfzt,zdbh,zdbj) "
                              "values('D%1','%1','大厅',%2,'占用','D%1','y')")
                   .arg(table)
                   .arg(guests));
    }

    // A line stored before the list is loaded.
    int line(const QString& table, const QString& dish, double quantity, double price, double ratio = 1)
    {
        t.exec(
            QStringLiteral(
                "insert into xfmx(czm,xfxm,sl,xmdj,dzbl,dzje,ysje,jzr) values(%1,%2,%3,%4,%5,%6,%7,'李四')")
                .arg(Sql::quote(table), Sql::quote(dish), Sql::money(quantity), Sql::money(price),
                     Sql::money(ratio), Sql::money((1 - ratio) * quantity * price),
                     Sql::money(ratio * quantity * price)));
        const int number = t.scalar(QStringLiteral("select max(xfbh) from xfmx")).toInt();
        // Totals as the ordering screen left them.
        t.exec(QStringLiteral("update dj set xfhj=xfhj+%1 where czm='%2'")
                   .arg(ratio * quantity * price)
                   .arg(table));
        t.exec(QStringLiteral("update cz set xfhj=xfhj+%1 where czm='%2'")
                   .arg(ratio * quantity * price)
                   .arg(table));
        return number;
    }

    QString visitTotal(const QString& table)
    {
        return Sql::money(
            t.scalar(QStringLiteral("select xfhj from dj where czm='%1' and xfzt='占用'").arg(table))
                .toDouble());
    }
    QString tableTotal(const QString& table)
    {
        return Sql::money(
            t.scalar(QStringLiteral("select xfhj from cz where czm='%1'").arg(table)).toDouble());
    }
    QString field(int number, const QString& column)
    {
        return t.scalar(QStringLiteral("select %1 from xfmx where xfbh=%2").arg(column).arg(number));
    }
    // The ordering screen opened on the table.
    ConsumptionList show(const QString& table)
    {
        ConsumptionList list(t.db, kOperator, t.folder());
        list.setTable(table);
        list.LoadConsumptionList();
        return list;
    }

    int lineCount() { return t.scalar(QStringLiteral("select count(*) from xfmx")).toInt(); }
};

// The list's totals, the visit's and the table's agree.
void checkTotals(Restaurant& r, const ConsumptionList& list, const QString& amount)
{
    QCOMPARE(list.amountTotal(), amount);
    QCOMPARE(r.visitTotal(list.table()), amount);
    QCOMPARE(r.tableTotal(list.table()), amount);
}

ConsumptionList::ReturnAsker returning(const QString& quantity, const QString& reason,
                                       ReturnEntry* seen = nullptr)
{
    return [=](ReturnEntry& entry) {
        if (seen)
            *seen = entry;
        entry.quantity = quantity;
        entry.reason = reason;
        return true;
    };
}

ConsumptionList::TransferAsker transferringTo(const QString& target, TransferEntry* seen = nullptr)
{
    return [=](TransferEntry& entry) {
        if (seen)
            *seen = entry;
        entry.target = target;
        return true;
    };
}

const ConsumptionList::ReturnAsker kNeverAsked = [](ReturnEntry&) {
    QTest::qFail("the return dialog opened", __FILE__, __LINE__);
    return false;
};

} // namespace

class TestConsumptionList : public QObject
{
    Q_OBJECT
private slots:
    void cleanup() { Clock::clearFixed(); }

    void loadsOpenLinesOfTheTableOnly();
    void rowsShowMarksAndColours();
    void choicesOfTheTableAndCategoryBoxes();
    void addLine_data();
    void addLine();
    void addLineNeedsADish();
    void nameWithAQuote();
    void lineLimit();
    void failedAddLeavesNothing();
    void switchingTables();
    void everyCommandNeedsARow_data();
    void everyCommandNeedsARow();

    void returnOneOfThreeThenTheRest();
    void returnEntryChecks_data();
    void returnEntryChecks();
    void returnLineCanBeNeitherReturnedNorDeleted();
    void lineWithReturnsCanBeNeitherGivenNorMoved();
    void giftLineCanBeNeitherReturnedNorDeleted();
    void cancelledReturnChangesNothing();
    void failedReturnChangesNothing();
    void deleteNewLine_data();
    void deleteNewLine();

    void giftAndCancel();
    void failedStatementChangesNothing_data();
    void failedStatementChangesNothing();
    void giftDeclinedChangesNothing();

    void transferToAnotherTable();
    void transferTargetChecks_data();
    void transferTargetChecks();
    void failedTransferChangesNothing();
    void transferOfANewLineKeepsTheStoredLines();

    void noteAndTasteFile();
    void noteOfAVanishedLine();

    void copyText();
    void pasteOfACopiedGiftLine();
    void foreignClipboardTextIsIgnored();
    void pasteSkipsBrokenRecords();
};

void TestConsumptionList::loadsOpenLinesOfTheTableOnly()
{
    Restaurant r;
    const int open = r.line(QStringLiteral("A1"), QStringLiteral("宫保鸡丁"), 1, 20);
    const int settled = r.line(QStringLiteral("A1"), QStringLiteral("可乐"), 2, 15);
    r.t.exec(QStringLiteral("update xfmx set jzbj='1' where xfbh=%1").arg(settled));
    r.line(QStringLiteral("A1"), QStringLiteral("撤下的菜"), 1, 99); // its dish no longer exists
    r.line(QStringLiteral("B2"), QStringLiteral("清蒸鱼"), 1, 10);
    const int second = r.line(QStringLiteral("A1"), QStringLiteral("清蒸鱼"), 2, 10);
    r.t.exec(QStringLiteral("update xfmx set sfdy='1',bz='少辣' where xfbh=%1").arg(second));

    ConsumptionList list = r.show(QStringLiteral("A1"));
    QCOMPARE(list.title(), QStringLiteral("“A1”餐桌消费清单"));
    QCOMPARE(list.lines().size(), 2);
    QCOMPARE(list.loadedLines(), 2);
    QCOMPARE(list.lines().at(0).number, open);
    QCOMPARE(list.lines().at(1).number, second);
    QStringList texts;
    for (int c = 0; c < ConsumptionLine::ColumnCount; ++c)
        texts << list.lines().at(1).text(c);
    QCOMPARE(texts, (QStringList{QString::number(second), QStringLiteral("清蒸鱼"), QStringLiteral("2"),
                                 QStringLiteral("10"), QStringLiteral("1"), QStringLiteral("20.00"),
                                 QStringLiteral("热菜"), QStringLiteral("李四"),
                                 r.field(second, QStringLiteral("xfsj")), QStringLiteral("少辣"),
                                 QStringLiteral("已打印")}));
    QCOMPARE(list.lines().at(0).text(ConsumptionLine::Printed), QStringLiteral("未打印"));
    QCOMPARE(list.quantityTotal(), QStringLiteral("3.00"));
    QCOMPARE(list.amountTotal(), QStringLiteral("40.00"));
    QCOMPARE(list.selection(), 0);
}

void TestConsumptionList::rowsShowMarksAndColours()
{
    Restaurant r;
    r.line(QStringLiteral("A1"), QStringLiteral("宫保鸡丁"), 1, 20);
    r.line(QStringLiteral("A1"), QStringLiteral("可乐"), 2, 15, 0);
    r.line(QStringLiteral("A1"), QStringLiteral("清蒸鱼"), -1, 10);
    ConsumptionList list = r.show(QStringLiteral("A1"));
    QString quantity = QStringLiteral("1");
    QCOMPARE(list.AddLine(quantity, kChicken), AddResult::Added);

    QCOMPARE(list.lines().at(0).displayName(), QStringLiteral("宫保鸡丁"));
    QCOMPARE(list.lines().at(1).displayName(), QStringLiteral("可乐(赠)"));
    QCOMPARE(list.lines().at(1).ratio, QStringLiteral("0"));
    QCOMPARE(list.lines().at(1).amount, QStringLiteral("0.00"));
    QCOMPARE(list.lines().at(2).displayName(), QStringLiteral("清蒸鱼(退)"));
    QCOMPARE(list.colour(0), QColor());
    QCOMPARE(list.colour(1), QColor(255, 153, 0));
    QCOMPARE(list.colour(2), QColor(255, 0, 0));
    QCOMPARE(list.colour(3), QColor(0, 0, 255));
    QVERIFY(!list.isNewLine(2));
    QVERIFY(list.isNewLine(3));
    QCOMPARE(list.actions(3).returnText, QStringLiteral("删除(&T)"));
    QCOMPARE(list.actions(0).returnText, QStringLiteral("退单(&T)"));
}

void TestConsumptionList::choicesOfTheTableAndCategoryBoxes()
{
    Restaurant r;
    ConsumptionList list(r.t.db, kOperator, r.t.folder());
    const QList<ConsumptionList::OccupiedTable> tables = list.occupiedTables();
    QCOMPARE(tables.size(), 2);
    QCOMPARE(tables.at(0).name, QStringLiteral("A1"));
    QCOMPARE(tables.at(0).guests, QStringLiteral("3"));
    QCOMPARE(tables.at(1).name, QStringLiteral("B2"));
    QCOMPARE(tables.at(1).guests, QStringLiteral("2"));
    QCOMPARE(list.categoryChoices(),
             (QStringList{QStringLiteral("显示全部"), QStringLiteral("热菜"), QStringLiteral("饮料")}));
}

void TestConsumptionList::addLine_data()
{
    QTest::addColumn<QString>("quantity");
    QTest::addColumn<bool>("added");
    QTest::addColumn<QString>("lineQuantity");
    QTest::addColumn<QString>("lineAmount");
    QTest::addColumn<QString>("total");
    QTest::addColumn<QString>("quantityTotal");

    QTest::newRow("1.5 x 20.00") << "1.5" << true << "1.50"
                                 << "30.00"
                                 << "50.00"
                                 << "2.50";
    QTest::newRow("-2 lowers the total") << "-2" << true << "-2.00"
                                         << "-40.00"
                                         << "-20.00"
                                         << "-1.00";
    QTest::newRow("leading numeral") << "2份" << true << "2.00"
                                     << "40.00"
                                     << "60.00"
                                     << "3.00";
    QTest::newRow("abc") << "abc" << false << ""
                         << ""
                         << "20.00"
                         << "1.00";
    QTest::newRow("0") << "0" << false << ""
                       << ""
                       << "20.00"
                       << "1.00";
    QTest::newRow("rounds to 0.00") << "0.001" << false << ""
                                    << ""
                                    << "20.00"
                                    << "1.00";
}

void TestConsumptionList::addLine()
{
    QFETCH(QString, quantity);
    QFETCH(bool, added);
    QFETCH(QString, lineQuantity);
    QFETCH(QString, lineAmount);
    QFETCH(QString, total);
    QFETCH(QString, quantityTotal);
    Restaurant r;
    r.line(QStringLiteral("A1"), QStringLiteral("宫保鸡丁"), 1, 20);
    ConsumptionList list = r.show(QStringLiteral("A1"));

    QString text = quantity;
    const AddResult result = list.AddLine(text, kChicken);
    QCOMPARE(list.changed(), added);
    checkTotals(r, list, total);
    QCOMPARE(list.quantityTotal(), quantityTotal);
    if (!added) {
        QCOMPARE(result, AddResult::BadQuantity);
        QCOMPARE(text, quantity);
        QCOMPARE(r.t.prompt.texts(), QStringList{QStringLiteral("请指定消费数量!")});
        QCOMPARE(list.lines().size(), 1);
        QCOMPARE(r.lineCount(), 1);
        return;
    }
    QCOMPARE(result, AddResult::Added);
    QCOMPARE(text, QStringLiteral("1"));
    QVERIFY(r.t.prompt.texts().isEmpty());
    QCOMPARE(list.lines().size(), 2);
    QCOMPARE(list.selection(), 1);
    const ConsumptionLine& line = list.lines().at(1);
    QCOMPARE(line.quantity, lineQuantity);
    QCOMPARE(line.amount, lineAmount);
    QCOMPARE(line.price, QStringLiteral("20"));
    QCOMPARE(line.ratio, QStringLiteral("1.00"));
    QCOMPARE(line.category, QStringLiteral("热菜"));
    QCOMPARE(line.operatorName, kOperator);
    QCOMPARE(line.time, QStringLiteral("2026-12-06 12:30:05"));
    QCOMPARE(line.printed, false);

    // The stored row is the listed one.
    QCOMPARE(Sql::money(r.field(line.number, QStringLiteral("sl")).toDouble()), lineQuantity);
    QCOMPARE(Sql::money(r.field(line.number, QStringLiteral("ysje")).toDouble()), lineAmount);
    QCOMPARE(r.field(line.number, QStringLiteral("dzje")), QStringLiteral("0"));
    QCOMPARE(r.field(line.number, QStringLiteral("dzbl")), QStringLiteral("1"));
    QCOMPARE(r.field(line.number, QStringLiteral("xmdj")), QStringLiteral("20"));
    QCOMPARE(r.field(line.number, QStringLiteral("xfxm")), QStringLiteral("宫保鸡丁"));
    QCOMPARE(r.field(line.number, QStringLiteral("jzr")), kOperator);
    QCOMPARE(r.field(line.number, QStringLiteral("xfsj")), QStringLiteral("2026-12-06 12:30:05"));
    QCOMPARE(r.field(line.number, QStringLiteral("jzbj")), QStringLiteral("0"));
    QCOMPARE(r.field(line.number, QStringLiteral("sfdy")), QStringLiteral("0"));
}

void TestConsumptionList::addLineNeedsADish()
{
    Restaurant r;
    ConsumptionList list = r.show(QStringLiteral("A1"));
    QString quantity = QStringLiteral("2");
    QCOMPARE(list.AddLine(quantity, {}), AddResult::NoDish);
    QCOMPARE(quantity, QStringLiteral("2.00"));
    QCOMPARE(r.t.prompt.texts(), QStringList{QStringLiteral("请选定消费项目!")});
    QCOMPARE(r.lineCount(), 0);
    QVERIFY(!list.changed());
}

void TestConsumptionList::nameWithAQuote()
{
    Restaurant r;
    ConsumptionList list(r.t.db, QStringLiteral("O'Brien"), r.t.folder());
    list.setTable(QStringLiteral("A1"));
    list.LoadConsumptionList();
    QString quantity = QStringLiteral("1");
    QCOMPARE(
        list.AddLine(quantity, {QStringLiteral("Tom's 汤"), QStringLiteral("12"), QStringLiteral("热菜")}),
        AddResult::Added);
    list.LoadConsumptionList();
    QCOMPARE(list.lines().size(), 1);
    QCOMPARE(list.lines().at(0).name, QStringLiteral("Tom's 汤"));
    QCOMPARE(list.lines().at(0).operatorName, QStringLiteral("O'Brien"));
    checkTotals(r, list, QStringLiteral("12.00"));
}

void TestConsumptionList::lineLimit()
{
    Restaurant r;
    r.t.exec(QStringLiteral("with recursive n(i) as (select 1 union all select i+1 from n where i<9000) "
                            "insert into xfmx(czm,xfxm,sl,xmdj,dzbl,ysje,jzr) "
                            "select 'A1','可乐',1,15,1,15,'李四' from n"));
    ConsumptionList list = r.show(QStringLiteral("A1"));
    QCOMPARE(list.lines().size(), 9000);
    const ConsumptionList::Dish colakCola;
    QString quantity = QStringLiteral("1");
    QCOMPARE(list.AddLine(quantity, kCola), AddResult::Added);
    QCOMPARE(list.lines().size(), 9001);
    QCOMPARE(list.AddLine(quantity, kCola), AddResult::TooMany);
    QCOMPARE(r.t.prompt.texts(), QStringList{QStringLiteral("消费项目超过系统限制!")});
    QCOMPARE(r.lineCount(), 9001);
    checkTotals(r, list, QStringLiteral("135015.00"));
}

void TestConsumptionList::failedAddLeavesNothing()
{
    Restaurant r;
    r.line(QStringLiteral("A1"), QStringLiteral("宫保鸡丁"), 1, 20);
    ConsumptionList list = r.show(QStringLiteral("A1"));
    // The line is written, then the table's total is refused: the line must go too.
    r.t.exec(
        QStringLiteral("create trigger refuse before update on cz begin select raise(abort,'refused'); end"));
    QString quantity = QStringLiteral("2");
    QCOMPARE(list.AddLine(quantity, kCola), AddResult::Failed);
    QCOMPARE(r.t.prompt.texts(), QStringList{QStringLiteral("增加消费发生异常,增加失败!")});
    QCOMPARE(r.lineCount(), 1);
    QCOMPARE(list.lines().size(), 1);
    QCOMPARE(r.visitTotal(QStringLiteral("A1")), QStringLiteral("20.00"));
    QVERIFY(!list.changed());
}

void TestConsumptionList::switchingTables()
{
    Restaurant r;
    r.line(QStringLiteral("A1"), QStringLiteral("宫保鸡丁"), 1, 20);
    r.line(QStringLiteral("B2"), QStringLiteral("可乐"), 2, 15);
    ConsumptionList list = r.show(QStringLiteral("A1"));
    QString quantity = QStringLiteral("1");
    QCOMPARE(list.AddLine(quantity, kFish), AddResult::Added);

    list.setTable(QStringLiteral("B2"));
    list.LoadConsumptionList();
    QVERIFY(list.RecalcTotals());
    QCOMPARE(list.lines().size(), 1);
    QCOMPARE(list.lines().at(0).name, QStringLiteral("可乐"));
    checkTotals(r, list, QStringLiteral("30.00"));
    QCOMPARE(list.AddLine(quantity, kFish), AddResult::Added);
    checkTotals(r, list, QStringLiteral("40.00"));

    list.setTable(QStringLiteral("A1"));
    list.LoadConsumptionList();
    QCOMPARE(list.lines().size(), 2);
    checkTotals(r, list, QStringLiteral("30.00"));
}

void TestConsumptionList::everyCommandNeedsARow_data()
{
    QTest::addColumn<int>("command");
    QTest::addColumn<int>("row");
    for (int command = 0; command < 5; ++command) {
        QTest::addRow("command %d, none", command) << command << -1;
        QTest::addRow("command %d, past the end", command) << command << 1;
    }
}

void TestConsumptionList::everyCommandNeedsARow()
{
    QFETCH(int, command);
    QFETCH(int, row);
    Restaurant r;
    r.line(QStringLiteral("A1"), QStringLiteral("宫保鸡丁"), 1, 20);
    ConsumptionList list = r.show(QStringLiteral("A1"));
    bool done = true;
    switch (command) {
    case 0:
        done = list.ReturnOrDeleteLine(row, kNeverAsked);
        break;
    case 1:
        done = list.ToggleGift(row);
        break;
    case 2:
        done = list.TransferLine(row, transferringTo(QStringLiteral("B2")));
        break;
    case 3:
        done = list.SetNote(row, QStringLiteral("少辣"));
        break;
    case 4:
        done = !list.CopyLines(row < 0 ? QList<int>{} : QList<int>{0, row}).isEmpty();
        break;
    }
    QVERIFY(!done);
    QCOMPARE(r.t.prompt.texts(), QStringList{QStringLiteral("请选定消费项目!")});
    QCOMPARE(r.lineCount(), 1);
    QCOMPARE(r.field(1, QStringLiteral("czm")), QStringLiteral("A1"));
    QCOMPARE(r.field(1, QStringLiteral("dzbl")), QStringLiteral("1"));
    QCOMPARE(r.field(1, QStringLiteral("bz")), QString());
}

void TestConsumptionList::returnOneOfThreeThenTheRest()
{
    Restaurant r;
    r.line(QStringLiteral("A1"), QStringLiteral("可乐"), 1, 15);
    const int fish = r.line(QStringLiteral("A1"), QStringLiteral("清蒸鱼"), 3, 10);
    EntryFile(r.t.folder(), ConsumptionList::kReturnReasonFile).remember(QStringLiteral("上错菜"));
    ConsumptionList list = r.show(QStringLiteral("A1"));

    ReturnEntry seen;
    QVERIFY(list.ReturnOrDeleteLine(1, returning(QStringLiteral("1"), QStringLiteral("凉了"), &seen)));
    QCOMPARE(seen.name, QStringLiteral("清蒸鱼"));
    QCOMPARE(seen.returnableText, QStringLiteral("3.00"));
    QCOMPARE(seen.quantity, QStringLiteral("3.00"));
    QCOMPARE(seen.reasons, QStringList{QStringLiteral("上错菜")});
    QVERIFY(r.t.prompt.texts().isEmpty());
    QVERIFY(list.changed());

    QCOMPARE(list.lines().size(), 3);
    const ConsumptionLine back = list.lines().at(2);
    QCOMPARE(back.quantity, QStringLiteral("-1.00"));
    QCOMPARE(back.amount, QStringLiteral("-10.00"));
    QCOMPARE(back.price, QStringLiteral("10"));
    QCOMPARE(back.ratio, QStringLiteral("1"));
    QCOMPARE(back.note, QStringLiteral("凉了"));
    QCOMPARE(back.category, QStringLiteral("热菜"));
    QCOMPARE(back.operatorName, kOperator);
    QCOMPARE(list.colour(2), QColor(255, 0, 0));
    QCOMPARE(r.field(back.number, QStringLiteral("sl")), QStringLiteral("-1"));
    QCOMPARE(r.field(back.number, QStringLiteral("ysje")), QStringLiteral("-10"));
    QCOMPARE(Sql::money(r.field(back.number, QStringLiteral("dzje")).toDouble()), QStringLiteral("0.00"));
    QCOMPARE(r.field(back.number, QStringLiteral("tdbj")), QStringLiteral("1.00"));
    QCOMPARE(r.field(back.number, QStringLiteral("tdbz")), QStringLiteral("凉了"));
    QCOMPARE(r.field(back.number, QStringLiteral("jzr")), kOperator);
    QCOMPARE(r.field(fish, QStringLiteral("tdsl")), QStringLiteral("1"));
    QCOMPARE(r.field(fish, QStringLiteral("tdbj")), QStringLiteral("1"));
    checkTotals(r, list, QStringLiteral("35.00"));
    // The new reason joins the file, after the old one.
    QFile reasons(QDir(r.t.folder()).filePath(QStringLiteral("退单原因.txt")));
    QVERIFY(reasons.open(QIODevice::ReadOnly));
    QCOMPARE(reasons.readAll(), Gbk::encode(QStringLiteral("上错菜\r\n凉了\r\n")));

    // The second return offers what is left; after it nothing is left.
    QVERIFY(list.ReturnOrDeleteLine(1, returning(QStringLiteral("2"), QStringLiteral("凉了"), &seen)));
    QCOMPARE(seen.returnableText, QStringLiteral("2.00"));
    QCOMPARE(r.field(fish, QStringLiteral("tdsl")), QStringLiteral("3"));
    checkTotals(r, list, QStringLiteral("15.00"));
    QVERIFY(!list.ReturnOrDeleteLine(1, kNeverAsked));
    QCOMPARE(r.t.prompt.texts(), QStringList{QStringLiteral("此项目已经退单!")});
    QCOMPARE(EntryFile(r.t.folder(), ConsumptionList::kReturnReasonFile).entries().size(), 2);
}

void TestConsumptionList::returnEntryChecks_data()
{
    QTest::addColumn<QString>("quantity");
    QTest::addColumn<QString>("reason");
    QTest::addColumn<QString>("message");
    QTest::addColumn<int>("focus");

    const int none = int(ReturnField::None), quantity = int(ReturnField::Quantity),
              reason = int(ReturnField::Reason);
    QTest::newRow("all") << "3.00"
                         << "凉了"
                         << "" << none;
    QTest::newRow("part") << "0.5"
                          << "凉了"
                          << "" << none;
    QTest::newRow("zero") << "0"
                          << "凉了"
                          << "请指定数量!" << quantity;
    QTest::newRow("negative") << "-1"
                              << "凉了"
                              << "请指定数量!" << quantity;
    QTest::newRow("not a number") << "abc"
                                  << "凉了"
                                  << "请指定数量!" << quantity;
    QTest::newRow("empty") << ""
                           << "凉了"
                           << "请指定数量!" << quantity;
    QTest::newRow("more than left") << "3.01"
                                    << "凉了"
                                    << "数量不正确，请从新输入!" << quantity;
    QTest::newRow("no reason") << "1"
                               << ""
                               << "退菜原因不能为空!" << reason;
    QTest::newRow("blank reason") << "1"
                                  << "  "
                                  << "退菜原因不能为空!" << reason;
}

void TestConsumptionList::returnEntryChecks()
{
    QFETCH(QString, quantity);
    QFETCH(QString, reason);
    QFETCH(QString, message);
    QFETCH(int, focus);
    Restaurant r;
    const int fish = r.line(QStringLiteral("A1"), QStringLiteral("清蒸鱼"), 3, 10);
    ConsumptionList list = r.show(QStringLiteral("A1"));

    ReturnEntry entry;
    entry.returnable = 3;
    entry.quantity = quantity;
    entry.reason = reason;
    ReturnField field = ReturnField::Reason;
    QCOMPARE(list.checkReturnEntry(entry, &field), message.isEmpty());
    QCOMPARE(int(field), focus);
    QCOMPARE(r.t.prompt.texts(), message.isEmpty() ? QStringList() : QStringList{message});

    // A dialog that confirms anyway books nothing that the check refuses.
    r.t.prompt.clear();
    QCOMPARE(list.ReturnOrDeleteLine(0, returning(quantity, reason)), message.isEmpty());
    QCOMPARE(r.lineCount(), message.isEmpty() ? 2 : 1);
    QCOMPARE(r.field(fish, QStringLiteral("tdsl")).toDouble(), message.isEmpty() ? quantity.toDouble() : 0.0);
}

void TestConsumptionList::returnLineCanBeNeitherReturnedNorDeleted()
{
    Restaurant r;
    r.line(QStringLiteral("A1"), QStringLiteral("清蒸鱼"), 3, 10);
    ConsumptionList list = r.show(QStringLiteral("A1"));
    QVERIFY(list.ReturnOrDeleteLine(0, returning(QStringLiteral("1"), QStringLiteral("凉了"))));

    // Still a new line: it cannot be deleted.
    QVERIFY(list.isNewLine(1));
    QVERIFY(!list.ReturnOrDeleteLine(1, kNeverAsked));
    QCOMPARE(r.t.prompt.texts(), QStringList{QStringLiteral("退单项目不能删除!")});

    // Once stored, it offers no return, silently.
    r.t.prompt.clear();
    list.LoadConsumptionList();
    QVERIFY(!list.isNewLine(1));
    QVERIFY(!list.ReturnOrDeleteLine(1, kNeverAsked));
    QVERIFY(r.t.prompt.texts().isEmpty());
    QCOMPARE(r.lineCount(), 2);
    checkTotals(r, list, QStringLiteral("20.00"));
}

void TestConsumptionList::lineWithReturnsCanBeNeitherGivenNorMoved()
{
    Restaurant r;
    const int fish = r.line(QStringLiteral("A1"), QStringLiteral("清蒸鱼"), 3, 10);
    ConsumptionList list = r.show(QStringLiteral("A1"));
    QVERIFY(list.ReturnOrDeleteLine(0, returning(QStringLiteral("1"), QStringLiteral("凉了"))));
    r.t.prompt.answer(Answer::Yes);
    for (int row : {0, 1}) { // the returned line and the return line itself
        r.t.prompt.clear();
        QVERIFY(!list.ToggleGift(row));
        QVERIFY(!list.TransferLine(row, transferringTo(QStringLiteral("B2"))));
        QCOMPARE(r.t.prompt.texts(), (QStringList{QStringLiteral("执行过退单操作的项目不能赠送!"),
                                                  QStringLiteral("执行过退单操作的项目不能转单!")}));
    }
    QCOMPARE(r.t.scalar(QStringLiteral("select count(*) from xfmx where czm='A1' and dzbl=1")),
             QStringLiteral("2"));
    QCOMPARE(r.field(fish, QStringLiteral("czm")), QStringLiteral("A1"));
    QCOMPARE(r.visitTotal(QStringLiteral("B2")), QStringLiteral("0.00"));
}

void TestConsumptionList::giftLineCanBeNeitherReturnedNorDeleted()
{
    Restaurant r;
    r.line(QStringLiteral("A1"), QStringLiteral("可乐"), 2, 15, 0);
    ConsumptionList list = r.show(QStringLiteral("A1"));
    QVERIFY(!list.ReturnOrDeleteLine(0, kNeverAsked));
    QCOMPARE(r.t.prompt.texts(), QStringList{QStringLiteral("赠送的项目不能退单!")});
    QString quantity = QStringLiteral("1");
    QCOMPARE(list.AddLine(quantity, kChicken), AddResult::Added);
    r.t.prompt.answer(Answer::Yes);
    QVERIFY(list.ToggleGift(1));
    r.t.prompt.clear();
    QVERIFY(!list.ReturnOrDeleteLine(1, kNeverAsked));
    QVERIFY(!list.TransferLine(0, transferringTo(QStringLiteral("B2"))));
    QCOMPARE(r.t.prompt.texts(),
             (QStringList{QStringLiteral("赠单项目不能删除!"), QStringLiteral("赠送的项目不能转单!")}));
    QCOMPARE(r.lineCount(), 2);
}

void TestConsumptionList::cancelledReturnChangesNothing()
{
    Restaurant r;
    const int fish = r.line(QStringLiteral("A1"), QStringLiteral("清蒸鱼"), 3, 10);
    ConsumptionList list = r.show(QStringLiteral("A1"));
    QVERIFY(!list.ReturnOrDeleteLine(0, [](ReturnEntry& e) {
        e.quantity = QStringLiteral("1");
        e.reason = QStringLiteral("凉了");
        return false;
    }));
    QCOMPARE(r.lineCount(), 1);
    QCOMPARE(r.field(fish, QStringLiteral("tdsl")), QStringLiteral("0"));
    QVERIFY(!QFile::exists(QDir(r.t.folder()).filePath(ConsumptionList::kReturnReasonFile)));
    QVERIFY(!list.changed());
}

void TestConsumptionList::failedReturnChangesNothing()
{
    Restaurant r;
    const int fish = r.line(QStringLiteral("A1"), QStringLiteral("清蒸鱼"), 3, 10);
    ConsumptionList list = r.show(QStringLiteral("A1"));
    r.t.exec(QStringLiteral(
        "create trigger refuse before update of tdsl on xfmx begin select raise(abort,'refused'); end"));
    QVERIFY(!list.ReturnOrDeleteLine(0, returning(QStringLiteral("1"), QStringLiteral("凉了"))));
    QCOMPARE(r.t.prompt.texts(), QStringList{QStringLiteral("退单发生异常,退单失败!")});
    QCOMPARE(r.lineCount(), 1);
    QCOMPARE(list.lines().size(), 1);
    QCOMPARE(r.field(fish, QStringLiteral("tdbj")), QString());
    checkTotals(r, list, QStringLiteral("30.00"));
    QVERIFY(!list.changed());
}

void TestConsumptionList::deleteNewLine_data()
{
    QTest::addColumn<bool>("yes");
    QTest::newRow("yes") << true;
    QTest::newRow("no") << false;
}

void TestConsumptionList::deleteNewLine()
{
    QFETCH(bool, yes);
    Restaurant r;
    r.line(QStringLiteral("A1"), QStringLiteral("清蒸鱼"), 3, 10);
    ConsumptionList list = r.show(QStringLiteral("A1"));
    QString quantity = QStringLiteral("1");
    for (int i = 0; i < 2; ++i)
        QCOMPARE(list.AddLine(quantity, kCola), AddResult::Added);
    const int first = list.lines().at(1).number;
    const int second = list.lines().at(2).number;

    r.t.prompt.answer(yes ? Answer::Yes : Answer::No);
    QCOMPARE(list.ReturnOrDeleteLine(1, kNeverAsked), yes);
    QCOMPARE(r.t.prompt.texts(), QStringList{QStringLiteral("真的要删除选定项目吗？")});
    QCOMPARE(r.t.scalar(QStringLiteral("select count(*) from xfmx where xfbh=%1").arg(first)),
             yes ? QStringLiteral("0") : QStringLiteral("1"));
    QCOMPARE(r.t.scalar(QStringLiteral("select count(*) from xfmx where xfbh=%1").arg(second)),
             QStringLiteral("1"));
    QCOMPARE(list.lines().size(), yes ? 2 : 3);
    QCOMPARE(list.lines().last().number, second);
    if (yes)
        QCOMPARE(list.selection(), 0);
    checkTotals(r, list, yes ? QStringLiteral("45.00") : QStringLiteral("60.00"));
}

void TestConsumptionList::giftAndCancel()
{
    Restaurant r;
    r.line(QStringLiteral("A1"), QStringLiteral("宫保鸡丁"), 1, 20);
    const int cola = r.line(QStringLiteral("A1"), QStringLiteral("可乐"), 2, 15);
    ConsumptionList list = r.show(QStringLiteral("A1"));

    r.t.prompt.answer(Answer::Yes);
    QVERIFY(list.ToggleGift(1));
    QCOMPARE(r.t.prompt.texts(), QStringList{QStringLiteral("真的要赠送'可乐'吗？")});
    const ConsumptionLine& line = list.lines().at(1);
    QCOMPARE(line.displayName(), QStringLiteral("可乐(赠)"));
    QCOMPARE(line.ratio, QStringLiteral("0"));
    QCOMPARE(line.amount, QStringLiteral("0"));
    QCOMPARE(list.colour(1), QColor(255, 153, 0));
    QCOMPARE(list.actions(1).giftText, QStringLiteral("不赠(&S)"));
    QCOMPARE(list.selection(), 1);
    QCOMPARE(r.field(cola, QStringLiteral("dzbl")), QStringLiteral("0"));
    QCOMPARE(r.field(cola, QStringLiteral("dzje")), QStringLiteral("30"));
    QCOMPARE(r.field(cola, QStringLiteral("ysje")), QStringLiteral("0"));
    checkTotals(r, list, QStringLiteral("20.00"));
    QVERIFY(list.changed());

    r.t.prompt.clear();
    r.t.prompt.answer(Answer::Yes);
    QVERIFY(list.ToggleGift(1));
    QCOMPARE(r.t.prompt.texts(), QStringList{QStringLiteral("真的要取消'可乐'的赠送吗？")});
    QCOMPARE(list.lines().at(1).displayName(), QStringLiteral("可乐"));
    QCOMPARE(list.lines().at(1).ratio, QStringLiteral("1.00"));
    QCOMPARE(list.lines().at(1).amount, QStringLiteral("30.00"));
    QCOMPARE(list.colour(1), QColor());
    QCOMPARE(list.actions(1).giftText, QStringLiteral("赠送(&S)"));
    QCOMPARE(r.field(cola, QStringLiteral("dzbl")), QStringLiteral("1"));
    QCOMPARE(r.field(cola, QStringLiteral("dzje")), QStringLiteral("0"));
    QCOMPARE(r.field(cola, QStringLiteral("ysje")), QStringLiteral("30"));
    checkTotals(r, list, QStringLiteral("50.00"));
}

void TestConsumptionList::giftDeclinedChangesNothing()
{
    Restaurant r;
    const int cola = r.line(QStringLiteral("A1"), QStringLiteral("可乐"), 2, 15);
    ConsumptionList list = r.show(QStringLiteral("A1"));
    QVERIFY(!list.ToggleGift(0));
    QCOMPARE(r.t.prompt.texts(), QStringList{QStringLiteral("真的要赠送'可乐'吗？")});
    QCOMPARE(list.lines().at(0).ratio, QStringLiteral("1"));
    QCOMPARE(r.field(cola, QStringLiteral("dzbl")), QStringLiteral("1"));
    QVERIFY(!list.changed());
}

void TestConsumptionList::failedStatementChangesNothing_data()
{
    QTest::addColumn<int>("command");
    QTest::newRow("gift") << 0;
    QTest::newRow("delete") << 1;
    QTest::newRow("note") << 2;
}

void TestConsumptionList::failedStatementChangesNothing()
{
    QFETCH(int, command);
    Restaurant r;
    ConsumptionList list = r.show(QStringLiteral("A1"));
    QString quantity = QStringLiteral("2");
    QCOMPARE(list.AddLine(quantity, kCola), AddResult::Added);
    const ConsumptionLine before = list.lines().at(0);
    r.t.exec(QStringLiteral(
        "create trigger refuse_update before update on xfmx begin select raise(abort,'refused'); end"));
    r.t.exec(QStringLiteral(
        "create trigger refuse_delete before delete on xfmx begin select raise(abort,'refused'); end"));
    r.t.prompt.clear();
    r.t.prompt.answer(Answer::Yes);
    switch (command) {
    case 0:
        QVERIFY(!list.ToggleGift(0));
        break;
    case 1:
        QVERIFY(!list.ReturnOrDeleteLine(0, kNeverAsked));
        break;
    case 2:
        QVERIFY(!list.SetNote(0, QStringLiteral("少辣")));
        break;
    }
    QCOMPARE(r.t.prompt.texts().size(), command == 2 ? 1 : 2);
    QCOMPARE(r.t.prompt.last(), QStringLiteral("ADO Error: refused"));
    QCOMPARE(list.lines().size(), 1);
    QCOMPARE(list.lines().at(0).ratio, before.ratio);
    QCOMPARE(list.lines().at(0).note, before.note);
    QCOMPARE(r.field(before.number, QStringLiteral("dzbl")), QStringLiteral("1"));
    QCOMPARE(r.field(before.number, QStringLiteral("bz")), QString());
    checkTotals(r, list, QStringLiteral("30.00"));
}

void TestConsumptionList::transferToAnotherTable()
{
    Restaurant r;
    r.line(QStringLiteral("A1"), QStringLiteral("宫保鸡丁"), 1, 20);
    const int cola = r.line(QStringLiteral("A1"), QStringLiteral("可乐"), 2, 15);
    r.line(QStringLiteral("B2"), QStringLiteral("清蒸鱼"), 1, 10);
    ConsumptionList list = r.show(QStringLiteral("A1"));

    TransferEntry seen;
    QVERIFY(list.TransferLine(1, transferringTo(QStringLiteral("B2"), &seen)));
    QCOMPARE(seen.table, QStringLiteral("A1"));
    QCOMPARE(seen.name, QStringLiteral("可乐"));
    QCOMPARE(seen.amount, QStringLiteral("30.00"));
    QVERIFY(r.t.prompt.texts().isEmpty());
    QCOMPARE(list.lines().size(), 1);
    QCOMPARE(list.loadedLines(), 1);
    QCOMPARE(list.selection(), 0);
    QVERIFY(list.changed());
    checkTotals(r, list, QStringLiteral("20.00"));
    QCOMPARE(r.field(cola, QStringLiteral("czm")), QStringLiteral("B2"));
    QCOMPARE(r.visitTotal(QStringLiteral("B2")), QStringLiteral("40.00"));
    QCOMPARE(r.tableTotal(QStringLiteral("B2")), QStringLiteral("40.00"));

    list.setTable(QStringLiteral("B2"));
    list.LoadConsumptionList();
    QCOMPARE(list.lines().size(), 2);
    QCOMPARE(list.lines().at(0).number, cola);
    QCOMPARE(list.amountTotal(), QStringLiteral("40.00"));
}

void TestConsumptionList::transferTargetChecks_data()
{
    QTest::addColumn<QString>("target");
    QTest::addColumn<QString>("message");
    QTest::newRow("occupied") << "B2"
                              << "";
    QTest::newRow("current table") << "A1"
                                   << "目标餐桌不能是当前餐桌!";
    QTest::newRow("free") << "C3"
                          << "请指定为占用的餐桌!";
    QTest::newRow("unknown") << "Z9"
                             << "请指定为占用的餐桌!";
    QTest::newRow("empty") << ""
                           << "请指定为占用的餐桌!";
    QTest::newRow("quote") << "B2' or '1'='1"
                           << "请指定为占用的餐桌!";
}

void TestConsumptionList::transferTargetChecks()
{
    QFETCH(QString, target);
    QFETCH(QString, message);
    Restaurant r;
    const int cola = r.line(QStringLiteral("A1"), QStringLiteral("可乐"), 2, 15);
    ConsumptionList list = r.show(QStringLiteral("A1"));
    QCOMPARE(list.checkTransferTarget(target), message.isEmpty());
    QCOMPARE(r.t.prompt.texts(), message.isEmpty() ? QStringList() : QStringList{message});

    // A dialog that confirms anyway moves nothing that the check refuses.
    r.t.prompt.clear();
    QCOMPARE(list.TransferLine(0, transferringTo(target)), message.isEmpty());
    QCOMPARE(r.field(cola, QStringLiteral("czm")),
             message.isEmpty() ? QStringLiteral("B2") : QStringLiteral("A1"));
    QCOMPARE(list.lines().size(), message.isEmpty() ? 0 : 1);
    checkTotals(r, list, message.isEmpty() ? QStringLiteral("0.00") : QStringLiteral("30.00"));
}

void TestConsumptionList::failedTransferChangesNothing()
{
    Restaurant r;
    const int cola = r.line(QStringLiteral("A1"), QStringLiteral("可乐"), 2, 15);
    r.line(QStringLiteral("B2"), QStringLiteral("清蒸鱼"), 1, 10);
    ConsumptionList list = r.show(QStringLiteral("A1"));
    // The line and the target's visit are rewritten, then the target table refuses.
    r.t.exec(QStringLiteral("create trigger refuse before update on cz when old.czm='B2' "
                            "begin select raise(abort,'refused'); end"));
    QVERIFY(!list.TransferLine(0, transferringTo(QStringLiteral("B2"))));
    QCOMPARE(r.t.prompt.texts(), QStringList{QStringLiteral("转单发生异常,转单失败!")});
    QCOMPARE(r.field(cola, QStringLiteral("czm")), QStringLiteral("A1"));
    QCOMPARE(r.visitTotal(QStringLiteral("B2")), QStringLiteral("10.00"));
    QCOMPARE(list.lines().size(), 1);
    QCOMPARE(list.loadedLines(), 1);
    checkTotals(r, list, QStringLiteral("30.00"));
    QVERIFY(!list.changed());
}

void TestConsumptionList::transferOfANewLineKeepsTheStoredLines()
{
    Restaurant r;
    r.line(QStringLiteral("A1"), QStringLiteral("宫保鸡丁"), 1, 20);
    ConsumptionList list = r.show(QStringLiteral("A1"));
    QString quantity = QStringLiteral("1");
    for (int i = 0; i < 2; ++i)
        QCOMPARE(list.AddLine(quantity, kCola), AddResult::Added);
    QVERIFY(list.TransferLine(1, transferringTo(QStringLiteral("B2"))));
    QCOMPARE(list.loadedLines(), 1);
    QCOMPARE(list.lines().size(), 2);
    QVERIFY(list.isNewLine(1));
    checkTotals(r, list, QStringLiteral("35.00"));
    QCOMPARE(r.visitTotal(QStringLiteral("B2")), QStringLiteral("15.00"));
}

void TestConsumptionList::noteAndTasteFile()
{
    Restaurant r;
    const int cola = r.line(QStringLiteral("A1"), QStringLiteral("可乐"), 2, 15);
    r.t.exec(QStringLiteral("update xfmx set bz='加冰' where xfbh=%1").arg(cola));
    ConsumptionList list = r.show(QStringLiteral("A1"));
    QVERIFY(list.tasteChoices().isEmpty());

    QString note;
    QVERIFY(list.readNote(0, &note));
    QCOMPARE(note, QStringLiteral("加冰"));
    QVERIFY(list.SetNote(0, QStringLiteral("少辣")));
    QVERIFY(list.SetNote(0, QStringLiteral("O'Neil 不要冰")));
    QVERIFY(list.SetNote(0, QStringLiteral("少辣")));
    QCOMPARE(list.lines().at(0).note, QStringLiteral("少辣"));
    QCOMPARE(r.field(cola, QStringLiteral("bz")), QStringLiteral("少辣"));
    QCOMPARE(list.tasteChoices(), (QStringList{QStringLiteral("少辣"), QStringLiteral("O'Neil 不要冰")}));
    QFile file(QDir(r.t.folder()).filePath(QStringLiteral("口味.txt")));
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), Gbk::encode(QStringLiteral("少辣\r\nO'Neil 不要冰\r\n")));
    QVERIFY(r.t.prompt.texts().isEmpty());
    QVERIFY(!list.changed());
}

void TestConsumptionList::noteOfAVanishedLine()
{
    Restaurant r;
    const int cola = r.line(QStringLiteral("A1"), QStringLiteral("可乐"), 2, 15);
    ConsumptionList list = r.show(QStringLiteral("A1"));
    r.t.exec(QStringLiteral("delete from xfmx where xfbh=%1").arg(cola));
    QString note = QStringLiteral("unchanged");
    QVERIFY(!list.readNote(0, &note));
    QCOMPARE(note, QStringLiteral("unchanged"));
    QCOMPARE(r.t.prompt.texts(), QStringList{QStringLiteral("没有相关消费!")});
}

void TestConsumptionList::copyText()
{
    Restaurant r;
    r.line(QStringLiteral("A1"), QStringLiteral("宫保鸡丁"), 1.5, 20);
    r.line(QStringLiteral("A1"), QStringLiteral("可乐"), 2, 15, 0);
    r.line(QStringLiteral("A1"), QStringLiteral("清蒸鱼"), -1, 10);
    r.line(QStringLiteral("A1"), QStringLiteral("鱼,虾"), 1, 8, 0.9);
    ConsumptionList list = r.show(QStringLiteral("A1"));
    QCOMPARE(list.CopyLines({3, 1, 2, 0, 1}), QStringLiteral("Orvo2.4\n宫保鸡丁,1.5,20,1\r\n可乐,2,15,0\r\n"
                                                             "清蒸鱼,-1,10,1\r\n鱼,虾,1,8,0.9\r\n"));
    QVERIFY(r.t.prompt.texts().isEmpty());
}

void TestConsumptionList::pasteOfACopiedGiftLine()
{
    Restaurant r;
    r.line(QStringLiteral("A1"), QStringLiteral("宫保鸡丁"), 1, 20);
    r.line(QStringLiteral("A1"), QStringLiteral("可乐"), 2, 15, 0);
    r.line(QStringLiteral("A1"), QStringLiteral("鱼,虾"), 3, 8);
    r.line(QStringLiteral("B2"), QStringLiteral("清蒸鱼"), 1, 10);
    ConsumptionList list = r.show(QStringLiteral("A1"));
    const QString copied = list.CopyLines({1, 2});

    list.setTable(QStringLiteral("B2"));
    list.LoadConsumptionList();
    QVERIFY(list.PasteLines(copied));
    QVERIFY(list.changed());
    QCOMPARE(list.lines().size(), 3);
    QCOMPARE(list.loadedLines(), 3);
    const ConsumptionLine gift = list.lines().at(1);
    QCOMPARE(gift.name, QStringLiteral("可乐"));
    QCOMPARE(gift.displayName(), QStringLiteral("可乐(赠)"));
    QCOMPARE(gift.category, QStringLiteral("饮料"));
    QCOMPARE(r.field(gift.number, QStringLiteral("xfxm")), QStringLiteral("可乐"));
    QCOMPARE(r.field(gift.number, QStringLiteral("dzbl")), QStringLiteral("0"));
    QCOMPARE(r.field(gift.number, QStringLiteral("ysje")), QStringLiteral("0"));
    QCOMPARE(r.field(gift.number, QStringLiteral("dzje")), QStringLiteral("30"));
    QCOMPARE(r.field(gift.number, QStringLiteral("jzr")), kOperator);
    QCOMPARE(r.field(gift.number, QStringLiteral("xfsj")), QStringLiteral("2026-12-06 12:30:05"));
    QCOMPARE(list.lines().at(2).name, QStringLiteral("鱼,虾"));
    QCOMPARE(list.lines().at(2).quantity, QStringLiteral("3"));
    checkTotals(r, list, QStringLiteral("34.00"));
    // The copied table keeps its lines.
    QCOMPARE(r.t.scalar(QStringLiteral("select count(*) from xfmx where czm='A1'")), QStringLiteral("3"));
}

void TestConsumptionList::foreignClipboardTextIsIgnored()
{
    Restaurant r;
    r.line(QStringLiteral("A1"), QStringLiteral("宫保鸡丁"), 1, 20);
    r.t.exec(QStringLiteral("update dj set xfhj=999"));
    ConsumptionList list = r.show(QStringLiteral("A1"));
    QVERIFY(!list.PasteLines(QStringLiteral("宫保鸡丁,1,20,1\r\n可乐,2,15,1\r\n")));
    QCOMPARE(r.lineCount(), 1);
    QVERIFY(!list.changed());
    // Only the totals were written again.
    checkTotals(r, list, QStringLiteral("20.00"));
}

void TestConsumptionList::pasteSkipsBrokenRecords()
{
    Restaurant r;
    ConsumptionList list = r.show(QStringLiteral("A1"));
    QVERIFY(
        list.PasteLines(QStringLiteral("Orvo2.4\n可乐,abc,15,1\r\n,,,\r\n可乐,2\r\n\r\n宫保鸡丁,1,20,1\r\n"
                                       "可乐,1,15,1);drop table xfmx;--\r\n可乐,1,inf,1\r\n")));
    QCOMPARE(r.lineCount(), 1);
    QCOMPARE(list.lines().size(), 1);
    QCOMPARE(list.lines().at(0).name, QStringLiteral("宫保鸡丁"));
    checkTotals(r, list, QStringLiteral("20.00"));
}

PELVAR_TEST(TestConsumptionList)
#include "tst_ConsumptionList.moc"
