#pragma once

#include "ConsumptionLine.h"
#include "LineActions.h"

#include <functional>
#include <QColor>
#include <QList>
#include <QString>
#include <QStringList>

class Database;
class Prompt;

// The open consumption lines of one occupied table and every operation on them: adding a line,
// return or delete, gift, transfer, note, copy and paste, and the visit's and table's running
// totals. The ordering screen shows lines(), passes its selected rows in, and shows what the
// operations return; every statement, transaction, check and message lives here.
//
// Rows below loadedLines() were read by the last LoadConsumptionList (stored lines); rows at or
// above it were added since (new lines), and only those can be deleted, until they are printed.
class ConsumptionList final
{
public:
    static inline const QString kColumns =
        QStringLiteral("消费编号,75;项目名,100;数量,50;单价,50;折扣,50;金额,60;类别,70;记账人,70;消费时间,"
                       "150;备注,60;厨打,60;");
    static inline const QString kReturnReasonFile = QStringLiteral("退单原因.txt");
    static inline const QString kTasteFile = QStringLiteral("口味.txt");
    static inline const QString kClipboardHeader = QStringLiteral("Orvo2.4");
    static constexpr int kMaxLines = 9000;

    // The dish picked in the dish list: its name, price and category.
    struct Dish
    {
        QString name;
        QString price;
        QString category;
    };

    struct OccupiedTable
    {
        QString name;
        QString guests; // cz.yzrs
    };

    // What the return dialog shows and gathers. The dialog fills quantity and reason and
    // confirms only when checkReturnEntry() accepts them.
    struct ReturnEntry
    {
        QString name;
        double returnable = 0;
        QString returnableText; // "%.2f"
        QString quantity;       // starts at the returnable quantity
        QString reason;
        QStringList reasons; // the lines of "退单原因.txt"
    };
    enum class ReturnField
    {
        None,
        Quantity,
        Reason
    };

    // What the transfer dialog shows and gathers; it confirms only when checkTransferTarget()
    // accepts the target.
    struct TransferEntry
    {
        QString table;
        QString name;
        QString amount;
        QString target;
    };

    enum class AddResult
    {
        Added,
        BadQuantity,
        NoDish,
        TooMany,
        Failed
    };

    // Asked in the middle of a return or a transfer; false when the operator cancels.
    using ReturnAsker = std::function<bool(ReturnEntry&)>;
    using TransferAsker = std::function<bool(TransferEntry&)>;

    // `lowestRatio` is the operator's lowest discount ratio, which bounds the ratios of pasted lines.
    ConsumptionList(Database& db, const QString& operatorName, const QString& lowestRatio,
                    const QString& dataFolder);

    // The table whose lines are listed; LoadConsumptionList and RecalcTotals follow a change.
    void setTable(const QString& table);
    const QString& table() const { return m_table; }
    // "“A1”餐桌消费清单"
    QString title() const;

    // The choices of the table box and the category box.
    QList<OccupiedTable> occupiedTables();
    QStringList categoryChoices();

    // False (with the database's message shown) when the lines could not be read: the list is
    // then empty and no running total is written until a load succeeds.
    bool LoadConsumptionList();
    // Writes the listed lines' total as the visit's and the table's running total. False when
    // that failed (with the database's message shown) or the list was not loaded.
    bool RecalcTotals();

    const QList<ConsumptionLine>& lines() const { return m_lines; }
    int loadedLines() const { return m_nLoadedLines; }
    bool isNewLine(int row) const { return row >= m_nLoadedLines; }
    // A new line that has not gone to the kitchen; any other line can only be returned.
    bool mayDelete(int row) const;
    // Red for a return, orange for a gift, blue for a new line, invalid for the default colour.
    QColor colour(int row) const;
    LineActions actions(int row) const;
    // Totals of the listed lines, "%.2f".
    QString amountTotal() const;
    QString quantityTotal() const;
    // The row the list should select after the last operation, -1 for none.
    int selection() const { return m_selection; }

    // Outputs for the board: lines were changed; the operator asked for checkout.
    bool changed() const { return m_bChanged; }
    bool checkoutRequested() const { return m_bCheckout; }
    void requestCheckout() { m_bCheckout = true; }

    // Adds one line of the dish. The quantity text is rewritten "%.2f" once it is accepted,
    // and becomes "1" after the line was added.
    AddResult AddLine(QString& quantity, const Dish& dish);

    // Deletes a new line, or books a return of a stored line (asking for quantity and reason).
    // True when lines changed.
    bool ReturnOrDeleteLine(int row, const ReturnAsker& askReturn);
    // The return dialog's confirmation: shows what is wrong and names the box to focus.
    bool checkReturnEntry(const ReturnEntry& entry, ReturnField* focus = nullptr) const;

    bool ToggleGift(int row);

    bool TransferLine(int row, const TransferAsker& askTarget);
    // The transfer dialog's confirmation: the target must be another, occupied table.
    bool checkTransferTarget(const QString& target);

    // The note dialog: its choices, the line's note (false with "没有相关消费!" when the line is
    // gone), and the new note (refused with the same message when the line is gone).
    QStringList tasteChoices() const;
    bool readNote(int row, QString* note);
    bool SetNote(int row, const QString& text);

    // The clipboard text of the given rows ("" when none); pasting such a text on this table.
    // Lines that name no dish are refused, and named; so are lines whose quantity is not above 0
    // or whose ratio is neither a gift's (0) nor within the operator's limit and 1 (a ratio
    // below 1 also needs a dish that takes discounts). A pasted line has the catalogue's price.
    QString CopyLines(QList<int> rows);
    bool PasteLines(const QString& text);

    // The line went to the kitchen.
    void markPrinted(int row);

    // A listed row; otherwise shows "请选定消费项目!".
    bool checkRow(int row);

private:
    void writeTotals();
    bool lineHasReturns(int row);
    ConsumptionLine newLine(const QString& name, const QString& quantity, const QString& price,
                            const QString& ratio) const;
    int insertLine(const ConsumptionLine& line, double discount, bool returnLine);
    // Runs the work in one transaction with the list as it stands; on failure restores the list
    // and shows the message ("ADO Error: ..." when empty).
    bool inTransaction(const std::function<void()>& work, const QString& failure);
    bool deleteLine(int row);
    void reportFailure(const QString& message, const QString& description);

    Database& m_db;
    Prompt& m_prompt;
    QString m_operator;
    QString m_lowestRatio;
    QString m_folder;
    QString m_table;
    QList<ConsumptionLine> m_lines;
    int m_nLoadedLines = 0;
    int m_selection = -1;
    bool m_loaded = false;
    bool m_bChanged = false;
    bool m_bCheckout = false;
};
