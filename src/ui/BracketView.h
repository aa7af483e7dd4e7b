#pragma once
// The main window's bracket: every team slot, win count, home button, round heading and bye of the playoff's
// tree, with the lines joining each series to the one its winner plays next, drawn over the ballpark picture
// when one is shown. It takes its places from BracketLayout and scales them to the room the window gives it,
// keeping the bracket's shape and centring it, so a larger window shows a larger bracket. A bracket on
// another tree (another playoff type or custom field) gets the widgets of that tree; otherwise it only
// redraws from the model. Its colours come from the palette.
//
// Clicks go out as signals; the window hands them to the model.

#include "app/MainForm.h"
#include "report/BracketLayout.h"

#include <QLabel>
#include <QToolButton>
#include <QWidget>
#include <optional>
#include <vector>

class QImage;

namespace kivp::ui {

// A team slot of the bracket: clicked with the mouse, or focused and played with Enter or Space. A name too
// long for its place is cut short with an ellipsis; its text stays whole.
class SlotLabel : public QLabel {
    Q_OBJECT
public:
    explicit SlotLabel(QWidget* parent = nullptr);
    // Whether the slot shows the mark of keyboard focus: focused, and reached from the keyboard.
    bool showsKeyboardFocus() const { return hasFocus() && m_keyboardFocus; }
signals:
    void activated();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    bool m_keyboardFocus = false;
};

// A home button: a toggle that is down for the home team of its series. Drawn from the palette: an outlined
// face with a muted "H" while up, filled in the highlight colour while down, and a ring inside it while it
// has the keyboard focus.
class HomeToggle : public QToolButton {
public:
    explicit HomeToggle(QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
};

// How screen readers and automation name a slot of the bracket: where it is, such as "American League,
// wild-card round, series 2, upper team"; the eight-team tree keeps the names it has always had.
QString slotDescription(const Bracket& bracket, int slot);

class BracketView : public QWidget {
    Q_OBJECT
public:
    // picture: the ballpark picture, drawn behind the bracket while the model shows it.
    BracketView(const MainForm& model, const QImage& picture, QWidget* parent = nullptr);

    // Redraws from the model, first putting the widgets of the bracket's tree in place when it is on another.
    void refresh();

    // Design pixels to widget pixels: the largest scale at which the bracket fits the widget.
    double scale() const;
    // The scale the bracket needs at least: its design size, or more where the label font is larger than the
    // design's, so every caption keeps its room.
    double leastScale() const;
    // The scale the bracket is shown at when it may choose: home buttons of at least 20 pixels.
    double preferredScale() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

signals:
    // A team slot was clicked, or played from the keyboard (slot 1 to the last team slot).
    void slotActivated(int slot);
    // A team slot's context menu, at this point of the screen.
    void slotMenuRequested(int slot, const QPoint& globalPosition);
    // A home button was clicked (SpeedButton2 onwards: its number).
    void homeButtonClicked(int number);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    // Which widgets a bracket needs: its tree, and the type whose round and half names it shows.
    struct Shape {
        const BracketTree* tree = nullptr;
        int type = -1;
        bool operator==(const Shape&) const = default;
    };
    Shape shapeOf(const Bracket& bracket) const;
    void makeWidgets(int slotCount);
    void rebuild();
    // Puts every widget at its scaled place, at its scaled font.
    void place();
    void recolour();
    QFont baseFont() const;
    QRect mapped(const layout::Box& box) const;
    QPoint mapped(int x, int y) const;
    QPoint pixelOf(int x, int y) const;

    const MainForm& m_model;
    const QImage& m_picture;
    Shape m_shape;
    std::optional<layout::BracketLayout> m_places;
    // Made once for the largest tree, in reading order (each team before its home button), so the keyboard
    // meets them in that order; a smaller tree leaves the rest hidden and unnamed.
    std::vector<SlotLabel*> m_slots;    // [1..]
    std::vector<QLabel*> m_winCounts;   // [1..]
    std::vector<HomeToggle*> m_buttons; // [2..], by number
    std::vector<QLabel*> m_headings;    // as the layout lists them
    std::vector<QLabel*> m_byes;        // as the layout lists them
    QFont m_baseFont;
    double m_origin[2] = {0, 0};
    double m_scale = 1;
};

} // namespace kivp::ui
