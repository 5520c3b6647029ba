#include "CDzDlg.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

CDzDlg::CDzDlg(Database& db, const Cashier& cashier, Discount::PasswordCheck passwordCheck, QWidget* parent)
    : QDialog(parent), m_discount(db, cashier, std::move(passwordCheck)), m_ratio(new QLineEdit(this)),
      m_operator(new QComboBox(this)), m_password(new QLineEdit(this)), m_limit(new QLabel(this)),
      m_all(new QRadioButton(QStringLiteral("全部消费项目打折"), this)),
      m_selected(new QRadioButton(QStringLiteral("选定消费项目打折"), this))
{
    setWindowTitle(QStringLiteral("打折"));
    m_ratio->setText(QStringLiteral("1"));
    m_operator->addItems(m_discount.operatorNames());
    m_operator->setCurrentText(cashier.name);
    m_password->setEchoMode(QLineEdit::Password);
    m_limit->setText(m_discount.limitLabel());
    m_all->setChecked(true);

    auto* ratioRow = new QHBoxLayout;
    ratioRow->addWidget(m_ratio);
    ratioRow->addWidget(new QLabel(QStringLiteral("0.9既为9折"), this));

    auto* switchButton = new QPushButton(QStringLiteral("切换"), this);
    switchButton->setAutoDefault(false);
    connect(switchButton, &QPushButton::clicked, this, &CDzDlg::switchOperator);
    auto* passwordRow = new QHBoxLayout;
    passwordRow->addWidget(m_password);
    passwordRow->addWidget(switchButton);
    // Enter in the password switches the operator rather than closing the dialog.
    m_password->installEventFilter(this);

    auto* operatorBox = new QGroupBox(QStringLiteral("操作员"), this);
    auto* operatorForm = new QFormLayout(operatorBox);
    operatorForm->addRow(QStringLiteral("用户名:"), m_operator);
    operatorForm->addRow(QStringLiteral("密码:"), passwordRow);
    operatorForm->addRow(m_limit);

    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(QStringLiteral("确定"), QDialogButtonBox::AcceptRole)->setDefault(true);
    buttons->addButton(QStringLiteral("取消"), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &CDzDlg::onOk);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("折扣:"), ratioRow);
    layout->addLayout(form);
    layout->addWidget(operatorBox);
    layout->addWidget(m_all);
    layout->addWidget(m_selected);
    layout->addWidget(buttons);
    m_ratio->selectAll();
    m_ratio->setFocus();
}

bool CDzDlg::selectedOnly() const
{
    return m_selected->isChecked();
}

void CDzDlg::switchOperator()
{
    if (m_discount.switchOperator(m_operator->currentText(), m_password->text()))
        m_limit->setText(m_discount.limitLabel());
    m_password->clear();
}

void CDzDlg::onOk()
{
    if (m_discount.accept(m_ratio->text())) {
        accept();
        return;
    }
    m_ratio->setFocus();
    m_ratio->selectAll();
}

bool CDzDlg::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_password && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            switchOperator();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}
