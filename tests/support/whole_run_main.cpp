// Test entry for the tests of a whole run: the runtime creates and deletes the QApplication itself,
// as in the program, so none is made here. A temporary HOME keeps the real Documents folder out.
#include <gtest/gtest.h>
#include <QByteArray>

#include "tests/support/temp_home.h"

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    TempHome home;
    qputenv("QT_QPA_PLATFORM", QByteArrayLiteral("offscreen"));
    return RUN_ALL_TESTS();
}
