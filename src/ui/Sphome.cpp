#include "ui/Sphome.h"

#include "journal/GameLog.h"
#include "platform/JpegFile.h"
#include "ui/Accessibility.h"
#include "ui/BracketPainter.h"
#include "ui/BracketPrinter.h"
#include "ui/GameLogWindow.h"
#include "ui/QtText.h"
#include "ui/ReadableEdges.h"

#include <QAction>
#include <QBoxLayout>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QImageReader>
#include <QKeyEvent>
#include <QLayout>
#include <QMenuBar>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QStatusBar>
#include <QToolButton>
#include <QToolTip>

namespace kivp::ui {

namespace {

constexpr int kBracketTop = 44;

const char* const kSlotHint = "Once the teams are set up, click the team name to play a game in the series";

// The window draws the eight-team tree the bracket starts on.
const layout::BracketLayout& eightTeamPlaces() {
    static const Bracket eightTeams;
    static const layout::BracketLayout places(eightTeams);
    return places;
}
bool onRightHalf(int slot) { return eightTeamPlaces().onRightHalf(slot); }
QRect nameRect(int slot) { return qtRect(eightTeamPlaces().nameBox(slot)); }
QRect winCountRect(int slot) { return qtRect(eightTeamPlaces().winCountBox(slot)); }
QRect buttonRect(int slot) { return qtRect(eightTeamPlaces().homeButtonBox(slot)); }

// How screen readers and automation name each slot.
QString slotDescription(int slot) {
    if (slot == kChampionSlot)
        return "Champion";
    if (slot == 13 || slot == 14)
        return QString("Championship, %1 team").arg(slot == 13 ? "left" : "right");
    const int series = (slot + 1) / 2;
    const QString half = onRightHalf(slot) ? "right" : "left";
    const QString position = slot == Bracket::upperSlot(series) ? "upper" : "lower";
    if (slot >= 9)
        return QString("Semi final, %1 half, %2 team").arg(half, position);
    return QString("Round 1, %1 half, series %2, %3 team").arg(half).arg(series).arg(position);
}

int keyCodeOf(const QKeyEvent* event) { return event->key() == Qt::Key_F1 ? MainForm::kF1 : 0; }

// The team pickers of each half of the set-up area, in rank order: ComboBox3..6 then ComboBox14..17 on the
// left, ComboBox10..13 then ComboBox18..21 on the right.
constexpr int kPickersPerHalf = kPickerCount / 2;
int pickerOf(int side, int rank) {
    const int first = rank < 4 ? 4 * side + rank : 8 + 4 * side + rank - 4;
    return kPickerNumbers[static_cast<std::size_t>(first)];
}
bool onLeftHalf(int comboBox) {
    return comboBox <= 6 || (comboBox >= 14 && comboBox <= 17);
}

} // namespace

// The main window's client area: never smaller than its layout needs, nor than the size the model gives it.
// The layout needs more height as its wrapping captions take more lines at a narrower width, which a window's
// least size does not follow by itself.
class ClientArea : public QWidget {
public:
    ClientArea(std::function<QSize()> leastSize, QWidget* parent)
        : QWidget(parent), m_leastSize(std::move(leastSize)) {}
    QSize minimumSizeHint() const override {
        QSize least = QWidget::minimumSizeHint().expandedTo(m_leastSize());
        if (layout() && layout()->hasHeightForWidth())
            least.setHeight(
                std::max(least.height(), layout()->heightForWidth(std::max(width(), least.width()))));
        return least;
    }

protected:
    void resizeEvent(QResizeEvent* event) override {
        QWidget::resizeEvent(event);
        if (event->oldSize().width() != width())
            updateGeometry();
    }

private:
    std::function<QSize()> m_leastSize;
};

// The team folder on one line: a path too long for the room shows its start and its end with "..." between;
// its tooltip and screen readers have it whole.
class FolderLabel : public QLabel {
public:
    explicit FolderLabel(QWidget* parent) : QLabel(parent) {
        setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
        setIndent(4);
    }
    void setFolder(const QString& folder) {
        m_folder = folder;
        setToolTip(folder);
        setAccessibleDescription(folder);
        fit();
    }
    QSize minimumSizeHint() const override { return hint(16); }
    QSize sizeHint() const override { return hint(48); }

protected:
    void resizeEvent(QResizeEvent* event) override {
        QLabel::resizeEvent(event);
        fit();
    }

private:
    QSize hint(int characters) const {
        const int edges = 2 * (frameWidth() + margin());
        return {fontMetrics().averageCharWidth() * characters + indent() + edges,
                fontMetrics().height() + edges};
    }
    void fit() {
        const QString shown = fontMetrics().elidedText(m_folder, Qt::ElideMiddle,
                                                       contentsRect().width() - indent() - 2 * margin());
        if (shown != text())
            setText(shown);
    }
    QString m_folder;
};

// The bracket's background: the picture when one is shown, and the lines that join each series to the slot its
// winner moves to.
class BracketArea : public QWidget {
public:
    BracketArea(const MainForm& model, const QImage& picture, QWidget* parent)
        : QWidget(parent), m_model(model), m_picture(picture) {}

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        if (m_model.Image1Visible() && !m_picture.isNull())
            painter.drawImage(rect(), m_picture);
        paintJoiningLines(painter, m_model.bracket());
    }

private:
    const MainForm& m_model;
    const QImage& m_picture;
};

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

