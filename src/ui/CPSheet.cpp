#include "CPSheet.h"

#include <QDialogButtonBox>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

CPSheet::CPSheet(const QString& title, QWidget* parent) : QDialog(parent), m_pages(new QTabWidget(this))
{
    setWindowTitle(title);
    auto* buttons = new QDialogButtonBox(this);
    QPushButton* close = buttons->addButton(QStringLiteral("关闭"), QDialogButtonBox::RejectRole);
    close->setAutoDefault(false);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_pages);
    layout->addWidget(buttons);
    resize(760, 520);
}

void CPSheet::addPage(QWidget* page, const QString& title)
{
    m_pages->addTab(page, title);
}
