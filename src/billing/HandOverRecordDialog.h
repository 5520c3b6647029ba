#pragma once

#include "ReportRange.h"

#include <QDialog>

class CPrintListReportCtrl;
class Database;
class DefaultPrinter;
class QComboBox;
class ReceiptPrinter;

// 交班记录: the hand-overs of a period by date and operator; 重打交班单 prints the chosen slip
// again as it was kept.
class HandOverRecordDialog final : public QDialog
{
    Q_OBJECT
public:
    HandOverRecordDialog(Database& db, const QString& operatorName, ReceiptPrinter& printer,
                         DefaultPrinter& defaultPrinter, QWidget* parent = nullptr);

    void setRange(const QDateTime& start, const QDateTime& end);
    CPrintListReportCtrl* list() const { return m_list; }
    QComboBox* operatorBox() const { return m_who; }

    void query();
    bool reprint();

private:
    Database& m_db;
    QString m_operatorName;
    ReceiptPrinter& m_printer;
    ReportRange m_range;
    QComboBox* m_who;
    CPrintListReportCtrl* m_list;
};
