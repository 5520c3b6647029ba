#include "CellOrder.h"
#include "CPrintListReportCtrl.h"
#include "DefaultPrinter.h"
#include "ScriptedPrompt.h"
#include "TestMain.h"

#include <QHeaderView>
#include <QTest>

class TestCPrintListReportCtrl : public QObject
{
    Q_OBJECT
private slots:
    void columnSpec_data();
    void columnSpec();
    void columnsOnlyGrow();
    void compare_data();
    void compare();
    void headerClickSorts();
    void coloursTravelWithTheirRows();
    void selectionFollowsItsRowThroughASort();
    void rowsAreKeptAndDeleted();
    void multipleSelection();
    void drawsShadesAndSelection();

private:
    static void clickHeader(CPrintListReportCtrl& list, int column);
    static QStringList column(const CPrintListReportCtrl& list, int c);
};

void TestCPrintListReportCtrl::clickHeader(CPrintListReportCtrl& list, int column)
{
    QHeaderView* header = list.horizontalHeader();
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                      QPoint(header->sectionViewportPosition(column) + header->sectionSize(column) / 2, 5));
}

QStringList TestCPrintListReportCtrl::column(const CPrintListReportCtrl& list, int c)
{
    QStringList texts;
    for (int r = 0; r < list.rowCount(); ++r)
        texts << list.cellText(r, c);
    return texts;
}

void TestCPrintListReportCtrl::columnSpec_data()
{
    QTest::addColumn<QString>("pairs");
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<QList<int>>("widths");
    QTest::newRow("trailing ;") << "编号,80;班次名称,100;起始时间,120;结束时间,120;"
                                << QStringList{"编号", "班次名称", "起始时间", "结束时间"}
                                << QList<int>{80, 100, 120, 120};
    QTest::newRow("no trailing ;") << "编号,50;项目名称,100" << QStringList{"编号", "项目名称"}
                                   << QList<int>{50, 100};
    QTest::newRow("name without width") << "名称," << QStringList{"名称"} << QList<int>{0};
    QTest::newRow("width not a number")
        << "名称,宽;金额,60;" << QStringList{"名称", "金额"} << QList<int>{0, 60};
    QTest::newRow("leading digits") << "ID,60px;事件,300;" << QStringList{"ID", "事件"}
                                    << QList<int>{60, 300};
    QTest::newRow("no comma") << "编号;名称" << QStringList{} << QList<int>{};
    QTest::newRow("empty") << "" << QStringList{} << QList<int>{};
}

void TestCPrintListReportCtrl::columnSpec()
{
    QFETCH(QString, pairs);
    QFETCH(QStringList, names);
    QFETCH(QList<int>, widths);
    ScriptedPrompt prompt;
    DefaultPrinter printer;
    CPrintListReportCtrl list(prompt, printer);
    list.SetColumnSpec(pairs);
    QCOMPARE(list.content().headers, names);
    QCOMPARE(list.content().widths, widths);
}

void TestCPrintListReportCtrl::columnsOnlyGrow()
{
    ScriptedPrompt prompt;
    DefaultPrinter printer;
    CPrintListReportCtrl list(prompt, printer);
    list.SetColumnSpec("编号,50;");
    list.AddRow({"1"});
    list.SetColumnSpec("名称,100;");
    QCOMPARE(list.content().headers, (QStringList{"编号", "名称"}));
    QCOMPARE(list.content().rows, (QList<QStringList>{{"1", ""}}));
}

