#include "DishList.h"

#include "Database.h"

#include <QHeaderView>
#include <QItemSelectionModel>

DishList::DishList(Database& db, DefaultPrinter& defaultPrinter, QWidget* parent)
    : CPrintListReportCtrl(db.prompt(), defaultPrinter, parent), m_catalogue(db)
{
    SetColumnSpec(DishCatalogue::kColumns);
    setGridLines(true);
    horizontalHeader()->setSectionsMovable(true);
    QFont listFont(QStringLiteral("宋体"));
    listFont.setPixelSize(14);
    setFont(listFont);
    connect(selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] {
        const int row = selectedRow();
        emit currentDishChanged(row < 0 ? QString() : cellText(row, DishCatalogue::Name));
    });
}

void DishList::FillDishList(const QString& statement)
{
    setRows(m_catalogue.rows(statement));
    pick(0);
    if (rowCount() == 0)
        emit currentDishChanged(QString());
}

ConsumptionList::Dish DishList::selectedDish() const
{
    const int row = selectedRow();
    if (row < 0)
        return {};
    return {cellText(row, DishCatalogue::Name), cellText(row, DishCatalogue::Price),
            cellText(row, DishCatalogue::Category)};
}

void DishList::moveSelection(int rows)
{
    const int row = selectedRow() + rows;
    if (row >= 0 && row < rowCount())
        pick(row);
}

int DishList::selectedRow() const
{
    const QList<int> rows = selectedRows();
    return rows.isEmpty() ? -1 : rows.first();
}

void DishList::pick(int row)
{
    if (row < 0 || row >= rowCount())
        return;
    const QModelIndex index = model()->index(row, 0);
    selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    scrollTo(index);
}
