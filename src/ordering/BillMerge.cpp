#include "BillMerge.h"

#include "Database.h"
#include "DbError.h"
#include "Prompt.h"
#include "Sql.h"

namespace {

QList<BillMerge::Group> readGroups(Database& db, const QString& statement)
{
    QList<BillMerge::Group> groups;
    Recordset rs;
    if (db.OpenRecordset(rs, statement))
        for (; !rs.isEOF(); rs.moveNext())
            groups << BillMerge::Group{rs.getString(QStringLiteral("djbh")),
                                       rs.getString(QStringLiteral("czm"))};
    return groups;
}

} // namespace

BillMerge::BillMerge(Database& db, const QString& selectedTable) : m_db(db)
{
    const QString table = Sql::quote(selectedTable);
    m_toMerge = readGroups(m_db, QStringLiteral("select* from dj where czm=") + table +
                                     QStringLiteral(" and xfzt='占用' and zdbj='y' "));
    m_inStore = readGroups(
        m_db, QStringLiteral("select * from dj  where xfzt='占用' and zdbj='y' and czm<>") + table);
}

QString BillMerge::mainTable() const
{
    // Always the group that merge() keeps, so the field never hides or misnames the main table.
    return m_toMerge.isEmpty() ? QString() : m_toMerge.first().table;
}

void BillMerge::add(int inStoreRow)
{
    if (inStoreRow >= 0 && inStoreRow < m_inStore.size())
        m_toMerge << m_inStore.takeAt(inStoreRow);
}

void BillMerge::remove(int toMergeRow)
{
    if (toMergeRow >= 0 && toMergeRow < m_toMerge.size())
        m_inStore << m_toMerge.takeAt(toMergeRow);
}

bool BillMerge::merge()
{
    if (m_toMerge.isEmpty() || !m_db.prompt().ask(QStringLiteral("确定要合并此单吗?")) ||
        m_toMerge.size() == 1)
        return true;
    const QString main = Sql::quote(m_toMerge.first().number);
    try {
        Transaction transaction(m_db);
        for (qsizetype i = 1; i < m_toMerge.size(); ++i)
            m_db.ExecuteSql(QStringLiteral("update dj set zdbh=") + main +
                            QStringLiteral(",zdbj='0' where zdbh=") + Sql::quote(m_toMerge.at(i).number));
        transaction.commit();
    } catch (const DbError&) {
        m_db.prompt().warn(QStringLiteral("合并账单发生异常,合并失败!"));
        return false;
    }
    return true;
}
