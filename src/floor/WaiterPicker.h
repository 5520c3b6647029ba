#pragma once

#include <QList>
#include <QString>

class Database;

// The 服务生 field's pop-up list without its widgets: which waiters to list for the typed text,
// and which waiter number the field stands for. Only a waiter taken from the list counts; text
// typed and never picked stands for no waiter (0).
class WaiterPicker final
{
public:
    struct Waiter
    {
        int id = 0;
        QString name;
    };

    static const QString kColumns;

    explicit WaiterPicker(Database& db);

    // Each change of the field's text. Returns the waiters to list; none hides the list (an
    // empty text, or the name of the waiter just taken).
    QList<Waiter> textChanged(const QString& text);
    // Every waiter, for the button beside the field.
    QList<Waiter> all();
    // A row taken from the list (Enter or a double click).
    void choose(const Waiter& waiter);
    // The field as a registration left it: the waiter stands until the text changes. Returns the
    // waiter's name, or the number marked deleted when the waiter is gone.
    QString preset(int id);

    int waiterId() const { return m_chosen.id; }
    const QString& waiterName() const { return m_chosen.name; }

private:
    Database& m_db;
    Waiter m_chosen;
};
