#include "CGkJzDlg.h"

#include "CDzDlg.h"
#include "CPrintListReportCtrl.h"
#include "Database.h"

#include <QAction>
#include <QButtonGroup>
#include <QFormLayout>
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
const QString kMemberColumns = QStringLiteral("编号,40;姓名,50;姓别,40;会员等级,70;折扣,40;卡号,80;");
const QString kTotalRow = QStringLiteral("合计");

QLabel* shownLabel(const QString& name, const QString& colour, QWidget* parent)
{
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    label->setStyleSheet(QStringLiteral("color: %1; font-weight: bold;").arg(colour));
    label->setMinimumWidth(90);
    return label;
}

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
      m_checkout(db, cashier, printer), m_memberSearchOp(db),
      m_billNumber(shownLabel(QStringLiteral("结账单号"), QStringLiteral("blue"), this)),
      m_table(shownLabel(QStringLiteral("结帐餐桌"), QStringLiteral("blue"), this)),
      m_inStore(groupTree(QStringLiteral("在店顾客"), this)),
      m_area(groupTree(QStringLiteral("结账区"), this)),
      m_linesFrame(new QGroupBox(QStringLiteral("结账区内消费明细"), this)),
      m_lines(new CPrintListReportCtrl(db.prompt(), defaultPrinter, m_linesFrame)),
      m_gross(shownLabel(QStringLiteral("消费合计"), QStringLiteral("red"), this)),
      m_due(shownLabel(QStringLiteral("应收金额"), QStringLiteral("red"), this)),
      m_discount(shownLabel(QStringLiteral("优惠金额"), QStringLiteral("red"), this)),
      m_change(shownLabel(QStringLiteral("找零"), QStringLiteral("red"), this)),
      m_received(new QLineEdit(this)), m_paid(new QLineEdit(this)), m_note(new QLineEdit(this)),
      m_memberSearch(new QLineEdit(this)),
      m_members(new CPrintListReportCtrl(db.prompt(), defaultPrinter, this)),
      m_memberName(shownLabel(QStringLiteral("会员名"), QStringLiteral("blue"), this)),
      m_memberRatio(shownLabel(QStringLiteral("折扣"), QStringLiteral("blue"), this)),
      m_cash(new QRadioButton(QStringLiteral("现金"), this)),
      m_onAccount(new QRadioButton(QStringLiteral("挂账"), this)),
      m_free(new QRadioButton(QStringLiteral("免费"), this)),
      m_other(new QRadioButton(QStringLiteral("其他"), this)), m_form(new QFormLayout)
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
    m_members->SetColumnSpec(kMemberColumns);
    m_members->setMinimumHeight(120);
    m_members->hide();
    connect(m_members, &QAbstractItemView::doubleClicked, this, &CGkJzDlg::pickMember);
    connect(m_memberSearch, &QLineEdit::textEdited, this, &CGkJzDlg::memberTyped);
    auto* searchRow = new QHBoxLayout;
    searchRow->addWidget(m_memberSearch);
    QPushButton* allMembers = addButton(QStringLiteral("..."), &CGkJzDlg::listAllMembers, this);
    allMembers->setToolTip(QStringLiteral("全部会员"));
    allMembers->setFixedWidth(32);
    searchRow->addWidget(allMembers);
    auto* memberButtons = new QHBoxLayout;
    memberButtons->addWidget(addButton(QStringLiteral("取消会员"), &CGkJzDlg::cancelMember, this));
    QPushButton* memberSettings = addButton(QStringLiteral("会员管理"), nullptr, this);
    memberSettings->setEnabled(false);
    connect(memberSettings, &QPushButton::clicked, this, [this] {
        if (m_openMemberSettings)
            m_openMemberSettings();
    });
    memberButtons->addWidget(memberSettings);

    auto* payments = new QHBoxLayout;
    auto* paymentGroup = new QButtonGroup(this);
    for (QRadioButton* button : {m_cash, m_onAccount, m_free, m_other}) {
        paymentGroup->addButton(button);
        payments->addWidget(button);
        connect(button, &QRadioButton::clicked, this, &CGkJzDlg::paymentClicked);
    }
    connect(m_received, &QLineEdit::textEdited, this, &CGkJzDlg::receivedEdited);
    connect(m_paid, &QLineEdit::textEdited, this, &CGkJzDlg::paidEdited);
    m_received->setText(m_amounts.received);

    m_form->addRow(QStringLiteral("会员编号或简拼:"), searchRow);
    m_form->addRow(m_members);
    m_form->addRow(QStringLiteral("会员名:"), m_memberName);
    m_form->addRow(QStringLiteral("折扣:"), m_memberRatio);
    m_form->addRow(memberButtons);
    m_form->addRow(QStringLiteral("消费合计:"), m_gross);
    m_form->addRow(QStringLiteral("应收金额:"), m_due);
    m_form->addRow(QStringLiteral("优惠金额:"), m_discount);
    m_form->addRow(QStringLiteral("实收金额:"), m_received);
    m_form->addRow(QStringLiteral("顾客支付:"), m_paid);
    m_form->addRow(QStringLiteral("找零:"), m_change);
    m_form->addRow(QStringLiteral("结账方式:"), payments);
    m_form->addRow(QStringLiteral("结账备注:"), m_note);

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
    upper->addLayout(m_form, 1);

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
    const QList<QWidget*> order = {m_memberSearch,
                                   button(QStringLiteral("...")),
                                   m_members,
                                   button(QStringLiteral("取消会员")),
                                   button(QStringLiteral("会员管理")),
                                   m_received,
                                   m_paid,
                                   m_cash,
                                   m_onAccount,
                                   m_free,
                                   m_other,
                                   m_note,
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
    m_members->setTabKeyNavigation(false);

    // F4, "/" and Enter are the dialog's wherever the cursor is.
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

QRadioButton* CGkJzDlg::paymentButton(Checkout::Payment payment) const
{
    switch (payment) {
    case Checkout::Payment::Cash:
        return m_cash;
    case Checkout::Payment::OnAccount:
        return m_onAccount;
    case Checkout::Payment::Free:
        return m_free;
    case Checkout::Payment::Other:
        break;
    }
    return m_other;
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
    m_cash->setChecked(true);
    paymentClicked();
    recalc();
    focusField(m_paid);
}

void CGkJzDlg::loadOnAccount(const Checkout::OnAccountBill& bill)
{
    m_checkout.openOnAccount(bill);
    setWindowTitle(m_checkout.title());
    m_table->setText(bill.table);
    m_billNumber->setText(m_checkout.billNumber());
    showMember();
    m_received->setText(bill.received);
    m_note->setText(bill.note);
    for (QWidget* widget : std::initializer_list<QWidget*>{
             m_onAccount, m_memberSearch, m_inStore, m_area, button(QStringLiteral("折扣(/)")),
             button(QStringLiteral("取消会员")), button(QStringLiteral("...")),
             button(QStringLiteral("会员管理")), button(QStringLiteral("→")), button(QStringLiteral("←"))})
        widget->setEnabled(false);
    showArea();
    m_cash->setChecked(true);
    paymentClicked();
    recalc();
    focusField(m_paid);
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

void CGkJzDlg::takeFields()
{
    m_amounts.received = m_received->text();
    m_amounts.paid = m_paid->text();
}

void CGkJzDlg::recalc()
{
    takeFields();
    m_checkout.RecalcTotals(m_amounts, payment());
    showAmounts();
}

void CGkJzDlg::showAmounts()
{
    m_gross->setText(m_amounts.gross);
    m_due->setText(m_amounts.due);
    m_discount->setText(m_amounts.discount);
    m_change->setText(m_amounts.change);
    if (m_received->text() != m_amounts.received)
        m_received->setText(m_amounts.received);
}

void CGkJzDlg::receivedEdited()
{
    m_amounts.received = m_received->text();
    Checkout::receivedChanged(m_amounts);
    showAmounts();
}

void CGkJzDlg::paidEdited()
{
    m_amounts.paid = m_paid->text();
    Checkout::paidChanged(m_amounts);
    showAmounts();
}

void CGkJzDlg::paymentClicked()
{
    const Checkout::Payment chosen = payment();
    takeFields();
    Checkout::paymentChosen(m_amounts, chosen);
    m_paid->setEnabled(Checkout::paidEnabled(chosen));
    m_received->setEnabled(!m_checkout.onAccountMode() && Checkout::receivedEnabled(chosen));
    showAmounts();
}

Checkout::Payment CGkJzDlg::payment() const
{
    if (m_cash->isChecked())
        return Checkout::Payment::Cash;
    if (m_onAccount->isChecked())
        return Checkout::Payment::OnAccount;
    if (m_other->isChecked())
        return Checkout::Payment::Other;
    return Checkout::Payment::Free;
}

Checkout::Entry CGkJzDlg::entry() const
{
    return {m_received->text(), m_paid->text(), m_note->text(), payment()};
}

void CGkJzDlg::focusField(QLineEdit* field)
{
    field->setFocus();
    field->selectAll();
}

void CGkJzDlg::settle()
{
    const Checkout::Result result = m_checkout.settle(entry());
    switch (result.outcome) {
    case Checkout::Outcome::Settled:
        accept();
        break;
    case Checkout::Outcome::Released:
        m_released = true;
        reject();
        break;
    case Checkout::Outcome::Invalid:
        focusField(result.focus == Checkout::Focus::Paid   ? m_paid
                   : result.focus == Checkout::Focus::Note ? m_note
                                                           : m_received);
        break;
    case Checkout::Outcome::Stopped:
        break;
    }
}

void CGkJzDlg::printPreReceipt()
{
    m_checkout.printPreReceipt(entry());
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
    focusField(m_received);
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

void CGkJzDlg::memberTyped()
{
    const QString text = MemberSearch::clean(m_memberSearch->text());
    if (text != m_memberSearch->text())
        m_memberSearch->setText(text);
    if (text.isEmpty())
        hideMembers();
    else
        showMembers(m_memberSearchOp.search(text));
}

void CGkJzDlg::listAllMembers()
{
    showMembers(m_memberSearchOp.all());
    m_members->setFocus();
}

void CGkJzDlg::showMembers(const QList<MemberSearch::Member>& members)
{
    m_found = members;
    m_members->DeleteAllRows();
    for (const MemberSearch::Member& member : members)
        m_members->AddRow({member.number, member.name, member.sex, member.level, member.ratio, member.card});
    if (!members.isEmpty())
        m_members->selectRow(0);
    for (QWidget* covered : {static_cast<QWidget*>(m_discount), static_cast<QWidget*>(m_change),
                             static_cast<QWidget*>(m_received)})
        m_form->setRowVisible(covered, false);
    m_members->show();
}

void CGkJzDlg::hideMembers()
{
    m_members->hide();
    for (QWidget* covered : {static_cast<QWidget*>(m_discount), static_cast<QWidget*>(m_change),
                             static_cast<QWidget*>(m_received)})
        m_form->setRowVisible(covered, true);
}

void CGkJzDlg::pickMember()
{
    const int row = m_members->currentIndex().row();
    if (m_members->isHidden() || row < 0 || row >= m_found.size())
        return;
    hideMembers();
    afterDiscount(m_checkout.pickMember(m_found.at(row)));
    showMember();
}

void CGkJzDlg::cancelMember()
{
    hideMembers();
    afterDiscount(m_checkout.cancelMember());
    showMember();
}

void CGkJzDlg::showMember()
{
    m_memberSearch->setText(m_checkout.memberNumber());
    m_memberName->setText(m_checkout.memberName());
    m_memberRatio->setText(m_checkout.memberRatio());
}

bool CGkJzDlg::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress)
        return QDialog::eventFilter(watched, event);
    const int key = static_cast<QKeyEvent*>(event)->key();
    const bool enter = key == Qt::Key_Return || key == Qt::Key_Enter;
    if (key == Qt::Key_F4) {
        settle();
        return true;
    }
    if (key == Qt::Key_Slash && watched != m_note) {
        openDiscount();
        return true;
    }
    if (watched == m_received && enter) {
        const Checkout::Payment chosen = payment();
        if (chosen != Checkout::Payment::Free && chosen != Checkout::Payment::OnAccount)
            focusField(m_paid);
        return true;
    }
    if (watched == m_memberSearch && !m_members->isHidden() && (key == Qt::Key_Up || key == Qt::Key_Down)) {
        const int row = m_members->currentIndex().row() + (key == Qt::Key_Up ? -1 : 1);
        if (row >= 0 && row < m_found.size())
            m_members->selectRow(row);
        return true;
    }
    if ((watched == m_memberSearch || watched == m_members) && enter) {
        pickMember();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}
