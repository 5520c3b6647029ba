#pragma once

#include "PrinterHandle.h"

#include <memory>
#include <QStringList>

// The print spooler of the machine: the printers it knows and raw jobs to them.
class Spooler
{
public:
    virtual ~Spooler() = default;

    // The names of the printers the spooler knows, for choosing a category's or the receipt's printer.
    virtual QStringList printerNames() = 0;

    // Opens a printer by name; null when the spooler does not know it or cannot reach it.
    virtual std::unique_ptr<PrinterHandle> open(const QString& name) = 0;
};
