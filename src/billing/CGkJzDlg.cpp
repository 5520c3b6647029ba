#include "CGkJzDlg.h"

#include "CDzDlg.h"
#include "CPrintListReportCtrl.h"
#include "Database.h"
#include "PaymentPanel.h"

#include <QAction>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

const QString kLineColumns = QStringLiteral(
    "消费编号,70;项目名,80;餐桌名,60;数量,40;单价,50;折扣,40;优惠金额,70;应收金额,70;记账人,80;消费时间,140");
const QString kTotalRow = QStringLiteral("合计");

QTreeWidget* groupTree(const QString& name, QWidget* parent)
{
    auto* tree = new QTreeWidget(parent);
    tree->setObjectName(name);
    tree->setHeaderHidden(true);
    return tree;
}

void addGroups(QTreeWidgetItem* parent, const QList<Checkout::Group>& groups)
{
    for (const Checkout::Group& group : groups) {
        auto* node = new QTreeWidgetItem(parent, {group.name});
        for (const QString& table : group.tables)
            new QTreeWidgetItem(node, {table});
    }
}

} // namespace

CGkJzDlg::CGkJzDlg(Database& db, const Cashier& cashier, ReceiptPrinter& printer,
                   DefaultPrinter& defaultPrinter, Discount::PasswordCheck passwordCheck, QWidget* parent)
    : QDialog(parent), m_db(db), m_cashier(cashier), m_passwordCheck(std::move(passwordCheck)),
      m_checkout(db, cashier, printer),
      m_billNumber(PaymentPanel::shownLabel(QStringLiteral("结账单号"), QStringLiteral("blue"), this)),
      m_table(PaymentPanel::shownLabel(QStringLiteral("结帐餐桌"), QStringLiteral("blue"), this)),
      m_inStore(groupTree(QStringLiteral("在店顾客"), this)),
      m_area(groupTree(QStringLiteral("结账区"), this)),
      m_linesFrame(new QGroupBox(QStringLiteral("结账区内消费明细"), this)),
      m_lines(new CPrintListReportCtrl(db.prompt(), defaultPrinter, m_linesFrame)),
      m_payment(new PaymentPanel(db, defaultPrinter, true, this))
{
    setWindowTitle(QStringLiteral("顾客结账"));

    // The two trees with the arrows that move groups between them.
    auto* inStoreBox = new QGroupBox(QStringLiteral("在店顾客"), this);
    (new QVBoxLayout(inStoreBox))->addWidget(m_inStore);
    auto* areaBox = new QGroupBox(QStringLiteral("结账区"), this);
    (new QVBoxLayout(areaBox))->addWidget(m_area);
    auto* arrows = new QVBoxLayout;
    arrows->addStretch();
    arrows->addWidget(addButton(QStringLiteral("→"), &CGkJzDlg::moveIn, this));
    arrows->addWidget(addButton(QStringLiteral("←"), &CGkJzDlg::moveOut, this));
    arrows->addStretch();
    connect(m_inStore, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* item) {
        if (item)
            showLines(item);
    });
    connect(m_area, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* item) {
        if (item)
            showLines(item);
    });

    // The lines of the chosen node; "打折" on the selected ones.
    m_lines->SetColumnSpec(kLineColumns);
    m_lines->setMultipleSelection(true);
    QFont listFont(QStringLiteral("宋体"));
    listFont.setPixelSize(12);
    m_lines->setFont(listFont);
    auto* discountAction = new QAction(QStringLiteral("打折"), m_lines);
    connect(discountAction, &QAction::triggered, this, &CGkJzDlg::openDiscount);
    m_lines->addAction(discountAction);
    m_lines->setContextMenuPolicy(Qt::ActionsContextMenu);
    (new QVBoxLayout(m_linesFrame))->addWidget(m_lines);

    // Member, amounts, payment and note.
    connect(m_payment, &PaymentPanel::memberPicked, this, [this](const MemberSearch::Member& member) {
        afterDiscount(m_checkout.pickMember(member));
        showMember();
    });
    connect(m_payment, &PaymentPanel::paymentClicked, this, &CGkJzDlg::paymentClicked);
    auto* memberButtons = new QHBoxLayout;
    memberButtons->addWidget(addButton(QStringLiteral("取消会员"), &CGkJzDlg::cancelMember, this));
    QPushButton* memberSettings = addButton(QStringLiteral("会员管理"), nullptr, this);
    memberSettings->setEnabled(false);
    connect(memberSettings, &QPushButton::clicked, this, [this] {
        if (m_openMemberSettings)
            m_openMemberSettings();
    });
    memberButtons->addWidget(memberSettings);
    m_payment->addMemberRow(memberButtons);

    auto* header = new QHBoxLayout;
    header->addWidget(new QLabel(QStringLiteral("结账单号:"), this));
    header->addWidget(m_billNumber);
    header->addSpacing(30);
    header->addWidget(new QLabel(QStringLiteral("结帐餐桌:"), this));
    header->addWidget(m_table);
    header->addStretch();

    auto* upper = new QHBoxLayout;
    upper->addWidget(inStoreBox, 1);
    upper->addLayout(arrows);
    upper->addWidget(areaBox, 1);
    upper->addWidget(m_payment, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(addButton(QStringLiteral("结账(F4)"), &CGkJzDlg::settle, this));
    buttons->addWidget(addButton(QStringLiteral("预打小票"), &CGkJzDlg::printPreReceipt, this));
    buttons->addWidget(addButton(QStringLiteral("折扣(/)"), &CGkJzDlg::openDiscount, this));
    buttons->addWidget(addButton(QStringLiteral("关闭"), nullptr, this));
    connect(button(QStringLiteral("关闭")), &QPushButton::clicked, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(header);
    layout->addLayout(upper, 3);
    layout->addWidget(m_linesFrame, 2);
    layout->addLayout(buttons);
    resize(1100, 720);

    // Tab goes through the member, the amounts, the payment and the note, the buttons, then the
    // trees and the lines.
    const QList<QWidget*> order = {m_payment->memberEdit(),
                                   button(QStringLiteral("...")),
                                   m_payment->memberList(),
                                   button(QStringLiteral("取消会员")),
                                   button(QStringLiteral("会员管理")),
                                   m_payment->receivedEdit(),
                                   m_payment->paidEdit(),
                                   m_payment->paymentButton(Checkout::Payment::Cash),
                                   m_payment->paymentButton(Checkout::Payment::OnAccount),
                                   m_payment->paymentButton(Checkout::Payment::Free),
                                   m_payment->paymentButton(Checkout::Payment::Other),
                                   m_payment->noteEdit(),
                                   button(QStringLiteral("结账(F4)")),
                                   button(QStringLiteral("预打小票")),
                                   button(QStringLiteral("折扣(/)")),
                                   button(QStringLiteral("关闭")),
                                   m_inStore,
                                   button(QStringLiteral("→")),
                                   button(QStringLiteral("←")),
                                   m_area,
                                   m_lines};
    for (qsizetype i = 1; i < order.size(); ++i)
        setTabOrder(order.at(i - 1), order.at(i));
    m_lines->setTabKeyNavigation(false);
    m_payment->memberList()->setTabKeyNavigation(false);

    // F4 and "/" are the dialog's wherever the cursor is; Enter in 实收金额 goes on to 顾客支付.
    for (QWidget* child : findChildren<QWidget*>())
        child->installEventFilter(this);
}

QPushButton* CGkJzDlg::addButton(const QString& text, void (CGkJzDlg::*slot)(), QWidget* parent)
{
    auto* button = new QPushButton(text, parent);
    button->setObjectName(text);
    // Enter belongs to the fields; no button is pressed by it.
    button->setAutoDefault(false);
    if (slot)
        connect(button, &QPushButton::clicked, this, slot);
    return button;
}

QPushButton* CGkJzDlg::button(const QString& text) const
{
    return findChild<QPushButton*>(text);
}

QLabel* CGkJzDlg::amountLabel(const QString& name) const
{
    return findChild<QLabel*>(name);
}

void CGkJzDlg::setMemberSettings(std::function<void()> open)
{
    m_openMemberSettings = std::move(open);
    button(QStringLiteral("会员管理"))->setEnabled(m_openMemberSettings && !m_checkout.onAccountMode());
}

void CGkJzDlg::loadTable(const QString& table)
{
    m_checkout.open(table);
    m_table->setText(table);
    m_billNumber->setText(m_checkout.billNumber());
    showArea();
    m_payment->choosePayment(Checkout::Payment::Cash);
    recalc();
    m_payment->selectField(Checkout::Focus::Paid);
}

void CGkJzDlg::loadOnAccount(const Checkout::OnAccountBill& bill)
{
    m_checkout.openOnAccount(bill);
    setWindowTitle(m_checkout.title());
    m_table->setText(bill.table);
    m_billNumber->setText(m_checkout.billNumber());
    showMember();
    m_payment->receivedEdit()->setText(bill.received);
    m_payment->noteEdit()->setText(bill.note);
    for (QWidget* widget : std::initializer_list<QWidget*>{
             m_payment->paymentButton(Checkout::Payment::OnAccount), m_payment->memberEdit(), m_inStore,
             m_area, button(QStringLiteral("折扣(/)")), button(QStringLiteral("取消会员")),
             button(QStringLiteral("...")), button(QStringLiteral("会员管理")), button(QStringLiteral("→")),
             button(QStringLiteral("←"))})
        widget->setEnabled(false);
    showArea();
    m_payment->choosePayment(Checkout::Payment::Cash);
    recalc();
    m_payment->selectField(Checkout::Focus::Paid);
}

void CGkJzDlg::showArea()
{
    m_area->clear();
    m_inStore->clear();
    addGroups(m_inStore->invisibleRootItem(), m_checkout.inStore());
    m_inStore->expandAll();
    if (!m_checkout.hasRoot()) {
        m_lines->DeleteAllRows();
        return;
    }
    auto* root = new QTreeWidgetItem(m_area, {m_checkout.rootText()});
    addGroups(root, m_checkout.area());
    m_area->expandAll();
    // Setting the current node shows its lines; the root may be current already.
    m_area->setCurrentItem(root);
    showLines(root);
}

void CGkJzDlg::showLines(QTreeWidgetItem* node)
{
    const bool root = node->treeWidget() == m_area && !node->parent();
    m_linesFrame->setTitle(Checkout::linesCaption(node->text(0)));
    m_shownNode = root ? QString() : node->text(0);
    const Checkout::Lines shown = m_checkout.ShowLines(m_shownNode);
    m_lines->DeleteAllRows();
    for (const Checkout::Line& line : shown.lines) {
        const int row = m_lines->AddRow({QString::number(line.number), line.shownItem, line.table,
                                         line.quantity, line.price, line.ratio, line.discountAmount,
                                         line.dueAmount, line.recorder, line.time});
        if (line.returned)
            m_lines->SetRowColor(row, Qt::red);
        else if (line.gift)
            m_lines->SetRowColor(row, QColor(255, 153, 0));
    }
    m_lines->AddRow(
        {kTotalRow, QString(), QString(), QString(), QString(), QString(), shown.discountSum, shown.dueSum});
}

void CGkJzDlg::recalc()
{
    m_payment->takeFields();
    m_checkout.RecalcTotals(m_payment->amounts(), m_payment->payment());
    m_payment->showAmounts();
}

void CGkJzDlg::paymentClicked()
{
    m_payment->enableAmounts(!m_checkout.onAccountMode());
}

void CGkJzDlg::settle()
{
    const Checkout::Result result = m_checkout.settle(m_payment->entry());
    switch (result.outcome) {
    case Checkout::Outcome::Settled:
        accept();
        break;
    case Checkout::Outcome::Released:
        m_released = true;
        reject();
        break;
    case Checkout::Outcome::Invalid:
        m_payment->selectField(result.focus);
        break;
    case Checkout::Outcome::Stopped:
        break;
    }
}

void CGkJzDlg::printPreReceipt()
{
    m_checkout.printPreReceipt(m_payment->entry());
}

void CGkJzDlg::openDiscount()
{
    if (!button(QStringLiteral("折扣(/)"))->isEnabled())
        return;
    CDzDlg dialog(m_db, m_cashier, m_passwordCheck, this);
    const bool accepted = dialog.exec() == QDialog::Accepted;
    // The keys work here again at once, also where no window manager hands the keyboard back.
    activateWindow();
    if (!accepted)
        return;
    if (!dialog.selectedOnly()) {
        afterDiscount(m_checkout.ApplyDiscountRatio(dialog.ratio()));
        return;
    }
    QList<qint64> selected;
    for (int row : m_lines->selectedRows())
        if (const qint64 number = m_lines->cellText(row, 0).toLongLong())
            selected << number;
    afterDiscount(m_checkout.ApplyDiscountRatio(dialog.ratio(), m_shownNode, selected));
}

void CGkJzDlg::afterDiscount(bool applied)
{
    if (!applied)
        return;
    recalc();
    if (QTreeWidgetItem* root = m_area->topLevelItem(0)) {
        m_area->setCurrentItem(root);
        showLines(root);
    }
    m_payment->selectField(Checkout::Focus::Received);
}

void CGkJzDlg::moveIn()
{
    QTreeWidgetItem* node = m_inStore->currentItem();
    if (!node || !m_checkout.moveIn(node->text(0)))
        return;
    showArea();
    recalc();
}

void CGkJzDlg::moveOut()
{
    QTreeWidgetItem* node = m_area->currentItem();
    if (!node || !m_checkout.moveOut(node->parent() ? node->text(0) : QString()))
        return;
    showArea();
    recalc();
}

void CGkJzDlg::cancelMember()
{
    m_payment->hideMembers();
    afterDiscount(m_checkout.cancelMember());
    showMember();
}

void CGkJzDlg::showMember()
{
    m_payment->showMember(m_checkout.memberNumber(), m_checkout.memberName(), m_checkout.memberRatio());
}

bool CGkJzDlg::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress)
        return QDialog::eventFilter(watched, event);
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_F4) {
        settle();
        return true;
    }
    if (key == Qt::Key_Slash && watched != m_payment->noteEdit()) {
        openDiscount();
        return true;
    }
    if (watched == m_payment->receivedEdit() && (key == Qt::Key_Return || key == Qt::Key_Enter)) {
        const Checkout::Payment chosen = m_payment->payment();
        if (chosen != Checkout::Payment::Free && chosen != Checkout::Payment::OnAccount)
            m_payment->selectField(Checkout::Focus::Paid);
        return true;
    }
    return QDialog::eventFilter(watched, event);
}
