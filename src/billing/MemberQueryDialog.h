#pragma once

#include "MemberSettings.h"

#include <QDialog>

class CPrintListReportCtrl;
class DefaultPrinter;
class QLineEdit;

// 会员查询: every member, or those found by the search box, to read and print.
class MemberQueryDialog final : public QDialog
{
    Q_OBJECT
public:
    MemberQueryDialog(Database& db, Prompt& prompt, DefaultPrinter& defaultPrinter,
                      const QString& operatorName, QWidget* parent = nullptr);

    CPrintListReportCtrl* list() const { return m_list; }
    QLineEdit* searchBox() const { return m_search; }
    void print();

private:
    void load();

    MemberSettings m_members;
    DefaultPrinter& m_defaultPrinter;
    QString m_operatorName;
    CPrintListReportCtrl* m_list;
    QLineEdit* m_search;
};
