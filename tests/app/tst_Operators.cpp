#include "CLoginDlg.h"
#include "CUser.h"
#include "CUserDlg.h"
#include "ModalDialogs.h"
#include "Operator.h"
#include "OperatorAccounts.h"
#include "PasswordHash.h"
#include "TestDatabase.h"
#include "TestMain.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

namespace {

const QString kAdmin = QStringLiteral("系统管理员");

// An operator with every right except those named, and the given limits.
void addOperator(TestDatabase& t, const QString& name, const QStringList& without = {},
                 const QString& password = QString())
{
    QStringList sets;
    for (int i = 0; i < Rights::kCount; ++i) {
        const QString column = Rights::column(Rights::at(i));
        sets << column + QStringLiteral("='") +
                    (without.contains(column) ? QStringLiteral("0") : QStringLiteral("1")) +
                    QLatin1Char('\'');
    }
    t.exec(QStringLiteral("insert into [user](xm, mm, dzbl, zdmlje) values('%1', '%2', 0.8, 5)")
               .arg(name, PasswordHash::make(password)));
    t.exec(QStringLiteral("update [user] set %1 where xm='%2'").arg(sets.join(QLatin1Char(',')), name));
}

Operator loggedIn(TestDatabase& t, const QString& name, const QString& password = QString())
{
    Operator op;
    OperatorAccounts accounts(t.db, t.prompt);
    if (!accounts.login(name, password, op))
        qWarning("login of %s failed", qPrintable(name));
    t.prompt.clear();
    return op;
}

QString logText(TestDatabase& t)
{
    return t.scalar(
        QStringLiteral("select group_concat(log, '|') from (select log from log order by logid)"));
}

OperatorRecord validRecord(const QString& name)
{
    OperatorRecord r;
    r.name = name;
    r.phone = QStringLiteral("13800000000");
    r.lowestDiscount = QStringLiteral("0.8");
    r.largestRoundOff = QStringLiteral("5");
    r.note = QStringLiteral("早班");
    return r;
}

} // namespace

class TestOperators : public QObject
{
    Q_OBJECT
private slots:
    void passwordHash_data();
    void passwordHash();
    void newDatabaseAdministratorLogsInWithEmptyPassword();
    void wrongPasswordIsRefused_data();
    void wrongPasswordIsRefused();
    void namesAreSorted();
    void nullRightsAreNotGranted();
    void changePassword_data();
    void changePassword();
    void changedPasswordIsStoredHashed();
    void deleteChecksInOrder_data();
    void deleteChecksInOrder();
    void deleteAskedNoKeepsTheRow();
    void changeNeedsRightExceptForAdministrator_data();
    void changeNeedsRightExceptForAdministrator();
    void saveChecksInOrder_data();
    void saveChecksInOrder();
    void addWritesEveryRightToItsColumn();
    void changeKeepsOrReplacesThePassword();
    void typedQuoteIsStoredAsTyped();

    void loginDialogKeys();
    void operatorDialogRatioCheckOnLeaving();
    void operatorDialogSelectAll();
    void operatorsPageAddChangeDelete();
};

void TestOperators::passwordHash_data()
{
    QTest::addColumn<QString>("password");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("matches");
    QTest::newRow("same") << "s3cret"
                          << "s3cret" << true;
    QTest::newRow("other") << "s3cret"
                           << "s3cres" << false;
    QTest::newRow("empty typed") << "s3cret"
                                 << "" << false;
    QTest::newRow("chinese") << "密码一二三"
                             << "密码一二三" << true;
    QTest::newRow("empty stored, empty typed") << ""
                                               << "" << true;
    QTest::newRow("empty stored, typed") << ""
                                         << "x" << false;
}

void TestOperators::passwordHash()
{
    QFETCH(QString, password);
    QFETCH(QString, typed);
    QFETCH(bool, matches);
    const QString stored = PasswordHash::make(password);
    QCOMPARE(PasswordHash::matches(typed, stored), matches);
    if (!password.isEmpty()) {
        QVERIFY(!stored.contains(password));
        QVERIFY(stored != PasswordHash::make(password)); // salted
    }
    // A plain password written into the column never opens the account.
    if (!password.isEmpty())
        QVERIFY(!PasswordHash::matches(password, password));
}

