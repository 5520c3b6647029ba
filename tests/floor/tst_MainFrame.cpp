#include "CBackupDlg.h"
#include "CHuiYuan.h"
#include "Clock.h"
#include "CLoginDlg.h"
#include "CMainFrame.h"
#include "CPasswordDlg.h"
#include "CPelvarApp.h"
#include "CPSheet.h"
#include "CXmPage.h"
#include "ModalDialogs.h"
#include "OperatorAccounts.h"
#include "PasswordHash.h"
#include "ScriptedPrompt.h"
#include "TestMain.h"

#include <memory>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QSplitter>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolBar>

namespace {

const QString kAdmin = QStringLiteral("系统管理员");
const QString kTitle = QStringLiteral("Orvo餐饮收银系统");
const QString kHint = QStringLiteral("提示信息");

// A running program on a fresh data folder, logged in as `name`.
struct Running
{
    explicit Running(const QString& name = kAdmin, const QStringList& without = {})
    {
        QVERIFY(app.openData());
        if (name != kAdmin) {
            QStringList rights;
            for (int i = 0; i < Rights::kCount; ++i) {
                const QString column = Rights::column(Rights::at(i));
                rights << column +
                              (without.contains(column) ? QStringLiteral("='0'") : QStringLiteral("='1'"));
            }
            app.db().ExecuteSql(QStringLiteral("insert into [user](xm, mm, zdmlje) values('%1', '%2', 5)")
                                    .arg(name, PasswordHash::make(QStringLiteral("pw"))));
            app.db().ExecuteSql(
                QStringLiteral("update [user] set %1 where xm='%2'").arg(rights.join(','), name));
        }
        Operator op;
        QVERIFY(OperatorAccounts(app.db(), prompt)
                    .login(name, name == kAdmin ? QString() : QStringLiteral("pw"), op));
        app.setCurrentOperator(op);
        frame = std::make_unique<CMainFrame>(app);
    }

    void show()
    {
        frame->resize(1200, 800);
        frame->show();
        QVERIFY(QTest::qWaitForWindowActive(frame.get()));
    }

    QStringList log()
    {
        QStringList lines;
        for (Recordset rs = app.db().query(QStringLiteral("select log from log order by logid")); !rs.isEOF();
             rs.moveNext())
            lines << rs.getString(QStringLiteral("log"));
        return lines;
    }

    QTemporaryDir dir;
    ScriptedPrompt prompt;
    CPelvarApp app{prompt, dir.path()};
    std::unique_ptr<CMainFrame> frame;
};

QAction* toolButton(CMainFrame& frame, int index)
{
    return frame.findChild<QToolBar*>()->actions().at(index);
}

const QList<int> kConnected = {CMainFrame::RestaurantSettings,
                               CMainFrame::RoomsAndTables,
                               CMainFrame::ItemsSettings,
                               CMainFrame::MembersSettings,
                               CMainFrame::MemberQuery,
                               CMainFrame::OperatorsSettings,
                               CMainFrame::SystemSettings,
                               CMainFrame::ChangePassword,
                               CMainFrame::HandOver,
                               CMainFrame::AddConsumption,
                               CMainFrame::Backup,
                               CMainFrame::Restore,
                               CMainFrame::ClearTables,
                               CMainFrame::Compact,
                               CMainFrame::RunLog,
                               CMainFrame::ExitSystem,
                               CMainFrame::ToolbarExit,
                               CMainFrame::Help,
                               CMainFrame::About,
                               CMainFrame::OpenTable,
                               CMainFrame::ChangeRegistration,
                               CMainFrame::Checkout,
                               CMainFrame::PrintReceipt,
                               CMainFrame::SalesByCategory,
                               CMainFrame::SalesByItem,
                               CMainFrame::SalesByWaiter,
                               CMainFrame::Finance,
                               CMainFrame::InStoreConsumption,
                               CMainFrame::LeftConsumption,
                               CMainFrame::ReturnedLines,
                               CMainFrame::GiftLines,
                               CMainFrame::RegistrationQuery,
                               CMainFrame::ItemQuery,
                               CMainFrame::OnAccountBills,
                               CMainFrame::CashierDetail,
                               CMainFrame::CashierSummary};

} // namespace

