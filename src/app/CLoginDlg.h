#pragma once

#include "Operator.h"
#include "OperatorAccounts.h"

#include <QDialog>

class QComboBox;
class QLineEdit;

// 系统登陆: choose an operator, type the password. Ends with OK once an operator has logged in,
// with cancel on 退出.
class CLoginDlg final : public QDialog
{
    Q_OBJECT
public:
    CLoginDlg(Database& db, Prompt& prompt, QWidget* parent = nullptr);

    const Operator& loggedIn() const { return m_loggedIn; }

private:
    void onOk();

    OperatorAccounts m_accounts;
    QComboBox* m_name;
    QLineEdit* m_password;
    Operator m_loggedIn;
};
