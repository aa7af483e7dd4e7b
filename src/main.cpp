// kivp: KIV Playoff Mode. Runs a whole post-season of KIV simulator games from one window.

#include "platform/Paths.h"
#include "platform/Prompts.h"
#include "ui/KivpApplication.h"
#include "ui/Sphome.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(kivp::kProgramTitle);

    // The folder kivp is started from is its program folder: kivp.ini, the line score and saved playoffs live
    // there, and the simulator runs there.
    kivp::ui::KivpApplication program(kivp::currentDirectory());
    program.mainWindow().show();
    return QApplication::exec();
}
