#pragma once

#include "DishSettings.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLineEdit;

// 添加项目信息 / 修改项目信息: one dish. Leaving the name fills the initials; a category without
// discount clears and locks the discount box; the stock field follows "有库存信息".
class DishDialog final : public QDialog
{
    Q_OBJECT
public:
    // An empty name opens the dialog to add a dish, in `category` when one is given.
    DishDialog(Database& db, Prompt& prompt, const QString& name = QString(),
               const QString& category = QString(), QWidget* parent = nullptr);

    QLineEdit* numberEdit() const { return m_number; }
    QLineEdit* nameEdit() const { return m_name; }
    QLineEdit* pinyinEdit() const { return m_pinyin; }
    QLineEdit* priceEdit() const { return m_price; }
    QLineEdit* stockEdit() const { return m_stock; }
    QComboBox* unitBox() const { return m_unit; }
    QComboBox* categoryBox() const { return m_category; }
    QCheckBox* stockItemBox() const { return m_stockItem; }
    QCheckBox* discountBox() const { return m_discount; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void categoryChosen(int index);
    void onOk();

    DishSettings m_dishes;
    QString m_oldName;
    QLineEdit* m_number;
    QLineEdit* m_name;
    QLineEdit* m_pinyin;
    QLineEdit* m_price;
    QLineEdit* m_purchasePrice;
    QLineEdit* m_referenceCost;
    QComboBox* m_unit;
    QComboBox* m_category;
    QCheckBox* m_stockItem;
    QLineEdit* m_stock;
    QCheckBox* m_discount;
    QCheckBox* m_forSale;
};
