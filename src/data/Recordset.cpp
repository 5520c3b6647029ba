#include "Recordset.h"

#include "DbError.h"
#include "Field.h"

#include <QLocale>

#include <charconv>
#include <libpq-fe.h>

#include <sqlite3.h>

void Recordset::close()
{
    m_open = false;
    m_columns.clear();
    m_index.clear();
    m_cells.clear();
    m_text.clear();
    m_rowCount = 0;
    m_pos = 0;
}

int Recordset::load(sqlite3_stmt* statement)
{
    close();
    m_open = true;
    const int count = sqlite3_column_count(statement);
    for (int i = 0; i < count; ++i)
        m_columns << QString::fromUtf8(sqlite3_column_name(statement, i));
    int rc;
    while ((rc = sqlite3_step(statement)) == SQLITE_ROW) {
        for (int i = 0; i < count; ++i) {
            Cell c;
            switch (sqlite3_column_type(statement, i)) {
            case SQLITE_NULL: c.type = Cell::Null; break;
            case SQLITE_INTEGER:
                c.type = Cell::Integer;
                c.integer = sqlite3_column_int64(statement, i);
                break;
            case SQLITE_FLOAT:
                c.type = Cell::Real;
                c.real = sqlite3_column_double(statement, i);
                break;
            default: {
                const char* text = reinterpret_cast<const char*>(sqlite3_column_text(statement, i));
                c.type = Cell::Text;
                c.text.offset = qint32(m_text.size());
                c.text.length = sqlite3_column_bytes(statement, i);
                m_text.append(text, c.text.length);
            }
            }
            m_cells.push_back(c);
        }
        ++m_rowCount;
    }
    return rc;
}

namespace {

// Type numbers of the server's catalogue (pg_type.oid) that read as numbers.
enum ServerType : Oid { Bool = 16, Int8 = 20, Int2 = 21, Int4 = 23, Oid4 = 26, Float4 = 700, Float8 = 701, Numeric = 1700 };

} // namespace

void Recordset::load(const pg_result* constResult)
{
    close();
    m_open = true;
    auto* result = const_cast<PGresult*>(constResult);
    const int count = PQnfields(result);
    std::vector<Cell::Type> types(size_t(count), Cell::Text);
    for (int i = 0; i < count; ++i) {
        m_columns << QString::fromUtf8(PQfname(result, i));
        switch (PQftype(result, i)) {
        case Bool:
        case Int8:
        case Int2:
        case Int4:
        case Oid4: types[size_t(i)] = Cell::Integer; break;
        case Float4:
        case Float8:
        case Numeric: types[size_t(i)] = Cell::Real; break;
        default: break;
        }
    }
    const int rows = PQntuples(result);
    m_cells.reserve(size_t(rows) * size_t(count));
    for (int row = 0; row < rows; ++row) {
        for (int i = 0; i < count; ++i) {
            Cell c;
            const char* text = PQgetvalue(result, row, i);
            const int length = PQgetlength(result, row, i);
            c.type = PQgetisnull(result, row, i) ? Cell::Null : types[size_t(i)];
            switch (c.type) {
            case Cell::Null: break;
            case Cell::Integer:
                c.integer = 0;
                if (*text == 't' || *text == 'f')
                    c.integer = *text == 't';
                else
                    std::from_chars(text, text + length, c.integer);
                break;
            case Cell::Real:
                c.real = 0;
                std::from_chars(text, text + length, c.real);
                break;
            case Cell::Text:
                c.text.offset = qint32(m_text.size());
                c.text.length = length;
                m_text.append(text, length);
                break;
            }
            m_cells.push_back(c);
        }
        ++m_rowCount;
    }
}

int Recordset::indexOf(const QString& column) const
{
    // Many results are only asked whether they are empty: their names are indexed when first read.
    if (m_index.isEmpty())
        for (int i = 0; i < m_columns.size(); ++i)
            m_index.insert(m_columns.at(i).toLower(), i);
    // Screens name columns in lower case, as they are kept: most lookups need no lowered copy.
    auto it = m_index.constFind(column);
    if (it == m_index.constEnd())
        it = m_index.constFind(column.toLower());
    if (it == m_index.constEnd())
        throw DbError(QStringLiteral("Item cannot be found in the collection corresponding to the requested "
                                     "name or ordinal: %1")
                          .arg(column));
    return it.value();
}

const Recordset::Cell& Recordset::cell(int column) const
{
    if (isEOF())
        throw DbError(QStringLiteral("Either BOF or EOF is True, or the current record has been deleted."));
    if (column < 0 || column >= m_columns.size())
        throw DbError(QStringLiteral("Item cannot be found in the collection corresponding to the requested "
                                     "name or ordinal: %1")
                          .arg(column));
    return m_cells[size_t(m_pos * m_columns.size() + column)];
}

QVariant Recordset::value(int column) const
{
    const Cell& c = cell(column);
    switch (c.type) {
    case Cell::Null: return QVariant();
    case Cell::Integer: return QVariant(c.integer);
    case Cell::Real: return QVariant(c.real);
    case Cell::Text: break;
    }
    return QVariant(QString::fromUtf8(m_text.constData() + c.text.offset, c.text.length));
}

QVariant Recordset::value(const QString& column) const
{
    return value(indexOf(column));
}

QString Recordset::getString(const QString& column) const
{
    const Cell& c = cell(indexOf(column));
    switch (c.type) {
    case Cell::Null: return QString();
    case Cell::Integer: return QString::number(c.integer);
    case Cell::Real: return QString::number(c.real, 'g', QLocale::FloatingPointShortest);
    case Cell::Text: break;
    }
    return QString::fromUtf8(m_text.constData() + c.text.offset, c.text.length);
}

double Recordset::getDouble(const QString& column) const
{
    const Cell& c = cell(indexOf(column));
    switch (c.type) {
    case Cell::Null: return 0;
    case Cell::Integer: return double(c.integer);
    case Cell::Real: return c.real;
    case Cell::Text: break;
    }
    return Field::toDouble(QString::fromUtf8(m_text.constData() + c.text.offset, c.text.length));
}

int Recordset::getInt(const QString& column) const
{
    const Cell& c = cell(indexOf(column));
    switch (c.type) {
    case Cell::Null: return 0;
    case Cell::Integer: return int(c.integer);
    case Cell::Real: return int(c.real);
    case Cell::Text: break;
    }
    return Field::toInt(QString::fromUtf8(m_text.constData() + c.text.offset, c.text.length));
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
