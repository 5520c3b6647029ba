#include "BillModification.h"

#include "BillChanges.h"
#include "Clock.h"
#include "Database.h"
#include "DbError.h"
#include "Field.h"
#include "MemberTotals.h"
#include "Money.h"
#include "PrintSettings.h"
#include "Prompt.h"
#include "ReceiptPrinter.h"
#include "Sql.h"

namespace {

QString amount(qint64 cents)
{
    return Sql::money(cents / 100.0);
}

} // namespace

double BillModification::Line::amountDue() const
{
    return Field::toDouble(price) * Field::toDouble(quantity) * Field::toDouble(ratio);
}

QString BillModification::Line::shownItem() const
{
    return Receipt::shownItem(item, Field::toDouble(quantity), Field::toDouble(ratio));
}

BillModification::BillModification(Database& db, const Cashier& cashier, ReceiptPrinter& printer)
    : m_db(db), m_cashier(cashier), m_printer(printer)
{
}

bool BillModification::mayModify(Prompt& prompt, bool hasRight, const Bill& bill, const QString& operatorName,
                                 const QDate& today)
{
    if (!hasRight) {
        prompt.warn(QStringLiteral("你没有此操作权限!"));
        return false;
    }
    if (bill.number.trimmed().isEmpty())
        return false;
    if (bill.method == QStringLiteral("挂账")) {
        prompt.warn(QStringLiteral("挂账账单不能修改!"));
        return false;
    }
    if (bill.time.left(10) != today.toString(QStringLiteral("yyyy-MM-dd"))) {
        prompt.warn(QStringLiteral("该账单已经落单，不能修改!"));
        return false;
    }
    if (operatorName != QStringLiteral("系统管理员") && operatorName != bill.cashier) {
        prompt.warn(QStringLiteral("你不能修改他人账单!"));
        return false;
    }
    return true;
}

void BillModification::open(const Bill& bill)
{
    m_bill = bill;
    m_bill.note += QStringLiteral("[已修改]");
    m_oldMemberCode = bill.memberCode;
    m_oldReceived = bill.received;
    m_member = {};
    if (bill.memberCode != QLatin1String("*")) {
        m_member.number = bill.memberCode;
        if (const auto member = MemberSearch(m_db).find(bill.memberCode))
            m_member = *member;
    }
    m_lines.clear();
    Recordset rs;
    if (!m_db.OpenRecordset(rs, QStringLiteral("select* from xfmx where jzzdh =") + Sql::quote(bill.number) +
                                    QStringLiteral(" order by xfbh")))
        return;
    for (; !rs.isEOF(); rs.moveNext()) {
        const auto field = [&rs](const char* column) { return rs.getString(QLatin1String(column)); };
        m_lines.append({field("xfxm"), field("czm"), Sql::money(rs.getDouble(QStringLiteral("sl"))),
                        Sql::money(rs.getDouble(QStringLiteral("xmdj"))),
                        Sql::money(rs.getDouble(QStringLiteral("dzbl"))), field("jzr"),
                        Sql::timeText(rs.getDateTime(QStringLiteral("xfsj"))), true, field("tdbj"),
                        field("tdsl"), field("tdbz"), field("sfdy"), field("bz")});
    }
}

std::optional<BillModification::Line> BillModification::newLine(const QString& dish, const QString& price,
                                                                const QString& quantity) const
{
    const std::optional<double> typed = Field::parseNumber(quantity);
    if (!typed || Money::cents(*typed) <= 0) {
        m_db.prompt().warn(QStringLiteral("请指定消费数量!"));
        return std::nullopt;
    }
    if (dish.isEmpty()) {
        m_db.prompt().warn(QStringLiteral("请选定消费项目!"));
        return std::nullopt;
    }
    Line line;
    line.item = dish;
    line.table = m_bill.table;
    line.quantity = Sql::money(*typed);
    line.price = Sql::money(Field::toDouble(price));
    line.ratio = QStringLiteral("1.00");
    line.recorder = m_cashier.name;
    line.time = Sql::timeText(Clock::now());
    return line;
}

bool BillModification::addLines(const QList<Line>& lines)
{
    if (m_lines.size() + lines.size() > kMaxLines) {
        m_db.prompt().warn(QStringLiteral("消费项目超过系统限制!"));
        return false;
    }
    m_lines << lines;
    return true;
}

void BillModification::removeLine(int row)
{
    if (row >= 0 && row < m_lines.size())
        m_lines.removeAt(row);
}

