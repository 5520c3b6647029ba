#pragma once

#include "TableBoard.h"

#include <functional>
#include <QWidget>

class Database;
class QAbstractItemView;
class QComboBox;
class QItemSelectionModel;
class QLabel;
class QLineEdit;
class QListView;
class QMenu;
class QStackedWidget;
class QStandardItemModel;
class QTimer;
class QToolButton;
class QTreeView;

// The table board: every table of the restaurant with its state, in one of three layouts
// (large icons, small icons, a list with nine columns), with the display filter, quick find, the
// two pane toggles and the hint line above it. Keys, clicks and the context menu ask for board
// commands by their command id (CMainFrame::Command); the frame carries them out.
class CRightView final : public QWidget
{
    Q_OBJECT
public:
    enum class Style
    {
        LargeIcons,
        SmallIcons,
        Report
    };

    explicit CRightView(Database& db, QWidget* parent = nullptr);

    // Which commands can run at all; the others stay greyed in the context menu.
    void setCommandAvailable(std::function<bool(int)> available) { m_available = std::move(available); }

    // Loads the board with a statement (it becomes the statement the refresh runs again).
    void load(const QString& statement);
    // After the settings: every table of every room, filter 全部.
    void reload();
    // Runs the current statement again and writes each row into the item at its position (the
    // board is filled anew when the statement now gives other tables).
    void refresh();
    // The rooms pane's choice: "%" for every room, otherwise the room's name.
    void setRoom(const QString& room);

    // The selected items in board order; the first is the one commands act on.
    QList<TableBoard::Item> selectedItems() const;
    // The first selected item, null when none.
    const TableBoard::Item* selectedItem() const;
    QString selectedTable() const;
    // Selects just this table (the board is loaded with it alone when it is not shown).
    void selectTable(const QString& table);

    TableBoard& board() { return m_board; }
    const QList<TableBoard::Item>& items() const { return m_items; }
    QAbstractItemView* view() const;
    Style style() const;
    QComboBox* filterBox() const { return m_filter; }
    QComboBox* styleBox() const { return m_style; }
    QLineEdit* findEdit() const { return m_find; }
    QTimer* elapsedTimer() const { return m_elapsedTimer; }

    // The context menu for the item in this row (-1: empty space), items greyed per state.
    QMenu* contextMenu(int row, QWidget* parent);
    // The picture of a table in this state (drawn at 16, 32 and 48 pixels).
    static QIcon stateIcon(TableBoard::State state);

public slots:
    // The 20-second update of the elapsed times, then the refresh in place.
    void updateElapsed();

signals:
    void commandRequested(int command);
    // A table was clicked or reached by the arrow keys: the lines pane shows its lines.
    void tableChosen(const QString& table);
    void roomsPaneToggled();
    void linesPaneToggled();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void setStyle(int index);
    void applyFilter(int index);
    void quickFind();
    void activate(int row);
    void showMenu(QAbstractItemView* view, const QPoint& pos);
    void fill(const QList<TableBoard::Item>& items);
    void writeRow(int row, const TableBoard::Item& item);
    void selectRows(const QList<int>& rows);
    QList<int> selectedRows() const;
    void ask(int command);

    TableBoard m_board;
    QList<TableBoard::Item> m_items;
    std::function<bool(int)> m_available;
    QStandardItemModel* m_model;
    QComboBox* m_filter;
    QComboBox* m_style;
    QLineEdit* m_find;
    QToolButton* m_roomsToggle;
    QToolButton* m_linesToggle;
    QStackedWidget* m_stack;
    QListView* m_icons;
    QTreeView* m_report;
    QTimer* m_elapsedTimer;
};
