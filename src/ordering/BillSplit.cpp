#include "BillSplit.h"

#include "Database.h"
#include "DbError.h"
#include "Prompt.h"
#include "Sql.h"

BillSplit::BillSplit(Database& db) : m_db(db)
{
    Recordset mains;
    if (!m_db.OpenRecordset(mains, QStringLiteral("select * from dj where zdbj='y'  and xfzt='占用'")))
        return;
    for (; !mains.isEOF(); mains.moveNext()) {
        Group group{mains.getString(QStringLiteral("czm")), {}};
        Recordset others;
        if (m_db.OpenRecordset(others, QStringLiteral("select * from dj where zdbh=") +
                                           Sql::quote(mains.getString(QStringLiteral("zdbh"))) +
                                           QStringLiteral(" and czm<>") + Sql::quote(group.mainTable)))
            for (; !others.isEOF(); others.moveNext())
                group.otherTables << others.getString(QStringLiteral("czm"));
        m_groups << group;
    }
}

bool BillSplit::take(const QString& table)
{
    for (Group& group : m_groups) {
        if (group.mainTable == table) {
            m_db.prompt().warn(QStringLiteral("不能对主餐桌进行此操作!"));
            return false;
        }
        if (group.otherTables.removeOne(table)) {
            m_split << table;
            return true;
        }
    }
    return false;
}

bool BillSplit::split()
{
    if (m_split.isEmpty() || !m_db.prompt().ask(QStringLiteral("确定要拆分此单吗?")))
        return false;
    try {
        Transaction transaction(m_db);
        for (const QString& table : m_split)
            m_db.ExecuteSql(QStringLiteral("Update dj set zdbj='y',zdbh=djbh where czm=") +
                            Sql::quote(table) + QStringLiteral(" and xfzt='占用'"));
        transaction.commit();
    } catch (const DbError&) {
        m_db.prompt().warn(QStringLiteral("拆分账单发生异常,拆分失败!"));
        return false;
    }
    return true;
}
