#pragma once
// The help page bundled with kivp, shown by Help > Contents and F1.

#include <QDialog>

class QTextBrowser;

namespace kivp::ui {

class HelpWindow : public QDialog {
    Q_OBJECT
public:
    explicit HelpWindow(QWidget* parent = nullptr);
    // Shows the page from its contents, bringing the window to the front.
    void showContents();
    // The page as a file the desktop's browser can open (written next to the other temporary files).
    static QString helpFilePath();

private:
    QTextBrowser* m_browser;
};

} // namespace kivp::ui
