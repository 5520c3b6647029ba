#pragma once

#include "ReportRange.h"

#include <QDialog>

class CPrintListReportCtrl;
class Database;
class DefaultPrinter;
class QLabel;

// 账单修改记录: the changes to settled bills of a period, by time; the chosen change shows the
// bill before and after it side by side.
class BillChangesDialog final : public QDialog
{
    Q_OBJECT
public:
    BillChangesDialog(Database& db, const QString& operatorName, DefaultPrinter& defaultPrinter,
                      QWidget* parent = nullptr);

    void setRange(const QDateTime& start, const QDateTime& end);
    CPrintListReportCtrl* list() const { return m_list; }
    CPrintListReportCtrl* side(bool after) const { return after ? m_afterLines : m_beforeLines; }
    QLabel* fields(bool after) const { return after ? m_afterFields : m_beforeFields; }

    void query();
    void showChange(int row);

private:
    Database& m_db;
    QString m_operatorName;
    ReportRange m_range;
    CPrintListReportCtrl* m_list;
    QLabel* m_beforeFields;
    QLabel* m_afterFields;
    CPrintListReportCtrl* m_beforeLines;
    CPrintListReportCtrl* m_afterLines;
};
