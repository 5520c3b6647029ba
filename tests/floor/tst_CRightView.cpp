#include "Clock.h"
#include "CMainFrame.h"
#include "CRightView.h"
#include "Restaurant.h"
#include "TestMain.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QSignalSpy>
#include <QTest>
#include <QTreeView>

namespace {

// A1 free, A2 occupied 2 h 5 min ago (￥88.50) and B1 booked for this shift in 大厅; V1 booked
// for tomorrow in 包间.
struct Board
{
    Board()
    {
        Clock::setFixed(Restaurant::kNow);
        Restaurant r(t);
        r.shifts();
        r.tables(QStringLiteral("大厅"), {"A1", "A2", "B1"});
        r.table(QStringLiteral("V1"), QStringLiteral("包间"), 10);
        r.occupy("A2", Restaurant::kNow.addSecs(-(2 * 3600 + 5 * 60)), 88.5);
        r.book("1", "B1", 1, Restaurant::kNow.addSecs(1800));
        r.book("2", "V1", 1, Restaurant::kNow.addDays(1));
        view.reload();
        view.setCommandAvailable([](int) { return true; });
        view.resize(900, 500);
        view.show();
        QVERIFY(QTest::qWaitForWindowActive(&view));
    }
    ~Board() { Clock::clearFixed(); }

    QStringList names() const
    {
        QStringList out;
        for (const TableBoard::Item& item : view.items())
            out << item.name;
        return out;
    }
    QModelIndex index(const QString& table, int column = 0) const
    {
        return view.view()->model()->index(int(names().indexOf(table)), column);
    }
    QList<int> asked() const
    {
        QList<int> out;
        for (const QList<QVariant>& call : commands)
            out << call.at(0).toInt();
        return out;
    }

    TestDatabase t;
    CRightView view{t.db};
    QSignalSpy commands{&view, &CRightView::commandRequested};
    QSignalSpy chosen{&view, &CRightView::tableChosen};
};

} // namespace

class TestCRightView : public QObject
{
    Q_OBJECT
private slots:
    void layoutsFiltersAndRefresh();
    void keys_data();
    void keys();
    void quickFind();
    void mouse();
    void contextMenu_data();
    void contextMenu();
};

void TestCRightView::layoutsFiltersAndRefresh()
{
    Board b;
    QCOMPARE(b.index("A2", 2).data().toString() + b.index("A2", 3).data().toString(),
             QStringLiteral("￥88.502026-12-06 10:25:00"));
    b.view.selectTable(QStringLiteral("B1"));
    // The selection goes along from one layout to the other.
    b.view.styleBox()->setCurrentText(QStringLiteral("列表"));
    QVERIFY(qobject_cast<QTreeView*>(b.view.view()));
    QCOMPARE(b.view.selectedTable(), QStringLiteral("B1"));
    b.view.filterBox()->setCurrentText(QStringLiteral("可供"));
    QCOMPARE(b.names(), QStringList({"A1", "V1"}));
    // A table opened meanwhile leaves the free tables; the selection stays.
    b.view.selectTable(QStringLiteral("V1"));
    Restaurant(b.t).occupy("A1", Restaurant::kNow);
    b.view.refresh();
    QCOMPARE(b.names(), QStringList({"V1"}));
    QCOMPARE(b.view.selectedTable(), QStringLiteral("V1"));
    // After the settings: every table, filter 全部.
    Restaurant(b.t).table(QStringLiteral("C1"));
    b.view.reload();
    QCOMPARE(b.names(), QStringList({"A1", "A2", "B1", "V1", "C1"}));
    QCOMPARE(b.view.filterBox()->currentText(), QStringLiteral("全部"));
}

void TestCRightView::keys_data()
{
    QTest::addColumn<QString>("table");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("asked"); // 0: none
    QTest::newRow("Enter, free") << "A1" << int(Qt::Key_Return) << int(CMainFrame::OpenTable);
    QTest::newRow("Enter, reserved") << "B1" << int(Qt::Key_Return) << int(CMainFrame::OpenTable);
    QTest::newRow("Enter, occupied") << "A2" << int(Qt::Key_Enter) << int(CMainFrame::Checkout);
    QTest::newRow("Space") << "A2" << int(Qt::Key_Space) << int(CMainFrame::AddConsumption);
    QTest::newRow("Enter, none") << "" << int(Qt::Key_Return) << 0;
    QTest::newRow("Space, none") << "" << int(Qt::Key_Space) << 0;
    QTest::newRow("plus") << "A1" << int(Qt::Key_Plus) << int(CMainFrame::AddConsumption);
    QTest::newRow("minus") << "A1" << int(Qt::Key_Minus) << int(CMainFrame::Checkout);
}

