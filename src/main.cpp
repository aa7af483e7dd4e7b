// kivp: KIV Playoff Mode. Runs a whole post-season of KIV simulator games from one window.

#include "platform/Paths.h"
#include "platform/ProgramArguments.h"
#include "platform/Prompts.h"
#include "startup/CommandLine.h"
#include "startup/SingleInstance.h"
#include "ui/CheckScript.h"
#include "ui/KivpApplication.h"
#include "ui/ProgramIcon.h"
#include "ui/QtPrompts.h"
#include "ui/Sphome.h"

#include <QApplication>
#include <QDir>
#include <QMessageBox>
#include <cstdlib>
#include <iostream>
#include <memory>

#ifndef KIVP_DEMO_FROM_BINDIR
#define KIVP_DEMO_FROM_BINDIR "../share/kivp/demo"
#endif

namespace {

// The program folder the command line asks for; throws kivp::Error when it cannot be used.
std::string programFolder(const kivp::StartRequest& request) {
    std::string folder = kivp::currentDirectory();
    if (request.programFolder) {
        folder = kivp::absolutePath(*request.programFolder);
    } else if (request.userFolder) {
        folder = kivp::userProgramFolder(std::getenv("XDG_DATA_HOME"), std::getenv("HOME"));
        const QString demo = QDir(QCoreApplication::applicationDirPath()).filePath(KIVP_DEMO_FROM_BINDIR);
        kivp::prepareUserFolder(folder, QDir::cleanPath(demo).toStdString());
    }
    if (!kivp::isDirectory(folder))
        throw kivp::Error::cannotOpen(folder);
    return folder;
}

} // namespace

int main(int argc, char* argv[]) {
    const std::vector<std::string> arguments = kivp::programArguments(argc, argv);
    const kivp::StartRequest request =
        kivp::parseCommandLine({arguments.begin() + (arguments.empty() ? 0 : 1), arguments.end()});
    switch (request.action) {
    case kivp::StartRequest::Action::ShowHelp: std::cout << kivp::helpText(); return 0;
    case kivp::StartRequest::Action::ShowVersion: std::cout << kivp::versionText(); return 0;
    case kivp::StartRequest::Action::Refuse:
        std::cerr << "kivp: " << request.problem << "\nTry 'kivp --help' for more information.\n";
        return 2;
    case kivp::StartRequest::Action::Run: break;
    }

    QApplication app(argc, argv);
    QApplication::setApplicationName(kivp::kProgramTitle);
    QApplication::setWindowIcon(kivp::ui::programIcon());
    QGuiApplication::setDesktopFileName("org.kivp.kivp");

    std::string folder;
    try {
        folder = programFolder(request);
    } catch (const kivp::Error& error) {
        // Started from a menu there is no terminal to read, so the reason is shown in a window too.
        std::cerr << "kivp: " << error.text() << '\n';
        QMessageBox::critical(nullptr, kivp::kProgramTitle,
                              QString::fromStdString("kivp cannot use its program folder.\n" + error.text()));
        return 1;
    }

    // Before anything is written to the folder: a second kivp there would write over the first one's files.
    kivp::ui::QtPrompts prompts;
    const std::optional<kivp::InstanceLock> lock = kivp::claimProgramFolder(folder, prompts);
    if (!lock)
        return 0;

    // The program folder: kivp.ini, the line score and saved playoffs live there, and the simulator runs there.
    kivp::ui::KivpApplication program(folder);
    program.mainWindow().show();
    // The checks that play a playoff through the finished program (see CheckScript.h).
    std::unique_ptr<kivp::ui::CheckScript> check;
    if (const char* script = std::getenv("KIVP_CHECK_SCRIPT"); script && *script) {
        const char* log = std::getenv("KIVP_CHECK_LOG");
        check = std::make_unique<kivp::ui::CheckScript>(QString::fromLocal8Bit(script),
                                                        QString::fromLocal8Bit(log ? log : ""));
    }
    return QApplication::exec();
}
