#include "Booking.h"

#include "Clock.h"
#include "Database.h"
#include "DbError.h"
#include "Field.h"
#include "Prompt.h"
#include "Sql.h"

#include <QStringList>

namespace {

QString day(const QDateTime& time)
{
    return time.toString(QStringLiteral("yyyy-MM-dd"));
}

} // namespace

Booking::Booking(Database& db) : m_db(db) {}

QString Booking::shiftText(const BusinessShifts::Shift& shift)
{
    return shift.name + QStringLiteral("(") + shift.start.toString(QStringLiteral("HH:mm:ss")) +
           QStringLiteral("－") + shift.end.toString(QStringLiteral("HH:mm:ss")) + QStringLiteral(")");
}

int Booking::runningShift(const QList<BusinessShifts::Shift>& shifts)
{
    if (shifts.isEmpty())
        return -1;
    const int running = m_db.GetCurrentShiftId().toInt();
    for (int i = 0; i < shifts.size(); ++i)
        if (shifts.at(i).number == running)
            return i;
    return 0;
}

QList<Booking::Table> Booking::freeTables(int shift, const QDateTime& arrival, const QString& number)
{
    QList<Table> tables;
    const QString begun = arrival < Clock::now() ? QStringLiteral("zyzt<>'占用' and ") : QString();
    const QString others = number.isEmpty() ? QString() : QStringLiteral(" and ydbh<>") + Sql::quote(number);
    Recordset rs;
    if (!m_db.OpenRecordset(rs, QStringLiteral("select fjm,czm,id from cz where ") + begun +
                                    QStringLiteral("czm not in (select czmc from yd where yybcbh=%1 and "
                                                   "format(ydsj,'yyyy-mm-dd')='%2' and zt='已订'")
                                        .arg(shift)
                                        .arg(day(arrival)) +
                                    others + QStringLiteral(") order by id")))
        return tables;
    for (; !rs.isEOF(); rs.moveNext())
        tables << Table{rs.getString(QStringLiteral("fjm")), rs.getString(QStringLiteral("czm"))};
    return tables;
}

std::optional<Booking::Entry> Booking::read(const QString& number)
{
    Recordset rs;
    if (!m_db.OpenRecordset(rs, QStringLiteral("select * from yd where ydbh=") + Sql::quote(number) +
                                    QStringLiteral(" order by id")) ||
        rs.isEOF())
        return std::nullopt;
    Entry entry;
    entry.number = number;
    entry.shift.number = rs.getInt(QStringLiteral("yybcbh"));
    entry.arrival = rs.getDateTime(QStringLiteral("ydsj"));
    entry.holdUntil = rs.getDateTime(QStringLiteral("qxsj"));
    entry.guest = rs.getString(QStringLiteral("khxm"));
    entry.mobile = rs.getString(QStringLiteral("sjhm"));
    entry.phone = rs.getString(QStringLiteral("lxdh"));
    entry.deposit = rs.getString(QStringLiteral("yj"));
    entry.note = rs.getString(QStringLiteral("bz"));
    // A table cancelled alone stays cancelled: the booking's tables are those still booked.
    for (; !rs.isEOF(); rs.moveNext())
        if (rs.getString(QStringLiteral("zt")) == QStringLiteral("已订"))
            entry.tables << Table{rs.getString(QStringLiteral("fjmc")), rs.getString(QStringLiteral("czmc"))};
    return entry;
}

Booking::Result Booking::refuse(const QString& message, Input input)
{
    m_db.prompt().warn(message);
    return {false, message, input};
}

