#pragma once
// The main window on a two-team playoff set up and shown: "Ash" (upper) against "Birch" for the championship, its
// games played by a scripted simulator and its messages answered by the test's prompts.

#include "app/MainForm.h"
#include "support/RecordingPrompts.h"
#include "support/ScriptedRunner.h"
#include "support/TempDir.h"
#include "ui/Sphome.h"

#include <QTest>

#include <memory>

namespace kivp::test {

struct TwoTeamWindow {
    struct View : MainFormView {
        ui::TForm1* window = nullptr;
        void showHelpContents() override {}
        void showAbout() override {}
        void showOptionsWindow() override {}
        void closeMainWindow() override {}
        void showGameLog() override { window->showGameLog(); }
    };

    TempDir dir;
    RecordingPrompts prompts;
    View view;
    ScriptedRunner runner;
    MainForm model{prompts, view, runner};
    std::unique_ptr<ui::TForm1> window;

    TwoTeamWindow() {
        for (const char* team : {"Ash", "Birch"})
            dir.write(std::string(team) + ".dat", "*Demo team title line here....\r\n");
        model.FormCreate(dir.path());
        window = std::make_unique<ui::TForm1>(model, prompts);
        view.window = window.get();
        window->show();
        (void)QTest::qWaitForWindowExposed(window.get());
        model.PlayoffTypeBoxChange(2);
        model.choosePicker(3, 0);
        model.choosePicker(10, 1);
        model.Button2Click();
    }
};

} // namespace kivp::test