// A slot reached from the keyboard is marked, so keyboard users see where Enter will play, and shows its tooltip
// (the series' games) as hovering does. The mark is a tinted, dashed outline in the selection colour, which no one
// takes for the champion's plain box; a slot clicked with the mouse gets none, since the click already played.
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
    QLabel::paintEvent(event);
    if (marked) {
        QPainter painter(this);
        QPen pen(palette().color(QPalette::Highlight), 1, Qt::DashLine);
        painter.setPen(pen);
        painter.drawRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), 3, 3);
    }
}

TForm1::TForm1(MainForm& model, Prompts& prompts, QWidget* parent)
    : QMainWindow(parent), m_model(model), m_prompts(prompts) {
    setObjectName("TForm1");
    setWindowTitle(kProgramTitle);

    // Never smaller than the classic client area, with the set-up area closed or open, nor than its layout.
    m_client = new ClientArea([this] { return QSize(kClientWidth, m_model.clientHeight()); }, this);
    m_client->setObjectName("ClientArea");
    setCentralWidget(m_client);
    buildMenu();
    buildTopBar(m_client);
    buildBracket(m_client);
    buildTeamSetup(m_client);
    buildPlayMenus();
    layOut();
    refresh();
    restorePlacement();
}

void TForm1::layOut() {
    // The bracket's places are drawn for the labels' classic font; the rest of the window takes the user's.
    m_bracketArea->setFont(toQt(FontChoice{}));
    m_bracketArea->setMinimumSize(layout::kBracketWidth, layout::kBracketHeight);
    m_bracketArea->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    // The warning keeps its room while hidden, so the bracket does not jump when it comes and goes.
    QSizePolicy warning = m_updateOptionsLabel->sizePolicy();
    warning.setRetainSizeWhenHidden(true);
    m_updateOptionsLabel->setSizePolicy(warning);

    // The edges of the drop-downs stand out in any palette.
    QStyle* edges = readableEdges(this);
    for (QComboBox* box : {m_playoffTypeBox, m_playoffFormatBox})
        box->setStyle(edges);
    for (QComboBox* picker : m_pickers) {
        if (picker)
            picker->setStyle(edges);
    }

    auto* column = new QVBoxLayout(m_client);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    column->addWidget(m_topBar);
    column->addWidget(m_updateOptionsLabel);
    column->addWidget(m_bracketArea, 1);
    column->addWidget(m_teamSetup);
}

void TForm1::restorePlacement() {
    const auto& placement = m_model.windowPlacement();
    if (!placement)
        return;
    const QRect stored(placement->left, placement->top, placement->width, placement->height);
    // A place on a screen that is no longer there (or has shrunk) is not used: the window opens centred.
    const QPoint titleBar(stored.center().x(), stored.top() + 8);
    const QScreen* screen = QGuiApplication::screenAt(titleBar);
    if (!screen)
        return;
    setGeometry(QRect(stored.topLeft(), stored.size().boundedTo(screen->availableGeometry().size())));
    m_placed = true;
    if (placement->maximised)
        setWindowState(windowState() | Qt::WindowMaximized);
}

void TForm1::closeEvent(QCloseEvent* event) {
    // The place inside the frame as it is when not maximised, with the set-up area closed.
    const bool maximised = isMaximized();
    const QRect inside = maximised || isFullScreen() ? normalGeometry() : geometry();
    m_model.FormClose(
        {inside.x(), inside.y(), inside.width(), inside.height() - m_teamSetupExtra, maximised});
    QMainWindow::closeEvent(event);
}

void TForm1::handle(const std::function<void()>& handler) {
    const bool wasOpen = m_model.teamSetupOpen();
    const int heightBefore = height();
    // The model reports the errors it expects; nothing may escape into Qt's event loop all the same.
    try {
        handler();
    } catch (const Error& error) {
        m_prompts.report(error);
    } catch (const std::exception& error) {
        m_prompts.say(std::string("An unexpected error stopped the command: ") + error.what());
    }
    refresh();
    if (wasOpen != m_model.teamSetupOpen()) {
        fitTeamSetup(heightBefore);
        recentreVertically();
    }
}

