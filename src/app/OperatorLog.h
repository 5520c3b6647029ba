#pragma once

#include <QString>

class Database;

// The run log's entries about operators, with the clock's time: every change of an operator, and
// every typed password, at login or when an operator vouches for a discount ("用户“name”登陆系统"
// or "用户“name”登陆失败", "用户“name”打折授权" or "用户“name”打折授权失败"). After three failures
// in a row an operator's password is not tried again for a while, doubling with each further
// failure up to five minutes, so that guessing takes years instead of an afternoon.
class OperatorLog final
{
public:
    static inline const QString kLogin = QStringLiteral("登陆系统");
    static inline const QString kLoginFailed = QStringLiteral("登陆失败");
    static inline const QString kVouch = QStringLiteral("打折授权");
    static inline const QString kVouchFailed = QStringLiteral("打折授权失败");

    explicit OperatorLog(Database& db);

    // Seconds until the operator's password may be tried again; 0 when it may be tried now.
    int wait(const QString& name);
    // "密码错误次数过多,请%1秒后再试!"
    static QString waitMessage(int seconds);

    // Writes "用户“name" + "”" + event into the run log; inside a transaction it fails the
    // transaction, outside it reports its own failure.
    void record(const QString& name, const QString& event, bool inTransaction = false);

private:
    Database& m_db;
};
