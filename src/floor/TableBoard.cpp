#include "TableBoard.h"

#include "Clock.h"
#include "Database.h"
#include "DbError.h"
#include "Field.h"
#include "Prompt.h"
#include "Sql.h"

const QStringList TableBoard::kColumns = {QStringLiteral("餐桌名"),   QStringLiteral("状态"),
                                          QStringLiteral("消费金额"), QStringLiteral("进店时间/预抵时间"),
                                          QStringLiteral("已用时间"), QStringLiteral("已座人数"),
                                          QStringLiteral("总座位数"), QStringLiteral("所属房间"),
                                          QStringLiteral("备注")};
const QStringList TableBoard::kFilters = {QStringLiteral("全部"), QStringLiteral("可供"),
                                          QStringLiteral("占用"), QStringLiteral("预订")};
const QStringList TableBoard::kStyles = {QStringLiteral("大图标"), QStringLiteral("小图标"),
                                         QStringLiteral("列表")};
const QString TableBoard::kHint =
    QStringLiteral("开单(F2,回车)  增加消费(F3,空格,+)  结帐(F4,回车,-)  \"/\"定位到快速查找");
const QString TableBoard::kFindHint = QStringLiteral("( \"/\"定位到此)");
const QString TableBoard::kStartStatement = QStringLiteral("Select * from cz");

namespace {

const QString kOccupied = QStringLiteral("占用");
const QString kReserved = QStringLiteral("预订");

QString todayText()
{
    return Clock::today().toString(QStringLiteral("yyyy-MM-dd"));
}

// A booking lapses after its hold-until time: the table is no longer kept for the guest.
QString stillHeld()
{
    return QStringLiteral(" and qxsj>=") + Sql::timeLiteral(Clock::now());
}

} // namespace

TableBoard::TableBoard(Database& db) : m_db(db) {}

QList<TableBoard::Item> TableBoard::load(const QString& statement)
{
    m_statement = statement;
    return refresh();
}

QList<TableBoard::Item> TableBoard::refresh()
{
    QList<Item> items;
    Recordset tables;
    if (!m_db.OpenRecordset(tables, m_statement))
        return items;
    const QString shift = m_db.GetCurrentShiftId();
    const QString today = todayText();
    for (; !tables.isEOF(); tables.moveNext()) {
        Item item;
        if (!itemOf(tables, shift, today, item))
            break;
        items << item;
    }
    return items;
}

bool TableBoard::itemOf(const Recordset& row, const QString& shift, const QString& today, Item& item)
{
    try {
        item.name = row.getString(QStringLiteral("czm"));
        const QString stored = row.getString(QStringLiteral("zyzt"));
        item.seats = row.getString(QStringLiteral("zzws"));
        item.room = row.getString(QStringLiteral("fjm"));
        item.note = row.getString(QStringLiteral("bz"));
        if (stored == kOccupied) {
            item.state = State::Occupied;
            item.stateText = kOccupied;
            item.amount = QStringLiteral("￥") + Sql::money(row.getDouble(QStringLiteral("xfhj")));
            item.arrival = row.getString(QStringLiteral("jdsj"));
            item.elapsed = row.getString(QStringLiteral("yysj"));
            item.guests = row.getString(QStringLiteral("yzrs"));
            return true;
        }
        Recordset booking;
        if (!m_db.OpenRecordset(booking, QStringLiteral("select * from yd where czmc=") +
                                             Sql::quote(item.name) +
                                             QStringLiteral(" and  zt='已订' and yybcbh=") + shift +
                                             QStringLiteral(" and  format(ydsj,'yyyy-mm-dd')='") + today +
                                             QStringLiteral("'") + stillHeld()))
            return false;
        if (booking.isEOF()) {
            item.state = State::Free;
            item.stateText = stored;
        } else {
            item.state = State::Reserved;
            item.stateText = kReserved;
            item.arrival = Sql::timeText(booking.getDateTime(QStringLiteral("ydsj")));
        }
        return true;
    } catch (const DbError& e) {
        m_db.prompt().warn(QStringLiteral("ADO Error: %1").arg(e.description()));
        return false;
    }
}

QString TableBoard::roomStatement() const
{
    return QStringLiteral("select * from cz where fjm like ") + Sql::quote(m_room);
}

QString TableBoard::reservedCondition(const QString& shift) const
{
    return QStringLiteral("czm in(select czmc from yd where yybcbh=") + shift +
           QStringLiteral(" and  zt='已订' and  format(ydsj,'yyyy-mm-dd')='") + todayText() +
           QStringLiteral("'") + stillHeld() + QStringLiteral(")");
}

