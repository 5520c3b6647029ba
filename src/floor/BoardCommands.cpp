#include "BoardCommands.h"

#include "CCzYdDlg.h"
#include "CMainFrame.h"
#include "COpenTableDlg.h"
#include "CPelvarApp.h"
#include "CRightView.h"
#include "Prompt.h"
#include "TableOpening.h"

BoardCommands::BoardCommands(CPelvarApp& app, CMainFrame& frame, CRightView& board)
    : m_app(app), m_frame(frame), m_board(board)
{
}

void BoardCommands::openTable()
{
    TableOpening opening(m_app.db());
    std::optional<TableOpening::Plan> plan =
        opening.plan(m_app.currentOperator().may(Right::Kdqx), m_board.selectedItems());
    if (!plan)
        return;
    if (plan->needsReservationChoice) {
        CCzYdDlg choice(m_app.db(), plan->tables.first(), &m_frame);
        if (choice.exec() != QDialog::Accepted)
            return;
        plan = opening.planReserved(choice.tables(), choice.ids());
    }
    COpenTableDlg dialog(m_app.db(), COpenTableDlg::Mode::Open, plan->tables.first(), &m_frame);
    dialog.setNote(plan->note);
    if (dialog.exec() != QDialog::Accepted)
        return;
    if (opening.open(*plan, dialog.guests(), dialog.note(), dialog.waiter()).isEmpty())
        return;
    finish(plan->tables.first(), dialog.orderNow());
}

void BoardCommands::changeRegistration()
{
    if (m_board.board().changeRegistration(m_board.selectedItem()) != TableBoard::Command::ChangeRegistration)
        return;
    const QString table = m_board.selectedTable();
    TableOpening opening(m_app.db());
    const std::optional<TableOpening::Registration> registration = opening.registration(table);
    if (!registration) {
        // The board was older than the table: it has been settled meanwhile.
        m_app.prompt().warn(QStringLiteral("此餐桌未开单!"));
        m_frame.tablesChanged();
        return;
    }
    COpenTableDlg dialog(m_app.db(), COpenTableDlg::Mode::Change, table, &m_frame);
    dialog.setRegistration(*registration);
    if (dialog.exec() != QDialog::Accepted)
        return;
    if (!opening.change(table, dialog.guests(), dialog.note(), dialog.waiter()))
        return;
    finish(table, dialog.orderNow());
}

void BoardCommands::finish(const QString& table, bool orderNow)
{
    m_board.refresh();
    m_board.selectTable(table);
    if (orderNow && m_frame.hasHandler(CMainFrame::AddConsumption))
        m_frame.execute(CMainFrame::AddConsumption);
    m_frame.tablesChanged();
}