void TestOperators::newDatabaseAdministratorLogsInWithEmptyPassword()
{
    TestDatabase t;
    OperatorAccounts accounts(t.db, t.prompt);
    Operator op;
    QVERIFY(accounts.login(kAdmin, QString(), op));
    QVERIFY(t.prompt.texts().isEmpty());
    QCOMPARE(op.name(), kAdmin);
    QVERIFY(op.isAdministrator());
    for (int i = 0; i < Rights::kCount; ++i)
        QVERIFY(op.may(Rights::at(i)));
    QCOMPARE(logText(t), QStringLiteral("用户“系统管理员”登陆系统"));
}

void TestOperators::wrongPasswordIsRefused_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("password");
    QTest::newRow("administrator, any password") << kAdmin << "x";
    QTest::newRow("operator, empty password") << "张三"
                                              << "";
    QTest::newRow("operator, wrong case") << "张三"
                                          << "ABC";
    QTest::newRow("unknown operator") << "李四"
                                      << "abc";
    QTest::newRow("quote in password") << "张三"
                                       << "' or '1'='1";
}

void TestOperators::wrongPasswordIsRefused()
{
    QFETCH(QString, name);
    QFETCH(QString, password);
    TestDatabase t;
    addOperator(t, QStringLiteral("张三"), {}, QStringLiteral("abc"));
    OperatorAccounts accounts(t.db, t.prompt);
    Operator op;
    QVERIFY(!accounts.login(name, password, op));
    QCOMPARE(t.prompt.texts(), QStringList{QStringLiteral("密码不正确!")});
    QCOMPARE(t.prompt.shown().first().caption, QStringLiteral("提示信息"));
    QCOMPARE(logText(t), QString());
}

void TestOperators::namesAreSorted()
{
    TestDatabase t;
    addOperator(t, QStringLiteral("b"));
    addOperator(t, QStringLiteral("a"));
    QCOMPARE(OperatorAccounts(t.db, t.prompt).names(), (QStringList{"a", "b", kAdmin}));
}

void TestOperators::nullRightsAreNotGranted()
{
    TestDatabase t;
    addOperator(t, QStringLiteral("张三"));
    t.exec(QStringLiteral("update [user] set kdqx=null, sjhyqx='Y', zdmlje=null where xm='张三'"));
    const Operator op = loggedIn(t, QStringLiteral("张三"));
    QCOMPARE(op.name(), QStringLiteral("张三"));
    QVERIFY(!op.may(Right::Kdqx));
    QVERIFY(!op.may(Right::Sjhyqx));
    QVERIFY(op.may(Right::Ddqx));
    QCOMPARE(op.largestRoundOff(), QStringLiteral("0"));
    QCOMPARE(op.lowestDiscount(), QStringLiteral("0.8"));
}

void TestOperators::changePassword_data()
{
    QTest::addColumn<QString>("old");
    QTest::addColumn<QString>("fresh");
    QTest::addColumn<QString>("confirmation");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("validAfter");
    QTest::newRow("wrong old") << "x"
                               << "n"
                               << "n"
                               << "原密码不正确!"
                               << "";
    QTest::newRow("wrong old and mismatch") << "x"
                                            << "n"
                                            << "m"
                                            << "原密码不正确!"
                                            << "";
    QTest::newRow("mismatch") << ""
                              << "n"
                              << "m"
                              << "两次密码输入不一致!"
                              << "";
    QTest::newRow("changed") << ""
                             << "n"
                             << "n"
                             << "更改成功!"
                             << "n";
    QTest::newRow("back to empty") << ""
                                   << ""
                                   << ""
                                   << "更改成功!"
                                   << "";
}

void TestOperators::changePassword()
{
    QFETCH(QString, old);
    QFETCH(QString, fresh);
    QFETCH(QString, confirmation);
    QFETCH(QString, message);
    QFETCH(QString, validAfter);
    TestDatabase t;
    OperatorAccounts accounts(t.db, t.prompt);
    QCOMPARE(accounts.changePassword(kAdmin, old, fresh, confirmation),
             message == QStringLiteral("更改成功!"));
    QCOMPARE(t.prompt.texts(), QStringList{message});
    Operator op;
    QVERIFY(accounts.login(kAdmin, validAfter, op));
}

