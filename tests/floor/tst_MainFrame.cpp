#include "CBackupDlg.h"
#include "CCzYdDlg.h"
#include "CDownView.h"
#include "CLeftView.h"
#include "Clock.h"
#include "CLoginDlg.h"
#include "CMainFrame.h"
#include "COpenTableDlg.h"
#include "CPelvarApp.h"
#include "CPrintListReportCtrl.h"
#include "CPSheet.h"
#include "CRightView.h"
#include "CTableChangeDlg.h"
#include "ModalDialogs.h"
#include "OperatorAccounts.h"
#include "PasswordHash.h"
#include "Restaurant.h"
#include "TestMain.h"
#include "WaiterField.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTest>
#include <QTextBrowser>
#include <QToolBar>
#include <QTreeWidget>

namespace {

const QString kAdmin = QStringLiteral("系统管理员");
const QString kTitle = QStringLiteral("Orvo餐饮收银系统");

// The program on a fresh data folder at 12:30 in the lunch shift, logged in as `name` (an
// operator with every right but those named, password "pw"): tables A1-A3 in 大厅, B1 and B2 in
// 包间 booked together for this shift, the waiters 王芳 and 李强.
struct Running
{
    explicit Running(const QString& name = kAdmin, const QStringList& without = {})
    {
        Clock::setFixed(Restaurant::kNow);
        QVERIFY(app.openData());
        Restaurant r(t);
        r.shifts();
        r.tables(QStringLiteral("大厅"), {"A1", "A2", "A3"});
        r.tables(QStringLiteral("包间"), {"B1", "B2"});
        for (const char* table : {"B1", "B2"})
            r.book("20261206090000", QLatin1String(table), 1, Restaurant::kNow.addSecs(1800));
        exec("insert into fws(xm,jp) values('王芳','WF'), ('李强','LQ')");
        if (name != kAdmin) {
            QStringList rights;
            for (int i = 0; i < Rights::kCount; ++i) {
                const QString column = Rights::column(Rights::at(i));
                rights << column +
                              (without.contains(column) ? QStringLiteral("='0'") : QStringLiteral("='1'"));
            }
            exec(QStringLiteral("insert into [user](xm, mm, zdmlje) values('%1', '%2', 5)")
                     .arg(name, PasswordHash::make(QStringLiteral("pw"))));
            exec(QStringLiteral("update [user] set %1 where xm='%2'").arg(rights.join(','), name));
        }
        Operator op;
        QVERIFY(OperatorAccounts(app.db(), prompt)
                    .login(name, name == kAdmin ? QString() : QStringLiteral("pw"), op));
        app.setCurrentOperator(op);
        frame = std::make_unique<CMainFrame>(app);
        frame->resize(1200, 800);
        frame->show();
        QVERIFY(QTest::qWaitForWindowActive(frame.get()));
        prompt.clear();
    }
    ~Running() { Clock::clearFixed(); }

    void exec(const QString& sql) { t.exec(sql); }
    QString scalar(const QString& sql) { return t.scalar(sql); }
    QStringList log()
    {
        return scalar(QStringLiteral("select group_concat(log,'|') from log")).split(QLatin1Char('|'));
    }
    void select(const QStringList& tables)
    {
        CRightView* board = frame->board();
        QItemSelectionModel* selection = board->view()->selectionModel();
        selection->clearSelection();
        for (int row = 0; row < board->items().size(); ++row)
            if (tables.contains(board->items().at(row).name))
                selection->select(board->view()->model()->index(row, 0),
                                  QItemSelectionModel::Select | QItemSelectionModel::Rows);
        frame->activateWindow();
        board->view()->setFocus();
    }
    TableBoard::State state(const QString& table)
    {
        for (const TableBoard::Item& item : frame->board()->items())
            if (item.name == table)
                return item.state;
        return TableBoard::State::Free;
    }
    QAction* toolButton(int index) { return frame->findChild<QToolBar*>()->actions().at(index); }

