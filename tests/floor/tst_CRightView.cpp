#include "Clock.h"
#include "CMainFrame.h"
#include "CRightView.h"
#include "Restaurant.h"
#include "TestMain.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QTreeView>

namespace {

// Tables A1 (free), A2 (occupied 2 h 5 min ago, ￥88.50), B1 (booked for this shift today) in
// 大厅, and V1 (booked for tomorrow) in 包间.
struct Board
{
    Board()
    {
        Clock::setFixed(Restaurant::kNow);
        Restaurant(t).shifts();
        Restaurant(t).room(QStringLiteral("大厅"));
        Restaurant(t).room(QStringLiteral("包间"));
        Restaurant(t).table(QStringLiteral("A1"));
        Restaurant(t).table(QStringLiteral("A2"));
        Restaurant(t).table(QStringLiteral("B1"));
        Restaurant(t).table(QStringLiteral("V1"), QStringLiteral("包间"), 10);
        Restaurant(t).occupy(QStringLiteral("A2"), Restaurant::kNow.addSecs(-(2 * 3600 + 5 * 60)), 88.5);
        Restaurant(t).book(QStringLiteral("20261206090000"), QStringLiteral("B1"), 1,
                           Restaurant::kNow.addSecs(1800));
        Restaurant(t).book(QStringLiteral("20261206090001"), QStringLiteral("V1"), 1,
                           Restaurant::kNow.addDays(1).addSecs(1800));
        view = std::make_unique<CRightView>(t.db);
        view->setCommandAvailable([](int) { return true; });
        view->resize(900, 500);
    }

    int row(const QString& table) const
    {
        for (int i = 0; i < view->items().size(); ++i)
            if (view->items().at(i).name == table)
                return i;
        return -1;
    }
    QModelIndex index(const QString& table) const { return view->view()->model()->index(row(table), 0); }
    void select(const QString& table)
    {
        view->selectTable(table);
        view->view()->setFocus();
    }
    QStringList names() const
    {
        QStringList out;
        for (const TableBoard::Item& item : view->items())
            out << item.name;
        return out;
    }
    QStringList texts(int row) const
    {
        QStringList out;
        QAbstractItemModel* model = view->view()->model();
        for (int c = 0; c < model->columnCount(); ++c)
            out << model->index(row, c).data().toString();
        return out;
    }

    TestDatabase t;
    std::unique_ptr<CRightView> view;
};

QList<int> commands(const QSignalSpy& spy)
{
    QList<int> out;
    for (const QList<QVariant>& call : spy)
        out << call.at(0).toInt();
    return out;
}

// What the window system delivers for a double click: press, release, double click, release.
void doubleClick(QWidget* widget, const QPoint& at)
{
    QTest::mouseClick(widget, Qt::LeftButton, {}, at);
    const QPointF global = widget->mapToGlobal(QPointF(at));
    QMouseEvent press(QEvent::MouseButtonDblClick, QPointF(at), global, Qt::LeftButton, Qt::LeftButton, {});
    QApplication::sendEvent(widget, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, QPointF(at), global, Qt::LeftButton, {}, {});
    QApplication::sendEvent(widget, &release);
}

QRgb centre(const QIcon& icon, int size)
{
    return icon.pixmap(size, size).toImage().pixel(size / 2, size / 2);
}

} // namespace

class TestCRightView : public QObject
{
    Q_OBJECT
private slots:
    void cleanup() { Clock::clearFixed(); }

    void nineColumnsPerState();
    void threeLayouts();
    void stateIconsDifferAtThreeSizes();
    void displayFilter_data();
    void displayFilter();
    void refreshUnderAFilter();
    void quickFind_data();
    void quickFind();
    void quickFindOfATableFilteredOut();
    void quickFindNotFoundKeepsTheText();
    void keysAskForCommands_data();
    void keysAskForCommands();
    void slashGoesToQuickFind();
    void editBoxesKeepPlusAndMinus();
    void doubleClickActivates();
    void arrowsAndClicksChooseTheTable();
    void contextMenuGreysPerState_data();
    void contextMenuGreysPerState();
    void commandsWithoutHandlerStayGreyed();
    void elapsedTimeEveryTwentySeconds();
    void refreshWritesInPlace();
    void reloadAfterSettings();
    void roomFilter();
    void paneToggles();
};

