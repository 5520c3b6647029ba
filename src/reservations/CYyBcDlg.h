#pragma once

#include "BusinessShifts.h"

#include <QWidget>

class CPrintListReportCtrl;
class DefaultPrinter;

// 营业班次: the settings page that lists the business shifts, with 添　加, 删　除 and 修　改
// (also a double click on a row).
class CYyBcDlg final : public QWidget
{
    Q_OBJECT
public:
    CYyBcDlg(Database& db, DefaultPrinter& defaultPrinter, QWidget* parent = nullptr);

    CPrintListReportCtrl* list() const { return m_list; }

    void add();
    void change();
    void remove();

private:
    void fill();
    // The shift number of the selected row, 0 when none.
    int selectedNumber() const;

    Database& m_db;
    BusinessShifts m_shifts;
    CPrintListReportCtrl* m_list;
};
