#pragma once

#include "ControlReport.h"
#include "ReportRange.h"

#include <QDialog>

class CPrintListReportCtrl;
class DefaultPrinter;
class QComboBox;

// 管理控制报表: returns, gifts, free bills, discounts, round-offs and changed bills of an operator
// (or of all) over a time range, with their values.
class ControlReportDialog final : public QDialog
{
    Q_OBJECT
public:
    ControlReportDialog(Database& db, const QString& operatorName, DefaultPrinter& defaultPrinter,
                        QWidget* parent = nullptr);

    void setRange(const QDateTime& start, const QDateTime& end);
    CPrintListReportCtrl* list() const { return m_list; }
    QComboBox* operatorBox() const { return m_who; }

    void query();

private:
    QString m_operatorName;
    ControlReport m_report;
    ReportRange m_range;
    QComboBox* m_who;
    CPrintListReportCtrl* m_list;
};
