#pragma once

#include "BookingList.h"

#include <QDialog>

class CPrintListReportCtrl;
class Database;
class DefaultPrinter;
class QComboBox;
class QDateEdit;
class QLineEdit;
class QRadioButton;
class QTimeEdit;

// 预定餐桌管理: the bookings that arrive within a period, by state and by the start of a guest's
// name or telephone or of a table's name; booked rows in blue. The selected row's booking is
// cancelled, restored or modified; bookings are added; the list is printed and exported.
class CYdGlDlg final : public QDialog
{
    Q_OBJECT
public:
    CYdGlDlg(Database& db, DefaultPrinter& printer, const QString& operatorName, QWidget* parent = nullptr);

    CPrintListReportCtrl* list() const { return m_list; }
    QComboBox* stateBox() const { return m_state; }
    QRadioButton* byTable() const { return m_byTable; }
    QLineEdit* searchText() const { return m_text; }

    void query();
    void add();
    void modify();
    void cancel();
    void restore();
    void print();
    void exportList();

private:
    Database& m_db;
    DefaultPrinter& m_printer;
    QString m_operator;
    BookingList m_bookings;
    QDateEdit* m_startDate;
    QTimeEdit* m_startTime;
    QDateEdit* m_endDate;
    QTimeEdit* m_endTime;
    QComboBox* m_state;
    QRadioButton* m_byName;
    QRadioButton* m_byTable;
    QLineEdit* m_text;
    CPrintListReportCtrl* m_list;
};
