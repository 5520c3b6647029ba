#pragma once

class CMainFrame;
class CPelvarApp;

// The frame's report and data-maintenance commands: the report screens, the member query, the run
// log, 财务管理, and backup, restore and compaction of the database. Each opens its screen over
// the frame with the restaurant's data, the operator and the printers.
class ReportCommands final
{
public:
    ReportCommands(CPelvarApp& app, CMainFrame& frame);

    // Gives the frame's report and maintenance commands their handlers.
    void connectCommands();

private:
    template <typename Dialog, typename... Args> void openReport(Args&&... args);

    CPelvarApp& m_app;
    CMainFrame& m_frame;
};
