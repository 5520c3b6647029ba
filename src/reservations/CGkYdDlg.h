#pragma once

#include "Booking.h"

#include <QDialog>

class Prompt;
class QComboBox;
class QDateEdit;
class QLineEdit;
class QTimeEdit;
class QTreeWidget;

// 顾客预定: a guest books tables for one business shift of one day, or a booking is modified under
// its number. The free tables stand in a tree by room; ">>", "<<", a double click or Enter move
// them to and from the chosen list. Accepted once the booking is saved.
class CGkYdDlg final : public QDialog
{
    Q_OBJECT
public:
    // An empty number makes a new booking; any other modifies that booking.
    CGkYdDlg(Database& db, const QString& operatorName, const QString& number = {},
             QWidget* parent = nullptr);

    QComboBox* shiftBox() const { return m_shift; }
    QDateEdit* arrivalDate() const { return m_arrivalDate; }
    QTimeEdit* arrivalTime() const { return m_arrivalTime; }
    QTimeEdit* holdUntilTime() const { return m_holdTime; }
    QLineEdit* guest() const { return m_guest; }
    QLineEdit* phone() const { return m_phone; }
    QTreeWidget* freeTables() const { return m_tree; }
    QTreeWidget* chosenTables() const { return m_chosen; }

    // ">>": the selected table, or every table of the selected room.
    void choose();
    // "<<": the selected chosen table goes back under its room.
    void giveBack();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void load(const QString& number);
    // A new shift or day: the shift's start as arrival, its free tables, nothing chosen.
    void refresh();
    void fillTree(const QList<Booking::Table>& tables);
    void addToTree(const Booking::Table& table);
    void addChosen(const Booking::Table& table);
    BusinessShifts::Shift selectedShift() const;
    void save();

    Prompt& m_prompt;
    Booking m_booking;
    QString m_operator;
    QString m_number;
    QList<BusinessShifts::Shift> m_shifts;
    // In the order the focus goes through them.
    QLineEdit* m_guest;
    QLineEdit* m_phone;
    QLineEdit* m_mobile;
    QLineEdit* m_deposit;
    QLineEdit* m_note;
    QComboBox* m_shift;
    QDateEdit* m_arrivalDate;
    QTimeEdit* m_arrivalTime;
    QDateEdit* m_holdDate;
    QTimeEdit* m_holdTime;
    QTreeWidget* m_tree;
    QTreeWidget* m_chosen;
};
