#pragma once

#include "ReservationChoice.h"

#include <QDialog>

class Database;
class QTreeWidget;

// "此餐桌预订情况": the tables the guest of a reserved table booked for this shift today, each
// ticked; OK hands back the ticked tables and their reservation rows to be opened as one group.
class CCzYdDlg final : public QDialog
{
    Q_OBJECT
public:
    CCzYdDlg(Database& db, const QString& table, QWidget* parent = nullptr);

    const QStringList& tables() const { return m_choice.tables(); }
    const QList<int>& ids() const { return m_choice.ids(); }
    QTreeWidget* list() const { return m_list; }

public slots:
    void accept() override;

private:
    ReservationChoice m_choice;
    QList<ReservationChoice::Row> m_rows;
    QTreeWidget* m_list;
};
