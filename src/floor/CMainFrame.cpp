#include "CMainFrame.h"

#include "Access.h"
#include "BoardCommands.h"
#include "CAddConsumptionDlg.h"
#include "CBackupDlg.h"
#include "CBillMergeDlg.h"
#include "CBillSplitDlg.h"
#include "CDownView.h"
#include "CFjPage.h"
#include "CFwsDlg.h"
#include "CGkJzDlg.h"
#include "CGkYdDlg.h"
#include "CGzZdDlg.h"
#include "CHuiYuan.h"
#include "CLeftView.h"
#include "Clock.h"
#include "CommandTable.h"
#include "CPasswordDlg.h"
#include "CPelvarApp.h"
#include "CPrintSet.h"
#include "CPSheet.h"
#include "CRestaurantDlg.h"
#include "CRightView.h"
#include "CSjQl.h"
#include "CSplitterEx.h"
#include "CSyMxDlg.h"
#include "CTableChangeDlg.h"
#include "CupsSpooler.h"
#include "CUser.h"
#include "CXmPage.h"
#include "CYdGlDlg.h"
#include "CYyBcDlg.h"
#include "DataFolder.h"
#include "HandOverDialog.h"
#include "Icons.h"
#include "MessageBoxPrompt.h"
#include "OperatorAccounts.h"
#include "PaymentMethodsPage.h"
#include "ReceiptPrinter.h"
#include "ReportCommands.h"
#include "Sql.h"
#include "TableBoard.h"
#include "TableChange.h"

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QMessageBox>
#include <QScreen>
#include <QStatusBar>
#include <QTextBrowser>
#include <QTimer>
#include <QUrl>
#include <QVBoxLayout>

#ifdef PELVAR_HAVE_X11
#include <X11/XKBlib.h>
#endif

namespace {

bool capsLockOn()
{
#ifdef PELVAR_HAVE_X11
    auto* x11 = QGuiApplication::platformName() == QLatin1String("xcb")
                    ? qApp->nativeInterface<QNativeInterface::QX11Application>()
                    : nullptr;
    if (x11 && x11->display()) {
        unsigned int state = 0;
        if (XkbGetIndicatorState(x11->display(), XkbUseCoreKbd, &state) == Success)
            return state & 1u;
    }
#endif
    return false;
}

// What the checkout and the discount dialog need of the logged-in operator.
Cashier cashierOf(const Operator& op)
{
    return {op.name(), op.lowestDiscount(), op.largestRoundOff()};
}

// Another operator vouching with his password in the discount dialog.
Discount::PasswordCheck vouching(CPelvarApp& app)
{
    return [&app](const QString& name, const QString& typed) {
        return OperatorAccounts(app.db(), app.prompt()).vouch(name, typed);
    };
}

QLabel* placeholder(const QString& name, QWidget* parent)
{
    auto* label = new QLabel(name, parent);
    label->setAlignment(Qt::AlignCenter);
    label->setFrameShape(QFrame::StyledPanel);
    label->setStyleSheet(QStringLiteral("color: gray; background: white;"));
    return label;
}

} // namespace

CMainFrame::CMainFrame(CPelvarApp& app, QWidget* parent)
    : QMainWindow(parent), m_app(app), m_rawPrinter(m_spooler, app.prompt())
{
    setWindowTitle(m_app.mainTitle());
    setWindowIcon(Icons::program());
    // At 0,0 with the size of the screen, also where no window manager maximises it.
    setGeometry(QGuiApplication::primaryScreen()->availableGeometry());
    m_commands = std::make_unique<CommandTable>(*this);
    createStatusBar();
    createPanes();
    createViews();
    connectCommands();

    auto* clock = new QTimer(this);
    connect(clock, &QTimer::timeout, this, &CMainFrame::updateStatus);
    clock->start(100);
    updateStatus();
}

void CMainFrame::createStatusBar()
{
    for (QLabel*& pane : m_status)
        pane = new QLabel(this);
    m_status[0]->setMinimumWidth(240);
    m_status[1]->setMinimumWidth(50);
    m_status[1]->setAlignment(Qt::AlignCenter);
    statusBar()->addWidget(m_status[0], 1);
    statusBar()->addPermanentWidget(m_status[1]);
    statusBar()->addPermanentWidget(m_status[2]);
}

