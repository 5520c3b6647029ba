#pragma once

#include <QDialog>

class Database;
class QLineEdit;

// 餐厅名称设置: the restaurant's name, telephone and address.
class CRestaurantDlg final : public QDialog
{
    Q_OBJECT
public:
    explicit CRestaurantDlg(Database& db, QWidget* parent = nullptr);

private:
    void onOk();

    Database& m_db;
    QLineEdit* m_name;
    QLineEdit* m_phone;
    QLineEdit* m_address;
};
