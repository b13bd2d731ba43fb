// Runs every window test class in one program under one QApplication.

#include <QApplication>
#include <QTest>
#include <cstdlib>

#include "ui_test_registry.h"

namespace q36::test {

std::vector<std::function<QObject*()>>& UiTestFactories() {
    static std::vector<std::function<QObject*()>> factories;
    return factories;
}

}  // namespace q36::test

int main(int argc, char* argv[]) {
    // Never probe the computer's own serial ports from a test; a test that needs ports sets them.
    setenv("Q36_PORTS", "", 0);
    QApplication application(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    int failures = 0;
    for (const auto& make : q36::test::UiTestFactories()) {
        QObject* tests = make();
        failures += QTest::qExec(tests, argc, argv);
        delete tests;
    }
    return failures == 0 ? 0 : 1;
}