void CMainFrame::createPanes()
{
    const QSize screen = QGuiApplication::primaryScreen()->size();
    m_outer = new CSplitterEx(Qt::Horizontal, this);
    m_inner = new CSplitterEx(Qt::Vertical, m_outer);
    m_outer->insertWidget(0, placeholder(QStringLiteral("房间"), m_outer));
    m_inner->addWidget(placeholder(QStringLiteral("餐桌"), m_inner));
    m_inner->addWidget(placeholder(QStringLiteral("消费明细"), m_inner));
    m_outer->setStretchFactor(1, 1);
    m_inner->setStretchFactor(0, 1);
    m_outer->setSizes({screen.width() / 4, screen.width() - screen.width() / 4});
    m_inner->setSizes({screen.height() * 3 / 5, screen.height() / 5});
    setCentralWidget(m_outer);
}

CMainFrame::~CMainFrame() = default;

QAction* CMainFrame::action(int command) const
{
    return m_commands->action(command);
}

QList<QAction*> CMainFrame::actions(int command) const
{
    return m_commands->actions(command);
}

void CMainFrame::createViews()
{
    m_rooms = new CLeftView(m_app.db(), m_app.prompt(), m_app.dataFolder());
    m_board = new CRightView(m_app.db());
    m_lines = new CDownView(m_app.db(), m_app.prompt(), m_app.defaultPrinter());
    setPane(Pane::Rooms, m_rooms);
    setPane(Pane::Board, m_board);
    setPane(Pane::Lines, m_lines);
    m_boardCommands = std::make_unique<BoardCommands>(m_app, *this, *m_board);

    m_board->setCommandAvailable([this](int command) { return hasHandler(command); });
    connect(m_board, &CRightView::commandRequested, this, &CMainFrame::execute);
    connect(m_board, &CRightView::tableChosen, m_lines, &CDownView::load);
    connect(m_board, &CRightView::roomsPaneToggled, this, &CMainFrame::toggleRoomsPane);
    connect(m_board, &CRightView::linesPaneToggled, this, &CMainFrame::toggleLinesPane);
    connect(m_rooms, &CLeftView::roomChosen, m_board, &CRightView::setRoom);
    connect(this, &CMainFrame::settingsChanged, this, [this] {
        m_rooms->reload();
        m_board->reload();
        m_lines->load(QString());
    });
    m_board->view()->setFocus();
}