void TForm1::fitTeamSetup(int before) {
    // The bracket keeps its size: the window grows by the set-up area and gives the room back when it closes.
    // A maximised window keeps its size, and the bracket gives the room.
    m_client->updateGeometry(); // its least size changed with the set-up area: the window takes it in now
    layout()->activate();
    if (isMaximized() || isFullScreen()) {
        m_teamSetupExtra = 0;
        return;
    }
    const int wanted =
        m_model.teamSetupOpen() ? before + m_teamSetup->sizeHint().height() : before - m_teamSetupExtra;
    const int after = std::max(wanted, minimumHeight());
    resize(width(), after);
    m_teamSetupExtra = m_model.teamSetupOpen() ? after - before : 0;
}

void TForm1::buildMenu() {
    auto add = [this](QMenu* menu, const char* name, const QString& caption, std::function<void()> handler) {
        auto* action = menu->addAction(caption);
        action->setObjectName(name);
        if (handler)
            connect(action, &QAction::triggered, this, [this, handler] { handle(handler); });
        return action;
    };
    auto separator = [](QMenu* menu, const char* name, bool shown) {
        auto* action = menu->addSeparator();
        action->setObjectName(name);
        action->setVisible(shown);
    };

    QMenu* file = menuBar()->addMenu("&File");
    file->setObjectName("File1");
    add(file, "SavePlayoff1", "&Save Playoff", [this] {
        m_model.Button6Click();
    })->setShortcut(QKeySequence("Ctrl+S"));
    add(file, "SavePlayoffAs1", "Save Playoff &As...", [this] {
        m_model.SavePlayoffAs1Click();
    })->setShortcut(QKeySequence("Ctrl+Shift+S"));
    add(file, "LoadPlayoff1", "&Load Playoff", [this] {
        m_model.Button7Click();
    })->setShortcut(QKeySequence("Ctrl+O"));
    separator(file, "N6", true);
    add(file, "ExporttoHTML1", "Export to &HTML", [this] { m_model.ExporttoHTML1Click(); });
    add(file, "ExportReport1", "Export &Report...", [this] { m_model.ExportReport1Click(); });
    separator(file, "N7", true);
    add(file, "PrintPreview1", "Print Pre&view...", [this] {
        if (const auto where = BracketPrinter::preview(m_model, this))
            m_model.bracketPrinted(*where);
    });
    add(file, "PrintBracket1", "&Print Bracket...", [this] {
        if (const auto where = BracketPrinter::printWithDialog(m_model, this))
            m_model.bracketPrinted(*where);
    });
    separator(file, "N2", true);
    add(file, "ResetForm1", "Reset &Form", [this] { m_model.Button4Click(); });
    separator(file, "N1", true);
    add(file, "Exit1", "E&xit", [this] { m_model.Exit1Click(); })->setShortcut(QKeySequence("Ctrl+Q"));

    QMenu* edit = menuBar()->addMenu("&Edit");
    edit->setObjectName("Edit1");
    m_undoGame = add(edit, "UndoGame1", "&Undo Game", [this] { m_model.UndoGame1Click(); });
    m_undoGame->setShortcut(QKeySequence("Ctrl+Z"));
    m_redoGame = add(edit, "RedoGame1", "&Redo Game", [this] { m_model.RedoGame1Click(); });
    m_redoGame->setShortcut(QKeySequence("Ctrl+Shift+Z"));
    separator(edit, "N7", true);
    add(edit, "GameLog1", "Game &Log", [this] { m_model.GameLog1Click(); })->setShortcut(QKeySequence("Ctrl+L"));

    QMenu* setup = menuBar()->addMenu("&Setup");
    setup->setObjectName("Setup1");
    add(setup, "Teams1", "&Teams", [this] { m_model.Button1Click(); });
    add(setup, "Options1", "&Options", [this] { m_model.Button5Click(); });
    separator(setup, "N4", false);
    add(setup, "UseKIVv361", "Use KIV v&3.6", nullptr)->setVisible(false);
    add(setup, "UseKIVv401", "Use KIV v&4.0", nullptr)->setVisible(false);
    separator(setup, "N5", true);
    m_showPicture = add(setup, "ShowPicture1", "&Show Picture", [this] { m_model.ShowPicture1Click(); });
    m_showPicture->setCheckable(true);
    m_loadPicture = add(setup, "LoadPicture1", "&Load Picture", [this] { m_model.LoadPicture1Click(); });
    m_changeLabelFont =
        add(setup, "ChangeLabelFont1", "Change Label &Font", [this] { m_model.ChangeLabelFont1Click(); });

    QMenu* help = menuBar()->addMenu("&Help");
    help->setObjectName("Help1");
    // F1 opens the help when it is released (see keyReleaseEvent); the item only names the key.
    add(help, "Contents1", "&Contents\tF1", [this] { m_model.Contents1Click(); });
    separator(help, "N3", true);
    add(help, "About1", "&About", [this] { m_model.Button3Click(); });
}

