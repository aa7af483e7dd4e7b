#pragma once
// TForm1, the main window: the playoff type and format bar, the home/away warning, the bracket and, below it, the
// team set-up area. It owns no state of its own: every event goes to the MainForm model and every widget is
// redrawn from it.

#include "app/MainForm.h"
#include "ui/BracketView.h"

#include <QImage>
#include <QLabel>
#include <QMainWindow>
#include <array>
#include <utility>
#include <vector>

class QAction;
class QMenu;
class QComboBox;
class QGridLayout;
class QGroupBox;
class QPushButton;
class QToolButton;
class QWidget;

namespace kivp::ui {

class FolderLabel;
class GameLogWindow;

class TForm1 : public QMainWindow {
    Q_OBJECT
public:
    TForm1(MainForm& model, Prompts& prompts, QWidget* parent = nullptr);

    // Redraws every widget from the model.
    void refresh();
    // The window's top becomes (screen height - window height) / 2; the left edge stays.
    void recentreVertically();
    // Edit > Game Log: the game log window, kept current by refresh().
    void showGameLog();

protected:
    void showEvent(QShowEvent* event) override;
    // Keeps the window's place in kivp.ini for the next start.
    void closeEvent(QCloseEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    bool event(QEvent* event) override;

private:
    void refreshEditCommands();
    void buildMenu();
    void buildTopBar(QWidget* client);
    void buildBracket(QWidget* client);
    void buildTeamSetup(QWidget* client);
    void buildPlayMenus();
    // The client area top to bottom: the top bar, the warning, the bracket (which takes the room the window
    // has to spare) and the set-up area.
    void layOut();
    // The set-up area's pickers for the field of the bracket's type, each half (or each eight of a field in
    // one half) in its group, ranks down the group's columns.
    void placePickers();
    // Puts the window where it was when kivp last closed, if that place is still on a screen.
    void restorePlacement();
    // The room the screen leaves the window, its frame taken off.
    QSize roomOnScreen() const;
    // The set-up area opened or closed: the window grows or shrinks by it from the height it had before (the
    // layout may have stretched it already), so the bracket keeps its size.
    void fitTeamSetup(int before);
    // The bracket now asks for more room (a larger tree): the window grows to show it at its preferred size,
    // within the screen.
    void fitBracket();
    // Runs a model handler, then redraws; re-centres when the set-up area opened or closed.
    void handle(const std::function<void()>& handler);
    void updatePicture();

    MainForm& m_model;
    Prompts& m_prompts;
    bool m_shownOnce = false;
    bool m_placed = false;    // put where it was last time, rather than centred
    int m_teamSetupExtra = 0; // the height the window grew by as the set-up area opened
    QSize m_bracketHint;      // the bracket's preferred size the window last grew to
    QWidget* m_client = nullptr;
    QWidget* m_topBar = nullptr;
    QComboBox* m_playoffTypeBox = nullptr;
    QComboBox* m_playoffFormatBox = nullptr;
    QLabel* m_updateOptionsLabel = nullptr;
    BracketView* m_bracketArea = nullptr;
    std::array<QComboBox*, 22> m_pickers{};     // ComboBox3..6, ComboBox10..21
    std::array<QLabel*, 56> m_pickerCaptions{}; // Label23..Label30, Label48..Label55
    QWidget* m_teamSetup = nullptr;
    std::array<QGroupBox*, 2> m_pickerGroups{};
    std::array<QGridLayout*, 2> m_pickerGrids{};
    std::array<QPushButton*, 2> m_setupButtons{}; // Done, Cancel
    // The group and rank place (0 to 7) of each picker, in kPickerNumbers' order.
    std::vector<std::pair<int, int>> m_pickerPlaces;
    FolderLabel* m_label32 = nullptr;
    QAction* m_showPicture = nullptr;
    QAction* m_loadPicture = nullptr;
    QAction* m_changeLabelFont = nullptr;
    std::vector<std::pair<HomePattern, QAction*>> m_homePatternItems;
    QLabel* m_homePatternLabel = nullptr;
    QLabel* m_statusLine = nullptr;
    QMenu* m_slotMenu = nullptr; // a team slot's context menu
    int m_menuSlot = 0;          // the slot it was opened on
    QAction* m_undoGame = nullptr;
    QAction* m_redoGame = nullptr;
    GameLogWindow* m_gameLog = nullptr;
    std::string m_picturePath;
    QImage m_picture;
};

} // namespace kivp::ui
