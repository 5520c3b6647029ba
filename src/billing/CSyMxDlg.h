#pragma once

#include "CashierReport.h"
#include "Discount.h"
#include "ReportRange.h"

#include <QDialog>

class CPrintListReportCtrl;
class DefaultPrinter;
class QComboBox;
class ReceiptPrinter;

// 收银明细查询: the bills of a time range by cashier and payment method, the lines of the
// selected bill, printing, export, the reprinted receipt, and 修改 of a bill of today.
class CSyMxDlg final : public QDialog
{
    Q_OBJECT
public:
    static inline const QString kNote =
        QStringLiteral("注:收银报表的实收金额与明细的应收金额不等是由于操作员结账抹零造成的。");

    CSyMxDlg(Database& db, const Cashier& cashier, bool mayModify, ReceiptPrinter& printer,
             DefaultPrinter& defaultPrinter, Discount::PasswordCheck passwordCheck,
             QWidget* parent = nullptr);

    QComboBox* cashierBox() const { return m_cashierBox; }
    QComboBox* methodBox() const { return m_methodBox; }
    CPrintListReportCtrl* billList() const { return m_bills; }
    CPrintListReportCtrl* lineList() const { return m_lines; }

    void query();
    void showLines(int row);
    void printBills();
    void previewLines();
    void modify();
    void reprint();
    void exportBills();

private:
    QStringList selectedBill() const;

    Database& m_db;
    Cashier m_cashier;
    bool m_mayModify;
    ReceiptPrinter& m_printer;
    DefaultPrinter& m_defaultPrinter;
    Discount::PasswordCheck m_passwordCheck;
    CashierReport m_report;
    ReportRange m_range;
    QComboBox* m_cashierBox;
    QComboBox* m_methodBox;
    CPrintListReportCtrl* m_bills;
    CPrintListReportCtrl* m_lines;
};