std::optional<QString> BillModification::acceptQuantity(Prompt& prompt, const QString& text)
{
    const std::optional<double> typed = Field::parseNumber(text);
    if (!typed || Money::cents(*typed) <= 0) {
        prompt.warn(QStringLiteral("消费数量必须大于0!"));
        return std::nullopt;
    }
    return Sql::money(*typed);
}

bool BillModification::mayChangeQuantity(int row) const
{
    if (row < 0 || row >= m_lines.size())
        return false;
    if (Field::toDouble(m_lines.at(row).quantity) < 0) {
        m_db.prompt().warn(QStringLiteral("退单项目不能修改数量!"));
        return false;
    }
    return true;
}

bool BillModification::setQuantity(int row, const QString& quantity)
{
    if (!mayChangeQuantity(row))
        return false;
    m_lines[row].quantity = quantity;
    return true;
}

void BillModification::applyRatio(const QString& ratio)
{
    QList<int> rows;
    for (int row = 0; row < m_lines.size(); ++row)
        rows << row;
    writeRatio(ratio, rows);
}

bool BillModification::applyRatio(const QString& ratio, const QList<int>& rows)
{
    if (rows.isEmpty()) {
        m_db.prompt().warn(QStringLiteral("请选定要打折的消费项目!"));
        return false;
    }
    writeRatio(ratio, rows);
    return true;
}

void BillModification::writeRatio(const QString& ratio, const QList<int>& rows)
{
    for (int row : rows) {
        if (row < 0 || row >= m_lines.size())
            continue;
        Line& line = m_lines[row];
        // A gift stays a gift.
        if (Money::cents(line.ratio) == 0)
            continue;
        Recordset rs;
        if (m_db.OpenRecordset(rs, QStringLiteral("select * from xm where sfdz='1' and xmm=") +
                                       Sql::quote(line.item)) &&
            !rs.isEOF())
            line.ratio = ratio;
    }
}

void BillModification::pickMember(const MemberSearch::Member& member)
{
    m_member = member;
    applyRatio(member.ratio);
}

void BillModification::cancelMember()
{
    m_member = {};
    applyRatio(QStringLiteral("1.00"));
}

void BillModification::recalc(Checkout::Amounts& amounts, Checkout::Payment payment) const
{
    double quantity = 0;
    qint64 gross = 0;
    qint64 due = 0;
    for (const Line& line : m_lines) {
        quantity += Field::toDouble(line.quantity);
        gross += Money::cents(Field::toDouble(line.price) * Field::toDouble(line.quantity));
        due += Money::cents(line.amountDue());
    }
    amounts.quantity = Sql::money(quantity);
    amounts.gross = amount(gross);
    amounts.due = amount(due);
    amounts.discount = amount(gross - due);
    if (payment == Checkout::Payment::Free) {
        amounts.discount = amounts.gross;
        amounts.received = QStringLiteral("0.00");
    }
    Checkout::paidChanged(amounts);
}

// Only a bill of today may change, and the day may have turned since the dialog opened.
bool BillModification::ofToday(const QDate& today, const QString& billTime) const
{
    if (billTime.left(10) == today.toString(QStringLiteral("yyyy-MM-dd")))
        return true;
    m_db.prompt().warn(QStringLiteral("该账单已经落单，不能修改!"));
    return false;
}

// The bill's time as stored now; throws DbError.
QString BillModification::storedTime() const
{
    Recordset rs = m_db.query(QStringLiteral("select jzsj from jzhz where zdh=") + Sql::quote(m_bill.number));
    return rs.isEOF() ? m_bill.time : Sql::timeText(rs.getDateTime(QStringLiteral("jzsj")));
}

