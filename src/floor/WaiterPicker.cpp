#include "WaiterPicker.h"

#include "Database.h"
#include "Sql.h"

const QString WaiterPicker::kColumns = QStringLiteral("编号,40;姓名,90;");

WaiterPicker::WaiterPicker(Database& db) : m_db(db) {}

QList<WaiterPicker::Waiter> WaiterPicker::textChanged(const QString& typed)
{
    QString text = typed;
    text.remove(QLatin1Char('\''));
    QList<Waiter> found;
    if (m_chosen.id != 0 && text == m_chosen.name)
        return found;
    m_chosen = Waiter();
    if (text.isEmpty())
        return found;
    const QString prefix = Sql::quote(text + QLatin1Char('%'));
    Recordset rs;
    if (!m_db.OpenRecordset(rs, QStringLiteral("select * from fws where xm like ") + prefix +
                                    QStringLiteral(" or jp like ") + prefix + QStringLiteral(" or id like ") +
                                    prefix + QStringLiteral(" ")))
        return found;
    for (; !rs.isEOF(); rs.moveNext())
        found << Waiter{rs.getInt(QStringLiteral("id")), rs.getString(QStringLiteral("xm"))};
    return found;
}

QList<WaiterPicker::Waiter> WaiterPicker::all()
{
    QList<Waiter> found;
    Recordset rs;
    if (!m_db.OpenRecordset(rs, QStringLiteral("select * from fws order by id")))
        return found;
    for (; !rs.isEOF(); rs.moveNext())
        found << Waiter{rs.getInt(QStringLiteral("id")), rs.getString(QStringLiteral("xm"))};
    return found;
}

void WaiterPicker::choose(const Waiter& waiter)
{
    m_chosen = waiter;
}

QString WaiterPicker::preset(int id)
{
    m_chosen = Waiter{id, QString()};
    if (id == 0)
        return QString();
    Recordset rs;
    if (m_db.OpenRecordset(rs, QStringLiteral("select * from fws where id=") + QString::number(id)) &&
        !rs.isEOF())
        m_chosen.name = rs.getString(QStringLiteral("xm"));
    else
        // A waiter deleted since: the registration keeps the number until the operator types.
        m_chosen.name = QStringLiteral("%1号(已删除)").arg(id);
    return m_chosen.name;
}
