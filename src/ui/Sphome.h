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
class QPushButton;
class QToolButton;
class QWidget;

namespace kivp::ui {

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
    // The client area until it has a layout: the top bar, the bracket filling the room the window gives it,
    // and the set-up area below it while open. The window grows to show a bracket of another size at its
    // preferred size, and by the set-up area's height while it is open.
    void placeClientArea();
    void arrangeClientArea();
    QSize preferredClientSize() const;
    QSize clientRoom() const;
    void resizeClientArea(const QSize& size);
    // The set-up area's pickers for the field of the bracket's type, each half in its column.
    void placePickers();
    // Runs a model handler, then redraws; re-centres when the set-up area opened or closed.
    void handle(const std::function<void()>& handler);
    void updatePicture();

    MainForm& m_model;
    Prompts& m_prompts;
    bool m_shownOnce = false;
    QWidget* m_client = nullptr;
    QComboBox* m_playoffTypeBox = nullptr;
    QComboBox* m_playoffFormatBox = nullptr;
    QLabel* m_updateOptionsLabel = nullptr;
    BracketView* m_bracketArea = nullptr;
    QSize m_bracketHint;           // the bracket's preferred size the window last grew to
    int m_closedBracketHeight = 0; // the bracket's height while the set-up area is closed
    std::array<QComboBox*, 22> m_pickers{};   // ComboBox3..6, ComboBox10..21
    std::array<QLabel*, 56> m_pickerCaptions{}; // Label23..Label30, Label48..Label55
    QWidget* m_teamSetup = nullptr;
    std::array<QWidget*, 2> m_pickerGroups{};
    std::array<QWidget*, 2> m_setupButtons{}; // Done, Cancel
    // The column and row of each picker, in kPickerNumbers' order.
    std::vector<std::pair<int, int>> m_pickerPlaces;
    QLabel* m_label32 = nullptr;
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
