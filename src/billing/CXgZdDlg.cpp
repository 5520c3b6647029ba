#include "CXgZdDlg.h"

#include "CDzDlg.h"
#include "CPrintListReportCtrl.h"
#include "CZjXfDlg.h"
#include "Database.h"
#include "Field.h"
#include "Money.h"
#include "PaymentPanel.h"
#include "QuantityDialog.h"
#include "Sql.h"

#include <QAction>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

CXgZdDlg::CXgZdDlg(Database& db, const Cashier& cashier, ReceiptPrinter& printer,
                   DefaultPrinter& defaultPrinter, Discount::PasswordCheck passwordCheck, QWidget* parent)
    : QDialog(parent), m_db(db), m_cashier(cashier), m_defaultPrinter(defaultPrinter),
      m_passwordCheck(std::move(passwordCheck)), m_op(db, cashier, printer),
      m_billNumber(PaymentPanel::shownLabel(QStringLiteral("结账单号"), QStringLiteral("blue"), this)),
      m_table(PaymentPanel::shownLabel(QStringLiteral("结帐餐桌"), QStringLiteral("blue"), this)),
      m_payment(new PaymentPanel(db, defaultPrinter, false, this)),
      m_lines(new CPrintListReportCtrl(db.prompt(), defaultPrinter, this))
{
    setWindowTitle(QStringLiteral("修改账单"));
    m_op.setReasonQuestion([this]() -> std::optional<QString> {
        bool ok = false;
        const QString reason = QInputDialog::getText(this, QStringLiteral("修改原因"),
                                                     QStringLiteral("请输入修改(删除)该账单的原因:"),
                                                     QLineEdit::Normal, QString(), &ok);
        return ok ? std::optional<QString>(reason) : std::nullopt;
    });
    m_lines->SetColumnSpec(BillModification::kColumns);
    m_lines->setMultipleSelection(true);
    m_lines->setGridLines(true);
    m_lines->setFont(QFont(QStringLiteral("宋体"), font().pointSize()));
    auto* discountAction = new QAction(QStringLiteral("打折"), m_lines);
    connect(discountAction, &QAction::triggered, this, &CXgZdDlg::openDiscount);
    m_lines->addAction(discountAction);
    m_lines->setContextMenuPolicy(Qt::ActionsContextMenu);
    connect(m_lines, &QAbstractItemView::doubleClicked, this, &CXgZdDlg::changeQuantity);

    connect(m_payment, &PaymentPanel::memberPicked, this, [this](const MemberSearch::Member& member) {
        m_op.pickMember(member);
        showMember();
        showLines();
        m_payment->selectField(Checkout::Focus::Received);
    });
    connect(m_payment, &PaymentPanel::paymentClicked, this, [this] {
        m_payment->enableAmounts(true);
        recalc();
    });
    m_payment->form()->insertRow(0, QStringLiteral("结账单号:"), m_billNumber);
    m_payment->form()->insertRow(1, QStringLiteral("结帐餐桌:"), m_table);

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
    upper->addWidget(m_payment, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(upper, 1);
    layout->addLayout(buttons);
    resize(1150, 620);
}

QLabel* CXgZdDlg::amountLabel(const QString& name) const
{
    return findChild<QLabel*>(name);
}

void CXgZdDlg::load(const BillModification::Bill& bill)
{
    m_op.open(bill);
    m_billNumber->setText(bill.number);
    m_table->setText(bill.table);
    m_payment->noteEdit()->setText(m_op.bill().note);
    m_payment->receivedEdit()->setText(bill.received);
    m_payment->choosePayment(Checkout::paymentOf(bill.method));
    m_payment->setParts(PaymentParts::beside(m_db, bill.number));
    showMember();
    showLines();
    m_payment->selectField(m_payment->paidEdit()->isEnabled() ? Checkout::Focus::Paid
                                                              : Checkout::Focus::Note);
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
    m_payment->takeFields();
    m_op.recalc(m_payment->amounts(), m_payment->payment());
    // What the guest does not pay is the discount, rounding-off included, as the save writes it.
    Checkout::receivedChanged(m_payment->amounts());
    m_payment->showAmounts();
}

void CXgZdDlg::showMember()
{
    m_payment->showMember(m_op.memberNumber(), m_op.memberName(), m_op.memberRatio());
}

void CXgZdDlg::addConsumption()
{
    CZjXfDlg dialog(m_db, m_op, m_defaultPrinter, this);
    if (dialog.exec() == QDialog::Accepted && m_op.addLines(dialog.chosen()))
        showLines();
    activateWindow();
}

// The lines of the selected rows, top row first, found by the number each row shows: a click on a
// header sorts the list, and its rows no longer stand where their lines do.
QList<int> CXgZdDlg::selectedLines() const
{
    QList<int> lines;
    for (int row : m_lines->selectedRows())
        lines << m_lines->cellText(row, 0).toInt() - 1;
    return lines;
}

void CXgZdDlg::removeLine()
{
    const QList<int> lines = selectedLines();
    if (lines.isEmpty())
        return;
    m_op.removeLine(lines.first());
    showLines();
}

void CXgZdDlg::changeQuantity()
{
    const QList<int> lines = selectedLines();
    if (lines.isEmpty())
        return;
    const int index = lines.first();
    if (!m_op.mayChangeQuantity(index))
        return;
    const BillModification::Line& line = m_op.lines().at(index);
    QuantityDialog dialog(m_db.prompt(), line.item, line.quantity, this);
    const bool accepted = dialog.exec() == QDialog::Accepted;
    activateWindow();
    if (!accepted)
        return;
    m_op.setQuantity(index, dialog.quantity());
    // Shown again in the order of the lines.
    showLines();
    m_lines->selectRow(index);
}

void CXgZdDlg::openDiscount()
{
    CDzDlg dialog(m_db, m_cashier, m_passwordCheck, this);
    const bool accepted = dialog.exec() == QDialog::Accepted;
    activateWindow();
    if (!accepted)
        return;
    if (dialog.selectedOnly()) {
        if (!m_op.applyRatio(dialog.ratio(), selectedLines()))
            return;
    } else {
        m_op.applyRatio(dialog.ratio());
    }
    showLines();
    m_payment->selectField(Checkout::Focus::Received);
}

void CXgZdDlg::cancelMember()
{
    m_payment->hideMembers();
    m_op.cancelMember();
    showMember();
    showLines();
}

void CXgZdDlg::print()
{
    m_op.printListed(m_payment->entry());
}

void CXgZdDlg::save()
{
    Checkout::Focus focus = Checkout::Focus::None;
    switch (m_op.save(m_payment->entry(), focus)) {
    case BillModification::Outcome::Saved:
    case BillModification::Outcome::Deleted:
        accept();
        break;
    case BillModification::Outcome::Invalid:
        m_payment->selectField(focus);
        break;
    case BillModification::Outcome::Stopped:
        break;
    }
}
