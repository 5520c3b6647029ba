#include "HandOverSlip.h"

#include "Database.h"
#include "DbError.h"
#include "Field.h"
#include "Gbk.h"
#include "Money.h"
#include "PaymentParts.h"
#include "Prompt.h"
#include "Sql.h"

namespace {

QString money(qint64 cents)
{
    return Sql::money(cents / 100.0);
}

QString row(const QString& label, const QString& value)
{
    return Gbk::padRight(QLatin1Char(' ') + label, 16) + value;
}

QString amountRow(const QString& label, qint64 cents)
{
    return row(label, QStringLiteral("￥") + money(cents));
}

QString countRow(const QString& label, const QString& unit, const HandOverSlip::Count& count)
{
    return Gbk::padRight(QLatin1Char(' ') + label + QString::number(count.count) + unit, 16) +
           QStringLiteral("￥") + money(count.cents);
}

HandOverSlip::Count countOf(Database& db, const QString& statement)
{
    Recordset rs = db.query(statement);
    return {rs.isEOF() ? 0 : rs.getString(QStringLiteral("n")).toInt(),
            rs.isEOF() ? 0 : Money::cents(rs.getDouble(QStringLiteral("je")))};
}

const QString kSeparator = QLatin1Char(' ') + QString(39, QLatin1Char('-'));

} // namespace

HandOverSlip::Slip HandOverSlip::compute(Database& db, const QString& who, const QDateTime& start,
                                         const QDateTime& end)
{
    Slip slip;
    slip.who = who;
    slip.start = start;
    slip.end = end;
    const QString period = QStringLiteral(" between ") + Sql::timeLiteral(start) + QStringLiteral(" and ") +
                           Sql::timeLiteral(end);
    const QString bills = QStringLiteral("jzr=") + Sql::quote(who) + QStringLiteral(" and jzsj") + period;
    try {
        Recordset sums = db.query(QStringLiteral("select count(*) as n,sum(xfje) as xfje,sum(dzje) as dzje,"
                                                 "sum(ssje) as je from jzhz where ") +
                                  bills);
        slip.bills = {sums.getString(QStringLiteral("n")).toInt(),
                      Money::cents(sums.getDouble(QStringLiteral("je")))};
        slip.gross = Money::cents(sums.getDouble(QStringLiteral("xfje")));
        slip.discount = Money::cents(sums.getDouble(QStringLiteral("dzje")));
        slip.received = slip.bills.cents;

        Recordset methods =
            db.query(QStringLiteral("select jzfs,sum(ssje) as ssje from (") + PaymentParts::byMethod(bills) +
                     QStringLiteral(") as parts where jzfs<>'挂账' and jzfs<>'免费' group by jzfs"));
        for (; !methods.isEOF(); methods.moveNext()) {
            const QString method = methods.getString(QStringLiteral("jzfs"));
            const qint64 cents = Money::cents(methods.getDouble(QStringLiteral("ssje")));
            slip.methods.append({method, cents});
            if (method == PaymentParts::kCash)
                slip.cash = cents;
        }
        slip.onAccount =
            countOf(db, QStringLiteral("select count(*) as n,sum(ssje) as je from jzhz where jzfs='挂账' "
                                       "and ") +
                            bills);
        slip.free = countOf(
            db,
            QStringLiteral("select count(*) as n,sum(xfje) as je from jzhz where jzfs='免费' and ") + bills);
        const Count roundOff = countOf(
            db, QStringLiteral("select count(*) as n,sum((select sum(ysje) from xfmx where jzzdh=zdh)-ssje) "
                               "as je from jzhz where jzfs<>'免费' and ") +
                    bills);
        slip.roundOff = roundOff.cents;
        const QString lines =
            QStringLiteral(" from xfmx where jzr=") + Sql::quote(who) + QStringLiteral(" and xfsj") + period;
        slip.returns = countOf(db, QStringLiteral("select count(*) as n,sum(-sl*xmdj) as je") + lines +
                                       QStringLiteral(" and sl<0"));
        slip.gifts = countOf(db, QStringLiteral("select count(*) as n,sum(sl*xmdj) as je") + lines +
                                     QStringLiteral(" and sl>0 and dzbl=0"));
        // A booking's deposit once, whatever its tables; its number is the moment it was taken.
        slip.deposits = countOf(
            db, QStringLiteral("select count(*) as n,sum(yj) as je from (select ydbh,max(") +
                    QStringLiteral("CDbl(yj)) as yj from yd where czy=") + Sql::quote(who) +
                    QStringLiteral(" and ydbh between ") +
                    Sql::quote(start.toString(QStringLiteral("yyyyMMddHHmmss"))) + QStringLiteral(" and ") +
                    Sql::quote(end.toString(QStringLiteral("yyyyMMddHHmmss"))) +
                    QStringLiteral(" group by ydbh) as bookings"));
    } catch (const DbError& e) {
        db.prompt().warn(QStringLiteral("ADO Error: %1").arg(e.description()));
    }
    return slip;
}

