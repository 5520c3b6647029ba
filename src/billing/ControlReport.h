#pragma once

#include <QDateTime>
#include <QList>
#include <QStringList>

class Database;

// 管理控制报表: what a manager checks of an operator's period, each with its value: dishes
// returned (with their reasons), gifts, free bills, discounts given, round-offs, and bills
// modified or deleted. Lines count under the operator who recorded them, bills under their
// cashier, changes under whoever made them. Each kind ends with its "小计" row.
class ControlReport final
{
public:
    static inline const QString kColumns =
        QStringLiteral("类别,80;账单号,110;项目,130;数量,60;金额,80;操作员,90;时间,150;原因/备注,180");
    static inline const QString kAll = QStringLiteral("全部");

    explicit ControlReport(Database& db) : m_db(db) {}

    QList<QStringList> rows(const QDateTime& start, const QDateTime& end, const QString& who);
    static QString subtitle(const QDateTime& start, const QDateTime& end, const QString& who);

private:
    // Adds the rows of one kind; the statement gives zdh, xm, sl, je, czy, sj, yy.
    void add(QList<QStringList>& rows, const QString& kind, const QString& statement);

    Database& m_db;
};
