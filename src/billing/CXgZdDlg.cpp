#include "CXgZdDlg.h"

#include "CDzDlg.h"
#include "CPrintListReportCtrl.h"
#include "CZjXfDlg.h"
#include "Database.h"
#include "Field.h"
#include "Money.h"
#include "QuantityDialog.h"
#include "Sql.h"

#include <QAction>
#include <QButtonGroup>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

const QString kMemberColumns = QStringLiteral("编号,40;姓名,50;姓别,40;会员等级,70;折扣,40;卡号,80;");

QLabel* shownLabel(const QString& name, const QString& colour, QWidget* parent)
{
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    label->setStyleSheet(QStringLiteral("color: %1; font-weight: bold;").arg(colour));
    label->setMinimumWidth(90);
    return label;
}

} // namespace

CXgZdDlg::CXgZdDlg(Database& db, const Cashier& cashier, ReceiptPrinter& printer,
                   DefaultPrinter& defaultPrinter, Discount::PasswordCheck passwordCheck, QWidget* parent)
    : QDialog(parent), m_db(db), m_cashier(cashier), m_defaultPrinter(defaultPrinter),
      m_passwordCheck(std::move(passwordCheck)), m_op(db, cashier, printer),
      m_billNumber(shownLabel(QStringLiteral("结账单号"), QStringLiteral("blue"), this)),
      m_table(shownLabel(QStringLiteral("结帐餐桌"), QStringLiteral("blue"), this)),
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
      m_other(new QRadioButton(QStringLiteral("其他"), this)),
      m_lines(new CPrintListReportCtrl(db.prompt(), defaultPrinter, this))
{
    setWindowTitle(QStringLiteral("修改账单"));
    m_lines->SetColumnSpec(BillModification::kColumns);
    m_lines->setMultipleSelection(true);
    m_lines->setGridLines(true);
    m_lines->setFont(QFont(QStringLiteral("宋体"), font().pointSize()));
    auto* discountAction = new QAction(QStringLiteral("打折"), m_lines);
    connect(discountAction, &QAction::triggered, this, &CXgZdDlg::openDiscount);
    m_lines->addAction(discountAction);
    m_lines->setContextMenuPolicy(Qt::ActionsContextMenu);
    connect(m_lines, &QAbstractItemView::doubleClicked, this, &CXgZdDlg::changeQuantity);

    m_members->SetColumnSpec(kMemberColumns);
    m_members->setMinimumHeight(110);
    m_members->hide();
    connect(m_members, &QAbstractItemView::doubleClicked, this, &CXgZdDlg::pickMember);
    connect(m_memberSearch, &QLineEdit::textEdited, this, [this](const QString& typed) {
        const QString text = MemberSearch::clean(typed);
        if (text != typed)
            m_memberSearch->setText(text);
        if (text.isEmpty())
            m_members->hide();
        else
            showMembers(MemberSearch(m_db).search(text));
    });
    auto* searchRow = new QHBoxLayout;
    searchRow->addWidget(m_memberSearch);
    auto* all = new QPushButton(QStringLiteral("..."), this);
    all->setToolTip(QStringLiteral("全部会员"));
    all->setFixedWidth(32);
    all->setAutoDefault(false);
    connect(all, &QPushButton::clicked, this, [this] {
        showMembers(MemberSearch(m_db).all());
        m_members->setFocus();
    });
    searchRow->addWidget(all);

    auto* payments = new QHBoxLayout;
    auto* paymentGroup = new QButtonGroup(this);
    for (QRadioButton* button : {m_cash, m_onAccount, m_free, m_other}) {
        paymentGroup->addButton(button);
        payments->addWidget(button);
        connect(button, &QRadioButton::clicked, this, [this] {
            m_paid->setEnabled(Checkout::paidEnabled(payment()));
            m_received->setEnabled(Checkout::receivedEnabled(payment()));
            recalc();
        });
    }
    connect(m_received, &QLineEdit::textEdited, this, [this] {
        m_amounts.received = m_received->text();
        Checkout::receivedChanged(m_amounts);
        showAmounts();
    });
    connect(m_paid, &QLineEdit::textEdited, this, [this] {
        m_amounts.paid = m_paid->text();
        Checkout::paidChanged(m_amounts);
        showAmounts();
    });

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("结账单号:"), m_billNumber);
    form->addRow(QStringLiteral("结帐餐桌:"), m_table);
    form->addRow(QStringLiteral("会员编号或简拼:"), searchRow);
    form->addRow(m_members);
    form->addRow(QStringLiteral("会员名:"), m_memberName);
    form->addRow(QStringLiteral("折扣:"), m_memberRatio);
    form->addRow(QStringLiteral("消费合计:"), m_gross);
    form->addRow(QStringLiteral("应收金额:"), m_due);
    form->addRow(QStringLiteral("优惠金额:"), m_discount);
    form->addRow(QStringLiteral("实收金额:"), m_received);
    form->addRow(QStringLiteral("顾客支付:"), m_paid);
    form->addRow(QStringLiteral("找零:"), m_change);
    form->addRow(QStringLiteral("结账方式:"), payments);
    form->addRow(QStringLiteral("结账备注:"), m_note);

    auto* lineButtons = new QHBoxLayout;
    auto* buttons = new QHBoxLayout;
    const auto add = [this](QHBoxLayout* row, const QString& text, void (CXgZdDlg::*slot)()) {
        auto* button = new QPushButton(text, this);
        button->setObjectName(text);
        button->setAutoDefault(false);
        connect(button, &QPushButton::clicked, this, slot);
        row->addWidget(button);
    };
    add(lineButtons, QStringLiteral("增加消费"), &CXgZdDlg::addConsumption);
    add(lineButtons, QStringLiteral("删除消费"), &CXgZdDlg::removeLine);
    add(lineButtons, QStringLiteral("修改数量"), &CXgZdDlg::changeQuantity);
    add(lineButtons, QStringLiteral("折扣"), &CXgZdDlg::openDiscount);
    add(lineButtons, QStringLiteral("取消会员"), &CXgZdDlg::cancelMember);
    lineButtons->addStretch();
    buttons->addStretch();
    add(buttons, QStringLiteral("打印"), &CXgZdDlg::print);
    add(buttons, QStringLiteral("确定"), &CXgZdDlg::save);
    add(buttons, QStringLiteral("关闭"), &CXgZdDlg::reject);

    auto* left = new QVBoxLayout;
    left->addWidget(m_lines, 1);
    left->addLayout(lineButtons);
    auto* upper = new QHBoxLayout;
    upper->addLayout(left, 3);
    upper->addLayout(form, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(upper, 1);
    layout->addLayout(buttons);
    resize(1150, 620);
    m_memberSearch->installEventFilter(this);
    m_members->installEventFilter(this);
}

