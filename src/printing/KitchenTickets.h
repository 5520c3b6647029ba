#pragma once

#include <functional>
#include <QDateTime>
#include <QList>
#include <QString>

class Database;
class RawPrinter;

// The kitchen ticket command (厨打): the selected consumption lines go to the printer of their
// dish category, one job per printer, and the lines a printer took are marked printed.
class KitchenTickets final
{
public:
    // A row of the ordering screen's consumption list, as listed.
    struct Line
    {
        QString number;       // 消费编号, xfmx.xfbh
        QString item;         // 项目名, with its "(退)" or "(赠)" mark
        QString quantity;     // 数量
        QString category;     // 类别
        QDateTime time;       // 消费时间
        QString note;         // 备注
        bool printed = false; // 厨打: "已打印" (true) or "未打印"
    };

    // Called with true when the command starts and false when it ends, on every path: the
    // screen shows its wait cursor in between.
    using BusyHook = std::function<void(bool busy)>;

    KitchenTickets(Database& db, RawPrinter& printer, BusyHook busy = {});

    // The printer of a category whose dishes are not cooked to a ticket, as its settings store it.
    static inline const QString kNoKitchenPrinter = QStringLiteral("此类项目不打印到后厨");

    // Prints the selected lines (top of the list first) for the given table. A line is marked
    // printed, in the database and then in `selected`, once its printer has taken the ticket; the
    // lines of a printer that refused, and those whose mark could not be stored, stay unprinted
    // and the operator is told. A category without a kitchen printer (none set, or
    // kNoKitchenPrinter) prints nothing and its lines are marked at once.
    void PrintKitchenTickets(QList<Line>& selected, const QString& table);

    // The four lines of one line's ticket.
    static QString ticket(const Line& line, const QString& table);

private:
    Database& m_db;
    RawPrinter& m_printer;
    BusyHook m_busy;
};