    // The test's own connection builds the restaurant in the file the program has open.
    TestDatabase t;
    ScriptedPrompt& prompt = t.prompt;
    CPelvarApp app{t.prompt, t.folder()};
    std::unique_ptr<CMainFrame> frame;
};

// Fills the open-table dialog as an operator would: guests, the waiter found by typing `waiter`
// and taken with Enter, the note; then OK.
void fill(COpenTableDlg* dialog, const QString& guests, const QString& waiter = {}, bool orderNow = false)
{
    dialog->guestsEdit()->setText(guests);
    if (!waiter.isEmpty()) {
        dialog->waiterField()->clear();
        dialog->waiterField()->setFocus();
        QTest::keyClicks(dialog->waiterField(), waiter);
        QTest::keyClick(dialog->waiterField(), Qt::Key_Return);
        QVERIFY(dialog->isVisible());
        QVERIFY(dialog->noteEdit()->hasFocus());
    }
    dialog->orderNowBox()->setChecked(orderNow);
    dialog->accept();
}

} // namespace

class TestMainFrame : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();

    void titleStatusAndClock();
    void gatedCommands_data();
    void gatedCommands();
    void everyWayOfClosingAsksFirst_data();
    void everyWayOfClosingAsksFirst();
    void handOver();
    void panesHideAndComeBack();
    void settingsSheets();
    void helpInsideTheProgramTellsWhatWorks();
    void aboutShowsOneNameAndVersion();

    void openTablesFromTheBoard();
    void reservedTableThroughTheChoice();
    void changeRegistration();
    void changeTableSelectsTheTarget();
    void panesFollowTheBoard();

private:
    QTemporaryDir m_settings;
};

void TestMainFrame::initTestCase()
{
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_settings.path());
    CPelvarApp::prepareProcess();
}

void TestMainFrame::titleStatusAndClock()
{
    Running r;
    QCOMPARE(r.frame->windowTitle(), QStringLiteral("Orvo餐饮收银系统 V2.5—我的餐厅"));
    QCOMPARE(r.frame->statusText(0), QStringLiteral("当前操作员:系统管理员"));
    QCOMPARE(r.frame->statusText(2), QStringLiteral("2026年12月06日 12时30分00秒 星期天"));
    Clock::setFixed(QDateTime(QDate(2027, 1, 2), QTime(9, 5, 4)));
    QTRY_COMPARE(r.frame->statusText(2), QStringLiteral("2027年01月02日 09时05分04秒 星期六"));
}

void TestMainFrame::gatedCommands_data()
{
    QTest::addColumn<int>("command"); // the key F8 for 财务管理
    QTest::addColumn<QString>("right");
    QTest::addColumn<QString>("message");
    QTest::addColumn<bool>("titleCaption");
    const QString noRight = QStringLiteral("你没有此操作权限!");
    QTest::newRow("财务管理 (F8)") << int(CMainFrame::Finance) << ""
                                   << "只有系统管理员有此权限!" << true;
    QTest::newRow("餐厅名称设置") << int(CMainFrame::RestaurantSettings) << ""
                                  << "只有系统管理员有权设置!" << true;
    QTest::newRow("系统运行日志") << int(CMainFrame::RunLog) << ""
                                  << "只有系统管理员有权限查看运行日志!" << true;
    QTest::newRow("离店消费明细") << int(CMainFrame::LeftConsumption) << "ldxfcxqx" << noRight << true;
    QTest::newRow("消费退单明细") << int(CMainFrame::ReturnedLines) << "tdcxqx" << noRight << true;
    QTest::newRow("消费赠单明细") << int(CMainFrame::GiftLines) << "zdcxqx" << noRight << true;
    QTest::newRow("收银明细") << int(CMainFrame::CashierDetail) << "symxqx" << noRight << true;
    QTest::newRow("收银汇总") << int(CMainFrame::CashierSummary) << "syhzqx" << noRight << true;
    QTest::newRow("按项目类别统计") << int(CMainFrame::SalesByCategory) << "xstjqx" << noRight << true;
    QTest::newRow("按项目名统计") << int(CMainFrame::SalesByItem) << "xstjqx" << noRight << true;
    QTest::newRow("按服务生统计") << int(CMainFrame::SalesByWaiter) << "xstjqx" << noRight << true;
    QTest::newRow("数据库还原") << int(CMainFrame::Restore) << "sjhyqx" << noRight << false;
    QTest::newRow("数据表清空") << int(CMainFrame::ClearTables) << "sjqlqx" << noRight << false;
    QTest::newRow("顾客结账") << int(CMainFrame::Checkout) << "jzqx" << noRight << false;
    QTest::newRow("增加消费 (F3)") << int(CMainFrame::AddConsumption) << "ddqx" << noRight << false;
    QTest::newRow("在店消费明细 needs nothing") << int(CMainFrame::InStoreConsumption) << ""
                                                << "" << false;
}

