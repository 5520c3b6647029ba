#pragma once

#include "BusinessShifts.h"

#include <QDialog>

class QLineEdit;
class QTimeEdit;

// 增加班次 / 修改营业班次: the name and the start and end times of day of one business shift.
// Accepted once the shift is saved.
class CBcDlg final : public QDialog
{
    Q_OBJECT
public:
    // Number 0 adds a shift; any other changes that shift.
    explicit CBcDlg(Database& db, int number = 0, QWidget* parent = nullptr);

    QLineEdit* name() const { return m_name; }
    QTimeEdit* start() const { return m_start; }
    QTimeEdit* end() const { return m_end; }

private:
    void onOk();

    BusinessShifts m_shifts;
    int m_number;
    QLineEdit* m_name;
    QTimeEdit* m_start;
    QTimeEdit* m_end;
};
