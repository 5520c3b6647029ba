#include "CRestaurantDlg.h"

#include "RestaurantInfo.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>

CRestaurantDlg::CRestaurantDlg(Database& db, QWidget* parent)
    : QDialog(parent), m_db(db), m_name(new QLineEdit(this)), m_phone(new QLineEdit(this)),
      m_address(new QLineEdit(this))
{
    setWindowTitle(QStringLiteral("餐厅名称设置"));
    RestaurantInfo info;
    info.read(m_db);
    m_name->setText(info.name);
    m_phone->setText(info.phone);
    m_address->setText(info.address);

    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(QStringLiteral("确定"), QDialogButtonBox::AcceptRole)->setDefault(true);
    buttons->addButton(QStringLiteral("取消"), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &CRestaurantDlg::onOk);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* form = new QFormLayout(this);
    form->addRow(QStringLiteral("餐厅名称:"), m_name);
    form->addRow(QStringLiteral("联系电话:"), m_phone);
    form->addRow(QStringLiteral("地址:"), m_address);
    form->addRow(buttons);
    setMinimumWidth(400);
    m_name->setFocus();
}

void CRestaurantDlg::onOk()
{
    if (RestaurantInfo{m_name->text(), m_phone->text(), m_address->text()}.write(m_db))
        accept();
}
