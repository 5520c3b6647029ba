#pragma once

#include <QPrinter>

// The program's one default printer setting: report screens set its orientation before a
// preview, and the preview and print dialogs start from it. The application owns it and hands
// it to the screens that print.
class DefaultPrinter final
{
public:
    DefaultPrinter();
    DefaultPrinter(const DefaultPrinter&) = delete;
    DefaultPrinter& operator=(const DefaultPrinter&) = delete;

    QPrinter& printer() { return m_printer; }

    // Portrait when true, landscape when false.
    void SetPrintOrientation(bool portrait);

private:
    QPrinter m_printer;
};
