#pragma once

#include <QDateTime>

class QDateEdit;
class QHBoxLayout;
class QTimeEdit;
class QWidget;

// The start and end pickers of the cashier reports: a date and a time of day each.
class ReportRange final
{
public:
    explicit ReportRange(QWidget* parent);

    // "起始时间: date time  终止时间: date time" on a row.
    void addTo(QHBoxLayout* row) const;
    void set(const QDateTime& start, const QDateTime& end);
    QDateTime start() const;
    QDateTime end() const;

private:
    QWidget* m_parent;
    QDateEdit* m_startDate;
    QTimeEdit* m_startTime;
    QDateEdit* m_endDate;
    QTimeEdit* m_endTime;
};