QLabel* CXgZdDlg::amountLabel(const QString& name) const
{
    return findChild<QLabel*>(name);
}

QRadioButton* CXgZdDlg::paymentButton(Checkout::Payment payment) const
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

void CXgZdDlg::load(const BillModification::Bill& bill)
{
    m_op.open(bill);
    m_billNumber->setText(bill.number);
    m_table->setText(bill.table);
    m_note->setText(m_op.bill().note);
    m_received->setText(bill.received);
    QRadioButton* method = paymentButton(Checkout::paymentOf(bill.method));
    method->setChecked(true);
    method->click();
    showMember();
    showLines();
    focusField(m_paid->isEnabled() ? m_paid : m_note);
}

void CXgZdDlg::showLines()
{
    m_lines->DeleteAllRows();
    for (const BillModification::Line& line : m_op.lines()) {
        const int row = m_lines->AddRow({QString::number(m_lines->rowCount() + 1), line.shownItem(),
                                         line.table, line.quantity, line.price, line.ratio,
                                         Sql::money(line.amountDue()), line.recorder, line.time});
        if (Field::toDouble(line.quantity) < 0)
            m_lines->SetRowColor(row, Qt::red);
        else if (Money::cents(line.ratio) == 0)
            m_lines->SetRowColor(row, QColor(255, 153, 0));
    }
    recalc();
}

void CXgZdDlg::recalc()
{
    m_amounts.received = m_received->text();
    m_amounts.paid = m_paid->text();
    m_op.recalc(m_amounts, payment());
    // What the guest does not pay is the discount, rounding-off included, as the save writes it.
    Checkout::receivedChanged(m_amounts);
    showAmounts();
}

void CXgZdDlg::showAmounts()
{
    m_gross->setText(m_amounts.gross);
    m_due->setText(m_amounts.due);
    m_discount->setText(m_amounts.discount);
    m_change->setText(m_amounts.change);
    if (m_received->text() != m_amounts.received)
        m_received->setText(m_amounts.received);
}

