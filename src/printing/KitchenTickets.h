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

    // Prints the selected lines (top of the list first) for the given table. A line is marked
    // printed, in the database and then in `selected`, once its printer has taken the ticket; the
    // lines of a printer that refused, and those whose mark could not be stored, stay unprinted
    // and the operator is told.
    void PrintKitchenTickets(QList<Line>& selected, const QString& table);

    // The four lines of one line's ticket.
    static QString ticket(const Line& line, const QString& table);

private:
    Database& m_db;
    RawPrinter& m_printer;
    BusyHook m_busy;
};
