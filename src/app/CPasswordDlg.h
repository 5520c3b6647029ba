#pragma once

#include "OperatorAccounts.h"

#include <QDialog>

class QLineEdit;

// 更改密码: the current operator's old password, the new one and its confirmation.
class CPasswordDlg final : public QDialog
{
    Q_OBJECT
public:
    CPasswordDlg(Database& db, Prompt& prompt, const QString& operatorName, QWidget* parent = nullptr);

private:
    void onOk();

    OperatorAccounts m_accounts;
    QString m_operatorName;
    QLineEdit* m_old;
    QLineEdit* m_new;
    QLineEdit* m_confirmation;
};
