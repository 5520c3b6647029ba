#pragma once

#include "OperatorRecord.h"

#include <QList>
#include <QStringList>

class Database;
class Operator;
class OperatorLog;
class Prompt;
class Recordset;

// The operations on operators: login, password change, and the operators page with its dialog.
// Every refusal is shown through the prompt with the caption "提示信息", in the order the
// checks are listed.
class OperatorAccounts final
{
public:
    // Stands in the password fields of an operator shown for change: left as it is, the stored
    // password stays.
    static inline const QString kUnchangedPassword = QStringLiteral("\uE000\uE000\uE000\uE000\uE000\uE000");

    OperatorAccounts(Database& db, Prompt& prompt);

    // Every operator's name, sorted.
    QStringList names();
    static inline const QString kAdministratorFirst =
        QStringLiteral("系统管理员还没有密码,请先以系统管理员登陆并设置密码!");

    // The chosen operator with the typed password: on success fills `loggedIn` and writes
    // "用户“name”登陆系统" to the log; otherwise "密码不正确!" (and "用户“name”登陆失败" in the
    // log), or the wait after repeated failures. Nobody but 系统管理员 logs in while that
    // account has no password. An account without a password, with none typed, does not log in:
    // `mustSetPassword` is set, and setFirstPassword() follows.
    bool login(const QString& name, const QString& password, Operator& loggedIn,
               bool* mustSetPassword = nullptr);
    // The first password of an account that has none: "密码不能为空!", "两次密码输入不一致!";
    // then the password is stored, the operator logged in, and both written to the log.
    bool setFirstPassword(const QString& name, const QString& newPassword, const QString& confirmation,
                          Operator& loggedIn);
    // Another operator vouches with his password (the discount dialog's switch): "密码不正确!"
    // unless the account has a password and it was typed. Logged and slowed down as logins are.
    bool vouch(const QString& name, const QString& password);
    // "原密码不正确!", "两次密码输入不一致!", "密码不能为空!", or the new password stored (and
    // logged) and "更改成功!".
    bool changePassword(const QString& name, const QString& oldPassword, const QString& newPassword,
                        const QString& confirmation);

    // The operators page.
    QList<OperatorRecord> list();
    bool mayAdd(const Operator& current);
    // `selected` is "" when no row is selected.
    // Only 系统管理员 changes 系统管理员's record.
    bool mayChange(const Operator& current, const QString& selected);
    // Checks, asks "是否真的要删除此操作员!" and deletes, logged; true when the row is gone.
    bool remove(const Operator& current, const QString& selected);

    // The operator dialog.
    OperatorRecord read(const QString& name, bool* hasPassword = nullptr);
    // False with "最低打折比例错误，应为0.00-1.00之间!" when the ratio lies outside 0 to 1.
    bool checkLowestDiscount(const QString& text);
    // A password is given when an operator is added; only 系统管理员 resets one afterwards, so that
    // the operator right cannot take over another's account.
    static bool mayResetPassword(const Operator& current, bool adding);
    // Validates in order (name, trimmed when adding, an existing name equal after trimming,
    // confirmation, rounding-off limit, discount ratio), then whether the current operator may make
    // the change (OperatorChange), and writes the row with its run log entry in one transaction;
    // the stored values are written back into `record`.
    bool save(const Operator& current, OperatorRecord& record, const QString& password,
              const QString& confirmation, bool adding);

private:
    bool exists(const QString& name);
    bool administratorHasPassword();
    // Opens the account of `name` (at EOF when there is none), unless failed attempts still lock
    // the name out, which the prompt tells.
    bool openUnlessLocked(const QString& name, OperatorLog& log, Recordset& user);
    // Runs the statement and writes "用户“who" + entry into the run log, in one transaction.
    bool writeLogged(const QString& statement, const QString& who, const QString& entry);

    Database& m_db;
    Prompt& m_prompt;
};
