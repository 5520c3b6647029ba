#pragma once

#include "TableOpening.h"

#include <QDialog>

class Database;
class QCheckBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QToolButton;
class WaiterField;

// The open-table dialog ("顾客开单"), and the same dialog changing an open table's registration
// ("修改登记"): guests, waiter, note and whether ordering follows at once. It only gathers the
// entries; the caller writes them (TableOpening).
class COpenTableDlg final : public QDialog
{
    Q_OBJECT
public:
    enum class Mode
    {
        Open,
        Change
    };
    static constexpr int kNoteLimit = 1000;

    COpenTableDlg(Database& db, Mode mode, const QString& table, QWidget* parent = nullptr);

    void setNote(const QString& note);
    // The registration being changed.
    void setRegistration(const TableOpening::Registration& registration);

    int guests() const { return m_guests; }
    QString note() const;
    int waiter() const;
    bool orderNow() const;

    QLineEdit* guestsEdit() const { return m_guestsEdit; }
    WaiterField* waiterField() const { return m_waiter; }
    QToolButton* waiterButton() const { return m_waiterButton; }
    QPlainTextEdit* noteEdit() const { return m_note; }
    QCheckBox* orderNowBox() const { return m_orderNow; }

public slots:
    // OK: the guests must be an integer from 1 to 1000; otherwise the dialog stays open.
    void accept() override;

private:
    TableOpening m_opening;
    int m_guests = 0;
    QLineEdit* m_guestsEdit;
    WaiterField* m_waiter;
    QToolButton* m_waiterButton;
    QPlainTextEdit* m_note;
    QCheckBox* m_orderNow;
};
