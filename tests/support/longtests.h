#pragma once

// A long randomized test function starts with TARNEL_LONG_TEST(). ctest runs
// it in an entry of its own, `<test>_long` with the label `long`
// (tarnel_long_test in tests/CMakeLists.txt), and the test's main entry, run
// with TARNEL_SKIP_LONG set, skips it, so that tools/test.sh can run the long
// ones in one of its two builds only.

#include <QtTest>

#define TARNEL_LONG_TEST()                                                                                        \
    if (qEnvironmentVariableIsSet("TARNEL_SKIP_LONG"))                                                            \
    QSKIP("long: its _long ctest entry runs it")