// Where every command meets its screen. Commands not listed here stay disabled until the
// screen that they open exists.
void CMainFrame::connectCommands()
{
    setHandler(RestaurantSettings, [this] {
        CRestaurantDlg dialog(m_app.db(), this);
        if (dialog.exec() == QDialog::Accepted)
            emit settingsChanged();
    });
    setHandler(RoomsAndTables, [this] {
        openSheet(QStringLiteral("房间餐桌设置"));
        emit settingsChanged();
    });
    setHandler(ItemsSettings, [this] { openSheet(QStringLiteral("消费项目设置")); });
    setHandler(OperatorsSettings, [this] { openSheet(QStringLiteral("操作员设置")); });
    setHandler(MembersSettings, [this] { openSheet(QStringLiteral("会员设置")); });
    setHandler(SystemSettings, [this] {
        openSheet(QStringLiteral("系统设置"));
        emit settingsChanged();
    });
    setHandler(ChangePassword, [this] {
        CPasswordDlg dialog(m_app.db(), m_app.prompt(), m_app.currentOperator().name(), this);
        dialog.exec();
    });
    setHandler(HandOver, [this] { handOver(); });
    setHandler(AddConsumption, [this] { addConsumption(); });
    setHandler(ClearTables, [this] {
        openSheet(QStringLiteral("系统设置"), true);
        emit settingsChanged();
    });
    setHandler(ChangeTable, [this] {
        const QString table = selectedTable();
        if (!TableChange(m_app.db()).canChange(table))
            return;
        CTableChangeDlg dialog(m_app.db(), table, this);
        if (dialog.exec() != QDialog::Accepted)
            return;
        // The guests sit at the target now: the board follows them there.
        m_board->refresh();
        m_board->selectTable(dialog.targets()->currentText());
        tablesChanged();
    });
    setHandler(SplitBill, [this] {
        CBillSplitDlg dialog(m_app.db(), this);
        dialog.exec();
    });
    setHandler(MergeBill, [this] {
        CBillMergeDlg dialog(m_app.db(), selectedTable(), this);
        dialog.exec();
    });
    setHandler(ExitSystem, [this] { close(); });
    setHandler(ToolbarExit, [this] { close(); });
    setHandler(Checkout, [this] {
        const QString table = selectedTable();
        TableBoard board(m_app.db());
        const QList<TableBoard::Item> items =
            table.isEmpty() ? QList<TableBoard::Item>()
                            : board.load(QStringLiteral("select * from cz where czm=") + Sql::quote(table));
        if (board.checkout(m_app.currentOperator().may(Right::Jzqx),
                           items.isEmpty() ? nullptr : &items.first()) != TableBoard::Command::Checkout)
            return;
        ReceiptPrinter receipts(m_app.db(), m_app.restaurantName(), m_rawPrinter);
        CGkJzDlg dialog(m_app.db(), cashierOf(m_app.currentOperator()), receipts, m_app.defaultPrinter(),
                        vouching(m_app), this);
        if (hasHandler(MembersSettings))
            dialog.setMemberSettings([this] { m_handlers.value(MembersSettings)(); });
        dialog.loadTable(table);
        dialog.exec();
        tablesChanged();
    });
    setHandler(OnAccountBills, [this] {
        ReceiptPrinter receipts(m_app.db(), m_app.restaurantName(), m_rawPrinter);
        CGzZdDlg dialog(m_app.db(), cashierOf(m_app.currentOperator()),
                        m_app.currentOperator().may(Right::Gzjzqx), receipts, m_app.defaultPrinter(),
                        vouching(m_app), this);
        dialog.exec();
    });
    setHandler(CashierDetail, [this] {
        ReceiptPrinter receipts(m_app.db(), m_app.restaurantName(), m_rawPrinter);
        CSyMxDlg dialog(m_app.db(), cashierOf(m_app.currentOperator()),
                        m_app.currentOperator().may(Right::Xgzdqx), receipts, m_app.defaultPrinter(),
                        vouching(m_app), this);
        dialog.exec();
    });
    setHandler(PrintReceipt, [this] {
        ReceiptPrinter receipts(m_app.db(), m_app.restaurantName(), m_rawPrinter);
        receipts.printTableReceipt(selectedTable(), m_app.currentOperator().name());
    });
    setHandler(Help, [this] { showHelp(); });
    setHandler(About, [this] { showAbout(); });
    setHandler(Reserve, [this] {
        if (m_board->board().reserve(m_app.currentOperator().may(Right::Ydqx)) !=
            TableBoard::Command::Reserve)
            return;
        CGkYdDlg dialog(m_app.db(), m_app.currentOperator().name(), QString(), this);
        if (dialog.exec() == QDialog::Accepted)
            tablesChanged();
    });
    setHandler(Reservations, [this] {
        CYdGlDlg dialog(m_app.db(), m_app.defaultPrinter(), m_app.currentOperator().name(), this);
        dialog.exec();
        tablesChanged();
    });
    setHandler(OpenTable, [this] { m_boardCommands->openTable(); });
    setHandler(ChangeRegistration, [this] { m_boardCommands->changeRegistration(); });
    m_reportCommands = std::make_unique<ReportCommands>(m_app, *this);
    m_reportCommands->connectCommands();
}

DefaultPrinter& CMainFrame::defaultPrinter()
{
    return m_app.defaultPrinter();
}

QString CMainFrame::selectedTable() const
{
    return m_board->selectedTable();
}

void CMainFrame::tablesChanged()
{
    m_board->refresh();
    m_lines->load(m_board->selectedTable());
    m_rooms->updateCounts();
}

void CMainFrame::setHandler(int command, std::function<void()> handler)
{
    m_handlers.insert(command, std::move(handler));
    for (QAction* action : m_commands->actions(command))
        action->setEnabled(true);
}

void CMainFrame::execute(int command)
{
    const CommandTable::Info* c = CommandTable::info(command);
    if (!c)
        return;
    const Operator& op = m_app.currentOperator();
    const QString caption = c->titleCaption ? Prompt::kProgramTitle : Prompt::kCaption;
    if (c->refusal && !Access::administrator(op, m_app.prompt(), QString::fromUtf8(c->refusal), caption))
        return;
    if (c->right != CommandTable::kNone &&
        !Access::granted(op, Rights::at(c->right), m_app.prompt(), caption))
        return;
    if (const auto handler = m_handlers.value(command)) {
        handler();
        // The keys work again at once when a dialog closes, even where no window manager hands
        // the keyboard back.
        if (isVisible())
            activateWindow();
    }
}