void TestCRightView::nineColumnsPerState()
{
    Board b;
    QCOMPARE(b.names(), (QStringList{"A1", "A2", "B1", "V1"}));
    QAbstractItemModel* model = b.view->view()->model();
    QStringList headers;
    for (int c = 0; c < model->columnCount(); ++c)
        headers << model->headerData(c, Qt::Horizontal).toString();
    QCOMPARE(headers, TableBoard::kColumns);
    QCOMPARE(b.texts(0), (QStringList{"A1", "空闲", "", "", "", "", "4", "大厅", ""}));
    QCOMPARE(b.texts(1),
             (QStringList{"A2", "占用", "￥88.50", "2026-12-06 10:25:00", "", "3", "4", "大厅", ""}));
    QCOMPARE(b.texts(2), (QStringList{"B1", "预订", "", "2026-12-06 13:00:00", "", "", "4", "大厅", ""}));
    // Booked for tomorrow: free today.
    QCOMPARE(b.texts(3), (QStringList{"V1", "空闲", "", "", "", "", "10", "包间", ""}));
    // Each item wears its state's picture.
    QCOMPARE(centre(b.index("A2").data(Qt::DecorationRole).value<QIcon>(), 48),
             centre(CRightView::stateIcon(TableBoard::State::Occupied), 48));
    QCOMPARE(centre(b.index("B1").data(Qt::DecorationRole).value<QIcon>(), 48),
             centre(CRightView::stateIcon(TableBoard::State::Reserved), 48));
}

void TestCRightView::threeLayouts()
{
    Board b;
    b.select(QStringLiteral("B1"));
    QCOMPARE(b.view->styleBox()->currentText(), QStringLiteral("大图标"));
    auto* icons = qobject_cast<QListView*>(b.view->view());
    QVERIFY(icons);
    QCOMPARE(icons->viewMode(), QListView::IconMode);
    QCOMPARE(icons->iconSize(), QSize(48, 48));

    b.view->styleBox()->setCurrentText(QStringLiteral("小图标"));
    QCOMPARE(b.view->style(), CRightView::Style::SmallIcons);
    QCOMPARE(qobject_cast<QListView*>(b.view->view())->viewMode(), QListView::ListMode);
    QCOMPARE(b.view->view()->iconSize(), QSize(32, 32));

    b.view->styleBox()->setCurrentText(QStringLiteral("列表"));
    auto* report = qobject_cast<QTreeView*>(b.view->view());
    QVERIFY(report);
    QCOMPARE(report->iconSize(), QSize(16, 16));
    QVERIFY(!report->isColumnHidden(8));
    // The selection goes along from one layout to the other.
    QCOMPARE(b.view->selectedTable(), QStringLiteral("B1"));
    QVERIFY(report->selectionModel()->isRowSelected(2, QModelIndex()));
}

void TestCRightView::stateIconsDifferAtThreeSizes()
{
    const QIcon occupied = CRightView::stateIcon(TableBoard::State::Occupied);
    const QIcon free = CRightView::stateIcon(TableBoard::State::Free);
    const QIcon reserved = CRightView::stateIcon(TableBoard::State::Reserved);
    QCOMPARE(occupied.availableSizes(), (QList<QSize>{{16, 16}, {32, 32}, {48, 48}}));
    for (int size : {16, 32, 48}) {
        QVERIFY(centre(occupied, size) != centre(free, size));
        QVERIFY(centre(free, size) != centre(reserved, size));
        QVERIFY(centre(occupied, size) != centre(reserved, size));
    }
}