class TestMainFrame : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanup() { Clock::clearFixed(); }

    void clockText_data();
    void clockText();
    void statusBarShowsOperatorAndRunningClock();
    void menusHoldEveryCommand();
    void commandsWithoutScreensAreDisabledNotHidden();
    void toolBarButtons();
    void financeKeyForNonAdministrator_data();
    void financeKeyForNonAdministrator();
    void gatedCommandsCheckFirst_data();
    void gatedCommandsCheckFirst();
    void everyWayOfClosingAsksFirst_data();
    void everyWayOfClosingAsksFirst();
    void handOverCancelledEndsWithoutExitSequence();
    void handOverChangesTheOperator();
    void hidingAPaneAndShowingItRestoresItsSize();
    void realWidgetTakesAPlaceholdersPlace();
    void functionKeysOpenTheirScreens();
    void settingsPagesCheckTheirRights_data();
    void settingsPagesCheckTheirRights();
    void tableCommandsOpenTheirDialogs();
    void helpFileBesideTheProgramNamesEveryKey();
    void checkoutAndReceiptNeedATable();
    void addConsumptionChecksRightAndTable_data();
    void addConsumptionChecksRightAndTable();

private:
    QTemporaryDir m_settings;
};

void TestMainFrame::initTestCase()
{
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_settings.path());
    CPelvarApp::prepareProcess();
}

void TestMainFrame::clockText_data()
{
    QTest::addColumn<QDateTime>("time");
    QTest::addColumn<QString>("text");
    QTest::newRow("sunday") << QDateTime(QDate(2026, 12, 6), QTime(9, 5, 3))
                            << "2026年12月06日 09时05分03秒 星期天";
    QTest::newRow("monday") << QDateTime(QDate(2026, 12, 7), QTime(23, 59, 59))
                            << "2026年12月07日 23时59分59秒 星期一";
    QTest::newRow("saturday") << QDateTime(QDate(2027, 1, 2), QTime(0, 0, 0))
                              << "2027年01月02日 00时00分00秒 星期六";
}

void TestMainFrame::clockText()
{
    QFETCH(QDateTime, time);
    QFETCH(QString, text);
    QCOMPARE(CMainFrame::clockText(time), text);
}

void TestMainFrame::statusBarShowsOperatorAndRunningClock()
{
    Clock::setFixed(QDateTime(QDate(2026, 12, 6), QTime(9, 5, 3)));
    Running r;
    QCOMPARE(r.frame->windowTitle(), QStringLiteral("Orvo餐饮收银系统 V2.5—我的餐厅"));
    QCOMPARE(r.frame->statusText(0), QStringLiteral("当前操作员:系统管理员"));
    QCOMPARE(r.frame->statusText(2), QStringLiteral("2026年12月06日 09时05分03秒 星期天"));
    Clock::setFixed(QDateTime(QDate(2026, 12, 6), QTime(9, 5, 4)));
    QTRY_COMPARE_WITH_TIMEOUT(r.frame->statusText(2), QStringLiteral("2026年12月06日 09时05分04秒 星期天"),
                              1000);
}

void TestMainFrame::menusHoldEveryCommand()
{
    Running r;
    QStringList titles;
    QStringList items;
    std::function<void(QMenu*)> walk = [&](QMenu* menu) {
        for (QAction* a : menu->actions()) {
            if (a->menu())
                walk(a->menu());
            else if (!a->isSeparator())
                items << a->text();
        }
    };
    for (QAction* a : r.frame->menuBar()->actions()) {
        titles << a->text();
        walk(a->menu());
    }
    QCOMPARE(titles, (QStringList{"系统设置(&F)", "营业管理(&Y)", "报表统计(&C)", "数据管理", "帮助(&H)"}));
    QCOMPARE(items, (QStringList{"餐厅名称设置",     "房间餐桌设置", "消费项目设置",      "操作员管理",
                                 "会员管理",         "更改密码",     "系统运行日志",      "退出系统(&X)",
                                 "顾客开单\tF2",     "增加消费\tF3", "顾客结账\tF4",      "挂账账单结账",
                                 "餐桌预定管理\tF5", "在店消费明细", "离店消费明细",      "消费退单明细",
                                 "消费赠单明细",     "收银明细",     "收银汇总",          "按项目类别统计",
                                 "按项目名统计",     "按服务生统计", "餐桌登记查询",      "消费项目查询",
                                 "会员查询",         "数据库备份",   "数据库还原",        "数据表清空",
                                 "数据库压缩/修复",  "帮助(F1)",     "关于 Pelvar(&A)..."}));
    QCOMPARE(r.frame->action(32813)->text(), QStringLiteral("餐厅名称设置"));
    QCOMPARE(r.frame->action(32829)->text(), QStringLiteral("数据库压缩/修复"));
    QCOMPARE(r.frame->action(57664)->text(), QStringLiteral("关于 Pelvar(&A)..."));
}