Booking::Result Booking::save(Entry& entry, const QString& operatorName)
{
    // Without shifts nothing can be booked; the dialog offers none to choose.
    if (entry.shift.number == 0)
        return refuse(QStringLiteral("还没有营业班次,请先在系统设置中设置营业班次!"), Input::Shift);
    if (entry.guest.isEmpty())
        return refuse(QStringLiteral("请输入顾客名!"), Input::Guest);
    if (entry.phone.isEmpty())
        return refuse(QStringLiteral("请输入顾客联系电话!"), Input::Phone);
    if (entry.arrival <= Clock::now())
        return refuse(QStringLiteral("预抵时间错误,不能小于或等于当前时间,请重新输入!"), Input::Arrival);
    if (entry.arrival < QDateTime(entry.arrival.date(), entry.shift.start) ||
        entry.arrival > QDateTime(entry.arrival.date(), entry.shift.end))
        return refuse(QStringLiteral("预抵时间不在所选的预订时段,请重新输入!"), Input::Arrival);
    if (entry.holdUntil < entry.arrival)
        return refuse(QStringLiteral("取消时间错误,不能小于预抵时间,请重新输入!"), Input::HoldUntil);
    // A deposit is an amount of money or nothing at all: "." or "-5" is neither.
    if (!entry.deposit.trimmed().isEmpty()) {
        const std::optional<double> deposit = Field::parseNumber(entry.deposit);
        if (!deposit || *deposit < 0)
            return refuse(QStringLiteral("预订押金输入错误,请重新输入!"), Input::Deposit);
    }
    if (entry.tables.isEmpty())
        return refuse(QStringLiteral("请指定需要预订的餐桌!"), Input::Tables);

    try {
        Transaction transaction(m_db);
        const QString number = entry.number.isEmpty() ? freeNumber(Clock::now()) : entry.number;
        // The tree offered what was free when it was filled: another booking may have been saved
        // since, here or at another terminal.
        if (const QString taken = takenTable(entry, number); !taken.isEmpty())
            return refuse(QStringLiteral("餐桌%1在该时段已有其他预订,请重新选择餐桌!").arg(taken),
                          Input::Tables);
        // A modified booking's booked rows are replaced (a new number has none yet); a table
        // cancelled alone keeps its row unless it is booked again now.
        QStringList chosen;
        for (const Table& table : entry.tables)
            chosen << Sql::quote(table.name);
        m_db.ExecuteSql(QStringLiteral("delete * from yd where ydbh=") + Sql::quote(number) +
                        QStringLiteral(" and (zt='已订' or czmc in (") + chosen.join(QLatin1Char(',')) +
                        QStringLiteral("))"));
        for (const Table& table : entry.tables) {
            const QStringList values = {
                Sql::quote(number),
                Sql::quote(entry.guest),
                Sql::quote(entry.mobile),
                Sql::quote(entry.phone),
                Sql::quote(table.room),
                Sql::quote(table.name),
                QStringLiteral("'已订'"),
                Sql::timeLiteral(entry.arrival),
                Sql::timeLiteral(entry.holdUntil),
                Sql::quote(entry.deposit.isEmpty() ? QStringLiteral("0") : entry.deposit),
                Sql::quote(entry.note),
                Sql::quote(operatorName),
                QString::number(entry.shift.number)};
            m_db.ExecuteSql(
                QStringLiteral("insert into yd(ydbh,khxm,sjhm,lxdh,fjmc,czmc,zt,ydsj,qxsj,yj,bz,czy,"
                               "yybcbh) values(") +
                values.join(QLatin1Char(',')) + QStringLiteral(")"));
        }
        // The cancelled rows follow the booking's guest, times and shift, so that restoring one
        // brings it back to the booking as it is now.
        m_db.ExecuteSql(QStringLiteral("update yd set khxm=%1,sjhm=%2,lxdh=%3,ydsj=%4,qxsj=%5,yj=%6,bz=%7,"
                                       "yybcbh=%8 where ydbh=%9 and zt='取消'")
                            .arg(Sql::quote(entry.guest), Sql::quote(entry.mobile), Sql::quote(entry.phone),
                                 Sql::timeLiteral(entry.arrival), Sql::timeLiteral(entry.holdUntil),
                                 Sql::quote(entry.deposit.isEmpty() ? QStringLiteral("0") : entry.deposit),
                                 Sql::quote(entry.note), QString::number(entry.shift.number), Sql::quote(number)));
        transaction.commit();
        entry.number = number;
    } catch (const DbError&) {
        return refuse(QStringLiteral("数据保存发生异常,失败保存!"), Input::None);
    }
    return Result::of(true);
}

QString Booking::takenTable(const Entry& entry, const QString& number)
{
    QStringList tables;
    for (const Table& table : entry.tables)
        tables << Sql::quote(table.name);
    Recordset rs = m_db.query(QStringLiteral("select top 1 czmc from yd where zt='已订' and yybcbh=%1 and "
                                             "format(ydsj,'yyyy-mm-dd')='%2' and ydbh<>")
                                  .arg(entry.shift.number)
                                  .arg(day(entry.arrival)) +
                              Sql::quote(number) + QStringLiteral(" and czmc in(") +
                              tables.join(QLatin1Char(',')) + QStringLiteral(")"));
    return rs.isEOF() ? QString() : rs.getString(QStringLiteral("czmc"));
}

// The moment's 14 digits, or the next second that no booking has taken: two bookings saved within
// one second would otherwise become one.
QString Booking::freeNumber(const QDateTime& at)
{
    for (QDateTime t = at;; t = t.addSecs(1)) {
        const QString number = t.toString(QStringLiteral("yyyyMMddHHmmss"));
        if (m_db.query(QStringLiteral("select top 1 id from yd where ydbh=") + Sql::quote(number)).isEOF())
            return number;
    }
}