void TestOperators::changedPasswordIsStoredHashed()
{
    TestDatabase t;
    OperatorAccounts accounts(t.db, t.prompt);
    QVERIFY(accounts.changePassword(kAdmin, QString(), QStringLiteral("q1w2e3"), QStringLiteral("q1w2e3")));
    const QString stored = t.scalar(QStringLiteral("select mm from [user] where xm='系统管理员'"));
    QVERIFY(stored.startsWith(QStringLiteral("pbkdf2-sha256$")));
    QVERIFY(!stored.contains(QStringLiteral("q1w2e3")));
    Operator op;
    QVERIFY(!accounts.login(kAdmin, QString(), op));
    QVERIFY(accounts.login(kAdmin, QStringLiteral("q1w2e3"), op));
}

void TestOperators::deleteChecksInOrder_data()
{
    QTest::addColumn<QString>("current");
    QTest::addColumn<QString>("selected");
    QTest::addColumn<QString>("message");
    QTest::newRow("no right comes first") << "无权"
                                          << ""
                                          << "你没有此操作权限!";
    QTest::newRow("no right, administrator row") << "无权" << kAdmin << "你没有此操作权限!";
    QTest::newRow("nothing selected") << "张三"
                                      << ""
                                      << "请选定要删除的操作员!";
    QTest::newRow("administrator row") << "张三" << kAdmin << "不能删除'系统管理员'!";
    QTest::newRow("administrator deletes itself") << kAdmin << kAdmin << "不能删除'系统管理员'!";
    QTest::newRow("current operator") << "张三"
                                      << "张三"
                                      << "不能删除当前操作员!";
    QTest::newRow("another operator") << kAdmin << "张三"
                                      << "是否真的要删除此操作员!";
}

void TestOperators::deleteChecksInOrder()
{
    QFETCH(QString, current);
    QFETCH(QString, selected);
    QFETCH(QString, message);
    TestDatabase t;
    addOperator(t, QStringLiteral("张三"));
    addOperator(t, QStringLiteral("无权"), {QStringLiteral("czyqx")});
    const Operator op = loggedIn(t, current);
    t.prompt.answer(Prompt::Answer::Yes);
    const bool removed = OperatorAccounts(t.db, t.prompt).remove(op, selected);
    QCOMPARE(t.prompt.texts(), QStringList{message});
    QCOMPARE(removed, message == QStringLiteral("是否真的要删除此操作员!"));
    QCOMPARE(t.scalar(QStringLiteral("select count(*) from [user]")),
             removed ? QStringLiteral("2") : QStringLiteral("3"));
    if (removed)
        QCOMPARE(t.scalar(QStringLiteral("select count(*) from [user] where xm='张三'")),
                 QStringLiteral("0"));
}

void TestOperators::deleteAskedNoKeepsTheRow()
{
    TestDatabase t;
    addOperator(t, QStringLiteral("张三"));
    const Operator op = loggedIn(t, kAdmin);
    t.prompt.answer(Prompt::Answer::No);
    QVERIFY(!OperatorAccounts(t.db, t.prompt).remove(op, QStringLiteral("张三")));
    QCOMPARE(t.prompt.shown().first().buttons, Prompt::Buttons::YesNo);
    QCOMPARE(t.scalar(QStringLiteral("select count(*) from [user] where xm='张三'")), QStringLiteral("1"));
}

void TestOperators::changeNeedsRightExceptForAdministrator_data()
{
    QTest::addColumn<QString>("current");
    QTest::addColumn<QString>("selected");
    QTest::addColumn<QStringList>("messages");
    QTest::addColumn<bool>("mayAdd");
    QTest::addColumn<bool>("mayChange");
    QTest::newRow("operator without right")
        << "无权"
        << "张三" << QStringList{"你没有此操作权限!", "你没有此操作权限!"} << false << false;
    QTest::newRow("administrator without right")
        << kAdmin << "张三" << QStringList{"你没有此操作权限!"} << false << true;
    QTest::newRow("administrator, nothing selected")
        << kAdmin << "" << QStringList{"你没有此操作权限!", "请选定要修改的操作员!"} << false << false;
    QTest::newRow("operator with right") << "张三"
                                         << "张三" << QStringList{} << true << true;
}

void TestOperators::changeNeedsRightExceptForAdministrator()
{
    QFETCH(QString, current);
    QFETCH(QString, selected);
    QFETCH(QStringList, messages);
    QFETCH(bool, mayAdd);
    QFETCH(bool, mayChange);
    TestDatabase t;
    t.exec(QStringLiteral("update [user] set czyqx='0' where xm='系统管理员'"));
    addOperator(t, QStringLiteral("张三"));
    addOperator(t, QStringLiteral("无权"), {QStringLiteral("czyqx")});
    const Operator op = loggedIn(t, current);
    OperatorAccounts accounts(t.db, t.prompt);
    QCOMPARE(accounts.mayAdd(op), mayAdd);
    QCOMPARE(accounts.mayChange(op, selected), mayChange);
    QCOMPARE(t.prompt.texts(), messages);
}