void TestCRightView::displayFilter_data()
{
    QTest::addColumn<QString>("filter");
    QTest::addColumn<QStringList>("tables");
    QTest::newRow("全部") << "全部" << QStringList({"A1", "A2", "B1", "V1"});
    QTest::newRow("可供") << "可供" << QStringList({"A1", "V1"});
    QTest::newRow("占用") << "占用" << QStringList({"A2", "B1"});
    QTest::newRow("预订") << "预订" << QStringList({"B1"});
}

void TestCRightView::displayFilter()
{
    QFETCH(QString, filter);
    QFETCH(QStringList, tables);
    Board b;
    b.view->filterBox()->setCurrentText(QStringLiteral("预订"));
    b.view->filterBox()->setCurrentText(filter);
    QStringList names = b.names();
    names.sort();
    QCOMPARE(names, tables);
}

void TestCRightView::refreshUnderAFilter()
{
    Board b;
    b.view->filterBox()->setCurrentText(QStringLiteral("可供"));
    b.view->selectTable(QStringLiteral("V1"));
    // A table opened meanwhile leaves the free tables; the selection stays.
    Restaurant(b.t).occupy(QStringLiteral("A1"), Restaurant::kNow);
    b.view->refresh();
    QCOMPARE(b.names(), QStringList{"V1"});
    QCOMPARE(b.view->selectedTable(), QStringLiteral("V1"));
    QCOMPARE(b.texts(0).at(1), QStringLiteral("空闲"));
}

void TestCRightView::quickFind_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("found");
    QTest::newRow("name") << "B1"
                          << "B1";
    QTest::newRow("quote dropped") << "A'2"
                                   << "A2";
}

void TestCRightView::quickFind()
{
    QFETCH(QString, typed);
    QFETCH(QString, found);
    Board b;
    b.view->show();
    QVERIFY(QTest::qWaitForWindowActive(b.view.get()));
    QSignalSpy chosen(b.view.get(), &CRightView::tableChosen);
    b.select(QStringLiteral("A1"));
    b.view->findEdit()->setFocus();
    QTest::keyClicks(b.view->findEdit(), typed);
    QTest::keyClick(b.view->findEdit(), Qt::Key_Return);
    QCOMPARE(b.view->selectedItems().size(), 1);
    QCOMPARE(b.view->selectedTable(), found);
    QCOMPARE(b.names().size(), 4);
    QVERIFY(b.view->view()->hasFocus());
    QCOMPARE(chosen.last().at(0).toString(), found);
    QVERIFY(b.t.prompt.texts().isEmpty());
}

void TestCRightView::quickFindOfATableFilteredOut()
{
    Board b;
    b.view->filterBox()->setCurrentText(QStringLiteral("占用"));
    b.view->findEdit()->setText(QStringLiteral("V1"));
    QTest::keyClick(b.view->findEdit(), Qt::Key_Return);
    QCOMPARE(b.names(), QStringList{"V1"});
    QCOMPARE(b.view->selectedTable(), QStringLiteral("V1"));
}

void TestCRightView::quickFindNotFoundKeepsTheText()
{
    Board b;
    b.view->show();
    b.view->findEdit()->setFocus();
    QTest::keyClicks(b.view->findEdit(), QStringLiteral("Z9"));
    QTest::keyClick(b.view->findEdit(), Qt::Key_Return);
    QCOMPARE(b.t.prompt.texts(), QStringList{"没有发现指定餐桌,请确认是否输入正确!"});
    QCOMPARE(b.view->findEdit()->selectedText(), QStringLiteral("Z9"));
    QCOMPARE(b.names().size(), 4);
}

