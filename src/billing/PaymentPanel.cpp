#include "PaymentPanel.h"

#include "CPrintListReportCtrl.h"
#include "Database.h"
#include "PaymentPartsRow.h"
#include "Sql.h"

#include <algorithm>
#include <QButtonGroup>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace {

const QString kMemberColumns = QStringLiteral("编号,40;姓名,50;姓别,40;会员等级,70;折扣,40;卡号,80;");

} // namespace

PaymentPanel::PaymentPanel(Database& db, DefaultPrinter& defaultPrinter, bool listCoversAmounts,
                           QWidget* parent)
    : QWidget(parent), m_search(db), m_listCoversAmounts(listCoversAmounts), m_form(new QFormLayout(this)),
      m_memberSearch(new QLineEdit(this)), m_allMembers(new QPushButton(QStringLiteral("..."), this)),
      m_members(new CPrintListReportCtrl(db.prompt(), defaultPrinter, this)),
      m_memberName(shownLabel(QStringLiteral("会员名"), QStringLiteral("blue"), this)),
      m_memberRatio(shownLabel(QStringLiteral("折扣"), QStringLiteral("blue"), this)),
      m_gross(shownLabel(QStringLiteral("消费合计"), QStringLiteral("red"), this)),
      m_due(shownLabel(QStringLiteral("应收金额"), QStringLiteral("red"), this)),
      m_discount(shownLabel(QStringLiteral("优惠金额"), QStringLiteral("red"), this)),
      m_received(new QLineEdit(this)), m_paid(new QLineEdit(this)),
      m_change(shownLabel(QStringLiteral("找零"), QStringLiteral("red"), this)),
      m_cash(new QRadioButton(QStringLiteral("现金"), this)),
      m_onAccount(new QRadioButton(QStringLiteral("挂账"), this)),
      m_free(new QRadioButton(QStringLiteral("免费"), this)),
      m_other(new QRadioButton(QStringLiteral("其他"), this)), m_note(new QLineEdit(this)),
      m_parts(new PaymentPartsRow(db, this))
{
    m_form->setContentsMargins(0, 0, 0, 0);
    m_members->SetColumnSpec(kMemberColumns);
    m_members->setMinimumHeight(120);
    m_members->hide();
    connect(m_members, &QAbstractItemView::doubleClicked, this, &PaymentPanel::pickMember);
    connect(m_memberSearch, &QLineEdit::textEdited, this, &PaymentPanel::memberTyped);
    m_allMembers->setObjectName(m_allMembers->text());
    m_allMembers->setToolTip(QStringLiteral("全部会员"));
    m_allMembers->setFixedWidth(32);
    // Enter belongs to the fields; no button is pressed by it.
    m_allMembers->setAutoDefault(false);
    connect(m_allMembers, &QPushButton::clicked, this, [this] {
        showMembers(m_search.all());
        m_members->setFocus();
    });
    auto* searchRow = new QHBoxLayout;
    searchRow->addWidget(m_memberSearch);
    searchRow->addWidget(m_allMembers);

    auto* payments = new QHBoxLayout;
    auto* paymentGroup = new QButtonGroup(this);
    for (QRadioButton* button : {m_cash, m_onAccount, m_free, m_other}) {
        paymentGroup->addButton(button);
        payments->addWidget(button);
        connect(button, &QRadioButton::clicked, this, &PaymentPanel::paymentChosen);
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
    m_received->setText(m_amounts.received);
    connect(m_parts, &PaymentPartsRow::changed, this, [this] {
        takeFields();
        Checkout::paidChanged(m_amounts);
        showAmounts();
    });

    m_form->addRow(QStringLiteral("会员编号或简拼:"), searchRow);
    m_form->addRow(m_members);
    m_form->addRow(QStringLiteral("会员名:"), m_memberName);
    m_form->addRow(QStringLiteral("折扣:"), m_memberRatio);
    m_form->addRow(QStringLiteral("消费合计:"), m_gross);
    m_form->addRow(QStringLiteral("应收金额:"), m_due);
    m_form->addRow(QStringLiteral("优惠金额:"), m_discount);
    m_form->addRow(QStringLiteral("实收金额:"), m_received);
    m_form->addRow(QStringLiteral("顾客支付:"), m_paid);
    m_form->addRow(QStringLiteral("找零:"), m_change);
    m_form->addRow(QStringLiteral("结账方式:"), payments);
    m_form->addRow(QStringLiteral("分项付款:"), m_parts);
    m_form->addRow(QStringLiteral("结账备注:"), m_note);

    m_memberSearch->installEventFilter(this);
    m_members->installEventFilter(this);
}

QLabel* PaymentPanel::shownLabel(const QString& name, const QString& colour, QWidget* parent)
{
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    label->setStyleSheet(QStringLiteral("color: %1; font-weight: bold;").arg(colour));
    label->setMinimumWidth(90);
    return label;
}

void PaymentPanel::addMemberRow(QLayout* row)
{
    int index = 0;
    m_form->getWidgetPosition(m_memberRatio, &index, nullptr);
    m_form->insertRow(index + 1, row);
}

QRadioButton* PaymentPanel::paymentButton(Checkout::Payment payment) const
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

void PaymentPanel::takeFields()
{
    m_amounts.received = m_received->text();
    m_amounts.paid = m_paid->text();
    m_amounts.parts = Sql::money(PaymentParts::sum(entry().parts) / 100.0);
}

void PaymentPanel::setParts(const QList<PaymentParts::Part>& parts)
{
    m_parts->setParts(parts);
    takeFields();
    Checkout::paidChanged(m_amounts);
    showAmounts();
}

void PaymentPanel::showAmounts()
{
    m_gross->setText(m_amounts.gross);
    m_due->setText(m_amounts.due);
    m_discount->setText(m_amounts.discount);
    m_change->setText(m_amounts.change);
    if (m_received->text() != m_amounts.received)
        m_received->setText(m_amounts.received);
    connect(m_parts, &PaymentPartsRow::changed, this, [this] {
        takeFields();
        Checkout::paidChanged(m_amounts);
        showAmounts();
    });
}

Checkout::Payment PaymentPanel::payment() const
{
    if (m_cash->isChecked())
        return Checkout::Payment::Cash;
    if (m_onAccount->isChecked())
        return Checkout::Payment::OnAccount;
    if (m_other->isChecked())
        return Checkout::Payment::Other;
    return Checkout::Payment::Free;
}

Checkout::Entry PaymentPanel::entry() const
{
    const Checkout::Payment chosen = payment();
    return {m_received->text(), m_paid->text(), m_note->text(), chosen,
            chosen == Checkout::Payment::Cash ? m_parts->parts() : QList<PaymentParts::Part>()};
}

void PaymentPanel::choosePayment(Checkout::Payment payment)
{
    paymentButton(payment)->setChecked(true);
    paymentChosen();
}

void PaymentPanel::paymentChosen()
{
    takeFields();
    Checkout::paymentChosen(m_amounts, m_chosen, payment());
    m_chosen = payment();
    showAmounts();
    emit paymentClicked();
}

void PaymentPanel::enableAmounts(bool receivedAllowed)
{
    m_paid->setEnabled(Checkout::paidEnabled(payment()));
    // Parts by other methods go beside cash only.
    m_parts->setEnabled(payment() == Checkout::Payment::Cash);
    m_received->setEnabled(receivedAllowed && Checkout::receivedEnabled(payment()));
}

void PaymentPanel::selectField(Checkout::Focus field)
{
    QLineEdit* edit = field == Checkout::Focus::Paid   ? m_paid
                      : field == Checkout::Focus::Note ? m_note
                                                       : m_received;
    edit->setFocus();
    edit->selectAll();
}

void PaymentPanel::showMember(const QString& number, const QString& name, const QString& ratio)
{
    m_memberSearch->setText(number);
    m_memberName->setText(name);
    m_memberRatio->setText(ratio);
}

void PaymentPanel::memberTyped()
{
    const QString text = MemberSearch::clean(m_memberSearch->text());
    if (text != m_memberSearch->text())
        m_memberSearch->setText(text);
    if (text.isEmpty())
        hideMembers();
    else
        showMembers(m_search.search(text));
}

void PaymentPanel::showMembers(const QList<MemberSearch::Member>& members)
{
    m_found = members;
    m_members->DeleteAllRows();
    for (const MemberSearch::Member& member : members)
        m_members->AddRow({member.number, member.name, member.sex, member.level, member.ratio, member.card});
    if (!members.isEmpty())
        m_members->selectRow(0);
    setAmountRowsVisible(false);
    m_members->show();
}

void PaymentPanel::hideMembers()
{
    m_members->hide();
    setAmountRowsVisible(true);
}

void PaymentPanel::setAmountRowsVisible(bool visible)
{
    if (!m_listCoversAmounts)
        return;
    for (QWidget* covered : std::initializer_list<QWidget*>{m_discount, m_change, m_received})
        m_form->setRowVisible(covered, visible);
}

void PaymentPanel::pickMember()
{
    const int row = m_members->currentIndex().row();
    if (m_members->isHidden() || row < 0)
        return;
    // The member of the row by its number: a click on a header sorts the list.
    const QString number = m_members->cellText(row, 0);
    const auto member = std::find_if(m_found.cbegin(), m_found.cend(),
                                     [&number](const MemberSearch::Member& m) { return m.number == number; });
    if (member == m_found.cend())
        return;
    hideMembers();
    emit memberPicked(*member);
}

bool PaymentPanel::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress || m_members->isHidden())
        return QWidget::eventFilter(watched, event);
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (watched == m_memberSearch && (key == Qt::Key_Up || key == Qt::Key_Down)) {
        const int row = m_members->currentIndex().row() + (key == Qt::Key_Up ? -1 : 1);
        if (row >= 0 && row < m_members->rowCount())
            m_members->selectRow(row);
        return true;
    }
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        pickMember();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}