void TestMainFrame::gatedCommands()
{
    QFETCH(int, command);
    QFETCH(QString, right);
    QFETCH(QString, message);
    QFETCH(bool, titleCaption);
    Running r(QStringLiteral("张三"), {right});
    // A command without a screen yet gets one that counts; the others check inside their own.
    int ran = 0;
    const bool counted = !r.frame->hasHandler(command);
    if (counted)
        r.frame->setHandler(command, [&ran] { ++ran; });
    if (command == CMainFrame::Finance || command == CMainFrame::AddConsumption)
        QTest::keyClick(r.frame.get(), command == CMainFrame::Finance ? Qt::Key_F8 : Qt::Key_F3);
    else
        r.frame->action(command)->trigger();
    QCOMPARE(ran, counted && message.isEmpty() ? 1 : 0);
    QVERIFY(!QApplication::activeModalWidget());
    QCOMPARE(r.prompt.texts(), message.isEmpty() ? QStringList() : QStringList{message});
    if (!message.isEmpty())
        QCOMPARE(r.prompt.shown().first().caption, titleCaption ? kTitle : QStringLiteral("提示信息"));
}

void TestMainFrame::everyWayOfClosingAsksFirst_data()
{
    QTest::addColumn<QString>("way");
    for (const char* way : {"close box", "退出系统(&X)", "toolbar 退出(Esc)", "Esc"})
        QTest::newRow(way) << QString::fromUtf8(way);
}

void TestMainFrame::everyWayOfClosingAsksFirst()
{
    QFETCH(QString, way);
    Running r;
    const auto closeIt = [&] {
        if (way == QLatin1String("close box"))
            r.frame->close();
        else if (way == QLatin1String("Esc"))
            QTest::keyClick(r.frame.get(), Qt::Key_Escape);
        else if (way.startsWith(QLatin1String("toolbar")))
            r.toolButton(8)->trigger();
        else
            r.frame->action(CMainFrame::ExitSystem)->trigger();
    };
    const QStringList loggedIn = r.log();
    closeIt(); // answered no
    QCOMPARE(r.prompt.texts(), QStringList{QStringLiteral("是否要退出本系统？")});
    QVERIFY(r.frame->isVisible());
    QCOMPARE(r.log(), loggedIn);
    r.prompt.answer(Prompt::Answer::Yes);
    bool backupOffered = false;
    whenModal([&backupOffered](QWidget* modal) {
        backupOffered = qobject_cast<CBackupDlg*>(modal);
        qobject_cast<QDialog*>(modal)->reject();
    });
    closeIt();
    QVERIFY(backupOffered);
    QVERIFY(!r.frame->isVisible());
    QCOMPARE(r.log(), loggedIn + QStringList{QStringLiteral("用户“系统管理员”退出系统")});
}

