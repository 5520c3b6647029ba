#pragma once

#include <QHash>
#include <QList>

class CMainFrame;
class QAction;

// The window's commands as the operator meets them: each command's text, the right or rule it
// checks first, its place in the menus, its toolbar button and icon, and its function key. The
// actions are built disabled; the frame enables a command when it gives it a handler, and every
// action runs its command through the frame's execute().
class CommandTable final
{
public:
    // What a command checks before it runs: an operator right, or "系统管理员" with its own
    // refusal; refusals of the report and administrator commands carry the program's title.
    struct Info
    {
        int id;
        const char* text;
        int right;           // int(Right), kNone for none
        const char* refusal; // a "系统管理员"-only command's refusal
        bool titleCaption;
    };
    static constexpr int kNone = -1;

    // The command's entry, nullptr for an id the table does not know.
    static const Info* info(int id);

    // Builds the actions, the menus, the toolbar and the keys on the frame.
    explicit CommandTable(CMainFrame& frame);

    // The menu's action of a command (the toolbar's where the menu has none).
    QAction* action(int command) const { return m_actions.value(command); }
    // Every action of a command: menu, toolbar button and key.
    QList<QAction*> actions(int command) const { return m_allActions.values(command); }

private:
    void createCommands();
    void createMenus();
    void createToolBar();

    CMainFrame& m_frame;
    QHash<int, QAction*> m_actions;
    QMultiHash<int, QAction*> m_allActions;
};
