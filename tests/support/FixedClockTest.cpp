#include "FixedClockTest.h"

#include "Clock.h"
#include "Restaurant.h"

void FixedClockTest::init()
{
    Clock::setFixed(Restaurant::kNow);
}

void FixedClockTest::cleanup()
{
    Clock::clearFixed();
}
