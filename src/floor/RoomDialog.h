#pragma once

#include <QDialog>

class QLineEdit;
class RoomSettings;

// The room dialog of the rooms-and-tables page: adds a room, or changes the one named (its
// tables follow a new name). A refused OK puts the focus back on the field at fault.
class RoomDialog final : public QDialog
{
    Q_OBJECT
public:
    // An empty oldName opens the dialog in add mode.
    RoomDialog(RoomSettings& rooms, const QString& oldName, const QString& note, QWidget* parent = nullptr);

    QLineEdit* nameEdit() const { return m_name; }
    QLineEdit* noteEdit() const { return m_note; }

private:
    void onOk();

    RoomSettings& m_rooms;
    QString m_oldName;
    QLineEdit* m_name;
    QLineEdit* m_note;
};