QString TableBoard::filterStatement(Filter filter) const
{
    const QString reserved = reservedCondition(m_db.GetCurrentShiftId());
    const QString base = roomStatement();
    switch (filter) {
    case Filter::All:
        return base;
    case Filter::Occupied:
        return base + QStringLiteral(" and (zyzt='占用' or ") + reserved + QStringLiteral(")");
    case Filter::Available:
        return base + QStringLiteral(" and zyzt<>'占用' and not ") + reserved;
    case Filter::Reserved:
        return base + QStringLiteral(" and zyzt<>'占用' and ") + reserved;
    }
    return base;
}

std::optional<TableBoard::FindResult> TableBoard::quickFind(const QString& typed)
{
    QString name = typed;
    name.remove(QLatin1Char('\''));
    const QString statement = QStringLiteral("select * from cz where czm=") + Sql::quote(name);
    Recordset found;
    if (!m_db.OpenRecordset(found, statement))
        return std::nullopt;
    if (found.isEOF()) {
        m_db.prompt().warn(QStringLiteral("没有发现指定餐桌,请确认是否输入正确!"));
        return std::nullopt;
    }
    return FindResult{name, statement};
}

QString TableBoard::elapsedText(const QDateTime& arrival, const QDateTime& now)
{
    const qint64 seconds = arrival.secsTo(now);
    const qint64 hours = seconds / 3600;
    const qint64 minutes = seconds / 60 - hours * 60;
    return QStringLiteral("%1小时%2分").arg(hours).arg(minutes);
}

void TableBoard::updateElapsed()
{
    Recordset open;
    if (!m_db.OpenRecordset(open, QStringLiteral("select * from cz where zyzt='占用' ")))
        return;
    const QDateTime now = Clock::now();
    try {
        for (; !open.isEOF(); open.moveNext()) {
            const QDateTime arrival = ParseDateTime(open.getString(QStringLiteral("jdsj")));
            if (!arrival.isValid())
                continue; // an arrival that is not a time has no elapsed time to show
            m_db.ExecuteSql(QStringLiteral("update cz set yysj=") + Sql::quote(elapsedText(arrival, now)) +
                            QStringLiteral(" where czm=") +
                            Sql::quote(open.getString(QStringLiteral("czm"))));
        }
    } catch (const DbError& e) {
        m_db.prompt().warn(QStringLiteral("ADO Error: %1").arg(e.description()));
    }
}

bool TableBoard::denied(bool allowed)
{
    if (!allowed)
        m_db.prompt().warn(QStringLiteral("你没有此操作权限!"));
    return !allowed;
}

namespace {

bool noneSelected(Prompt& prompt, const TableBoard::Item* selected)
{
    if (!selected)
        prompt.warn(QStringLiteral("请选定餐桌!"));
    return !selected;
}

} // namespace

TableBoard::Command TableBoard::addConsumption(bool allowed, const Item* selected)
{
    if (denied(allowed) || noneSelected(m_db.prompt(), selected))
        return Command::None;
    if (selected->state == State::Occupied)
        return Command::AddConsumption;
    return m_db.prompt().ask(QStringLiteral("此餐桌未开单,是否开单?")) ? Command::OpenTable : Command::None;
}

TableBoard::Command TableBoard::checkout(bool allowed, const Item* selected)
{
    if (denied(allowed) || noneSelected(m_db.prompt(), selected))
        return Command::None;
    if (selected->state != State::Occupied) {
        m_db.prompt().warn(QStringLiteral("此餐桌未开单!"));
        return Command::None;
    }
    return Command::Checkout;
}

TableBoard::Command TableBoard::reserve(bool allowed)
{
    return denied(allowed) ? Command::None : Command::Reserve;
}

TableBoard::Command TableBoard::changeRegistration(const Item* selected)
{
    if (noneSelected(m_db.prompt(), selected))
        return Command::None;
    if (selected->state != State::Occupied) {
        m_db.prompt().warn(QStringLiteral("此餐桌未开单!"));
        return Command::None;
    }
    return Command::ChangeRegistration;
}

TableBoard::Command TableBoard::changeTable(const Item* selected)
{
    if (!selected || selected->state != State::Occupied) {
        m_db.prompt().warn(QStringLiteral("请选定占用餐桌!"));
        return Command::None;
    }
    return Command::ChangeTable;
}

TableBoard::Command TableBoard::activate(const Item& item)
{
    return item.state == State::Occupied ? Command::Checkout : Command::OpenTable;
}

QList<TableBoard::Command> TableBoard::greyed(State state)
{
    switch (state) {
    case State::Occupied:
        return {Command::OpenTable};
    case State::Reserved:
        return {Command::Reserve, Command::AddConsumption, Command::Checkout, Command::ChangeTable,
                Command::PrintReceipt};
    case State::Free:
        break;
    }
    return {Command::AddConsumption, Command::ChangeRegistration, Command::Checkout,    Command::ChangeTable,
            Command::MergeBill,      Command::SplitBill,          Command::PrintReceipt};
}
