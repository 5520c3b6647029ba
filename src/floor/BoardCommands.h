#pragma once

#include <QString>

class CMainFrame;
class CPelvarApp;
class CRightView;

// The board commands that open tables and change a registration: the checks, the reservation
// choice for a reserved table, the dialog, the writes, then ordering at once when asked (the
// frame's 增加消费 command) and the panes brought up to date.
class BoardCommands final
{
public:
    BoardCommands(CPelvarApp& app, CMainFrame& frame, CRightView& board);

    // 顾客开单 on the tables selected on the board.
    void openTable();
    // 修改登记 of the table selected on the board.
    void changeRegistration();

private:
    // After the writes: the main table selected, ordering when asked, the panes up to date.
    void finish(const QString& table, bool orderNow);

    CPelvarApp& m_app;
    CMainFrame& m_frame;
    CRightView& m_board;
};
