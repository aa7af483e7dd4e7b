#include "ui/BracketView.h"

#include "journal/GameLog.h"
#include "ui/Accessibility.h"
#include "ui/BracketPainter.h"
#include "ui/PaletteContrast.h"
#include "ui/QtText.h"

#include <QEvent>
#include <QFocusEvent>
#include <QImage>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>
#include <algorithm>
#include <cmath>

namespace kivp::ui {

namespace {

// The contrast a text and the edge of a control need, with a little to spare for colours rounded to whole
// steps.
constexpr double kTextContrast = 4.6;
constexpr double kEdgeContrast = 3.1;

const char* const kSlotHint = "Once the teams are set up, click the team name to play a game in the series";

// The largest bracket: every team of the largest field but the champion loses one series.
constexpr int kMostSlots = 2 * (kCustomMostTeams - 1) + 1;

// The label font the bracket was designed for: 8 points on a 96 dpi screen.
constexpr double kDesignTextPixels = 8 * 96.0 / 72.0;
// The home buttons' least size when the bracket may choose its size.
constexpr double kPreferredButtonPixels = 20;

QColor mixed(const QColor& a, const QColor& b, double t) {
    return QColor::fromRgbF(float(a.redF() + (b.redF() - a.redF()) * t),
                            float(a.greenF() + (b.greenF() - a.greenF()) * t),
                            float(a.blueF() + (b.blueF() - a.blueF()) * t));
}

// The extreme (black or white) farther from a colour.
QColor farthestFrom(const QColor& colour) {
    return contrastRatio(colour, Qt::black) >= contrastRatio(colour, Qt::white) ? QColor(Qt::black)
                                                                                : QColor(Qt::white);
}

// The joining lines: between the text and the window, standing out from the window as a control's edge does.
QColor lineColour(const QPalette& palette) {
    const QColor window = palette.color(QPalette::Window), text = palette.color(QPalette::WindowText);
    return standingOut(window, mixed(text, window, 0.45), text, kEdgeContrast);
}

// A bye: quieter than a team's name, still readable as text.
QColor byeColour(const QPalette& palette) {
    const QColor window = palette.color(QPalette::Window), text = palette.color(QPalette::WindowText);
    return standingOut(window, mixed(text, window, 0.5), text, kTextContrast);
}

QFont scaledFont(QFont font, double factor) {
    if (font.pointSizeF() > 0)
        font.setPointSizeF(font.pointSizeF() * factor);
    else
        font.setPixelSize(std::max(1, qRound(font.pixelSize() * factor)));
    return font;
}

// The eight-team tree's slots, named as they always have been.
QString classicDescription(const Bracket& bracket, int slot) {
    if (slot == 13 || slot == 14)
        return QString("Championship, %1 team").arg(slot == 13 ? "left" : "right");
    const int series = (slot + 1) / 2;
    const QString half = bracket.onRightHalf(slot) ? "right" : "left";
    const QString position = slot == Bracket::upperSlot(series) ? "upper" : "lower";
    if (slot >= 9)
        return QString("Semi final, %1 half, %2 team").arg(half, position);
    return QString("Round 1, %1 half, series %2, %3 team").arg(half).arg(series).arg(position);
}

// "wild-card round", "division series", "round 2", "semi-finals", "championship".
QString roundPhrase(const Bracket& bracket, int round) {
    QString name = toQt(bracket.roundName(round)).toLower();
    if (name == "wild card")
        return "wild-card round";
    if (name == "semi finals")
        return "semi-finals";
    return name;
}

QString capitalised(QString text) {
    if (!text.isEmpty())
        text[0] = text[0].toUpper();
    return text;
}

// A half's name as it reads before "team": "American League", "left".
QString sideName(const PlayoffTypeInfo& info, int half) {
    QString name = toQt(info.halfLongNames[static_cast<std::size_t>(half)]);
    if (name.endsWith(" half"))
        name.chop(5);
    return name;
}

} // namespace

QString slotDescription(const Bracket& bracket, int slot) {
    if (slot == bracket.championSlot())
        return "Champion";
    const PlayoffTypeInfo info = bracket.typeInfo();
    if (info.classic)
        return classicDescription(bracket, slot);
    const int series = (slot + 1) / 2;
    const SeriesPlace& place = bracket.tree().series(series);
    const QString position = slot == Bracket::upperSlot(series) ? "upper" : "lower";
    if (place.half < 0)
        return QString("Championship, %1 team")
            .arg(sideName(info, slot == Bracket::upperSlot(series) ? 0 : 1));
    QStringList parts;
    const QString half = toQt(info.halfLongNames[static_cast<std::size_t>(place.half)]);
    if (!half.isEmpty())
        parts << half;
    parts << roundPhrase(bracket, place.round);
    int inRound = 0;
    for (int other : bracket.tree().seriesOfRound(place.round))
        inRound += bracket.tree().series(other).half == place.half ? 1 : 0;
    if (inRound > 1)
        parts << QString("series %1").arg(place.indexInHalf);
    parts << position + " team";
    return capitalised(parts.join(", "));
}

// --- SlotLabel ---------------------------------------------------------------------------------------------

SlotLabel::SlotLabel(QWidget* parent) : QLabel(parent) {
    installAccessibility();
    setCursor(Qt::PointingHandCursor);
    setToolTip(kSlotHint);
    setFocusPolicy(Qt::StrongFocus);
}

void SlotLabel::mouseReleaseEvent(QMouseEvent* event) {
    QLabel::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit activated();
}

void SlotLabel::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter || event->key() == Qt::Key_Space) {
        emit activated();
        return;
    }
    QLabel::keyPressEvent(event);
}

