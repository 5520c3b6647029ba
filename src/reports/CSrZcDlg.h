#pragma once

#include "Finance.h"

#include <QDialog>

class QComboBox;
class QDateEdit;
class QLineEdit;

// 增加收入 / 增加支出: one income or expense entry; the names recorded before are offered.
class CSrZcDlg final : public QDialog
{
    Q_OBJECT
public:
    CSrZcDlg(Finance& finance, Finance::Kind kind, QWidget* parent = nullptr);

    QComboBox* name() const { return m_name; }
    QLineEdit* amount() const { return m_amount; }
    QLineEdit* person() const { return m_person; }
    QLineEdit* note() const { return m_note; }
    QDateEdit* date() const { return m_date; }

public slots:
    void accept() override;

private:
    Finance& m_finance;
    Finance::Kind m_kind;
    QComboBox* m_name;
    QLineEdit* m_amount;
    QLineEdit* m_person;
    QLineEdit* m_note;
    QDateEdit* m_date;
};
