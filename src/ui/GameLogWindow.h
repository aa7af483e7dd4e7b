#pragma once
// The game log: every game of the playoff in the order played, with the line score the simulator wrote, in a
// fixed-pitch font so its columns line up. It stays open beside the main window, which keeps its text
// current.

#include <QDialog>

class QPlainTextEdit;

namespace kivp::ui {

class GameLogWindow : public QDialog {
    Q_OBJECT
public:
    explicit GameLogWindow(QWidget* parent = nullptr);
    // Replaces the text when it changed, showing its end, where the latest game is.
    void setLog(const QString& text);
    // Shows the window, brought to the front with the log focused.
    void showLog();

private:
    QPlainTextEdit* m_text;
};

} // namespace kivp::ui