// 员工交班: another operator takes over with rights of their own; a cancelled login ends the
// program without the exit question, the backup or an exit entry.
void TestMainFrame::handOver()
{
    Running r(QStringLiteral("张三"));
    r.exec(QStringLiteral("insert into [user](xm, mm, zdmlje) values('李四', '%1', 5)")
               .arg(PasswordHash::make(QStringLiteral("li"))));
    whenModal([](QWidget* modal) {
        modal->findChild<QComboBox*>()->setCurrentText(QStringLiteral("李四"));
        QTest::keyClicks(modal->findChild<QLineEdit*>(), QStringLiteral("li"));
        QTest::keyClick(modal->findChild<QLineEdit*>(), Qt::Key_Return);
    });
    QTest::keyClick(r.frame.get(), Qt::Key_F7);
    QCOMPARE(r.frame->statusText(0), QStringLiteral("当前操作员:李四"));
    QCOMPARE(r.log().last(), QStringLiteral("用户“李四”登陆系统"));
    r.frame->setHandler(CMainFrame::CashierDetail, [] {});
    r.frame->action(CMainFrame::CashierDetail)->trigger();
    QCOMPARE(r.prompt.texts(), QStringList{QStringLiteral("你没有此操作权限!")});

    const QStringList before = r.log();
    whenModal([](QWidget* modal) {
        QVERIFY(qobject_cast<CLoginDlg*>(modal));
        QTest::keyClick(modal, Qt::Key_Escape);
    });
    r.frame->activateWindow();
    r.toolButton(5)->trigger();
    QVERIFY(!r.frame->isVisible());
    QCOMPARE(r.prompt.texts().size(), 1);
    QCOMPARE(r.log(), before);
}

void TestMainFrame::panesHideAndComeBack()
{
    Running r;
    QWidget* rooms = r.frame->pane(CMainFrame::Pane::Rooms);
    QWidget* board = r.frame->pane(CMainFrame::Pane::Board);
    QWidget* lines = r.frame->pane(CMainFrame::Pane::Lines);
    const int roomsWidth = rooms->width();
    const int linesHeight = lines->height();
    const QSize boardSize = board->size();
    r.frame->toggleRoomsPane();
    r.frame->toggleLinesPane();
    QTRY_VERIFY(!rooms->isVisible() && !lines->isVisible());
    QTRY_VERIFY(board->width() > boardSize.width() + roomsWidth / 2);
    QTRY_VERIFY(board->height() > boardSize.height() + linesHeight / 2);
    r.frame->toggleRoomsPane();
    r.frame->toggleLinesPane();
    QTRY_COMPARE(rooms->width(), roomsWidth);
    QTRY_COMPARE(lines->height(), linesHeight);
}

// F6 opens every page in a sheet that uses most of the screen, with 关闭 as its one button; the
// panes reload after it. The menu's sheets hold their one page.
void TestMainFrame::settingsSheets()
{
    Running r;
    QSignalSpy reloads(r.frame.get(), &CMainFrame::settingsChanged);
    QStringList seen;
    const auto look = [&seen](QWidget* modal) {
        auto* sheet = qobject_cast<CPSheet*>(modal);
        QStringList tabs;
        for (int i = 0; i < sheet->pages()->count(); ++i)
            tabs << sheet->pages()->tabText(i);
        QStringList buttons;
        for (QPushButton* b : sheet->findChildren<QPushButton*>())
            if (!sheet->pages()->isAncestorOf(b))
                buttons << b->text();
        const QSize screen = sheet->screen()->availableSize();
        QVERIFY(sheet->width() >= screen.width() * 4 / 5 && sheet->height() >= screen.height() * 4 / 5);
        seen << sheet->windowTitle() + QLatin1Char(':') + tabs.join(QLatin1Char(',')) + QLatin1Char(':') +
                    buttons.join(QLatin1Char(','));
        sheet->reject();
    };
    whenModal(look);
    QTest::keyClick(r.frame.get(), Qt::Key_F6);
    whenModal(look);
    r.frame->action(CMainFrame::RoomsAndTables)->trigger();
    QCOMPARE(seen,
             QStringList(
                 {"系统设置:房间餐桌设置,消费项目设置,操作员设置,服务生设置,会员管理,营业班次,打印设置:关闭",
                  "房间餐桌设置:房间餐桌设置:关闭"}));
    QCOMPARE(reloads.count(), 2);
}

