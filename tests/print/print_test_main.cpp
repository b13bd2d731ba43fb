#include <gtest/gtest.h>

#include <QApplication>

// The reports need a GUI application for fonts and widgets; without a display the tests run on
// the offscreen platform, also when CTest lists them at build time.
int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
