#pragma once

#include "RunLog.h"

#include <QDialog>

class CPrintListReportCtrl;
class DefaultPrinter;

// 运行日志: the entries of the run log, 清  空 and 关  闭.
class RunLogDialog final : public QDialog
{
    Q_OBJECT
public:
    RunLogDialog(Database& db, Prompt& prompt, DefaultPrinter& defaultPrinter, const QString& operatorName,
                 QWidget* parent = nullptr);

    CPrintListReportCtrl* list() const { return m_list; }

private:
    void load();
    void empty();

    RunLog m_log;
    QString m_operatorName;
    CPrintListReportCtrl* m_list;
};
