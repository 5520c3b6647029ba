#pragma once

#include "Receipt.h"

#include <functional>

class Database;
class QPrinter;
class RawPrinter;

// Sends receipts to the receipt printer of the print settings: drawn on the printer, or as one
// raw text job when the settings ask for plain text. The raw job goes through the program's raw
// print call, handed in as `RawPrint` (document name, printer, text) -> handed over.
class ReceiptPrinter final
{
public:
    using RawPrint =
        std::function<bool(const QString& documentName, const QString& printer, const QString& text)>;

    static inline const QString kCaption = QStringLiteral("Orvo餐饮收银系统");

    struct Job
    {
        Receipt::Kind kind = Receipt::Kind::Checkout;
        QString number; // the header's bill number or table name
        QString cashier;
        QString itemCondition; // the grouped items' condition on xfmx, xm and lb (drawn form)
        QList<Receipt::ListedRow> rows;
        Receipt::Totals totals;
        QString documentName; // of the raw job
    };

    ReceiptPrinter(Database& db, const QString& restaurant, RawPrint rawPrint);
    // Plain-text receipts through the program's raw printer.
    ReceiptPrinter(Database& db, const QString& restaurant, RawPrinter& rawPrinter);

    // Reads the settings afresh and prints; "没有选定小票打印机!" when no printer is chosen.
    bool print(const Job& job);
    // Prints with settings already read (the checkout read them for its question).
    bool print(const Job& job, const PrintSettings& settings);
    // The board's receipt of a table's open lines, always drawn; "无消费记录!" when it has none.
    bool printTableReceipt(const QString& table, const QString& cashier);

    // A slip of ready lines (the hand-over slip) on the receipt printer, in the receipt's style:
    // the first line in the title's font when drawn, one raw job when the settings ask for text.
    bool printSlip(const QStringList& lines, const QString& documentName);

    // A settled bill's receipt again, as its cashier printed it; false when the bill is gone.
    bool printReprint(const QString& bill, const QString& documentName);

    // The receipt a job gives with these settings, as it would be printed now.
    Receipt build(const Job& job, const PrintSettings& settings);
    // The grouped items of the drawn form, in category order. Throws DbError.
    QList<Receipt::CategoryRow> categoryRows(const QString& condition);

    // Draws the lines on a printer that is set up already (a receipt printer, or a PDF file):
    // one page as long as the lines need. False when the printer cannot be started.
    static bool draw(QPrinter& printer, const QList<Receipt::Line>& lines);

private:
    bool drawOn(const QString& printerName, const QList<Receipt::Line>& lines);

    Database& m_db;
    QString m_restaurant;
    RawPrint m_rawPrint;
};
