#include "Clock.h"
#include "CUserDlg.h"
#include "OperatorAccounts.h"
#include "OperatorChange.h"
#include "OperatorLog.h"
#include "PasswordHash.h"
#include "SettingsPageFixture.h"
#include "Sql.h"
#include "TestMain.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QScopeGuard>
#include <QTest>

namespace {

const QString kAdmin = QStringLiteral("系统管理员");

// 系统管理员's password, as its first login sets it.
void administratorPassword(TestDatabase& t, const QString& password = QStringLiteral("admin"))
{
    t.exec(QStringLiteral("update [user] set mm=%1 where xm='系统管理员'")
               .arg(Sql::quote(PasswordHash::make(password))));
}

Operator stored(TestDatabase& t, const QString& name)
{
    return Operator::fromRecord(t.db.query("select * from [user] where xm=" + Sql::quote(name)));
}

// The administrator (without czyqx, password "admin"); 张三 (password "abc", lowest ratio 0.80,
// round-off 10) with every right but 会员管理, 数据清理 and 数据还原; 无权 (password "none",
// 0.90, 5) without 操作员管理 and 会员管理. Then `name` logs in.
Operator staffAndLogIn(TestDatabase& t, const QString& name)
{
    t.exec(QStringLiteral("update [user] set czyqx='0' where xm='系统管理员'"));
    administratorPassword(t);
    addOperator(t, QStringLiteral("张三"), {"hyqx", "sjqlqx", "sjhyqx"}, QStringLiteral("abc"));
    addOperator(t, QStringLiteral("无权"), {"czyqx", "hyqx"}, QStringLiteral("none"));
    t.exec("update [user] set dzbl=0.8, zdmlje=10 where xm='张三'");
    t.exec("update [user] set dzbl=0.9, zdmlje=5, dh='139', bz='早班' where xm='无权'");
    const QHash<QString, QString> passwords{{kAdmin, "admin"}, {"张三", "abc"}, {"无权", "none"}};
    Operator op;
    OperatorAccounts(t.db, t.prompt).login(name, passwords.value(name), op);
    t.prompt.clear();
    return op;
}

OperatorRecord record(const QString& name, const QString& roundOff = QStringLiteral("5"),
                      const QString& ratio = QStringLiteral("0.8"))
{
    return {name, QStringLiteral("13800000000"), ratio, roundOff, QStringLiteral("早班"), {}};
}

QLineEdit* field(QWidget* dialog, int index)
{
    return dialog->findChildren<QLineEdit*>().at(index);
}

} // namespace

class TestOperators : public QObject
{
    Q_OBJECT
private slots:
    void passwordHash();
    void login_data();
    void login();
    void firstLogin();
    void vouch();
    void repeatedFailuresSlowDown();
    void changePassword();
    void pageCommands_data();
    void pageCommands();
    void saveChecksInOrder_data();
    void saveChecksInOrder();
    void operatorRightStopsAtItsHolder_data();
    void operatorRightStopsAtItsHolder();
    void changesAreLogged();
    void namesAreTrimmed_data();
    void namesAreTrimmed();
    void everyRightToItsColumn();
    void changeKeepsOrReplacesThePassword();
    void operatorDialog();
};

// Salted; the stored text is not the password and never opens the account itself.
void TestOperators::passwordHash()
{
    const QString stored = PasswordHash::make(QStringLiteral("密码s3"));
    QVERIFY(PasswordHash::matches(QStringLiteral("密码s3"), stored) &&
            !PasswordHash::matches(QStringLiteral("密码s4"), stored));
    QVERIFY(!stored.contains(QStringLiteral("密码")) && stored != PasswordHash::make(QStringLiteral("密码s3")));
    QVERIFY(!PasswordHash::matches(QStringLiteral("密码s3"), QStringLiteral("密码s3")));
}

void TestOperators::login_data()
{
    QTest::addColumn<QString>("entry"); // name and password
    QTest::addColumn<bool>("ok");
    QTest::newRow("administrator") << "系统管理员|admin" << true;
    QTest::newRow("administrator, empty password") << "系统管理员|" << false;
    QTest::newRow("operator") << "张三|abc" << true;
    QTest::newRow("operator, empty password") << "张三|" << false;
    QTest::newRow("operator, wrong case") << "张三|ABC" << false;
    QTest::newRow("unknown operator") << "李四|abc" << false;
}

