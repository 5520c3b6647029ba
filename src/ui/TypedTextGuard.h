#pragma once

#include <QObject>

// Keeps control characters out of every single-line field of the program as they are typed or
// pasted: a line edit without a validator of its own gets one that refuses them, line breaks
// included. The database refuses them too; this says no where the text is entered.
class TypedTextGuard final : public QObject
{
    Q_OBJECT
public:
    // Watches every widget of the application from now on.
    static void install();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    using QObject::QObject;
};
