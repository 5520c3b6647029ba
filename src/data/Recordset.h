#pragma once

#include <QDateTime>
#include <QHash>
#include <QList>
#include <QStringList>
#include <QVariant>

class QSqlQuery;

// The rows of one result, read completely when the statement ran (a static cursor): walk it with
// isEOF()/moveNext(), read fields by column name. Reading a column the result does not have
// throws DbError, as a missing column does on every screen.
class Recordset final
{
public:
    Recordset() = default;

    bool isOpen() const { return m_open; }
    void close();

    int recordCount() const { return int(m_rows.size()); }
    bool isEmpty() const { return m_rows.isEmpty(); }
    bool isEOF() const { return m_pos >= m_rows.size(); }
    void moveNext() { ++m_pos; }
    void moveFirst() { m_pos = 0; }

    const QStringList& columns() const { return m_columns; }

    // Field of the current row: null is "", text unchanged, numbers as their shortest text.
    QString getString(const QString& column) const;
    double getDouble(const QString& column) const;
    int getInt(const QString& column) const;
    // A stored "%Y-%m-%d %H:%M:%S" (or "%Y-%m-%d") as a local time; invalid when null or empty.
    QDateTime getDateTime(const QString& column) const;
    QVariant value(const QString& column) const;
    QVariant value(int column) const;

    // Fills the set from an executed query (used by Database).
    void load(QSqlQuery& query);

private:
    int indexOf(const QString& column) const;

    bool m_open = false;
    QStringList m_columns;
    QHash<QString, int> m_index; // lower-case name -> position
    QList<QList<QVariant>> m_rows;
    qsizetype m_pos = 0;
};
