#pragma once

#include "BillMerge.h"

#include <QDialog>

class QLineEdit;
class QTreeWidget;

// 合并账单: the other open groups in "在店顾客", the groups to join in "合并区" (starting with the
// table selected on the board when it is a main table), the arrow buttons and double clicks
// that move a group between them, and "合并".
class CBillMergeDlg final : public QDialog
{
    Q_OBJECT
public:
    CBillMergeDlg(Database& db, const QString& selectedTable, QWidget* parent = nullptr);

    QTreeWidget* inStore() const { return m_inStore; }
    QTreeWidget* toMerge() const { return m_toMerge; }
    QLineEdit* mainTable() const { return m_mainTable; }

    void add();
    void remove();
    void merge();

private:
    // Both lists and the main table as the operation has them; `from` keeps its place.
    void refresh(QTreeWidget* from, int row);

    BillMerge m_merge;
    QTreeWidget* m_inStore;
    QTreeWidget* m_toMerge;
    QLineEdit* m_mainTable;
};
