#include "CBackupDlg.h"
#include "CCzYdDlg.h"
#include "CDownView.h"
#include "CLeftView.h"
#include "Clock.h"
#include "CLoginDlg.h"
#include "CMainFrame.h"
#include "COpenTableDlg.h"
#include "CPelvarApp.h"
#include "CPSheet.h"
#include "CRightView.h"
#include "CTableChangeDlg.h"
#include "HandOverDialog.h"
#include "ModalDialogs.h"
#include "OperatorAccounts.h"
#include "PasswordHash.h"
#include "Restaurant.h"
#include "SettingsPageFixture.h"
#include "Sql.h"
#include "TestMain.h"
#include "WaiterField.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTest>
#include <QTextBrowser>
#include <QToolBar>
#include <QTreeWidget>

namespace {

const QString kAdmin = QStringLiteral("系统管理员");

// The program at 12:30 in the lunch shift, logged in as `name` (an operator with every right but
// those named, password "pw"): tables A1-A3 in 大厅, B1 and B2 in 包间 booked together for this
// shift, the waiters 王芳 and 李强. The test's own connection writes into the program's file.
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
        t.exec("insert into fws(xm,jp) values('王芳','WF'), ('李强','LQ')");
        t.exec("update [user] set mm=" + Sql::quote(PasswordHash::make("pw")) + " where xm='系统管理员'");
        if (name != kAdmin)
            addOperator(t, name, without, QStringLiteral("pw"));
        Operator op;
        QVERIFY(OperatorAccounts(app.db(), t.prompt).login(name, "pw", op));
        app.setCurrentOperator(op);
        frame = std::make_unique<CMainFrame>(app);
        frame->show();
        QVERIFY(QTest::qWaitForWindowActive(frame.get()));
        t.prompt.clear();
    }
    ~Running() { Clock::clearFixed(); }

    QStringList log() { return t.scalar("select group_concat(log,'|') from log").split(QLatin1Char('|')); }
    int row(const QString& table) const
    {
        for (int i = 0; i < frame->board()->items().size(); ++i)
            if (frame->board()->items().at(i).name == table)
                return i;
        return -1;
    }
    void select(const QStringList& tables)
    {
        QItemSelectionModel* selection = frame->board()->view()->selectionModel();
        selection->clearSelection();
        for (const QString& table : tables)
            selection->select(selection->model()->index(row(table), 0),
                              QItemSelectionModel::Select | QItemSelectionModel::Rows);
        frame->activateWindow();
        frame->board()->view()->setFocus();
    }
    // Commands whose screens are not the test's subject record the table they were given.
    void record(std::initializer_list<int> commands)
    {
        for (int command : commands)
            frame->setHandler(
                command, [this, command] { asked << QString::number(command) + frame->selectedTable(); });
    }

    TestDatabase t;
    CPelvarApp app{t.prompt, t.folder()};
    std::unique_ptr<CMainFrame> frame;
    QStringList asked;
};

// Fills the open-table dialog as an operator would: guests, the waiter found by typing `waiter`
// and taken with Enter, which stays in the dialog; then OK.
void fill(QWidget* modal, const QString& guests, const QString& waiter = {}, bool orderNow = false)
{
    auto* dialog = qobject_cast<COpenTableDlg*>(modal);
    dialog->guestsEdit()->setText(guests);
    if (!waiter.isEmpty()) {
        dialog->waiterField()->clear();
        dialog->waiterField()->setFocus();
        QTest::keyClicks(dialog->waiterField(), waiter);
        QTest::keyClick(dialog->waiterField(), Qt::Key_Return);
    }
    const bool stayed = dialog->isVisible() && (waiter.isEmpty() || dialog->noteEdit()->hasFocus());
    dialog->orderNowBox()->setChecked(orderNow);
    dialog->accept();
    QVERIFY(stayed);
}

} // namespace