void TestMainFrame::commandsWithoutScreensAreDisabledNotHidden()
{
    Running r;
    const QList<int> all = {32813, 32800, 32801, 32802, 32803, 32808, 32827, 57665, 32773,
                            32774, 32775, 32798, 32816, 32785, 32786, 32787, 32831, 32783,
                            32807, 32806, 32799, 32832, 32809, 32815, 32819, 32793, 32794,
                            32796, 32829, 32824, 57664, 12803, 32776, 32833, 61446};
    for (int id : all) {
        QVERIFY2(r.frame->action(id), qPrintable(QString::number(id)));
        for (QAction* a : r.frame->actions(id)) {
            QVERIFY(a->isVisible());
            QCOMPARE(a->isEnabled(), kConnected.contains(id));
        }
    }
    QVERIFY(!toolButton(*r.frame, 3)->isEnabled());
    r.frame->setHandler(CMainFrame::Reservations, [] {});
    for (QAction* a : r.frame->actions(CMainFrame::Reservations))
        QVERIFY(a->isEnabled());
    QVERIFY(toolButton(*r.frame, 3)->isEnabled());
}

void TestMainFrame::toolBarButtons()
{
    Running r;
    auto* bar = r.frame->findChild<QToolBar*>();
    QCOMPARE(bar->iconSize(), QSize(48, 48));
    QCOMPARE(bar->toolButtonStyle(), Qt::ToolButtonTextUnderIcon);
    QStringList texts;
    QSet<qint64> pictures;
    for (QAction* a : bar->actions()) {
        texts << a->text();
        QVERIFY(!a->icon().isNull());
        pictures << a->icon().pixmap(48, 48).toImage().cacheKey();
        QCOMPARE(a->icon().availableSizes().value(0), QSize(48, 48));
    }
    QCOMPARE(texts,
             (QStringList{"顾客开单(F2)", "增加消费(F3)", "顾客结账(F4)", "预定管理(F5)", "系统设置(F6)",
                          "员工交班(F7)", "财务管理(F8)", "更改密码(F9)", "退出(Esc)"}));
    QCOMPARE(r.frame->actions(CMainFrame::Finance).contains(bar->actions().at(6)), true);
}

void TestMainFrame::financeKeyForNonAdministrator_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("opens");
    QTest::newRow("operator with every right") << "张三" << false;
    QTest::newRow("administrator") << kAdmin << true;
}

void TestMainFrame::financeKeyForNonAdministrator()
{
    QFETCH(QString, name);
    QFETCH(bool, opens);
    Running r(name);
    int opened = 0;
    r.frame->setHandler(CMainFrame::Finance, [&opened] { ++opened; });
    r.show();
    QTest::keyClick(r.frame.get(), Qt::Key_F8);
    QCOMPARE(opened, opens ? 1 : 0);
    if (opens) {
        QVERIFY(r.prompt.texts().isEmpty());
        return;
    }
    QCOMPARE(r.prompt.texts(), QStringList{QStringLiteral("只有系统管理员有此权限!")});
    QCOMPARE(r.prompt.shown().first().caption, kTitle);
}

void TestMainFrame::gatedCommandsCheckFirst_data()
{
    QTest::addColumn<int>("command");
    QTest::addColumn<QString>("right");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("caption");
    const QString noRight = QStringLiteral("你没有此操作权限!");
    QTest::newRow("离店消费明细") << 32786 << "ldxfcxqx" << noRight << kTitle;
    QTest::newRow("消费退单明细") << 32787 << "tdcxqx" << noRight << kTitle;
    QTest::newRow("消费赠单明细") << 32831 << "zdcxqx" << noRight << kTitle;
    QTest::newRow("收银明细") << 32783 << "symxqx" << noRight << kTitle;
    QTest::newRow("收银汇总") << 32807 << "syhzqx" << noRight << kTitle;
    QTest::newRow("按项目类别统计") << 32806 << "xstjqx" << noRight << kTitle;
    QTest::newRow("按项目名统计") << 32799 << "xstjqx" << noRight << kTitle;
    QTest::newRow("按服务生统计") << 32832 << "xstjqx" << noRight << kTitle;
    QTest::newRow("数据库还原") << 32794 << "sjhyqx" << noRight << kHint;
    QTest::newRow("数据表清空") << 32796 << "sjqlqx" << noRight << kHint;
    QTest::newRow("餐厅名称设置") << 32813 << ""
                                  << "只有系统管理员有权设置!" << kTitle;
    QTest::newRow("系统运行日志") << 32827 << ""
                                  << "只有系统管理员有权限查看运行日志!" << kTitle;
    QTest::newRow("在店消费明细 needs nothing") << 32785 << ""
                                                << ""
                                                << "";
}

