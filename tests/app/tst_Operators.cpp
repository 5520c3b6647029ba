#include "CLoginDlg.h"
#include "CUser.h"
#include "CUserDlg.h"
#include "ModalDialogs.h"
#include "OperatorAccounts.h"
#include "PasswordHash.h"
#include "Sql.h"
#include "TestDatabase.h"
#include "TestMain.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

namespace {

const QString kAdmin = QStringLiteral("系统管理员");

// An operator with every right except those named, lowest ratio 0.8, largest rounding-off 5.
void addOperator(TestDatabase& t, const QString& name, const QStringList& without = {},
                 const QString& password = QString())
{
    QStringList sets;
    for (int i = 0; i < Rights::kCount; ++i) {
        const QString column = Rights::column(Rights::at(i));
        sets << column + (without.contains(column) ? QStringLiteral("='0'") : QStringLiteral("='1'"));
    }
    t.exec(QStringLiteral("insert into [user](xm, mm, dzbl, zdmlje) values(%1, %2, 0.8, 5)")
               .arg(Sql::quote(name), Sql::quote(PasswordHash::make(password))));
    t.exec(QStringLiteral("update [user] set %1 where xm=%2").arg(sets.join(QLatin1Char(',')), Sql::quote(name)));
}

// The administrator (without czyqx), 张三 with every right, 无权 without czyqx; all without passwords.
Operator staffAndLogIn(TestDatabase& t, const QString& name)
{
    t.exec(QStringLiteral("update [user] set czyqx='0' where xm='系统管理员'"));
    addOperator(t, QStringLiteral("张三"));
    addOperator(t, QStringLiteral("无权"), {QStringLiteral("czyqx")});
    Operator op;
    if (!OperatorAccounts(t.db, t.prompt).login(name, QString(), op))
        qWarning("login of %s failed", qPrintable(name));
    t.prompt.clear();
    return op;
}

OperatorRecord record(const QString& name, const QString& roundOff = QStringLiteral("5"),
                      const QString& ratio = QStringLiteral("0.8"))
{
    OperatorRecord r;
    r.name = name;
    r.phone = QStringLiteral("13800000000");
    r.lowestDiscount = ratio;
    r.largestRoundOff = roundOff;
    r.note = QStringLiteral("早班");
    return r;
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
    void passwordHash_data();
    void passwordHash();
    void login_data();
    void login();
    void changePassword_data();
    void changePassword();
    void mayAddOrChange_data();
    void mayAddOrChange();
    void remove_data();
    void remove();
    void saveChecksInOrder_data();
    void saveChecksInOrder();
    void onlyTheAdministratorSetsItsPassword_data();
    void onlyTheAdministratorSetsItsPassword();
    void everyRightToItsColumn();
    void changeKeepsOrReplacesThePassword();

    void loginDialog();
    void operatorDialog();
    void operatorsPage();
};

void TestOperators::passwordHash_data()
{
    QTest::addColumn<QString>("password");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("matches");
    QTest::newRow("same") << "s3cret" << QStringLiteral("s3cret") << true;
    QTest::newRow("other") << "s3cret" << QStringLiteral("s3cres") << false;
    QTest::newRow("empty typed") << "s3cret" << QString() << false;
    QTest::newRow("chinese") << "密码一二三" << QStringLiteral("密码一二三") << true;
    QTest::newRow("empty stored, empty typed") << "" << QString() << true;
    QTest::newRow("empty stored, typed") << "" << QStringLiteral("x") << false;
}

void TestOperators::passwordHash()
{
    QFETCH(QString, password);
    QFETCH(QString, typed);
    QFETCH(bool, matches);
    const QString stored = PasswordHash::make(password);
    QCOMPARE(PasswordHash::matches(typed, stored), matches);
    if (password.isEmpty())
        return;
    QVERIFY(!stored.contains(password));
    QVERIFY(stored != PasswordHash::make(password)); // salted
    // A plain password written into the column never opens the account.
    QVERIFY(!PasswordHash::matches(password, password));
}

void TestOperators::login_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("password");
    QTest::addColumn<bool>("ok");
    QTest::newRow("administrator, empty password") << kAdmin << QString() << true;
    QTest::newRow("administrator, any password") << kAdmin << QStringLiteral("x") << false;
    QTest::newRow("operator") << "张三" << QStringLiteral("abc") << true;
    QTest::newRow("operator, empty password") << "张三" << QString() << false;
    QTest::newRow("operator, wrong case") << "张三" << QStringLiteral("ABC") << false;
    QTest::newRow("unknown operator") << "李四" << QStringLiteral("abc") << false;
}

