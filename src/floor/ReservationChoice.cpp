#include "ReservationChoice.h"

#include "Clock.h"
#include "Database.h"
#include "Prompt.h"
#include "Sql.h"

const QString ReservationChoice::kTitle = QStringLiteral("此餐桌预订情况");
const QString ReservationChoice::kCaption = QStringLiteral("预订此餐桌的顾客在当前时段所预订的餐桌如下：");
const QStringList ReservationChoice::kColumns = {
    QStringLiteral("顾客姓名"), QStringLiteral("房间"),     QStringLiteral("餐桌"),
    QStringLiteral("押金"),     QStringLiteral("联系电话"), QStringLiteral("手机号码"),
    QStringLiteral("预抵时间"), QStringLiteral("取消时间"), QStringLiteral("备注")};

ReservationChoice::ReservationChoice(Database& db, const QString& table) : m_db(db), m_table(table) {}

QList<ReservationChoice::Row> ReservationChoice::rows()
{
    QList<Row> rows;
    // The booking is found among the table's booked rows only: a cancelled or arrived booking of
    // the same shift and day would otherwise make the inner select yield several numbers.
    Recordset rs;
    if (!m_db.OpenRecordset(
            rs, QStringLiteral("select * from yd where ydbh=(select ydbh from yd where czmc=") +
                    Sql::quote(m_table) + QStringLiteral(" and zt='已订' and yybcbh=") +
                    m_db.GetCurrentShiftId() + QStringLiteral(" and format(ydsj,'yyyy-mm-dd')='") +
                    Clock::today().toString(QStringLiteral("yyyy-MM-dd")) +
                    QStringLiteral("') and zt='已订'")))
        return rows;
    for (; !rs.isEOF(); rs.moveNext()) {
        Row row;
        row.id = rs.getInt(QStringLiteral("id"));
        row.guest = rs.getString(QStringLiteral("khxm"));
        row.room = rs.getString(QStringLiteral("fjmc"));
        row.table = rs.getString(QStringLiteral("czmc"));
        row.deposit = Sql::money(rs.getDouble(QStringLiteral("yj")));
        row.phone = rs.getString(QStringLiteral("lxdh"));
        row.mobile = rs.getString(QStringLiteral("sjhm"));
        row.arrival = Sql::timeText(rs.getDateTime(QStringLiteral("ydsj")));
        row.holdUntil = rs.getDateTime(QStringLiteral("qxsj")).toString(QStringLiteral("HH:mm:ss"));
        row.note = rs.getString(QStringLiteral("bz"));
        rows << row;
    }
    return rows;
}

bool ReservationChoice::accept(const QList<Row>& ticked)
{
    m_tables.clear();
    m_ids.clear();
    for (const Row& row : ticked) {
        Recordset occupied;
        if (!m_db.OpenRecordset(occupied, QStringLiteral("select * from cz where zyzt='占用' and czm=") +
                                              Sql::quote(row.table)))
            return false;
        if (!occupied.isEOF()) {
            m_db.prompt().info(QStringLiteral("餐桌:") + row.table +
                               QStringLiteral("正在使用,请取消该餐桌!"));
            m_tables.clear();
            m_ids.clear();
            return false;
        }
        m_tables << row.table;
        m_ids << row.id;
    }
    if (m_tables.isEmpty()) {
        m_db.prompt().warn(QStringLiteral("未选定餐桌!"));
        return false;
    }
    return true;
}
