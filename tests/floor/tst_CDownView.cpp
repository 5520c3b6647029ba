#include "CDownView.h"
#include "CPrintListReportCtrl.h"
#include "DefaultPrinter.h"
#include "TestDatabase.h"
#include "TestMain.h"

#include <QTest>

namespace {

void addLine(TestDatabase& t, const QString& table, const QString& item, const QString& values,
             const QString& time, const QString& settled = QStringLiteral("0"))
{
    t.exec(QStringLiteral("insert into xfmx(czm,xfxm,sl,xmdj,dzbl,dzje,ysje,jzr,xfsj,jzbj) "
                          "values('%1','%2',%3,'%4','%5')")
               .arg(table, item, values, time, settled));
}

QStringList row(const CPrintListReportCtrl& list, int r)
{
    QStringList out;
    for (int c = 0; c < list.columnCount(); ++c)
        out << list.cellText(r, c);
    return out;
}

QColor colour(const CPrintListReportCtrl& list, int r)
{
    return list.model()->index(r, 1).data(Qt::ForegroundRole).value<QColor>();
}

} // namespace

class TestCDownView : public QObject
{
    Q_OBJECT
private slots:
    void columns();
    void linesMarksColoursAndTotal();
    void emptyTableAndClearing();
};

void TestCDownView::columns()
{
    TestDatabase t;
    DefaultPrinter printer;
    CDownView view(t.db, t.prompt, printer);
    QStringList headers;
    for (int c = 0; c < view.list()->columnCount(); ++c)
        headers << view.list()->model()->headerData(c, Qt::Horizontal).toString();
    QCOMPARE(headers, (QStringList{"序号", "消费项目", "数量", "单价", "折扣", "优惠金额", "应收金额",
                                   "记账人", "消费时间"}));
    QVERIFY(view.list()->columnWidth(1) >= 130); // the specified width, grown to the font
}

void TestCDownView::linesMarksColoursAndTotal()
{
    TestDatabase t;
    addLine(t, "A1", "宫保鸡丁", "1,28,1,0,28,'张三'", "2026-12-06 12:00:00");
    // A return with ratio 0 is still a return.
    addLine(t, "A1", "宫保鸡丁", "-1,28,0,0,-28,'张三'", "2026-12-06 12:10:00");
    addLine(t, "A1", "可乐", "2,5,0,10,0,'李四'", "2026-12-06 12:05:00");
    addLine(t, "A1", "米饭", "1,2,1,0,2,'李四'", "2026-12-06 11:00:00", "1");
    addLine(t, "A2", "啤酒", "1,8,1,0,8,'李四'", "2026-12-06 12:00:00");
    DefaultPrinter printer;
    CDownView view(t.db, t.prompt, printer);
    view.load(QStringLiteral("A1"));
    QCOMPARE(view.table(), QStringLiteral("A1"));
    CPrintListReportCtrl& list = *view.list();
    QCOMPARE(list.rowCount(), 4);
    QCOMPARE(row(list, 0),
             (QStringList{"1", "宫保鸡丁", "1", "28", "1", "0.00", "28", "张三", "2026-12-06 12:00:00"}));
    QCOMPARE(row(list, 1).mid(0, 2), (QStringList{"2", "可乐(赠)"}));
    QCOMPARE(row(list, 2).mid(0, 2), (QStringList{"3", "宫保鸡丁(退)"}));
    QCOMPARE(row(list, 3), (QStringList{"合计", "", "", "", "", "￥10.00", "￥0.00", "", ""}));
    QVERIFY(!colour(list, 0).isValid());
    QCOMPARE(colour(list, 1), QColor(255, 153, 0));
    QCOMPARE(colour(list, 2), QColor(255, 0, 0));

    view.load(QStringLiteral("A2"));
    QCOMPARE(list.rowCount(), 2);
    QVERIFY(!colour(list, 0).isValid());
    QVERIFY(t.prompt.texts().isEmpty());
}

void TestCDownView::emptyTableAndClearing()
{
    TestDatabase t;
    addLine(t, "A1", "米饭", "1,2,1,0,2,'李四'", "2026-12-06 11:00:00");
    DefaultPrinter printer;
    CDownView view(t.db, t.prompt, printer);
    view.load(QStringLiteral("B9"));
    QCOMPARE(view.list()->rowCount(), 1);
    QCOMPARE(row(*view.list(), 0).at(0), QStringLiteral("合计"));
    view.load(QStringLiteral("A1"));
    QCOMPARE(view.list()->rowCount(), 2);
    t.exec("update xfmx set jzbj='1'");
    view.reload();
    QCOMPARE(view.list()->rowCount(), 1);
    view.load(QString());
    QCOMPARE(view.list()->rowCount(), 0);
}

PELVAR_TEST(TestCDownView)
#include "tst_CDownView.moc"
