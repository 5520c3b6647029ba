#include "Checkout.h"

#include "BillNumber.h"
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

QString freeTable(const QString& table)
{
    return QStringLiteral("update cz set zyzt='空闲',xfhj=0,jdsj='',yysj='',yzrs='',bz='' where czm=") +
           Sql::quote(table);
}

} // namespace

Checkout::Checkout(Database& db, const Cashier& cashier, ReceiptPrinter& printer)
    : m_db(db), m_cashier(cashier), m_printer(printer)
{
}

QString Checkout::title() const
{
    return m_onAccount ? QStringLiteral("挂账账单结账") : QStringLiteral("顾客结账");
}

QString Checkout::rootText() const
{
    return QStringLiteral("(结账单号)") + m_billNumber;
}

QString Checkout::linesCaption(const QString& nodeText)
{
    return QStringLiteral("餐桌:") + nodeText + QStringLiteral("消费明细");
}

// Groups from registrations (main tables, with the other tables of their group).
QList<Checkout::Group> Checkout::groupsOf(const QString& statement, const QString& keyColumn)
{
    QList<Group> groups;
    Recordset rs;
    if (!m_db.OpenRecordset(rs, statement))
        return groups;
    for (; !rs.isEOF(); rs.moveNext()) {
        Group group{rs.getString(QStringLiteral("czm")), {}};
        Recordset members;
        if (m_db.OpenRecordset(members, QStringLiteral("select * from dj where zdbh=") +
                                            Sql::quote(rs.getString(keyColumn)) +
                                            QStringLiteral(" and czm<>") + Sql::quote(group.name)))
            for (; !members.isEOF(); members.moveNext())
                group.tables << members.getString(QStringLiteral("czm"));
        groups << group;
    }
    return groups;
}

QStringList Checkout::billTables(const QString& bill)
{
    QStringList tables;
    Recordset rs;
    if (m_db.OpenRecordset(rs, QStringLiteral("select * from dj where jzdh=") + Sql::quote(bill)))
        for (; !rs.isEOF(); rs.moveNext())
            tables << rs.getString(QStringLiteral("czm"));
    return tables;
}

void Checkout::reset(const QString& table, bool onAccount)
{
    m_onAccount = onAccount;
    m_table = table;
    m_bill = {};
    m_area.clear();
    m_inStore.clear();
    m_groupKey.clear();
    m_memberNumber.clear();
    m_memberName.clear();
    m_memberRatio.clear();
    try {
        m_billNumber = BillNumber::next(m_db, Clock::today());
    } catch (const DbError& e) {
        m_db.prompt().warn(QStringLiteral("ADO Error: %1").arg(e.description()));
    }
}

void Checkout::open(const QString& table)
{
    reset(table, false);
    Recordset main;
    if (m_db.OpenRecordset(main,
                           QStringLiteral("select * from dj where djbh=(select zdbh from dj where czm =") +
                               Sql::quote(table) + QStringLiteral(" and xfzt='占用')")) &&
        !main.isEOF())
        m_groupKey = main.getString(QStringLiteral("zdbh"));
    m_hasRoot = !m_groupKey.isEmpty();
    if (m_hasRoot)
        m_area = groupsOf(QStringLiteral("select * from dj where djbh=") + Sql::quote(m_groupKey),
                          QStringLiteral("zdbh"));
    m_inStore = groupsOf(QStringLiteral("select * from dj where zdbj='y' and zdbh<>") +
                             Sql::quote(m_groupKey) + QStringLiteral(" and xfzt='占用'"),
                         QStringLiteral("zdbh"));
}

void Checkout::openOnAccount(const OnAccountBill& bill)
{
    reset(bill.table, true);
    m_bill = bill;
    m_hasRoot = true;
    m_area = {{bill.number, billTables(bill.number)}};
    Recordset rs;
    if (m_db.OpenRecordset(rs, QStringLiteral("select * from jzhz where jzfs='挂账' and zdh<>") +
                                   Sql::quote(bill.number)))
        for (; !rs.isEOF(); rs.moveNext()) {
            const QString number = rs.getString(QStringLiteral("zdh"));
            m_inStore.append({number, billTables(number)});
        }
    if (bill.memberCode != QLatin1String("*")) {
        m_memberNumber = bill.memberCode;
        if (const auto member = MemberSearch(m_db).find(bill.memberCode)) {
            m_memberName = member->name;
            m_memberRatio = member->ratio;
        }
    }
}