// A slot reached from the keyboard is marked, so keyboard users see where Enter will play, and shows its
// tooltip (the series' games) as hovering does. The mark is a tinted, dashed outline in the selection colour,
// which no one takes for the champion's plain box; a slot clicked with the mouse gets none, since the click
// already played.
void SlotLabel::focusInEvent(QFocusEvent* event) {
    QLabel::focusInEvent(event);
    const Qt::FocusReason reason = event->reason();
    if (reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason || reason == Qt::ShortcutFocusReason)
        m_keyboardFocus = true;
    else if (reason == Qt::MouseFocusReason)
        m_keyboardFocus = false;
    update();
    if (reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason)
        QToolTip::showText(mapToGlobal(QPoint(0, height())), toolTip(), this);
}

void SlotLabel::focusOutEvent(QFocusEvent* event) {
    QLabel::focusOutEvent(event);
    // A menu or another window taking the focus for a while does not end keyboard use.
    if (event->reason() != Qt::PopupFocusReason && event->reason() != Qt::ActiveWindowFocusReason)
        m_keyboardFocus = false;
    update();
    QToolTip::hideText();
}

void SlotLabel::paintEvent(QPaintEvent* event) {
    const bool marked = showsKeyboardFocus();
    if (marked) {
        QPainter painter(this);
        QColor tint = palette().color(QPalette::Highlight);
        tint.setAlpha(48);
        painter.fillRect(rect(), tint);
    }
    const QRect room = contentsRect();
    if (fontMetrics().horizontalAdvance(text()) <= room.width()) {
        QLabel::paintEvent(event);
    } else {
        // A text wider than its place is first set a little smaller (a wider font than the bracket was drawn for
        // should not cost a name its end), and only cut short when even that is not enough.
        QPainter painter(this);
        drawFrame(&painter);
        painter.setPen(palette().color(foregroundRole()));
        QFont narrow = font();
        const double fit = std::max(0.6, 0.97 * room.width() / fontMetrics().horizontalAdvance(text()));
        if (narrow.pointSizeF() > 0)
            narrow.setPointSizeF(narrow.pointSizeF() * fit);
        else
            narrow.setPixelSize(std::max(1, int(narrow.pixelSize() * fit)));
        painter.setFont(narrow);
        painter.drawText(room, int(alignment()),
                         QFontMetrics(narrow).elidedText(text(), Qt::ElideRight, room.width()));
    }
    if (marked) {
        QPainter painter(this);
        QPen pen(palette().color(QPalette::Highlight), 1, Qt::DashLine);
        painter.setPen(pen);
        painter.drawRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), 3, 3);
    }
}