// F1 shows help.htm in a window of the program. The page lists the commands that have no screen
// yet, and only those; so does its table of keys.
void TestMainFrame::helpInsideTheProgramTellsWhatWorks()
{
    Running r;
    QTest::keyClick(r.frame.get(), Qt::Key_F1);
    auto* browser = r.frame->findChild<QTextBrowser*>();
    QVERIFY(browser && browser->isVisible());
    QCOMPARE(browser->window()->windowTitle(), QStringLiteral("帮助"));
    QVERIFY(browser->toPlainText().contains(QStringLiteral("顾客开单")));
    QFile file(QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("help.htm")));
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QString page = QString::fromUtf8(file.readAll());
    const QString missing =
        page.section(QStringLiteral("<ul class=\"missing\">"), 1).section(QStringLiteral("</ul>"), 0, 0);
    QVERIFY(!missing.isEmpty());
    std::function<void(QMenu*)> walk = [&](QMenu* menu) {
        for (QAction* a : menu->actions()) {
            if (a->menu())
                walk(a->menu());
            else if (!a->isSeparator())
                QVERIFY2(missing.contains(a->text().section(QLatin1Char('\t'), 0, 0)) != a->isEnabled(),
                         qPrintable(a->text()));
        }
    };
    for (QAction* a : r.frame->menuBar()->actions())
        walk(a->menu());
    for (int key = 2; key <= 9; ++key) {
        const QString row =
            page.section(QStringLiteral("<kbd>F%1</kbd>").arg(key), 1).section(QStringLiteral("</tr>"), 0, 0);
        const QKeySequence keys(Qt::Key_F1 + key - 1);
        bool works = false;
        for (QAction* a : r.frame->QWidget::actions())
            works = works || (a->shortcut() == keys && a->isEnabled());
        QVERIFY2(row.contains(QStringLiteral("尚未提供")) != works, qPrintable(row));
    }
    QVERIFY(r.prompt.texts().isEmpty());
}

void TestMainFrame::aboutShowsOneNameAndVersion()
{
    Running r;
    QString shown;
    whenModal([&shown](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        shown =
            box->windowTitle() + QLatin1Char('|') + box->text() + QLatin1Char('|') + box->informativeText();
        box->accept();
    });
    r.frame->action(CMainFrame::About)->trigger();
    QVERIFY2(shown.startsWith(QStringLiteral("关于Orvo餐饮收银系统|Orvo餐饮收银系统 V2.5|")),
             qPrintable(shown));
    QCOMPARE(shown.count(QRegularExpression(QStringLiteral("\\d\\.\\d"))), 1);
    QVERIFY(!shown.contains(QStringLiteral("Pelvar")));
}

