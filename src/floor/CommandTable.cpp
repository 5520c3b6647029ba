#include "CommandTable.h"

#include "CMainFrame.h"
#include "Icons.h"
#include "Rights.h"

#include <QAction>
#include <QMenuBar>
#include <QToolBar>

namespace {

constexpr int kNone = CommandTable::kNone;

const CommandTable::Info kCommands[] = {
    {CMainFrame::RestaurantSettings, "餐厅名称设置", kNone, "只有系统管理员有权设置!", true},
    {CMainFrame::RoomsAndTables, "房间餐桌设置", kNone, nullptr, false},
    {CMainFrame::ItemsSettings, "消费项目设置", kNone, nullptr, false},
    {CMainFrame::OperatorsSettings, "操作员管理", kNone, nullptr, false},
    {CMainFrame::MembersSettings, "会员管理", kNone, nullptr, false},
    {CMainFrame::ChangePassword, "更改密码", kNone, nullptr, false},
    {CMainFrame::RunLog, "系统运行日志", kNone, "只有系统管理员有权限查看运行日志!", true},
    {CMainFrame::ExitSystem, "退出系统(&X)", kNone, nullptr, false},
    {CMainFrame::OpenTable, "顾客开单\tF2", kNone, nullptr, false},
    {CMainFrame::AddConsumption, "增加消费\tF3", kNone, nullptr, false},
    {CMainFrame::Checkout, "顾客结账\tF4", kNone, nullptr, false},
    {CMainFrame::OnAccountBills, "挂账账单结账", kNone, nullptr, false},
    {CMainFrame::Reservations, "餐桌预定管理\tF5", kNone, nullptr, false},
    {CMainFrame::InStoreConsumption, "在店消费明细", kNone, nullptr, true},
    {CMainFrame::LeftConsumption, "离店消费明细", int(Right::Ldxfcxqx), nullptr, true},
    {CMainFrame::ReturnedLines, "消费退单明细", int(Right::Tdcxqx), nullptr, true},
    {CMainFrame::GiftLines, "消费赠单明细", int(Right::Zdcxqx), nullptr, true},
    {CMainFrame::CashierDetail, "收银明细", int(Right::Symxqx), nullptr, true},
    {CMainFrame::CashierSummary, "收银汇总", int(Right::Syhzqx), nullptr, true},
    {CMainFrame::SalesByCategory, "按项目类别统计", int(Right::Xstjqx), nullptr, true},
    {CMainFrame::SalesByItem, "按项目名统计", int(Right::Xstjqx), nullptr, true},
    {CMainFrame::SalesByWaiter, "按服务生统计", int(Right::Xstjqx), nullptr, true},
    {CMainFrame::RegistrationQuery, "餐桌登记查询", kNone, nullptr, true},
    {CMainFrame::ItemQuery, "消费项目查询", kNone, nullptr, true},
    {CMainFrame::MemberQuery, "会员查询", kNone, nullptr, true},
    {CMainFrame::Backup, "数据库备份", kNone, nullptr, false},
    {CMainFrame::Restore, "数据库还原", int(Right::Sjhyqx), nullptr, false},
    {CMainFrame::ClearTables, "数据表清空", int(Right::Sjqlqx), nullptr, false},
    {CMainFrame::Compact, "数据库压缩/修复", kNone, nullptr, false},
    {CMainFrame::Help, "帮助(F1)", kNone, nullptr, false},
    {CMainFrame::About, "关于 Pelvar(&A)...", kNone, nullptr, false},
    {CMainFrame::SystemSettings, "系统设置", kNone, nullptr, false},
    {CMainFrame::HandOver, "换班管理", kNone, nullptr, false},
    {CMainFrame::Finance, "财务管理", kNone, "只有系统管理员有此权限!", true},
    {CMainFrame::ToolbarExit, "退出", kNone, nullptr, false},
    {CMainFrame::Reserve, "顾客预定", kNone, nullptr, false},
    {CMainFrame::ChangeRegistration, "修改登记", kNone, nullptr, false},
    {CMainFrame::ChangeTable, "更换餐桌", kNone, nullptr, false},
    {CMainFrame::SplitBill, "拆分账单", kNone, nullptr, false},
    {CMainFrame::MergeBill, "合并账单", kNone, nullptr, false},
    {CMainFrame::PrintReceipt, "打印小票", kNone, nullptr, false},
    {CMainFrame::BillChangeRecord, "账单修改记录", int(Right::Syhzqx), nullptr, true},
    {CMainFrame::ManagerControls, "管理控制报表", int(Right::Syhzqx), nullptr, true},
    {CMainFrame::HandOverRecord, "交班记录", int(Right::Syhzqx), nullptr, true},
};

struct ToolButton
{
    Icons::Tool icon;
    const char* text;
    int command;
};

const ToolButton kToolBar[] = {
    {Icons::Tool::OpenTable, "顾客开单(F2)", CMainFrame::OpenTable},
    {Icons::Tool::AddConsumption, "增加消费(F3)", CMainFrame::AddConsumption},
    {Icons::Tool::Checkout, "顾客结账(F4)", CMainFrame::Checkout},
    {Icons::Tool::Reservations, "预定管理(F5)", CMainFrame::Reservations},
    {Icons::Tool::Settings, "系统设置(F6)", CMainFrame::SystemSettings},
    {Icons::Tool::HandOver, "员工交班(F7)", CMainFrame::HandOver},
    {Icons::Tool::Finance, "财务管理(F8)", CMainFrame::Finance},
    {Icons::Tool::Password, "更改密码(F9)", CMainFrame::ChangePassword},
    {Icons::Tool::Exit, "退出(Esc)", CMainFrame::ToolbarExit},
};

// The function keys, and Esc as the 退出 button promises.
const std::pair<Qt::Key, int> kKeys[] = {
    {Qt::Key_F1, CMainFrame::Help},           {Qt::Key_F2, CMainFrame::OpenTable},
    {Qt::Key_F3, CMainFrame::AddConsumption}, {Qt::Key_F4, CMainFrame::Checkout},
    {Qt::Key_F5, CMainFrame::Reservations},   {Qt::Key_F6, CMainFrame::SystemSettings},
    {Qt::Key_F7, CMainFrame::HandOver},       {Qt::Key_F8, CMainFrame::Finance},
    {Qt::Key_F9, CMainFrame::ChangePassword}, {Qt::Key_Escape, CMainFrame::ToolbarExit},
};

} // namespace