void TForm1::buildPlayMenus() {
    // Setup > Home Pattern, after Options.
    QMenu* setup = menuBar()->findChild<QMenu*>("Setup1");
    QMenu* patterns = new QMenu("Home &Pattern", setup);
    patterns->setObjectName("HomePattern1");
    setup->insertMenu(setup->actions().value(2), patterns);
    // Each item's access key (its place in the caption), one that no other item of the menu uses.
    const struct {
        HomePattern pattern;
        const char* name;
        int key; // the position of the access key in the caption
    } items[] = {{HomePattern::EveryGame, "HomePatternEveryGame", 0},
                 {HomePattern::TwoThreeTwo, "HomePattern232", 2},
                 {HomePattern::TwoTwoOneOneOne, "HomePattern22111", 19},
                 {HomePattern::TwoTwoOne, "HomePattern221", 15},
                 {HomePattern::OneOneOne, "HomePattern111", 0}};
    for (const auto& [pattern, name, key] : items) {
        const int length = seriesLengthOf(pattern);
        QString caption = toQt(std::string(homePatternName(pattern)));
        if (length != 0)
            caption += QString(" (best of %1)").arg(length);
        caption.insert(key, QLatin1Char('&'));
        auto* action = patterns->addAction(caption);
        action->setObjectName(name);
        action->setCheckable(true);
        connect(action, &QAction::triggered, this,
                [this, pattern] { handle([this, pattern] { m_model.HomePatternClick(pattern); }); });
        m_homePatternItems.emplace_back(pattern, action);
        if (pattern == HomePattern::EveryGame)
            patterns->addSeparator();
    }

    // The Play menu plays from the current round; a slot's context menu from its own series.
    QMenu* play = new QMenu("&Play", this);
    play->setObjectName("Play1");
    menuBar()->insertMenu(menuBar()->findChild<QMenu*>("Help1")->menuAction(), play);
    auto add = [this](QMenu* menu, const char* name, const char* caption, const QKeySequence& keys,
                      std::function<void()> handler) {
        auto* action = menu->addAction(caption);
        action->setObjectName(name);
        action->setShortcut(keys);
        connect(action, &QAction::triggered, this, [this, handler] { handle(handler); });
    };
    add(play, "PlayNextGame1", "Play &Next Game", QKeySequence(Qt::CTRL | Qt::Key_G),
        [this] { m_model.PlayNextGameClick(0); });
    add(play, "PlayRestOfRound1", "Play Rest of &Round", QKeySequence(Qt::CTRL | Qt::Key_R),
        [this] { m_model.PlayRestOfRoundClick(0); });
    add(play, "PlayToChampion1", "Play to &Champion", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_R),
        [this] { m_model.PlayToChampionClick(); });

    m_slotMenu = new QMenu(this);
    m_slotMenu->setObjectName("SlotMenu");
    // Enter on a focused slot plays its next game already; the menu only names the key.
    add(m_slotMenu, "SlotPlayNextGame", "Play &Next Game\tEnter", {},
        [this] { m_model.PlayNextGameClick(m_menuSlot); });
    add(m_slotMenu, "SlotPlayRestOfSeries", "Play Rest of &Series", {},
        [this] { m_model.PlayRestOfSeriesClick(m_menuSlot); });
    add(m_slotMenu, "SlotPlayRestOfRound", "Play Rest of &Round", {},
        [this] { m_model.PlayRestOfRoundClick(m_menuSlot); });
    add(m_slotMenu, "SlotPlayToChampion", "Play to &Champion", {}, [this] { m_model.PlayToChampionClick(); });

    m_statusLine = new QLabel(this);
    m_statusLine->setObjectName("StatusLine");
    m_statusLine->setAccessibleName("Status");
    // A long report takes a second line rather than losing its end at the window's edge. The room for it is
    // kept, so the window does not change its height from one game to the next.
    m_statusLine->setWordWrap(true);
    m_statusLine->setMinimumHeight(2 * m_statusLine->fontMetrics().lineSpacing() + 2);
    statusBar()->addWidget(m_statusLine, 1);
    statusBar()->setSizeGripEnabled(false);
}

