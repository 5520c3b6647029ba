#pragma once

#include "Operator.h"
#include "OperatorAccounts.h"

#include <QDialog>

class QLineEdit;

// 设置密码: an operator whose account has no password chooses one before anything else; the
// dialog ends with OK once it is stored and the operator is logged in.
class FirstPasswordDialog final : public QDialog
{
    Q_OBJECT
public:
    FirstPasswordDialog(OperatorAccounts& accounts, const QString& name, QWidget* parent = nullptr);

    const Operator& loggedIn() const { return m_loggedIn; }

private:
    void onOk();

    OperatorAccounts& m_accounts;
    QString m_name;
    QLineEdit* m_password;
    QLineEdit* m_confirmation;
    Operator m_loggedIn;
};
