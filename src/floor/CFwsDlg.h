#pragma once

#include "WaiterSettings.h"

#include <QWidget>

class CPrintListReportCtrl;
class DefaultPrinter;
class Operator;

// 服务生设置: the waiters with 添加服务生, 修改服务生 (or a double click) and 删除服务生, each
// for an operator with the waiters right only.
class CFwsDlg final : public QWidget
{
    Q_OBJECT
public:
    CFwsDlg(Database& db, Prompt& prompt, const Operator& current, DefaultPrinter& printer,
            QWidget* parent = nullptr);

    CPrintListReportCtrl* list() const { return m_list; }

    void add();
    void change();
    void remove();

private:
    bool granted();
    // The waiter's number, 0 when no row is selected.
    int selectedId() const;
    void load();

    Prompt& m_prompt;
    const Operator& m_current;
    WaiterSettings m_waiters;
    CPrintListReportCtrl* m_list;
};
