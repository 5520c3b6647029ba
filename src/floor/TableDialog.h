#pragma once

#include <QDialog>

class QComboBox;
class QLineEdit;
class TableSettings;

// The table dialog of the rooms-and-tables page: adds a table, or changes the one named. A
// refused OK puts the focus back on the field at fault.
class TableDialog final : public QDialog
{
    Q_OBJECT
public:
    // An empty oldName opens the dialog in add mode with `room` chosen ("" for none).
    TableDialog(TableSettings& tables, const QStringList& rooms, const QString& oldName, const QString& room,
                QWidget* parent = nullptr);

    QLineEdit* nameEdit() const { return m_name; }
    QLineEdit* seatsEdit() const { return m_seats; }
    QComboBox* roomBox() const { return m_room; }

private:
    void onOk();

    TableSettings& m_tables;
    QString m_oldName;
    QLineEdit* m_name;
    QLineEdit* m_seats;
    QComboBox* m_room;
};
