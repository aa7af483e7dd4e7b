#pragma once
// The window test classes register themselves here (the list lives in main.cpp) so one program runs them all.

#include <QObject>
#include <QWidget>
#include <vector>

namespace kivp::test {

std::vector<QObject*>& windowTests();

template <typename T> struct RegisterWindowTest {
    RegisterWindowTest() { windowTests().push_back(new T); }
};

// The child widget of a window with this object name, failing the test when there is none.
template <typename T = QWidget> T* child(QObject* window, const char* name) {
    auto* found = window->findChild<T*>(name);
    if (!found)
        qWarning("no widget named %s", name);
    return found;
}

} // namespace kivp::test
