#include "ReportRange.h"

#include <QDateEdit>
#include <QHBoxLayout>
#include <QLabel>
#include <QTimeEdit>

namespace ReportRange {

QDateEdit* dateEdit(QWidget* parent)
{
    auto* edit = new QDateEdit(parent);
    edit->setCalendarPopup(true);
    edit->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
    return edit;
}

QTimeEdit* timeEdit(QWidget* parent)
{
    auto* edit = new QTimeEdit(parent);
    edit->setDisplayFormat(QStringLiteral("HH:mm:ss"));
    return edit;
}

void addTo(QHBoxLayout* row, QDateEdit* startDate, QTimeEdit* startTime, QDateEdit* endDate,
           QTimeEdit* endTime, QWidget* parent)
{
    row->addWidget(new QLabel(QStringLiteral("起始时间:"), parent));
    row->addWidget(startDate);
    row->addWidget(startTime);
    row->addWidget(new QLabel(QStringLiteral("终止时间:"), parent));
    row->addWidget(endDate);
    row->addWidget(endTime);
}

} // namespace ReportRange