class TestMainFrame : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void titleStatusPanesAndAbout();
    void gatedCommands_data();
    void gatedCommands();
    void everyWayOfClosingAsksFirst_data();
    void everyWayOfClosingAsksFirst();
    void handOver();
    void settingsSheets();
    void helpInsideTheProgram();
    void boardKeys_data();
    void boardKeys();
    void openTablesFromTheBoard();
    void reservedTableThroughTheChoice();
    void changeRegistrationAndTable();

private:
    QTemporaryDir m_settings;
};

void TestMainFrame::initTestCase()
{
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_settings.path());
    CPelvarApp::prepareProcess();
}

// The title with the project's version, the operator and the running clock; the panes hide and
// come back at their size; the about box shows one name and one version.
void TestMainFrame::titleStatusPanesAndAbout()
{
    Running r;
    QCOMPARE(r.frame->windowTitle() + r.frame->statusText(0),
             "Orvo餐饮收银系统 V2.5—我的餐厅当前操作员:系统管理员");
    QCOMPARE(r.frame->statusText(2), QStringLiteral("2026年12月06日 12时30分00秒 星期天"));
    Clock::setFixed(QDateTime(QDate(2027, 1, 2), QTime(9, 5, 4)));
    QTRY_COMPARE(r.frame->statusText(2), QStringLiteral("2027年01月02日 09时05分04秒 星期六"));
    QWidget* rooms = r.frame->pane(CMainFrame::Pane::Rooms);
    QWidget* board = r.frame->pane(CMainFrame::Pane::Board);
    QWidget* lines = r.frame->pane(CMainFrame::Pane::Lines);
    const QSize sizes[] = {rooms->size(), board->size(), lines->size()};
    r.frame->toggleRoomsPane();
    r.frame->toggleLinesPane();
    QTRY_VERIFY(!rooms->isVisible() && !lines->isVisible());
    QTRY_VERIFY(board->width() > sizes[1].width() + sizes[0].width() / 2);
    QTRY_VERIFY(board->height() > sizes[1].height() + sizes[2].height() / 2);
    r.frame->toggleRoomsPane();
    r.frame->toggleLinesPane();
    QTRY_COMPARE(rooms->width(), sizes[0].width());
    QTRY_COMPARE(lines->height(), sizes[2].height());
    QString about;
    whenModal([&about](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        about = box->windowTitle() + '|' + box->text() + '|' + box->informativeText();
        box->accept();
    });
    r.frame->action(CMainFrame::About)->trigger();
    QVERIFY(about.startsWith(QStringLiteral("关于Orvo餐饮收银系统|Orvo餐饮收银系统 V2.5|")));
    QVERIFY(about.count(QRegularExpression(QStringLiteral("\\d\\.\\d"))) == 1 && !about.contains("Pelvar"));
}

// The right or rule each command checks first, and the caption of its refusal (the program's
// title for reports and the administrator's commands).
void TestMainFrame::gatedCommands_data()
{
    QTest::addColumn<int>("command");
    QTest::addColumn<QString>("right"); // taken from the operator; "*" shows the program's title
    QTest::addColumn<QString>("message");
    const QString noRight = QStringLiteral("你没有此操作权限!");
    QTest::newRow("财务管理 (F8)") << int(CMainFrame::Finance) << "*"
                                   << QStringLiteral("只有系统管理员有此权限!");
    QTest::newRow("餐厅名称设置") << int(CMainFrame::RestaurantSettings) << "*"
                                  << QStringLiteral("只有系统管理员有权设置!");
    QTest::newRow("系统运行日志") << int(CMainFrame::RunLog) << "*"
                                  << QStringLiteral("只有系统管理员有权限查看运行日志!");
    QTest::newRow("离店消费明细") << int(CMainFrame::LeftConsumption) << "ldxfcxqx*" << noRight;
    QTest::newRow("收银明细") << int(CMainFrame::CashierDetail) << "symxqx*" << noRight;
    QTest::newRow("按服务生统计") << int(CMainFrame::SalesByWaiter) << "xstjqx*" << noRight;
    QTest::newRow("数据库还原") << int(CMainFrame::Restore) << "sjhyqx" << noRight;
    QTest::newRow("顾客结账") << int(CMainFrame::Checkout) << "jzqx" << noRight;
    QTest::newRow("增加消费 (F3)") << int(CMainFrame::AddConsumption) << "ddqx" << noRight;
    QTest::newRow("在店消费明细 needs nothing") << int(CMainFrame::InStoreConsumption) << "" << QString();
    QTest::newRow("顾客预定") << int(CMainFrame::Reserve) << "ydqx" << noRight;
    QTest::newRow("餐桌预定管理 needs nothing") << int(CMainFrame::Reservations) << "" << QString();
}

