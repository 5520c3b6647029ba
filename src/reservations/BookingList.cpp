#include "BookingList.h"

#include "Database.h"
#include "Prompt.h"
#include "Sql.h"

const QString BookingList::kTitle = QStringLiteral("当前餐桌预订信息");
const QString BookingList::kColumns =
    QStringLiteral("序号,50;订单编号,110;客户姓名,80;手机号码,90;联系电话,90;房间名称,80;餐台名称,80;状态,50;"
                   "预抵时间,145;取消时间,80;押金,50;备注,50;操作员,60;");
const QStringList BookingList::kStates = {QStringLiteral("全部"), QStringLiteral("已订"),
                                          QStringLiteral("到达"), QStringLiteral("取消")};

namespace {

const QString kBooked = QStringLiteral("已订");
const QString kCancelled = QStringLiteral("取消");

QString timeText(const QDateTime& time)
{
    return time.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
}

} // namespace

BookingList::BookingList(Database& db) : m_db(db) {}

QString BookingList::subtitle(const Filter& filter)
{
    return QStringLiteral("起止时间:") + timeText(filter.start) + QStringLiteral("—") + timeText(filter.end);
}

QList<QStringList> BookingList::query(const Filter& filter)
{
    QList<QStringList> rows;
    const QString text = Sql::quote(filter.text + QLatin1Char('%'));
    const QString search = filter.byTable
                               ? QStringLiteral("czmc like ") + text
                               : QStringLiteral("(khxm like %1 or lxdh like %1 or sjhm like %1)").arg(text);
    Recordset rs;
    if (!m_db.OpenRecordset(
            rs, QStringLiteral("select * from yd where zt like ") +
                    Sql::quote(filter.state == kStates.first() ? QStringLiteral("%") : filter.state) +
                    QStringLiteral(" and ydsj between ") + Sql::timeLiteral(filter.start) +
                    QStringLiteral(" and ") + Sql::timeLiteral(filter.end) + QStringLiteral(" and ") +
                    search))
        return rows;
    for (; !rs.isEOF(); rs.moveNext())
        rows << QStringList{QString::number(rows.size() + 1),
                            rs.getString(QStringLiteral("ydbh")),
                            rs.getString(QStringLiteral("khxm")),
                            rs.getString(QStringLiteral("sjhm")),
                            rs.getString(QStringLiteral("lxdh")),
                            rs.getString(QStringLiteral("fjmc")),
                            rs.getString(QStringLiteral("czmc")),
                            rs.getString(QStringLiteral("zt")),
                            timeText(rs.getDateTime(QStringLiteral("ydsj"))),
                            rs.getDateTime(QStringLiteral("qxsj")).toString(QStringLiteral("HH:mm:ss")),
                            Sql::money(rs.getDouble(QStringLiteral("yj"))),
                            rs.getString(QStringLiteral("bz")),
                            rs.getString(QStringLiteral("czy"))};
    return rows;
}

bool BookingList::selected(const QStringList& row)
{
    if (!row.isEmpty())
        return true;
    m_db.prompt().warn(QStringLiteral("请选定餐桌!"));
    return false;
}

bool BookingList::run(const QString& statement)
{
    Recordset rs;
    return m_db.OpenRecordset(rs, statement);
}

bool BookingList::cancel(const QStringList& row)
{
    if (!selected(row))
        return false;
    if (row.at(State) != kBooked) {
        m_db.prompt().warn(QStringLiteral("只能对[已订]的预订进行'取消'操作!"));
        return false;
    }
    // Both answers cancel something: only 取消 (and Esc) leaves the booking as it is.
    const Prompt::Answer answer = m_db.prompt().askYesNoCancel(
        QStringLiteral("是否取消该预订的所有餐桌,选择'是'将取消该预订所有餐桌,选择'否'将只取消选定餐桌?"));
    if (answer == Prompt::Answer::Cancel)
        return false;
    const bool whole = answer == Prompt::Answer::Yes;
    return run(QStringLiteral("update yd set zt='取消' where ydbh=") + Sql::quote(row.at(Number)) +
               QStringLiteral(" and zt='已订'") +
               (whole ? QString() : QStringLiteral(" and czmc=") + Sql::quote(row.at(Table))));
}

bool BookingList::restore(const QStringList& row)
{
    if (!selected(row))
        return false;
    if (row.at(State) != kCancelled) {
        m_db.prompt().warn(QStringLiteral("只能对[取消]的预订进行'恢复'操作!"));
        return false;
    }
    const Prompt::Answer answer = m_db.prompt().askYesNoCancel(
        QStringLiteral("是否恢复该预订的所有餐桌,选择'是'将恢复该预订所有餐桌,选择'否'将只恢复选定餐桌?"));
    if (answer == Prompt::Answer::Cancel)
        return false;
    const bool whole = answer == Prompt::Answer::Yes;
    const QString number = Sql::quote(row.at(Number));
    const QString table = Sql::quote(row.at(Table));
    // A table booked again for the same shift and day since would be booked twice: nothing is
    // restored then.
    Recordset taken;
    if (!m_db.OpenRecordset(
            taken,
            QStringLiteral("select a.czmc from yd a, yd b where a.ydbh=") + number +
                QStringLiteral(" and a.zt='取消'") +
                (whole ? QString() : QStringLiteral(" and a.czmc=") + table) +
                QStringLiteral(" and b.czmc=a.czmc and b.zt='已订' and b.yybcbh=a.yybcbh and "
                               "format(b.ydsj,'yyyy-mm-dd')=format(a.ydsj,'yyyy-mm-dd') group by a.czmc "
                               "order by min(a.id)")))
        return false;
    QStringList clashes;
    for (; !taken.isEOF(); taken.moveNext())
        clashes << taken.getString(QStringLiteral("czmc"));
    if (!clashes.isEmpty()) {
        m_db.prompt().warn(QStringLiteral("餐桌") + clashes.join(QLatin1Char(',')) +
                           QStringLiteral("在该时段已有其他预订,不能恢复!"));
        return false;
    }
    return run(QStringLiteral("update yd set zt='已订' where ydbh=") + number +
               (whole ? QString() : QStringLiteral(" and czmc=") + table) + QStringLiteral(" and zt='取消'"));
}

bool BookingList::mayModify(const QStringList& row)
{
    if (!selected(row))
        return false;
    // Only a guest's arrival closes the booking to changes; a table cancelled alone stays
    // cancelled while the booked ones are modified.
    Recordset rs;
    if (!m_db.OpenRecordset(rs, QStringLiteral("select sum(case when zt='到达' then 1 else 0 end) as arrived, "
                                               "sum(case when zt='已订' then 1 else 0 end) as booked "
                                               "from yd where ydbh=") +
                                    Sql::quote(row.at(Number))))
        return false;
    if (rs.getInt(QStringLiteral("arrived")) > 0) {
        m_db.prompt().warn(QStringLiteral("该预订已有到达的预订,不能执行'修改'操作!"));
        return false;
    }
    if (rs.getInt(QStringLiteral("booked")) == 0) {
        m_db.prompt().warn(QStringLiteral("该预订的餐桌都已取消,不能执行'修改'操作!"));
        return false;
    }
    return true;
}
