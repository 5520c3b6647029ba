#pragma once

#include "Rights.h"
#include "RoomSettings.h"
#include "TableSettings.h"

#include <QWidget>

class CPrintListReportCtrl;
class DefaultPrinter;
class Operator;
class QComboBox;

// 房间餐桌设置: the rooms with their dialog, and the tables of the room chosen in the filter with
// the table and batch dialogs. The room buttons need the room right, the table buttons the
// table right, of the operator who is logged in.
class CFjPage final : public QWidget
{
    Q_OBJECT
public:
    CFjPage(Database& db, Prompt& prompt, const Operator& current, DefaultPrinter& printer,
            QWidget* parent = nullptr);

    CPrintListReportCtrl* roomList() const { return m_roomList; }
    CPrintListReportCtrl* tableList() const { return m_tableList; }
    QComboBox* roomFilter() const { return m_filter; }

    void addRoom();
    void changeRoom();
    void removeRoom();
    void addTable();
    void addTables();
    void changeTable();
    void removeTable();

private:
    bool granted(Right right);
    // The room the filter shows, "" for every room.
    QString filteredRoom() const;
    void loadRooms();
    // Refills the filter with every room and chooses `room` (显示全部 when it is gone).
    void loadFilter(const QString& room);
    void loadTables();
    // Choosing a room in the rooms list shows its tables.
    void roomSelected(const QString& room);

    Prompt& m_prompt;
    const Operator& m_current;
    RoomSettings m_rooms;
    TableSettings m_tables;
    CPrintListReportCtrl* m_roomList;
    CPrintListReportCtrl* m_tableList;
    QComboBox* m_filter;
};