void TestMainFrame::gatedCommands()
{
    QFETCH(int, command);
    QFETCH(QString, right);
    QFETCH(QString, message);
    Running r(QStringLiteral("张三"), {QString(right).remove(QLatin1Char('*'))});
    // A command without a screen yet gets one that counts; the others check inside their own.
    const bool counted = !r.frame->hasHandler(command);
    if (counted)
        r.record({command});
    // A command that passes its check opens its screen: it counts too.
    bool opened = false;
    if (!counted && message.isEmpty())
        whenModal([&opened](QWidget* modal) {
            opened = true;
            qobject_cast<QDialog*>(modal)->reject();
        });
    if (command == CMainFrame::Finance || command == CMainFrame::AddConsumption)
        QTest::keyClick(r.frame.get(), command == CMainFrame::Finance ? Qt::Key_F8 : Qt::Key_F3);
    else
        r.frame->action(command)->trigger();
    QCOMPARE(r.asked.size() + int(opened), message.isEmpty() ? 1 : 0);
    QCOMPARE(r.t.prompt.texts(), message.isEmpty() ? QStringList() : QStringList{message});
    if (!message.isEmpty())
        QCOMPARE(r.t.prompt.shown().first().caption,
                 right.endsWith('*') ? QStringLiteral("Orvo餐饮收银系统") : QStringLiteral("提示信息"));
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
    const QStringList loggedIn = r.log();
    bool backupOffered = false;
    for (const Prompt::Answer answer : {Prompt::Answer::No, Prompt::Answer::Yes}) {
        r.t.prompt.answer(answer);
        if (answer == Prompt::Answer::Yes)
            whenModal([&backupOffered](QWidget* modal) {
                backupOffered = qobject_cast<CBackupDlg*>(modal);
                qobject_cast<QDialog*>(modal)->reject();
            });
        if (way == "close box")
            r.frame->close();
        else if (way == "Esc")
            QTest::keyClick(r.frame.get(), Qt::Key_Escape);
        else if (way.startsWith("toolbar"))
            r.frame->findChild<QToolBar*>()->actions().at(8)->trigger();
        else
            r.frame->action(CMainFrame::ExitSystem)->trigger();
        QCOMPARE(r.frame->isVisible(), answer == Prompt::Answer::No);
        QCOMPARE(backupOffered, answer == Prompt::Answer::Yes);
    }
    // Yes to closing asks whether the operator hands over first.
    QCOMPARE(r.t.prompt.texts(),
             (QStringList{QStringLiteral("是否要退出本系统？"), QStringLiteral("是否要退出本系统？"),
                          QStringLiteral("是否交班并打印交班单？")}));
    QCOMPARE(r.log(), loggedIn + QStringList{QStringLiteral("用户“系统管理员”退出系统")});
}

