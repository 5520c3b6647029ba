#include "CPSheet.h"

#include <QDialogButtonBox>
#include <QGuiApplication>
#include <QPushButton>
#include <QScreen>
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
    // The pages' lists want room: most of the screen the sheet opens on.
    const QScreen* screen = parent ? parent->screen() : QGuiApplication::primaryScreen();
    resize(screen->availableSize() * 9 / 10);
}

void CPSheet::addPage(QWidget* page, const QString& title)
{
    m_pages->addTab(page, title);
}