bool Checkout::moveIn(const QString& group)
{
    for (qsizetype i = 0; i < m_inStore.size(); ++i)
        if (m_inStore.at(i).name == group) {
            m_area.append(m_inStore.takeAt(i));
            return true;
        }
    m_db.prompt().warn(QStringLiteral("不能对子餐桌进行此操作!"));
    return false;
}

bool Checkout::moveOut(const QString& group)
{
    for (qsizetype i = 0; i < m_area.size(); ++i)
        if (m_area.at(i).name == group) {
            m_inStore.append(m_area.takeAt(i));
            return true;
        }
    m_db.prompt().warn(QStringLiteral("不能进行此操作，请拆分账单!"));
    return false;
}

QStringList Checkout::collectedNames() const
{
    QStringList names;
    for (const Group& group : m_area)
        names << group.name << group.tables;
    return names;
}

QStringList Checkout::namesUnder(const QString& node) const
{
    if (node.isEmpty())
        return collectedNames();
    for (const QList<Group>* list : {&m_area, &m_inStore})
        for (const Group& group : *list)
            if (group.name == node)
                return QStringList{group.name} + group.tables;
    return {node};
}

QString Checkout::linesStatement(const QString& name) const
{
    return m_onAccount ? QStringLiteral("select * from xfmx where jzzdh=") + Sql::quote(name)
                       : QStringLiteral("select * from xfmx where czm=") + Sql::quote(name) +
                             QStringLiteral(" and jzbj='0'");
}

void Checkout::RecalcTotals(Amounts& amounts, Payment payment)
{
    double quantity = 0;
    qint64 due = 0;
    qint64 gross = 0;
    for (const QString& name : collectedNames()) {
        Recordset rs;
        if (!m_db.OpenRecordset(rs, linesStatement(name)))
            continue;
        for (; !rs.isEOF(); rs.moveNext()) {
            quantity += rs.getDouble(QStringLiteral("sl"));
            due += Money::cents(rs.getDouble(QStringLiteral("ysje")));
            gross +=
                Money::cents(rs.getDouble(QStringLiteral("ysje")) + rs.getDouble(QStringLiteral("dzje")));
        }
    }
    amounts.quantity = Sql::money(quantity);
    amounts.gross = amount(gross);
    amounts.due = amount(due);
    amounts.discount = amount(gross - due);
    if (payment == Payment::Free) {
        amounts.discount = amounts.gross;
        amounts.received = QStringLiteral("0.00");
    }
    amounts.change = changeOf(amounts, amounts.due);
}

// Adds the lines of one statement to the list and its sums.
void Checkout::addLines(Database& db, const QString& statement, Lines& result, qint64& discountSum,
                        qint64& dueSum)
{
    Recordset rs;
    if (!db.OpenRecordset(rs, statement))
        return;
    for (; !rs.isEOF(); rs.moveNext()) {
        Line line;
        line.number = rs.getString(QStringLiteral("xfbh")).toLongLong();
        line.item = rs.getString(QStringLiteral("xfxm"));
        line.table = rs.getString(QStringLiteral("czm"));
        const double quantity = rs.getDouble(QStringLiteral("sl"));
        const double price = rs.getDouble(QStringLiteral("xmdj"));
        const double ratio = rs.getDouble(QStringLiteral("dzbl"));
        line.quantity = Sql::money(quantity);
        line.price = Sql::money(price);
        line.ratio = Sql::money(ratio);
        line.returned = quantity < 0;
        line.gift = !line.returned && Money::cents(ratio) == 0;
        line.shownItem = Receipt::shownItem(line.item, quantity, ratio);
        const qint64 discount = Money::cents(price * quantity * (1 - ratio));
        const qint64 due = Money::cents(price * quantity * ratio);
        line.discountAmount = amount(discount);
        line.dueAmount = amount(due);
        line.recorder = rs.getString(QStringLiteral("jzr"));
        line.time = Sql::timeText(rs.getDateTime(QStringLiteral("xfsj")));
        discountSum += discount;
        dueSum += due;
        result.lines << line;
    }
}

Checkout::Lines Checkout::ShowLines(const QString& node)
{
    Lines result;
    qint64 discountSum = 0;
    qint64 dueSum = 0;
    for (const QString& name : namesUnder(node))
        addLines(m_db, linesStatement(name) + QStringLiteral(" order by xfbh"), result, discountSum, dueSum);
    result.discountSum = amount(discountSum);
    result.dueSum = amount(dueSum);
    return result;
}