void TestOperators::saveChecksInOrder_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("password");
    QTest::addColumn<QString>("confirmation");
    QTest::addColumn<QString>("roundOff");
    QTest::addColumn<QString>("ratio");
    QTest::addColumn<QString>("message");
    QTest::newRow("empty name first") << ""
                                      << "a"
                                      << "b"
                                      << "0"
                                      << "2"
                                      << "操作员姓名不能为空!";
    QTest::newRow("blank name") << "  "
                                << "a"
                                << "a"
                                << "5"
                                << "1"
                                << "操作员姓名不能为空!";
    QTest::newRow("existing name") << "张三"
                                   << "a"
                                   << "b"
                                   << "0"
                                   << "2"
                                   << "已经存在此操作员！";
    QTest::newRow("existing administrator") << kAdmin << ""
                                            << ""
                                            << "5"
                                            << "1"
                                            << "已经存在此操作员！";
    QTest::newRow("confirmation") << "李四"
                                  << "a"
                                  << "b"
                                  << "0"
                                  << "2"
                                  << "两次输入密码不同!";
    QTest::newRow("zero limit") << "李四"
                                << "a"
                                << "a"
                                << "0"
                                << "2"
                                << "最大抹零金额必须大于零!";
    QTest::newRow("limit not a number") << "李四"
                                        << "a"
                                        << "a"
                                        << "abc"
                                        << "1"
                                        << "最大抹零金额必须大于零!";
    QTest::newRow("negative limit") << "李四"
                                    << "a"
                                    << "a"
                                    << "-5"
                                    << "1"
                                    << "最大抹零金额必须大于零!";
    QTest::newRow("ratio above one") << "李四"
                                     << "a"
                                     << "a"
                                     << "5"
                                     << "1.01"
                                     << "最低打折比例错误，应为0.00-1.00之间!";
    QTest::newRow("ratio below zero") << "李四"
                                      << "a"
                                      << "a"
                                      << "5"
                                      << "-0.1"
                                      << "最低打折比例错误，应为0.00-1.00之间!";
    QTest::newRow("valid") << "李四"
                           << "a"
                           << "a"
                           << "0.5"
                           << "0"
                           << "";
}

void TestOperators::saveChecksInOrder()
{
    QFETCH(QString, name);
    QFETCH(QString, password);
    QFETCH(QString, confirmation);
    QFETCH(QString, roundOff);
    QFETCH(QString, ratio);
    QFETCH(QString, message);
    TestDatabase t;
    addOperator(t, QStringLiteral("张三"));
    OperatorRecord record = validRecord(name);
    record.largestRoundOff = roundOff;
    record.lowestDiscount = ratio;
    const bool saved = OperatorAccounts(t.db, t.prompt).save(record, password, confirmation, true);
    QCOMPARE(t.prompt.texts(), message.isEmpty() ? QStringList() : QStringList{message});
    QCOMPARE(saved, message.isEmpty());
    QCOMPARE(t.scalar(QStringLiteral("select count(*) from [user]")),
             saved ? QStringLiteral("3") : QStringLiteral("2"));
}

void TestOperators::addWritesEveryRightToItsColumn()
{
    TestDatabase t;
    OperatorAccounts accounts(t.db, t.prompt);
    // Each right alone, so that a right written into another's column shows.
    for (int i = 0; i < Rights::kCount; ++i) {
        OperatorRecord record = validRecord(QStringLiteral("op%1").arg(i));
        record.rights[i] = true;
        QVERIFY(accounts.save(record, QStringLiteral("pw"), QStringLiteral("pw"), true));
        Operator op;
        QVERIFY(accounts.login(record.name, QStringLiteral("pw"), op));
        for (int j = 0; j < Rights::kCount; ++j)
            QVERIFY2(op.may(Rights::at(j)) == (i == j), qPrintable(Rights::column(Rights::at(j))));
        QCOMPARE(accounts.read(record.name).rights, record.rights);
    }
    const OperatorRecord back = accounts.read(QStringLiteral("op0"));
    QCOMPARE(back.phone, QStringLiteral("13800000000"));
    QCOMPARE(back.lowestDiscount, QStringLiteral("0.80"));
    QCOMPARE(back.largestRoundOff, QStringLiteral("5.00"));
    QCOMPARE(back.note, QStringLiteral("早班"));
    QVERIFY(t.prompt.texts().isEmpty());
}