void TestCRightView::keysAskForCommands_data()
{
    QTest::addColumn<QString>("table");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<QList<int>>("asked");
    QTest::newRow("Enter on a free table")
        << "A1" << int(Qt::Key_Return) << 0 << QList<int>{CMainFrame::OpenTable};
    QTest::newRow("Enter on a reserved table")
        << "B1" << int(Qt::Key_Return) << 0 << QList<int>{CMainFrame::OpenTable};
    QTest::newRow("Enter on an occupied table")
        << "A2" << int(Qt::Key_Return) << 0 << QList<int>{CMainFrame::Checkout};
    QTest::newRow("keypad Enter") << "A2" << int(Qt::Key_Enter) << int(Qt::KeypadModifier)
                                  << QList<int>{CMainFrame::Checkout};
    QTest::newRow("Space") << "A2" << int(Qt::Key_Space) << 0 << QList<int>{CMainFrame::AddConsumption};
    QTest::newRow("Enter with nothing selected") << "" << int(Qt::Key_Return) << 0 << QList<int>{};
    QTest::newRow("Space with nothing selected") << "" << int(Qt::Key_Space) << 0 << QList<int>{};
    QTest::newRow("plus") << "A1" << int(Qt::Key_Plus) << 0 << QList<int>{CMainFrame::AddConsumption};
    QTest::newRow("keypad plus") << "A1" << int(Qt::Key_Plus) << int(Qt::KeypadModifier)
                                 << QList<int>{CMainFrame::AddConsumption};
    QTest::newRow("minus") << "A1" << int(Qt::Key_Minus) << 0 << QList<int>{CMainFrame::Checkout};
    QTest::newRow("keypad minus") << "A2" << int(Qt::Key_Minus) << int(Qt::KeypadModifier)
                                  << QList<int>{CMainFrame::Checkout};
}

void TestCRightView::keysAskForCommands()
{
    QFETCH(QString, table);
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(QList<int>, asked);
    Board b;
    b.view->show();
    QVERIFY(QTest::qWaitForWindowActive(b.view.get()));
    if (!table.isEmpty())
        b.select(table);
    b.view->view()->setFocus();
    QSignalSpy spy(b.view.get(), &CRightView::commandRequested);
    QTest::keyClick(b.view->view(), Qt::Key(key), Qt::KeyboardModifiers(modifiers));
    QCOMPARE(commands(spy), asked);
}

void TestCRightView::slashGoesToQuickFind()
{
    Board b;
    b.view->show();
    QVERIFY(QTest::qWaitForWindowActive(b.view.get()));
    b.view->findEdit()->setText(QStringLiteral("A1"));
    b.select(QStringLiteral("A2"));
    QTest::keyClick(b.view->view(), Qt::Key_Slash);
    QVERIFY(b.view->findEdit()->hasFocus());
    QCOMPARE(b.view->findEdit()->selectedText(), QStringLiteral("A1"));
}

void TestCRightView::editBoxesKeepPlusAndMinus()
{
    Board b;
    b.view->show();
    QVERIFY(QTest::qWaitForWindowActive(b.view.get()));
    QSignalSpy spy(b.view.get(), &CRightView::commandRequested);
    b.view->findEdit()->setFocus();
    QTest::keyClicks(b.view->findEdit(), QStringLiteral("A-1+/"));
    QCOMPARE(b.view->findEdit()->text(), QStringLiteral("A-1+/"));
    QVERIFY(spy.isEmpty());
}

void TestCRightView::doubleClickActivates()
{
    Board b;
    b.view->styleBox()->setCurrentText(QStringLiteral("列表"));
    b.view->show();
    QVERIFY(QTest::qWaitForWindowExposed(b.view.get()));
    QSignalSpy spy(b.view.get(), &CRightView::commandRequested);
    auto* report = qobject_cast<QTreeView*>(b.view->view());
    for (const QString& table : {QStringLiteral("A2"), QStringLiteral("A1")}) {
        QTRY_VERIFY(report->visualRect(b.index(table)).isValid());
        doubleClick(report->viewport(), report->visualRect(b.index(table)).center());
    }
    QCOMPARE(commands(spy), (QList<int>{CMainFrame::Checkout, CMainFrame::OpenTable}));
}

