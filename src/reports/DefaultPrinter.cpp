#include "DefaultPrinter.h"

DefaultPrinter::DefaultPrinter() : m_printer(QPrinter::HighResolution)
{
    // Report pages are laid out in 600 dpi device units (the program's name sits at fixed places).
    m_printer.setResolution(600);
    m_printer.setPageSize(QPageSize(QPageSize::A4));
}

void DefaultPrinter::SetPrintOrientation(bool portrait)
{
    m_printer.setPageOrientation(portrait ? QPageLayout::Portrait : QPageLayout::Landscape);
}