void TestCPrintListReportCtrl::compare_data()
{
    QTest::addColumn<QString>("a");
    QTest::addColumn<QString>("b");
    QTest::addColumn<int>("order");
    QTest::newRow("numbers, not text") << "10"
                                       << "9" << 1;
    QTest::newRow("negative") << "-2.5"
                              << "9" << -1;
    QTest::newRow("equal values") << "3.5"
                                  << "3.50" << 0;
    QTest::newRow("thousands comma reads up to the comma") << "1,500"
                                                           << "2" << -1;
    QTest::newRow("thousands comma equal") << "1,500"
                                           << "1" << 0;
    QTest::newRow("two dots is text") << "2.1.1"
                                      << "10" << 1;
    QTest::newRow("a lone dot is text") << "."
                                        << "-1" << 1;
    QTest::newRow("empty is text") << ""
                                   << "-5" << -1;
    QTest::newRow("date by year first") << "05/03/2026"
                                        << "04/12/2025" << 1;
    QTest::newRow("date month before day") << "01/02/2026"
                                           << "28/01/2026" << 1;
    QTest::newRow("date by day") << "02/01/2026"
                                 << "01/01/2026" << 1;
    QTest::newRow("same date") << "02/01/2026"
                               << "02/01/2026" << 0;
    QTest::newRow("first text decides the date kind") << "01/01/2026"
                                                      << "31-12-2025" << 1;
    QTest::newRow("not a date shape is text") << "2026-01-05"
                                              << "2026-01-10" << -1;
    QTest::newRow("Chinese by pinyin") << "李四"
                                       << "张三" << -1;
    QTest::newRow("Chinese by pinyin, reversed") << "张三"
                                                 << "王五" << 1;
    QTest::newRow("latin text") << "abc"
                                << "abd" << -1;
}

void TestCPrintListReportCtrl::compare()
{
    QFETCH(QString, a);
    QFETCH(QString, b);
    QFETCH(int, order);
    QCOMPARE(CellOrder::compare(a, b), order);
}

void TestCPrintListReportCtrl::headerClickSorts()
{
    ScriptedPrompt prompt;
    DefaultPrinter printer;
    CPrintListReportCtrl list(prompt, printer);
    list.SetColumnSpec("金额,80;姓名,80;日期,100;");
    list.AddRow({"10", "张三", "03/01/2026"});
    list.AddRow({"9", "李四", "01/02/2025"});
    list.AddRow({"-2.5", "王五", "02/01/2026"});
    list.resize(400, 200);
    list.show();
    QVERIFY(QTest::qWaitForWindowExposed(&list));

    clickHeader(list, 0);
    QCOMPARE(column(list, 0), (QStringList{"-2.5", "9", "10"}));
    clickHeader(list, 0);
    QCOMPARE(column(list, 0), (QStringList{"10", "9", "-2.5"}));
    clickHeader(list, 1); // another column starts ascending
    QCOMPARE(column(list, 1), (QStringList{"李四", "王五", "张三"}));
    clickHeader(list, 2);
    QCOMPARE(column(list, 2), (QStringList{"01/02/2025", "02/01/2026", "03/01/2026"}));
    // Whole rows move together.
    QCOMPARE(column(list, 0), (QStringList{"9", "-2.5", "10"}));
}

void TestCPrintListReportCtrl::coloursTravelWithTheirRows()
{
    ScriptedPrompt prompt;
    DefaultPrinter printer;
    CPrintListReportCtrl list(prompt, printer);
    list.SetColumnSpec("数量,60;");
    for (const char* q : {"3", "-1", "2"})
        list.AddRow({q});
    list.SetRowColor(1, Qt::red);
    list.SetRowColor(7, Qt::blue); // no such row
    list.show();
    clickHeader(list, 0);
    QCOMPARE(column(list, 0), (QStringList{"-1", "2", "3"}));
    auto colours = [&] {
        QList<QVariant> c;
        for (int r = 0; r < list.rowCount(); ++r)
            c << list.model()->index(r, 0).data(Qt::ForegroundRole);
        return c;
    };
    QCOMPARE(colours(), (QList<QVariant>{QColor(Qt::red), {}, {}}));
    // Shades stay with the positions.
    QCOMPARE(list.model()->index(0, 0).data(Qt::BackgroundRole).value<QColor>(), QColor(0xF0, 0xF0, 0xF0));
    QCOMPARE(list.model()->index(1, 0).data(Qt::BackgroundRole).value<QColor>(), QColor(0xFF, 0xFF, 0xFF));

    list.SetRowColor(2, Qt::blue);
    list.DeleteRow(0);
    QCOMPARE(colours(), (QList<QVariant>{{}, QColor(Qt::blue)}));
    list.DeleteAllRows();
    list.AddRow({"1"});
    list.AddRow({"2"});
    QCOMPARE(colours(), (QList<QVariant>{{}, {}}));
}

