// pelvar-busy-year --data-dir DIR [--days 365] [--bills 1100] [--lines 10] [--tables 1000] [--from
// 2026-01-01]
//           [--seed 1] [--check]
// Writes the history of a busy restaurant into a new DIR/Pelvar.db, for the benchmarks. The file is
// made by the program's own schema code; then every day of the period gets its visits (groups of
// one to three tables, with waiters and reservations), their consumption lines (returns, gifts,
// member and manager discounts, table fees, fractional weights), their bills (cash, 其他, on account,
// free, with small change dropped), income and expense entries and the run log, spread over the
// opening hours and kept to the rules the program keeps: bill numbers of the day in checkout order,
// registration numbers from the arrival time, running totals, jzbj marks, return quantities, member
// totals. --check then compares what was written against those rules.
#include "Database.h"
#include "DbError.h"
#include "Field.h"
#include "Money.h"
#include "PinyinInitials.h"
#include "Prompt.h"
#include "Sql.h"

#include <algorithm>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QHash>
#include <QSet>
#include <QTextStream>
#include <random>
#include <sqlite3.h>

namespace {

class SilentPrompt final : public Prompt
{
public:
    Answer show(const QString&, const QString&, Icon, Buttons) override { return Answer::Ok; }
};

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

constexpr int kTablesPerRoom = 50;
const QStringList kCashiers{QStringLiteral("张敏"), QStringLiteral("刘洋"), QStringLiteral("陈静")};
const QString kTableFee = QStringLiteral("餐桌费");

QString money(qint64 cents)
{
    return Sql::money(double(cents) / 100);
}

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

void exec(sqlite3* db, const QString& sql)
{
    char* error = nullptr;
    if (sqlite3_exec(db, sql.toUtf8().constData(), nullptr, nullptr, &error) != SQLITE_OK) {
        const QString text = QString::fromUtf8(error);
        sqlite3_free(error);
        throw DbError(text);
    }
}

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

void Generator::masterData(Database& db)
{
    Transaction transaction(db);
    auto run = [&](const QString& statement) { db.ExecuteSql(statement); };
    run(QStringLiteral("update gs set gsmc='Orvo大酒楼', lxdh='010-88886666', dz='北京市朝阳区建国路88号'"));
    run(QStringLiteral("update dysz set bt1='Orvo大酒楼'"));
    run(QStringLiteral("insert into yybc(bcmc,qssj,jssj) values('午市',#2010-01-01 10:0:0#,#2010-01-01 "
                       "15:59:59#),('晚市',#2010-01-01 16:0:0#,#2010-01-01 23:59:59#)"));

    const QStringList rooms{QStringLiteral("大厅"),   QStringLiteral("二楼"), QStringLiteral("三楼"),
                            QStringLiteral("宴会厅"), QStringLiteral("包间"), QStringLiteral("露台")};
    for (int i = 0; i < m_options.tables; ++i) {
        const int room = i / kTablesPerRoom;
        const QString roomName = rooms.at(room % rooms.size()) +
                                 (room < rooms.size() ? QString() : QString::number(room / rooms.size() + 1));
        if (i % kTablesPerRoom == 0)
            run(QStringLiteral("insert into fj(fjm) values(%1)").arg(Sql::quote(roomName)));
        const QString table = QStringLiteral("%1%2")
                                  .arg(QChar(u'A' + room % 26))
                                  .arg(i % kTablesPerRoom + 1 + room / 26 * 100, 2, 10, QLatin1Char('0'));
        run(QStringLiteral("insert into cz(czm,zzws,fjm) values(%1,%2,%3)")
                .arg(Sql::quote(table))
                .arg(i % 5 == 4 ? 10 : 4)
                .arg(Sql::quote(roomName)));
        m_tables << table;
        m_rooms << roomName;
        m_freeAt << QDateTime();
    }

    // 300 dishes: every way of cooking with every ingredient, in ten categories.
    const QStringList categories{QStringLiteral("热菜"), QStringLiteral("凉菜"), QStringLiteral("烧腊"),
                                 QStringLiteral("汤羹"), QStringLiteral("主食"), QStringLiteral("海鲜"),
                                 QStringLiteral("小吃"), QStringLiteral("火锅"), QStringLiteral("甜品"),
                                 QStringLiteral("酒水")};
    const QStringList ways =
        QStringLiteral("红烧 清蒸 干煸 爆炒 糖醋 香辣 蒜蓉 椒盐 白灼 酱爆 水煮 宫保 鱼香 "
                       "麻辣 孜然 葱爆 黑椒 铁板 干锅 油焖")
            .split(QLatin1Char(' '));
    const QStringList foods =
        QStringLiteral("鸡丁 肉丝 排骨 牛肉 羊肉 鱼片 虾仁 豆腐 茄子 土豆 鸡翅 鸭舌 鱿鱼 带鱼 猪蹄")
            .split(QLatin1Char(' '));
    for (int i = 0; i < categories.size(); ++i)
        run(QStringLiteral("insert into lb(lbm,sfdz,dybt) values(%1,%2,%1)")
                .arg(Sql::quote(categories.at(i)), i == 9 ? QStringLiteral("'0'") : QStringLiteral("'1'")));
    for (const QString& way : ways)
        for (const QString& food : foods) {
            Dish dish;
            const int n = int(m_dishes.size());
            dish.name = way + food;
            dish.category = categories.at(n % categories.size());
            dish.discountable = n % categories.size() != 9;
            dish.weighed = n % 37 == 5;
            dish.price = 800 + qint64(uniform(0, 160)) * 100 + (n % 4 == 1 ? 50 : 0);
            run(QStringLiteral("insert into xm(xmbh,xmm,xmpy,dj,dw,lbm,sfdz,jhdj,ckcb) "
                               "values(%1,%2,%3,%4,%5,%6,%7,%8,%9)")
                    .arg(n + 1)
                    .arg(Sql::quote(dish.name), Sql::quote(GetPinyinInitials(dish.name)), money(dish.price),
                         dish.weighed ? QStringLiteral("'斤'") : QStringLiteral("'份'"),
                         Sql::quote(dish.category),
                         dish.discountable ? QStringLiteral("'1'") : QStringLiteral("'0'"),
                         money(dish.price * 40 / 100), money(dish.price * 45 / 100)));
            m_dishes << dish;
        }

    for (const QString& cashier : kCashiers)
        run(QStringLiteral(
                "insert into [user](xm,dzbl,zdmlje,kdqx,ddqx,jzqx,gzjzqx,ydqx,xgzdqx,symxqx,syhzqx,"
                "xstjqx,tdcxqx,zdcxqx,ldxfcxqx) values(%1,0.80,10.00,'1','1','1','1','1','1','1','1',"
                "'1','1','1','1')")
                .arg(Sql::quote(cashier)));
    const QString surnames = QStringLiteral("王李张刘陈杨黄赵");
    const QString given = QStringLiteral("芳娜静丽强磊军洋");
    for (QChar s : surnames)
        for (QChar g : given.left(5)) {
            const QString name = QString(s) + g;
            run(QStringLiteral("insert into fws(xm,jp,xb) values(%1,%2,%3)")
                    .arg(Sql::quote(name), Sql::quote(GetPinyinInitials(name)),
                         g == u'强' || g == u'磊' || g == u'军' ? QStringLiteral("'男'")
                                                                : QStringLiteral("'女'")));
            ++m_waiters;
        }
    run(QStringLiteral("insert into hydj(djmc,zq) values('金卡',0.85),('银卡',0.90),('普通卡',0.95)"));
    const double ratios[] = {0.85, 0.90, 0.95};
    for (int i = 0; i < 600; ++i) {
        const QString name = QString(surnames.at(i % 8)) + given.at(i / 8 % 8) + QString::number(i + 1);
        run(QStringLiteral("insert into hy(xm,xmpy,xb,phone,hydj,kh) values(%1,%2,'',%3,%4,%5)")
                .arg(Sql::quote(name), Sql::quote(GetPinyinInitials(name)),
                     Sql::quote(QStringLiteral("139%1").arg(10000000 + i * 7919)))
                .arg(i % 3 + 1)
                .arg(Sql::quote(QStringLiteral("VIP%1").arg(i + 1, 5, 10, QLatin1Char('0')))));
        m_memberTotals << 0;
        m_memberRatios << ratios[i % 3];
    }
    transaction.commit();
}

// Lunch and dinner bring most guests; a few come at any time the restaurant is open.
QDateTime Generator::arrivalTime(const QDate& date)
{
    const int r = uniform(0, 99);
    int second;
    if (r < 40)
        second = uniform(11 * 3600, 13 * 3600 + 1800);
    else if (r < 85)
        second = uniform(17 * 3600, 20 * 3600 + 1800);
    else
        second = uniform(10 * 3600, 21 * 3600 + 1800);
    return QDateTime(date, QTime(0, 0)).addSecs(second);
}

// `count` tables of one room that are free at the arrival, taken in turn.
QList<int> Generator::seat(const Visit& visit, int count)
{
    for (int tries = 0; tries < m_tables.size(); ++tries) {
        const int first = (m_nextTable + tries) % int(m_tables.size());
        if (first % kTablesPerRoom + count > kTablesPerRoom || first + count > m_tables.size())
            continue;
        bool free = true;
        for (int i = first; i < first + count && free; ++i)
            free = !m_freeAt.at(i).isValid() || m_freeAt.at(i) < visit.arrival;
        if (!free)
            continue;
        m_nextTable = first + count;
        QList<int> tables;
        for (int i = first; i < first + count; ++i) {
            m_freeAt[i] = visit.leaving;
            tables << i;
        }
        return tables;
    }
    throw DbError(QStringLiteral("too few tables for the guests of one moment"));
}

void Generator::day(const QDate& date)
{
    exec(m_db, QStringLiteral("begin"));
    // Arrivals in distinct seconds: the registration number is the arrival time.
    QSet<QDateTime> taken;
    QList<Visit> visits;
    for (int i = 0; i < m_options.bills; ++i) {
        Visit v;
        do
            v.arrival = arrivalTime(date);
        while (taken.contains(v.arrival));
        taken.insert(v.arrival);
        v.leaving = v.arrival.addSecs(uniform(40, 120) * 60);
        visits << v;
    }
    std::sort(visits.begin(), visits.end(),
              [](const Visit& a, const Visit& b) { return a.arrival < b.arrival; });
    for (Visit& v : visits) {
        const int r = uniform(0, 99);
        v.tables = seat(v, r < 88 ? 1 : r < 97 ? 2 : 3);
        v.guests = uniform(1, 6) * int(v.tables.size());
    }
    // Bills are numbered in the order the guests leave.
    QList<int> order(visits.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(),
                     [&](int a, int b) { return visits.at(a).leaving < visits.at(b).leaving; });
    const qint64 firstBill = date.toString(QStringLiteral("yyyyMMdd")).toLongLong() * 10000;
    for (int i = 0; i < order.size(); ++i)
        visit(date, visits.at(order.at(i)), QString::number(firstBill + i + 1));
    bookings(date, visits);
    entries(date);
    exec(m_db, QStringLiteral("commit"));
}

void Generator::visit(const QDate& date, const Visit& v, const QString& bill)
{
    const QString cashier = kCashiers.at(v.arrival.time().hour() < 16 ? 0 : 1 + date.day() % 2);
    const int member = chance(0.10) ? uniform(1, int(m_memberTotals.size())) : 0;
    const double ratio = member ? m_memberRatios.at(member - 1) : chance(0.03) ? 0.9 : 1.0;

    // What was ordered, spread over the stay, the popular dishes more often.
    QList<Line> lines;
    const bool tableFee = chance(0.05);
    const bool withReturn = chance(0.04);
    const int ordered = m_options.lines - (tableFee ? 1 : 0) - (withReturn ? 1 : 0);
    const qint64 stay = v.arrival.secsTo(v.leaving);
    for (int i = 0; i < ordered; ++i) {
        Line line;
        const double u = std::uniform_real_distribution<double>(0, 1)(m_random);
        line.dish = int(u * u * double(m_dishes.size()));
        const Dish& dish = m_dishes.at(line.dish);
        line.price = dish.price;
        line.quantity = dish.weighed ? (uniform(0, 1) ? 150 : 120) : (uniform(0, 9) < 8 ? 100 : 200);
        line.time = v.arrival.addSecs(60 + stay * i / (ordered + 2));
        line.table = v.tables.at(i % v.tables.size());
        line.note = i == 1 && chance(0.1) ? QStringLiteral("少辣") : QString();
        if (chance(0.03))
            line.ratio = 0; // given free
        lines << line;
    }
    if (withReturn) {
        const int of = uniform(0, ordered - 1);
        if (lines.at(of).ratio != 0) {
            Line back = lines.at(of);
            back.quantity = -qMin<qint64>(100, back.quantity);
            back.time = back.time.addSecs(300);
            back.returnOf = of;
            back.reason = QStringLiteral("上菜太慢");
            back.note.clear();
            lines[of].returned = -back.quantity;
            lines << back;
        }
    }
    if (tableFee) {
        Line fee;
        fee.dish = -1;
        fee.price = 500;
        fee.quantity = qint64(v.guests) * 100;
        fee.time = v.arrival.addSecs(30);
        fee.table = v.tables.first();
        lines << fee;
    }
    // A member's level, or a manager's discount, on every line that may be discounted.
    for (Line& line : lines)
        if (line.ratio != 0 && line.dish >= 0 && m_dishes.at(line.dish).discountable)
            line.ratio = line.returnOf >= 0 ? lines.at(line.returnOf).ratio : ratio;

    // Amounts as the screens write them: "%.2f" of the line's figures, a gift's discount unrounded.
    qint64 gross = 0, due = 0;
    QHash<int, double> tableTotals;
    for (const Line& line : lines) {
        const double quantity = double(line.quantity) / 100;
        const double grossAmount = double(line.price) / 100 * quantity;
        const QString lineDue = Sql::money(grossAmount * line.ratio);
        const double lineDiscount =
            line.ratio == 0 ? grossAmount : Field::toDouble(Sql::money(grossAmount * (1 - line.ratio)));
        gross += Money::cents(Field::toDouble(lineDue) + lineDiscount);
        due += Money::cents(Field::toDouble(lineDue));
        tableTotals[line.table] += grossAmount * line.ratio;
        const QString item = line.dish >= 0 ? m_dishes.at(line.dish).name : kTableFee;
        m_line << m_tables.at(line.table) << item << quantity << double(line.price) / 100 << line.ratio
               << lineDiscount << Field::toDouble(lineDue) << cashier << Sql::timeText(line.time) << bill
               << qint64(member)
               << (line.returnOf >= 0 ? QStringLiteral("1.00")
                   : line.returned    ? QStringLiteral("1")
                                      : QString())
               << double(line.returned) / 100 << line.reason << line.note;
        m_line.run();
    }

    // The payment: mostly cash, some small change dropped; signed for, 其他, or free with a note.
    const int r = uniform(0, 99);
    QString method = r < 83   ? QStringLiteral("现金")
                     : r < 93 ? QStringLiteral("其他")
                     : r < 98 ? QStringLiteral("挂账")
                              : QStringLiteral("免费");
    if (due <= 0)
        method = QStringLiteral("免费");
    qint64 received = method == QStringLiteral("免费") ? 0 : due;
    if (method == QStringLiteral("现金") && chance(0.3) && received % 100 != received)
        received -= received % 100;
    const QString note = method == QStringLiteral("挂账")   ? QStringLiteral("签单:华宇公司")
                         : method == QStringLiteral("免费") ? QStringLiteral("招待")
                                                            : QString();
    if (member)
        m_memberTotals[member - 1] += received;

    const QString registration = v.arrival.toString(QStringLiteral("yyyyMMddHHmmss"));
    const int waiter = chance(0.9) ? uniform(1, m_waiters) : 0;
    for (int i = 0; i < v.tables.size(); ++i) {
        const int table = v.tables.at(i);
        m_visit << (i == 0 ? registration : registration + QString::number(i)) << m_tables.at(table)
                << m_rooms.at(table) << qint64(v.guests / v.tables.size()) << registration
                << (i == 0 ? QStringLiteral("y") : QStringLiteral("n")) << qint64(waiter)
                << Field::toDouble(Sql::money(tableTotals.value(table))) << Sql::timeText(v.arrival)
                << Sql::timeText(v.leaving) << bill;
        m_visit.run();
    }
    m_bill << bill << m_tables.at(v.tables.first()) << double(gross) / 100 << double(gross - received) / 100
           << double(received) / 100 << qint64(member) << method << cashier << Sql::timeText(v.leaving)
           << date.toString(Qt::ISODate) << note;
    m_bill.run();
}

// Some guests booked the day before: their tables are marked arrived; a few bookings were cancelled.
void Generator::bookings(const QDate& date, const QList<Visit>& visits)
{
    const QDateTime madeFrom(date.addDays(-1), QTime(9, 0));
    int made = 0;
    auto book = [&](const Visit& v, const QString& state) {
        const QString number = madeFrom.addSecs(60 * made++).toString(QStringLiteral("yyyyMMddHHmmss"));
        const QDateTime expected = v.arrival.addSecs(-600);
        for (int table : v.tables) {
            m_booking << number << QStringLiteral("客人%1").arg(made)
                      << QStringLiteral("1380000%1").arg(made, 4, 10, QLatin1Char('0')) << m_rooms.at(table)
                      << m_tables.at(table) << state << Sql::timeText(expected)
                      << Sql::timeText(expected.addSecs(3600)) << kCashiers.first()
                      << qint64(expected.time().hour() < 16 ? 1 : 2);
            m_booking.run();
        }
    };
    const int step = qMax(1, int(visits.size()) / 25);
    for (int i = 0; i < visits.size(); i += step)
        book(visits.at(i), QStringLiteral("到达"));
    for (int i = step / 2; i < visits.size() && made < 30; i += step * 5)
        book(visits.at(i), QStringLiteral("取消"));
}

// Purchases every day, rent, wages and utilities on the first of the month, some income besides.
void Generator::entries(const QDate& date)
{
    const QString day = Sql::timeText(QDateTime(date, QTime(0, 0)));
    const QString recorded = Sql::timeText(QDateTime(date, QTime(21, 30)));
    auto entry = [&](const QString& name, qint64 cents, bool expense) {
        m_entry << name << double(expense ? -cents : cents) / 100 << QStringLiteral("王经理")
                << (expense ? QStringLiteral("1") : QStringLiteral("0")) << day << recorded;
        m_entry.run();
    };
    entry(QStringLiteral("蔬菜采购"), uniform(800, 1500) * 100, true);
    entry(QStringLiteral("肉类采购"), uniform(2000, 4000) * 100 + 50, true);
    entry(QStringLiteral("酒水采购"), uniform(500, 3000) * 100, true);
    if (date.day() == 1) {
        entry(QStringLiteral("房租"), 6000000, true);
        entry(QStringLiteral("员工工资"), 15000000, true);
        entry(QStringLiteral("水电费"), uniform(6000, 9000) * 100, true);
    }
    if (date.dayOfWeek() == 6)
        entry(QStringLiteral("包场收入"), 300000, false);
    if (chance(0.2))
        entry(QStringLiteral("废品回收"), uniform(20, 80) * 100, false);
    for (const QString& cashier : kCashiers) {
        m_log << QStringLiteral("用户“") + cashier + QStringLiteral("”登陆系统")
              << Sql::timeText(QDateTime(date, QTime(9, 50)));
        m_log.run();
        m_log << QStringLiteral("用户“") + cashier + QStringLiteral("”退出系统")
              << Sql::timeText(QDateTime(date, QTime(23, 40)));
        m_log.run();
    }
}

void Generator::finish()
{
    exec(m_db, QStringLiteral("begin"));
    for (int i = 0; i < m_memberTotals.size(); ++i)
        exec(m_db,
             QStringLiteral("update hy set xfze=%1 where bh=%2").arg(money(m_memberTotals.at(i))).arg(i + 1));
    exec(m_db, QStringLiteral("commit"));
}

// Statements that find no row when the file keeps the program's rules.
const char* const kChecks[][2] = {
    {"bills whose amounts differ from their lines",
     "select zdh from jzhz left join (select jzzdh,sum(round(ysje*100)+round(dzje*100)) as gross,"
     "sum(round(ysje*100)) as due from xfmx group by jzzdh) on jzzdh=zdh where gross is null or "
     "round(xfje*100)<>gross or round(dzje*100)+round(ssje*100)<>gross or round(ssje*100)>due "
     "or (jzfs<>'免费' and (ssje<=0 or due-round(ssje*100)>1000)) limit 5"},
    {"visits whose running total differs from their lines",
     "select djbh from dj left join (select jzzdh,czm,sum(xmdj*dzbl*sl) as total from xfmx group by "
     "jzzdh,czm) l on l.jzzdh=dj.jzdh and l.czm=dj.czm where abs(dj.xfhj-coalesce(total,0))>0.006 limit 5"},
    {"bills without a main registration", "select zdh from jzhz where not exists (select 1 from dj where "
                                          "dj.jzdh=jzhz.zdh and dj.zdbj='y' and dj.czm=jzhz.czm) limit 5"},
    {"bill numbers not of their day", "select zdh from jzhz where substr(zdh,1,8)<>replace(jzrq,'-','') or "
                                      "length(zdh)<>12 or jzrq<>substr(jzsj,1,10) limit 5"},
    {"lines outside their visit", "select xfbh from xfmx join dj on dj.jzdh=xfmx.jzzdh and dj.czm=xfmx.czm "
                                  "where xfmx.xfsj<dj.jdsj or xfmx.xfsj>dj.ldsj limit 5"},
    {"returns not taken from their line",
     "select r.czm from (select jzzdh,xfxm,-sum(sl) as back from xfmx where sl<0 group by jzzdh,xfxm) r "
     "left join (select jzzdh,xfxm,sum(tdsl) as tdsl from xfmx where tdbj='1' group by jzzdh,xfxm) o "
     "using (jzzdh,xfxm) where round(back*100)<>round(coalesce(tdsl,0)*100) limit 5"},
    {"gifts with an amount due",
     "select xfbh from xfmx where dzbl=0 and (ysje<>0 or round(dzje*100)<>round(xmdj*sl*100)) limit 5"},
    {"members whose total differs from their bills",
     "select bh from hy where round(xfze*100)<>(select coalesce(sum(round(ssje*100)),0) from jzhz where "
     "hybh=hy.bh) limit 5"},
    {"tables busy twice at once", "select djbh from (select djbh,jdsj,lag(ldsj) over (partition by czm order "
                                  "by jdsj) as before from dj) where before>jdsj limit 5"},
    {"day totals that differ from the lines",
     "with l as (select substr(xfsj,1,10),xfxm,case when jzbj='1' then '1' else '0' "
     "end,count(*),sum(round(sl*10000)),"
     "sum(round(dzje*10000)),sum(round(ysje*10000)) from xfmx group by 1,2,3), t as (select rq,xfxm,jzbj,ts,"
     "sl,dzje,ysje from xfrhz) select * from (select * from l except select "
     "* "
     "from t) union all select * from (select * from t except select * from l) limit 5"},
    {"waiters' day totals that differ from the lines",
     "with l as (select substr(xfsj,1,10),dj.fws,xfxm,count(*),sum(round(sl*10000)),sum(round(dzje*10000)),"
     "sum(round(ysje*10000)) from xfmx,dj where dj.jzdh=xfmx.jzzdh and dj.czm=xfmx.czm group by 1,2,3), t as "
     "(select rq,fws,xfxm,ts,sl,dzje,ysje from fwsrhz) select * from "
     "(select * "
     "from l except select * from t) union all select * from (select * from t except select * from l) limit "
     "5"},
};

Options parse(const QStringList& arguments, bool& ok)
{
    Options o;
    ok = true;
    for (int i = 1; i < arguments.size() && ok; ++i) {
        const QString& a = arguments.at(i);
        const QString value = arguments.value(i + 1);
        auto number = [&](int& field) {
            field = value.toInt(&ok);
            ok = ok && field > 0;
            ++i;
        };
        if (a == QLatin1String("--data-dir"))
            o.folder = value, ++i;
        else if (a == QLatin1String("--days"))
            number(o.days);
        else if (a == QLatin1String("--bills"))
            number(o.bills);
        else if (a == QLatin1String("--lines"))
            number(o.lines);
        else if (a == QLatin1String("--tables"))
            number(o.tables);
        else if (a == QLatin1String("--from"))
            o.from = QDate::fromString(value, Qt::ISODate), ok = o.from.isValid(), ++i;
        else if (a == QLatin1String("--seed"))
            o.seed = value.toUInt(&ok), ++i;
        else if (a == QLatin1String("--check"))
            o.check = true;
        else
            ok = false;
    }
    ok = ok && !o.folder.isEmpty() && o.lines >= 3 && o.bills < 10000;
    return o;
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    bool ok = false;
    const Options options = parse(app.arguments(), ok);
    QTextStream err(stderr);
    if (!ok) {
        err << "usage: pelvar-busy-year --data-dir DIR [--days 365] [--bills 1100] [--lines 10] [--tables "
               "1000] "
               "[--from 2026-01-01] [--seed 1] [--check]"
            << Qt::endl;
        return 2;
    }
    QDir().mkpath(options.folder);
    const QString path = QDir(options.folder).filePath(Database::kFileName);
    if (QFile::exists(path)) {
        err << path << " exists already; give a new folder" << Qt::endl;
        return 1;
    }
    QElapsedTimer timer;
    timer.start();
    SilentPrompt prompt;
    sqlite3* raw = nullptr;
    try {
        Database db(prompt);
        db.open(path);
        // The bulk of the rows goes through one connection of its own, with prepared statements.
        sqlite3_open(path.toUtf8().constData(), &raw);
        exec(raw, QStringLiteral("pragma recursive_triggers=on"));
        exec(raw, QStringLiteral("pragma synchronous=off"));
        exec(raw, QStringLiteral("pragma cache_size=-1000000"));
        {
            Generator generator(options, raw);
            // The master rows through the program's own layer (the raw connection waits).
            generator.masterData(db);
            db.close();
            // The program's write-ahead log again once written (a file that is not yet anybody's
            // needs no journal).
            exec(raw, QStringLiteral("pragma journal_mode=off"));
            for (int d = 0; d < options.days; ++d) {
                generator.day(options.from.addDays(d));
                if (d % 30 == 29)
                    err << "day " << d + 1 << ": " << timer.elapsed() / 1000 << " s" << Qt::endl;
            }
            generator.finish();
        }
        exec(raw, QStringLiteral("pragma journal_mode=wal"));
        err << "written in " << timer.elapsed() / 1000 << " s" << Qt::endl;
        int faults = 0;
        if (options.check)
            for (const auto& check : kChecks) {
                sqlite3_stmt* statement = nullptr;
                sqlite3_prepare_v2(raw, check[1], -1, &statement, nullptr);
                const bool found = sqlite3_step(statement) == SQLITE_ROW;
                err << (found ? "FAULT " : "ok    ") << check[0]
                    << (found ? QStringLiteral(": ") + QString::fromUtf8(reinterpret_cast<const char*>(
                                                           sqlite3_column_text(statement, 0)))
                              : QString())
                    << Qt::endl;
                faults += found;
                sqlite3_finalize(statement);
            }
        sqlite3_close(raw);
        err << "done in " << timer.elapsed() / 1000 << " s" << Qt::endl;
        return faults ? 1 : 0;
    } catch (const DbError& e) {
        err << e.description() << Qt::endl;
        sqlite3_close(raw);
        return 1;
    }
}
