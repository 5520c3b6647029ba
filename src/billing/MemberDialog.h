#pragma once

#include "MemberSettings.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QDateEdit;
class QLineEdit;

// 增加会员: adds a member, or changes one (修改会员). Leaving the name fills the initials.
class MemberDialog final : public QDialog
{
    Q_OBJECT
public:
    // Number 0 opens the dialog to add a member.
    MemberDialog(Database& db, Prompt& prompt, int number = 0, QWidget* parent = nullptr);

    QLineEdit* nameEdit() const { return m_name; }
    QLineEdit* initialsEdit() const { return m_initials; }
    QComboBox* levelBox() const { return m_level; }
    QDateEdit* birthdayEdit() const { return m_birthday; }
    // Unchecked (the date greyed): the member has no birthday.
    QCheckBox* birthdayKnown() const { return m_hasBirthday; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void onOk();

    MemberSettings m_members;
    int m_number;
    QLineEdit* m_name;
    QLineEdit* m_initials;
    QComboBox* m_sex;
    QCheckBox* m_hasBirthday;
    QDateEdit* m_birthday;
    QLineEdit* m_phone;
    QComboBox* m_level;
    QLineEdit* m_card;
    QLineEdit* m_note;
};
