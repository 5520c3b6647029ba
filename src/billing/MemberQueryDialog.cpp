#include "MemberQueryDialog.h"

#include "CPrintListReportCtrl.h"
#include "DefaultPrinter.h"
#include "PrintTimeLine.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

MemberQueryDialog::MemberQueryDialog(Database& db, Prompt& prompt, DefaultPrinter& defaultPrinter,
                                     const QString& operatorName, QWidget* parent)
    : QDialog(parent), m_members(db, prompt), m_defaultPrinter(defaultPrinter), m_operatorName(operatorName),
      m_list(new CPrintListReportCtrl(prompt, defaultPrinter, this)), m_search(new QLineEdit(this))
{
    setWindowTitle(QStringLiteral("会员查询"));
    m_list->setFont(QFont(QStringLiteral("宋体"), font().pointSize()));
    m_list->SetColumnSpec(MemberSettings::kQueryColumns);
    m_list->SetReportTitle(MemberSettings::kQueryReportTitle);

    auto* searchLabel = new QLabel(QStringLiteral("会员编号(简拼/卡号)："), this);
    searchLabel->setBuddy(m_search);
    auto* searchRow = new QHBoxLayout;
    searchRow->addWidget(searchLabel);
    searchRow->addWidget(m_search, 1);
    auto* buttons = new QDialogButtonBox(this);
    QPushButton* print = buttons->addButton(QStringLiteral("打印"), QDialogButtonBox::ActionRole);
    QPushButton* close = buttons->addButton(QStringLiteral("关闭"), QDialogButtonBox::RejectRole);
    print->setAutoDefault(false);
    close->setAutoDefault(false);
    connect(print, &QPushButton::clicked, this, &MemberQueryDialog::print);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(searchRow);
    layout->addWidget(m_list, 1);
    layout->addWidget(buttons);
    resize(900, 520);

    connect(m_search, &QLineEdit::textEdited, this, &MemberQueryDialog::load);
    load();
    m_search->setFocus();
}

void MemberQueryDialog::load()
{
    m_list->setRows(m_members.rows(m_search->text()));
}

void MemberQueryDialog::print()
{
    if (m_list->rowCount() == 0)
        return;
    m_list->SetPrintLine(PrintTimeLine(m_operatorName));
    m_defaultPrinter.SetPrintOrientation(false);
    m_list->PrintPreview();
}
