#pragma once

#include <functional>
#include <memory>
#include <QObject>

// Every test class of an area's program registers itself here; the program's one main runs them.
namespace TestMain {

// Registers a test class under the name of its file ("tst_Checkout").
int add(const char* file, std::function<std::unique_ptr<QObject>()> make);

} // namespace TestMain

// Put in place of QTEST_MAIN at the end of a test file (before its .moc include).
#define PELVAR_TEST(Class)                                                                                   \
    static const int pelvarTestRegistered_##Class =                                                          \
        TestMain::add(__FILE__, [] { return std::unique_ptr<QObject>(new Class); });
