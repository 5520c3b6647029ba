#include "PaymentPartsRow.h"

#include "Database.h"
#include "Field.h"
#include "Money.h"
#include "Prompt.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

PaymentPartsRow::PaymentPartsRow(Database& db, QWidget* parent)
    : QWidget(parent), m_db(db), m_method(new QComboBox(this)), m_amount(new QLineEdit(this)),
      m_add(new QPushButton(QStringLiteral("加入"), this)),
      m_clear(new QPushButton(QStringLiteral("清除"), this)), m_shown(new QLabel(this))
{
    m_method->addItems(PaymentParts::partMethods(db));
    m_amount->setObjectName(QStringLiteral("分项金额"));
    m_amount->setMinimumWidth(70);
    m_amount->setMaximumWidth(90);
    m_shown->setObjectName(QStringLiteral("分项付款"));
    m_shown->setStyleSheet(QStringLiteral("color: blue;"));
    m_shown->setWordWrap(true);
    for (QPushButton* button : {m_add, m_clear}) {
        button->setObjectName(button->text());
        // Enter belongs to the fields; no button is pressed by it.
        button->setAutoDefault(false);
    }
    connect(m_add, &QPushButton::clicked, this, &PaymentPartsRow::add);
    connect(m_amount, &QLineEdit::returnPressed, this, &PaymentPartsRow::add);
    connect(m_clear, &QPushButton::clicked, this, [this] {
        setParts({});
        emit changed();
    });

    auto* row = new QHBoxLayout;
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(m_method);
    row->addWidget(m_amount);
    row->addWidget(m_add);
    row->addWidget(m_clear);
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->addLayout(row);
    column->addWidget(m_shown);
    show();
}

void PaymentPartsRow::setParts(const QList<PaymentParts::Part>& parts)
{
    m_parts = parts;
    show();
}

void PaymentPartsRow::add()
{
    const std::optional<double> typed = Field::parseNumber(m_amount->text());
    if (!typed || Money::cents(*typed) <= 0) {
        m_db.prompt().warn(QStringLiteral("分项付款金额不正确!"));
        m_amount->setFocus();
        m_amount->selectAll();
        return;
    }
    m_parts.append({m_method->currentText(), Money::cents(*typed)});
    m_amount->clear();
    show();
    emit changed();
}

void PaymentPartsRow::show()
{
    m_shown->setText(m_parts.isEmpty() ? QStringLiteral("无(全部现金)") : PaymentParts::text(m_parts));
}
