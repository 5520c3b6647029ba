#pragma once

#include "DataClearing.h"
#include "Gate.h"

#include <QWidget>

class QCheckBox;

// 数据清空: the settings page with a check box per group of tables and the 数据清空 button.
class CSjQl final : public QWidget
{
    Q_OBJECT
public:
    CSjQl(Database& db, Prompt& prompt, const QString& operatorName, Gate mayClear,
          QWidget* parent = nullptr);

    const QList<QCheckBox*>& boxes() const { return m_boxes; }
    void clear();

private:
    DataClearing m_clearing;
    QString m_operatorName;
    Gate m_mayClear;
    QList<QCheckBox*> m_boxes;
};