void TestMainFrame::gatedCommandsCheckFirst()
{
    QFETCH(int, command);
    QFETCH(QString, right);
    QFETCH(QString, message);
    QFETCH(QString, caption);
    Running r(QStringLiteral("张三"), {right});
    int ran = 0;
    r.frame->setHandler(command, [&ran] { ++ran; });
    r.frame->action(command)->trigger();
    if (message.isEmpty()) {
        QCOMPARE(ran, 1);
        QVERIFY(r.prompt.texts().isEmpty());
        return;
    }
    QCOMPARE(ran, 0);
    QCOMPARE(r.prompt.texts(), QStringList{message});
    QCOMPARE(r.prompt.shown().first().caption, caption);
    QCOMPARE(r.prompt.shown().first().icon, Prompt::Icon::Warning);
}

void TestMainFrame::everyWayOfClosingAsksFirst_data()
{
    QTest::addColumn<QString>("way");
    QTest::newRow("close box") << "close";
    QTest::newRow("退出系统(&X)") << "menu";
    QTest::newRow("toolbar 退出(Esc)") << "toolbar";
    QTest::newRow("Esc key") << "esc";
}

void TestMainFrame::everyWayOfClosingAsksFirst()
{
    QFETCH(QString, way);
    Running r;
    r.show();
    auto closeIt = [&] {
        if (way == QLatin1String("close"))
            r.frame->close();
        else if (way == QLatin1String("menu"))
            r.frame->action(CMainFrame::ExitSystem)->trigger();
        else if (way == QLatin1String("toolbar"))
            toolButton(*r.frame, 8)->trigger();
        else
            QTest::keyClick(r.frame.get(), Qt::Key_Escape);
    };
    const QStringList loggedIn = r.log();

    r.prompt.answer(Prompt::Answer::No);
    closeIt();
    QCOMPARE(r.prompt.texts(), QStringList{QStringLiteral("是否要退出本系统？")});
    QCOMPARE(r.prompt.shown().first().caption, kHint);
    QCOMPARE(r.prompt.shown().first().buttons, Prompt::Buttons::YesNo);
    QVERIFY(r.frame->isVisible());
    QCOMPARE(r.log(), loggedIn);

    r.prompt.answer(Prompt::Answer::Yes);
    QString offered;
    whenModal([&offered](QWidget* modal) {
        offered = modal->windowTitle();
        QVERIFY(qobject_cast<CBackupDlg*>(modal));
        qobject_cast<QDialog*>(modal)->reject();
    });
    closeIt();
    QCOMPARE(offered, QStringLiteral("备份数据库"));
    QVERIFY(!r.frame->isVisible());
    QCOMPARE(r.log(), loggedIn + QStringList{QStringLiteral("用户“系统管理员”退出系统")});
}

void TestMainFrame::handOverCancelledEndsWithoutExitSequence()
{
    Running r;
    r.show();
    const QStringList before = r.log();
    whenModal([](QWidget* modal) {
        QVERIFY(qobject_cast<CLoginDlg*>(modal));
        QTest::keyClick(modal, Qt::Key_Escape);
    });
    QTest::keyClick(r.frame.get(), Qt::Key_F7);
    QVERIFY(!r.frame->isVisible());
    QVERIFY(r.prompt.texts().isEmpty());
    QCOMPARE(r.log(), before);
    QCOMPARE(r.app.currentOperator().name(), kAdmin);
}

