#pragma once

#include "Operator.h"
#include "OperatorAccounts.h"

#include <array>
#include <QDialog>

class QCheckBox;
class QLineEdit;

// 操作员信息: adds an operator, or changes one (title "修改用户信息", name fixed). After OK,
// record() holds what was saved so that the page can update its row.
class CUserDlg final : public QDialog
{
    Q_OBJECT
public:
    // An empty name opens the dialog in add mode. `current` is the operator logged in.
    CUserDlg(Database& db, Prompt& prompt, const Operator& current, const QString& name = QString(),
             QWidget* parent = nullptr);

    const OperatorRecord& record() const { return m_record; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void onOk();
    void collect();

    OperatorAccounts m_accounts;
    const Operator& m_current;
    bool m_adding;
    OperatorRecord m_record;
    QLineEdit* m_name;
    QLineEdit* m_password;
    QLineEdit* m_confirmation;
    QLineEdit* m_phone;
    QLineEdit* m_lowestDiscount;
    QLineEdit* m_largestRoundOff;
    QLineEdit* m_note;
    QCheckBox* m_all;
    std::array<QCheckBox*, Rights::kCount> m_rights{};
};
