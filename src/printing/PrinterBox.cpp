#include "PrinterBox.h"

PrinterBox::PrinterBox(QWidget* parent) : QComboBox(parent) {}

void PrinterBox::setPrinters(const QStringList& known, const QString& stored, const QString& none)
{
    clear();
    if (!none.isEmpty())
        addItem(none, none);
    for (const QString& name : known)
        addItem(name, name);
    if (!stored.isEmpty() && findData(stored) < 0)
        addItem(stored + kNotFound, stored);
    setCurrentIndex(findData(stored.isEmpty() ? none : stored));
}

QString PrinterBox::printer() const
{
    return currentData().toString();
}