void TestCRightView::arrowsAndClicksChooseTheTable()
{
    Board b;
    b.view->styleBox()->setCurrentText(QStringLiteral("列表"));
    b.view->show();
    QVERIFY(QTest::qWaitForWindowActive(b.view.get()));
    QSignalSpy chosen(b.view.get(), &CRightView::tableChosen);
    auto* report = qobject_cast<QTreeView*>(b.view->view());
    QTRY_VERIFY(report->visualRect(b.index("A2")).isValid());
    QTest::mouseClick(report->viewport(), Qt::LeftButton, {}, report->visualRect(b.index("A2")).center());
    QCOMPARE(chosen.size(), 1);
    QCOMPARE(chosen.last().at(0).toString(), QStringLiteral("A2"));
    QTest::keyClick(report, Qt::Key_Down);
    QCOMPARE(chosen.size(), 2);
    QCOMPARE(chosen.last().at(0).toString(), QStringLiteral("B1"));
}

void TestCRightView::contextMenuGreysPerState_data()
{
    QTest::addColumn<QString>("table");
    QTest::addColumn<QStringList>("enabled");
    QTest::addColumn<int>("first");
    QTest::newRow("occupied") << "A2"
                              << QStringList({"增加消费", "顾客结账", "顾客预定", "修改登记", "更换餐桌",
                                              "拆分账单", "合并账单", "打印小票"})
                              << int(CMainFrame::AddConsumption);
    QTest::newRow("reserved") << "B1" << QStringList({"顾客开单", "修改登记", "拆分账单", "合并账单"})
                              << int(CMainFrame::OpenTable);
    QTest::newRow("free") << "A1" << QStringList({"顾客开单", "顾客预定"}) << int(CMainFrame::OpenTable);
    QTest::newRow("no table") << "" << QStringList({"顾客预定", "拆分账单", "合并账单"})
                              << int(CMainFrame::Reserve);
}

void TestCRightView::contextMenuGreysPerState()
{
    QFETCH(QString, table);
    QFETCH(QStringList, enabled);
    QFETCH(int, first);
    Board b;
    std::unique_ptr<QMenu> menu(b.view->contextMenu(table.isEmpty() ? -1 : b.row(table), nullptr));
    QStringList all;
    QStringList on;
    for (QAction* a : menu->actions()) {
        if (a->isSeparator())
            continue;
        const QString text = a->text().section(QLatin1Char('\t'), 0, 0);
        all << text;
        if (a->isEnabled())
            on << text;
    }
    QCOMPARE(all, (QStringList{"顾客开单", "增加消费", "顾客结账", "顾客预定", "修改登记", "更换餐桌",
                               "拆分账单", "合并账单", "打印小票"}));
    QCOMPARE(on, enabled);
    // An item asks for its command; a greyed one does nothing.
    QSignalSpy spy(b.view.get(), &CRightView::commandRequested);
    for (QAction* a : menu->actions())
        a->trigger();
    QCOMPARE(commands(spy).value(0), first);
    QCOMPARE(commands(spy).size(), enabled.size());
}

void TestCRightView::commandsWithoutHandlerStayGreyed()
{
    Board b;
    b.view->setCommandAvailable(
        [](int id) { return id == CMainFrame::OpenTable || id == CMainFrame::Checkout; });
    std::unique_ptr<QMenu> occupied(b.view->contextMenu(b.row("A2"), nullptr));
    std::unique_ptr<QMenu> free(b.view->contextMenu(b.row("A1"), nullptr));
    auto on = [](QMenu* menu) {
        QStringList out;
        for (QAction* a : menu->actions())
            if (!a->isSeparator() && a->isEnabled())
                out << a->text().section(QLatin1Char('\t'), 0, 0);
        return out;
    };
    QCOMPARE(on(occupied.get()), QStringList{"顾客结账"});
    QCOMPARE(on(free.get()), QStringList{"顾客开单"});
}

