#pragma once

#include <QDialog>

class QCheckBox;
class QComboBox;
class QDateEdit;
class QLineEdit;
class WaiterSettings;

// The waiter dialog of the waiters page: adds a waiter (id 0) or changes one. The initials are
// not typed: the operation computes them from the name.
class WaiterDialog final : public QDialog
{
    Q_OBJECT
public:
    WaiterDialog(WaiterSettings& waiters, int id, QWidget* parent = nullptr);

    QLineEdit* nameEdit() const { return m_name; }
    QComboBox* sexBox() const { return m_sex; }
    // The birth date counts only while its box is checked.
    QCheckBox* hasBirthDateBox() const { return m_hasBirthDate; }
    QDateEdit* birthDateEdit() const { return m_birthDate; }
    QLineEdit* contactEdit() const { return m_contact; }
    QLineEdit* idCardEdit() const { return m_idCard; }

private:
    void onOk();

    WaiterSettings& m_waiters;
    int m_id;
    QLineEdit* m_name;
    QComboBox* m_sex;
    QCheckBox* m_hasBirthDate;
    QDateEdit* m_birthDate;
    QLineEdit* m_contact;
    QLineEdit* m_idCard;
};
