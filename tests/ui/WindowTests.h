#pragma once
// The window test classes register themselves here (the list lives in main.cpp) so one program runs them all.

#include <QApplication>
#include <QEvent>
#include <QObject>
#include <QStringList>
#include <QWidget>
#include <functional>
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

// The names of the visible widgets the filter takes that Tab stops at, in the order it meets them going once
// round the focus chain from the widget given.
inline QStringList tabOrder(QWidget* from, const std::function<bool(QWidget*)>& take) {
    QStringList stops;
    QWidget* widget = from;
    do {
        if (widget->isVisible() && (widget->focusPolicy() & Qt::TabFocus) && take(widget))
            stops << widget->objectName();
        widget = widget->nextInFocusChain();
    } while (widget != from);
    return stops;
}

// While it lives, acts on the window with this object name each time it shows, from the event loop the window
// runs (a modal window's own), so a test drives it as a user would without waiting on a timer.
class WhenShown : public QObject {
public:
    WhenShown(const char* name, std::function<void(QWidget*)> act) : m_name(name), m_act(std::move(act)) {
        qApp->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Show && watched->isWidgetType() && watched->objectName() == m_name) {
            auto* window = static_cast<QWidget*>(watched);
            QMetaObject::invokeMethod(this, [this, window] { m_act(window); }, Qt::QueuedConnection);
        }
        return false;
    }

private:
    QString m_name;
    std::function<void(QWidget*)> m_act;
};

} // namespace kivp::test