// --- HomeToggle --------------------------------------------------------------------------------------------

HomeToggle::HomeToggle(QWidget* parent) : QToolButton(parent) {
    setCheckable(true);
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_Hover); // redrawn as the pointer comes and goes
    setToolTip("Click to make this team the home team of its series");
}

void HomeToggle::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QPalette& colours = palette();
    const QColor window = colours.color(QPalette::Window);
    const QColor highlight = colours.color(QPalette::Highlight);
    const bool on = isChecked();

    QColor face = on ? highlight : colours.color(QPalette::Button);
    if (isDown())
        face = face.value() > 128 ? face.darker(112) : face.lighter(130);
    // The edge is what shows a toggle that is up, against the window it sits on.
    const QColor ink = colours.color(QPalette::WindowText);
    QColor edge = on ? standingOut(window, highlight, ink, kEdgeContrast)
                     : standingOut(window, colours.color(QPalette::Mid), ink, kEdgeContrast);
    if (underMouse() && !on)
        edge = standingOut(window, highlight, ink, kEdgeContrast);
    const QColor letter =
        on ? standingOut(face, colours.color(QPalette::HighlightedText), farthestFrom(face), kTextContrast)
           : standingOut(face, mixed(colours.color(QPalette::ButtonText), face, 0.45),
                         colours.color(QPalette::ButtonText), kTextContrast);

    // Hovering or the keyboard focus draws the edge in the highlight colour, and the focus a ring inside it.
    if (hasFocus())
        edge = standingOut(window, highlight, ink, kEdgeContrast);
    const double radius = std::max(2.0, height() * 0.18);
    const double edgeWidth = underMouse() || hasFocus() ? 2 : 1;
    const QRectF box = QRectF(rect()).adjusted(edgeWidth / 2, edgeWidth / 2, -edgeWidth / 2, -edgeWidth / 2);
    painter.setPen(QPen(edge, edgeWidth));
    painter.setBrush(face);
    painter.drawRoundedRect(box, radius, radius);
    if (hasFocus()) {
        painter.setPen(QPen(letter, std::max(1.0, height() / 14.0)));
        painter.setBrush(Qt::NoBrush);
        const double inset = std::max(2.0, height() * 0.12);
        painter.drawRoundedRect(box.adjusted(inset, inset, -inset, -inset), radius / 2, radius / 2);
    }
    QFont bold = font();
    bold.setBold(true);
    bold.setPixelSize(std::max(6, qRound(height() * 0.6)));
    painter.setFont(bold);
    painter.setPen(letter);
    painter.drawText(rect(), Qt::AlignCenter, "H");
}

// --- BracketView -------------------------------------------------------------------------------------------

BracketView::BracketView(const MainForm& model, const QImage& picture, QWidget* parent)
    : QWidget(parent), m_model(model), m_picture(picture) {
    setObjectName("Image1");
    setAccessibleName("Bracket");
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    makeWidgets(kMostSlots);
    m_baseFont = baseFont();
    rebuild();
    refresh();
}

BracketView::Shape BracketView::shapeOf(const Bracket& bracket) const {
    // The classic types share their tree, headings and names.
    return {&bracket.tree(), bracket.typeInfo().classic ? -1 : bracket.layoutType()};
}

