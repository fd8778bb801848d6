// The screen tests run on the offscreen platform unless told otherwise, with
// the program's own style. The application lives for the whole run and goes
// before the program's static objects do.
#include <gtest/gtest.h>

#include <QApplication>

#include "screens/ProgramStyle.hpp"

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setStyle(new ProgramStyle);
    return RUN_ALL_TESTS();
}