void TestOperators::changeKeepsOrReplacesThePassword()
{
    TestDatabase t;
    addOperator(t, QStringLiteral("张三"), {}, QStringLiteral("old"));
    OperatorAccounts accounts(t.db, t.prompt);
    bool hasPassword = false;
    OperatorRecord record = accounts.read(QStringLiteral("张三"), &hasPassword);
    QVERIFY(hasPassword);
    record.phone = QStringLiteral("555");
    record.rights.fill(false);
    QVERIFY(accounts.save(record, OperatorAccounts::kUnchangedPassword, OperatorAccounts::kUnchangedPassword,
                          false));
    Operator op;
    QVERIFY(accounts.login(QStringLiteral("张三"), QStringLiteral("old"), op));
    QVERIFY(!op.may(Right::Kdqx));
    QCOMPARE(accounts.read(QStringLiteral("张三")).phone, QStringLiteral("555"));

    QVERIFY(accounts.save(record, QStringLiteral("new"), QStringLiteral("new"), false));
    QVERIFY(accounts.login(QStringLiteral("张三"), QStringLiteral("new"), op));
    QVERIFY(accounts.save(record, QString(), QString(), false));
    QVERIFY(accounts.login(QStringLiteral("张三"), QString(), op));
    QCOMPARE(t.scalar(QStringLiteral("select count(*) from [user]")), QStringLiteral("2"));
}

void TestOperators::typedQuoteIsStoredAsTyped()
{
    TestDatabase t;
    OperatorAccounts accounts(t.db, t.prompt);
    OperatorRecord record = validRecord(QStringLiteral("O'Brien"));
    record.note = QStringLiteral("it's");
    QVERIFY(accounts.save(record, QStringLiteral("a'b"), QStringLiteral("a'b"), true));
    Operator op;
    QVERIFY(accounts.login(QStringLiteral("O'Brien"), QStringLiteral("a'b"), op));
    QCOMPARE(accounts.read(QStringLiteral("O'Brien")).note, QStringLiteral("it's"));
    t.prompt.answer(Prompt::Answer::Yes);
    QVERIFY(accounts.remove(loggedIn(t, kAdmin), QStringLiteral("O'Brien")));
    QCOMPARE(accounts.names(), QStringList{kAdmin});
}

void TestOperators::loginDialogKeys()
{
    TestDatabase t;
    addOperator(t, QStringLiteral("张三"), {}, QStringLiteral("abc"));
    CLoginDlg dialog(t.db, t.prompt);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Orvo餐饮收银系统"));
    auto* names = dialog.findChild<QComboBox*>();
    auto* password = dialog.findChild<QLineEdit*>();
    QCOMPARE(QApplication::focusWidget(), password);
    QCOMPARE(password->echoMode(), QLineEdit::Password);
    names->setCurrentText(QStringLiteral("张三"));

    QTest::keyClicks(password, QStringLiteral("abd"));
    QTest::keyClick(password, Qt::Key_Return);
    QCOMPARE(t.prompt.texts(), QStringList{QStringLiteral("密码不正确!")});
    QVERIFY(dialog.isVisible());
    QVERIFY(password->text().isEmpty());

    QTest::keyClicks(password, QStringLiteral("abc"));
    QTest::keyClick(password, Qt::Key_Return);
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(dialog.loggedIn().name(), QStringLiteral("张三"));

    CLoginDlg again(t.db, t.prompt);
    again.show();
    QVERIFY(QTest::qWaitForWindowActive(&again));
    QTest::keyClick(&again, Qt::Key_Escape);
    QCOMPARE(again.result(), int(QDialog::Rejected));
}

void TestOperators::operatorDialogRatioCheckOnLeaving()
{
    TestDatabase t;
    CUserDlg dialog(t.db, t.prompt);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    QCOMPARE(dialog.windowTitle(), QStringLiteral("操作员信息"));
    const QList<QLineEdit*> fields = dialog.findChildren<QLineEdit*>();
    QLineEdit* ratio = fields.at(4);
    ratio->setFocus();
    ratio->setText(QStringLiteral("1.5"));
    QTest::keyClick(ratio, Qt::Key_Tab);
    QCOMPARE(t.prompt.texts(), QStringList{QStringLiteral("最低打折比例错误，应为0.00-1.00之间!")});
    QCOMPARE(QApplication::focusWidget(), ratio);
    ratio->setText(QStringLiteral("0.95"));
    QTest::keyClick(ratio, Qt::Key_Tab);
    QCOMPARE(t.prompt.texts().size(), 1);
    QVERIFY(QApplication::focusWidget() != ratio);
}

