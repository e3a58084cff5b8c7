// Test entry for the GUI tests: one QApplication for the whole run, created inside a temporary
// HOME so nothing reaches the real Documents folder.
#include <gtest/gtest.h>
#include <QApplication>

#include "tests/support/temp_home.h"

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    TempHome home;
    qputenv("QT_QPA_PLATFORM", QByteArrayLiteral("offscreen"));
    int qtArgc = 1;
    char name[] = "tw-test";
    char* qtArgv[] = {name, nullptr};
    QApplication app(qtArgc, qtArgv);
    return RUN_ALL_TESTS();
}
