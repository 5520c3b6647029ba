#include "DatabaseCopy.h"

#include "Database.h"
#include "DayTotals.h"
#include "DbError.h"
#include "Field.h"
#include "Sql.h"

#include <QHash>
#include <QLocale>

#include <limits>

namespace {

constexpr int kBatch = 1000;

QString quotedName(const QString& name)
{
    return QLatin1Char('"') + QString(name).replace(QLatin1Char('"'), QLatin1String("\"\"")) + QLatin1Char('"');
}

QStringList firstColumn(Database& db, const QString& statement)
{
    QStringList values;
    for (Recordset rs = db.query(statement); !rs.isEOF(); rs.moveNext())
        values << rs.value(0).toString();
    return values;
}

// The checks both databases must pass alike: every table's rows, and the day totals.
QStringList checks(const QStringList& tables)
{
    QStringList statements;
    for (const QString& table : tables)
        statements << QStringLiteral("select count(*) from %1").arg(quotedName(table));
    for (const char* totals : {"xfrhz", "fwsrhz"})
        statements << QStringLiteral("select count(*),sum(ts),round(sum(sl)*100),round(sum(dzje)*100),"
                                     "round(sum(ysje)*100) from %1")
                          .arg(QLatin1String(totals));
    return statements;
}

QString row(Recordset& rs)
{
    QStringList fields;
    for (int i = 0; i < rs.columns().size(); ++i)
        fields << rs.value(i).toString();
    return fields.join(QLatin1Char('|'));
}

} // namespace

DatabaseCopy::DatabaseCopy(Database& source, Prompt& prompt) : m_source(source), m_prompt(prompt) {}

DatabaseCopy::Result DatabaseCopy::copyTo(const QString& serverLocation)
{
    if (m_source.backend() != Backend::SQLite || !isServerLocation(serverLocation))
        throw DbError(QStringLiteral("只能把 Pelvar.db 复制到数据库服务器"));
    Database target(m_prompt);
    target.open(serverLocation);
    if (!target.created())
        throw DbError(QStringLiteral("目标数据库不是空的，没有复制：%1").arg(serverLocation));

    const QStringList tables = firstColumn(
        m_source, QStringLiteral("select name from sqlite_master where type='table' and name not like 'sqlite%' "
                                 "and name not in ('xfrhz','fwsrhz') order by name"));
    QHash<QString, qint64> counters; // the file's last numbers given, by table
    for (Recordset rs = m_source.query(QStringLiteral("select name,seq from sqlite_sequence")); !rs.isEOF();
         rs.moveNext())
        counters.insert(rs.getString(QStringLiteral("name")), rs.value(1).toLongLong());

    Result result;
    Transaction transaction(target);
    for (const QString& drop : DayTotals::withoutTriggers(target))
        target.ExecuteSql(drop);
    for (const QString& table : tables) {
        // The server's column types: text in a numeric one must become a number.
        QHash<QString, bool> numeric;
        for (Recordset rs = target.query(QStringLiteral("select column_name,data_type from information_schema.columns "
                                                        "where table_schema=current_schema() and table_name=") +
                                         Sql::quote(table));
             !rs.isEOF(); rs.moveNext())
            numeric.insert(rs.getString(QStringLiteral("column_name")),
                           rs.getString(QStringLiteral("data_type")) != QLatin1String("text"));
        if (numeric.isEmpty())
            throw DbError(QStringLiteral("服务器上没有表 %1").arg(table));
        target.ExecuteSql(QStringLiteral("delete from %1").arg(quotedName(table)));

        qint64 rows = 0;
        qint64 last = std::numeric_limits<qint64>::min();
        for (;;) {
            Recordset batch = m_source.query(
                QStringLiteral("select _rowid_ as pelvar_rowid,* from %1 where _rowid_>%2 order by _rowid_ limit %3")
                    .arg(quotedName(table))
                    .arg(last)
                    .arg(kBatch));
            if (batch.isEmpty())
                break;
            const QStringList columns = batch.columns().mid(1);
            QStringList names;
            for (const QString& column : columns)
                names << quotedName(column.toLower());
            QString insert = QStringLiteral("insert into %1 (%2) values ").arg(quotedName(table), names.join(QLatin1Char(',')));
            for (; !batch.isEOF(); batch.moveNext()) {
                last = batch.value(0).toLongLong();
                QStringList values;
                for (int i = 1; i <= columns.size(); ++i) {
                    const QVariant value = batch.value(i);
                    if (value.isNull()) {
                        values << QStringLiteral("null");
                    } else if (!numeric.value(columns.at(i - 1).toLower())) {
                        values << Sql::quote(value.toString());
                    } else if (value.typeId() == QMetaType::LongLong) {
                        values << QString::number(value.toLongLong());
                    } else if (value.typeId() == QMetaType::Double) {
                        values << QString::number(value.toDouble(), 'g', 17);
                    } else {
                        const QString text = value.toString();
                        const std::optional<double> number = Field::parseNumber(text);
                        if (number) {
                            values << QString::number(*number, 'g', 17);
                            continue;
                        }
                        ++result.adjustedFields;
                        values << (text.trimmed().isEmpty() ? QStringLiteral("null")
                                                            : QString::number(Field::toDouble(text), 'g', 17));
                    }
                }
                insert += (rows++ % kBatch ? QStringLiteral(",(") : QStringLiteral("(")) +
                          values.join(QLatin1Char(',')) + QLatin1Char(')');
            }
            target.ExecuteSql(insert);
        }
        result.tables << Table{table, rows};
    }

    // The counters go on from the file's, which never give a number twice.
    for (Recordset rs = target.query(QStringLiteral("select table_name,column_name from information_schema.columns "
                                                    "where table_schema=current_schema() and is_identity='YES'"));
         !rs.isEOF(); rs.moveNext()) {
        const QString table = rs.getString(QStringLiteral("table_name"));
        const QString column = rs.getString(QStringLiteral("column_name"));
        target.ExecuteSql(QStringLiteral("select setval(pg_get_serial_sequence(%1,%2),greatest(coalesce(max(%3),0),%4)+1,"
                                         "false) from %5")
                              .arg(Sql::quote(quotedName(table)), Sql::quote(column), quotedName(column))
                              .arg(counters.value(table))
                              .arg(quotedName(table)));
    }
    for (const QString& statement : DayTotals::schema(target))
        target.ExecuteSql(statement);

    for (const QString& check : checks(tables)) {
        Recordset before = m_source.query(check);
        Recordset after = target.query(check);
        if (row(before) != row(after))
            throw DbError(QStringLiteral("复制后核对不符，没有复制（%1：%2 / %3）").arg(check, row(before), row(after)));
    }
    transaction.commit();
    return result;
}

QString DatabaseCopy::Result::report() const
{
    QStringList parts;
    qint64 total = 0;
    for (const Table& table : tables) {
        parts << QStringLiteral("%1 %2 行").arg(table.name).arg(table.rows);
        total += table.rows;
    }
    QString text = QStringLiteral("已复制 %1 张表，共 %2 行：%3。各表行数与日汇总核对无误。")
                       .arg(tables.size())
                       .arg(total)
                       .arg(parts.join(QStringLiteral("，")));
    if (adjustedFields > 0)
        text += QStringLiteral("另有 %1 个数值字段原为文字，已按数值复制。").arg(adjustedFields);
    return text;
}
