#pragma once

#include "ReportDialog.h"
#include "ReturnsQuery.h"

class QLineEdit;

// 退单查询 / 赠单查询: the returned or the free lines of a period, of one bill or of all.
class CTdCxDlg final : public ReportDialog
{
    Q_OBJECT
public:
    CTdCxDlg(Database& db, Prompt& prompt, DefaultPrinter& printer, const QString& operatorName,
             ReturnsQuery::Mode mode, QWidget* parent = nullptr);

    QDateEdit* startDate() const { return m_start; }
    QDateEdit* endDate() const { return m_end; }
    QLineEdit* billField() const { return m_bill; }
    void compute();

private:
    ReturnsQuery m_query;
    ReturnsQuery::Mode m_mode;
    QDateEdit* m_start;
    QDateEdit* m_end;
    QLineEdit* m_bill;
};
