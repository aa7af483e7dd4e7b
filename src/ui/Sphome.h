#pragma once
// TForm1, the main window: the playoff type and format bar, the home/away warning and the bracket. It owns no
// state of its own: every event goes to the MainForm model and every widget is redrawn from it.

#include "app/MainForm.h"

#include <QLabel>
#include <QMainWindow>
#include <array>

class QComboBox;
class QToolButton;
class QWidget;

namespace kivp::ui {

// A team slot of the bracket: clicked with the mouse, or focused and played with Enter or Space.
class SlotLabel : public QLabel {
    Q_OBJECT
public:
    explicit SlotLabel(QWidget* parent = nullptr);
signals:
    void activated();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
};

class BracketArea;

class TForm1 : public QMainWindow {
    Q_OBJECT
public:
    explicit TForm1(MainForm& model, QWidget* parent = nullptr);

    // Redraws every widget from the model.
    void refresh();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void buildTopBar(QWidget* client);
    void buildBracket(QWidget* client);

    MainForm& m_model;
    bool m_shownOnce = false;
    QComboBox* m_playoffTypeBox = nullptr;
    QComboBox* m_playoffFormatBox = nullptr;
    QLabel* m_updateOptionsLabel = nullptr;
    BracketArea* m_bracketArea = nullptr;
    std::array<SlotLabel*, 16> m_slots{};     // [1..15]
    std::array<QLabel*, 15> m_winCounts{};    // [1..14]
    std::array<QToolButton*, 16> m_buttons{}; // [2..15]
    std::array<QLabel*, 34> m_headings{};     // Label4..Label8, Label33
};

} // namespace kivp::ui
