#include "Clock.h"

namespace {
QDateTime g_fixed;
}

QDateTime Clock::now()
{
    return g_fixed.isValid() ? g_fixed : QDateTime::currentDateTime();
}

QDate Clock::today()
{
    return now().date();
}

void Clock::setFixed(const QDateTime& localTime)
{
    g_fixed = localTime;
}

void Clock::clearFixed()
{
    g_fixed = QDateTime();
}