void TestOperators::login()
{
    QFETCH(QString, name);
    QFETCH(QString, password);
    QFETCH(bool, ok);
    TestDatabase t;
    addOperator(t, QStringLiteral("张三"), {QStringLiteral("kdqx")}, QStringLiteral("abc"));
    t.exec(QStringLiteral("update [user] set ddqx=null where xm='张三'"));
    Operator op;
    QCOMPARE(OperatorAccounts(t.db, t.prompt).login(name, password, op), ok);
    QCOMPARE(t.prompt.texts(), ok ? QStringList() : QStringList{QStringLiteral("密码不正确!")});
    QCOMPARE(t.scalar(QStringLiteral("select group_concat(log) from log")),
             ok ? QStringLiteral("用户“%1”登陆系统").arg(name) : QString());
    if (!ok)
        return;
    QCOMPARE(op.name(), name);
    // A right held as "0" or null is not granted.
    QCOMPARE(op.may(Right::Kdqx) || op.may(Right::Ddqx), name == kAdmin);
    QVERIFY(op.may(Right::Sjhyqx));
}

void TestOperators::changePassword_data()
{
    QTest::addColumn<QString>("old");
    QTest::addColumn<QString>("confirmation");
    QTest::addColumn<QString>("message");
    QTest::newRow("wrong old password") << "abd"
                                        << "new"
                                        << "原密码不正确!";
    QTest::newRow("confirmation differs") << "abc"
                                          << "neu"
                                          << "两次密码输入不一致!";
    QTest::newRow("changed") << "abc"
                             << "new"
                             << "更改成功!";
}

void TestOperators::changePassword()
{
    QFETCH(QString, old);
    QFETCH(QString, confirmation);
    QFETCH(QString, message);
    TestDatabase t;
    addOperator(t, QStringLiteral("张三"), {}, QStringLiteral("abc"));
    OperatorAccounts accounts(t.db, t.prompt);
    const bool changed = message == QStringLiteral("更改成功!");
    QCOMPARE(accounts.changePassword(QStringLiteral("张三"), old, QStringLiteral("new"), confirmation),
             changed);
    QCOMPARE(t.prompt.texts(), QStringList{message});
    Operator op;
    QVERIFY(
        accounts.login(QStringLiteral("张三"), changed ? QStringLiteral("new") : QStringLiteral("abc"), op));
    QVERIFY(
        !t.scalar(QStringLiteral("select mm from [user] where xm='张三'")).contains(QStringLiteral("new")));
}

void TestOperators::mayAddOrChange_data()
{
    QTest::addColumn<QString>("current");
    QTest::addColumn<QString>("selected");
    QTest::addColumn<bool>("mayAdd");
    QTest::addColumn<bool>("mayChange");
    QTest::addColumn<QStringList>("messages");
    const QString noRight = QStringLiteral("你没有此操作权限!");
    QTest::newRow("without right") << "无权"
                                   << "张三" << false << false << QStringList{noRight, noRight};
    QTest::newRow("administrator without right") << kAdmin << "张三" << false << true << QStringList{noRight};
    QTest::newRow("administrator, none selected")
        << kAdmin << "" << false << false << QStringList{noRight, "请选定要修改的操作员!"};
    QTest::newRow("with right") << "张三"
                                << "张三" << true << true << QStringList{};
}