const CommandTable::Info* CommandTable::info(int id)
{
    for (const Info& c : kCommands)
        if (c.id == id)
            return &c;
    return nullptr;
}

CommandTable::CommandTable(CMainFrame& frame) : m_frame(frame)
{
    createCommands();
    createMenus();
    createToolBar();
}

void CommandTable::createCommands()
{
    for (const Info& c : kCommands) {
        auto* action = new QAction(QString::fromUtf8(c.text), &m_frame);
        action->setEnabled(false);
        QObject::connect(action, &QAction::triggered, &m_frame,
                         [&frame = m_frame, id = c.id] { frame.execute(id); });
        m_actions.insert(c.id, action);
        m_allActions.insert(c.id, action);
    }
    for (const auto& [key, id] : kKeys) {
        auto* action = new QAction(&m_frame);
        action->setShortcut(QKeySequence(key));
        action->setEnabled(false);
        QObject::connect(action, &QAction::triggered, &m_frame,
                         [&frame = m_frame, id = id] { frame.execute(id); });
        m_frame.addAction(action);
        m_allActions.insert(id, action);
    }
}

void CommandTable::createMenus()
{
    auto add = [this](QMenu* menu, std::initializer_list<int> ids) {
        for (int id : ids)
            menu->addAction(m_actions.value(id));
    };
    using enum CMainFrame::Command;
    QMenu* system = m_frame.menuBar()->addMenu(QStringLiteral("系统设置(&F)"));
    add(system, {RestaurantSettings, RoomsAndTables, ItemsSettings, OperatorsSettings, MembersSettings});
    system->addSeparator();
    add(system, {ChangePassword, RunLog});
    system->addSeparator();
    add(system, {ExitSystem});

    QMenu* business = m_frame.menuBar()->addMenu(QStringLiteral("营业管理(&Y)"));
    add(business, {OpenTable, AddConsumption, Checkout});
    business->addSeparator();
    add(business, {OnAccountBills, Reservations});

    QMenu* reports = m_frame.menuBar()->addMenu(QStringLiteral("报表统计(&C)"));
    add(reports->addMenu(QStringLiteral("宾客消费明细")),
        {InStoreConsumption, LeftConsumption, ReturnedLines, GiftLines});
    add(reports->addMenu(QStringLiteral("收银报表")),
        {CashierDetail, CashierSummary, BillChangeRecord, ManagerControls, HandOverRecord});
    add(reports->addMenu(QStringLiteral("销售统计")), {SalesByCategory, SalesByItem, SalesByWaiter});
    reports->addSeparator();
    add(reports, {RegistrationQuery, ItemQuery, MemberQuery});

    QMenu* data = m_frame.menuBar()->addMenu(QStringLiteral("数据管理"));
    add(data, {Backup, Restore, ClearTables, Compact});

    QMenu* help = m_frame.menuBar()->addMenu(QStringLiteral("帮助(&H)"));
    add(help, {Help});
    help->addSeparator();
    add(help, {About});
}

void CommandTable::createToolBar()
{
    QToolBar* bar = m_frame.addToolBar(QStringLiteral("工具栏"));
    bar->setObjectName(QStringLiteral("toolbar"));
    bar->setMovable(false);
    bar->setIconSize(QSize(48, 48));
    bar->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    bar->toggleViewAction()->setVisible(false);
    m_frame.setContextMenuPolicy(Qt::NoContextMenu);
    for (const ToolButton& b : kToolBar) {
        QAction* action = bar->addAction(Icons::tool(b.icon), QString::fromUtf8(b.text));
        action->setEnabled(false);
        QObject::connect(action, &QAction::triggered, &m_frame,
                         [&frame = m_frame, id = b.command] { frame.execute(id); });
        m_allActions.insert(b.command, action);
    }
}