void CXgZdDlg::showMember()
{
    m_memberSearch->setText(m_op.memberNumber());
    m_memberName->setText(m_op.memberName());
    m_memberRatio->setText(m_op.memberRatio());
}

void CXgZdDlg::showMembers(const QList<MemberSearch::Member>& members)
{
    m_found = members;
    m_members->DeleteAllRows();
    for (const MemberSearch::Member& member : members)
        m_members->AddRow({member.number, member.name, member.sex, member.level, member.ratio, member.card});
    if (!members.isEmpty())
        m_members->selectRow(0);
    m_members->show();
}

Checkout::Payment CXgZdDlg::payment() const
{
    if (m_cash->isChecked())
        return Checkout::Payment::Cash;
    if (m_onAccount->isChecked())
        return Checkout::Payment::OnAccount;
    if (m_other->isChecked())
        return Checkout::Payment::Other;
    return Checkout::Payment::Free;
}

Checkout::Entry CXgZdDlg::entry() const
{
    return {m_received->text(), m_paid->text(), m_note->text(), payment()};
}

void CXgZdDlg::focusField(QLineEdit* field)
{
    field->setFocus();
    field->selectAll();
}

void CXgZdDlg::addConsumption()
{
    CZjXfDlg dialog(m_db, m_op, m_defaultPrinter, this);
    if (dialog.exec() == QDialog::Accepted && m_op.addLines(dialog.chosen()))
        showLines();
    activateWindow();
}

void CXgZdDlg::removeLine()
{
    const QList<int> rows = m_lines->selectedRows();
    if (rows.isEmpty())
        return;
    m_op.removeLine(rows.first());
    showLines();
}

void CXgZdDlg::changeQuantity()
{
    const QList<int> rows = m_lines->selectedRows();
    if (rows.isEmpty())
        return;
    const int row = rows.first();
    QuantityDialog dialog(m_db.prompt(), m_op.lines().at(row).item, m_op.lines().at(row).quantity, this);
    const bool accepted = dialog.exec() == QDialog::Accepted;
    activateWindow();
    if (!accepted)
        return;
    m_op.setQuantity(row, dialog.quantity());
    showLines();
    m_lines->selectRow(row);
}

void CXgZdDlg::openDiscount()
{
    CDzDlg dialog(m_db, m_cashier, m_passwordCheck, this);
    const bool accepted = dialog.exec() == QDialog::Accepted;
    activateWindow();
    if (!accepted)
        return;
    if (dialog.selectedOnly()) {
        if (!m_op.applyRatio(dialog.ratio(), m_lines->selectedRows()))
            return;
    } else {
        m_op.applyRatio(dialog.ratio());
    }
    showLines();
    focusField(m_received);
}

void CXgZdDlg::pickMember()
{
    const int row = m_members->currentIndex().row();
    if (m_members->isHidden() || row < 0 || row >= m_found.size())
        return;
    m_members->hide();
    m_op.pickMember(m_found.at(row));
    showMember();
    showLines();
    focusField(m_received);
}

void CXgZdDlg::cancelMember()
{
    m_members->hide();
    m_op.cancelMember();
    showMember();
    showLines();
}

void CXgZdDlg::print()
{
    m_op.printListed(entry());
}

void CXgZdDlg::save()
{
    Checkout::Focus focus = Checkout::Focus::None;
    switch (m_op.save(entry(), focus)) {
    case BillModification::Outcome::Saved:
    case BillModification::Outcome::Deleted:
        accept();
        break;
    case BillModification::Outcome::Invalid:
        focusField(focus == Checkout::Focus::Paid   ? m_paid
                   : focus == Checkout::Focus::Note ? m_note
                                                    : m_received);
        break;
    case BillModification::Outcome::Stopped:
        break;
    }
}

bool CXgZdDlg::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress || m_members->isHidden())
        return QDialog::eventFilter(watched, event);
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (watched == m_memberSearch && (key == Qt::Key_Up || key == Qt::Key_Down)) {
        const int row = m_members->currentIndex().row() + (key == Qt::Key_Up ? -1 : 1);
        if (row >= 0 && row < m_found.size())
            m_members->selectRow(row);
        return true;
    }
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        pickMember();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}