void TestOperators::login()
{
    QFETCH(QString, entry);
    QFETCH(bool, ok);
    const QString name = entry.section(QLatin1Char('|'), 0, 0);
    TestDatabase t;
    administratorPassword(t);
    addOperator(t, QStringLiteral("张三"), {QStringLiteral("kdqx")}, QStringLiteral("abc"));
    t.exec(QStringLiteral("update [user] set ddqx=null where xm='张三'"));
    Operator op;
    QCOMPARE(OperatorAccounts(t.db, t.prompt).login(name, entry.section(QLatin1Char('|'), 1), op), ok);
    QCOMPARE(t.prompt.texts(), ok ? QStringList() : QStringList{QStringLiteral("密码不正确!")});
    QCOMPARE(t.scalar("select group_concat(log) from log"),
             QString(ok ? "用户“%1”登陆系统" : "用户“%1”登陆失败").arg(name));
    // A right held as "0" or null is not granted.
    QCOMPARE(op.name() + (op.may(Right::Kdqx) || op.may(Right::Ddqx) ? "+" : "") +
                 (op.may(Right::Sjhyqx) ? "+" : ""),
             ok ? name + (name == kAdmin ? "++" : "+") : "");
}

// A new database's 系统管理员 has no password: nobody logs in before it has one, and its first
// login sets it. From then on the empty password opens nothing.
void TestOperators::firstLogin()
{
    TestDatabase t;
    addOperator(t, QStringLiteral("张三"), {}, QStringLiteral("abc"));
    OperatorAccounts accounts(t.db, t.prompt);
    Operator op;
    bool mustSet = false;
    QVERIFY(!accounts.login(QStringLiteral("张三"), QStringLiteral("abc"), op, &mustSet));
    QVERIFY(!accounts.login(kAdmin, QStringLiteral("x"), op, &mustSet) && !mustSet);
    QVERIFY(!accounts.login(kAdmin, QString(), op, &mustSet) && mustSet && op.name().isEmpty());
    QVERIFY(!accounts.setFirstPassword(kAdmin, QString(), QString(), op));
    QVERIFY(!accounts.setFirstPassword(kAdmin, QStringLiteral("pw"), QStringLiteral("pv"), op));
    QVERIFY(accounts.setFirstPassword(kAdmin, QStringLiteral("pw"), QStringLiteral("pw"), op));
    QVERIFY(op.isAdministrator() && op.may(Right::Sjhyqx));
    QCOMPARE(t.prompt.texts(), QStringList({OperatorAccounts::kAdministratorFirst, "密码不正确!",
                                            "密码不能为空!", "两次密码输入不一致!"}));
    t.prompt.clear();
    QVERIFY(!accounts.login(kAdmin, QString(), op, &mustSet) && !mustSet);
    QVERIFY(!accounts.setFirstPassword(kAdmin, QStringLiteral("mine"), QStringLiteral("mine"), op));
    QVERIFY(accounts.login(QStringLiteral("张三"), QStringLiteral("abc"), op));
    QVERIFY(accounts.login(kAdmin, QStringLiteral("pw"), op));
    QCOMPARE(t.prompt.texts(), QStringList({"密码不正确!", "密码不正确!"}));
    QCOMPARE(t.scalar("select group_concat(log,'|') from log"),
             QStringLiteral("用户“系统管理员”登陆失败|用户“系统管理员”设置密码|用户“系统管理员”登陆系统|"
                            "用户“系统管理员”登陆失败|用户“张三”登陆系统|用户“系统管理员”登陆系统"));
}

// The discount dialog's switch: an operator vouches with his password; an account without one
// vouches for nothing.
void TestOperators::vouch()
{
    TestDatabase t;
    addOperator(t, QStringLiteral("张三"), {}, QStringLiteral("abc"));
    OperatorAccounts accounts(t.db, t.prompt);
    QVERIFY(!accounts.vouch(kAdmin, QString()));
    QVERIFY(!accounts.vouch(QStringLiteral("张三"), QStringLiteral("abd")));
    QVERIFY(accounts.vouch(QStringLiteral("张三"), QStringLiteral("abc")));
    QCOMPARE(t.prompt.texts(), QStringList({"密码不正确!", "密码不正确!"}));
    QCOMPARE(t.scalar("select group_concat(log,'|') from log"),
             QStringLiteral("用户“系统管理员”打折授权失败|用户“张三”打折授权失败|用户“张三”打折授权"));
}

