#pragma once

#include "TableChange.h"

#include <QDialog>

class QComboBox;
class QLineEdit;

// 更换餐桌: the guests of the occupied table `source` move to a free table chosen by room.
// Accepted after the move, which tells the board to refresh; the board checks beforehand that
// the table is occupied.
class CTableChangeDlg final : public QDialog
{
    Q_OBJECT
public:
    CTableChangeDlg(Database& db, const QString& source, QWidget* parent = nullptr);

    QComboBox* rooms() const { return m_rooms; }
    QComboBox* targets() const { return m_targets; }

private:
    void fillTargets();
    void onOk();

    TableChange m_change;
    QString m_source;
    QLineEdit* m_sourceField;
    QComboBox* m_rooms;
    QComboBox* m_targets;
};
