#pragma once
// The running program: the models, the Qt windows that show them, and the Qt side of every port, created in
// the order the program starts them (main window, About box, options window) and living until it ends. It
// comes to the front when a second start on its program folder asks it to.

#include "app/MainForm.h"
#include "ui/QtPrompts.h"
#include "ui/QtSimulatorRunner.h"

#include <memory>

class QFileSystemWatcher;

namespace kivp::ui {

class HelpWindow;
class RunProgressDialog;
class TForm1;
class TForm2;
class TForm7;

class KivpApplication : public MainFormView {
public:
    // programDirectory: the folder kivp was started from. prompts: who the user's messages and questions go to;
    // Qt's message boxes and choosers when none is given (a test gives its own, which answers them).
    explicit KivpApplication(const std::string& programDirectory, Prompts* prompts = nullptr);
    ~KivpApplication() override;

    TForm1& mainWindow() { return *m_form1; }
    MainForm& model() { return m_model; }

    void showHelpContents() override;
    void showAbout() override;
    void showOptionsWindow() override;
    void closeMainWindow() override;
    void showGameLog() override;
    std::optional<CustomBracket> chooseCustomBracket(const CustomBracket& current) override;

private:
    void bringToFront();

    QtPrompts m_qtPrompts;
    Prompts& m_prompts;
    QtSimulatorRunner m_runner;
    MainForm m_model;
    std::unique_ptr<TForm1> m_form1;
    std::unique_ptr<TForm2> m_form2;
    std::unique_ptr<TForm7> m_form7;
    std::unique_ptr<HelpWindow> m_help;
    std::unique_ptr<RunProgressDialog> m_progress;
    std::unique_ptr<QFileSystemWatcher> m_programFolderWatch;
};

} // namespace kivp::ui