// 员工交班: another operator takes over with rights of their own; a cancelled login ends the
// program without the exit question, the backup or an exit entry.
void TestMainFrame::handOver()
{
    Running r(QStringLiteral("张三"));
    addOperator(r.t, QStringLiteral("李四"), {QStringLiteral("symxqx")}, QStringLiteral("li"));
    // The outgoing operator's slip comes first; handed over, the login follows.
    const auto slipThen = [](std::function<void(QWidget*)> next) {
        return [next](QWidget* modal) {
            auto* slip = qobject_cast<HandOverDialog*>(modal);
            QVERIFY(slip);
            slip->countedEdit()->setText(QStringLiteral("0"));
            // The login comes up once the slip has gone.
            auto login = std::make_shared<std::function<void(QWidget*)>>();
            *login = [next, login](QWidget* up) {
                if (qobject_cast<CLoginDlg*>(up))
                    next(up);
                else
                    whenModal(*login);
            };
            whenModal(*login);
            slip->handOver();
        };
    };
    whenModal(slipThen([](QWidget* modal) {
        modal->findChild<QComboBox*>()->setCurrentText(QStringLiteral("李四"));
        QTest::keyClicks(modal->findChild<QLineEdit*>(), QStringLiteral("li"));
        QTest::keyClick(modal->findChild<QLineEdit*>(), Qt::Key_Return);
    }));
    QTest::keyClick(r.frame.get(), Qt::Key_F7);
    QCOMPARE(r.frame->statusText(0), QStringLiteral("当前操作员:李四"));
    QVERIFY(!r.app.currentOperator().may(Right::Symxqx));
    const QStringList before = r.log();
    QCOMPARE(before.last(), QStringLiteral("用户“李四”登陆系统"));
    whenModal(slipThen([](QWidget* modal) {
        QTest::keyClick(modal, Qt::Key_Escape);
        QVERIFY(qobject_cast<CLoginDlg*>(modal));
    }));
    r.frame->activateWindow();
    r.frame->findChild<QToolBar*>()->actions().at(5)->trigger();
    QVERIFY(!r.frame->isVisible() && r.t.prompt.texts().isEmpty());
    QCOMPARE(r.log(), before);
    QCOMPARE(r.t.scalar(QStringLiteral("select group_concat(czy) from jbjl")), QStringLiteral("张三,李四"));
}

// F6 opens every page in a sheet that uses most of the screen, with 关闭 as its one button; the
// panes reload after it.
void TestMainFrame::settingsSheets()
{
    Running r;
    QSignalSpy reloads(r.frame.get(), &CMainFrame::settingsChanged);
    QStringList seen;
    const auto look = [&seen](QWidget* modal) {
        auto* sheet = qobject_cast<CPSheet*>(modal);
        QString shown = sheet->windowTitle() + ':';
        for (int i = 0; i < sheet->pages()->count(); ++i)
            shown += sheet->pages()->tabText(i) + ',';
        for (QPushButton* b : sheet->findChildren<QPushButton*>())
            if (!sheet->pages()->isAncestorOf(b))
                shown += b->text();
        const QSize screen = sheet->screen()->availableSize();
        seen << shown
             << (sheet->width() >= screen.width() * 4 / 5 && sheet->height() >= screen.height() * 4 / 5
                     ? "large"
                     : "small");
        sheet->reject();
    };
    whenModal(look);
    QTest::keyClick(r.frame.get(), Qt::Key_F6);
    QCOMPARE(seen, QStringList({"系统设置:房间餐桌设置,消费项目设置,操作员设置,服务生设置,会员管理,营业班次,"
                                "数据清空,打印设置,付款方式,关闭",
                                "large"}));
    QCOMPARE(reloads.count(), 1);
    // 数据表清空 opens the same sheet with its one page.
    seen.clear();
    whenModal(look);
    r.frame->action(CMainFrame::ClearTables)->trigger();
    QCOMPARE(seen.value(0), QStringLiteral("系统设置:数据清空,关闭"));
    QCOMPARE(reloads.count(), 2);
}

// F1 shows help.htm in a window of the program; the page describes the toolbar's commands. Every
// command of the menus and the toolbar has its screen.
void TestMainFrame::helpInsideTheProgram()
{
    Running r;
    QTest::keyClick(r.frame.get(), Qt::Key_F1);
    auto* browser = r.frame->findChild<QTextBrowser*>();
    QVERIFY(browser && browser->isVisible());
    QCOMPARE(browser->window()->windowTitle(), QStringLiteral("帮助"));
    const QString page = browser->toPlainText();
    for (QAction* a : r.frame->findChild<QToolBar*>()->actions())
        QVERIFY2(a->isEnabled() && page.contains(a->text().section('(', 0, 0)), qPrintable(a->text()));
    std::function<void(QMenu*)> walk = [&](QMenu* menu) {
        for (QAction* a : menu->actions()) {
            if (a->menu())
                walk(a->menu());
            else
                QVERIFY2(a->isSeparator() || a->isEnabled(), qPrintable(a->text()));
        }
    };
    for (QAction* a : r.frame->menuBar()->actions())
        walk(a->menu());
}

