#pragma once

#include "OperatorAccounts.h"

#include <QWidget>

class QTreeWidget;
class QTreeWidgetItem;

// 操作员设置: the list of operators with 增加, 修改 and 删除, checked against the operator who
// is logged in.
class CUser final : public QWidget
{
    Q_OBJECT
public:
    CUser(Database& db, Prompt& prompt, const Operator& current, QWidget* parent = nullptr);

    QTreeWidget* list() const { return m_list; }
    void add();
    void change();
    void remove();

private:
    QString selectedName() const;
    void showRow(QTreeWidgetItem* item, const OperatorRecord& record);

    Database& m_db;
    Prompt& m_prompt;
    const Operator& m_current;
    OperatorAccounts m_accounts;
    QTreeWidget* m_list;
};
