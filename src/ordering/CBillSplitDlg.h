#pragma once

#include "BillSplit.h"

#include <QDialog>

class QTreeWidget;

// 拆分账单: the open groups as the tree "可供拆分账单"; the move button takes a group's other
// table into "拆分区", and "拆分" gives each table taken a bill of its own.
class CBillSplitDlg final : public QDialog
{
    Q_OBJECT
public:
    explicit CBillSplitDlg(Database& db, QWidget* parent = nullptr);

    QTreeWidget* groups() const { return m_groups; }
    QTreeWidget* splitList() const { return m_splitList; }

    void take();
    void split();

private:
    BillSplit m_split;
    QTreeWidget* m_groups;
    QTreeWidget* m_splitList;
};