BillModification::Outcome BillModification::save(const Checkout::Entry& entry, Checkout::Focus& focus)
{
    if (!ofToday(Clock::today(), m_bill.time))
        return Outcome::Stopped;
    Checkout::Amounts amounts;
    amounts.received = entry.received;
    amounts.paid = entry.paid;
    amounts.parts = Sql::money(PaymentParts::sum(entry.parts) / 100.0);
    recalc(amounts, entry.payment);
    if (Money::cents(amounts.gross) == 0) {
        if (!m_db.prompt().ask(QStringLiteral("无消费记录，顾客是否离店!")))
            return Outcome::Stopped;
        const std::optional<QString> reason = askReason();
        if (!reason)
            return Outcome::Stopped;
        m_reason = *reason;
        return remove() ? Outcome::Deleted : Outcome::Stopped;
    }
    const Checkout::Result refused = Checkout::check(m_db.prompt(), m_cashier, entry, amounts);
    if (refused.outcome == Checkout::Outcome::Invalid) {
        focus = refused.focus;
        return Outcome::Invalid;
    }
    amounts.received = amount(Money::cents(amounts.received));
    Checkout::receivedChanged(amounts);
    if (!m_db.prompt().ask(QStringLiteral("是否真的要修改该账单？")))
        return Outcome::Stopped;
    const std::optional<QString> reason = askReason();
    if (!reason)
        return Outcome::Stopped;
    m_reason = *reason;
    try {
        if (!write(entry, amounts))
            return Outcome::Stopped;
    } catch (const DbError&) {
        m_db.prompt().warn(QStringLiteral("结账发生异常，失败!"));
        return Outcome::Stopped;
    }
    if (m_db.prompt().ask(QStringLiteral("是否打印小票？"))) {
        ReceiptPrinter::Job job;
        job.kind = Receipt::Kind::SavedModification;
        job.number = m_bill.number;
        job.cashier = m_cashier.name;
        job.itemCondition = QStringLiteral("xfmx.jzzdh=") + Sql::quote(m_bill.number);
        job.rows = listedRows();
        job.totals = totals(entry, amounts);
        job.documentName = m_bill.number;
        m_printer.print(job);
    }
    m_db.prompt().info(QStringLiteral("修改结账完毕!"));
    return Outcome::Saved;
}

std::optional<QString> BillModification::askReason()
{
    if (!m_reasonQuestion)
        return QString();
    const std::optional<QString> reason = m_reasonQuestion();
    if (reason && reason->trimmed().isEmpty()) {
        m_db.prompt().warn(QStringLiteral("请输入修改原因!"));
        return std::nullopt;
    }
    return reason ? std::optional<QString>(reason->trimmed()) : std::nullopt;
}

// The bill without consumption goes with its registrations and lines; the log keeps a trace.
bool BillModification::remove()
{
    const QString bill = Sql::quote(m_bill.number);
    try {
        Transaction transaction(m_db);
        if (!ofToday(Clock::today(), storedTime()))
            return false;
        BillChanges::keepBefore(m_db, m_bill.number, BillChanges::kDeleted, m_cashier.name, m_reason,
                                Clock::now());
        MemberTotals::takeOff(m_db, m_bill.number);
        m_db.ExecuteSql(QStringLiteral("delete * from dj  where jzdh=") + bill);
        m_db.ExecuteSql(QStringLiteral("delete * from xfmx  where  jzzdh =") + bill);
        m_db.ExecuteSql(QStringLiteral("delete * from jzhz  where zdh =") + bill);
        m_db.ExecuteSql(QStringLiteral("insert into log(log) values(") +
                        Sql::quote(QStringLiteral("用户“") + m_cashier.name + QStringLiteral("”删除账单:") +
                                   m_bill.number) +
                        QLatin1Char(')'));
        transaction.commit();
    } catch (const DbError&) {
        m_db.prompt().warn(QStringLiteral("结账发生异常，失败!"));
        return false;
    }
    return true;
}