void TForm1::buildTopBar(QWidget* client) {
    m_topBar = new QWidget(client);
    m_topBar->setObjectName("TopBar");
    auto* label3 = new QLabel("Playoff Type", m_topBar);
    label3->setObjectName("Label3");
    m_playoffTypeBox = new QComboBox(m_topBar);
    m_playoffTypeBox->setObjectName("PlayoffTypeBox");
    keepRoleName(m_playoffTypeBox);
    m_playoffTypeBox->setAccessibleName("Playoff Type");
    // The window draws the eight-team tree only, for now: the types on larger trees are not offered yet.
    for (int type = 0; type < kClassicTypeCount; ++type)
        m_playoffTypeBox->addItem(toQt(playoffTypeItems()[static_cast<std::size_t>(type)]));
    connect(m_playoffTypeBox, &QComboBox::activated, this, [this](int index) {
        // Picking the type already shown is not a change.
        if (index != m_model.bracket().playoffTypeIndex())
            handle([this, index] { m_model.PlayoffTypeBoxChange(index); });
    });
    m_playoffTypeBox->installEventFilter(this);

    auto* label2 = new QLabel("Format", m_topBar);
    label2->setObjectName("Label2");
    m_playoffFormatBox = new QComboBox(m_topBar);
    m_playoffFormatBox->setObjectName("PlayoffFormatBox");
    keepRoleName(m_playoffFormatBox);
    m_playoffFormatBox->setAccessibleName("Format");
    connect(m_playoffFormatBox, &QComboBox::activated, this,
            [this](int index) { handle([this, index] { m_model.PlayoffFormatBoxChange(index); }); });
    m_playoffFormatBox->installEventFilter(this);

    m_homePatternLabel = new QLabel(m_topBar);
    m_homePatternLabel->setObjectName("HomePatternLabel");
    m_homePatternLabel->setAccessibleName("Home pattern");
    // A long note of patterns takes a second line rather than widening the window.
    m_homePatternLabel->setWordWrap(true);

    // The drop-downs keep their width as their items change with the type, unless an item needs more.
    for (QComboBox* box : {m_playoffTypeBox, m_playoffFormatBox}) {
        box->setSizeAdjustPolicy(QComboBox::AdjustToContents);
        box->setMinimumContentsLength(9);
    }
    auto* bar = new QHBoxLayout(m_topBar);
    bar->addWidget(label3);
    bar->addWidget(m_playoffTypeBox);
    bar->addSpacing(bar->spacing() * 3);
    bar->addWidget(label2);
    bar->addWidget(m_playoffFormatBox);
    bar->addSpacing(bar->spacing() * 3);
    bar->addWidget(m_homePatternLabel, 1);
    setTabOrder(m_playoffTypeBox, m_playoffFormatBox);

    m_updateOptionsLabel =
        new QLabel("Home/Away Changed!  Please update options before playing games!", client);
    m_updateOptionsLabel->setObjectName("UpdateOptionsLabel");
    m_updateOptionsLabel->setAlignment(Qt::AlignCenter);
    m_updateOptionsLabel->setAutoFillBackground(true);
    QPalette yellow = m_updateOptionsLabel->palette();
    yellow.setColor(QPalette::Window, Qt::yellow);
    yellow.setColor(QPalette::WindowText, Qt::black);
    m_updateOptionsLabel->setPalette(yellow);
    m_updateOptionsLabel->setWordWrap(true);
    m_updateOptionsLabel->setMargin(2);
}