// Each failure is in the run log; after three in a row the operator's password is not tried for
// 5 seconds, then 10, 20 ... up to five minutes; a success starts the count again. Vouching for a
// discount counts as a login does; other operators are not held up.
void TestOperators::repeatedFailuresSlowDown()
{
    TestDatabase t;
    administratorPassword(t);
    addOperator(t, QStringLiteral("张三"), {}, QStringLiteral("abc"));
    OperatorAccounts accounts(t.db, t.prompt);
    const QDateTime start(QDate(2026, 12, 6), QTime(12, 30));
    const auto cleared = qScopeGuard([] { Clock::clearFixed(); });
    auto at = [&](int seconds, const char* password) {
        Clock::setFixed(start.addSecs(seconds));
        t.prompt.clear();
        Operator op;
        return accounts.login(QStringLiteral("张三"), QLatin1String(password), op) ? QStringLiteral("ok")
                                                                                   : t.prompt.last();
    };
    const QString wrong = QStringLiteral("密码不正确!");
    for (int i = 0; i < 3; ++i)
        QCOMPARE(at(0, "x"), wrong);
    QCOMPARE(at(0, "abc"), OperatorLog::waitMessage(5));
    QCOMPARE(at(4, "abc"), OperatorLog::waitMessage(1));
    Operator admin;
    QVERIFY(accounts.login(kAdmin, QStringLiteral("admin"), admin));
    QCOMPARE(at(5, "abc"), QStringLiteral("ok"));
    for (int i = 0; i < 3; ++i)
        QCOMPARE(at(10, "x"), wrong);
    QCOMPARE(at(15, "x"), wrong);
    QCOMPARE(at(15, "abc"), OperatorLog::waitMessage(10));
    QCOMPARE(at(25, "x"), wrong);
    QCOMPARE(at(25, "abc"), OperatorLog::waitMessage(20));
    QCOMPARE(at(3600, "abc"), QStringLiteral("ok"));
    QCOMPARE(t.scalar("select count(*) from log where log='用户“张三”登陆失败'"), "8");
    for (int i = 0; i < 3; ++i)
        QVERIFY(!accounts.vouch(QStringLiteral("张三"), QStringLiteral("x")));
    QCOMPARE(at(3600, "abc"), OperatorLog::waitMessage(5));
    QVERIFY(!accounts.vouch(QStringLiteral("张三"), QStringLiteral("abc")));
    QCOMPARE(t.prompt.last(), OperatorLog::waitMessage(5));
}

void TestOperators::changePassword()
{
    TestDatabase t;
    administratorPassword(t);
    addOperator(t, QStringLiteral("张三"), {}, QStringLiteral("abc"));
    OperatorAccounts accounts(t.db, t.prompt);
    for (const char* typed : {"abd new new", "abc new neu", "abc  ", "abc new new"}) {
        const QStringList a = QString::fromLatin1(typed).split(QLatin1Char(' '));
        QCOMPARE(accounts.changePassword(QStringLiteral("张三"), a.at(0), a.at(1), a.at(2)),
                 a.at(2) == "new" && a.at(0) == "abc");
    }
    QCOMPARE(t.prompt.texts(),
             QStringList({"原密码不正确!", "两次密码输入不一致!", "密码不能为空!", "更改成功!"}));
    Operator op;
    QVERIFY(accounts.login(QStringLiteral("张三"), QStringLiteral("new"), op));
    QVERIFY(!t.scalar("select mm from [user] where xm='张三'").contains(QStringLiteral("new")));
}

