#include "CategoryDialog.h"

#include "PrinterBox.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QIntValidator>
#include <QLineEdit>
#include <QVBoxLayout>

CategoryDialog::CategoryDialog(Database& db, Prompt& prompt, const QStringList& spoolerPrinters,
                               const QString& name, QWidget* parent)
    : QDialog(parent), m_categories(db, prompt), m_oldName(name), m_name(new QLineEdit(this)),
      m_discount(new QCheckBox(QStringLiteral("是否允许打折"), this)), m_printer(new PrinterBox(this)),
      m_title(new QLineEdit(this)), m_copies(new QLineEdit(this)), m_blankBefore(new QLineEdit(this)),
      m_blankAfter(new QLineEdit(this)), m_cut(new QCheckBox(QStringLiteral("启用打印机切纸功能"), this))
{
    setWindowTitle(name.isEmpty() ? CategorySettings::kAddTitle : CategorySettings::kChangeTitle);
    for (QLineEdit* count : {m_copies, m_blankBefore, m_blankAfter})
        count->setValidator(new QIntValidator(0, 99, count));

    const CategorySettings::Category category =
        name.isEmpty() ? CategorySettings::Category() : m_categories.read(name);
    m_name->setText(category.name);
    m_discount->setChecked(category.discountAllowed);
    m_printer->setPrinters(spoolerPrinters, category.printer, CategorySettings::kNoKitchenPrinter);
    m_title->setText(category.title);
    m_copies->setText(category.copies);
    m_blankBefore->setText(category.blankLinesBefore);
    m_blankAfter->setText(category.blankLinesAfter);
    m_cut->setChecked(category.cut);

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("类别名称"), m_name);
    form->addRow(QString(), m_discount);
    form->addRow(QStringLiteral("后厨打印机"), m_printer);
    form->addRow(QStringLiteral("打印标题"), m_title);
    form->addRow(QStringLiteral("打印份数"), m_copies);
    form->addRow(QStringLiteral("起始空行"), m_blankBefore);
    form->addRow(QStringLiteral("结束空行"), m_blankAfter);
    form->addRow(QString(), m_cut);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &CategoryDialog::onOk);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
    m_printer->setMinimumWidth(240);
    m_name->setFocus();
}

QString CategoryDialog::name() const
{
    return m_name->text();
}

void CategoryDialog::onOk()
{
    const CategorySettings::Category category{
        m_name->text(),   m_discount->isChecked(), m_printer->printer(), m_title->text(),
        m_copies->text(), m_blankBefore->text(),   m_blankAfter->text(), m_cut->isChecked()};
    const CategorySettings::Result result =
        m_oldName.isEmpty() ? m_categories.add(category) : m_categories.change(m_oldName, category);
    if (result) {
        accept();
        return;
    }
    switch (result.input) {
    case CategorySettings::Input::NameCleared:
        m_name->clear();
        [[fallthrough]];
    case CategorySettings::Input::Name:
        m_name->setFocus();
        break;
    case CategorySettings::Input::Copies:
        m_copies->setFocus();
        m_copies->selectAll();
        break;
    case CategorySettings::Input::None:
        break;
    }
}
