#pragma once

class QDateEdit;
class QHBoxLayout;
class QTimeEdit;
class QWidget;

// The start and end pickers of the cashier reports: a date and a time of day each.
namespace ReportRange {

QDateEdit* dateEdit(QWidget* parent);
QTimeEdit* timeEdit(QWidget* parent);
// "起始时间: date time  终止时间: date time" on a row.
void addTo(QHBoxLayout* row, QDateEdit* startDate, QTimeEdit* startTime, QDateEdit* endDate,
           QTimeEdit* endTime, QWidget* parent);

} // namespace ReportRange
