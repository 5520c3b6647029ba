#include "PaymentMethodsPage.h"

#include "Database.h"
#include "PaymentParts.h"
#include "Prompt.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

PaymentMethodsPage::PaymentMethodsPage(Database& db, QWidget* parent)
    : QWidget(parent), m_db(db), m_list(new QListWidget(this)), m_name(new QLineEdit(this))
{
    auto* add = new QPushButton(QStringLiteral("增加"), this);
    auto* remove = new QPushButton(QStringLiteral("删除"), this);
    add->setObjectName(add->text());
    remove->setObjectName(remove->text());
    connect(add, &QPushButton::clicked, this, &PaymentMethodsPage::add);
    connect(m_name, &QLineEdit::returnPressed, this, &PaymentMethodsPage::add);
    connect(remove, &QPushButton::clicked, this, &PaymentMethodsPage::remove);

    auto* row = new QHBoxLayout;
    row->addWidget(new QLabel(QStringLiteral("付款方式名称:"), this));
    row->addWidget(m_name, 1);
    row->addWidget(add);
    row->addWidget(remove);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(
        new QLabel(QStringLiteral("现金、挂账、免费、其他为系统固定的结账方式。结账时可将实收金额"
                                  "分项付以下方式，余下以现金支付。"),
                   this));
    layout->addWidget(m_list, 1);
    layout->addLayout(row);
    reload();
}

void PaymentMethodsPage::reload()
{
    m_list->clear();
    m_list->addItems(PaymentParts::named(m_db));
}

void PaymentMethodsPage::add()
{
    if (!PaymentParts::addMethod(m_db, m_name->text())) {
        m_name->setFocus();
        m_name->selectAll();
        return;
    }
    m_name->clear();
    reload();
}

void PaymentMethodsPage::remove()
{
    const QListWidgetItem* item = m_list->currentItem();
    if (!item) {
        m_db.prompt().warn(QStringLiteral("请选择要删除的付款方式!"));
        return;
    }
    if (!m_db.prompt().ask(QStringLiteral("是否删除付款方式“") + item->text() + QStringLiteral("”？")))
        return;
    PaymentParts::removeMethod(m_db, item->text());
    reload();
}
