#pragma once

// TARNEL_TEST_MAIN(Class) ends a test file in place of QTEST_MAIN. In a program
// that groups the tests of a folder (built with TARNEL_GROUPED_TESTS), it puts
// the class on that program's list instead, under the file's name, and
// groupedmain.cpp runs the list.

#include <QtTest>

namespace support {

using TestRun = int (*)(int argc, char** argv);

// Adds a test class to the program's list; `file` is the test's source path.
bool registerTest(const char* file, TestRun run);

} // namespace support

#ifdef TARNEL_GROUPED_TESTS
#define TARNEL_TEST_MAIN(TestObject)                                                                              \
    namespace {                                                                                                   \
    const bool testRegistered = support::registerTest(__FILE__, [](int argc, char** argv) {                       \
        TestObject tc;                                                                                            \
        QTEST_SET_MAIN_SOURCE_PATH                                                                                \
        return QTest::qExec(&tc, argc, argv);                                                                     \
    });                                                                                                           \
    }
#else
#define TARNEL_TEST_MAIN(TestObject) QTEST_MAIN(TestObject)
#endif
