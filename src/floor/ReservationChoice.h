#pragma once

#include <QList>
#include <QString>
#include <QStringList>

class Database;

// The reservation choice shown when a reserved table is opened ("此餐桌预订情况"), without its
// widget: the tables the guest booked for the current shift today, and the check of the ticked
// ones before they are opened as one group.
class ReservationChoice final
{
public:
    struct Row
    {
        int id = 0;        // yd.id, marked arrived when the table opens
        QString guest;     // 顾客姓名
        QString room;      // 房间
        QString table;     // 餐桌
        QString deposit;   // 押金
        QString phone;     // 联系电话
        QString mobile;    // 手机号码
        QString arrival;   // 预抵时间
        QString holdUntil; // 取消时间
        QString note;      // 备注
    };

    static const QString kTitle;
    static const QString kCaption;
    static const QStringList kColumns;

    ReservationChoice(Database& db, const QString& table);

    // The booked rows of the booking that holds the table now; each starts ticked.
    QList<Row> rows();

    // OK with the ticked rows in list order: refuses an occupied table or an empty choice with
    // a message; otherwise tables() and ids() hold the choice.
    bool accept(const QList<Row>& ticked);
    const QStringList& tables() const { return m_tables; }
    const QList<int>& ids() const { return m_ids; }

private:
    Database& m_db;
    QString m_table;
    QStringList m_tables;
    QList<int> m_ids;
};