// Enter on a free table opens it; a waiter typed and taken with Enter stays in the dialog; the
// board, the lines and the counts follow; Enter on the open table checks it out. Several tables
// open as a group with the group's note; ordering follows at once when asked; cancelling opens
// nothing.
void TestMainFrame::openTablesFromTheBoard()
{
    Running r;
    QStringList handled;
    r.frame->setHandler(CMainFrame::Checkout,
                        [&] { handled << QStringLiteral("结账") + r.frame->selectedTable(); });
    r.frame->setHandler(CMainFrame::AddConsumption,
                        [&] { handled << QStringLiteral("点单") + r.frame->selectedTable(); });
    QString title;
    whenModal([&title](QWidget* modal) {
        title = modal->windowTitle();
        fill(qobject_cast<COpenTableDlg*>(modal), QStringLiteral("3"), QStringLiteral("wf"));
    });
    r.select({QStringLiteral("A2")});
    QTest::keyClick(r.frame->board()->view(), Qt::Key_Return);
    QCOMPARE(title, QStringLiteral("顾客开单"));
    QCOMPARE(r.scalar("select czm||rs||zdbj||fws from dj"), QStringLiteral("A23y1"));
    QCOMPARE(r.state(QStringLiteral("A2")), TableBoard::State::Occupied);
    QCOMPARE(r.frame->lines()->table(), QStringLiteral("A2"));
    QCOMPARE(r.frame->rooms()->countText(1) + r.frame->rooms()->countText(4), QStringLiteral("160.00%"));
    r.select({QStringLiteral("A2")});
    QTest::keyClick(r.frame->board()->view(), Qt::Key_Return);

    QString note;
    whenModal([&note](QWidget* modal) {
        auto* dialog = qobject_cast<COpenTableDlg*>(modal);
        note = dialog->note();
        fill(dialog, QStringLiteral("5"), QString(), true);
    });
    r.select({QStringLiteral("A1"), QStringLiteral("A3")});
    r.frame->execute(CMainFrame::OpenTable);
    QCOMPARE(note, QStringLiteral("团体开单:A1,A3"));
    QCOMPARE(r.scalar("select group_concat(czm||zdbj) from dj where rs=5"), QStringLiteral("A1y,A3n"));
    QCOMPARE(handled, QStringList({"结账A2", "点单A1"}));

    whenModal([](QWidget* modal) { qobject_cast<QDialog*>(modal)->reject(); });
    r.select({QStringLiteral("B1")});
    r.frame->execute(CMainFrame::OpenTable);
    QCOMPARE(r.scalar("select count(*) from dj"), QStringLiteral("3"));
    QVERIFY(r.prompt.texts().isEmpty());
}

// The booking holds B1 and B2; the choice opens the tables left ticked and marks their rows.
void TestMainFrame::reservedTableThroughTheChoice()
{
    Running r;
    QCOMPARE(r.state(QStringLiteral("B2")), TableBoard::State::Reserved);
    QStringList offered;
    whenModal([&offered](QWidget* modal) {
        auto* choice = qobject_cast<CCzYdDlg*>(modal);
        QCOMPARE(choice->windowTitle(), QStringLiteral("此餐桌预订情况"));
        for (int i = 0; i < choice->list()->topLevelItemCount(); ++i)
            offered << choice->list()->topLevelItem(i)->text(2) + choice->list()->topLevelItem(i)->text(3);
        choice->list()->topLevelItem(0)->setCheckState(0, Qt::Unchecked);
        whenModal([](QWidget* dialog) { fill(qobject_cast<COpenTableDlg*>(dialog), QStringLiteral("10")); });
        choice->accept();
    });
    r.select({QStringLiteral("B2")});
    QTest::keyClick(r.frame->board()->view(), Qt::Key_Return);
    QCOMPARE(offered, QStringList({"B1100.00", "B2100.00"}));
    QCOMPARE(r.scalar("select group_concat(czmc||zt) from yd"), QStringLiteral("B1已订,B2到达"));
    QCOMPARE(r.state(QStringLiteral("B2")), TableBoard::State::Occupied);
    QCOMPARE(r.state(QStringLiteral("B1")), TableBoard::State::Reserved);
    QCOMPARE(r.frame->rooms()->countText(3), QStringLiteral("1"));
}

