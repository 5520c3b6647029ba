#pragma once

#include "WaiterPicker.h"

#include <QLineEdit>

class Database;
class QTreeWidget;

// The 服务生 field: typing lists the waiters whose name, initials or number begin with the text
// in a pop-up list under the field; the arrow keys move into the list, Enter (in the field or the
// list) or a double click takes the highlighted waiter, the first one unless the operator moved.
// Only a waiter taken from the list counts (waiterId() is 0 otherwise).
class WaiterField final : public QLineEdit
{
    Q_OBJECT
public:
    explicit WaiterField(Database& db, QWidget* parent = nullptr);

    // Shows the waiter of a registration.
    void preset(int waiter);
    int waiterId() const { return m_picker.waiterId(); }
    // Lists every waiter (the small button beside the field).
    void showAll();
    QTreeWidget* list() const { return m_list; }

signals:
    // A waiter was taken from the list; the dialog moves the focus on.
    void picked();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void show(const QList<WaiterPicker::Waiter>& waiters);
    void take();
    void hideList();

    WaiterPicker m_picker;
    QTreeWidget* m_list = nullptr;
};
