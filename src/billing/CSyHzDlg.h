#pragma once

#include "CashierReport.h"
#include "ReportRange.h"

#include <QDialog>

class CPrintListReportCtrl;
class DefaultPrinter;

// 收银汇总: discount, received and consumption per payment method over a time range.
class CSyHzDlg final : public QDialog
{
    Q_OBJECT
public:
    CSyHzDlg(Database& db, const QString& operatorName, DefaultPrinter& defaultPrinter,
             QWidget* parent = nullptr);

    void setRange(const QDateTime& start, const QDateTime& end);
    CPrintListReportCtrl* list() const { return m_list; }

    void query();
    void print();
    void exportList();

private:
    QString m_operatorName;
    DefaultPrinter& m_defaultPrinter;
    CashierReport m_report;
    ReportRange m_range;
    CPrintListReportCtrl* m_list;
};
