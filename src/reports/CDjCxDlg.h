#pragma once

#include "RegistrationQuery.h"
#include "ReportDialog.h"

class QLineEdit;

// 登记查询: the visits of a period, of all waiters or of the one chosen in the waiter field; 修改
// gives a visit another waiter.
class CDjCxDlg final : public ReportDialog
{
    Q_OBJECT
public:
    // What the query borrows from the floor: the waiter field with its pop-up picker and the
    // waiter it stands for, and the waiter dialog of one registration (true when it saved).
    struct Waiters
    {
        std::function<QLineEdit*(QWidget* parent)> makeField;
        std::function<int(QLineEdit* field)> chosen;
        std::function<bool(const QString& registration, int waiter, QWidget* parent)> change;
    };

    CDjCxDlg(Database& db, Prompt& prompt, DefaultPrinter& printer, const QString& operatorName,
             const Waiters& waiters, QWidget* parent = nullptr);

    QDateEdit* startDate() const { return m_start; }
    QDateEdit* endDate() const { return m_end; }
    QLineEdit* waiterField() const { return m_waiter; }
    void compute();
    void modify();

private:
    RegistrationQuery m_query;
    Waiters m_waiters;
    QDateEdit* m_start;
    QDateEdit* m_end;
    QLineEdit* m_waiter;
};
