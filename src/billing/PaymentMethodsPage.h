#pragma once

#include <QWidget>

class Database;
class QLineEdit;
class QListWidget;

// 付款方式: the methods the restaurant takes beside 现金 (银行卡, 微信, 支付宝, ...), named and
// removed here; the checkout takes parts of a bill by them.
class PaymentMethodsPage final : public QWidget
{
    Q_OBJECT
public:
    PaymentMethodsPage(Database& db, QWidget* parent = nullptr);

    QListWidget* list() const { return m_list; }
    QLineEdit* nameEdit() const { return m_name; }
    void add();
    void remove();

private:
    void reload();

    Database& m_db;
    QListWidget* m_list;
    QLineEdit* m_name;
};