// The operators page's commands: add and delete need czyqx; change needs it too, except for the
// administrator.
void TestOperators::pageCommands_data()
{
    QTest::addColumn<QString>("command"); // add, change or delete; the current operator; the selected one
    QTest::addColumn<QString>("message");
    const QString noRight = QStringLiteral("你没有此操作权限!");
    QTest::newRow("add without right") << "add 无权" << noRight;
    QTest::newRow("administrator adds only with it") << "add 系统管理员" << noRight;
    QTest::newRow("add") << "add 张三" << QString();
    QTest::newRow("change without right") << "change 无权 张三" << noRight;
    QTest::newRow("administrator changes without it") << "change 系统管理员 张三" << QString();
    QTest::newRow("change, none selected") << "change 张三" << QStringLiteral("请选定要修改的操作员!");
    QTest::newRow("delete, none selected") << "delete 张三" << QStringLiteral("请选定要删除的操作员!");
    QTest::newRow("delete the administrator")
        << "delete 张三 系统管理员" << QStringLiteral("不能删除'系统管理员'!");
    QTest::newRow("delete oneself") << "delete 张三 张三" << QStringLiteral("不能删除当前操作员!");
    QTest::newRow("delete, answered no") << "delete 张三 无权" << QStringLiteral("是否真的要删除此操作员!");
    QTest::newRow("delete, answered yes")
        << "delete 张三 无权 yes" << QStringLiteral("是否真的要删除此操作员!");
}

void TestOperators::pageCommands()
{
    QFETCH(QString, command);
    QFETCH(QString, message);
    const QStringList a = command.split(QLatin1Char(' '));
    const QString selected = a.value(2);
    TestDatabase t;
    const Operator op = staffAndLogIn(t, a.at(1));
    t.prompt.answer(a.size() > 3 ? Prompt::Answer::Yes : Prompt::Answer::No);
    OperatorAccounts accounts(t.db, t.prompt);
    const bool done = a.at(0) == QLatin1String("add")      ? accounts.mayAdd(op)
                      : a.at(0) == QLatin1String("change") ? accounts.mayChange(op, selected)
                                                           : accounts.remove(op, selected);
    QCOMPARE(done, message.isEmpty() || a.size() > 3);
    QCOMPARE(t.prompt.texts(), message.isEmpty() ? QStringList() : QStringList{message});
    QCOMPARE(t.scalar("select count(*) from [user]"), a.size() > 3 ? "2" : "3");
}

void TestOperators::saveChecksInOrder_data()
{
    QTest::addColumn<QString>("fields"); // name, confirmation of the password "a", rounding-off, ratio
    QTest::addColumn<QString>("message");
    const QString name = QStringLiteral("操作员姓名不能为空!"), exists = QStringLiteral("已经存在此操作员！");
    const QString limit = QStringLiteral("最大抹零金额必须大于零!");
    const QString ratio = QStringLiteral("最低打折比例错误，应为0.00-1.00之间!");
    QTest::newRow("empty name first") << "|b|0|2" << name;
    QTest::newRow("existing name") << "张三|b|0|2" << exists;
    QTest::newRow("confirmation") << "李四|b|0|2" << QStringLiteral("两次输入密码不同!");
    QTest::newRow("zero limit") << "李四|a|0|2" << limit;
    QTest::newRow("limit not a number") << "李四|a|abc|1" << limit;
    QTest::newRow("ratio above one") << "李四|a|5|1.01" << ratio;
    QTest::newRow("ratio below zero") << "李四|a|5|-0.1" << ratio;
    QTest::newRow("valid") << "李四|a|0.5|0" << QString();
}

void TestOperators::saveChecksInOrder()
{
    QFETCH(QString, fields);
    QFETCH(QString, message);
    const QStringList f = fields.split(QLatin1Char('|'));
    TestDatabase t;
    addOperator(t, QStringLiteral("张三"));
    OperatorRecord r = record(f.at(0), f.at(2), f.at(3));
    const bool saved =
        OperatorAccounts(t.db, t.prompt).save(stored(t, kAdmin), r, QStringLiteral("a"), f.at(1), true);
    QCOMPARE(saved, message.isEmpty());
    QCOMPARE(t.prompt.texts(), message.isEmpty() ? QStringList() : QStringList{message});
    QCOMPARE(t.scalar("select count(*) from [user]"), saved ? "3" : "2");
}

