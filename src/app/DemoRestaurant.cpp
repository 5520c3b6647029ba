#include "DemoRestaurant.h"

#include "Clock.h"
#include "ConsumptionList.h"
#include "Database.h"
#include "EntryFile.h"
#include "PasswordHash.h"
#include "Sql.h"

#include <iterator>
#include <QStringList>

namespace {

struct Dish
{
    const char* name;
    double price;
    const char* unit;
    const char* category;
};

// Name, price, unit, category; cost is taken as about 40 % of the price.
const Dish kDishes[] = {
    {"宫保鸡丁", 28, "份", "热菜"},   {"鱼香肉丝", 26, "份", "热菜"},   {"麻婆豆腐", 18, "份", "热菜"},
    {"红烧鲤鱼", 58, "条", "热菜"},   {"回锅肉", 32, "份", "热菜"},     {"水煮鱼", 68, "份", "热菜"},
    {"糖醋里脊", 36, "份", "热菜"},   {"京酱肉丝", 32, "份", "热菜"},   {"干煸豆角", 22, "份", "热菜"},
    {"地三鲜", 20, "份", "热菜"},     {"红烧肉", 42, "份", "热菜"},     {"清蒸鳜鱼", 98, "条", "热菜"},
    {"辣子鸡", 46, "份", "热菜"},     {"酸菜鱼", 62, "份", "热菜"},     {"西红柿炒鸡蛋", 16, "份", "热菜"},
    {"青椒土豆丝", 12, "份", "热菜"}, {"孜然羊肉", 52, "份", "热菜"},   {"蒜蓉西兰花", 18, "份", "热菜"},
    {"拍黄瓜", 10, "份", "凉菜"},     {"凉拌木耳", 14, "份", "凉菜"},   {"夫妻肺片", 32, "份", "凉菜"},
    {"口水鸡", 36, "份", "凉菜"},     {"皮蛋豆腐", 12, "份", "凉菜"},   {"老醋花生", 12, "份", "凉菜"},
    {"凉拌三丝", 12, "份", "凉菜"},   {"酱牛肉", 48, "份", "凉菜"},     {"白切鸡", 38, "份", "凉菜"},
    {"北京烤鸭", 128, "只", "烧腊"},  {"叉烧", 42, "份", "烧腊"},       {"烧鹅", 68, "份", "烧腊"},
    {"脆皮烧肉", 46, "份", "烧腊"},   {"卤水拼盘", 58, "份", "烧腊"},   {"酸辣汤", 18, "份", "汤羹"},
    {"西湖牛肉羹", 28, "份", "汤羹"}, {"紫菜蛋花汤", 12, "份", "汤羹"}, {"冬瓜排骨汤", 32, "份", "汤羹"},
    {"老鸭汤", 58, "份", "汤羹"},     {"米饭", 2, "碗", "主食"},        {"饺子", 24, "斤", "主食"},
    {"馄饨", 16, "碗", "主食"},       {"扬州炒饭", 18, "份", "主食"},   {"牛肉面", 22, "碗", "主食"},
    {"葱油饼", 8, "张", "主食"},      {"小笼包", 18, "笼", "主食"},     {"馒头", 1, "个", "主食"},
    {"炸酱面", 18, "碗", "主食"},     {"可乐330ml", 5, "听", "酒水"},   {"雪碧330ml", 5, "听", "酒水"},
    {"青岛啤酒", 8, "瓶", "酒水"},    {"雪花啤酒", 6, "瓶", "酒水"},    {"橙汁", 28, "扎", "酒水"},
    {"王老吉", 6, "罐", "酒水"},      {"矿泉水", 3, "瓶", "酒水"},      {"二锅头", 18, "瓶", "酒水"},
    {"五粮液", 1280, "瓶", "酒水"},   {"茉莉花茶", 20, "壶", "酒水"},   {"杨枝甘露", 22, "份", "甜品"},
    {"双皮奶", 16, "份", "甜品"},     {"红豆沙", 12, "份", "甜品"},     {"果盘", 38, "份", "甜品"},
    {"餐桌费", 10, "位", "其他"},
};

struct Category
{
    const char* name;
    const char* printer;
    const char* title;
};

const Category kCategories[] = {
    {"热菜", "kitchen-hot", "热菜厨房"},  {"凉菜", "kitchen-cold", "凉菜间"},
    {"烧腊", "kitchen-cold", "烧腊间"},   {"汤羹", "kitchen-hot", "热菜厨房"},
    {"主食", "kitchen-pastry", "面点间"}, {"酒水", "", "吧台"},
    {"甜品", "kitchen-pastry", "面点间"}, {"其他", "", ""},
};

} // namespace

