// Runs every window test class in one program on the offscreen platform.

#include "WindowTests.h"

#include <QApplication>
#include <QTest>

int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    int failures = 0;
    for (QObject* test : kivp::test::windowTests())
        failures += QTest::qExec(test, argc, argv);
    return failures == 0 ? 0 : 1;
}
