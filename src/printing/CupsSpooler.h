#pragma once

#include "Spooler.h"

// The machine's CUPS server (the one the client library is configured for). Printer names are
// CUPS queue names.
class CupsSpooler final : public Spooler
{
public:
    QStringList printerNames() override;
    std::unique_ptr<PrinterHandle> open(const QString& name) override;
};
