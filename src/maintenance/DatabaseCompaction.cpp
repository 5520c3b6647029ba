#include "DatabaseCompaction.h"

#include "Database.h"
#include "DbError.h"
#include "Prompt.h"

DatabaseCompaction::DatabaseCompaction(Database& db, Prompt& prompt) : m_db(db), m_prompt(prompt) {}

bool DatabaseCompaction::compact(bool announce)
{
    try {
        m_db.ExecuteSql(QStringLiteral("vacuum"));
        // The rewritten pages reach the file itself now, not at some later checkpoint.
        m_db.ExecuteSql(QStringLiteral("pragma wal_checkpoint(truncate)"));
    } catch (const DbError& e) {
        m_prompt.warn(QStringLiteral("数据库压缩/修复错误，错误原因：%1").arg(e.description()));
        return false;
    }
    if (announce)
        m_prompt.info(QStringLiteral("数据库压缩/修复完毕!"));
    return true;
}
