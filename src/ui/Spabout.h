#pragma once
// TForm2, the About box: the program's name, version and build, credits, and a link that opens kivp's help
// page in the desktop's browser. A click anywhere else closes it. Its texts follow the user's font size and
// its link colour stays readable in any palette.

#include <QDialog>
#include <functional>

class QUrl;

namespace kivp {
class Prompts;
}

namespace kivp::ui {

class TForm2 : public QDialog {
    Q_OBJECT
public:
    // opener opens an address on the desktop and tells whether that worked.
    using Opener = std::function<bool(const QUrl&)>;
    TForm2(Prompts& prompts, Opener opener, QWidget* parent = nullptr);

    void FormClick() { accept(); }
    void Label5Click();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void fitToFont();
    void colourLink();

    Prompts& m_prompts;
    Opener m_opener;
};

} // namespace kivp::ui
