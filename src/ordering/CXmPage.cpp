#include "CXmPage.h"

#include "CategoryDialog.h"
#include "CommandRow.h"
#include "CPrintListReportCtrl.h"
#include "DefaultPrinter.h"
#include "DishDialog.h"
#include "PrintTimeLine.h"
#include "Spooler.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QWidget* buttonRow(QWidget* parent, const QList<Command>& commands)
{
    auto* row = new QWidget(parent);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addStretch();
    addCommands(layout, row, commands);
    return row;
}

} // namespace

CXmPage::CXmPage(Database& db, Prompt& prompt, Spooler& spooler, DefaultPrinter& defaultPrinter,
                 const QString& operatorName, Gate mayEditCategories, Gate mayEditDishes, QWidget* parent)
    : QWidget(parent), m_db(db), m_prompt(prompt), m_spooler(spooler), m_defaultPrinter(defaultPrinter),
      m_operatorName(operatorName), m_mayEditCategories(std::move(mayEditCategories)),
      m_mayEditDishes(std::move(mayEditDishes)), m_categories(db, prompt), m_dishes(db, prompt),
      m_categoryList(new CPrintListReportCtrl(prompt, defaultPrinter, this)),
      m_dishList(new CPrintListReportCtrl(prompt, defaultPrinter, this)), m_search(new QLineEdit(this))
{
    setWindowTitle(QStringLiteral("消费项目设置"));
    m_categoryList->SetColumnSpec(CategorySettings::kColumns);
    m_dishList->SetColumnSpec(DishSettings::kColumns);
    m_dishList->SetReportTitle(DishSettings::kReportTitle);

    m_categoryButtons = buttonRow(this, {{QStringLiteral("添加"), [this] { addCategory(); }},
                                         {QStringLiteral("删除"), [this] { removeCategory(); }},
                                         {QStringLiteral("修改"), [this] { changeCategory(); }}});
    m_dishButtons = buttonRow(this, {{QStringLiteral("添加"), [this] { addDish(); }},
                                     {QStringLiteral("删除"), [this] { removeDish(); }},
                                     {QStringLiteral("修改"), [this] { changeDish(); }},
                                     {QStringLiteral("打印"), [this] { print(); }},
                                     {QStringLiteral("导出"), [this] { exportList(); }},
                                     {QStringLiteral("重算编号"), [this] { renumber(); }}});

    auto* categories = new QGroupBox(QStringLiteral("项目类别"), this);
    auto* categoriesLayout = new QVBoxLayout(categories);
    categoriesLayout->addWidget(m_categoryList);
    categoriesLayout->addWidget(m_categoryButtons);

    auto* searchLabel = new QLabel(QStringLiteral("项目编号或简拼:"), this);
    searchLabel->setBuddy(m_search);
    auto* all = new QPushButton(QStringLiteral("显示全部"), this);
    all->setAutoDefault(false);
    auto* searchRow = new QHBoxLayout;
    searchRow->addWidget(searchLabel);
    searchRow->addWidget(m_search, 1);
    searchRow->addWidget(all);
    auto* dishes = new QGroupBox(QStringLiteral("消费项目"), this);
    auto* dishesLayout = new QVBoxLayout(dishes);
    dishesLayout->addLayout(searchRow);
    dishesLayout->addWidget(m_dishList);
    dishesLayout->addWidget(m_dishButtons);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(categories, 2);
    layout->addWidget(dishes, 5);

    connect(m_categoryList->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &CXmPage::categoryChosen);
    connect(m_categoryList, &QAbstractItemView::doubleClicked, this, &CXmPage::changeCategory);
    connect(m_dishList, &QAbstractItemView::doubleClicked, this, &CXmPage::changeDish);
    connect(m_search, &QLineEdit::textEdited, this, &CXmPage::search);
    connect(all, &QPushButton::clicked, this, &CXmPage::showAll);

    loadCategories();
    showAll();
}

QPushButton* CXmPage::categoryButton(const QString& text) const
{
    return buttonWithText(m_categoryButtons, text);
}

QPushButton* CXmPage::dishButton(const QString& text) const
{
    return buttonWithText(m_dishButtons, text);
}

