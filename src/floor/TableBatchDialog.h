#pragma once

#include <QDialog>

class QComboBox;
class QLineEdit;
class QRadioButton;
class TableSettings;

// The batch dialog of the rooms-and-tables page: the tables mark + n or n + mark for every n
// of a range, all in one room. A refused OK puts the focus back on the field at fault.
class TableBatchDialog final : public QDialog
{
    Q_OBJECT
public:
    TableBatchDialog(TableSettings& tables, const QStringList& rooms, const QString& room,
                     QWidget* parent = nullptr);

    QLineEdit* fromEdit() const { return m_from; }
    QLineEdit* toEdit() const { return m_to; }
    QLineEdit* markEdit() const { return m_mark; }
    QRadioButton* beforeButton() const { return m_before; }
    QRadioButton* afterButton() const { return m_after; }
    QLineEdit* seatsEdit() const { return m_seats; }
    QComboBox* roomBox() const { return m_room; }

private:
    void onOk();

    TableSettings& m_tables;
    QLineEdit* m_from;
    QLineEdit* m_to;
    QLineEdit* m_mark;
    QRadioButton* m_before;
    QRadioButton* m_after;
    QLineEdit* m_seats;
    QComboBox* m_room;
};
