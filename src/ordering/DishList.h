#pragma once

#include "ConsumptionList.h"
#include "CPrintListReportCtrl.h"
#include "DishCatalogue.h"

// The dish list of the ordering screens: the catalogue's rows in its columns, one dish
// selected at a time, and the keyboard's moves through it while the focus is elsewhere.
class DishList final : public CPrintListReportCtrl
{
    Q_OBJECT
public:
    DishList(Database& db, DefaultPrinter& defaultPrinter, QWidget* parent = nullptr);

    // Fills the list with the dishes of a catalogue statement and selects the first.
    void FillDishList(const QString& statement);

    // The selected dish's name, price and category; an empty name when none is selected.
    ConsumptionList::Dish selectedDish() const;
    // Selects the dish `rows` below (negative: above) the selected one and scrolls to it;
    // nothing happens when that row does not exist.
    void moveSelection(int rows);

signals:
    // The name to show as the current dish ("" when none is selected).
    void currentDishChanged(const QString& name);

private:
    int selectedRow() const;
    void pick(int row);

    DishCatalogue m_catalogue;
};
