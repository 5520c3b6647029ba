#pragma once

#include "ConsumptionList.h"

#include <QDialog>

class CPrintListReportCtrl;
class DefaultPrinter;
class DishList;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class RawPrinter;

// 增加消费: ordering for one occupied table. On the left the cashier finds a dish by pinyin
// initials, number or category and adds it with a quantity; on the right the table's open
// lines are listed with their totals, and the selected lines are returned, given free, moved,
// noted, copied, pasted or sent to the kitchen. Everything is written at once; afterwards the
// caller reads changed() and checkoutRequested().
class CAddConsumptionDlg final : public QDialog
{
    Q_OBJECT
public:
    static inline const QString kHelp =
        QStringLiteral("快捷键说明：\"回车键\"和\"F8\"增加消费，\"Delete\"键退单或删除消费，\"+"
                       "\"快速定位到数量，\"-\"和F4结账；"
                       "\"Ctrl+A\"全选消费清单，\"Ctrl+C\"复制消费清单，\"Ctrl+V\"粘贴消费清单。");

    CAddConsumptionDlg(Database& db, const QString& operatorName, const QString& lowestRatio,
                       const QString& dataFolder, const QString& table, RawPrinter& printer,
                       DefaultPrinter& defaultPrinter, QWidget* parent = nullptr);

    // Lines were added, returned, deleted, given, moved or pasted.
    bool changed() const { return m_list.changed(); }
    // The cashier closed with 结账.
    bool checkoutRequested() const { return m_list.checkoutRequested(); }
    // The table whose lines are listed now.
    const QString& table() const { return m_list.table(); }

    // The commands, as the buttons, keys and the line menu give them.
    void AddLine();
    void Checkout();
    void ReturnOrDeleteLine();
    void ToggleGift();
    void TransferLine();
    void PrintKitchenTickets();
    void EditNote();
    void CopyLines();
    void PasteLines();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls(DefaultPrinter& defaultPrinter);
    void connectControls();
    bool handleKey(QObject* watched, const QKeyEvent& key);

    void switchTable(int index);
    void LoadConsumptionList();
    // Shows the list's rows from `first` on, adding and removing rows to match.
    void showLines(int first = 0);
    void showRow(int row);
    void showTotals();
    void selectLine(int row);
    int firstSelectedLine() const;
    void updateButtons();
    void showLineMenu(const QPoint& position);
    void focusSearch();

    Database& m_db;
    ConsumptionList m_list;
    RawPrinter& m_printer;
    QList<ConsumptionList::OccupiedTable> m_occupied;

    QComboBox* m_category = nullptr;
    QLineEdit* m_search = nullptr;
    QLineEdit* m_quantity = nullptr;
    QPushButton* m_add = nullptr;
    QPushButton* m_checkout = nullptr;
    QLabel* m_currentDish = nullptr;
    DishList* m_dishes = nullptr;
    QComboBox* m_tables = nullptr;
    QLabel* m_guests = nullptr;
    QLabel* m_amount = nullptr;
    QLabel* m_count = nullptr;
    QGroupBox* m_linesFrame = nullptr;
    CPrintListReportCtrl* m_lines = nullptr;
    QPushButton* m_return = nullptr;
    QPushButton* m_gift = nullptr;
    QPushButton* m_transfer = nullptr;
    QPushButton* m_print = nullptr;
    QPushButton* m_taste = nullptr;
    QPushButton* m_close = nullptr;
    QCheckBox* m_selectAll = nullptr;
};
