#pragma once

#include <QDialog>

class QTabWidget;

// Every settings sheet: its pages as tabs and one button, 关闭. Pages save through their own
// buttons, so there is no OK and no apply.
class CPSheet final : public QDialog
{
    Q_OBJECT
public:
    explicit CPSheet(const QString& title, QWidget* parent = nullptr);

    void addPage(QWidget* page, const QString& title);
    QTabWidget* pages() const { return m_pages; }

private:
    QTabWidget* m_pages;
};