bool HandOverSlip::count(Prompt& prompt, Slip& slip, const QString& typed)
{
    const std::optional<double> counted = Field::parseNumber(typed);
    if (!counted || *counted < 0) {
        prompt.warn(QStringLiteral("实点现金输入错误,请重新输入!"));
        return false;
    }
    slip.counted = Money::cents(*counted);
    return true;
}

QStringList HandOverSlip::lines(const Slip& slip, const QString& restaurant)
{
    QStringList out{QStringLiteral("  ") + restaurant,
                    QStringLiteral("  交班单"),
                    kSeparator,
                    QStringLiteral(" 交班人:") + slip.who,
                    QStringLiteral(" 接班时间: ") + Sql::timeText(slip.start),
                    QStringLiteral(" 交班时间: ") + Sql::timeText(slip.end),
                    kSeparator,
                    row(QStringLiteral("账单数:"), QString::number(slip.bills.count)),
                    amountRow(QStringLiteral("消费:"), slip.gross),
                    amountRow(QStringLiteral("优惠:"), slip.discount),
                    amountRow(QStringLiteral("实收:"), slip.received),
                    kSeparator};
    for (const auto& [method, cents] : slip.methods)
        out << amountRow(method + QLatin1Char(':'), cents);
    out << kSeparator << countRow(QStringLiteral("挂账:"), QStringLiteral("单"), slip.onAccount)
        << countRow(QStringLiteral("免费:"), QStringLiteral("单"), slip.free)
        << amountRow(QStringLiteral("抹零:"), slip.roundOff)
        << countRow(QStringLiteral("退单:"), QStringLiteral("项"), slip.returns)
        << countRow(QStringLiteral("赠送:"), QStringLiteral("项"), slip.gifts)
        << countRow(QStringLiteral("押金:"), QStringLiteral("单"), slip.deposits) << kSeparator
        << amountRow(QStringLiteral("应有现金:"), slip.cash);
    if (slip.counted)
        out << amountRow(QStringLiteral("实点现金:"), *slip.counted)
            << amountRow(QStringLiteral("差额:"), *slip.counted - slip.cash);
    out << kSeparator;
    return out;
}

qint64 HandOverSlip::keep(Database& db, const Slip& slip, const QStringList& lines)
{
    try {
        Transaction transaction(db);
        db.ExecuteSql(QStringLiteral("insert into jbjl (czy,kssj,jssj,zds,ssje,xjje,sdxj,nr) values (") +
                      Sql::quote(slip.who) + QLatin1Char(',') + Sql::timeLiteral(slip.start) +
                      QLatin1Char(',') + Sql::timeLiteral(slip.end) + QLatin1Char(',') +
                      QString::number(slip.bills.count) + QLatin1Char(',') + money(slip.received) +
                      QLatin1Char(',') + money(slip.cash) + QLatin1Char(',') +
                      money(slip.counted.value_or(0)) + QLatin1Char(',') +
                      Sql::quote(lines.join(QLatin1Char('\n'))) + QLatin1Char(')'));
        Recordset rs = db.query(QStringLiteral("select max(id) as id from jbjl"));
        const qint64 number = rs.getString(QStringLiteral("id")).toLongLong();
        transaction.commit();
        return number;
    } catch (const DbError& e) {
        db.prompt().warn(QStringLiteral("ADO Error: %1").arg(e.description()));
        return 0;
    }
}

QList<QStringList> HandOverSlip::records(Database& db, const QDateTime& start, const QDateTime& end,
                                         const QString& who)
{
    QList<QStringList> rows;
    Recordset rs;
    if (!db.OpenRecordset(rs, QStringLiteral("select * from jbjl where jssj between ") +
                                  Sql::timeLiteral(start) + QStringLiteral(" and ") + Sql::timeLiteral(end) +
                                  QStringLiteral(" and czy like ") +
                                  Sql::quote(who == QStringLiteral("全部") ? QStringLiteral("%") : who) +
                                  QStringLiteral(" order by jssj,id")))
        return rows;
    for (; !rs.isEOF(); rs.moveNext()) {
        const qint64 cash = Money::cents(rs.getDouble(QStringLiteral("xjje")));
        const qint64 counted = Money::cents(rs.getDouble(QStringLiteral("sdxj")));
        rows.append(
            {rs.getString(QStringLiteral("id")), Sql::timeText(rs.getDateTime(QStringLiteral("jssj"))),
             rs.getString(QStringLiteral("czy")), Sql::timeText(rs.getDateTime(QStringLiteral("kssj"))),
             rs.getString(QStringLiteral("zds")), Sql::money(rs.getDouble(QStringLiteral("ssje"))),
             money(cash), money(counted), money(counted - cash)});
    }
    return rows;
}

QStringList HandOverSlip::keptLines(Database& db, qint64 number)
{
    Recordset rs;
    if (!db.OpenRecordset(rs, QStringLiteral("select nr from jbjl where id=%1").arg(number)) || rs.isEOF())
        return {};
    return rs.getString(QStringLiteral("nr")).split(QLatin1Char('\n'));
}
