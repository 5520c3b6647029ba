#include "DishDialog.h"

#include "PinyinInitials.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleValidator>
#include <QEvent>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

DishDialog::DishDialog(Database& db, Prompt& prompt, const QString& name, const QString& category,
                       QWidget* parent)
    : QDialog(parent), m_dishes(db, prompt), m_oldName(name), m_number(new QLineEdit(this)),
      m_name(new QLineEdit(this)), m_pinyin(new QLineEdit(this)), m_price(new QLineEdit(this)),
      m_purchasePrice(new QLineEdit(this)), m_referenceCost(new QLineEdit(this)), m_unit(new QComboBox(this)),
      m_category(new QComboBox(this)), m_stockItem(new QCheckBox(QStringLiteral("有库存信息"), this)),
      m_stock(new QLineEdit(this)), m_discount(new QCheckBox(QStringLiteral("允许打折"), this)),
      m_forSale(new QCheckBox(QStringLiteral("可以销售"), this))
{
    setWindowTitle(name.isEmpty() ? DishSettings::kAddTitle : DishSettings::kChangeTitle);
    m_number->setValidator(new QIntValidator(0, 999999, m_number));
    for (QLineEdit* amount : {m_price, m_purchasePrice, m_referenceCost, m_stock})
        amount->setValidator(new QDoubleValidator(-999999, 999999, 2, amount));
    m_unit->setEditable(true);
    m_unit->addItems(DishSettings::kUnits);
    for (const DishSettings::CategoryChoice& choice : m_dishes.categories())
        m_category->addItem(choice.name, choice.discountAllowed);

    DishSettings::Dish dish = name.isEmpty() ? m_dishes.blank() : m_dishes.read(name);
    if (name.isEmpty() && !category.isEmpty())
        dish.category = category;
    m_number->setText(dish.number);
    m_name->setText(dish.name);
    m_pinyin->setText(dish.pinyin);
    m_price->setText(dish.price);
    m_purchasePrice->setText(dish.purchasePrice);
    m_referenceCost->setText(dish.referenceCost);
    m_unit->setCurrentText(dish.unit);
    m_stockItem->setChecked(dish.stockItem);
    m_stock->setText(dish.stock);
    m_stock->setEnabled(dish.stockItem);
    m_discount->setChecked(dish.discountAllowed);
    m_forSale->setChecked(dish.forSale);
    m_category->setCurrentIndex(qMax(0, m_category->findText(dish.category)));
    categoryChosen(m_category->currentIndex());

    connect(m_category, &QComboBox::currentIndexChanged, this, &DishDialog::categoryChosen);
    connect(m_stockItem, &QCheckBox::toggled, m_stock, &QWidget::setEnabled);
    m_name->installEventFilter(this);

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("项目编号"), m_number);
    form->addRow(QStringLiteral("项目名"), m_name);
    form->addRow(QStringLiteral("拼音简写"), m_pinyin);
    form->addRow(QStringLiteral("单价"), m_price);
    form->addRow(QStringLiteral("进货价格"), m_purchasePrice);
    form->addRow(QStringLiteral("参考成本"), m_referenceCost);
    form->addRow(QStringLiteral("单位"), m_unit);
    form->addRow(QStringLiteral("所属类别"), m_category);
    auto* stock = new QHBoxLayout;
    stock->addWidget(m_stockItem);
    stock->addWidget(new QLabel(QStringLiteral("当前库存"), this));
    stock->addWidget(m_stock, 1);
    form->addRow(QString(), stock);
    form->addRow(QString(), m_discount);
    form->addRow(QString(), m_forSale);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &DishDialog::onOk);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
    setMinimumWidth(320);
    (name.isEmpty() ? m_name : m_number)->setFocus();
}

bool DishDialog::eventFilter(QObject* watched, QEvent* event)
{
    // Initials the operator corrected stay until the name itself is edited again.
    if (watched == m_name && event->type() == QEvent::FocusOut && m_name->isModified()) {
        m_pinyin->setText(GetPinyinInitials(m_name->text()));
        m_name->setModified(false);
    }
    return QDialog::eventFilter(watched, event);
}

void DishDialog::categoryChosen(int index)
{
    const bool allowed = index < 0 || m_category->itemData(index).toBool();
    if (!allowed)
        m_discount->setChecked(false);
    m_discount->setEnabled(allowed);
}

void DishDialog::onOk()
{
    const DishSettings::Dish dish{
        m_number->text(),         m_name->text(),          m_pinyin->text(),        m_price->text(),
        m_purchasePrice->text(),  m_referenceCost->text(), m_unit->currentText(),   m_category->currentText(),
        m_stockItem->isChecked(), m_stock->text(),         m_discount->isChecked(), m_forSale->isChecked()};
    const DishSettings::Result result =
        m_oldName.isEmpty() ? m_dishes.add(dish) : m_dishes.change(m_oldName, dish);
    if (result) {
        accept();
        return;
    }
    QWidget* input = nullptr;
    switch (result.input) {
    case DishSettings::Input::Number:
        input = m_number;
        break;
    case DishSettings::Input::Name:
        input = m_name;
        break;
    case DishSettings::Input::Unit:
        input = m_unit;
        break;
    case DishSettings::Input::Price:
        input = m_price;
        break;
    case DishSettings::Input::None:
        break;
    }
    if (input)
        input->setFocus();
}
