#pragma once

#include <QDateTime>

// The one source of "now" for the whole program. Tests fix it to a moment of their choosing;
// the running program always reads the system's local time.
class Clock final
{
public:
    static QDateTime now();
    static QDate today();

    // Fixes "now" to the given local time until clearFixed(); the fixed time does not advance.
    static void setFixed(const QDateTime& localTime);
    static void clearFixed();
};