bool BillModification::write(const Checkout::Entry& entry, const Checkout::Amounts& amounts)
{
    const QString bill = Sql::quote(m_bill.number);
    const QString member =
        m_member.number.isEmpty() ? QStringLiteral("0") : QString::number(Field::toInt(m_member.number));
    const QDateTime now = Clock::now();
    Transaction transaction(m_db);
    // The bill keeps its day: saved after midnight, it would carry tomorrow's time.
    if (!ofToday(now.date(), storedTime()))
        return false;
    const qint64 change =
        BillChanges::keepBefore(m_db, m_bill.number, BillChanges::kModified, m_cashier.name, m_reason, now);
    // The total of the member the bill carries as stored, whatever the list showed.
    MemberTotals::takeOff(m_db, m_bill.number);
    m_db.ExecuteSql(QStringLiteral("update jzhz set xfje=") + Sql::quote(amounts.gross) +
                    QStringLiteral(",dzje=") + Sql::quote(amounts.discount) + QStringLiteral(",ssje=") +
                    Sql::quote(amounts.received) + QStringLiteral(",hybh=") + member +
                    QStringLiteral(",jzfs=") + Sql::quote(Checkout::storedMethod(entry, amounts.received)) +
                    QStringLiteral(",jzr=") + Sql::quote(m_cashier.name) + QStringLiteral(",bz=") +
                    Sql::quote(entry.note) + QStringLiteral(",jzsj=") + Sql::timeLiteral(now) +
                    QStringLiteral(" where zdh=") + bill);
    PaymentParts::write(m_db, m_bill.number,
                        entry.parts.isEmpty()
                            ? QList<PaymentParts::Part>()
                            : PaymentParts::withCash(entry.parts, Money::cents(amounts.received)));
    m_db.ExecuteSql(QStringLiteral("delete* from  xfmx where jzzdh=") + bill);
    for (const Line& line : m_lines) {
        const double gross = Field::toDouble(line.price) * Field::toDouble(line.quantity);
        // A stored line keeps its return mark, returned quantity, reason, printed mark and note.
        const QString carried =
            line.stored ? QStringLiteral(",tdbj,tdsl,tdbz,sfdy,bz) values(") : QStringLiteral(") values(");
        QString statement =
            QStringLiteral("insert into xfmx(czm,xfxm,sl,xmdj,dzbl,dzje,ysje,jzr,jzzdh,xfsj,jzbj,hybh") +
            carried + Sql::quote(line.table) + QLatin1Char(',') + Sql::quote(line.item) + QLatin1Char(',') +
            Sql::quote(line.quantity) + QLatin1Char(',') + Sql::quote(line.price) + QLatin1Char(',') +
            Sql::quote(line.ratio) + QLatin1Char(',') + Sql::money(gross - line.amountDue()) +
            QLatin1Char(',') + Sql::money(line.amountDue()) + QLatin1Char(',') + Sql::quote(line.recorder) +
            QLatin1Char(',') + bill + QLatin1Char(',') + Sql::quote(line.time) + QStringLiteral(",'1',") +
            member;
        if (line.stored)
            statement += QLatin1Char(',') + Sql::quote(line.returnMark) + QLatin1Char(',') +
                         Sql::money(Field::toDouble(line.returnedQuantity)) + QLatin1Char(',') +
                         Sql::quote(line.returnReason) + QLatin1Char(',') + Sql::quote(line.printed) +
                         QLatin1Char(',') + Sql::quote(line.note);
        m_db.ExecuteSql(statement + QLatin1Char(')'));
    }
    // A table whose lines were all removed owes nothing any more.
    m_db.ExecuteSql(QStringLiteral("update dj set xfhj=0 where jzdh=") + bill);
    Recordset sums = m_db.query(QStringLiteral("select sum(ysje) as ysje,czm from xfmx where jzzdh=") + bill +
                                QStringLiteral(" group by czm "));
    for (; !sums.isEOF(); sums.moveNext())
        m_db.ExecuteSql(QStringLiteral("Update dj set xfhj=") +
                        Sql::money(sums.getDouble(QStringLiteral("ysje"))) + QStringLiteral(" where czm=") +
                        Sql::quote(sums.getString(QStringLiteral("czm"))) + QStringLiteral(" and jzdh=") +
                        bill);
    MemberTotals::add(m_db, member, amounts.received);
    m_db.ExecuteSql(
        QStringLiteral("insert into log(log) values(") +
        Sql::quote(QStringLiteral("用户“") + m_cashier.name + QStringLiteral("”修改账单:") + m_bill.number) +
        QLatin1Char(')'));
    BillChanges::keepAfter(m_db, change, m_bill.number);
    transaction.commit();
    return true;
}

QList<Receipt::ListedRow> BillModification::listedRows() const
{
    QList<Receipt::ListedRow> rows;
    for (const Line& line : m_lines)
        rows.append({line.shownItem(), line.quantity, line.price, Sql::money(line.amountDue())});
    return rows;
}

Receipt::Totals BillModification::totals(const Checkout::Entry& entry, const Checkout::Amounts& amounts) const
{
    const std::optional<double> paid = Field::parseNumber(entry.paid);
    return {amounts.quantity,
            amounts.due,
            amounts.discount,
            amounts.received,
            Sql::money(paid.value_or(0)),
            amounts.change,
            Checkout::storedMethod(entry, amounts.received),
            Receipt::paidParts(entry.parts, amounts.received)};
}

bool BillModification::printListed(const Checkout::Entry& entry)
{
    Checkout::Amounts amounts;
    amounts.received = entry.received;
    amounts.paid = entry.paid;
    amounts.parts = Sql::money(PaymentParts::sum(entry.parts) / 100.0);
    recalc(amounts, entry.payment);
    ReceiptPrinter::Job job;
    job.kind = Receipt::Kind::ModifiedBill;
    job.number = m_bill.number;
    job.cashier = m_cashier.name;
    job.rows = listedRows();
    job.totals = totals(entry, amounts);
    job.documentName = m_bill.table;
    return m_printer.print(job);
}
