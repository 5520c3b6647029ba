#pragma once

#include "PaymentParts.h"

#include <QWidget>

class Database;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

// The row of the payment side where a cashier takes parts of 实收金额 by other methods (银行卡,
// 微信, 其他, ...): a method, an amount, 加入 and 清除, and the parts taken so far. Cash pays
// what they leave.
class PaymentPartsRow final : public QWidget
{
    Q_OBJECT
public:
    PaymentPartsRow(Database& db, QWidget* parent);

    const QList<PaymentParts::Part>& parts() const { return m_parts; }
    void setParts(const QList<PaymentParts::Part>& parts);
    QComboBox* methodBox() const { return m_method; }
    QLineEdit* amountEdit() const { return m_amount; }

signals:
    void changed();

private:
    void add();
    void show();

    Database& m_db;
    QList<PaymentParts::Part> m_parts;
    QComboBox* m_method;
    QLineEdit* m_amount;
    QPushButton* m_add;
    QPushButton* m_clear;
    QLabel* m_shown;
};
