#include "CTableChangeDlg.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

CTableChangeDlg::CTableChangeDlg(Database& db, const QString& source, QWidget* parent)
    : QDialog(parent), m_change(db), m_source(source), m_sourceField(new QLineEdit(source, this)),
      m_rooms(new QComboBox(this)), m_targets(new QComboBox(this))
{
    setWindowTitle(QStringLiteral("更换餐桌"));
    m_sourceField->setReadOnly(true);
    m_sourceField->setFocusPolicy(Qt::NoFocus);
    m_rooms->addItems(m_change.rooms());
    m_rooms->setMinimumContentsLength(12);
    m_targets->setMinimumContentsLength(12);
    fillTargets();
    connect(m_rooms, &QComboBox::currentIndexChanged, this, &CTableChangeDlg::fillTargets);

    auto* fields = new QFormLayout;
    fields->addRow(QStringLiteral("原餐桌:"), m_sourceField);
    fields->addRow(QStringLiteral("房间号:"), m_rooms);
    fields->addRow(QStringLiteral("目标餐桌:"), m_targets);

    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(QStringLiteral("确定"), QDialogButtonBox::AcceptRole)->setDefault(true);
    buttons->addButton(QStringLiteral("取消"), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &CTableChangeDlg::onOk);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addWidget(buttons);
    m_rooms->setFocus();
}

void CTableChangeDlg::fillTargets()
{
    m_targets->clear();
    m_targets->addItems(m_change.offeredTables(m_rooms->currentText()));
}

void CTableChangeDlg::onOk()
{
    if (m_change.move(m_source, m_targets->currentText()))
        accept();
}