void TestOperators::mayAddOrChange()
{
    QFETCH(QString, current);
    QFETCH(QString, selected);
    QFETCH(bool, mayAdd);
    QFETCH(bool, mayChange);
    QFETCH(QStringList, messages);
    TestDatabase t;
    const Operator op = staffAndLogIn(t, current);
    OperatorAccounts accounts(t.db, t.prompt);
    QCOMPARE(accounts.mayAdd(op), mayAdd);
    QCOMPARE(accounts.mayChange(op, selected), mayChange);
    QCOMPARE(t.prompt.texts(), messages);
}

void TestOperators::remove_data()
{
    QTest::addColumn<QString>("current");
    QTest::addColumn<QString>("selected");
    QTest::addColumn<bool>("yes");
    QTest::addColumn<QString>("message");
    QTest::addColumn<bool>("removed");
    const QString question = QStringLiteral("是否真的要删除此操作员!");
    QTest::newRow("without right") << "无权"
                                   << "张三" << true << "你没有此操作权限!" << false;
    QTest::newRow("administrator needs the right too")
        << kAdmin << "张三" << true << "你没有此操作权限!" << false;
    QTest::newRow("none selected") << "张三"
                                   << "" << true << "请选定要删除的操作员!" << false;
    QTest::newRow("the administrator") << "张三" << kAdmin << true << "不能删除'系统管理员'!" << false;
    QTest::newRow("oneself") << "张三"
                             << "张三" << true << "不能删除当前操作员!" << false;
    QTest::newRow("answered no") << "张三"
                                 << "无权" << false << question << false;
    QTest::newRow("answered yes") << "张三"
                                  << "无权" << true << question << true;
}

void TestOperators::remove()
{
    QFETCH(QString, current);
    QFETCH(QString, selected);
    QFETCH(bool, yes);
    QFETCH(QString, message);
    QFETCH(bool, removed);
    TestDatabase t;
    const Operator op = staffAndLogIn(t, current);
    t.prompt.answer(yes ? Prompt::Answer::Yes : Prompt::Answer::No);
    QCOMPARE(OperatorAccounts(t.db, t.prompt).remove(op, selected), removed);
    QCOMPARE(t.prompt.texts(), QStringList{message});
    QCOMPARE(t.scalar(QStringLiteral("select count(*) from [user]")), removed ? "2" : "3");
}

void TestOperators::saveChecksInOrder_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("confirmation"); // of the password "a"
    QTest::addColumn<QString>("roundOff");
    QTest::addColumn<QString>("ratio");
    QTest::addColumn<QString>("message");
    QTest::newRow("empty name first") << ""
                                      << "b"
                                      << "0"
                                      << "2"
                                      << "操作员姓名不能为空!";
    QTest::newRow("blank name") << "  "
                                << "a"
                                << "5"
                                << "1"
                                << "操作员姓名不能为空!";
    QTest::newRow("existing name") << "张三"
                                   << "b"
                                   << "0"
                                   << "2"
                                   << "已经存在此操作员！";
    QTest::newRow("the administrator's name") << kAdmin << "a"
                                              << "5"
                                              << "1"
                                              << "已经存在此操作员！";
    QTest::newRow("confirmation") << "李四"
                                  << "b"
                                  << "0"
                                  << "2"
                                  << "两次输入密码不同!";
    QTest::newRow("zero limit") << "李四"
                                << "a"
                                << "0"
                                << "2"
                                << "最大抹零金额必须大于零!";
    QTest::newRow("limit not a number") << "李四"
                                        << "a"
                                        << "abc"
                                        << "1"
                                        << "最大抹零金额必须大于零!";
    QTest::newRow("negative limit") << "李四"
                                    << "a"
                                    << "-5"
                                    << "1"
                                    << "最大抹零金额必须大于零!";
    QTest::newRow("ratio above one") << "李四"
                                     << "a"
                                     << "5"
                                     << "1.01"
                                     << "最低打折比例错误，应为0.00-1.00之间!";
    QTest::newRow("ratio below zero") << "李四"
                                      << "a"
                                      << "5"
                                      << "-0.1"
                                      << "最低打折比例错误，应为0.00-1.00之间!";
    QTest::newRow("valid") << "李四"
                           << "a"
                           << "0.5"
                           << "0"
                           << "";
}