// 修改登记 shows the registration; a waiter deleted since stays unless the field is changed.
void TestMainFrame::changeRegistration()
{
    Running r;
    whenModal([](QWidget* modal) {
        fill(qobject_cast<COpenTableDlg*>(modal), QStringLiteral("4"), QStringLiteral("lq"));
    });
    r.select({QStringLiteral("A1")});
    r.frame->execute(CMainFrame::OpenTable);
    r.exec("delete from fws where xm='李强'");
    QStringList shown;
    whenModal([&shown](QWidget* modal) {
        auto* dialog = qobject_cast<COpenTableDlg*>(modal);
        shown << dialog->windowTitle() << dialog->orderNowBox()->text() << dialog->guestsEdit()->text()
              << dialog->waiterField()->text();
        fill(dialog, QStringLiteral("6"));
    });
    r.select({QStringLiteral("A1")});
    r.frame->execute(CMainFrame::ChangeRegistration);
    QCOMPARE(shown, QStringList({"修改登记", "修改后立即点单", "4", "2号(已删除)"}));
    QCOMPARE(r.scalar("select rs||'/'||fws from dj"), QStringLiteral("6/2"));
    QCOMPARE(r.frame->board()->items().at(0).guests, QStringLiteral("6"));

    r.select({QStringLiteral("A2")});
    r.frame->execute(CMainFrame::ChangeRegistration);
    QCOMPARE(r.prompt.texts(), QStringList{QStringLiteral("此餐桌未开单!")});
}

void TestMainFrame::changeTableSelectsTheTarget()
{
    Running r;
    Restaurant(r.t).open({QStringLiteral("A1")}, Restaurant::kNow);
    r.frame->tablesChanged();
    whenModal([](QWidget* modal) {
        auto* dialog = qobject_cast<CTableChangeDlg*>(modal);
        dialog->targets()->setCurrentText(QStringLiteral("A3"));
        QTest::keyClick(dialog->targets(), Qt::Key_Return);
    });
    r.select({QStringLiteral("A1")});
    r.frame->execute(CMainFrame::ChangeTable);
    QCOMPARE(r.scalar("select czm from dj"), QStringLiteral("A3"));
    QCOMPARE(r.frame->selectedTable(), QStringLiteral("A3"));
    QCOMPARE(r.frame->lines()->table(), QStringLiteral("A3"));
}

// The lines pane marks returns red and gifts orange; the rooms pane filters the board.
void TestMainFrame::panesFollowTheBoard()
{
    Running r;
    Restaurant(r.t).open({QStringLiteral("A1")}, Restaurant::kNow);
    Restaurant(r.t).line(QStringLiteral("A1"), QStringLiteral("宫保鸡丁"), 1, 28);
    Restaurant(r.t).line(QStringLiteral("A1"), QStringLiteral("可乐"), 2, 5, 0);
    Restaurant(r.t).line(QStringLiteral("A1"), QStringLiteral("宫保鸡丁"), -1, 28, 0);
    r.frame->tablesChanged();
    r.select({QStringLiteral("A1")});
    QTest::keyClick(r.frame->board()->view(), Qt::Key_Down);
    QTest::keyClick(r.frame->board()->view(), Qt::Key_Up);
    CPrintListReportCtrl* list = r.frame->lines()->list();
    QCOMPARE(list->rowCount(), 4);
    const auto colour = [list](int row) {
        return list->model()->index(row, 1).data(Qt::ForegroundRole).value<QColor>();
    };
    QCOMPARE(list->cellText(0, 2) + list->cellText(0, 3), QStringLiteral("1.0028.00"));
    QVERIFY(!colour(0).isValid());
    QCOMPARE(colour(1), QColor(255, 153, 0));
    QCOMPARE(colour(2), QColor(255, 0, 0));
    QCOMPARE(list->cellText(3, 6), QStringLiteral("￥28.00"));

    QTreeWidget* tree = r.frame->rooms()->tree();
    tree->setCurrentItem(tree->topLevelItem(0)->child(1));
    QCOMPARE(r.frame->board()->items().size(), 2);
    r.exec("insert into cz(czm,zzws,fjm) values('C1',6,'包间')");
    emit r.frame->settingsChanged();
    QCOMPARE(r.frame->board()->items().size(), 6);
    QCOMPARE(r.frame->rooms()->countText(0), QStringLiteral("6"));
}

PELVAR_TEST(TestMainFrame)
#include "tst_MainFrame.moc"
