// Test entry for the tests of a whole run: the runtime creates and deletes the QApplication itself,
// as in the program, so none is made here; only the tests' shared environment is.
#include <gtest/gtest.h>

#include "tests/support/test_environment.h"

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    TestEnvironment environment;
    return RUN_ALL_TESTS();
}
