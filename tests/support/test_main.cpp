// Test entry for the suites without windows, in place of gtest_main: the same shared environment
// as every other suite, so nothing they write can reach the real Documents folder.
#include <gtest/gtest.h>

#include "tests/support/test_environment.h"

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    TestEnvironment environment;
    return RUN_ALL_TESTS();
}
