#include "ReportCommands.h"

#include "BillChangesDialog.h"
#include "CBackupDlg.h"
#include "CCwGlDlg.h"
#include "CDjCxDlg.h"
#include "CFwsTjDlg.h"
#include "CMainFrame.h"
#include "ControlReportDialog.h"
#include "CPelvarApp.h"
#include "CSyHzDlg.h"
#include "CTdCxDlg.h"
#include "CWaiterDlg.h"
#include "CXfCxDlg.h"
#include "CXmCxDlg.h"
#include "CXsTjDlg.h"
#include "DatabaseBackup.h"
#include "DatabaseCompaction.h"
#include "DatabaseRestore.h"
#include "FileDialogs.h"
#include "HandOverRecordDialog.h"
#include "MemberQueryDialog.h"
#include "ReceiptPrinter.h"
#include "RunLogDialog.h"
#include "WaiterField.h"

ReportCommands::ReportCommands(CPelvarApp& app, CMainFrame& frame) : m_app(app), m_frame(frame)
{
}

// Opens a report screen with what every report is handed, then the screen's own arguments.
template <typename Dialog, typename... Args> void ReportCommands::openReport(Args&&... args)
{
    Dialog dialog(m_app.db(), m_app.prompt(), m_app.defaultPrinter(), m_app.currentOperator().name(),
                  std::forward<Args>(args)..., &m_frame);
    dialog.exec();
}

// The report and maintenance screens; the registration query borrows the waiter field and dialog
// of the floor.
void ReportCommands::connectCommands()
{
    using enum CMainFrame::Command;
    m_frame.setHandler(MemberQuery, [this] {
        MemberQueryDialog dialog(m_app.db(), m_app.prompt(), m_app.defaultPrinter(),
                                 m_app.currentOperator().name(), &m_frame);
        dialog.exec();
    });
    m_frame.setHandler(Backup, [this] {
        CBackupDlg dialog(m_app.db(), m_app.prompt(), m_app.settings(), m_app.dataFolder(), &m_frame);
        dialog.exec();
    });
    m_frame.setHandler(Restore, [this] {
        const QString file = FileDialogs::openFile(
            &m_frame, QString(),
            DatabaseBackup(m_app.db(), m_app.prompt(), m_app.settings(), m_app.dataFolder()).folder());
        if (!file.isEmpty() && DatabaseRestore(m_app.db(), m_app.prompt())
                                      .restore(file, m_app.currentOperator().name()))
            emit m_frame.settingsChanged();
    });
    m_frame.setHandler(Compact, [this] { DatabaseCompaction(m_app.db(), m_app.prompt()).compact(); });
    m_frame.setHandler(RunLog, [this] {
        RunLogDialog dialog(m_app.db(), m_app.prompt(), m_app.defaultPrinter(),
                            m_app.currentOperator().name(), &m_frame);
        dialog.exec();
    });
    m_frame.setHandler(CashierSummary, [this] {
        CSyHzDlg dialog(m_app.db(), m_app.currentOperator().name(), m_app.defaultPrinter(), &m_frame);
        dialog.exec();
    });
    m_frame.setHandler(BillChangeRecord, [this] {
        BillChangesDialog dialog(m_app.db(), m_app.currentOperator().name(), m_app.defaultPrinter(),
                                 &m_frame);
        dialog.query();
        dialog.exec();
    });
    m_frame.setHandler(HandOverRecord, [this] {
        ReceiptPrinter receipts(m_app.db(), m_app.restaurantName(), m_frame.rawPrinter());
        HandOverRecordDialog dialog(m_app.db(), m_app.currentOperator().name(), receipts,
                                    m_app.defaultPrinter(), &m_frame);
        dialog.query();
        dialog.exec();
    });
    m_frame.setHandler(ManagerControls, [this] {
        ControlReportDialog dialog(m_app.db(), m_app.currentOperator().name(), m_app.defaultPrinter(),
                                   &m_frame);
        dialog.exec();
    });
    m_frame.setHandler(SalesByCategory, [this] { openReport<CXsTjDlg>(SalesStatistics::Mode::Category); });
    m_frame.setHandler(SalesByItem, [this] { openReport<CXsTjDlg>(SalesStatistics::Mode::Item); });
    m_frame.setHandler(SalesByWaiter, [this] { openReport<CFwsTjDlg>(); });
    m_frame.setHandler(Finance, [this] { openReport<CCwGlDlg>(m_app.dataFolder()); });
    m_frame.setHandler(InStoreConsumption, [this] { openReport<CXfCxDlg>(ConsumptionQuery::Mode::Present); });
    m_frame.setHandler(LeftConsumption, [this] { openReport<CXfCxDlg>(ConsumptionQuery::Mode::Gone); });
    m_frame.setHandler(ReturnedLines, [this] { openReport<CTdCxDlg>(ReturnsQuery::Mode::Returns); });
    m_frame.setHandler(GiftLines, [this] { openReport<CTdCxDlg>(ReturnsQuery::Mode::Gifts); });
    m_frame.setHandler(ItemQuery, [this] { openReport<CXmCxDlg>(); });
    m_frame.setHandler(RegistrationQuery, [this] {
        Database& db = m_app.db();
        openReport<CDjCxDlg>(
            CDjCxDlg::Waiters{[&db](QWidget* parent) { return new WaiterField(db, parent); },
                              [](QLineEdit* field) { return static_cast<WaiterField*>(field)->waiterId(); },
                              [&db](const QString& registration, int waiter, QWidget* parent) {
                                  CWaiterDlg dialog(db, registration, waiter, parent);
                                  return dialog.exec() == QDialog::Accepted;
                              }});
    });
}
