#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QHash>
#include <QStringList>
#include <QVariant>

#include <vector>

struct sqlite3_stmt;
struct pg_result;

// The rows of one result, read completely when the statement ran (a static cursor): walk it with
// isEOF()/moveNext(), read fields by column name. Reading a column the result does not have
// throws DbError, as a missing column does on every screen.
class Recordset final
{
public:
    Recordset() = default;

    bool isOpen() const { return m_open; }
    void close();

    int recordCount() const { return int(m_rowCount); }
    bool isEmpty() const { return m_rowCount == 0; }
    bool isEOF() const { return m_pos >= m_rowCount; }
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

    // Steps a prepared statement to its end, keeping every row (used by Database). Returns
    // SQLite's result code of the last step.
    int load(sqlite3_stmt* statement);
    // Takes the rows of a server's result (used by ServerConnection): integers and booleans as
    // integers, floating and numeric columns as reals, the rest as text, as SQLite gives them.
    void load(const pg_result* result);

private:
    // One field as SQLite returned it; text stays UTF-8 in m_text until it is read, so that
    // filling a large result costs no allocation per field.
    struct Cell
    {
        enum Type : quint8 { Null, Integer, Real, Text };
        Type type = Null;
        union {
            qint64 integer;
            double real;
            struct
            {
                qint32 offset;
                qint32 length;
            } text;
        };
    };

    int indexOf(const QString& column) const;
    const Cell& cell(int column) const;

    bool m_open = false;
    QStringList m_columns;
    mutable QHash<QString, int> m_index; // lower-case name -> position, made at the first look-up
    std::vector<Cell> m_cells;           // row after row
    QByteArray m_text;
    qsizetype m_rowCount = 0;
    qsizetype m_pos = 0;
};