void TestCRightView::keys()
{
    QFETCH(QString, table);
    QFETCH(int, key);
    QFETCH(int, asked);
    Board b;
    if (!table.isEmpty())
        b.view.selectTable(table);
    b.view.view()->setFocus();
    QTest::keyClick(b.view.view(), Qt::Key(key));
    QCOMPARE(b.asked(), asked ? QList<int>{asked} : QList<int>());
    // "/" goes to the quick find, which keeps "+", "-" and "/" as text.
    QTest::keyClick(b.view.view(), Qt::Key_Slash);
    QVERIFY(b.view.findEdit()->hasFocus());
    QTest::keyClicks(b.view.findEdit(), QStringLiteral("A-1+/"));
    QCOMPARE(b.view.findEdit()->text(), QStringLiteral("A-1+/"));
    QCOMPARE(b.asked().size(), asked ? 1 : 0);
}

void TestCRightView::quickFind()
{
    Board b;
    b.view.filterBox()->setCurrentText(QStringLiteral("占用"));
    b.view.findEdit()->setFocus();
    QTest::keyClicks(b.view.findEdit(), QStringLiteral("Z9"));
    QTest::keyClick(b.view.findEdit(), Qt::Key_Return);
    QCOMPARE(b.t.prompt.texts(), QStringList{"没有发现指定餐桌,请确认是否输入正确!"});
    QCOMPARE(b.view.findEdit()->selectedText(), QStringLiteral("Z9"));
    // A table the filter hides is loaded alone; the quote is dropped.
    b.view.findEdit()->setText(QStringLiteral("V'1"));
    QTest::keyClick(b.view.findEdit(), Qt::Key_Return);
    QCOMPARE(b.names(), QStringList{"V1"});
    QCOMPARE(b.view.selectedTable(), QStringLiteral("V1"));
    QVERIFY(b.view.view()->hasFocus());
    QCOMPARE(b.chosen.last().at(0).toString(), QStringLiteral("V1"));
}

// A click or an arrow key shows the table's lines; a double click opens or checks out.
void TestCRightView::mouse()
{
    Board b;
    b.view.styleBox()->setCurrentText(QStringLiteral("列表"));
    auto* report = qobject_cast<QTreeView*>(b.view.view());
    QTRY_VERIFY(report->visualRect(b.index("A2")).isValid());
    QTest::mouseClick(report->viewport(), Qt::LeftButton, {}, report->visualRect(b.index("A2")).center());
    QTest::keyClick(report, Qt::Key_Down);
    QCOMPARE(b.chosen.size(), 2);
    QCOMPARE(b.chosen.at(0).at(0).toString() + b.chosen.at(1).at(0).toString(), QStringLiteral("A2B1"));
    for (const char* table : {"A2", "A1"}) {
        const QPoint at = report->visualRect(b.index(QLatin1String(table))).center();
        QTest::mouseClick(report->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(report->viewport(), Qt::LeftButton, {}, at);
    }
    QCOMPARE(b.asked(), (QList<int>{CMainFrame::Checkout, CMainFrame::OpenTable}));
}

void TestCRightView::contextMenu_data()
{
    QTest::addColumn<QString>("table");
    QTest::addColumn<QString>("enabled");
    QTest::newRow("occupied") << "A2"
                              << "增加消费 顾客结账 顾客预定 修改登记 更换餐桌 拆分账单 合并账单 打印小票";
    QTest::newRow("reserved") << "B1"
                              << "顾客开单 修改登记 拆分账单 合并账单";
    QTest::newRow("free") << "A1"
                          << "顾客开单 顾客预定";
    QTest::newRow("no table") << ""
                              << "顾客预定 拆分账单 合并账单";
    QTest::newRow("occupied, no screen for most") << "A2!"
                                                  << "顾客结账";
}

void TestCRightView::contextMenu()
{
    QFETCH(QString, table);
    QFETCH(QString, enabled);
    Board b;
    if (table.endsWith(QLatin1Char('!'))) {
        table.chop(1);
        b.view.setCommandAvailable(
            [](int id) { return id == CMainFrame::OpenTable || id == CMainFrame::Checkout; });
    }
    std::unique_ptr<QMenu> menu(
        b.view.contextMenu(table.isEmpty() ? -1 : int(b.names().indexOf(table)), nullptr));
    QStringList on;
    for (QAction* a : menu->actions()) {
        if (a->isEnabled() && !a->isSeparator())
            on << a->text().section(QLatin1Char('\t'), 0, 0);
        a->trigger(); // a greyed item asks for nothing
    }
    QCOMPARE(on.join(QLatin1Char(' ')), enabled);
    QCOMPARE(b.asked().size(), on.size());
}

PELVAR_TEST(TestCRightView)
#include "tst_CRightView.moc"