void TestMainFrame::handOverChangesTheOperator()
{
    Running r(QStringLiteral("张三"));
    r.app.db().ExecuteSql(QStringLiteral("insert into [user](xm, mm, zdmlje) values('李四', '%1', 5)")
                              .arg(PasswordHash::make(QStringLiteral("li"))));
    r.show();
    whenModal([](QWidget* modal) {
        modal->findChild<QComboBox*>()->setCurrentText(QStringLiteral("李四"));
        QLineEdit* password = modal->findChild<QLineEdit*>();
        QTest::keyClicks(password, QStringLiteral("li"));
        QTest::keyClick(password, Qt::Key_Return);
    });
    toolButton(*r.frame, 5)->trigger();
    QVERIFY(r.frame->isVisible());
    QCOMPARE(r.app.currentOperator().name(), QStringLiteral("李四"));
    QVERIFY(!r.app.currentOperator().may(Right::Kdqx));
    QCOMPARE(r.frame->statusText(0), QStringLiteral("当前操作员:李四"));
    QCOMPARE(r.log().last(), QStringLiteral("用户“李四”登陆系统"));
    // The new operator's rights hold at once.
    r.frame->setHandler(CMainFrame::CashierDetail, [] {});
    r.frame->action(CMainFrame::CashierDetail)->trigger();
    QCOMPARE(r.prompt.last(), QStringLiteral("你没有此操作权限!"));
}

void TestMainFrame::hidingAPaneAndShowingItRestoresItsSize()
{
    Running r;
    r.show();
    QWidget* rooms = r.frame->pane(CMainFrame::Pane::Rooms);
    QWidget* board = r.frame->pane(CMainFrame::Pane::Board);
    QWidget* lines = r.frame->pane(CMainFrame::Pane::Lines);
    const int roomsWidth = rooms->width();
    const int boardWidth = board->width();
    const int linesHeight = lines->height();
    const int boardHeight = board->height();
    QVERIFY(roomsWidth > 0 && linesHeight > 0);
    QVERIFY(boardHeight > linesHeight);

    r.frame->toggleRoomsPane();
    QVERIFY(r.frame->isRoomsPaneHidden());
    QTRY_VERIFY(!rooms->isVisible());
    QTRY_VERIFY(board->width() > boardWidth + roomsWidth / 2);
    r.frame->toggleRoomsPane();
    QVERIFY(!r.frame->isRoomsPaneHidden());
    QTRY_COMPARE(rooms->width(), roomsWidth);

    r.frame->toggleLinesPane();
    QVERIFY(r.frame->isLinesPaneHidden());
    QTRY_VERIFY(board->height() > boardHeight + linesHeight / 2);
    r.frame->toggleLinesPane();
    QTRY_COMPARE(lines->height(), linesHeight);
    QVERIFY(!r.frame->isLinesPaneHidden());
}

void TestMainFrame::realWidgetTakesAPlaceholdersPlace()
{
    Running r;
    r.show();
    const int width = r.frame->pane(CMainFrame::Pane::Rooms)->width();
    auto* rooms = new QLineEdit;
    r.frame->setPane(CMainFrame::Pane::Rooms, rooms);
    QCOMPARE(r.frame->pane(CMainFrame::Pane::Rooms), rooms);
    QTRY_VERIFY(rooms->isVisible());
    QTRY_COMPARE(rooms->width(), width);
    r.frame->toggleRoomsPane();
    QTRY_VERIFY(!rooms->isVisible());
    r.frame->toggleRoomsPane();
    QTRY_COMPARE(rooms->width(), width);
}