// The operator right manages operators, but raises nobody above its holder: only the
// administrator edits the administrator, resets passwords and hands out the three rights that
// rule over operators and data; nobody edits their own rights or limits; anyone else grants only
// what they hold themselves.
void TestOperators::operatorRightStopsAtItsHolder_data()
{
    QTest::addColumn<QString>("edit"); // current operator, edited operator ("+" adds 李四), changes
    QTest::addColumn<QString>("message");
    const QString self = QStringLiteral("不能修改自己的权限和限额!");
    const QString ruling = QStringLiteral("只有系统管理员可以授予或取消操作员管理、数据清理和数据还原权限!");
    const QString lowest = QStringLiteral("最低折扣不能低于自己的最低折扣!");
    QTest::newRow("the administrator's record")
        << "张三 系统管理员 note=x" << OperatorChange::kOnlyAdministratorEdits;
    QTest::newRow("own ratio") << "张三 张三 ratio=0.5" << self;
    QTest::newRow("own right") << "张三 张三 -kdqx" << self;
    QTest::newRow("own round-off, administrator") << "系统管理员 系统管理员 roundoff=5" << self;
    QTest::newRow("own phone and note") << "张三 张三 phone=138 note=晚班" << QString();
    QTest::newRow("grant 操作员管理") << "张三 无权 +czyqx" << ruling;
    QTest::newRow("grant 数据还原 to a new one") << "张三 + +sjhyqx" << ruling;
    QTest::newRow("grant what one lacks")
        << "张三 无权 +hyqx" << QStringLiteral("不能授予自己没有的权限:会员管理权限!");
    QTest::newRow("ratio below one's own") << "张三 无权 ratio=0.7" << lowest;
    QTest::newRow("new one below one's own") << "张三 + ratio=0" << lowest;
    QTest::newRow("ratio within one's own") << "张三 无权 ratio=0.85" << QString();
    QTest::newRow("round-off above one's own")
        << "张三 无权 roundoff=99999" << QStringLiteral("最大抹零金额不能超过自己的最大抹零金额!");
    QTest::newRow("another's password")
        << "张三 无权 pw=new" << QStringLiteral("只有系统管理员可以重设操作员的密码!");
    QTest::newRow("revoke") << "张三 无权 -kdqx" << QString();
    QTest::newRow("a new one with a password") << "张三 + pw=new +kdqx" << QString();
    QTest::newRow("administrator") << "系统管理员 无权 +czyqx +sjhyqx ratio=0 pw=new" << QString();
}

void TestOperators::operatorRightStopsAtItsHolder()
{
    QFETCH(QString, edit);
    QFETCH(QString, message);
    QStringList changes = edit.split(QLatin1Char(' '));
    const QString current = changes.takeFirst();
    const QString edited = changes.takeFirst();
    const bool adding = edited == QLatin1String("+");
    TestDatabase t;
    const Operator op = staffAndLogIn(t, current);
    OperatorAccounts accounts(t.db, t.prompt);
    OperatorRecord r = adding ? record(QStringLiteral("李四"), "5", "1") : accounts.read(edited);
    QString password = adding ? QString() : OperatorAccounts::kUnchangedPassword;
    for (const QString& change : changes) {
        const QString value = change.section(QLatin1Char('='), 1);
        if (change.startsWith(QLatin1Char('+')) || change.startsWith(QLatin1Char('-'))) {
            for (int i = 0; i < Rights::kCount; ++i)
                if (Rights::column(Rights::at(i)) == change.mid(1))
                    r.rights[i] = change.startsWith(QLatin1Char('+'));
        } else if (change.startsWith("ratio")) {
            r.lowestDiscount = value;
        } else if (change.startsWith("roundoff")) {
            r.largestRoundOff = value;
        } else if (change.startsWith("pw")) {
            password = value;
        } else {
            (change.startsWith("note") ? r.note : r.phone) = value;
        }
    }
    const QString before =
        t.scalar("select group_concat(xm||mm||dh||dzbl||zdmlje||bz||kdqx||czyqx||hyqx||sjhyqx) "
                 "from [user]");
    QCOMPARE(accounts.save(op, r, password, password, adding), message.isEmpty());
    QCOMPARE(t.prompt.texts(), message.isEmpty() ? QStringList() : QStringList{message});
    QCOMPARE(t.scalar("select group_concat(xm||mm||dh||dzbl||zdmlje||bz||kdqx||czyqx||hyqx||sjhyqx) "
                      "from [user]") == before,
             !message.isEmpty());
    // A change is logged with the one who made it.
    QCOMPARE(t.scalar("select count(*) from log where log like '用户“" + current + "”%操作员“%'"),
             message.isEmpty() ? "1" : "0");
    if (!adding && message.isEmpty()) {
        Operator again;
        QVERIFY(accounts.login(edited,
                               password == "new"   ? "new"
                               : edited == current ? "abc"
                                                   : "none",
                               again));
    }
}