void TForm1::buildBracket(QWidget* client) {
    m_bracketArea = new BracketArea(m_model, m_picture, client);
    m_bracketArea->setObjectName("Image1");
    m_bracketArea->setAccessibleName("Bracket");
    m_bracketArea->setGeometry(0, kBracketTop, layout::kBracketWidth, layout::kBracketHeight);

    auto heading = [&](int number, const char* text, QRect where) {
        auto* label = new QLabel(text, m_bracketArea);
        label->setObjectName(QString("Label%1").arg(number));
        label->setAlignment(Qt::AlignCenter);
        label->setGeometry(where);
        m_headings[static_cast<std::size_t>(number)] = label;
    };
    for (const layout::Heading& h : eightTeamPlaces().headings())
        heading(h.label, h.text.c_str(), qtRect(h.box));

    for (int slot = 1; slot <= kSlotCount; ++slot) {
        auto* label = new SlotLabel(m_bracketArea);
        label->setObjectName(toQt(m_model.bracket().slotControl(slot)));
        label->setGeometry(nameRect(slot));
        label->setAccessibleName(slotDescription(slot));
        if (slot == kChampionSlot) {
            label->setAlignment(Qt::AlignCenter);
            label->setFrameStyle(QFrame::Box | QFrame::Plain);
            label->setCursor(Qt::ArrowCursor);
            label->setToolTip({});
            label->setFocusPolicy(Qt::NoFocus);
        } else {
            label->setAlignment((onRightHalf(slot) ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter);
            connect(label, &SlotLabel::activated, this,
                    [this, slot] { handle([this, slot] { m_model.Label9Click(slot); }); });
            // Right click, or the menu key on a focused slot.
            label->setContextMenuPolicy(Qt::CustomContextMenu);
            connect(label, &QWidget::customContextMenuRequested, this, [this, slot, label](const QPoint& at) {
                m_menuSlot = slot;
                m_slotMenu->popup(label->mapToGlobal(at));
            });
        }
        m_slots[static_cast<std::size_t>(slot)] = label;
    }
    for (int slot = 1; slot <= kTeamSlotCount; ++slot) {
        auto* label = new QLabel(m_bracketArea);
        label->setObjectName(toQt(m_model.bracket().winCountControl(slot)));
        label->setAlignment(Qt::AlignCenter);
        label->setGeometry(winCountRect(slot));
        label->setAccessibleName("Wins: " + slotDescription(slot));
        m_winCounts[static_cast<std::size_t>(slot)] = label;

        const int number = slot + 1;
        auto* button = new QToolButton(m_bracketArea);
        button->setObjectName(QString("SpeedButton%1").arg(number));
        button->setCheckable(true);
        button->setGeometry(buttonRect(slot));
        button->setText("H");
        // A home button that is down reads as "home" at a glance: white on green.
        button->setStyleSheet("QToolButton { border: 1px solid #808080; border-radius: 2px; background: white;"
                              " color: #b0b0b0; font: bold 7pt; padding: 0px; }"
                              "QToolButton:checked { background: #2e7d32; color: white; border-color: #1b5e20; }");
        button->setToolTip("Click to make this team the home team of its series");
        button->setAccessibleName("Home team: " + slotDescription(slot));
        connect(button, &QToolButton::clicked, this,
                [this, number] { handle([this, number] { m_model.SpeedButton2Click(number); }); });
        m_buttons[static_cast<std::size_t>(number)] = button;
    }
}

void TForm1::buildTeamSetup(QWidget* client) {
    m_teamSetup = new QWidget(client);
    m_teamSetup->setObjectName("TeamSetupArea");

    auto* label31 = new QLabel("Team .DAT directory", m_teamSetup);
    label31->setObjectName("Label31");
    m_label32 = new FolderLabel(m_teamSetup);
    m_label32->setObjectName("Label32");
    m_label32->setAccessibleName("Team .DAT directory");
    m_label32->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    auto* speedButton1 = new QToolButton(m_teamSetup);
    speedButton1->setObjectName("SpeedButton1");
    speedButton1->setText("...");
    speedButton1->setAccessibleName("Choose the team .DAT directory");
    speedButton1->setToolTip("Choose the folder that holds your KIV .dat team files");
    connect(speedButton1, &QToolButton::clicked, this, [this] { handle([this] { m_model.SpeedButton1Click(); }); });
    auto* folderRow = new QHBoxLayout;
    folderRow->addWidget(label31);
    folderRow->addWidget(m_label32, 1);
    folderRow->addWidget(speedButton1);

    // Each half's pickers in rank order down a column: the first four, of the classic types, then the four
    // more a larger field takes in a second column beside them, so the area grows wider rather than taller
    // than a screen. Pickers not in play are hidden and take no room.
    auto* halvesRow = new QHBoxLayout;
    QWidget* previous = speedButton1;
    for (int side = 0; side < 2; ++side) {
        auto* group = new QGroupBox(side == 0 ? "Left half of the bracket" : "Right half of the bracket",
                                    m_teamSetup);
        group->setObjectName(side == 0 ? "LeftHalfGroup" : "RightHalfGroup");
        auto* grid = new QGridLayout(group);
        for (int rank = 0; rank < kPickersPerHalf; ++rank) {
            const int comboBox = pickerOf(side, rank);
            auto* caption = new QLabel(group);
            caption->setObjectName(QString("Label%1").arg(captionLabelOf(comboBox)));
            m_pickerCaptions[static_cast<std::size_t>(captionLabelOf(comboBox))] = caption;
            auto* picker = new QComboBox(group);
            picker->setObjectName(QString("ComboBox%1").arg(comboBox));
            keepRoleName(picker);
            picker->setSizeAdjustPolicy(QComboBox::AdjustToContents);
            picker->setMinimumContentsLength(9); // a team name has up to eight letters
            picker->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
            caption->setBuddy(picker);
            connect(picker, &QComboBox::activated, this,
                    [this, comboBox](int index) { handle([this, comboBox, index] {
                        m_model.choosePicker(comboBox, index);
                    }); });
            m_pickers[static_cast<std::size_t>(comboBox)] = picker;
            grid->addWidget(caption, rank % 4, rank / 4 * 2);
            grid->addWidget(picker, rank % 4, rank / 4 * 2 + 1);
            setTabOrder(previous, picker);
            previous = picker;
        }
        halvesRow->addWidget(group, 1);
    }

    auto* done = new QPushButton("Done", m_teamSetup);
    done->setObjectName("Button2");
    connect(done, &QPushButton::clicked, this, [this] { handle([this] { m_model.Button2Click(); }); });
    auto* cancel = new QPushButton("Cancel", m_teamSetup);
    cancel->setObjectName("Button8");
    connect(cancel, &QPushButton::clicked, this, [this] { handle([this] { m_model.Button8Click(); }); });
    setTabOrder(previous, done);
    setTabOrder(done, cancel);
    auto* buttonRow = new QHBoxLayout;
    buttonRow->addStretch(1);
    buttonRow->addWidget(done);
    buttonRow->addWidget(cancel);
    buttonRow->addStretch(1);

    auto* area = new QVBoxLayout(m_teamSetup);
    area->addLayout(folderRow);
    area->addLayout(halvesRow);
    area->addLayout(buttonRow);
}

void TForm1::refresh() {
    const Bracket& bracket = m_model.bracket();

    m_playoffTypeBox->setCurrentIndex(bracket.playoffTypeIndex());
    QStringList formats;
    for (const auto& item : bracket.formatItems())
        formats << toQt(item);
    QStringList shown;
    for (int i = 0; i < m_playoffFormatBox->count(); ++i)
        shown << m_playoffFormatBox->itemText(i);
    if (shown != formats) {
        m_playoffFormatBox->clear();
        m_playoffFormatBox->addItems(formats);
    }
    m_playoffFormatBox->setCurrentIndex(bracket.formatIndex());
    m_updateOptionsLabel->setVisible(bracket.updateOptionsLabel());
    m_homePatternLabel->setText(toQt(m_model.homePatternCaption()));
    m_homePatternLabel->setToolTip(m_homePatternLabel->text() +
                                   "\nSetup > Home Pattern chooses who hosts each game");
    for (const auto& [pattern, item] : m_homePatternItems) {
        const HomePatterns& patterns = m_model.homePatterns();
        const int length = seriesLengthOf(pattern);
        item->setChecked(length == 0 ? patterns.everyGameThroughout()
                                     : patterns.forLength(length) == pattern);
    }
    m_statusLine->setText(toQt(m_model.statusLine()));

    const Journal& journal = m_model.journal().journal();
    for (int slot = 1; slot <= kSlotCount; ++slot) {
        auto* label = m_slots[static_cast<std::size_t>(slot)];
        label->setText(toQt(bracket.slot(slot)));
        const auto series = bracket.seriesOfSlot(slot);
        const QString games = series ? toQt(seriesGames(journal, *series)) : QString();
        if (series)
            label->setToolTip(games.isEmpty() ? kSlotHint : games);
        label->setAccessibleDescription(games.isEmpty() ? label->text() : label->text() + "\n" + games);
        label->setVisible(bracket.slotShown(slot));
    }
    for (int slot = 1; slot <= kTeamSlotCount; ++slot) {
        auto* label = m_winCounts[static_cast<std::size_t>(slot)];
        label->setText(toQt(bracket.winCount(slot)));
        label->setAccessibleDescription(label->text());
        label->setVisible(bracket.slotShown(slot));
    }
    for (int number = kFirstHomeButton; number <= kLastHomeButton; ++number) {
        auto* button = m_buttons[static_cast<std::size_t>(number)];
        button->setChecked(bracket.speedButton(number).down);
        button->setVisible(bracket.speedButton(number).shown);
    }
    for (int number : {4, 5, 6, 7, 8, 33})
        m_headings[static_cast<std::size_t>(number)]->setVisible(bracket.headingShown(number));

    m_teamSetup->setVisible(m_model.teamSetupOpen());
    m_label32->setFolder(toQt(m_model.Label32()));
    QStringList teams;
    for (const auto& team : m_model.teamItems())
        teams << toQt(team);
    for (int comboBox : kPickerNumbers) {
        auto* picker = m_pickers[static_cast<std::size_t>(comboBox)];
        if (!picker)
            continue;
        QStringList items;
        for (int i = 0; i < picker->count(); ++i)
            items << picker->itemText(i);
        if (items != teams) {
            picker->clear();
            picker->addItems(teams);
        }
        picker->setCurrentIndex(m_model.picker(comboBox).itemIndex);
        picker->setVisible(bracket.pickerShown(comboBox));
        auto* caption = m_pickerCaptions[static_cast<std::size_t>(captionLabelOf(comboBox))];
        caption->setText(toQt(bracket.pickerCaption(comboBox)));
        caption->setVisible(bracket.pickerCaptionShown(captionLabelOf(comboBox)));
        picker->setAccessibleName(caption->text() + (onLeftHalf(comboBox) ? ", left half" : ", right half"));
    }

    m_showPicture->setChecked(m_model.ShowPicture1Checked());
    m_loadPicture->setEnabled(m_model.LoadPicture1Enabled());
    m_changeLabelFont->setEnabled(m_model.ChangeLabelFont1Enabled());
    refreshEditCommands();
    if (m_gameLog)
        m_gameLog->setLog(toQt(gameLogText(journal)));
    updatePicture();
    updateLabelFont();
    m_bracketArea->update();
}

void TForm1::refreshEditCommands() {
    m_undoGame->setEnabled(m_model.UndoGame1Enabled());
    m_redoGame->setEnabled(m_model.RedoGame1Enabled());
}

// The "Playing game..." window blocks this one while the handler that opened it runs, and the window is
// redrawn only when that handler ends: without this, Undo and Redo would read as usable all through the game.
bool TForm1::event(QEvent* event) {
    if (event->type() == QEvent::WindowBlocked)
        refreshEditCommands();
    return QMainWindow::event(event);
}

void TForm1::showGameLog() {
    if (!m_gameLog)
        m_gameLog = new GameLogWindow(this);
    m_gameLog->setLog(toQt(gameLogText(m_model.journal().journal())));
    m_gameLog->showLog();
}

void TForm1::updatePicture() {
    if (m_model.picturePath() == m_picturePath)
        return;
    m_picturePath = m_model.picturePath();
    QImage image;
    std::string refusal;
    if (looksLikeJpeg(m_picturePath)) {
        if (auto decoded = decodeJpegFile(m_picturePath, &refusal)) {
            image = QImage(decoded->pixels.data(), decoded->width, decoded->height, decoded->width * 3,
                           QImage::Format_RGB888)
                        .copy();
        }
    } else {
        QImageReader reader(toQt(m_picturePath));
        const QSize size = reader.size();
        if (auto problem = pictureSizeProblem(m_picturePath, size.width(), size.height()))
            refusal = *problem;
        else
            image = reader.read();
    }
    if (image.isNull()) {
        m_prompts.say(refusal.empty() ? "The picture " + m_picturePath + " could not be loaded." : refusal);
        return;
    }
    m_picture = image;
}

void TForm1::updateLabelFont() {
    if (m_model.labelFont() == m_appliedFont)
        return;
    m_appliedFont = m_model.labelFont();
    const QFont font = toQt(m_appliedFont);
    for (int number : {4, 5, 6, 7, 8, 33})
        m_headings[static_cast<std::size_t>(number)]->setFont(font);
    for (int slot = 1; slot <= kSlotCount; ++slot)
        m_slots[static_cast<std::size_t>(slot)]->setFont(font);
    for (int slot = 1; slot <= kTeamSlotCount; ++slot)
        m_winCounts[static_cast<std::size_t>(slot)]->setFont(font);
}

void TForm1::recentreVertically() {
    if (isMaximized() || isFullScreen())
        return;
    // The window takes its new height now, not when the event loop gets to it, so the centring uses it.
    layout()->activate();
    if (const QScreen* screen = this->screen()) {
        // Centred in the room the screen leaves beside its panels, the title bar never above the top.
        const QRect area = screen->availableGeometry();
        move(x(), std::max(area.top(), area.top() + (area.height() - frameGeometry().height()) / 2));
    }
}

void TForm1::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (m_shownOnce)
        return;
    m_shownOnce = true;
    m_model.FormShow();
    refresh();
    if (m_placed)
        return;
    // Wide enough for the top bar on one line, however long the note of home patterns is.
    m_homePatternLabel->setWordWrap(false);
    const QSize oneLine = sizeHint();
    m_homePatternLabel->setWordWrap(true);
    resize(oneLine.expandedTo(minimumSize()));
    if (const QScreen* screen = this->screen()) {
        const QRect area = screen->availableGeometry();
        move(area.x() + std::max(0, (area.width() - frameGeometry().width()) / 2),
             area.y() + std::max(0, (area.height() - frameGeometry().height()) / 2));
    }
}

void TForm1::keyReleaseEvent(QKeyEvent* event) {
    m_model.FormKeyUp(keyCodeOf(event));
    QMainWindow::keyReleaseEvent(event);
}

bool TForm1::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyRelease && (watched == m_playoffTypeBox || watched == m_playoffFormatBox)) {
        const int keyCode = keyCodeOf(static_cast<QKeyEvent*>(event));
        m_model.FormKeyUp(keyCode);
        if (keyCode == MainForm::kF1)
            return true; // handled here, not again by the window
    }
    return QMainWindow::eventFilter(watched, event);
}

} // namespace kivp::ui
