// kivp: KIV Playoff Mode. Runs a whole post-season of KIV simulator games from one window.

#include "app/MainForm.h"
#include "ui/Sphome.h"
#include "platform/Prompts.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(kivp::kProgramTitle);
    QApplication::setApplicationDisplayName(kivp::kProgramTitle);

    kivp::MainForm model;
    kivp::ui::TForm1 mainWindow(model);
    mainWindow.show();
    return QApplication::exec();
}
