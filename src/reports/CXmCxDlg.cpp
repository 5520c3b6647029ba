#include "CXmCxDlg.h"

#include "CPrintListReportCtrl.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

CXmCxDlg::CXmCxDlg(Database& db, Prompt& prompt, DefaultPrinter& printer, const QString& operatorName,
                   QWidget* parent)
    : ReportDialog(prompt, printer, operatorName, parent), m_query(db), m_category(new QComboBox(this)),
      m_text(new QLineEdit(this))
{
    setWindowTitle(QStringLiteral("消费项目查询"));
    m_list->SetColumnSpec(ItemQuery::kColumns);
    m_category->addItems(m_query.categories());
    auto* row = new QHBoxLayout;
    auto* categoryLabel = new QLabel(QStringLiteral("类别名:"), this);
    categoryLabel->setBuddy(m_category);
    auto* textLabel = new QLabel(QStringLiteral("项目名(简拼):"), this);
    textLabel->setBuddy(m_text);
    row->addWidget(categoryLabel);
    row->addWidget(m_category);
    row->addWidget(textLabel);
    row->addWidget(m_text);
    row->addStretch();
    addButton(row, QStringLiteral("打印(&P)"), [this] { preview(true); });
    addButton(row, QStringLiteral("导出(&O)"), [this] { exportList(); });
    addButton(row, QStringLiteral("关闭(&C)"), [this] { reject(); });
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addWidget(m_list, 1);
    resize(720, 520);

    connect(m_category, &QComboBox::activated, this,
            [this] { showTable(m_query.ofCategory(m_category->currentText())); });
    connect(m_text, &QLineEdit::textChanged, this, [this] { showTable(m_query.containing(m_text->text())); });
    showTable(m_query.ofCategory(ItemQuery::kAll));
    m_text->setFocus();
}
