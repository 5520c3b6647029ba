#pragma once

#include "ItemQuery.h"
#include "ReportDialog.h"

class QComboBox;
class QLineEdit;

// 消费项目查询: the catalogue, by category or by a part of the name or pinyin code.
class CXmCxDlg final : public ReportDialog
{
    Q_OBJECT
public:
    CXmCxDlg(Database& db, Prompt& prompt, DefaultPrinter& printer, const QString& operatorName,
             QWidget* parent = nullptr);

    QComboBox* category() const { return m_category; }
    QLineEdit* textField() const { return m_text; }

private:
    ItemQuery m_query;
    QComboBox* m_category;
    QLineEdit* m_text;
};
