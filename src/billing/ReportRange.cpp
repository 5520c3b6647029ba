#include "ReportRange.h"

#include <QDateEdit>
#include <QHBoxLayout>
#include <QLabel>
#include <QTimeEdit>

namespace {

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

} // namespace

ReportRange::ReportRange(QWidget* parent)
    : m_parent(parent), m_startDate(dateEdit(parent)), m_startTime(timeEdit(parent)),
      m_endDate(dateEdit(parent)), m_endTime(timeEdit(parent))
{
}

void ReportRange::addTo(QHBoxLayout* row) const
{
    row->addWidget(new QLabel(QStringLiteral("起始时间:"), m_parent));
    row->addWidget(m_startDate);
    row->addWidget(m_startTime);
    row->addWidget(new QLabel(QStringLiteral("终止时间:"), m_parent));
    row->addWidget(m_endDate);
    row->addWidget(m_endTime);
}

QHBoxLayout* ReportRange::filterRow(const QList<std::pair<QString, QWidget*>>& fields) const
{
    auto* row = new QHBoxLayout;
    addTo(row);
    for (const auto& [label, field] : fields) {
        row->addWidget(new QLabel(label, m_parent));
        row->addWidget(field);
    }
    row->addStretch();
    return row;
}

void ReportRange::setDay(const QDate& day)
{
    set(QDateTime(day, QTime(0, 0)), QDateTime(day, QTime(23, 59, 59)));
}

void ReportRange::set(const QDateTime& start, const QDateTime& end)
{
    m_startDate->setDate(start.date());
    m_startTime->setTime(start.time());
    m_endDate->setDate(end.date());
    m_endTime->setTime(end.time());
}

QDateTime ReportRange::start() const
{
    return QDateTime(m_startDate->date(), m_startTime->time());
}

QDateTime ReportRange::end() const
{
    return QDateTime(m_endDate->date(), m_endTime->time());
}
