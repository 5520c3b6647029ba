#pragma once

#include <optional>
#include <QString>

class Database;

// The receipt settings: the one row of dysz, read afresh by every receipt and edited on the
// print settings page.
struct PrintSettings
{
    bool printAtCheckout = false; // jzdy
    QString printer;              // dyjmc; empty means no receipt printer
    QString title1, title2;       // bt1, bt2
    QString footer1, footer2;     // yj1, yj2
    QString blankLines;           // yjkh, an integer numeral
    bool kitchenPrinting = false; // cfdy

    // Footer blank lines as a number; exactly 1 also selects plain-text receipts.
    int footerBlankLines() const;
    bool plainText() const { return footerBlankLines() == 1; }

    // The row, or nothing when the table is empty or cannot be read ("ADO Error: %s" shown).
    static std::optional<PrintSettings> load(Database& db);
    // Writes the row and shows "保存成功!"; a refused statement shows "ADO Error: %s".
    bool save(Database& db) const;
};
