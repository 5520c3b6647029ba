#include "BusinessShifts.h"

#include "Database.h"
#include "Prompt.h"
#include "Sql.h"

namespace {

const QDate kShiftDay(2010, 1, 1);

QString literal(const QTime& time)
{
    return Sql::timeLiteral(QDateTime(kShiftDay, time));
}

// The pickers edit whole seconds; stored times and comparisons use nothing finer.
QTime toSecond(const QTime& time)
{
    return QTime(time.hour(), time.minute(), time.second());
}

BusinessShifts::Shift readShift(const Recordset& rs)
{
    return {rs.getInt(QStringLiteral("yybcbh")), rs.getString(QStringLiteral("bcmc")),
            rs.getDateTime(QStringLiteral("qssj")).time(), rs.getDateTime(QStringLiteral("jssj")).time()};
}

} // namespace

BusinessShifts::BusinessShifts(Database& db) : m_db(db) {}

QList<BusinessShifts::Shift> BusinessShifts::list()
{
    QList<Shift> shifts;
    Recordset rs;
    if (m_db.OpenRecordset(rs, QStringLiteral("select * from yybc order by yybcbh")))
        for (; !rs.isEOF(); rs.moveNext())
            shifts << readShift(rs);
    return shifts;
}

BusinessShifts::Shift BusinessShifts::blank()
{
    return {0, QString(), QTime(6, 0, 0), QTime(8, 59, 59)};
}

std::optional<BusinessShifts::Shift> BusinessShifts::find(int number)
{
    Recordset rs;
    if (!m_db.OpenRecordset(rs, QStringLiteral("select * from yybc where yybcbh=%1").arg(number)))
        return std::nullopt;
    if (rs.isEOF()) {
        m_db.prompt().warn(QStringLiteral("未找到相关的营业班次!"));
        return std::nullopt;
    }
    return readShift(rs);
}

BusinessShifts::Result BusinessShifts::refuse(const QString& message, Result field)
{
    m_db.prompt().warn(message);
    return field;
}

int BusinessShifts::count(const QString& statement)
{
    Recordset rs;
    return m_db.OpenRecordset(rs, statement) ? rs.recordCount() : -1;
}

BusinessShifts::Result BusinessShifts::save(const Shift& shift)
{
    if (shift.name.isEmpty())
        return refuse(QStringLiteral("请输入班次名称!"), Result::NameRefused);
    const QTime start = toSecond(shift.start);
    const QTime end = toSecond(shift.end);
    if (end < start)
        return refuse(QStringLiteral("结束时间不能小于起始时间!"), Result::EndRefused);

    const QString s = literal(start);
    const QString e = literal(end);
    const QString other = shift.number == 0 ? QString() : QStringLiteral(" and yybcbh<>%1").arg(shift.number);
    // A check that cannot run saves nothing: overlapping shifts would make the current shift ambiguous.
    const int startsInside = count(QStringLiteral("select * from yybc where qssj>") + s +
                                   QStringLiteral(" and qssj<") + e + other);
    if (startsInside < 0)
        return Result::Failed;
    if (startsInside > 0)
        return refuse(
            QStringLiteral("当起始时间小于已有时间段的起始时间时，结束时间不能大于于已有时间段的起始时间!"),
            Result::EndRefused);
    const int coversStart = count(QStringLiteral("select * from yybc where qssj<=") + s +
                                  QStringLiteral(" and jssj>") + s + other);
    if (coversStart < 0)
        return Result::Failed;
    if (coversStart > 0)
        return refuse(
            QStringLiteral("当起始时间大于等于已有时间段的起始时间时，起始时间不能小于已有时间段的结束时间!"),
            Result::StartRefused);

    Recordset rs;
    if (shift.number == 0)
        return m_db.OpenRecordset(rs, QStringLiteral("insert into yybc(bcmc,qssj,jssj) values(") +
                                          Sql::quote(shift.name) + QLatin1Char(',') + s + QLatin1Char(',') +
                                          e + QLatin1Char(')'))
                   ? Result::Saved
                   : Result::Failed;
    // A shift deleted meanwhile would take the change silently into nothing.
    if (!find(shift.number))
        return Result::Failed;
    return m_db.OpenRecordset(rs, QStringLiteral("update yybc set bcmc=") + Sql::quote(shift.name) +
                                      QStringLiteral(",qssj=") + s + QStringLiteral(",jssj=") + e +
                                      QStringLiteral(" where yybcbh=%1").arg(shift.number))
               ? Result::Saved
               : Result::Failed;
}

bool BusinessShifts::checkSelected(int number)
{
    if (number > 0)
        return true;
    m_db.prompt().warn(QStringLiteral("请选定班次!"));
    return false;
}

bool BusinessShifts::remove(int number)
{
    if (!checkSelected(number))
        return false;
    // Reservations in any state keep their shift; a check that cannot run deletes nothing.
    const int reservations = count(QStringLiteral("select top 1 * from yd where yybcbh=%1").arg(number));
    if (reservations < 0)
        return false;
    if (reservations > 0) {
        m_db.prompt().warn(QStringLiteral("选定班次已经有预订记录，不能删除!"));
        return false;
    }
    if (!m_db.prompt().ask(QStringLiteral("是否真的删除选定班次?")))
        return false;
    Recordset rs;
    return m_db.OpenRecordset(rs, QStringLiteral("delete * from yybc where yybcbh=%1").arg(number));
}
