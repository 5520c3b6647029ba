#pragma once

#include "CupsSpooler.h"
#include "DefaultPrinter.h"
#include "RawPrinter.h"

#include <functional>
#include <memory>
#include <QHash>
#include <QMainWindow>
#include <QPointer>

class BoardCommands;
class CDownView;
class CLeftView;
class CommandTable;
class CPelvarApp;
class ReportCommands;
class CRightView;
class CSplitterEx;
class QDateTime;
class QDialog;
class QLabel;

// The one window of the program: menu, toolbar, function keys, status bar with the operator
// and a running clock, and the three panes (rooms, table board, consumption lines) in two
// splitters.
//
// Every command has an id and an entry in one table (CommandTable: text, key, the right or rule
// it checks first). A command runs through execute(): check, then its handler. A command without a
// handler is shown disabled; connectCommands() is the one place where handlers are given (the
// report and maintenance commands' through ReportCommands).
class CMainFrame final : public QMainWindow
{
    Q_OBJECT
public:
    enum Command : int
    {
        RestaurantSettings = 32813,
        RoomsAndTables = 32800,
        ItemsSettings = 32801,
        OperatorsSettings = 32802,
        MembersSettings = 32803,
        ChangePassword = 32808,
        RunLog = 32827,
        ExitSystem = 57665,
        OpenTable = 32773,
        AddConsumption = 32774,
        Checkout = 32775,
        OnAccountBills = 32798,
        Reservations = 32816,
        InStoreConsumption = 32785,
        LeftConsumption = 32786,
        ReturnedLines = 32787,
        GiftLines = 32831,
        CashierDetail = 32783,
        CashierSummary = 32807,
        SalesByCategory = 32806,
        SalesByItem = 32799,
        SalesByWaiter = 32832,
        RegistrationQuery = 32809,
        ItemQuery = 32815,
        MemberQuery = 32819,
        Backup = 32793,
        Restore = 32794,
        ClearTables = 32796,
        Compact = 32829,
        Help = 32824,
        About = 57664,
        SystemSettings = 12803,
        HandOver = 32776,
        Finance = 32833,
        ToolbarExit = 61446,
        // Commands of the board's context menu.
        Reserve = 32781,
        ChangeRegistration = 32830,
        ChangeTable = 32778,
        SplitBill = 32780,
        MergeBill = 32779,
        PrintReceipt = 32820,
        // Commands of the manager's controls.
        BillChangeRecord = 33001,
        ManagerControls = 33002,
        HandOverRecord = 33003,
    };
    enum class Pane
    {
        Rooms,
        Board,
        Lines
    };

    explicit CMainFrame(CPelvarApp& app, QWidget* parent = nullptr);
    ~CMainFrame() override;

    // Checks the command's right or rule, then runs its handler.
    void execute(int command);
    // Gives the command its handler and enables it wherever it appears.
    void setHandler(int command, std::function<void()> handler);
    bool hasHandler(int command) const { return m_handlers.contains(command); }
    // The menu's action of a command (the toolbar's where the menu has none).
    QAction* action(int command) const;
    QList<QAction*> actions(int command) const;

    // Puts a real widget in a pane's place.
    void setPane(Pane pane, QWidget* widget);
    QWidget* pane(Pane pane) const;
    void toggleRoomsPane();
    void toggleLinesPane();
    bool isRoomsPaneHidden() const;
    bool isLinesPaneHidden() const;

    // The table selected on the board, "" when none.
    QString selectedTable() const;
    // After a command changed tables or lines: refresh the board in place, reload the lines
    // pane and the counts.
    void tablesChanged();

    // The three panes, the open-table and change-registration flows, and the printer setting
    // that the screens which print start from.
    CLeftView* rooms() const { return m_rooms; }
    CRightView* board() const { return m_board; }
    CDownView* lines() const { return m_lines; }
    BoardCommands& boardCommands() { return *m_boardCommands; }
    // The run's printers: raw jobs (kitchen tickets, receipts) through the spooler, and the
    // default printer that lists and reports start from.
    RawPrinter& rawPrinter() { return m_rawPrinter; }
    DefaultPrinter& defaultPrinter();

    // The clock pane's text: "%Y年%m月%d日 %H时%M分%S秒" and the weekday.
    static QString clockText(const QDateTime& time);
    QString statusText(int pane) const;

signals:
    // The restaurant's data or the settings may have changed: the panes reload what they show.
    void settingsChanged();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void createStatusBar();
    void createPanes();
    void createViews();
    void connectCommands();
    void updateStatus();

    void openSheet(const QString& title, bool clearingOnly = false);
    bool handOverSlip();
    void handOver();
    void addConsumption();
    void showHelp();
    void showAbout();

    CPelvarApp& m_app;
    CupsSpooler m_spooler;
    RawPrinter m_rawPrinter;
    std::unique_ptr<CommandTable> m_commands;
    QHash<int, std::function<void()>> m_handlers;
    CSplitterEx* m_outer = nullptr;
    CSplitterEx* m_inner = nullptr;
    QLabel* m_status[3] = {};
    bool m_endWithoutExit = false;
    CLeftView* m_rooms = nullptr;
    CRightView* m_board = nullptr;
    CDownView* m_lines = nullptr;
    std::unique_ptr<BoardCommands> m_boardCommands;
    std::unique_ptr<ReportCommands> m_reportCommands;
    QPointer<QDialog> m_help;
};