// Every change of an operator is written to the run log: who, whom, and what changed.
void TestOperators::changesAreLogged()
{
    TestDatabase t;
    staffAndLogIn(t, kAdmin);
    t.exec("update [user] set czyqx='1' where xm='系统管理员'");
    const Operator admin = stored(t, kAdmin);
    t.exec("delete from log");
    OperatorAccounts accounts(t.db, t.prompt);
    OperatorRecord r = accounts.read(QStringLiteral("无权"));
    r.rights[int(Right::Czyqx)] = true;
    r.rights[int(Right::Kdqx)] = false;
    r.rights[int(Right::Ddqx)] = false;
    r.lowestDiscount = QStringLiteral("0.8");
    r.phone = QStringLiteral("138");
    QVERIFY(accounts.save(admin, r, QStringLiteral("new"), QStringLiteral("new"), false));
    QVERIFY(accounts.save(admin, r, OperatorAccounts::kUnchangedPassword,
                          OperatorAccounts::kUnchangedPassword, false));
    OperatorRecord added = record(QStringLiteral(" 李四 "), "5", "0.95");
    added.rights[int(Right::Kdqx)] = added.rights[int(Right::Jzqx)] = true;
    QVERIFY(accounts.save(admin, added, QStringLiteral("li"), QStringLiteral("li"), true));
    t.prompt.answer(Prompt::Answer::Yes);
    QVERIFY(accounts.remove(admin, QStringLiteral("无权")));
    Operator li;
    QVERIFY(accounts.login(QStringLiteral("李四"), QStringLiteral("li"), li));
    QVERIFY(accounts.changePassword(QStringLiteral("李四"), "li", "li2", "li2"));
    QCOMPARE(t.scalar("select group_concat(log,'|') from log"),
             QStringLiteral(
                 "用户“系统管理员”修改操作员“无权”:重设密码,电话139→138,最低折扣0.90→0.80,授予操作员管理权限,"
                 "取消开单权限、点单权限|"
                 "用户“系统管理员”修改操作员“无权”:无改动|"
                 "用户“系统管理员”增加操作员“李四”:最低折扣0.95,最大抹零5.00,权限:开单权限、结账权限|"
                 "用户“系统管理员”删除操作员“无权”|用户“李四”登陆系统|用户“李四”更改密码"));
}

// "郑丽 " beside "郑丽" would be a look-alike: names are trimmed, and one equal to another after
// trimming is refused.
void TestOperators::namesAreTrimmed_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("stored"); // "" when refused
    QTest::newRow("trailing blank") << "郑丽 " << QString();
    QTest::newRow("leading ideographic blank") << "\u3000郑丽" << QString();
    QTest::newRow("tab") << "郑丽\t" << QString();
    QTest::newRow("a new name, trimmed") << " 李四 "
                                         << "李四";
    QTest::newRow("a blank inside") << "郑 丽"
                                    << "郑 丽";
}

void TestOperators::namesAreTrimmed()
{
    QFETCH(QString, name);
    QFETCH(QString, stored);
    TestDatabase t;
    const Operator admin = staffAndLogIn(t, kAdmin);
    addOperator(t, QStringLiteral("郑丽"), {}, QStringLiteral("1111"));
    OperatorRecord r = record(name);
    QCOMPARE(OperatorAccounts(t.db, t.prompt).save(admin, r, "pw", "pw", true), !stored.isEmpty());
    QCOMPARE(t.prompt.texts(), stored.isEmpty() ? QStringList{"已经存在此操作员！"} : QStringList());
    QCOMPARE(t.scalar("select count(*) from [user]"), stored.isEmpty() ? "4" : "5");
    QCOMPARE(t.scalar("select count(*) from [user] where xm=" + Sql::quote(stored)),
             stored.isEmpty() ? "0" : "1");
}

