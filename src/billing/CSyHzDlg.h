#pragma once

#include "CashierReport.h"

#include <QDialog>

class CPrintListReportCtrl;
class DefaultPrinter;
class QDateEdit;
class QTimeEdit;

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
    QDateEdit* m_startDate;
    QTimeEdit* m_startTime;
    QDateEdit* m_endDate;
    QTimeEdit* m_endTime;
    CPrintListReportCtrl* m_list;
};