// The sheet of the settings pages; "系统设置" holds every page (or only 数据清空), the others the
// one they name.
void CMainFrame::openSheet(const QString& title, bool clearingOnly)
{
    const bool all = title == QStringLiteral("系统设置") && !clearingOnly;
    CPSheet sheet(title, this);
    const auto gate = [this](Right right) {
        return [this, right] { return Access::granted(m_app.currentOperator(), right, m_app.prompt()); };
    };
    // Pages in their order: 房间餐桌设置, 消费项目设置, 操作员设置, 服务生设置, 会员管理,
    // 营业班次, 数据清空, 打印设置.
    if (all || title == QStringLiteral("房间餐桌设置"))
        sheet.addPage(
            new CFjPage(m_app.db(), m_app.prompt(), m_app.currentOperator(), m_app.defaultPrinter(), &sheet),
            QStringLiteral("房间餐桌设置"));
    if (all || title == QStringLiteral("消费项目设置"))
        sheet.addPage(new CXmPage(m_app.db(), m_app.prompt(), m_spooler, m_app.defaultPrinter(),
                                  m_app.currentOperator().name(), gate(Right::Xmlbqx), gate(Right::Xmqx),
                                  &sheet),
                      QStringLiteral("消费项目设置"));
    if (all || title == QStringLiteral("操作员设置"))
        sheet.addPage(new CUser(m_app.db(), m_app.prompt(), m_app.currentOperator(), &sheet),
                      QStringLiteral("操作员设置"));
    if (all)
        sheet.addPage(
            new CFwsDlg(m_app.db(), m_app.prompt(), m_app.currentOperator(), m_app.defaultPrinter(), &sheet),
            QStringLiteral("服务生设置"));
    if (all || title == QStringLiteral("会员设置"))
        sheet.addPage(new CHuiYuan(m_app.db(), m_app.prompt(), m_app.defaultPrinter(),
                                   m_app.currentOperator().name(), gate(Right::Hyqx), &sheet),
                      QStringLiteral("会员管理"));
    if (all)
        sheet.addPage(new CYyBcDlg(m_app.db(), m_app.defaultPrinter(), &sheet), QStringLiteral("营业班次"));
    if (all || clearingOnly)
        sheet.addPage(new CSjQl(m_app.db(), m_app.prompt(), m_app.currentOperator().name(),
                                gate(Right::Sjqlqx), &sheet),
                      QStringLiteral("数据清空"));
    if (all || title == QStringLiteral("打印设置"))
        sheet.addPage(new CPrintSet(m_app.db(), m_spooler, &sheet), QStringLiteral("打印设置"));
    if (all)
        sheet.addPage(new PaymentMethodsPage(m_app.db(), &sheet), QStringLiteral("付款方式"));
    sheet.exec();
}

// The outgoing operator's slip first; cancelled, nobody hands over.
bool CMainFrame::handOverSlip()
{
    ReceiptPrinter receipts(m_app.db(), m_app.restaurantName(), m_rawPrinter);
    HandOverDialog slip(m_app.db(), m_app.restaurantName(), receipts, m_app.currentOperator().name(),
                        m_app.loginTime(), this);
    return slip.exec() == QDialog::Accepted;
}

void CMainFrame::handOver()
{
    if (!handOverSlip())
        return;
    if (m_app.login(this)) {
        updateStatus();
        return;
    }
    // Without an operator the program ends at once: no question, no backup, no exit entry.
    m_endWithoutExit = true;
    close();
}

// 增加消费 on the selected table: ordering when it is occupied, otherwise the offer to open it.
void CMainFrame::addConsumption()
{
    TableBoard board(m_app.db());
    const QString name = selectedTable();
    const QList<TableBoard::Item> items =
        name.isEmpty() ? QList<TableBoard::Item>{}
                       : board.load(QStringLiteral("select * from cz where czm=") + Sql::quote(name));
    const TableBoard::Item* selected = items.isEmpty() ? nullptr : &items.first();
    switch (board.addConsumption(m_app.currentOperator().may(Right::Ddqx), selected)) {
    case TableBoard::Command::OpenTable:
        execute(OpenTable);
        return;
    case TableBoard::Command::AddConsumption:
        break;
    default:
        return;
    }
    CAddConsumptionDlg dialog(m_app.db(), m_app.currentOperator().name(),
                              m_app.currentOperator().lowestDiscount(), m_app.dataFolder(), selected->name,
                              m_rawPrinter, m_app.defaultPrinter(), this);
    dialog.exec();
    if (dialog.changed())
        tablesChanged();
    if (dialog.checkoutRequested())
        execute(Checkout);
}