void TestOperators::saveChecksInOrder()
{
    QFETCH(QString, name);
    QFETCH(QString, confirmation);
    QFETCH(QString, roundOff);
    QFETCH(QString, ratio);
    QFETCH(QString, message);
    TestDatabase t;
    addOperator(t, QStringLiteral("张三"));
    OperatorRecord r = record(name, roundOff, ratio);
    const bool saved =
        OperatorAccounts(t.db, t.prompt).save(Operator(), r, QStringLiteral("a"), confirmation, true);
    QCOMPARE(saved, message.isEmpty());
    QCOMPARE(t.prompt.texts(), message.isEmpty() ? QStringList() : QStringList{message});
    QCOMPARE(t.scalar(QStringLiteral("select count(*) from [user]")), saved ? "3" : "2");
}

// The operator right lets 张三 change the administrator's record, but not its password: that
// would take over the administrator's account.
void TestOperators::onlyTheAdministratorSetsItsPassword_data()
{
    QTest::addColumn<QString>("current");
    QTest::addColumn<QString>("edited");
    QTest::addColumn<QString>("password");
    QTest::addColumn<bool>("saved");
    const QString unchanged = OperatorAccounts::kUnchangedPassword;
    QTest::newRow("operator sets the administrator's") << "张三" << kAdmin << "mine" << false;
    QTest::newRow("operator empties the administrator's") << "张三" << kAdmin << "" << false;
    QTest::newRow("operator keeps the administrator's") << "张三" << kAdmin << unchanged << true;
    QTest::newRow("operator sets another's") << "张三"
                                             << "无权"
                                             << "new" << true;
    QTest::newRow("administrator sets its own") << kAdmin << kAdmin << "mine" << true;
}

void TestOperators::onlyTheAdministratorSetsItsPassword()
{
    QFETCH(QString, current);
    QFETCH(QString, edited);
    QFETCH(QString, password);
    QFETCH(bool, saved);
    TestDatabase t;
    const Operator op = staffAndLogIn(t, current);
    OperatorAccounts accounts(t.db, t.prompt);
    OperatorRecord r = accounts.read(edited);
    const QString before = r.largestRoundOff;
    r.largestRoundOff = QStringLiteral("9.00");
    QCOMPARE(accounts.save(op, r, password, password, false), saved);
    QCOMPARE(t.prompt.texts(),
             saved ? QStringList()
                   : QStringList{QStringLiteral("只有系统管理员可以更改'系统管理员'的密码!")});
    Operator again;
    QVERIFY(accounts.login(
        edited, saved && password != OperatorAccounts::kUnchangedPassword ? password : QString(), again));
    QCOMPARE(accounts.read(edited).largestRoundOff, saved ? r.largestRoundOff : before);
}

