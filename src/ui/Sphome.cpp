#include "ui/Sphome.h"

#include "journal/GameLog.h"
#include "platform/JpegFile.h"
#include "ui/Accessibility.h"
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
#include <QPushButton>
#include <QScreen>
#include <QStatusBar>
#include <QToolButton>
#include <algorithm>

namespace kivp::ui {

namespace {

int keyCodeOf(const QKeyEvent* event) { return event->key() == Qt::Key_F1 ? MainForm::kF1 : 0; }

// Pickers a column of a group holds; a group's eight ranks take two columns side by side, so the set-up area
// grows wider rather than taller than a screen.
constexpr int kPickersPerColumn = 4;

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
        if (const QLayout* column = layout(); column && column->hasHeightForWidth()) {
            // Each part at its least height, a wrapping one at the height its lines take at this width.
            const int width = std::max(this->width(), least.width());
            int height = 0, parts = 0;
            for (int i = 0; i < column->count(); ++i) {
                const QLayoutItem* item = column->itemAt(i);
                if (item->isEmpty())
                    continue;
                const int itemHeight = item->minimumSize().height();
                height += item->hasHeightForWidth() ? std::max(itemHeight, item->heightForWidth(width))
                                                    : itemHeight;
                ++parts;
            }
            const QMargins margins = column->contentsMargins();
            height += margins.top() + margins.bottom() + std::max(0, parts - 1) * column->spacing();
            least.setHeight(std::max(least.height(), height));
        }
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
    fitBracket();
}

QSize TForm1::roomOnScreen() const {
    const QScreen* screen = this->screen();
    if (!screen)
        return {QWIDGETSIZE_MAX, QWIDGETSIZE_MAX};
    return screen->availableGeometry().size() - (frameGeometry().size() - size());
}

void TForm1::fitBracket() {
    const QSize hint = m_bracketArea->sizeHint();
    if (hint == m_bracketHint)
        return;
    m_bracketHint = hint;
    if (!isVisible() || isMaximized() || isFullScreen())
        return;
    layout()->activate();
    const QSize more = (hint - m_bracketArea->size()).expandedTo(QSize(0, 0));
    if (more.isNull())
        return;
    // Within the screen: the bracket takes a smaller scale rather than the window growing past it.
    resize((size() + more).boundedTo(roomOnScreen()).expandedTo(minimumSize()));
    if (const QScreen* screen = this->screen()) {
        const QRect area = screen->availableGeometry();
        const QRect frame = frameGeometry();
        const int left = std::max(area.left(), std::min(frame.left(), area.right() + 1 - frame.width()));
        const int top = std::max(area.top(), std::min(frame.top(), area.bottom() + 1 - frame.height()));
        move(pos() + QPoint(left - frame.left(), top - frame.top()));
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
    add(setup, "CustomBracket1", "&Custom Bracket...", [this] { m_model.CustomBracket1Click(); });
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
    m_statusLine->setFixedHeight(2 * m_statusLine->fontMetrics().lineSpacing() + 2);
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
    for (const std::string& type : playoffTypeItems())
        m_playoffTypeBox->addItem(toQt(type));
    connect(m_playoffTypeBox, &QComboBox::activated, this, [this](int index) {
        // Picking the type already shown is not a change, but picking Custom again asks for another field.
        if (index != m_model.bracket().playoffTypeIndex() || index == kCustomType)
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
    m_bracketArea = new BracketView(m_model, m_picture, client);
    connect(m_bracketArea, &BracketView::slotActivated, this,
            [this](int slot) { handle([this, slot] { m_model.Label9Click(slot); }); });
    connect(m_bracketArea, &BracketView::slotMenuRequested, this, [this](int slot, const QPoint& at) {
        m_menuSlot = slot;
        m_slotMenu->popup(at);
    });
    connect(m_bracketArea, &BracketView::homeButtonClicked, this,
            [this](int number) { handle([this, number] { m_model.SpeedButton2Click(number); }); });
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

    // The pickers go into the two groups as the bracket's field needs them: placePickers().
    auto* halvesRow = new QHBoxLayout;
    for (int side = 0; side < 2; ++side) {
        auto* group = new QGroupBox(m_teamSetup);
        group->setObjectName(side == 0 ? "LeftHalfGroup" : "RightHalfGroup");
        m_pickerGroups[static_cast<std::size_t>(side)] = group;
        m_pickerGrids[static_cast<std::size_t>(side)] = new QGridLayout(group);
        halvesRow->addWidget(group, 1);
    }
    for (int comboBox : kPickerNumbers) {
        auto* caption = new QLabel(m_teamSetup);
        caption->setObjectName(QString("Label%1").arg(captionLabelOf(comboBox)));
        m_pickerCaptions[static_cast<std::size_t>(captionLabelOf(comboBox))] = caption;
        auto* picker = new QComboBox(m_teamSetup);
        picker->setObjectName(QString("ComboBox%1").arg(comboBox));
        keepRoleName(picker);
        picker->setSizeAdjustPolicy(QComboBox::AdjustToContents);
        picker->setMinimumContentsLength(9); // a team name has up to eight letters
        picker->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
        caption->setBuddy(picker);
        connect(picker, &QComboBox::activated, this, [this, comboBox](int index) {
            handle([this, comboBox, index] { m_model.choosePicker(comboBox, index); });
        });
        m_pickers[static_cast<std::size_t>(comboBox)] = picker;
    }

    auto* done = new QPushButton("Done", m_teamSetup);
    done->setObjectName("Button2");
    connect(done, &QPushButton::clicked, this, [this] { handle([this] { m_model.Button2Click(); }); });
    auto* cancel = new QPushButton("Cancel", m_teamSetup);
    cancel->setObjectName("Button8");
    connect(cancel, &QPushButton::clicked, this, [this] { handle([this] { m_model.Button8Click(); }); });
    m_setupButtons = {done, cancel};
    // Beside the pickers rather than below them, so the area takes no more height than they need.
    auto* buttons = new QVBoxLayout;
    buttons->addSpacing(done->fontMetrics().lineSpacing());
    buttons->addWidget(done);
    buttons->addWidget(cancel);
    buttons->addStretch(1);
    halvesRow->addLayout(buttons);

    auto* area = new QVBoxLayout(m_teamSetup);
    area->addLayout(folderRow);
    area->addLayout(halvesRow);
}

void TForm1::placePickers() {
    const Bracket& bracket = m_model.bracket();
    const int halves = bracket.tree().halves();
    // A half's teams go down its group by rank; a field of one half fills the first group, then the second.
    std::vector<std::pair<int, int>> places(kPickerCount, {0, 0});
    for (int half = 0; half < halves; ++half) {
        for (int rank = 1; rank <= kPickerCount; ++rank) {
            const int index = pickerIndexOf(halves, half, rank);
            if (index >= 0)
                places[static_cast<std::size_t>(index)] =
                    halves == 2 ? std::pair(half, rank - 1) : std::pair((rank - 1) / 8, (rank - 1) % 8);
        }
    }
    if (places != m_pickerPlaces) {
        m_pickerPlaces = places;
        for (QGridLayout* grid : m_pickerGrids) {
            while (QLayoutItem* item = grid->takeAt(0))
                delete item;
        }
        std::vector<std::size_t> order(kPickerCount);
        for (std::size_t i = 0; i < order.size(); ++i)
            order[i] = i;
        std::sort(order.begin(), order.end(),
                  [&](std::size_t a, std::size_t b) { return places[a] < places[b]; });
        // The keyboard goes through each group by rank, the first group first.
        QWidget* before = m_teamSetup->findChild<QWidget*>("SpeedButton1");
        for (std::size_t i : order) {
            const int comboBox = kPickerNumbers[i];
            const auto& [group, rank] = places[i];
            QGridLayout* grid = m_pickerGrids[static_cast<std::size_t>(group)];
            QComboBox* picker = m_pickers[static_cast<std::size_t>(comboBox)];
            const int row = rank % kPickersPerColumn, column = rank / kPickersPerColumn * 2;
            grid->addWidget(m_pickerCaptions[static_cast<std::size_t>(captionLabelOf(comboBox))], row,
                            column);
            grid->addWidget(picker, row, column + 1);
            setTabOrder(before, picker);
            before = picker;
        }
        setTabOrder(before, m_setupButtons[0]);
        setTabOrder(m_setupButtons[0], m_setupButtons[1]);
    }

    const PlayoffTypeInfo info = bracket.typeInfo();
    std::array<bool, 2> used{};
    for (std::size_t i = 0; i < places.size(); ++i) {
        const int comboBox = kPickerNumbers[i];
        QLabel* caption = m_pickerCaptions[static_cast<std::size_t>(captionLabelOf(comboBox))];
        caption->setText(toQt(bracket.pickerCaption(comboBox)));
        if (bracket.pickerShown(comboBox))
            used[static_cast<std::size_t>(places[i].first)] = true;
        m_pickers[static_cast<std::size_t>(comboBox)]->setAccessibleName(
            info.classic
                ? QString("%1, %2 half").arg(caption->text()).arg(places[i].first == 0 ? "left" : "right")
                : caption->text());
    }
    for (int group = 0; group < 2; ++group) {
        QGroupBox* box = m_pickerGroups[static_cast<std::size_t>(group)];
        box->setVisible(group == 0 || used[1]);
        QString title = halves == 1 ? QString("Seeds %1 to %2").arg(group * 8 + 1).arg(group * 8 + 8)
                                    : toQt(info.halfLongNames[static_cast<std::size_t>(group)]);
        if (title.endsWith(" half"))
            title = QString("%1 of the bracket").arg(title.left(1).toUpper() + title.mid(1));
        box->setTitle(title);
    }
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
    // "[*]" is where Qt shows the mark of a window whose games are not all saved.
    setWindowTitle(toQt(m_model.windowTitle()) + "[*]");
    setWindowModified(m_model.windowModified());

    const Journal& journal = m_model.journal().journal();
    m_bracketArea->refresh();

    m_teamSetup->setVisible(m_model.teamSetupOpen());
    placePickers();
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
        m_pickerCaptions[static_cast<std::size_t>(captionLabelOf(comboBox))]->setVisible(
            bracket.pickerCaptionShown(captionLabelOf(comboBox)));
    }

    m_showPicture->setChecked(m_model.ShowPicture1Checked());
    m_loadPicture->setEnabled(m_model.LoadPicture1Enabled());
    m_changeLabelFont->setEnabled(m_model.ChangeLabelFont1Enabled());
    refreshEditCommands();
    if (m_gameLog)
        m_gameLog->setLog(toQt(gameLogText(journal)));
    updatePicture();
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
    m_bracketHint = m_bracketArea->sizeHint();
    if (m_placed)
        return;
    // The bracket at its preferred size and the top bar on one line, however long the note of home patterns
    // is, within the screen.
    m_homePatternLabel->setWordWrap(false);
    const QSize oneLine = sizeHint();
    m_homePatternLabel->setWordWrap(true);
    resize(oneLine.boundedTo(roomOnScreen()).expandedTo(minimumSize()));
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
