#pragma once
// A session played from a file of commands, for the checks that play a playoff through the finished program
// (scripts/check-windows.sh plays one with kivp.exe under Wine and the same with the Linux build). Each command
// acts on the window as the user would, through the same widget signals a click or a choice sends, so every
// handler, message and file is the program's own. Started when KIVP_CHECK_SCRIPT names the file.
//
// Commands, one a line: "action NAME" (a menu entry, by object name), "click NAME" (a button or a team's name in
// the bracket), "choose NAME INDEX" (an item of a drop-down), "hold FILE" (makes FILE and waits until it is
// removed, while the check looks at the window). A message box is answered with its default button
// and its text appended to the log file (KIVP_CHECK_LOG); when the commands are done the program ends.

#include <QObject>
#include <QStringList>
#include <QTimer>

class QWidget;

namespace kivp::ui {

class CheckScript : public QObject {
public:
    CheckScript(const QString& scriptFile, const QString& logFile, QObject* parent = nullptr);

private:
    void tick();
    bool run(const QString& command);
    void log(const QString& line);

    QStringList m_commands;
    QString m_logFile;
    int m_next = 0;
    int m_running = 0; // commands whose handler has not returned (a window they opened is showing)
    QTimer m_timer;
};

} // namespace kivp::ui