void BracketView::makeWidgets(int slotCount) {
    for (int slot = static_cast<int>(m_slots.size()); slot <= slotCount; ++slot) {
        if (slot == 0) {
            m_slots.push_back(nullptr);
            m_winCounts.push_back(nullptr);
            m_buttons.assign(2, nullptr);
            continue;
        }
        auto* label = new SlotLabel(this);
        connect(label, &SlotLabel::activated, this, [this, slot] {
            if (slot <= m_model.bracket().teamSlotCount())
                emit slotActivated(slot);
        });
        connect(label, &QWidget::customContextMenuRequested, this, [this, slot, label](const QPoint& at) {
            if (slot <= m_model.bracket().teamSlotCount())
                emit slotMenuRequested(slot, label->mapToGlobal(at));
        });
        m_slots.push_back(label);

        auto* wins = new QLabel(this);
        wins->setAlignment(Qt::AlignCenter);
        m_winCounts.push_back(wins);

        auto* button = new HomeToggle(this);
        connect(button, &QToolButton::clicked, this, [this, slot] { emit homeButtonClicked(slot + 1); });
        m_buttons.push_back(button);
    }
}

void BracketView::rebuild() {
    const Bracket& bracket = m_model.bracket();
    m_shape = shapeOf(bracket);
    m_places.emplace(bracket);
    makeWidgets(bracket.slotCount());

    for (int slot = 1; slot < static_cast<int>(m_slots.size()); ++slot) {
        SlotLabel* label = m_slots[static_cast<std::size_t>(slot)];
        QLabel* wins = m_winCounts[static_cast<std::size_t>(slot)];
        HomeToggle* button = m_buttons[static_cast<std::size_t>(slot + 1)];
        const bool used = slot <= bracket.slotCount();
        const bool team = slot <= bracket.teamSlotCount();
        const QString where = used ? slotDescription(bracket, slot) : QString();

        label->setObjectName(used ? toQt(bracket.slotControl(slot)) : QString());
        label->setAccessibleName(where);
        const bool champion = slot == bracket.championSlot();
        label->setFrameStyle(champion ? QFrame::Box | QFrame::Plain : QFrame::NoFrame);
        label->setAlignment(champion                    ? Qt::AlignCenter
                            : bracket.onRightHalf(slot) ? Qt::AlignRight | Qt::AlignVCenter
                                                        : Qt::AlignLeft | Qt::AlignVCenter);
        label->setCursor(team ? Qt::PointingHandCursor : Qt::ArrowCursor);
        label->setToolTip(team ? kSlotHint : QString());
        label->setFocusPolicy(team ? Qt::StrongFocus : Qt::NoFocus);
        // Right click, or the menu key on a focused slot.
        label->setContextMenuPolicy(team ? Qt::CustomContextMenu : Qt::NoContextMenu);
        if (!used)
            label->hide();

        wins->setObjectName(team ? toQt(bracket.winCountControl(slot)) : QString());
        wins->setAccessibleName(team ? "Wins: " + where : QString());
        button->setObjectName(team ? QString("SpeedButton%1").arg(slot + 1) : QString());
        button->setAccessibleName(team ? "Home team: " + where : QString());
        if (!team) {
            wins->hide();
            button->hide();
        }
    }

    const auto& headings = m_places->headings();
    while (m_headings.size() < headings.size()) {
        auto* label = new QLabel(this);
        label->setAlignment(Qt::AlignCenter);
        m_headings.push_back(label);
    }
    for (std::size_t i = 0; i < m_headings.size(); ++i) {
        QLabel* label = m_headings[i];
        if (i >= headings.size()) {
            label->setObjectName({});
            label->hide();
            continue;
        }
        const layout::Heading& heading = headings[i];
        label->setText(toQt(heading.text));
        label->setObjectName(heading.label != 0  ? QString("Label%1").arg(heading.label)
                             : heading.round < 0 ? QString("ChampionHeading")
                                                 : QString("RoundHeading%1").arg(i + 1));
    }

    const auto& byes = m_places->byes();
    while (m_byes.size() < byes.size()) {
        auto* label = new QLabel("bye", this);
        label->setAlignment(Qt::AlignCenter);
        m_byes.push_back(label);
    }
    for (std::size_t i = 0; i < m_byes.size(); ++i) {
        QLabel* label = m_byes[i];
        if (i >= byes.size()) {
            label->setObjectName({});
            label->hide();
            continue;
        }
        const int slot = byes[i].slot;
        const int series = (slot + 1) / 2;
        label->setObjectName(QString("Bye%1").arg(slot));
        const PlayoffTypeInfo info = bracket.typeInfo();
        const int half = bracket.tree().series(series).half;
        QStringList where;
        if (half >= 0 && !info.halfLongNames[static_cast<std::size_t>(half)].empty())
            where << toQt(info.halfLongNames[static_cast<std::size_t>(half)]);
        where << roundPhrase(bracket, bracket.roundOf(series) - 1);
        label->setAccessibleName(capitalised(where.join(", ")) + ": bye for " +
                                 toQt(bracket.placeholder(slot)));
        label->setAlignment((bracket.onRightHalf(slot) ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter);
    }

    recolour();
    updateGeometry();
    place();
}

QFont BracketView::baseFont() const {
    // The label font the user chose, or the window's own while it is the one the program starts with.
    return m_model.labelFont() == FontChoice{} ? font() : toQt(m_model.labelFont());
}

double BracketView::leastScale() const {
    const double pixels =
        m_baseFont.pixelSize() > 0 ? m_baseFont.pixelSize() : m_baseFont.pointSizeF() * logicalDpiY() / 72.0;
    return std::max(1.0, pixels / kDesignTextPixels);
}

double BracketView::preferredScale() const {
    return std::max(leastScale(), kPreferredButtonPixels / m_places->homeButtonBox(1).height);
}

double BracketView::scale() const {
    return m_scale;
}

QSize BracketView::sizeHint() const {
    const double s = preferredScale();
    return {int(std::ceil(m_places->width() * s)), int(std::ceil(m_places->height() * s))};
}

QSize BracketView::minimumSizeHint() const {
    const double s = leastScale();
    return {int(std::ceil(m_places->width() * s)), int(std::ceil(m_places->height() * s))};
}

QRect BracketView::mapped(const layout::Box& box) const {
    const QPoint from = mapped(box.x, box.y), to = mapped(box.x + box.width, box.y + box.height);
    return QRect(from, QSize(to.x() - from.x(), to.y() - from.y()));
}

QPoint BracketView::mapped(int x, int y) const {
    return QPoint(int(std::lround(m_origin[0] + x * m_scale)), int(std::lround(m_origin[1] + y * m_scale)));
}

QPoint BracketView::pixelOf(int x, int y) const {
    // The middle pixel of the design pixel's scaled box, as the middle of a scaled box is taken: a line
    // through a box's middle stays in the middle at any scale.
    const QPoint from = mapped(x, y), to = mapped(x + 1, y + 1);
    return QPoint((from.x() + to.x() - 1) / 2, (from.y() + to.y() - 1) / 2);
}

void BracketView::place() {
    const double w = m_places->width(), h = m_places->height();
    m_scale = width() > 0 && height() > 0 ? std::min(width() / w, height() / h) : leastScale();
    m_origin[0] = std::max(0.0, (width() - w * m_scale) / 2);
    m_origin[1] = std::max(0.0, (height() - h * m_scale) / 2);

    const Bracket& bracket = m_model.bracket();
    const QFont text = scaledFont(m_baseFont, m_scale / leastScale());
    for (int slot = 1; slot <= bracket.slotCount(); ++slot) {
        SlotLabel* label = m_slots[static_cast<std::size_t>(slot)];
        label->setGeometry(mapped(m_places->nameBox(slot)));
        label->setFont(text);
        label->setLineWidth(std::max(1, int(m_scale)));
    }
    for (int slot = 1; slot <= bracket.teamSlotCount(); ++slot) {
        QLabel* wins = m_winCounts[static_cast<std::size_t>(slot)];
        wins->setGeometry(mapped(m_places->winCountBox(slot)));
        wins->setFont(text);
        m_buttons[static_cast<std::size_t>(slot + 1)]->setGeometry(mapped(m_places->homeButtonBox(slot)));
    }
    const auto& headings = m_places->headings();
    for (std::size_t i = 0; i < headings.size(); ++i) {
        m_headings[i]->setGeometry(mapped(headings[i].box));
        m_headings[i]->setFont(text);
    }
    QFont quiet = text;
    quiet.setItalic(true);
    const auto& byes = m_places->byes();
    for (std::size_t i = 0; i < byes.size(); ++i) {
        m_byes[i]->setGeometry(mapped(byes[i].box));
        m_byes[i]->setFont(quiet);
    }
    update();
}

void BracketView::recolour() {
    const QColor quiet = byeColour(palette());
    for (QLabel* label : m_byes) {
        QPalette colours = label->palette();
        colours.setColor(QPalette::WindowText, quiet);
        label->setPalette(colours);
    }
}

void BracketView::refresh() {
    const Bracket& bracket = m_model.bracket();
    if (shapeOf(bracket) != m_shape)
        rebuild();
    if (const QFont font = baseFont(); font != m_baseFont) {
        m_baseFont = font;
        updateGeometry();
        place();
    }

    const Journal& journal = m_model.journal().journal();
    for (int slot = 1; slot <= bracket.slotCount(); ++slot) {
        SlotLabel* label = m_slots[static_cast<std::size_t>(slot)];
        const QString team = toQt(bracket.slot(slot));
        label->setText(team);
        const auto series = bracket.seriesOfSlot(slot);
        const QString games = series ? toQt(seriesGames(journal, *series)) : QString();
        if (series) {
            label->setToolTip(games.isEmpty() ? kSlotHint : games);
            // The keyboard stops at the teams, not at the places still waiting for one.
            const bool named = !team.trimmed().isEmpty() && bracket.slot(slot) != bracket.placeholder(slot);
            label->setFocusPolicy(named ? Qt::StrongFocus : Qt::NoFocus);
        }
        label->setAccessibleDescription(games.isEmpty() ? team : team + "\n" + games);
        label->setVisible(bracket.slotShown(slot));
    }
    for (int slot = 1; slot <= bracket.teamSlotCount(); ++slot) {
        QLabel* wins = m_winCounts[static_cast<std::size_t>(slot)];
        wins->setText(toQt(bracket.winCount(slot)));
        wins->setAccessibleDescription(wins->text());
        wins->setVisible(bracket.slotShown(slot));
    }
    for (int number = kFirstHomeButton; number <= bracket.lastHomeButton(); ++number) {
        HomeToggle* button = m_buttons[static_cast<std::size_t>(number)];
        button->setChecked(bracket.speedButton(number).down);
        button->setVisible(bracket.speedButton(number).shown);
    }
    const auto& headings = m_places->headings();
    for (std::size_t i = 0; i < headings.size(); ++i)
        m_headings[i]->setVisible(m_places->headingShown(headings[i]));
    const auto& byes = m_places->byes();
    for (std::size_t i = 0; i < byes.size(); ++i)
        m_byes[i]->setVisible(bracket.slotShown(byes[i].slot));
    update();
}

void BracketView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QRect bracket = mapped(layout::Box{0, 0, m_places->width(), m_places->height()});
    if (m_model.Image1Visible() && !m_picture.isNull())
        painter.drawImage(bracket, m_picture);
    painter.setPen(QPen(lineColour(palette()), std::max(1, qRound(m_scale))));
    for (const layout::Segment& s : m_places->joiningLines())
        painter.drawLine(pixelOf(s.x1, s.y1), pixelOf(s.x2, s.y2));
}

void BracketView::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    place();
}

void BracketView::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::PaletteChange) {
        recolour();
    } else if (event->type() == QEvent::FontChange) {
        m_baseFont = baseFont();
        updateGeometry();
        place();
    }
}

} // namespace kivp::ui