// The help page beside the program, shown in a window of its own: a desktop without a browser
// shows it as well, and opening it with a browser could not be checked.
void CMainFrame::showHelp()
{
    const QString file = DataFolder::programFile(QStringLiteral("help.htm"));
    if (file.isEmpty()) {
        m_app.prompt().warn(QStringLiteral("无法打开帮助文件：help.htm"));
        return;
    }
    if (!m_help) {
        m_help = new QDialog(this);
        m_help->setWindowTitle(QStringLiteral("帮助"));
        auto* browser = new QTextBrowser(m_help);
        browser->setSource(QUrl::fromLocalFile(file));
        auto* buttons = new QDialogButtonBox(m_help);
        buttons->addButton(QStringLiteral("关闭"), QDialogButtonBox::RejectRole);
        connect(buttons, &QDialogButtonBox::rejected, m_help, &QDialog::reject);
        auto* layout = new QVBoxLayout(m_help);
        layout->addWidget(browser);
        layout->addWidget(buttons);
        m_help->resize(QGuiApplication::primaryScreen()->availableSize() * 2 / 3);
    }
    m_help->show();
    m_help->raise();
    m_help->activateWindow();
}

void CMainFrame::showAbout()
{
    QMessageBox box(this);
    box.setWindowTitle(QStringLiteral("关于") + Prompt::kProgramTitle);
    box.setIconPixmap(Icons::program().pixmap(48, 48));
    box.setText(Prompt::kProgramTitle + QLatin1Char(' ') + CPelvarApp::kVersion);
    box.setInformativeText(QStringLiteral("餐厅前台开单、点菜、厨打与收银"));
    MessageBoxPrompt::fitTitle(box);
    box.exec();
}

void CMainFrame::closeEvent(QCloseEvent* event)
{
    if (!m_endWithoutExit) {
        if (!m_app.prompt().ask(QStringLiteral("是否要退出本系统？"))) {
            event->ignore();
            return;
        }
        // Closing hands the desk over too, when the operator asks for it.
        if (m_app.prompt().ask(QStringLiteral("是否交班并打印交班单？")) && !handOverSlip()) {
            event->ignore();
            return;
        }
        CBackupDlg backup(m_app.db(), m_app.prompt(), m_app.settings(), m_app.dataFolder(), this);
        backup.exec();
        m_app.logExit();
    }
    event->accept();
}

QString CMainFrame::clockText(const QDateTime& time)
{
    static const char* const kWeekdays[] = {" 星期天", " 星期一", " 星期二", " 星期三",
                                            " 星期四", " 星期五", " 星期六"};
    return time.toString(QStringLiteral("yyyy年MM月dd日 HH时mm分ss秒")) +
           QString::fromUtf8(kWeekdays[time.date().dayOfWeek() % 7]);
}

void CMainFrame::updateStatus()
{
    m_status[0]->setText(QStringLiteral("当前操作员:") + m_app.currentOperator().name());
    m_status[1]->setText(capsLockOn() ? QStringLiteral("CAP") : QString());
    m_status[2]->setText(clockText(Clock::now()));
}

QString CMainFrame::statusText(int pane) const
{
    return m_status[pane]->text();
}

void CMainFrame::setPane(Pane pane, QWidget* widget)
{
    if (pane == Pane::Rooms)
        m_outer->setPane(0, widget);
    else
        m_inner->setPane(pane == Pane::Board ? 0 : 1, widget);
}

QWidget* CMainFrame::pane(Pane pane) const
{
    return pane == Pane::Rooms ? m_outer->widget(0) : m_inner->widget(pane == Pane::Board ? 0 : 1);
}

void CMainFrame::toggleRoomsPane()
{
    if (isRoomsPaneHidden())
        m_outer->showPane(0);
    else
        m_outer->hidePane(0);
}

void CMainFrame::toggleLinesPane()
{
    if (isLinesPaneHidden())
        m_inner->showPane(1);
    else
        m_inner->hidePane(1);
}

bool CMainFrame::isRoomsPaneHidden() const
{
    return m_outer->hiddenPane() == 0;
}

bool CMainFrame::isLinesPaneHidden() const
{
    return m_inner->hiddenPane() == 1;
}
