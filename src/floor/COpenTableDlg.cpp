#include "COpenTableDlg.h"

#include "WaiterField.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextCursor>
#include <QToolButton>
#include <QVBoxLayout>

COpenTableDlg::COpenTableDlg(Database& db, Mode mode, const QString& table, QWidget* parent)
    : QDialog(parent), m_opening(db), m_guestsEdit(new QLineEdit(QStringLiteral("1"), this)),
      m_waiter(new WaiterField(db, this)), m_waiterButton(new QToolButton(this)),
      m_note(new QPlainTextEdit(this)), m_orderNow(new QCheckBox(this))
{
    const bool change = mode == Mode::Change;
    setWindowTitle(change ? TableOpening::kChangeTitle : TableOpening::kTitle);
    m_orderNow->setText(change ? TableOpening::kOrderAfterChange : TableOpening::kOrderNow);
    m_orderNow->setChecked(true);

    auto* tableLabel = new QLabel(table, this);
    tableLabel->setStyleSheet(QStringLiteral("font-weight: bold; color: #b01818;"));
    m_waiterButton->setText(QStringLiteral("…"));
    m_waiterButton->setToolTip(QStringLiteral("列出全部服务生"));
    m_waiterButton->setFocusPolicy(Qt::NoFocus);
    auto* waiterRow = new QHBoxLayout;
    waiterRow->addWidget(m_waiter, 1);
    waiterRow->addWidget(m_waiterButton);
    m_note->setTabChangesFocus(true);
    m_note->setMinimumHeight(90);

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("主餐桌名:"), tableLabel);
    form->addRow(QStringLiteral("顾客人数:"), m_guestsEdit);
    form->addRow(QStringLiteral("服务生:"), waiterRow);
    form->addRow(QStringLiteral("备注:"), m_note);
    form->addRow(QString(), m_orderNow);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("确定"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("取消"));
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
    setMinimumWidth(360);

    connect(buttons, &QDialogButtonBox::accepted, this, &COpenTableDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &COpenTableDlg::reject);
    connect(m_waiterButton, &QToolButton::clicked, m_waiter, &WaiterField::showAll);
    connect(m_waiter, &WaiterField::picked, m_note, [this] { m_note->setFocus(); });
    connect(m_note, &QPlainTextEdit::textChanged, this, [this] {
        if (m_note->toPlainText().size() > kNoteLimit) {
            m_note->setPlainText(m_note->toPlainText().left(kNoteLimit));
            m_note->moveCursor(QTextCursor::End);
        }
    });

    m_guestsEdit->selectAll();
    m_guestsEdit->setFocus();
}

void COpenTableDlg::setNote(const QString& note)
{
    m_note->setPlainText(note);
}

void COpenTableDlg::setRegistration(const TableOpening::Registration& registration)
{
    m_guestsEdit->setText(QString::number(registration.guests));
    m_guestsEdit->selectAll();
    m_waiter->preset(registration.waiter);
    setNote(registration.note);
}

QString COpenTableDlg::note() const
{
    return m_note->toPlainText();
}

int COpenTableDlg::waiter() const
{
    return m_waiter->waiterId();
}

bool COpenTableDlg::orderNow() const
{
    return m_orderNow->isChecked();
}

void COpenTableDlg::accept()
{
    const std::optional<int> guests = m_opening.guests(m_guestsEdit->text());
    if (!guests) {
        m_guestsEdit->setFocus();
        m_guestsEdit->selectAll();
        return;
    }
    m_guests = *guests;
    QDialog::accept();
}
