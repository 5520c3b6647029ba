#include "Finance.h"

#include "Database.h"
#include "EntryFile.h"
#include "Field.h"
#include "Money.h"
#include "Prompt.h"
#include "SalesStatistics.h"
#include "Sql.h"

const QString Finance::kStatementColumns = QStringLiteral("项目名称,120;项目金额,100;项目类型,140;");
const QString Finance::kDetailColumns =
    QStringLiteral("项目名称,120;项目金额,100;发生时间,150;登记时间,150;经办人,90;备注,120;");

namespace {

const QString kIndent = QStringLiteral("    ");
const QString kSales = QStringLiteral("销售收入");
const QString kCostOfSales = QStringLiteral("销售成本");

QString cashTakings(const ReportPeriod& period)
{
    // Every bill paid, in cash, 其他, a method the restaurant names or several of them.
    return QStringLiteral(" from jzhz where jzfs<>'挂账' and jzfs<>'免费' and ") +
           period.between(QStringLiteral("jzsj"));
}

// The table fee costs nothing, as in the sales statistics, even where an item of that name has a cost.
QString soldLines(const ReportPeriod::Lines& lines)
{
    return QStringLiteral(" from ") + lines.table + QStringLiteral(",xm where xfmx.xfxm=xm.xmm") +
           lines.conditions + QStringLiteral(" and xfmx.xfxm<>") + Sql::quote(SalesStatistics::kTableFee);
}

EntryFile namesFile(const QString& folder, Finance::Kind kind)
{
    return EntryFile(folder,
                     kind == Finance::Kind::Income ? QStringLiteral("收入.ini") : QStringLiteral("支出.ini"));
}

} // namespace

Finance::Finance(Database& db, const QString& folder) : m_db(db), m_folder(folder) {}

QString Finance::title(Kind kind)
{
    return kind == Kind::Income ? QStringLiteral("增加收入") : QStringLiteral("增加支出");
}

QStringList Finance::names(Kind kind) const
{
    return namesFile(m_folder, kind).entries();
}

Outcome<Finance::Input> Finance::add(Kind kind, const Entry& entry)
{
    Prompt& prompt = m_db.prompt();
    auto refuse = [&prompt](const QString& message, Input input) {
        prompt.warn(message);
        return Outcome<Input>{false, message, input};
    };
    QString name = entry.name;
    while (!name.isEmpty() && name.back().isSpace())
        name.chop(1);
    if (name.isEmpty())
        return refuse(QStringLiteral("项目名不能为空!"), Input::Name);
    if (const QString refusal = namesFile(m_folder, kind).refusal(name); !refusal.isEmpty())
        return refuse(refusal, Input::Name);
    const std::optional<double> amount = Field::parseNumber(entry.amount);
    if (!amount || Money::cents(*amount) <= 0)
        return refuse(QStringLiteral("金额必须大于零!"), Input::Amount);
    if (entry.person.isEmpty())
        return refuse(QStringLiteral("经办人不能为空!"), Input::Person);

    const bool expense = kind == Kind::Expense;
    const qint64 cents = expense ? -Money::cents(*amount) : Money::cents(*amount);
    Recordset none;
    if (!m_db.OpenRecordset(
            none, QStringLiteral("Insert into zcsr(xmm,je,jbr,bz,sfzc,fssj) values(") + Sql::quote(name) +
                      QLatin1Char(',') + centsText(cents) + QLatin1Char(',') + Sql::quote(entry.person) +
                      QLatin1Char(',') + Sql::quote(entry.note) + QLatin1Char(',') +
                      (expense ? QStringLiteral("'1'") : QStringLiteral("'0'")) + QLatin1Char(',') +
                      Sql::timeLiteral(QDateTime(entry.date, QTime(0, 0))) + QLatin1Char(')')))
        return Outcome<Input>::of(false);
    namesFile(m_folder, kind).remember(name);
    return Outcome<Input>::of(true);
}

