// Runs every window test class in one program on the offscreen platform. "test_ui MainWindowTest [args]" runs
// one class, with Qt Test's own arguments after its name.

#include "WindowTests.h"

#include <QApplication>
#include <QTest>

std::vector<QObject*>& kivp::test::windowTests() {
    static std::vector<QObject*> tests;
    return tests;
}

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QStringList arguments = app.arguments();
    QString only;
    if (arguments.size() > 1 && !arguments[1].startsWith('-')) {
        only = arguments.takeAt(1);
    }
    int failures = 0;
    for (QObject* test : kivp::test::windowTests()) {
        const QString name = QString(test->metaObject()->className()).section("::", -1);
        if (!only.isEmpty() && name != only)
            continue;
        failures += QTest::qExec(test, arguments);
    }
    return failures == 0 ? 0 : 1;
}