Checkout::Lines Checkout::billLines(Database& db, const QString& bill)
{
    Lines result;
    qint64 discountSum = 0;
    qint64 dueSum = 0;
    addLines(db,
             QStringLiteral("select * from xfmx where jzzdh=") + Sql::quote(bill) +
                 QStringLiteral(" order by xfbh"),
             result, discountSum, dueSum);
    result.discountSum = amount(discountSum);
    result.dueSum = amount(dueSum);
    return result;
}

bool Checkout::ApplyDiscountRatio(const QString& ratio)
{
    return writeRatio(ratio, ShowLines().lines);
}

bool Checkout::ApplyDiscountRatio(const QString& ratio, const QString& node, const QList<qint64>& selected)
{
    QList<Line> lines;
    for (const Line& line : ShowLines(node).lines)
        if (selected.contains(line.number))
            lines << line;
    if (lines.isEmpty()) {
        m_db.prompt().warn(QStringLiteral("请选定要打折的消费项目!"));
        return false;
    }
    return writeRatio(ratio, lines);
}

bool Checkout::writeRatio(const QString& ratio, const QList<Line>& lines)
{
    const double r = Field::toDouble(ratio);
    QStringList tables;
    try {
        Transaction transaction(m_db);
        for (const Line& line : lines) {
            if (!tables.contains(line.table))
                tables << line.table;
            const double gross = Field::toDouble(line.price) * Field::toDouble(line.quantity);
            m_db.ExecuteSql(
                QStringLiteral("update xfmx set dzbl=") + Sql::quote(ratio) + QStringLiteral(",dzje=") +
                Sql::money(gross * (1 - r)) + QStringLiteral(",ysje=") + Sql::money(gross * r) +
                QStringLiteral(" where xfbh=%1 and dzbl<>'0' and xfxm in (select xmm from xm where "
                               "xm.xmm=xfmx.xfxm and xm.sfdz='1')")
                    .arg(line.number));
        }
        // The open tables carry their running totals; bills on account have no open table.
        if (!m_onAccount)
            for (const QString& table : tables) {
                Recordset sum = m_db.query(QStringLiteral("select sum(ysje) as ysje from xfmx where czm=") +
                                           Sql::quote(table) + QStringLiteral(" and jzbj='0' "));
                const QString total = Sql::money(sum.isEOF() ? 0 : sum.getDouble(QStringLiteral("ysje")));
                m_db.ExecuteSql(QStringLiteral("Update dj set xfhj=") + total +
                                QStringLiteral(" where czm=") + Sql::quote(table) +
                                QStringLiteral(" and jzdh is null"));
                m_db.ExecuteSql(QStringLiteral("Update cz set xfhj=") + total +
                                QStringLiteral(" where czm=") + Sql::quote(table));
            }
        transaction.commit();
    } catch (const DbError&) {
        m_db.prompt().warn(QStringLiteral("打折发生异常,打折失败!"));
        return false;
    }
    return true;
}

// The member changes only with the lines' prices: a bill never carries a member whose price
// its lines do not have.
bool Checkout::pickMember(const MemberSearch::Member& member)
{
    if (!ApplyDiscountRatio(member.ratio))
        return false;
    m_memberNumber = member.number;
    m_memberName = member.name;
    m_memberRatio = member.ratio;
    return true;
}

bool Checkout::cancelMember()
{
    if (!ApplyDiscountRatio(QStringLiteral("1")))
        return false;
    m_memberNumber.clear();
    m_memberName.clear();
    m_memberRatio.clear();
    return true;
}

// The rounding-off the bills left on account were granted when they were made: the amount due of
// their lines less what they received.
qint64 Checkout::roundOffGranted()
{
    if (!m_onAccount)
        return 0;
    qint64 granted = 0;
    for (const Group& group : std::as_const(m_area)) {
        Recordset rs;
        if (m_db.OpenRecordset(rs, QStringLiteral("select ssje,(select sum(ysje) from xfmx where jzzdh=zdh) "
                                                  "as due from jzhz where zdh=") +
                                       Sql::quote(group.name)) &&
            !rs.isEOF())
            granted += qMax<qint64>(0, Money::cents(rs.getDouble(QStringLiteral("due"))) -
                                           Money::cents(rs.getDouble(QStringLiteral("ssje"))));
    }
    return granted;
}

Checkout::Result Checkout::release(const QStringList& names)
{
    // Of the lines, the open ones only: those kept from guests released earlier ('2') have no
    // bill either.
    QStringList statements;
    for (const QString& name : names)
        statements << freeTable(name)
                   << QStringLiteral("delete * from dj  where czm=") + Sql::quote(name) +
                          QStringLiteral(" and xfzt='占用' ")
                   << QStringLiteral("delete * from xfmx  where czm=") + Sql::quote(name) +
                          QStringLiteral(" and jzbj='0'");
    return leave(statements);
}

