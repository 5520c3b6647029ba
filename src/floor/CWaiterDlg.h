#pragma once

#include "TableOpening.h"

#include <QDialog>

class Database;
class WaiterField;

// The small waiter dialog: changes the waiter of one registration (the registration query).
class CWaiterDlg final : public QDialog
{
    Q_OBJECT
public:
    CWaiterDlg(Database& db, const QString& registrationNumber, int waiter, QWidget* parent = nullptr);

    WaiterField* field() const { return m_field; }

public slots:
    // Writes the waiter taken from the list (0 when none was taken) into the registration.
    void accept() override;

private:
    TableOpening m_opening;
    QString m_number;
    WaiterField* m_field;
};
