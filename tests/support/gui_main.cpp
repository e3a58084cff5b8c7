// Test entry for the GUI tests: one QApplication for the whole run, made inside the tests' shared
// environment (offscreen, no sound, a temporary HOME).
#include <gtest/gtest.h>
#include <QApplication>

#include "tests/support/test_environment.h"

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    TestEnvironment environment;
    int qtArgc = 1;
    char name[] = "tw-test";
    char* qtArgv[] = {name, nullptr};
    QApplication app(qtArgc, qtArgv);
    return RUN_ALL_TESTS();
}
