#pragma once

#include "Discount.h"
#include "OnAccountBills.h"

#include <QDialog>

class CPrintListReportCtrl;
class DefaultPrinter;
class QDateEdit;
class QLineEdit;

// 挂账账单结账: the bills left on account, with the lines of the chosen one; 结账 settles it in the
// checkout's on-account mode and closes this dialog when the bill was settled.
class CGzZdDlg final : public QDialog
{
    Q_OBJECT
public:
    CGzZdDlg(Database& db, const Cashier& cashier, bool maySettle, ReceiptPrinter& printer,
             DefaultPrinter& defaultPrinter, Discount::PasswordCheck passwordCheck,
             QWidget* parent = nullptr);

    QDateEdit* fromEdit() const { return m_from; }
    QDateEdit* toEdit() const { return m_to; }
    QLineEdit* numberEdit() const { return m_number; }
    QLineEdit* memberEdit() const { return m_member; }
    CPrintListReportCtrl* billList() const { return m_bills; }
    CPrintListReportCtrl* lineList() const { return m_lines; }

    void query();
    void showLines(int row);
    void settle();
    void printBills();
    void printLines();

private:
    void preview(CPrintListReportCtrl* list);

    Database& m_db;
    Cashier m_cashier;
    bool m_maySettle;
    ReceiptPrinter& m_printer;
    DefaultPrinter& m_defaultPrinter;
    Discount::PasswordCheck m_passwordCheck;
    OnAccountBills m_op;
    QDateEdit* m_from;
    QDateEdit* m_to;
    QLineEdit* m_number;
    QLineEdit* m_member;
    CPrintListReportCtrl* m_bills;
    CPrintListReportCtrl* m_lines;
};
