#pragma once

#include <optional>
#include <QList>
#include <QString>
#include <QStringList>
#include <QTime>

class Database;
class Recordset;

// The table board without its widget: how each table's state is decided, the statements of the
// display filter, quick find, the elapsed-time update and the checks of the board commands.
// The board view (a list of items, one per table) shows what load() returns, item i = row i.
class TableBoard final
{
public:
    // The three images of a table, in image-list order.
    enum class State
    {
        Occupied = 0,
        Free = 1,
        Reserved = 2
    };

    // The display filter's entries, in combo order ("全部", "可供", "占用", "预订").
    enum class Filter
    {
        All,
        Available,
        Occupied,
        Reserved
    };

    enum class Command
    {
        None,
        OpenTable,
        AddConsumption,
        Checkout,
        Reserve,
        ChangeRegistration,
        ChangeTable,
        SplitBill,
        MergeBill,
        PrintReceipt
    };

    // One board item with the nine columns of the report layout.
    struct Item
    {
        QString name; // 餐桌名
        State state = State::Free;
        QString stateText; // 状态
        QString amount;    // 消费金额
        QString arrival;   // 进店时间/预抵时间
        QString elapsed;   // 已用时间
        QString guests;    // 已座人数
        QString seats;     // 总座位数
        QString room;      // 所属房间
        QString note;      // 备注
    };

    struct FindResult
    {
        QString name;      // the typed text without quotes
        QString statement; // loads the board with just that table
    };

    static const QStringList kColumns;
    static const QStringList kFilters;
    static const QStringList kStyles;
    static const QString kHint;
    static const QString kFindHint;
    static const QString kStartStatement;

    explicit TableBoard(Database& db);

    // Runs the statement (failures are reported "ADO Error: %s") and decides each row's state;
    // it becomes the current statement that refresh() runs again.
    QList<Item> load(const QString& statement);
    // The current statement again, for writing into the items in place.
    QList<Item> refresh();
    const QString& statement() const { return m_statement; }

    // The room filter: "%" for every room, otherwise the room's name.
    void setRoom(const QString& room) { m_room = room; }
    const QString& room() const { return m_room; }
    QString roomStatement() const;
    QString filterStatement(Filter filter) const;

    // Quick find: nothing found shows "没有发现指定餐桌,请确认是否输入正确!".
    std::optional<FindResult> quickFind(const QString& typed);

    // Writes "%d小时%d分" into every occupied table; then the board is refreshed in place.
    void updateElapsed();
    static QString elapsedText(const QDateTime& arrival, const QDateTime& now);

    // The board commands' checks; each shows its message and returns the command to carry out
    // (None when it stops). `selected` is the first selected item, null when none.
    Command addConsumption(bool allowed, const Item* selected);
    Command checkout(bool allowed, const Item* selected);
    Command reserve(bool allowed);
    Command changeRegistration(const Item* selected);
    Command changeTable(const Item* selected);
    // Enter or a double click on an item.
    static Command activate(const Item& item);
    // The context menu items greyed for a table in this state.
    static QList<Command> greyed(State state);

private:
    QString reservedCondition(const QString& shift) const;
    bool itemOf(const Recordset& row, const QString& shift, const QString& today, Item& item);
    bool denied(bool allowed);

    Database& m_db;
    QString m_statement = kStartStatement;
    QString m_room = QStringLiteral("%");
};