void TestCPrintListReportCtrl::selectionFollowsItsRowThroughASort()
{
    ScriptedPrompt prompt;
    DefaultPrinter printer;
    CPrintListReportCtrl list(prompt, printer);
    list.SetColumnSpec("编号,60;");
    for (const char* n : {"30", "10", "20"})
        list.AddRow({n});
    list.show();
    list.selectRow(0);
    clickHeader(list, 0);
    QCOMPARE(list.selectedRows(), QList<int>{2});
    QCOMPARE(list.cellText(2, 0), QStringLiteral("30"));
}

void TestCPrintListReportCtrl::rowsAreKeptAndDeleted()
{
    ScriptedPrompt prompt;
    DefaultPrinter printer;
    CPrintListReportCtrl list(prompt, printer);
    list.SetColumnSpec("编号,60;名称,100;单价,60");
    QCOMPARE(list.AddRow({"1", "宫保鸡丁", "18.00"}), 0);
    QCOMPARE(list.AddRow({"2", "可乐"}), 1); // a short row gets empty cells
    QCOMPARE(list.AddRow({"3", "米饭", "2.00"}), 2);
    list.SetCellText(1, 2, "5.00");
    list.SetCellText(5, 0, "x"); // outside the list: ignored
    list.DeleteRow(0);
    QCOMPARE(list.content().rows, (QList<QStringList>{{"2", "可乐", "5.00"}, {"3", "米饭", "2.00"}}));
    QCOMPARE(list.model()->index(0, 1).data().toString(), QStringLiteral("可乐"));
    list.DeleteAllRows();
    QCOMPARE(list.rowCount(), 0);
    QCOMPARE(list.columnCount(), 3);
}

void TestCPrintListReportCtrl::multipleSelection()
{
    ScriptedPrompt prompt;
    DefaultPrinter printer;
    CPrintListReportCtrl list(prompt, printer);
    list.SetColumnSpec("编号,60;");
    for (int i = 0; i < 4; ++i)
        list.AddRow({QString::number(i)});
    list.resize(200, 200);
    list.show();
    QVERIFY(QTest::qWaitForWindowExposed(&list));
    auto clickRow = [&](int row, Qt::KeyboardModifiers modifiers) {
        QTest::mouseClick(list.viewport(), Qt::LeftButton, modifiers,
                          list.visualRect(list.model()->index(row, 0)).center());
    };
    clickRow(0, {});
    clickRow(2, Qt::ControlModifier);
    QCOMPARE(list.selectedRows(), QList<int>{2});
    list.setMultipleSelection(true);
    clickRow(0, {});
    clickRow(2, Qt::ControlModifier);
    clickRow(3, Qt::ControlModifier);
    QCOMPARE(list.selectedRows(), (QList<int>{0, 2, 3}));
}

void TestCPrintListReportCtrl::drawsShadesAndSelection()
{
    ScriptedPrompt prompt;
    DefaultPrinter printer;
    CPrintListReportCtrl list(prompt, printer);
    list.SetColumnSpec("名称,200;");
    for (int i = 0; i < 4; ++i)
        list.AddRow({"菜"});
    list.SetRowColor(3, Qt::blue);
    list.resize(260, 200);
    list.show();
    QVERIFY(QTest::qWaitForWindowExposed(&list));
    list.selectRow(3);
    const QImage image = list.viewport()->grab().toImage();
    auto pixel = [&](int row) {
        const QRect cell = list.visualRect(list.model()->index(row, 0));
        return image.pixelColor(cell.right() - 10, cell.center().y()); // right of the short text
    };
    QCOMPARE(pixel(0), QColor(0xF0, 0xF0, 0xF0));
    QCOMPARE(pixel(1), QColor(0xFF, 0xFF, 0xFF));
    QCOMPARE(pixel(2), QColor(0xF0, 0xF0, 0xF0));
    // Selected: red (the style may shade it slightly), whatever the row's own colour.
    const QColor selected = pixel(3);
    QVERIFY2(selected.red() == 0xFF && selected.green() < 0x30 && selected.blue() < 0x30,
             qPrintable(selected.name()));
}

PELVAR_TEST(TestCPrintListReportCtrl)
#include "tst_CPrintListReportCtrl.moc"
