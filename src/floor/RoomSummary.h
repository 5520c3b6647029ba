#pragma once

#include <QString>
#include <QStringList>

class Database;

// The rooms pane without its widget: the restaurant with its rooms, and the board's counts.
class RoomSummary final
{
public:
    struct Counts
    {
        int total = 0;                         // 餐台总数
        int occupied = 0;                      // 当前占用
        int available = 0;                     // 当前可供
        int reserved = 0;                      // 当前预订
        QString rate = QStringLiteral("100%"); // 上坐率
    };

    explicit RoomSummary(Database& db);

    // The root of the room tree and the rooms under it, in the order they were made.
    QString restaurantName();
    QStringList rooms();

    // Counts as of now; a restaurant without tables has all 0 and "100%".
    Counts counts();

    // The line the notes box's time-stamp button appends.
    static QString noteStamp();

private:
    Database& m_db;
};
