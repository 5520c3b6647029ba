#pragma once

#include "Discount.h"

#include <QDialog>

class QComboBox;
class QLabel;
class QLineEdit;
class QRadioButton;

// The discount dialog: a ratio within the limit of the operator in force, who may be switched to
// another operator (a supervisor) by his password, and whether it applies to all lines or only
// the selected ones. The caller writes the ratio to its lines.
class CDzDlg final : public QDialog
{
    Q_OBJECT
public:
    CDzDlg(Database& db, const Cashier& cashier, Discount::PasswordCheck passwordCheck,
           QWidget* parent = nullptr);

    // After OK: the ratio as written ("%.2f") and the scope.
    QString ratio() const { return m_discount.ratio(); }
    bool selectedOnly() const;

    QLineEdit* ratioEdit() const { return m_ratio; }
    QComboBox* operatorBox() const { return m_operator; }
    QLineEdit* passwordEdit() const { return m_password; }
    QLabel* limitLabel() const { return m_limit; }
    QRadioButton* selectedScope() const { return m_selected; }

    void switchOperator();
    void onOk();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    Discount m_discount;
    QLineEdit* m_ratio;
    QComboBox* m_operator;
    QLineEdit* m_password;
    QLabel* m_limit;
    QRadioButton* m_all;
    QRadioButton* m_selected;
};