// A2 is open: Enter opens a free or reserved table and checks out an occupied one, Space and "+"
// add consumption, "-" checks out.
void TestMainFrame::boardKeys_data()
{
    QTest::addColumn<QString>("table");
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("asked");
    QTest::newRow("Enter, free") << "A1" << int(Qt::Key_Return)
                                 << QString::number(CMainFrame::OpenTable) + "A1";
    QTest::newRow("Enter, reserved") << "B1" << int(Qt::Key_Return)
                                     << QString::number(CMainFrame::OpenTable) + "B1";
    QTest::newRow("Enter, occupied") << "A2" << int(Qt::Key_Enter)
                                     << QString::number(CMainFrame::Checkout) + "A2";
    QTest::newRow("Space") << "A2" << int(Qt::Key_Space)
                           << QString::number(CMainFrame::AddConsumption) + "A2";
    QTest::newRow("Enter, none") << "" << int(Qt::Key_Return) << QString();
    QTest::newRow("Space, none") << "" << int(Qt::Key_Space) << QString();
    QTest::newRow("plus") << "A1" << int(Qt::Key_Plus) << QString::number(CMainFrame::AddConsumption) + "A1";
    QTest::newRow("minus") << "A2" << int(Qt::Key_Minus) << QString::number(CMainFrame::Checkout) + "A2";
}

void TestMainFrame::boardKeys()
{
    QFETCH(QString, table);
    QFETCH(int, key);
    QFETCH(QString, asked);
    Running r;
    Restaurant(r.t).open({QStringLiteral("A2")}, Restaurant::kNow);
    r.frame->tablesChanged();
    r.record({CMainFrame::OpenTable, CMainFrame::Checkout, CMainFrame::AddConsumption});
    r.select(table.isEmpty() ? QStringList() : QStringList{table});
    QTest::keyClick(r.frame->board()->view(), Qt::Key(key));
    // "/" goes to the quick find, which keeps those keys as text.
    QTest::keyClick(r.frame->board()->view(), Qt::Key_Slash);
    QTest::keyClicks(r.frame->board()->findEdit(), QStringLiteral("A-1+/"));
    QCOMPARE(r.frame->board()->findEdit()->text() + r.asked.join(' '), "A-1+/" + asked);
}

// Enter opens a free table, the waiter typed and taken with Enter; the panes follow. Several
// tables open as a group with its note; ordering follows when asked; cancelling opens nothing.
void TestMainFrame::openTablesFromTheBoard()
{
    Running r;
    r.record({CMainFrame::AddConsumption});
    QString title;
    whenModal([&title](QWidget* modal) {
        title = modal->windowTitle();
        fill(modal, QStringLiteral("3"), QStringLiteral("wf"));
    });
    r.select({QStringLiteral("A2")});
    QTest::keyClick(r.frame->board()->view(), Qt::Key_Return);
    QCOMPARE(title, QStringLiteral("顾客开单"));
    QCOMPARE(r.t.scalar("select czm||rs||zdbj||fws from dj"), QStringLiteral("A23y1"));
    QCOMPARE(r.frame->board()->items().at(1).state, TableBoard::State::Occupied);
    QCOMPARE(r.frame->lines()->table(), QStringLiteral("A2"));
    QCOMPARE(r.frame->rooms()->countText(1) + r.frame->rooms()->countText(4), QStringLiteral("160.00%"));

    whenModal([&title](QWidget* modal) {
        title = qobject_cast<COpenTableDlg*>(modal)->note();
        fill(modal, QStringLiteral("5"), QString(), true);
    });
    r.select({QStringLiteral("A1"), QStringLiteral("A3")});
    r.frame->execute(CMainFrame::OpenTable);
    QCOMPARE(title, QStringLiteral("团体开单:A1,A3"));
    QCOMPARE(r.t.scalar("select group_concat(czm||zdbj) from dj where rs=5"), QStringLiteral("A1y,A3n"));
    QCOMPARE(r.asked, QStringList{QString::number(CMainFrame::AddConsumption) + "A1"});

    whenModal([](QWidget* modal) { qobject_cast<QDialog*>(modal)->reject(); });
    r.select({QStringLiteral("B1")});
    r.frame->execute(CMainFrame::OpenTable);
    QCOMPARE(r.t.scalar("select count(*) from dj"), QStringLiteral("3"));
}

