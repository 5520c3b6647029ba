#pragma once

#include "ConsumptionQuery.h"
#include "ReportDialog.h"

class QComboBox;
class QLineEdit;

// 消费查询: the lines of guests present (by table or by item) or of guests gone (by bill).
class CXfCxDlg final : public ReportDialog
{
    Q_OBJECT
public:
    CXfCxDlg(Database& db, Prompt& prompt, DefaultPrinter& printer, const QString& operatorName,
             ConsumptionQuery::Mode mode, QWidget* parent = nullptr);

    QDateEdit* startDate() const { return m_start; }
    QDateEdit* endDate() const { return m_end; }
    QComboBox* kind() const { return m_kind; }
    QLineEdit* textField() const { return m_text; }
    void compute();

private:
    ConsumptionQuery m_query;
    ConsumptionQuery::Mode m_mode;
    QDateEdit* m_start;
    QDateEdit* m_end;
    QComboBox* m_kind;
    QLineEdit* m_text;
};