// A table with no open registration: what it still holds belongs to guests who have gone. Their
// lines stay as a record, marked '2' (left without a bill): no longer open, never takings (which
// count '1'), and no bill's.
Checkout::Result Checkout::releaseUnregistered()
{
    return leave({freeTable(m_table),
                  QStringLiteral("update dj set ldsj=") + Sql::timeLiteral(Clock::now()) +
                      QStringLiteral(",xfzt='离店' where czm=") + Sql::quote(m_table) +
                      QStringLiteral(" and xfzt='占用'"),
                  QStringLiteral("update xfmx set jzbj='2' where czm=") + Sql::quote(m_table) +
                      QStringLiteral(" and jzbj='0'")});
}

Checkout::Result Checkout::leave(const QStringList& statements)
{
    try {
        Transaction transaction(m_db);
        for (const QString& statement : statements)
            m_db.ExecuteSql(statement);
        transaction.commit();
    } catch (const DbError&) {
        m_db.prompt().warn(QStringLiteral("离店发生异常,离店失败!"));
        return {};
    }
    return {Outcome::Released, Focus::None, QString()};
}

Checkout::Result Checkout::settle(const Entry& entry)
{
    if (!m_hasRoot)
        return releaseUnregistered();
    if (m_area.isEmpty()) {
        m_db.prompt().warn(QStringLiteral("请添加要结账餐桌!"));
        return {};
    }
    const QStringList names = collectedNames();

    Amounts amounts;
    amounts.received = entry.received;
    amounts.paid = entry.paid;
    amounts.parts = Sql::money(PaymentParts::sum(entry.parts) / 100.0);
    RecalcTotals(amounts, entry.payment);

    // A bill on account was settled once already; it has no table to release.
    if (!m_onAccount && Money::cents(amounts.gross) == 0) {
        if (!m_db.prompt().ask(QStringLiteral("无消费记录，顾客是否离店？")))
            return {};
        return release(names);
    }
    if (const Result refused = check(m_db.prompt(), m_cashier, entry, amounts, roundOffGranted());
        refused.outcome == Outcome::Invalid)
        return refused;
    // Amounts are written as numbers of two decimals, never as typed; the bill's discount is
    // what the guest does not pay, rounding-off included.
    amounts.received = amount(Money::cents(amounts.received));
    receivedChanged(amounts);
    if (!m_db.prompt().ask(QStringLiteral("是否真的要结账？")))
        return {};

    const QList<Receipt::ListedRow> rows = listedRows();
    QString number;
    try {
        number = write(entry, amounts, names);
    } catch (const DbError&) {
        m_db.prompt().warn(QStringLiteral("结账发生异常,结账失败!"));
        return {};
    }
    const bool renumbered = number != m_billNumber;
    m_billNumber = number;
    // The receipt follows the commit: a receipt never exists for a bill that was not written.
    printReceipt(entry, amounts, number, rows);
    m_db.prompt().info(renumbered ? QStringLiteral("结账完毕!\n账单号:") + number
                                  : QStringLiteral("结账完毕!"));
    return {Outcome::Settled, Focus::None, number};
}

