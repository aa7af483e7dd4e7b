#include "ui/CheckScript.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPushButton>
#include <QTextStream>

namespace kivp::ui {

namespace {

// The visible widget of that name, in the window that takes input first.
QWidget* findWidget(const QString& name) {
    QWidgetList windows;
    if (QWidget* modal = QApplication::activeModalWidget())
        windows << modal;
    windows << QApplication::topLevelWidgets();
    for (QWidget* window : windows) {
        if (!window->isVisible())
            continue;
        if (window->objectName() == name)
            return window;
        for (QWidget* widget : window->findChildren<QWidget*>(name)) {
            if (widget->isVisible())
                return widget;
        }
    }
    return nullptr;
}

QAction* findAction(const QString& name) {
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (auto* action = window->findChild<QAction*>(name))
            return action;
    }
    return nullptr;
}

bool isVisibleWindow(const char* name) {
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window->isVisible() && window->objectName() == name)
            return true;
    }
    return false;
}

} // namespace

CheckScript::CheckScript(const QString& scriptFile, const QString& logFile, QObject* parent)
    : QObject(parent), m_logFile(logFile) {
    QFile file(scriptFile);
    if (file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        for (const QString& line : QString::fromUtf8(file.readAll()).split('\n')) {
            if (!line.trimmed().isEmpty())
                m_commands << line.trimmed();
        }
    } else {
        log("cannot read the script " + scriptFile);
    }
    connect(&m_timer, &QTimer::timeout, this, [this] { tick(); });
    m_timer.start(50);
}

void CheckScript::log(const QString& line) {
    QFile file(m_logFile);
    if (!m_logFile.isEmpty() && file.open(QIODevice::Append | QIODevice::Text))
        QTextStream(&file) << line << "\n";
}

void CheckScript::tick() {
    if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
        log("message: " + box->text());
        QAbstractButton* button = box->defaultButton();
        if (!button)
            button = box->buttons().value(0);
        if (button)
            button->click();
        return;
    }
    // A game or a run is under way, or a command is still in its handler with no window of its own to act on.
    if (isVisibleWindow("PlayingGameDialog") || isVisibleWindow("RunProgressDialog"))
        return;
    if (m_running > 0 && !QApplication::activeModalWidget())
        return;
    if (m_next >= m_commands.size()) {
        if (m_running == 0) {
            m_timer.stop();
            log("done");
            QApplication::quit();
        }
        return;
    }
    // Run from an event of its own: a window the command opens runs its own event loop, in which this timer must
    // go on ticking, and Qt does not call a timer's handler again while it runs.
    const QString command = m_commands[m_next++];
    ++m_running;
    QTimer::singleShot(0, this, [this, command] {
        if (!run(command))
            log("could not: " + command);
        --m_running;
    });
}

bool CheckScript::run(const QString& command) {
    const QStringList words = command.split(' ', Qt::SkipEmptyParts);
    if (words.size() < 2)
        return false;
    if (words[0] == "hold") {
        // Lets the check look at the window: the file is made now, and the script goes on once it is removed.
        const QString file = words.mid(1).join(' ');
        QFile(file).open(QIODevice::WriteOnly);
        while (QFile::exists(file))
            QApplication::processEvents(QEventLoop::AllEvents, 50);
        return true;
    }
    if (words[0] == "action") {
        QAction* action = findAction(words[1]);
        if (!action || !action->isEnabled())
            return false;
        action->trigger();
        return true;
    }
    QWidget* widget = findWidget(words[1]);
    if (!widget || !widget->isEnabled())
        return false;
    if (words[0] == "click") {
        if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
            button->click();
            return true;
        }
        // A team's name in the bracket answers a mouse button's release over it.
        const QPointF centre = QRectF(widget->rect()).center();
        QMouseEvent press(QEvent::MouseButtonPress, centre, widget->mapToGlobal(centre), Qt::LeftButton,
                          Qt::LeftButton, Qt::NoModifier);
        QMouseEvent release(QEvent::MouseButtonRelease, centre, widget->mapToGlobal(centre), Qt::LeftButton,
                            Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(widget, &press);
        QApplication::sendEvent(widget, &release);
        return true;
    }
    if (words[0] == "choose" && words.size() == 3) {
        auto* box = qobject_cast<QComboBox*>(widget);
        bool number = false;
        const int index = words[2].toInt(&number);
        if (!box || !number || index < 0 || index >= box->count())
            return false;
        box->setCurrentIndex(index);
        emit box->activated(index);
        return true;
    }
    return false;
}

} // namespace kivp::ui
