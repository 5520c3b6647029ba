#pragma once

#include <QObject>

// A test whose clock stands at the restaurant's "now" (Restaurant::kNow) during every test
// function and runs free again after it.
class FixedClockTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
};
