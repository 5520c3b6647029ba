#pragma once

#include <QDateTime>
#include <QList>
#include <QStringList>

class Database;

// The record of changes to settled bills: before a bill is modified or deleted its row, parts
// and lines are kept as they were (and after a modification as they became), with the operator,
// the time and the reason given. Written inside the transaction of the change.
class BillChanges final
{
public:
    static inline const QString kModified = QStringLiteral("修改");
    static inline const QString kDeleted = QStringLiteral("删除");
    static inline const QString kBefore = QStringLiteral("前");
    static inline const QString kAfter = QStringLiteral("后");
    static inline const QString kColumns = QStringLiteral(
        "编号,50;修改时间,150;账单号,110;操作,50;操作员,90;修改前实收,90;修改后实收,90;原因,200");
    static inline const QString kImageColumns =
        QStringLiteral("项目名,110;数量,60;单价,60;折扣,50;应收金额,80");

    struct Change
    {
        qint64 id = 0;
        QString bill;
        QString kind; // 修改 or 删除
        QString who;
        QString when;
        QString reason;
    };
    // A bill as it was kept: its fields as "label: value" texts and its lines.
    struct Image
    {
        QStringList fields;
        QList<QStringList> lines;
    };

    // Keeps the bill as it is now under a new change; returns the change's id. Throws DbError.
    static qint64 keepBefore(Database& db, const QString& bill, const QString& kind, const QString& who,
                             const QString& reason, const QDateTime& when);
    // Keeps the bill as it became under the change. Throws DbError.
    static void keepAfter(Database& db, qint64 change, const QString& bill);

    // The changes of a period, in time order, as the list shows them: the change's number first,
    // the 实收金额 before and after.
    static QList<QStringList> rows(Database& db, const QDateTime& start, const QDateTime& end);
    static Image image(Database& db, qint64 change, const QString& side);

private:
    static void keep(Database& db, qint64 change, const QString& side, const QString& bill);
};
