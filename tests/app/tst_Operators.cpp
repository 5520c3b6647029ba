#include "CUserDlg.h"
#include "OperatorAccounts.h"
#include "PasswordHash.h"
#include "SettingsPageFixture.h"
#include "Sql.h"
#include "TestMain.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QTest>

namespace {

const QString kAdmin = QStringLiteral("系统管理员");

// 系统管理员's password, as its first login sets it.
void administratorPassword(TestDatabase& t, const QString& password = QStringLiteral("admin"))
{
    t.exec(QStringLiteral("update [user] set mm=%1 where xm='系统管理员'")
               .arg(Sql::quote(PasswordHash::make(password))));
}

// The administrator (without czyqx, password "admin"), 张三 with every right and the password
// "abc", 无权 without czyqx and the password "none"; then `name` logs in.
Operator staffAndLogIn(TestDatabase& t, const QString& name)
{
    t.exec(QStringLiteral("update [user] set czyqx='0' where xm='系统管理员'"));
    administratorPassword(t);
    addOperator(t, QStringLiteral("张三"), {}, QStringLiteral("abc"));
    addOperator(t, QStringLiteral("无权"), {QStringLiteral("czyqx")}, QStringLiteral("none"));
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
    void changePassword();
    void pageCommands_data();
    void pageCommands();
    void saveChecksInOrder_data();
    void saveChecksInOrder();
    void onlyTheAdministratorSetsItsPassword_data();
    void onlyTheAdministratorSetsItsPassword();
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
    QVERIFY(!stored.contains(QStringLiteral("s3")) && stored != PasswordHash::make(QStringLiteral("密码s3")));
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
             QStringLiteral(ok ? "用户“%1”登陆系统" : "用户“%1”登陆失败").arg(name));
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
        OperatorAccounts(t.db, t.prompt).save(Operator(), r, QStringLiteral("a"), f.at(1), true);
    QCOMPARE(saved, message.isEmpty());
    QCOMPARE(t.prompt.texts(), message.isEmpty() ? QStringList() : QStringList{message});
    QCOMPARE(t.scalar("select count(*) from [user]"), saved ? "3" : "2");
}

// The operator right lets 张三 change the administrator's record, but not its password: that
// would take over the administrator's account.
void TestOperators::onlyTheAdministratorSetsItsPassword_data()
{
    QTest::addColumn<QString>("who"); // the current operator and the one edited
    QTest::addColumn<QString>("password");
    QTest::addColumn<bool>("saved");
    QTest::newRow("operator sets the administrator's")
        << "张三 系统管理员" << QStringLiteral("mine") << false;
    QTest::newRow("operator keeps the administrator's")
        << "张三 系统管理员" << OperatorAccounts::kUnchangedPassword << true;
    QTest::newRow("operator sets another's") << "张三 无权" << QStringLiteral("new") << true;
    QTest::newRow("administrator sets its own") << "系统管理员 系统管理员" << QStringLiteral("mine") << true;
}

void TestOperators::onlyTheAdministratorSetsItsPassword()
{
    QFETCH(QString, who);
    QFETCH(QString, password);
    QFETCH(bool, saved);
    const QString edited = who.section(QLatin1Char(' '), 1);
    TestDatabase t;
    const Operator op = staffAndLogIn(t, who.section(QLatin1Char(' '), 0, 0));
    OperatorAccounts accounts(t.db, t.prompt);
    OperatorRecord r = accounts.read(edited);
    const QString before = r.largestRoundOff;
    r.largestRoundOff = QStringLiteral("9.00");
    QCOMPARE(accounts.save(op, r, password, password, false), saved);
    QCOMPARE(t.prompt.texts(),
             saved ? QStringList()
                   : QStringList{QStringLiteral("只有系统管理员可以更改'系统管理员'的密码!")});
    QCOMPARE(accounts.read(edited).largestRoundOff, saved ? r.largestRoundOff : before);
    Operator again;
    QVERIFY(accounts.login(edited, saved && password != OperatorAccounts::kUnchangedPassword ? password : "",
                           again));
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
        QVERIFY(accounts.save(Operator(), r, QStringLiteral("pw"), QStringLiteral("pw"), true));
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
        QVERIFY(accounts.save(Operator(), r, password, password, false));
        QVERIFY(
            accounts.login(r.name, password == OperatorAccounts::kUnchangedPassword ? "a'b" : password, op));
    }
    QVERIFY(!op.may(Right::Kdqx));
    // Emptied, the operator sets a new one at the next login.
    QVERIFY(accounts.save(Operator(), r, QString(), QString(), false));
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
    field(&dialog, 5)->setText(QStringLiteral("5"));
    dialog.findChildren<QCheckBox*>().last()->click(); // 全选, laid out after the rights
    QTest::keyClick(field(&dialog, 1), Qt::Key_Return);
    Operator again;
    QVERIFY(OperatorAccounts(t.db, t.prompt).login(QStringLiteral("无权"), QStringLiteral("none"), again));
    QCOMPARE(again.lowestDiscount() + (again.may(Right::Czyqx) ? "+" : ""), QStringLiteral("0.95+"));
    CUserDlg admin(t.db, t.prompt, op, kAdmin);
    QVERIFY(!field(&admin, 1)->isEnabled() && !field(&admin, 2)->isEnabled());
}

PELVAR_TEST(TestOperators)
#include "tst_Operators.moc"
