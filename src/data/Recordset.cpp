#include "Recordset.h"

#include "DbError.h"
#include "Field.h"

#include <QSqlQuery>
#include <QSqlRecord>

void Recordset::close()
{
    m_open = false;
    m_columns.clear();
    m_index.clear();
    m_rows.clear();
    m_pos = 0;
}

void Recordset::load(QSqlQuery& query)
{
    close();
    m_open = true;
    const QSqlRecord record = query.record();
    const int count = record.count();
    m_columns.reserve(count);
    for (int i = 0; i < count; ++i) {
        m_columns << record.fieldName(i);
        m_index.insert(record.fieldName(i).toLower(), i);
    }
    while (query.next()) {
        QList<QVariant> row;
        row.reserve(count);
        for (int i = 0; i < count; ++i)
            row << query.value(i);
        m_rows << std::move(row);
    }
}

int Recordset::indexOf(const QString& column) const
{
    const auto it = m_index.constFind(column.toLower());
    if (it == m_index.constEnd())
        throw DbError(QStringLiteral("Item cannot be found in the collection corresponding to the requested "
                                     "name or ordinal: %1")
                          .arg(column));
    return it.value();
}

QVariant Recordset::value(int column) const
{
    if (isEOF())
        throw DbError(QStringLiteral("Either BOF or EOF is True, or the current record has been deleted."));
    return m_rows.at(m_pos).at(column);
}

QVariant Recordset::value(const QString& column) const
{
    return value(indexOf(column));
}

QString Recordset::getString(const QString& column) const
{
    const QVariant v = value(column);
    if (v.isNull())
        return QString();
    return v.toString();
}

double Recordset::getDouble(const QString& column) const
{
    return Field::toDouble(getString(column));
}

int Recordset::getInt(const QString& column) const
{
    return Field::toInt(getString(column));
}

QDateTime Recordset::getDateTime(const QString& column) const
{
    const QString text = getString(column);
    if (text.size() == 10)
        return QDateTime(QDate::fromString(text, QStringLiteral("yyyy-MM-dd")), QTime(0, 0));
    if (text.size() < 19)
        return QDateTime();
    return ParseDateTime(text);
}