void DemoRestaurant::fill(Database& db, const QString& folder,
                          const std::function<QString(const QString&)>& pinyin)
{
    Transaction transaction(db);
    auto run = [&](const QString& statement) { db.ExecuteSql(statement); };

    run(QStringLiteral(
        "update gs set gsmc='Orvo示例餐厅', lxdh='010-88886666', dz='北京市朝阳区建国路88号'"));
    // The receipt prints the restaurant's name under the first title: the titles greet and tell
    // where to call.
    run(QStringLiteral("update dysz set bt1='欢迎光临', bt2='订餐电话:010-88886666'"));

    const QStringList rooms = {QStringLiteral("大厅"), QStringLiteral("包间"), QStringLiteral("露台")};
    for (const QString& room : rooms)
        run(QStringLiteral("insert into fj (fjm, csfy) values (%1, '')").arg(Sql::quote(room)));
    auto table = [&](const QString& name, int seats, const QString& room) {
        run(QStringLiteral("insert into cz (czm, zzws, fjm) values (%1, %2, %3)")
                .arg(Sql::quote(name))
                .arg(seats)
                .arg(Sql::quote(room)));
    };
    for (int i = 1; i <= 12; ++i)
        table(QStringLiteral("A%1").arg(i, 2, 10, QLatin1Char('0')), i <= 8 ? 4 : 6, rooms[0]);
    for (const char* name : {"牡丹厅", "芙蓉厅", "兰花厅", "翠竹厅", "梅花厅"})
        table(QString::fromUtf8(name), 10, rooms[1]);
    for (int i = 1; i <= 4; ++i)
        table(QStringLiteral("T%1").arg(i), 2, rooms[2]);

    for (const Category& c : kCategories)
        run(QStringLiteral("insert into lb (lbm, sfdz, dyjmc, dybt, dyfs, dyqz, qskh, jskh) "
                           "values (%1, '%2', %3, %4, '1', '1', '1', '3')")
                .arg(Sql::quote(QString::fromUtf8(c.name)))
                .arg(qstrcmp(c.name, "酒水") == 0 ? QLatin1Char('0') : QLatin1Char('1'))
                .arg(Sql::quote(QString::fromUtf8(c.printer)), Sql::quote(QString::fromUtf8(c.title))));

    int number = 1;
    for (const Dish& d : kDishes) {
        const QString name = QString::fromUtf8(d.name);
        run(QStringLiteral(
                "insert into xm (xmbh, xmm, xmpy, dj, dw, lbm, sfdz, jhdj, ckcb, kcsp, dqkc, nfxs) "
                "values (%1, %2, %3, '%4', %5, %6, '1', '%7', '%7', '0', 0, '1')")
                .arg(number++)
                .arg(Sql::quote(name), Sql::quote(pinyin(name)), Sql::money(d.price),
                     Sql::quote(QString::fromUtf8(d.unit)), Sql::quote(QString::fromUtf8(d.category)),
                     Sql::money(d.price * 0.4)));
    }

    // Each dish takes its category's discount flag, as editing the category gives it.
    run(QStringLiteral("update xm set sfdz=(select sfdz from lb where lb.lbm=xm.lbm)"));

    const char* const waiters[][5] = {{"张丽", "女", "1996-04-12", "13612340001", "110105199604120021"},
                                      {"王芳", "女", "1998-09-03", "13612340002", "110105199809030044"},
                                      {"李强", "男", "1993-11-25", "13612340003", "110105199311250013"},
                                      {"赵敏", "女", "2000-02-17", "13612340004", "110105200002170028"}};
    for (const auto& w : waiters) {
        const QString name = QString::fromUtf8(w[0]);
        run(QStringLiteral(
                "insert into fws (xm, jp, xb, csrq, lxfs, sfz) values (%1, %2, %3, '%4', '%5', '%6')")
                .arg(Sql::quote(name), Sql::quote(pinyin(name)), Sql::quote(QString::fromUtf8(w[1])),
                     QLatin1String(w[2]), QLatin1String(w[3]), QLatin1String(w[4])));
    }

    // Besides the administrator: a cashier who opens, orders, settles and books, and a manager who
    // also keeps the restaurant's data and reads the reports. Neither may clear or restore data.
    const QStringList cashier = {QStringLiteral("kdqx"), QStringLiteral("ddqx"), QStringLiteral("jzqx"),
                                 QStringLiteral("ydqx")};
    const QStringList manager =
        cashier + QStringList{"xgzdqx", "gzjzqx", "fjqx",   "czqx",   "xmlbqx", "xmqx",   "fwsqx",
                              "hyqx",   "symxqx", "syhzqx", "xstjqx", "tdcxqx", "zdcxqx", "ldxfcxqx"};
    auto staff = [&](const QString& name, const QString& password, const QString& phone, const char* ratio,
                     const char* roundOff, const QString& note, const QStringList& rights) {
        QStringList granted;
        for (const QString& right : rights)
            granted << right + QStringLiteral("='1'");
        run(QStringLiteral(
                "insert into [user] (xm, mm, dh, dzbl, zdmlje, bz) values (%1, %2, %3, %4, %5, %6)")
                .arg(Sql::quote(name), Sql::quote(PasswordHash::make(password)), Sql::quote(phone),
                     QLatin1String(ratio), QLatin1String(roundOff), Sql::quote(note)));
        run(QStringLiteral("update [user] set %1 where xm=%2")
                .arg(granted.join(QLatin1Char(',')), Sql::quote(name)));
    };
    staff(QStringLiteral("郑丽"), QStringLiteral("1111"), QStringLiteral("13712345601"), "0.90", "5.00",
          QStringLiteral("前台收银,示例密码1111"), cashier);
    staff(QStringLiteral("陈经理"), QStringLiteral("2222"), QStringLiteral("13712345602"), "0.70", "50.00",
          QStringLiteral("餐厅经理,示例密码2222"), manager);

    run(QStringLiteral("insert into hydj (djmc, zq) values ('普通会员', 0.95)"));
    run(QStringLiteral("insert into hydj (djmc, zq) values ('银卡会员', 0.9)"));
    run(QStringLiteral("insert into hydj (djmc, zq) values ('金卡会员', 0.8)"));
    const char* const members[][7] = {
        {"刘洋", "男", "1985-06-18", "13800138000", "1", "1001", "喜欢靠窗的位子"},
        {"陈静", "女", "1990-12-08", "13912345678", "2", "1002", "不吃香菜"},
        {"周杰", "男", "1978-03-22", "13698765432", "3", "1003", "常订包间宴请"},
        {"孙丽华", "女", "1995-08-30", "13511112222", "1", "1004", ""}};
    const double spent[] = {356.5, 1280, 5620, 88};
    for (int i = 0; i < int(std::size(members)); ++i) {
        const auto& m = members[i];
        const QString name = QString::fromUtf8(m[0]);
        run(QStringLiteral("insert into hy (xm, xmpy, xb, sr, phone, hydj, kh, bz, xfze) "
                           "values (%1, %2, %3, '%4', '%5', %6, '%7', %8, %9)")
                .arg(Sql::quote(name), Sql::quote(pinyin(name)), Sql::quote(QString::fromUtf8(m[1])),
                     QLatin1String(m[2]), QLatin1String(m[3]), QLatin1String(m[4]), QLatin1String(m[5]),
                     Sql::quote(QString::fromUtf8(m[6])), Sql::money(spent[i])));
    }

    // Shift times live on 2010-01-01; only the time of day counts.
    run(QStringLiteral(
        "insert into yybc (bcmc, qssj, jssj) values ('早市', #2010-01-01 0:0:0#, #2010-01-01 10:30:0#)"));
    run(QStringLiteral(
        "insert into yybc (bcmc, qssj, jssj) values ('午市', #2010-01-01 10:30:0#, #2010-01-01 16:30:0#)"));
    run(QStringLiteral(
        "insert into yybc (bcmc, qssj, jssj) values ('晚市', #2010-01-01 16:30:0#, #2010-01-01 23:59:59#)"));

    // Today's reservation lies in the shift that is running now, so the board shows it at once.
    const QDateTime now = Clock::now();
    const QTime time = now.time();
    int shift = 3;
    QTime shiftEnd(23, 59, 59);
    if (time < QTime(10, 30)) {
        shift = 1;
        shiftEnd = QTime(10, 30);
    } else if (time < QTime(16, 30)) {
        shift = 2;
        shiftEnd = QTime(16, 30);
    }
    auto later = [&](QTime t, int seconds) {
        const QTime r = t.addSecs(seconds);
        return (r < t || r > shiftEnd) ? shiftEnd : r;
    };
    const QDateTime arrival(now.date(), later(time, 30 * 60));
    const QDateTime holdUntil(now.date(), later(arrival.time(), 30 * 60));
    run(QStringLiteral(
            "insert into yd (ydbh, khxm, sjhm, lxdh, fjmc, czmc, zt, ydsj, qxsj, yj, bz, czy, yybcbh) "
            "values ('%1', '孙先生', '13700001111', '13700001111', '包间', '牡丹厅', '已订', %2, %3, "
            "'200', '生日宴', '系统管理员', %4)")
            .arg(now.toString(QStringLiteral("yyyyMMddHHmmss")), Sql::timeLiteral(arrival),
                 Sql::timeLiteral(holdUntil))
            .arg(shift));

    transaction.commit();

    // The lists the ordering screen offers for taste notes and returns.
    const std::pair<QString, QStringList> lists[] = {
        {ConsumptionList::kTasteFile,
         {QStringLiteral("少辣"), QStringLiteral("微辣"), QStringLiteral("不要辣"),
          QStringLiteral("不要香菜"), QStringLiteral("少盐"), QStringLiteral("少油"),
          QStringLiteral("不要葱蒜"), QStringLiteral("打包")}},
        {ConsumptionList::kReturnReasonFile,
         {QStringLiteral("上错菜"), QStringLiteral("客人不要了"), QStringLiteral("上菜太慢"),
          QStringLiteral("菜品质量问题"), QStringLiteral("点错菜")}},
    };
    for (const auto& [file, entries] : lists)
        for (const QString& entry : entries)
            EntryFile(folder, file).remember(entry);
}
