#pragma once
// Test classes register themselves here; the test program runs each in turn.

#include <QObject>
#include <functional>
#include <vector>

namespace q36::test {

std::vector<std::function<QObject*()>>& UiTestFactories();

template <class T>
struct RegisterUiTest {
    RegisterUiTest() {
        UiTestFactories().push_back([] { return new T; });
    }
};

}  // namespace q36::test