void TestOperators::operatorDialogSelectAll()
{
    TestDatabase t;
    addOperator(t, QStringLiteral("张三"), {QStringLiteral("kdqx"), QStringLiteral("sjhyqx")},
                QStringLiteral("pw"));
    CUserDlg dialog(t.db, t.prompt, QStringLiteral("张三"));
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QCOMPARE(dialog.windowTitle(), QStringLiteral("修改用户信息"));
    const QList<QLineEdit*> fields = dialog.findChildren<QLineEdit*>();
    QVERIFY(!fields.at(0)->isEnabled());
    QCOMPARE(fields.at(0)->text(), QStringLiteral("张三"));
    QList<QCheckBox*> boxes = dialog.findChildren<QCheckBox*>();
    QCheckBox* all = nullptr;
    int checked = 0;
    for (QCheckBox* box : boxes) {
        if (box->text() == QStringLiteral("全选"))
            all = box;
        else
            checked += box->isChecked();
    }
    QVERIFY(all);
    QCOMPARE(checked, Rights::kCount - 2);
    all->setFocus();
    QTest::keyClick(all, Qt::Key_Space);
    for (QCheckBox* box : boxes)
        QVERIFY(box->isChecked());
    QTest::keyClick(all, Qt::Key_Space);
    for (QCheckBox* box : boxes)
        QVERIFY(!box->isChecked());
    QTest::keyClick(all, Qt::Key_Space);
    for (QPushButton* button : dialog.findChildren<QPushButton*>())
        if (button->text() == QStringLiteral("确定"))
            button->click();
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QVERIFY(t.prompt.texts().isEmpty());
    OperatorAccounts accounts(t.db, t.prompt);
    Operator op;
    QVERIFY(accounts.login(QStringLiteral("张三"), QStringLiteral("pw"), op));
    QVERIFY(op.may(Right::Kdqx));
    QVERIFY(op.may(Right::Sjhyqx));
}

void TestOperators::operatorsPageAddChangeDelete()
{
    TestDatabase t;
    addOperator(t, QStringLiteral("张三"));
    const Operator admin = loggedIn(t, kAdmin);
    CUser page(t.db, t.prompt, admin);
    QTreeWidget* list = page.list();
    QCOMPARE(list->topLevelItemCount(), 2);
    QCOMPARE(list->headerItem()->text(2), QStringLiteral("最低打折比例"));

    page.remove();
    QCOMPARE(t.prompt.last(), QStringLiteral("请选定要删除的操作员!"));

    whenModal([](QWidget* modal) {
        auto* dialog = qobject_cast<CUserDlg*>(modal);
        QVERIFY(dialog);
        const QList<QLineEdit*> fields = dialog->findChildren<QLineEdit*>();
        fields.at(0)->setText(QStringLiteral("李四"));
        fields.at(3)->setText(QStringLiteral("666"));
        fields.at(5)->setText(QStringLiteral("3"));
        QTest::keyClick(fields.at(0), Qt::Key_Return);
    });
    page.add();
    QCOMPARE(list->topLevelItemCount(), 3);
    QTreeWidgetItem* added = list->topLevelItem(2);
    QCOMPARE(added->text(0), QStringLiteral("李四"));
    QCOMPARE(added->text(1), QStringLiteral("666"));
    QCOMPARE(added->text(3), QStringLiteral("3.00"));

    added->setSelected(true);
    whenModal([](QWidget* modal) {
        const QList<QLineEdit*> fields = modal->findChildren<QLineEdit*>();
        fields.at(6)->setText(QStringLiteral("晚班"));
        QTest::keyClick(fields.at(6), Qt::Key_Return);
    });
    page.change();
    QCOMPARE(added->text(4), QStringLiteral("晚班"));

    t.prompt.answer(Prompt::Answer::Yes);
    page.remove();
    QCOMPARE(list->topLevelItemCount(), 2);
    QCOMPARE(t.scalar(QStringLiteral("select count(*) from [user] where xm='李四'")), QStringLiteral("0"));
}

PELVAR_TEST(TestOperators)
#include "tst_Operators.moc"
