#pragma once

#include "Outcome.h"

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
    enum class Input
    {
        None,
        BlankLines
    };
    using Result = Outcome<Input>;
    // Footer blank lines are a whole number up to this: more only feeds paper.
    static constexpr int kMaxBlankLines = 20;

    // Writes the row and shows "保存成功!"; blank lines outside 0 to 20 are refused with
    // "页脚空行应为0到20之间的整数!", a refused statement shows "ADO Error: %s".
    Result save(Database& db) const;
};
