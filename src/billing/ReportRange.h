#pragma once

#include <QDateTime>
#include <QList>
#include <utility>

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
    // A new filter row: the pickers, then each further field after its label, then a stretch.
    QHBoxLayout* filterRow(const QList<std::pair<QString, QWidget*>>& fields = {}) const;
    // The whole of `day`, from 00:00:00 to 23:59:59.
    void setDay(const QDate& day);
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