QString CXmPage::selectedCategory() const
{
    return m_categoryList->selectedRowTexts().value(CategorySettings::Name);
}

QString CXmPage::selectedDish() const
{
    return m_dishList->selectedRowTexts().value(DishSettings::Name);
}

void CXmPage::loadCategories(const QString& select)
{
    const QSignalBlocker quiet(m_categoryList->selectionModel());
    m_categoryList->DeleteAllRows();
    for (const QStringList& row : m_categories.rows()) {
        const int index = m_categoryList->AddRow(row);
        if (!select.isEmpty() && row.at(CategorySettings::Name) == select)
            m_categoryList->selectRow(index);
    }
}

void CXmPage::categoryChosen()
{
    const QString category = selectedCategory();
    if (category.isEmpty())
        return;
    m_mode = Mode::Category;
    showDishes(m_dishes.inCategory(category));
}

void CXmPage::search(const QString& text)
{
    m_mode = Mode::Search;
    showDishes(m_dishes.search(text));
}

void CXmPage::showAll()
{
    m_mode = Mode::All;
    m_categoryList->clearSelection();
    showDishes(m_dishes.all());
}

void CXmPage::showDishes(const QList<QStringList>& rows)
{
    m_dishList->setRows(rows);
}

void CXmPage::reloadDishes()
{
    const QString category = selectedCategory();
    if (m_mode == Mode::Category && !category.isEmpty())
        showDishes(m_dishes.inCategory(category));
    else if (m_mode == Mode::Search)
        showDishes(m_dishes.search(m_search->text()));
    else
        showDishes(m_dishes.all());
}

void CXmPage::addCategory()
{
    if (!m_mayEditCategories())
        return;
    CategoryDialog dialog(m_db, m_prompt, m_spooler.printerNames(), QString(), this);
    if (dialog.exec() == QDialog::Accepted)
        loadCategories(selectedCategory());
}

void CXmPage::changeCategory()
{
    if (!m_mayEditCategories())
        return;
    const QString name = selectedCategory();
    if (!m_categories.mayChange(name))
        return;
    CategoryDialog dialog(m_db, m_prompt, m_spooler.printerNames(), name, this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    // The category's dishes took its new name and discount flag.
    loadCategories(dialog.name());
    reloadDishes();
}

void CXmPage::removeCategory()
{
    if (!m_mayEditCategories())
        return;
    if (m_categories.remove(selectedCategory()))
        loadCategories();
}

void CXmPage::addDish()
{
    if (!m_mayEditDishes())
        return;
    DishDialog dialog(m_db, m_prompt, QString(), selectedCategory(), this);
    if (dialog.exec() == QDialog::Accepted)
        reloadDishes();
}

void CXmPage::changeDish()
{
    if (!m_mayEditDishes())
        return;
    const QString name = selectedDish();
    if (!m_dishes.mayChange(name))
        return;
    DishDialog dialog(m_db, m_prompt, name, QString(), this);
    if (dialog.exec() == QDialog::Accepted)
        reloadDishes();
}

void CXmPage::removeDish()
{
    if (!m_mayEditDishes())
        return;
    const QList<int> rows = m_dishList->selectedRows();
    if (m_dishes.remove(selectedDish()))
        m_dishList->DeleteRow(rows.first());
}

void CXmPage::renumber()
{
    if (!m_mayEditDishes())
        return;
    if (m_dishes.renumber())
        reloadDishes();
}

// The list carries the report's title and the moment and operator of printing; an empty list
// makes no report.
bool CXmPage::prepareReport()
{
    if (m_dishList->rowCount() == 0)
        return false;
    m_dishList->SetReportSubtitle(PrintTimeLine(m_operatorName));
    return true;
}

void CXmPage::print()
{
    // The list shows purchase prices and costs: the dish right, as the page's other commands.
    if (!m_mayEditDishes() || !prepareReport())
        return;
    m_defaultPrinter.SetPrintOrientation(false);
    m_dishList->PrintPreview();
}

void CXmPage::exportList()
{
    if (m_mayEditDishes() && prepareReport())
        m_dishList->ExportToExcel();
}
