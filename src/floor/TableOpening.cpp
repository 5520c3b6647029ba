#include "TableOpening.h"

#include "Clock.h"
#include "Database.h"
#include "DbError.h"
#include "Prompt.h"
#include "Sql.h"

namespace {

QString quotedList(const QStringList& values)
{
    QStringList quoted;
    for (const QString& v : values)
        quoted << Sql::quote(v);
    return quoted.join(QLatin1Char(','));
}

} // namespace

const QString TableOpening::kTitle = QStringLiteral("顾客开单");
const QString TableOpening::kChangeTitle = QStringLiteral("修改登记");
const QString TableOpening::kOrderNow = QStringLiteral("开单后立即点单");
const QString TableOpening::kOrderAfterChange = QStringLiteral("修改后立即点单");

TableOpening::TableOpening(Database& db) : m_db(db) {}

std::optional<TableOpening::Plan> TableOpening::plan(bool allowed, const QList<TableBoard::Item>& selected)
{
    Prompt& prompt = m_db.prompt();
    if (!allowed) {
        prompt.warn(QStringLiteral("你没有此操作权限!"));
        return std::nullopt;
    }
    if (selected.isEmpty()) {
        prompt.warn(QStringLiteral("请选定餐桌!"));
        return std::nullopt;
    }
    const TableBoard::Item& first = selected.first();
    if (first.state == TableBoard::State::Occupied) {
        prompt.warn(QStringLiteral("此餐桌已被占用!"));
        return std::nullopt;
    }
    if (first.state == TableBoard::State::Reserved) {
        Plan plan;
        plan.tables << first.name;
        plan.needsReservationChoice = true;
        return plan;
    }
    QStringList tables;
    for (const TableBoard::Item& item : selected) {
        if (selected.size() > 1 && item.state == TableBoard::State::Occupied) {
            prompt.warn(QStringLiteral("此餐桌正在使用!"));
            return std::nullopt;
        }
        tables << item.name;
    }
    return planReserved(tables, {});
}

TableOpening::Plan TableOpening::planReserved(const QStringList& tables, const QList<int>& reservations) const
{
    Plan plan;
    plan.tables = tables;
    plan.reservations = reservations;
    if (tables.size() > 1)
        plan.note = QStringLiteral("团体开单:") + tables.join(QLatin1Char(','));
    return plan;
}

std::optional<int> TableOpening::guests(const QString& text)
{
    bool ok = false;
    const int n = text.trimmed().toInt(&ok);
    if (!ok || n < 1 || n > 1000) {
        m_db.prompt().warn(QStringLiteral("顾客人数必须是1到1000之间的整数!"));
        return std::nullopt;
    }
    return n;
}

// The opening time's 14 digits, or the next second whose numbers are all still free, so that two
// openings within one second never collide (a group takes the main number and main number + i).
QString TableOpening::freeNumber(const QDateTime& at, int tables)
{
    for (QDateTime t = at;; t = t.addSecs(1)) {
        const QString main = t.toString(QStringLiteral("yyyyMMddHHmmss"));
        QStringList numbers{main};
        for (int i = 1; i < tables; ++i)
            numbers << main + QString::number(i);
        if (m_db.query(QStringLiteral("select djbh from dj where djbh in(") + quotedList(numbers) +
                       QStringLiteral(")"))
                .isEOF())
            return main;
    }
}

QString TableOpening::open(const Plan& plan, int guests, const QString& note, int waiter)
{
    if (plan.tables.isEmpty())
        return QString();
    try {
        QStringList rooms;
        for (const QString& table : plan.tables) {
            Recordset rs = m_db.query(QStringLiteral("select fjm  from cz where czm=") + Sql::quote(table));
            rooms << (rs.isEOF() ? QString() : rs.getString(QStringLiteral("fjm")));
        }

        Transaction transaction(m_db);
        // The board may be older than the tables: another command may have opened one since.
        Recordset taken = m_db.query(QStringLiteral("select czm from cz where zyzt='占用' and czm in(") +
                                     quotedList(plan.tables) + QStringLiteral(")"));
        if (!taken.isEOF()) {
            m_db.prompt().warn(QStringLiteral("此餐桌已被占用!"));
            return QString();
        }
        const QDateTime now = Clock::now();
        const QString main = freeNumber(now, int(plan.tables.size()));
        const QString arrival = Sql::timeText(now);
        for (int i = 0; i < plan.tables.size(); ++i) {
            const QString& table = plan.tables.at(i);
            const QString number = i == 0 ? main : main + QString::number(i);
            m_db.ExecuteSql(QStringLiteral("insert into dj(djbh,czm,fjm,rs,xfzt,zdbh,zdbj,bz,fws,jdsj) "
                                           "values(%1,%2,%3,%4,'占用',%5,%6,%7,%8,%9)")
                                .arg(Sql::quote(number), Sql::quote(table), Sql::quote(rooms.at(i)),
                                     QString::number(guests), Sql::quote(main),
                                     i == 0 ? QStringLiteral("'y'") : QStringLiteral("'n'"), Sql::quote(note),
                                     QString::number(waiter), Sql::quote(arrival)));
            m_db.ExecuteSql(QStringLiteral("update cz set zyzt='占用',jdsj=") + Sql::quote(arrival) +
                            QStringLiteral(",yzrs=") + QString::number(guests) +
                            QStringLiteral(",gkxm='',gkdh='',gksj='',bz=") + Sql::quote(note) +
                            QStringLiteral(" where czm=") + Sql::quote(table));
        }
        for (int id : plan.reservations)
            m_db.ExecuteSql(QStringLiteral("update yd set zt='到达' where id=") + QString::number(id));
        transaction.commit();
        return main;
    } catch (const DbError&) {
        m_db.prompt().warn(QStringLiteral("开单发生异常,开单失败!"));
        return QString();
    }
}

std::optional<TableOpening::Registration> TableOpening::registration(const QString& table)
{
    Recordset rs;
    if (!m_db.OpenRecordset(rs, QStringLiteral("select * from dj where czm=") + Sql::quote(table) +
                                    QStringLiteral(" and xfzt='占用' ")) ||
        rs.isEOF())
        return std::nullopt;
    Registration r;
    r.guests = rs.getInt(QStringLiteral("rs"));
    r.note = rs.getString(QStringLiteral("bz"));
    r.waiter = rs.getInt(QStringLiteral("fws"));
    return r;
}

bool TableOpening::change(const QString& table, int guests, const QString& note, int waiter)
{
    try {
        Transaction transaction(m_db);
        m_db.ExecuteSql(QStringLiteral("update dj set rs=") + QString::number(guests) +
                        QStringLiteral(",bz=") + Sql::quote(note) + QStringLiteral(" ,fws=") +
                        QString::number(waiter) + QStringLiteral(" where czm=") + Sql::quote(table) +
                        QStringLiteral(" and xfzt='占用'"));
        m_db.ExecuteSql(QStringLiteral("update cz set yzrs=") + QString::number(guests) +
                        QStringLiteral(" where czm=") + Sql::quote(table) +
                        QStringLiteral(" and zyzt='占用'"));
        transaction.commit();
        return true;
    } catch (const DbError&) {
        m_db.prompt().warn(QStringLiteral("修改登记发生异常,修改失败!"));
        return false;
    }
}

bool TableOpening::setWaiter(const QString& registrationNumber, int waiter)
{
    Recordset none;
    return m_db.OpenRecordset(none, QStringLiteral("update dj set fws=") + QString::number(waiter) +
                                        QStringLiteral(" where djbh=") + Sql::quote(registrationNumber));
}