void TestMainFrame::functionKeysOpenTheirScreens()
{
    Running r;
    r.show();
    QString title;
    QStringList tabs;
    QString buttons;
    whenModal([&](QWidget* modal) {
        title = modal->windowTitle();
        if (auto* sheet = qobject_cast<CPSheet*>(modal)) {
            for (int i = 0; i < sheet->pages()->count(); ++i)
                tabs << sheet->pages()->tabText(i);
            for (QPushButton* b : sheet->findChildren<QPushButton*>())
                if (b->isVisible() && b->window() == sheet && !sheet->pages()->isAncestorOf(b))
                    buttons += b->text();
        }
        QTest::keyClick(modal, Qt::Key_Escape);
    });
    QSignalSpy reloads(r.frame.get(), &CMainFrame::settingsChanged);
    QTest::keyClick(r.frame.get(), Qt::Key_F6);
    QCOMPARE(title, QStringLiteral("系统设置"));
    QCOMPARE(reloads.count(), 1);
    QCOMPARE(tabs, (QStringList{QStringLiteral("房间餐桌设置"), QStringLiteral("消费项目设置"),
                                QStringLiteral("操作员设置"), QStringLiteral("服务生设置"),
                                QStringLiteral("会员管理"), QStringLiteral("营业班次"),
                                QStringLiteral("数据清空"), QStringLiteral("打印设置")}));
    QCOMPARE(buttons, QStringLiteral("关闭"));

    title.clear();
    // The offscreen platform does not give the activation back when a dialog closes.
    r.frame->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(r.frame.get()));
    whenModal([&](QWidget* modal) {
        title = modal->windowTitle();
        QVERIFY(qobject_cast<CPasswordDlg*>(modal));
        QTest::keyClick(modal, Qt::Key_Escape);
    });
    QTest::keyClick(r.frame.get(), Qt::Key_F9);
    QCOMPARE(title, QStringLiteral("更改密码"));

    whenModal([&](QWidget* modal) {
        title = modal->windowTitle();
        QTest::keyClick(modal, Qt::Key_Escape);
    });
    r.frame->action(CMainFrame::OperatorsSettings)->trigger();
    QCOMPARE(title, QStringLiteral("操作员设置"));

    tabs.clear();
    whenModal([&](QWidget* modal) {
        title = modal->windowTitle();
        if (auto* sheet = qobject_cast<CPSheet*>(modal))
            for (int i = 0; i < sheet->pages()->count(); ++i)
                tabs << sheet->pages()->tabText(i);
        QTest::keyClick(modal, Qt::Key_Escape);
    });
    r.frame->action(CMainFrame::RoomsAndTables)->trigger();
    QCOMPARE(title, QStringLiteral("房间餐桌设置"));
    QCOMPARE(tabs, QStringList{QStringLiteral("房间餐桌设置")});
    QCOMPARE(reloads.count(), 2);
    tabs.clear();
    whenModal([&](QWidget* modal) {
        QTabWidget* pages = qobject_cast<CPSheet*>(modal)->pages();
        tabs << modal->windowTitle() << pages->tabText(0) << QString::number(pages->count());
        QTest::keyClick(modal, Qt::Key_Escape);
    });
    r.frame->action(CMainFrame::ClearTables)->trigger();
    QCOMPARE(tabs, (QStringList{"系统设置", "数据清空", "1"}));
    QCOMPARE(reloads.count(), 3);
    QVERIFY(r.prompt.texts().isEmpty());

    // The restaurant's data: the panes reload after 确定, not after 取消.
    for (const Qt::Key key : {Qt::Key_Escape, Qt::Key_Return}) {
        whenModal([&title, key](QWidget* modal) {
            title = modal->windowTitle();
            QTest::keyClick(modal, key);
        });
        r.frame->action(CMainFrame::RestaurantSettings)->trigger();
        QCOMPARE(title, QStringLiteral("餐厅名称设置"));
    }
    QCOMPARE(reloads.count(), 4);
}

void TestMainFrame::checkoutAndReceiptNeedATable()
{
    Running withoutRight(QStringLiteral("张三"), {QStringLiteral("jzqx")});
    withoutRight.frame->execute(CMainFrame::Checkout);
    QCOMPARE(withoutRight.prompt.texts(), QStringList{QStringLiteral("你没有此操作权限!")});
    QCOMPARE(withoutRight.prompt.shown().first().caption, kHint);

    Running r(QStringLiteral("张三"));
    r.frame->execute(CMainFrame::Checkout);
    r.frame->execute(CMainFrame::PrintReceipt);
    QCOMPARE(r.prompt.texts(), (QStringList{QStringLiteral("请选定餐桌!"), QStringLiteral("无消费记录!")}));
}

void TestMainFrame::tableCommandsOpenTheirDialogs()
{
    Running r;
    r.show();
    // Nothing is selected on the board: the change of table stops at the board's check.
    r.frame->execute(CMainFrame::ChangeTable);
    QCOMPARE(r.prompt.texts(), QStringList{QStringLiteral("请选定占用餐桌!")});
    QStringList titles;
    for (int command : {CMainFrame::SplitBill, CMainFrame::MergeBill}) {
        whenModal([&](QWidget* modal) {
            titles << modal->windowTitle();
            QTest::keyClick(modal, Qt::Key_Escape);
        });
        r.frame->execute(command);
    }
    QCOMPARE(titles, (QStringList{QStringLiteral("拆分账单"), QStringLiteral("合并账单")}));
}