// The booking holds B1 and B2; the choice opens the tables left ticked and marks their rows.
void TestMainFrame::reservedTableThroughTheChoice()
{
    Running r;
    QStringList offered;
    whenModal([&offered](QWidget* modal) {
        auto* choice = qobject_cast<CCzYdDlg*>(modal);
        for (int i = 0; i < choice->list()->topLevelItemCount(); ++i)
            offered << choice->windowTitle() + choice->list()->topLevelItem(i)->text(2) +
                           choice->list()->topLevelItem(i)->text(3);
        choice->list()->topLevelItem(0)->setCheckState(0, Qt::Unchecked);
        whenModal([](QWidget* dialog) { fill(dialog, QStringLiteral("10")); });
        choice->accept();
    });
    r.select({QStringLiteral("B2")});
    QTest::keyClick(r.frame->board()->view(), Qt::Key_Return);
    QCOMPARE(offered, QStringList({"此餐桌预订情况B1100.00", "此餐桌预订情况B2100.00"}));
    QCOMPARE(r.t.scalar("select group_concat(czmc||zt) from yd"), QStringLiteral("B1已订,B2到达"));
    QCOMPARE(r.frame->board()->items().at(3).state, TableBoard::State::Reserved); // B1
    QCOMPARE(r.frame->board()->items().at(4).state, TableBoard::State::Occupied); // B2
    QCOMPARE(r.frame->rooms()->countText(3), QStringLiteral("1"));
}

// 修改登记 shows the registration; a waiter deleted since stays unless the field is changed.
// 更换餐桌 then moves the guests, and the board selects their new table.
void TestMainFrame::changeRegistrationAndTable()
{
    Running r;
    whenModal([](QWidget* modal) { fill(modal, QStringLiteral("4"), QStringLiteral("lq")); });
    r.select({QStringLiteral("A1")});
    r.frame->execute(CMainFrame::OpenTable);
    r.t.exec("delete from fws where xm='李强'");
    QStringList shown;
    whenModal([&shown](QWidget* modal) {
        auto* dialog = qobject_cast<COpenTableDlg*>(modal);
        shown << dialog->windowTitle() << dialog->orderNowBox()->text() << dialog->guestsEdit()->text()
              << dialog->waiterField()->text();
        fill(modal, QStringLiteral("6"));
    });
    r.select({QStringLiteral("A1")});
    r.frame->execute(CMainFrame::ChangeRegistration);
    QCOMPARE(shown, QStringList({"修改登记", "修改后立即点单", "4", "2号(已删除)"}));
    QCOMPARE(r.t.scalar("select rs||'/'||fws from dj") + r.frame->board()->items().at(0).guests, "6/26");
    whenModal([](QWidget* modal) {
        auto* dialog = qobject_cast<CTableChangeDlg*>(modal);
        dialog->targets()->setCurrentText(QStringLiteral("A3"));
        QTest::keyClick(dialog->targets(), Qt::Key_Return);
    });
    r.select({QStringLiteral("A1")});
    r.frame->execute(CMainFrame::ChangeTable);
    QCOMPARE(r.t.scalar("select czm from dj") + r.frame->selectedTable() + r.frame->lines()->table(),
             "A3A3A3");
    r.select({QStringLiteral("A1")});
    r.frame->execute(CMainFrame::ChangeRegistration);
    QCOMPARE(r.t.prompt.texts(), QStringList{QStringLiteral("此餐桌未开单!")});
}

PELVAR_TEST(TestMainFrame)
#include "tst_MainFrame.moc"