void TestOperators::everyRightToItsColumn()
{
    TestDatabase t;
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

void TestOperators::changeKeepsOrReplacesThePassword()
{
    TestDatabase t;
    addOperator(t, QStringLiteral("O'Brien"), {}, QStringLiteral("a'b"));
    OperatorAccounts accounts(t.db, t.prompt);
    bool hasPassword = false;
    OperatorRecord r = accounts.read(QStringLiteral("O'Brien"), &hasPassword);
    QVERIFY(hasPassword);
    r.note = QStringLiteral("it's");
    r.rights.fill(false);
    const QString unchanged = OperatorAccounts::kUnchangedPassword;
    Operator op;
    QVERIFY(accounts.save(Operator(), r, unchanged, unchanged, false));
    QVERIFY(accounts.login(r.name, QStringLiteral("a'b"), op));
    QVERIFY(!op.may(Right::Kdqx));
    QCOMPARE(accounts.read(r.name).note, QStringLiteral("it's"));
    QVERIFY(accounts.save(Operator(), r, QStringLiteral("new"), QStringLiteral("new"), false));
    QVERIFY(accounts.login(r.name, QStringLiteral("new"), op));
    QVERIFY(accounts.save(Operator(), r, QString(), QString(), false));
    QVERIFY(accounts.login(r.name, QString(), op));
    QCOMPARE(t.scalar(QStringLiteral("select count(*) from [user]")), QStringLiteral("2"));
}

void TestOperators::loginDialog()
{
    TestDatabase t;
    addOperator(t, QStringLiteral("张三"), {}, QStringLiteral("abc"));
    CLoginDlg dialog(t.db, t.prompt);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Orvo餐饮收银系统"));
    auto* password = dialog.findChild<QLineEdit*>();
    QCOMPARE(QApplication::focusWidget(), password);
    dialog.findChild<QComboBox*>()->setCurrentText(QStringLiteral("张三"));
    QTest::keyClicks(password, QStringLiteral("abd"));
    QTest::keyClick(password, Qt::Key_Return);
    QCOMPARE(t.prompt.texts(), QStringList{QStringLiteral("密码不正确!")});
    QVERIFY(dialog.isVisible() && password->text().isEmpty());
    QTest::keyClicks(password, QStringLiteral("abc"));
    QTest::keyClick(password, Qt::Key_Return);
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(dialog.loggedIn().name(), QStringLiteral("张三"));
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
    QCOMPARE(dialog.windowTitle(), QStringLiteral("修改用户信息"));
    QLineEdit* ratio = field(&dialog, 4);
    ratio->setFocus();
    ratio->setText(QStringLiteral("1.5"));
    QTest::keyClick(ratio, Qt::Key_Tab);
    QCOMPARE(t.prompt.texts(), QStringList{QStringLiteral("最低打折比例错误，应为0.00-1.00之间!")});
    QCOMPARE(QApplication::focusWidget(), ratio);
    ratio->setText(QStringLiteral("0.95"));
    QTest::keyClick(ratio, Qt::Key_Tab);
    QVERIFY(QApplication::focusWidget() != ratio);
    QCheckBox* all = nullptr;
    for (QCheckBox* box : dialog.findChildren<QCheckBox*>())
        if (box->text() == QStringLiteral("全选"))
            all = box;
    all->setFocus();
    QTest::keyClick(all, Qt::Key_Space);
    QTest::keyClick(field(&dialog, 1), Qt::Key_Return);
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    Operator again;
    QVERIFY(OperatorAccounts(t.db, t.prompt).login(QStringLiteral("无权"), QString(), again));
    QVERIFY(again.may(Right::Czyqx));
    QCOMPARE(again.lowestDiscount(), QStringLiteral("0.95"));

    CUserDlg admin(t.db, t.prompt, op, kAdmin);
    QVERIFY(!field(&admin, 1)->isEnabled() && !field(&admin, 2)->isEnabled());
}

void TestOperators::operatorsPage()
{
    TestDatabase t;
    const Operator op = staffAndLogIn(t, QStringLiteral("张三"));
    CUser page(t.db, t.prompt, op);
    QTreeWidget* list = page.list();
    QCOMPARE(list->topLevelItemCount(), 3);
    whenModal([](QWidget* dialog) {
        field(dialog, 0)->setText(QStringLiteral("李四"));
        field(dialog, 3)->setText(QStringLiteral("666"));
        field(dialog, 5)->setText(QStringLiteral("3"));
        QTest::keyClick(field(dialog, 0), Qt::Key_Return);
    });
    page.add();
    QTreeWidgetItem* added = list->topLevelItem(3);
    QCOMPARE(QStringList({added->text(0), added->text(1), added->text(3)}),
             QStringList({"李四", "666", "3.00"}));
    added->setSelected(true);
    whenModal([](QWidget* dialog) {
        field(dialog, 6)->setText(QStringLiteral("晚班"));
        QTest::keyClick(field(dialog, 6), Qt::Key_Return);
    });
    page.change();
    QCOMPARE(added->text(4), QStringLiteral("晚班"));
    t.prompt.answer(Prompt::Answer::Yes);
    page.remove();
    QCOMPARE(list->topLevelItemCount(), 3);
    QCOMPARE(t.scalar(QStringLiteral("select count(*) from [user] where xm='李四'")), QStringLiteral("0"));
}

PELVAR_TEST(TestOperators)
#include "tst_Operators.moc"
