#include "Restaurant.h"
#include "TableLines.h"
#include "TestMain.h"

#include <QTest>

class TestTableLines : public QObject
{
    Q_OBJECT
private slots:
    void linesWithMarksAndTotal();
    void tableWithoutLines();
    void colours();
};

static void addLine(TestDatabase& t, const QString& table, const QString& item, const QString& values,
                    const QString& time, const QString& settled = QStringLiteral("0"))
{
    t.exec(
        QStringLiteral(
            "insert into xfmx(czm,xfxm,sl,xmdj,dzbl,dzje,ysje,jzr,xfsj,jzbj) values('%1','%2',%3,'%4','%5')")
            .arg(table, item, values, time, settled));
}

static QStringList row(const TableLines::Line& l)
{
    return {l.number, l.item, l.quantity, l.price, l.ratio, l.discount, l.amount, l.clerk, l.time};
}

void TestTableLines::linesWithMarksAndTotal()
{
    TestDatabase t;
    // Inserted out of time order; listed by time.
    addLine(t, QStringLiteral("A"), QStringLiteral("宫保鸡丁"), QStringLiteral("2,28,0.9,5.6,50.4,'王芳'"),
            QStringLiteral("2026-12-06 12:10:00"));
    addLine(t, QStringLiteral("A"), QStringLiteral("米饭"), QStringLiteral("1,2,1,0,2,'王芳'"),
            QStringLiteral("2026-12-06 12:00:00"));
    addLine(t, QStringLiteral("A"), QStringLiteral("宫保鸡丁"), QStringLiteral("-1,28,0,0,-28,'李强'"),
            QStringLiteral("2026-12-06 12:20:00"));
    addLine(t, QStringLiteral("A"), QStringLiteral("果盘"), QStringLiteral("1,18,0,18,0,'李强'"),
            QStringLiteral("2026-12-06 12:30:00"));
    // Settled lines and other tables' lines are not shown.
    addLine(t, QStringLiteral("A"), QStringLiteral("啤酒"), QStringLiteral("1,8,1,0,8,'王芳'"),
            QStringLiteral("2026-12-06 11:00:00"), QStringLiteral("1"));
    addLine(t, QStringLiteral("B"), QStringLiteral("啤酒"), QStringLiteral("1,8,1,0,8,'王芳'"),
            QStringLiteral("2026-12-06 12:00:00"));

    TableLines pane(t.db);
    const QList<TableLines::Line> lines = pane.load(QStringLiteral("A"));
    QCOMPARE(lines.size(), 5);
    QCOMPARE(row(lines.at(0)),
             QStringList({"1", "米饭", "1", "2", "1", "0.00", "2", "王芳", "2026-12-06 12:00:00"}));
    QCOMPARE(row(lines.at(1)),
             QStringList({"2", "宫保鸡丁", "2", "28", "0.9", "5.60", "50.4", "王芳", "2026-12-06 12:10:00"}));
    QCOMPARE(row(lines.at(2)), QStringList({"3", "宫保鸡丁(退)", "-1", "28", "0", "0.00", "-28", "李强",
                                            "2026-12-06 12:20:00"}));
    QCOMPARE(row(lines.at(3)),
             QStringList({"4", "果盘(赠)", "1", "18", "0", "18.00", "0", "李强", "2026-12-06 12:30:00"}));
    QCOMPARE(lines.at(0).mark, TableLines::Mark::None);
    QCOMPARE(lines.at(2).mark, TableLines::Mark::Return);
    QCOMPARE(lines.at(3).mark, TableLines::Mark::Gift);
    QCOMPARE(row(lines.at(4)), QStringList({"合计", "", "", "", "", "￥23.60", "￥24.40", "", ""}));
    QVERIFY(t.prompt.texts().isEmpty());
}

void TestTableLines::tableWithoutLines()
{
    TestDatabase t;
    TableLines pane(t.db);
    const QList<TableLines::Line> lines = pane.load(QStringLiteral("O'Hara"));
    QCOMPARE(lines.size(), 1);
    QCOMPARE(row(lines.at(0)), QStringList({"合计", "", "", "", "", "￥0.00", "￥0.00", "", ""}));
    QVERIFY(t.prompt.texts().isEmpty());
}

void TestTableLines::colours()
{
    QCOMPARE(TableLines::colour(TableLines::Mark::Return), QColor(255, 0, 0));
    QCOMPARE(TableLines::colour(TableLines::Mark::Gift), QColor(255, 153, 0));
    QVERIFY(!TableLines::colour(TableLines::Mark::None).isValid());
}

PELVAR_TEST(TestTableLines)
#include "tst_TableLines.moc"