void TestCRightView::elapsedTimeEveryTwentySeconds()
{
    Board b;
    QVERIFY(!b.view->elapsedTimer()->isActive());
    b.view->show();
    QVERIFY(b.view->elapsedTimer()->isActive());
    QCOMPARE(b.view->elapsedTimer()->interval(), 20000);
    QCOMPARE(b.texts(b.row("A2")).at(4), QString());
    b.view->elapsedTimer()->setInterval(1);
    QTRY_COMPARE(b.texts(b.row("A2")).at(4), QStringLiteral("2小时5分"));
    QCOMPARE(b.t.scalar("select yysj from cz where czm='A2'"), QStringLiteral("2小时5分"));
    QCOMPARE(b.texts(b.row("A1")).at(4), QString());
}

void TestCRightView::refreshWritesInPlace()
{
    Board b;
    b.select(QStringLiteral("A1"));
    Restaurant(b.t).occupy(QStringLiteral("A1"), Restaurant::kNow, 12);
    b.t.exec("update cz set zyzt='空闲' where czm='A2'");
    b.view->refresh();
    QCOMPARE(b.names(), (QStringList{"A1", "A2", "B1", "V1"}));
    QCOMPARE(b.texts(0).mid(0, 3), (QStringList{"A1", "占用", "￥12.00"}));
    QCOMPARE(b.texts(1).mid(0, 3), (QStringList{"A2", "空闲", ""}));
    QCOMPARE(b.view->items().at(0).state, TableBoard::State::Occupied);
    QCOMPARE(b.view->selectedTable(), QStringLiteral("A1"));
    // A table added meanwhile joins the board.
    Restaurant(b.t).table(QStringLiteral("C1"));
    b.view->refresh();
    QCOMPARE(b.names(), (QStringList{"A1", "A2", "B1", "V1", "C1"}));
    QCOMPARE(b.view->selectedTable(), QStringLiteral("A1"));
}

void TestCRightView::reloadAfterSettings()
{
    Board b;
    b.view->filterBox()->setCurrentText(QStringLiteral("占用"));
    b.view->setRoom(QStringLiteral("包间"));
    Restaurant(b.t).table(QStringLiteral("C1"));
    b.view->reload();
    QCOMPARE(b.names(), (QStringList{"A1", "A2", "B1", "V1", "C1"}));
    QCOMPARE(b.view->filterBox()->currentText(), QStringLiteral("全部"));
    QCOMPARE(b.view->board().room(), QStringLiteral("%"));
}

void TestCRightView::roomFilter()
{
    Board b;
    b.view->setRoom(QStringLiteral("包间"));
    QCOMPARE(b.names(), QStringList{"V1"});
    // The display filter keeps to the room.
    b.view->filterBox()->setCurrentText(QStringLiteral("占用"));
    QCOMPARE(b.names(), QStringList());
    b.view->setRoom(QStringLiteral("%"));
    QCOMPARE(b.names().size(), 4);
}

void TestCRightView::paneToggles()
{
    Board b;
    b.view->show();
    QSignalSpy rooms(b.view.get(), &CRightView::roomsPaneToggled);
    QSignalSpy lines(b.view.get(), &CRightView::linesPaneToggled);
    QList<QToolButton*> buttons;
    for (QToolButton* button : b.view->findChildren<QToolButton*>())
        if (button->toolTip() == QStringLiteral("隐藏左列") ||
            button->toolTip() == QStringLiteral("隐藏下列"))
            buttons << button;
    QCOMPARE(buttons.size(), 2);
    for (QToolButton* button : buttons) {
        const qint64 before = button->icon().cacheKey();
        QTest::mouseClick(button, Qt::LeftButton);
        QVERIFY(button->icon().cacheKey() != before);
    }
    QCOMPARE(rooms.size(), 1);
    QCOMPARE(lines.size(), 1);
}

PELVAR_TEST(TestCRightView)
#include "tst_CRightView.moc"