QString Checkout::write(const Entry& entry, const Amounts& amounts, const QStringList& names)
{
    const QDateTime now = Clock::now();
    const QString member =
        m_memberNumber.isEmpty() ? QStringLiteral("0") : QString::number(Field::toInt(m_memberNumber));

    Transaction transaction(m_db);
    // Numbered inside the transaction: another bill may have taken the number shown.
    const QString bill = BillNumber::next(m_db, now.date());
    const QString table = m_onAccount && !m_area.first().tables.isEmpty() ? m_area.first().tables.first()
                          : m_onAccount                                   ? m_table
                                                                          : names.first();
    m_db.ExecuteSql(
        QStringLiteral("insert into jzhz(zdh,czm,xfje,dzje,ssje,hybh,jzfs,jzr,bz,jzsj,jzrq) values(") +
        Sql::quote(bill) + QLatin1Char(',') + Sql::quote(table) + QLatin1Char(',') +
        Sql::quote(amounts.gross) + QLatin1Char(',') + Sql::quote(amounts.discount) + QLatin1Char(',') +
        Sql::quote(amounts.received) + QLatin1Char(',') + member + QLatin1Char(',') +
        Sql::quote(storedMethod(entry, amounts.received)) + QLatin1Char(',') + Sql::quote(m_cashier.name) +
        QLatin1Char(',') + Sql::quote(entry.note) + QLatin1Char(',') + Sql::timeLiteral(now) +
        QLatin1Char(',') + Sql::dateLiteral(now.date()) + QLatin1Char(')'));
    for (const QString& name : names) {
        if (m_onAccount) {
            // What the bill left on account received leaves its member's total; the settled bill's
            // amount (0 when free) goes onto the total below.
            MemberTotals::takeOff(m_db, name);
            m_db.ExecuteSql(QStringLiteral("update dj set  jzdh=") + Sql::quote(bill) +
                            QStringLiteral(" where jzdh=") + Sql::quote(name));
            m_db.ExecuteSql(QStringLiteral("update  xfmx set jzzdh=") + Sql::quote(bill) +
                            QStringLiteral(",hybh=") + member + QStringLiteral(" where jzzdh=") +
                            Sql::quote(name));
            m_db.ExecuteSql(QStringLiteral("delete  * from jzhz where zdh=") + Sql::quote(name));
        } else {
            m_db.ExecuteSql(freeTable(name));
            m_db.ExecuteSql(QStringLiteral("update dj set ldsj=") + Sql::timeLiteral(now) +
                            QStringLiteral(",xfzt='离店',jzdh=") + Sql::quote(bill) +
                            QStringLiteral(" where czm=") + Sql::quote(name) +
                            QStringLiteral(" and xfzt='占用' "));
            m_db.ExecuteSql(QStringLiteral("update  xfmx set jzzdh=") + Sql::quote(bill) +
                            QStringLiteral(",jzbj='1',hybh=") + member + QStringLiteral(" where czm=") +
                            Sql::quote(name) + QStringLiteral(" and jzbj='0'"));
        }
    }
    if (!entry.parts.isEmpty())
        PaymentParts::write(m_db, bill, PaymentParts::withCash(entry.parts, Money::cents(amounts.received)));
    MemberTotals::add(m_db, member, amounts.received);
    transaction.commit();
    return bill;
}

QList<Receipt::ListedRow> Checkout::listedRows()
{
    QList<Receipt::ListedRow> rows;
    for (const Line& line : ShowLines().lines)
        rows.append({line.shownItem, line.quantity, line.price, line.dueAmount});
    return rows;
}

void Checkout::printReceipt(const Entry& entry, const Amounts& amounts, const QString& number,
                            const QList<Receipt::ListedRow>& rows)
{
    const std::optional<PrintSettings> settings = PrintSettings::load(m_db);
    if (!settings)
        return;
    if (!settings->printer.isEmpty() && !settings->printAtCheckout &&
        !m_db.prompt().ask(QStringLiteral("是否打印小票？")))
        return;
    ReceiptPrinter::Job job;
    job.kind = Receipt::Kind::Checkout;
    job.number = number;
    job.cashier = m_cashier.name;
    job.itemCondition = QStringLiteral("xfmx.jzzdh=") + Sql::quote(number);
    job.rows = rows;
    job.totals = {amounts.quantity,
                  amounts.due,
                  amounts.discount,
                  amounts.received,
                  amount(Money::cents(entry.paid)),
                  amounts.change,
                  storedMethod(entry, amounts.received),
                  Receipt::paidParts(entry.parts, amounts.received)};
    job.documentName = number;
    m_printer.print(job, *settings);
}

bool Checkout::printPreReceipt(const Entry& entry)
{
    const QStringList names = collectedNames();
    if (names.isEmpty()) {
        m_db.prompt().warn(QStringLiteral("请添加要结账餐桌!"));
        return false;
    }
    const QString column = m_onAccount ? QStringLiteral("xfmx.jzzdh=") : QStringLiteral("xfmx.czm=");
    QStringList conditions;
    for (const QString& name : names)
        conditions << column + Sql::quote(name);
    Amounts amounts;
    amounts.received = entry.received;
    amounts.paid = entry.paid;
    amounts.parts = Sql::money(PaymentParts::sum(entry.parts) / 100.0);
    RecalcTotals(amounts, entry.payment);

    ReceiptPrinter::Job job;
    job.kind = Receipt::Kind::PreReceipt;
    job.number = m_table;
    job.cashier = m_cashier.name;
    job.itemCondition = QLatin1Char('(') + conditions.join(QStringLiteral(" or ")) + QLatin1Char(')') +
                        (m_onAccount ? QString() : QStringLiteral(" and xfmx.jzbj='0'"));
    job.rows = listedRows();
    job.totals.quantity = amounts.quantity;
    job.totals.due = amounts.due;
    job.documentName = m_table;
    return m_printer.print(job);
}