void TestMainFrame::helpFileBesideTheProgramNamesEveryKey()
{
    QFile file(QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("help.htm")));
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(file.readAll());
    for (const char* key : {"F1", "F2", "F3", "F4", "F5", "F6", "F7", "F8", "F9", "Esc"})
        QVERIFY2(text.contains(QStringLiteral("<kbd>%1</kbd>").arg(QLatin1String(key))), key);
    QVERIFY(text.contains(QStringLiteral("系统管理员")));
}

void TestMainFrame::settingsPagesCheckTheirRights_data()
{
    QTest::addColumn<int>("command");
    QTest::addColumn<QString>("sheetTitle");
    QTest::addColumn<QString>("without");
    QTest::addColumn<QString>("button"); // "category", "dish" or "member" 添加
    QTest::addColumn<bool>("refused");
    QTest::newRow("categories need xmlbqx") << int(CMainFrame::ItemsSettings) << "消费项目设置"
                                            << "xmlbqx"
                                            << "category" << true;
    QTest::newRow("dishes need xmqx") << int(CMainFrame::ItemsSettings) << "消费项目设置"
                                      << "xmqx"
                                      << "dish" << true;
    QTest::newRow("dishes need no xmlbqx") << int(CMainFrame::ItemsSettings) << "消费项目设置"
                                           << "xmlbqx"
                                           << "dish" << false;
    QTest::newRow("members need hyqx") << int(CMainFrame::MembersSettings) << "会员设置"
                                       << "hyqx"
                                       << "member" << true;
    QTest::newRow("members need no xmqx") << int(CMainFrame::MembersSettings) << "会员设置"
                                          << "xmqx"
                                          << "member" << false;
}

void TestMainFrame::settingsPagesCheckTheirRights()
{
    QFETCH(int, command);
    QFETCH(QString, sheetTitle);
    QFETCH(QString, without);
    QFETCH(QString, button);
    QFETCH(bool, refused);
    Running r(QStringLiteral("李四"), {without});
    QString title;
    QStringList tabs;
    bool opened = false;
    whenModal([&](QWidget* modal) {
        auto* sheet = qobject_cast<CPSheet*>(modal);
        QVERIFY(sheet);
        title = sheet->windowTitle();
        for (int i = 0; i < sheet->pages()->count(); ++i)
            tabs << sheet->pages()->tabText(i);
        QPushButton* add = nullptr;
        if (auto* items = sheet->findChild<CXmPage*>())
            add = button == "category" ? items->categoryButton(QStringLiteral("添加"))
                                       : items->dishButton(QStringLiteral("添加"));
        else if (auto* members = sheet->findChild<CHuiYuan*>())
            add = members->memberButton(QStringLiteral("增加"));
        QVERIFY(add);
        QTimer::singleShot(0, [&opened, sheet] {
            if (QWidget* dialog = QApplication::activeModalWidget(); dialog && dialog != sheet) {
                opened = true;
                dialog->close();
            }
        });
        add->click();
        QCoreApplication::processEvents();
        sheet->reject();
    });
    r.frame->execute(command);
    QCOMPARE(title, sheetTitle);
    QCOMPARE(tabs.size(), 1);
    QCOMPARE(opened, !refused);
    QCOMPARE(r.prompt.texts(), refused ? QStringList{QStringLiteral("你没有此操作权限!")} : QStringList());
}

void TestMainFrame::addConsumptionChecksRightAndTable_data()
{
    QTest::addColumn<QString>("without");
    QTest::addColumn<QString>("message");
    QTest::newRow("no right") << "ddqx"
                              << "你没有此操作权限!";
    QTest::newRow("no table selected") << ""
                                       << "请选定餐桌!";
}

void TestMainFrame::addConsumptionChecksRightAndTable()
{
    QFETCH(QString, without);
    QFETCH(QString, message);
    Running r(QStringLiteral("张三"), {without});
    r.show();
    QTest::keyClick(r.frame.get(), Qt::Key_F3);
    QCOMPARE(r.prompt.texts(), QStringList{message});
    QVERIFY(!QApplication::activeModalWidget());
}

PELVAR_TEST(TestMainFrame)
#include "tst_MainFrame.moc"