void TestOperators::everyRightToItsColumn()
{
    TestDatabase t;
    administratorPassword(t);
    OperatorAccounts accounts(t.db, t.prompt);
    // Each right alone, so that a right written into another's column shows.
    for (int i = 0; i < Rights::kCount; ++i) {
        OperatorRecord r = record(QStringLiteral("op%1").arg(i));
        r.rights[i] = true;
        QVERIFY(accounts.save(stored(t, kAdmin), r, QStringLiteral("pw"), QStringLiteral("pw"), true));
        Operator op;
        QVERIFY(accounts.login(r.name, QStringLiteral("pw"), op));
        for (int j = 0; j < Rights::kCount; ++j)
            QVERIFY2(op.may(Rights::at(j)) == (i == j), qPrintable(Rights::column(Rights::at(j))));
        QCOMPARE(accounts.read(r.name).rights, r.rights);
    }
    const OperatorRecord back = accounts.read(QStringLiteral("op0"));
    QCOMPARE(QStringList({back.phone, back.lowestDiscount, back.largestRoundOff, back.note}),
             QStringList({"13800000000", "0.80", "5.00", "早班"}));
}

// Left unchanged in the dialog, the password stays; typed, it is replaced (also by none).
void TestOperators::changeKeepsOrReplacesThePassword()
{
    TestDatabase t;
    administratorPassword(t);
    addOperator(t, QStringLiteral("O'Brien"), {}, QStringLiteral("a'b"));
    OperatorAccounts accounts(t.db, t.prompt);
    bool hasPassword = false;
    OperatorRecord r = accounts.read(QStringLiteral("O'Brien"), &hasPassword);
    QVERIFY(hasPassword);
    r = record(r.name);
    Operator op;
    for (const QString& password : {OperatorAccounts::kUnchangedPassword, QStringLiteral("new")}) {
        QVERIFY(accounts.save(stored(t, kAdmin), r, password, password, false));
        QVERIFY(
            accounts.login(r.name, password == OperatorAccounts::kUnchangedPassword ? "a'b" : password, op));
    }
    QVERIFY(!op.may(Right::Kdqx));
    // Emptied, the operator sets a new one at the next login.
    QVERIFY(accounts.save(stored(t, kAdmin), r, QString(), QString(), false));
    bool mustSet = false;
    QVERIFY(!accounts.login(r.name, QString(), op, &mustSet) && mustSet);
}

// The ratio is checked on leaving it, 全选 ticks every right; an operator editing the
// administrator cannot reach its password.
void TestOperators::operatorDialog()
{
    TestDatabase t;
    const Operator op = staffAndLogIn(t, QStringLiteral("张三"));
    CUserDlg dialog(t.db, t.prompt, op, QStringLiteral("无权"));
    dialog.show();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    QLineEdit* ratio = field(&dialog, 4);
    ratio->setFocus();
    for (const char* typed : {"1.5", "0.95"}) {
        ratio->setText(QString::fromLatin1(typed));
        QTest::keyClick(ratio, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget() == ratio, typed[0] == '1');
    }
    QCOMPARE(t.prompt.texts(), QStringList{QStringLiteral("最低打折比例错误，应为0.00-1.00之间!")});
    // 张三 may neither reset 无权's password nor hand out the rights that rule over operators and
    // data; 全选 ticks what he may grant, and 会员管理, which he lacks, is refused.
    QVERIFY(!field(&dialog, 1)->isEnabled() && !field(&dialog, 2)->isEnabled());
    const QList<QCheckBox*> boxes = dialog.findChildren<QCheckBox*>();
    boxes.last()->click(); // 全选, laid out after the rights
    QVERIFY(!boxes.at(int(Right::Czyqx))->isChecked() && !boxes.at(int(Right::Sjhyqx))->isEnabled());
    QTest::keyClick(field(&dialog, 3), Qt::Key_Return);
    QCOMPARE(t.prompt.last(), QStringLiteral("不能授予自己没有的权限:会员管理权限!"));
    boxes.at(int(Right::Hyqx))->click();
    QTest::keyClick(field(&dialog, 3), Qt::Key_Return);
    Operator again;
    QVERIFY(OperatorAccounts(t.db, t.prompt).login(QStringLiteral("无权"), QStringLiteral("none"), again));
    QCOMPARE(again.lowestDiscount() + (again.may(Right::Xmqx) ? "+" : "") +
                 (again.may(Right::Czyqx) ? "+" : ""),
             QStringLiteral("0.95+"));
    // His own record: phone and note only.
    CUserDlg own(t.db, t.prompt, op, QStringLiteral("张三"));
    QVERIFY(!field(&own, 4)->isEnabled() && !own.findChildren<QCheckBox*>().first()->isEnabled());
    QVERIFY(field(&own, 3)->isEnabled());
}

PELVAR_TEST(TestOperators)
#include "tst_Operators.moc"