ReportTable Finance::statement(const ReportPeriod& period, LineSource source)
{
    ReportTable table;
    table.title = QStringLiteral("财务汇总表");
    table.subtitle =
        QStringLiteral("起止日期:") + period.startText() + QStringLiteral("－") + period.endText();
    auto sum = [this](const QString& statement, const QString& column) {
        Recordset rs;
        return m_db.OpenRecordset(rs, statement) && !rs.isEOF() ? rs.getDouble(column) : 0.0;
    };
    // Entries of one kind, one line per name; returns their sum.
    auto entries = [&](const QString& kind, const QString& type) {
        qint64 total = 0;
        Recordset rs;
        if (!m_db.OpenRecordset(rs, QStringLiteral("select xmm,sum(je) as je,sfzc from zcsr where sfzc ='") +
                                        kind + QStringLiteral("' and ") +
                                        period.between(QStringLiteral("fssj")) +
                                        QStringLiteral(" group by xmm,sfzc order by sfzc")))
            return total;
        for (; !rs.isEOF(); rs.moveNext()) {
            const qint64 amount = Money::cents(rs.getDouble(QStringLiteral("je")));
            table.rows << QStringList{kIndent + rs.getString(QStringLiteral("xmm")), centsText(amount), type};
            total += amount;
        }
        return total;
    };

    table.rows << QStringList{QStringLiteral("[收入类]"), QStringLiteral("0.00"), QString()};
    qint64 income = Money::cents(
        sum(QStringLiteral("select sum(ssje) as ssje") + cashTakings(period), QStringLiteral("ssje")));
    table.rows << QStringList{kIndent + kSales, centsText(income), QString()};
    income += entries(QStringLiteral("0"), QStringLiteral("收入"));
    table.rows[0][1] = centsText(income);

    const qsizetype expenseRow = table.rows.size();
    table.rows << QStringList{QStringLiteral("[支出类]"), QStringLiteral("0.00"), QString()};
    const ReportPeriod::Lines sold = period.lines(false, source);
    qint64 expense = costCents(qRound64(
        sum(QStringLiteral("select -") + costSum(QStringLiteral("(%1/10000.0)").arg(sold.quantity), QStringLiteral("xm.ckcb")) +
                QStringLiteral(" as xscb") + soldLines(sold),
            QStringLiteral("xscb"))));
    table.rows << QStringList{kIndent + kCostOfSales, centsText(expense), QString()};
    expense += entries(QStringLiteral("1"), QStringLiteral("支出"));
    table.rows[expenseRow][1] = centsText(expense);

    const qint64 profit = income + expense;
    table.rows << QStringList{QStringLiteral(" [利润]"), centsText(profit), QString()};
    table.rows << QStringList{kIndent + QStringLiteral("利润率"),
                              income == 0
                                  ? QStringLiteral("无法统计")
                                  : Sql::money(double(profit) * 100 / double(income)) + QLatin1Char('%'),
                              QString()};
    return table;
}

QList<QStringList> Finance::detail(const QString& line, const ReportPeriod& period)
{
    const QString name = line.trimmed();
    QString statement;
    if (name == kSales)
        statement = QStringLiteral("select zdh as xmm,ssje as je,jzsj as fssj,jzsj as djsj, jzr as jbr,bz") +
                    cashTakings(period);
    else if (name == kCostOfSales)
        statement =
            QStringLiteral("select xfmx.xfxm as xmm,-(xfmx.sl*xm.ckcb) as je,xfmx.xfsj as fssj,xfmx.xfsj "
                           "as djsj, xfmx.jzr as jbr ,xfmx.bz") +
            soldLines(period.lines(false, LineSource::Lines));
    else
        statement = QStringLiteral("select * from zcsr where xmm=") + Sql::quote(name) +
                    QStringLiteral(" and ") + period.between(QStringLiteral("fssj")) +
                    QStringLiteral(" order by fssj");
    QList<QStringList> rows;
    Recordset rs;
    if (!m_db.OpenRecordset(rs, statement))
        return rows;
    for (; !rs.isEOF(); rs.moveNext())
        rows << QStringList{
            rs.getString(QStringLiteral("xmm")),  centsText(Money::cents(rs.getDouble(QStringLiteral("je")))),
            rs.getString(QStringLiteral("fssj")), rs.getString(QStringLiteral("djsj")),
            rs.getString(QStringLiteral("jbr")),  rs.getString(QStringLiteral("bz"))};
    return rows;
}
