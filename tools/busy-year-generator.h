#pragma once
// The writer of pelvar-busy-year: the master rows through the program's own data layer, then every
// day's visits, lines, bills, bookings, entries and log through prepared statements of a raw SQLite
// connection of its own.
#include "DbError.h"

#include <QDate>
#include <QDateTime>
#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>
#include <random>
#include <sqlite3.h>

class Database;

namespace BusyYear {

struct Options
{
    QString folder;
    int days = 365;
    int bills = 1100;
    int lines = 10;
    int tables = 1000;
    QDate from{2026, 1, 1};
    unsigned seed = 1;
    bool check = false;
};

struct Dish
{
    QString name;
    QString category;
    qint64 price = 0; // cents
    bool discountable = true;
    bool weighed = false;
};

// One prepared statement of the bulk writer; values bound in order, run, reset.
class Insert final
{
public:
    Insert(sqlite3* db, const char* sql)
    {
        if (sqlite3_prepare_v2(db, sql, -1, &m_statement, nullptr) != SQLITE_OK)
            throw DbError(QString::fromUtf8(sqlite3_errmsg(db)));
    }
    ~Insert() { sqlite3_finalize(m_statement); }
    Insert& operator<<(const QString& text)
    {
        const QByteArray utf8 = text.toUtf8();
        sqlite3_bind_text(m_statement, ++m_column, utf8.constData(), int(utf8.size()), SQLITE_TRANSIENT);
        return *this;
    }
    Insert& operator<<(qint64 number)
    {
        sqlite3_bind_int64(m_statement, ++m_column, number);
        return *this;
    }
    Insert& operator<<(double number)
    {
        sqlite3_bind_double(m_statement, ++m_column, number);
        return *this;
    }
    void run()
    {
        if (sqlite3_step(m_statement) != SQLITE_DONE)
            throw DbError(QString::fromUtf8(sqlite3_errmsg(sqlite3_db_handle(m_statement))));
        sqlite3_reset(m_statement);
        m_column = 0;
    }

private:
    sqlite3_stmt* m_statement = nullptr;
    int m_column = 0;
};

// Runs one statement on the raw connection; a fault throws DbError.
void exec(sqlite3* db, const QString& sql);

// Writes the restaurant's history: masterData() once, day() for each day in order, then finish().
class Generator final
{
public:
    Generator(const Options& options, sqlite3* db)
        : m_options(options), m_db(db), m_random(options.seed),
          m_line(db,
                 "insert into xfmx(czm,xfxm,sl,xmdj,dzbl,dzje,ysje,jzr,xfsj,jzbj,jzzdh,hybh,tdbj,tdsl,tdbz,"
                 "sfdy,bz) values(?,?,?,?,?,?,?,?,?,'1',?,?,?,?,?,'1',?)"),
          m_visit(db, "insert into dj(djbh,czm,fjm,rs,xfzt,zdbh,zdbj,bz,fws,xfhj,jdsj,ldsj,jzdh) "
                      "values(?,?,?,?,'离店',?,?,'',?,?,?,?,?)"),
          m_bill(db, "insert into jzhz(zdh,czm,xfje,dzje,ssje,hybh,jzfs,jzr,jzsj,jzrq,bz) "
                     "values(?,?,?,?,?,?,?,?,?,?,?)"),
          m_booking(db, "insert into yd(ydbh,khxm,sjhm,lxdh,fjmc,czmc,zt,ydsj,qxsj,yj,bz,czy,yybcbh) "
                        "values(?,?,?,'',?,?,?,?,?,'','',?,?)"),
          m_entry(db, "insert into zcsr(xmm,je,jbr,bz,sfzc,fssj,djsj) values(?,?,?,'',?,?,?)"),
          m_log(db, "insert into log(log,date) values(?,?)")
    {
    }

    void masterData(Database& db);
    void day(const QDate& date);
    void finish();

private:
    struct Line
    {
        int dish = 0;          // index into m_dishes; -1 for the table fee
        qint64 quantity = 100; // hundredths
        qint64 price = 0;
        double ratio = 1;
        QDateTime time;
        qint64 returned = 0; // quantity returned from it (hundredths)
        qint64 returnOf = -1;
        QString reason;
        QString note;
        int table = 0;
    };
    struct Visit
    {
        QDateTime arrival;
        QDateTime leaving;
        QList<int> tables;
        int guests = 2;
    };

    int uniform(int low, int high) { return std::uniform_int_distribution<int>(low, high)(m_random); }
    bool chance(double p) { return std::bernoulli_distribution(p)(m_random); }
    QDateTime arrivalTime(const QDate& date);
    QList<int> seat(const Visit& visit, int count);
    void visit(const QDate& date, const Visit& v, const QString& bill);
    void bookings(const QDate& date, const QList<Visit>& visits);
    void entries(const QDate& date);

    Options m_options;
    sqlite3* m_db;
    std::mt19937 m_random;
    QList<Dish> m_dishes;
    QStringList m_tables;
    QStringList m_rooms;       // of each table
    QList<QDateTime> m_freeAt; // when each table is free again
    int m_nextTable = 0;
    int m_waiters = 0;
    QList<qint64> m_memberTotals; // cents, by member number - 1
    QList<double> m_memberRatios;
    QSet<QString> m_bookingNumbers;
    Insert m_line, m_visit, m_bill, m_booking, m_entry, m_log;
};

} // namespace BusyYear
