#include "ui/Sphome.h"

#include "journal/GameLog.h"
#include "platform/JpegFile.h"
#include "ui/Accessibility.h"
#include "ui/BracketPrinter.h"
#include "ui/GameLogWindow.h"
#include "ui/QtText.h"

#include <QAction>
#include <QComboBox>
#include <QGroupBox>
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

constexpr int kBracketTop = 44;

int keyCodeOf(const QKeyEvent* event) { return event->key() == Qt::Key_F1 ? MainForm::kF1 : 0; }

} // namespace

TForm1::TForm1(MainForm& model, Prompts& prompts, QWidget* parent)
    : QMainWindow(parent), m_model(model), m_prompts(prompts) {
    setObjectName("TForm1");
    setWindowTitle(kProgramTitle);
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint);
    setFont(QFont("Arial", 8));

    m_client = new QWidget(this);
    m_client->setObjectName("ClientArea");
    m_client->installEventFilter(this);
    setCentralWidget(m_client);
    buildMenu();
    buildTopBar(m_client);
    buildBracket(m_client);
    buildTeamSetup(m_client);
    buildPlayMenus();
    refresh();
}

void TForm1::handle(const std::function<void()>& handler) {
    const bool wasOpen = m_model.teamSetupOpen();
    // The model reports the errors it expects; nothing may escape into Qt's event loop all the same.
    try {
        handler();
    } catch (const Error& error) {
        m_prompts.report(error);
    } catch (const std::exception& error) {
        m_prompts.say(std::string("An unexpected error stopped the command: ") + error.what());
    }
    refresh();
    if (wasOpen != m_model.teamSetupOpen())
        recentreVertically();
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
    add(file, "SavePlayoff1", "Save Playoff", [this] { m_model.Button6Click(); });
    add(file, "SavePlayoffAs1", "Save Playoff As...", [this] { m_model.SavePlayoffAs1Click(); })
        ->setShortcut(QKeySequence("Ctrl+Shift+S"));
    add(file, "LoadPlayoff1", "Load Playoff", [this] { m_model.Button7Click(); });
    separator(file, "N6", true);
    add(file, "ExporttoHTML1", "Export to HTML", [this] { m_model.ExporttoHTML1Click(); });
    add(file, "ExportReport1", "Export Report...", [this] { m_model.ExportReport1Click(); });
    separator(file, "N7", true);
    add(file, "PrintPreview1", "Print Preview...", [this] { BracketPrinter::preview(m_model, this); });
    add(file, "PrintBracket1", "Print Bracket...", [this] { BracketPrinter::printWithDialog(m_model, this); });
    separator(file, "N2", true);
    add(file, "ResetForm1", "Reset Form", [this] { m_model.Button4Click(); });
    separator(file, "N1", true);
    add(file, "Exit1", "E&xit", [this] { m_model.Exit1Click(); });

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
    add(setup, "Teams1", "Teams", [this] { m_model.Button1Click(); });
    add(setup, "Options1", "Options", [this] { m_model.Button5Click(); });
    separator(setup, "N4", false);
    add(setup, "UseKIVv361", "Use KIV v3.6", nullptr)->setVisible(false);
    add(setup, "UseKIVv401", "Use KIV v4.0", nullptr)->setVisible(false);
    separator(setup, "N5", true);
    m_showPicture = add(setup, "ShowPicture1", "Show Picture", [this] { m_model.ShowPicture1Click(); });
    m_showPicture->setCheckable(true);
    m_loadPicture = add(setup, "LoadPicture1", "Load Picture", [this] { m_model.LoadPicture1Click(); });
    m_changeLabelFont =
        add(setup, "ChangeLabelFont1", "Change Label Font", [this] { m_model.ChangeLabelFont1Click(); });

    QMenu* help = menuBar()->addMenu("&Help");
    help->setObjectName("Help1");
    add(help, "Contents1", "Contents", [this] { m_model.Contents1Click(); });
    separator(help, "N3", true);
    add(help, "About1", "About", [this] { m_model.Button3Click(); });
}

void TForm1::buildPlayMenus() {
    // Setup > Home Pattern, after Options.
    QMenu* setup = menuBar()->findChild<QMenu*>("Setup1");
    QMenu* patterns = new QMenu("Home Pattern", setup);
    patterns->setObjectName("HomePattern1");
    setup->insertMenu(setup->actions().value(2), patterns);
    const std::pair<HomePattern, const char*> items[] = {{HomePattern::EveryGame, "HomePatternEveryGame"},
                                                         {HomePattern::TwoThreeTwo, "HomePattern232"},
                                                         {HomePattern::TwoTwoOneOneOne, "HomePattern22111"},
                                                         {HomePattern::TwoTwoOne, "HomePattern221"},
                                                         {HomePattern::OneOneOne, "HomePattern111"}};
    for (const auto& [pattern, name] : items) {
        const int length = seriesLengthOf(pattern);
        QString caption = toQt(std::string(homePatternName(pattern)));
        if (length != 0)
            caption += QString(" (best of %1)").arg(length);
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
    add(play, "PlayNextGame1", "Play Next Game", QKeySequence(Qt::CTRL | Qt::Key_G),
        [this] { m_model.PlayNextGameClick(0); });
    add(play, "PlayRestOfRound1", "Play Rest of Round", QKeySequence(Qt::CTRL | Qt::Key_R),
        [this] { m_model.PlayRestOfRoundClick(0); });
    add(play, "PlayToChampion1", "Play to Champion", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_R),
        [this] { m_model.PlayToChampionClick(); });

    m_slotMenu = new QMenu(this);
    m_slotMenu->setObjectName("SlotMenu");
    // Enter on a focused slot plays its next game already; the menu only names the key.
    add(m_slotMenu, "SlotPlayNextGame", "Play Next Game\tEnter", {},
        [this] { m_model.PlayNextGameClick(m_menuSlot); });
    add(m_slotMenu, "SlotPlayRestOfSeries", "Play Rest of Series", {},
        [this] { m_model.PlayRestOfSeriesClick(m_menuSlot); });
    add(m_slotMenu, "SlotPlayRestOfRound", "Play Rest of Round", {},
        [this] { m_model.PlayRestOfRoundClick(m_menuSlot); });
    add(m_slotMenu, "SlotPlayToChampion", "Play to Champion", {}, [this] { m_model.PlayToChampionClick(); });

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
    auto* label3 = new QLabel("Playoff Type", client);
    label3->setObjectName("Label3");
    label3->setGeometry(8, 7, 64, 16);
    m_playoffTypeBox = new QComboBox(client);
    m_playoffTypeBox->setObjectName("PlayoffTypeBox");
    keepRoleName(m_playoffTypeBox);
    m_playoffTypeBox->setAccessibleName("Playoff Type");
    m_playoffTypeBox->setGeometry(74, 4, 100, 22);
    for (const std::string& type : playoffTypeItems())
        m_playoffTypeBox->addItem(toQt(type));
    connect(m_playoffTypeBox, &QComboBox::activated, this, [this](int index) {
        // Picking the type already shown is not a change, but picking Custom again asks for another field.
        if (index != m_model.bracket().playoffTypeIndex() || index == kCustomType)
            handle([this, index] { m_model.PlayoffTypeBoxChange(index); });
    });
    m_playoffTypeBox->installEventFilter(this);

    auto* label2 = new QLabel("Format", client);
    label2->setObjectName("Label2");
    label2->setGeometry(190, 7, 40, 16);
    m_playoffFormatBox = new QComboBox(client);
    m_playoffFormatBox->setObjectName("PlayoffFormatBox");
    keepRoleName(m_playoffFormatBox);
    m_playoffFormatBox->setAccessibleName("Format");
    m_playoffFormatBox->setGeometry(232, 4, 80, 22);
    connect(m_playoffFormatBox, &QComboBox::activated, this,
            [this](int index) { handle([this, index] { m_model.PlayoffFormatBoxChange(index); }); });
    m_playoffFormatBox->installEventFilter(this);

    m_homePatternLabel = new QLabel(client);
    m_homePatternLabel->setObjectName("HomePatternLabel");
    m_homePatternLabel->setAccessibleName("Home pattern");
    m_homePatternLabel->setGeometry(324, 7, kClientWidth - 324 - 6, 16);

    m_updateOptionsLabel =
        new QLabel("Home/Away Changed!  Please update options before playing games!", client);
    m_updateOptionsLabel->setObjectName("UpdateOptionsLabel");
    m_updateOptionsLabel->setAlignment(Qt::AlignCenter);
    m_updateOptionsLabel->setAutoFillBackground(true);
    QPalette yellow = m_updateOptionsLabel->palette();
    yellow.setColor(QPalette::Window, Qt::yellow);
    yellow.setColor(QPalette::WindowText, Qt::black);
    m_updateOptionsLabel->setPalette(yellow);
    m_updateOptionsLabel->setGeometry(0, 28, kClientWidth, 15);
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
    m_teamSetup->setGeometry(0, kClosedClientHeight, kClientWidth, kOpenClientHeight - kClosedClientHeight);

    auto* label31 = new QLabel("Team .DAT directory", m_teamSetup);
    label31->setObjectName("Label31");
    label31->setGeometry(8, 12, 104, 16);
    m_label32 = new QLabel(m_teamSetup);
    m_label32->setObjectName("Label32");
    m_label32->setAccessibleName("Team .DAT directory");
    m_label32->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    m_label32->setGeometry(114, 10, 466, 20);
    auto* speedButton1 = new QToolButton(m_teamSetup);
    speedButton1->setObjectName("SpeedButton1");
    speedButton1->setText("...");
    speedButton1->setAccessibleName("Choose the team .DAT directory");
    speedButton1->setToolTip("Choose the folder that holds your KIV .dat team files");
    speedButton1->setGeometry(584, 9, 26, 22);
    connect(speedButton1, &QToolButton::clicked, this, [this] { handle([this] { m_model.SpeedButton1Click(); }); });

    for (int side = 0; side < 2; ++side) {
        auto* group = new QGroupBox(side == 0 ? "Left half of the bracket" : "Right half of the bracket",
                                    m_teamSetup);
        group->setObjectName(side == 0 ? "LeftHalfGroup" : "RightHalfGroup");
        group->setGeometry(8 + side * 306, 42, 295, 142);
        m_pickerGroups[static_cast<std::size_t>(side)] = group;
        // Ranks 5 to 8 are for the larger fields; placePickers() shows what the bracket's field needs.
        for (int rank = 0; rank < 8; ++rank) {
            const int comboBox = kPickerNumbers[static_cast<std::size_t>(pickerIndexOf(2, side, rank + 1))];
            auto* caption = new QLabel(group);
            caption->setObjectName(QString("Label%1").arg(captionLabelOf(comboBox)));
            m_pickerCaptions[static_cast<std::size_t>(captionLabelOf(comboBox))] = caption;
            auto* picker = new QComboBox(group);
            picker->setObjectName(QString("ComboBox%1").arg(comboBox));
            keepRoleName(picker);
            connect(picker, &QComboBox::activated, this,
                    [this, comboBox](int index) { handle([this, comboBox, index] {
                        m_model.choosePicker(comboBox, index);
                    }); });
            m_pickers[static_cast<std::size_t>(comboBox)] = picker;
        }
    }

    auto* done = new QPushButton("Done", m_teamSetup);
    done->setObjectName("Button2");
    done->setGeometry(218, 198, 84, 26);
    connect(done, &QPushButton::clicked, this, [this] { handle([this] { m_model.Button2Click(); }); });
    auto* cancel = new QPushButton("Cancel", m_teamSetup);
    cancel->setObjectName("Button8");
    cancel->setGeometry(316, 198, 84, 26);
    connect(cancel, &QPushButton::clicked, this, [this] { handle([this] { m_model.Button8Click(); }); });
    m_setupButtons = {done, cancel};
}

void TForm1::placePickers() {
    const Bracket& bracket = m_model.bracket();
    const int halves = bracket.tree().halves();
    // A half's teams go down its column by rank; a field of one half fills the first column, then the second.
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
        QWidget* before = m_teamSetup->findChild<QWidget*>("SpeedButton1");
        std::vector<std::size_t> order(kPickerCount);
        for (std::size_t i = 0; i < order.size(); ++i)
            order[i] = i;
        std::sort(order.begin(), order.end(),
                  [&](std::size_t a, std::size_t b) { return places[a] < places[b]; });
        for (std::size_t i : order) {
            const int comboBox = kPickerNumbers[i];
            QWidget* group = m_pickerGroups[static_cast<std::size_t>(places[i].first)];
            for (QWidget* widget : {static_cast<QWidget*>(m_pickers[static_cast<std::size_t>(comboBox)]),
                                    static_cast<QWidget*>(m_pickerCaptions[static_cast<std::size_t>(
                                        captionLabelOf(comboBox))])}) {
                if (widget->parentWidget() != group)
                    widget->setParent(group);
            }
            // The keyboard goes down each column in turn.
            setTabOrder(before, m_pickers[static_cast<std::size_t>(comboBox)]);
            before = m_pickers[static_cast<std::size_t>(comboBox)];
        }
        setTabOrder(before, m_setupButtons[0]);
        setTabOrder(m_setupButtons[0], m_setupButtons[1]);
    }

    const PlayoffTypeInfo info = bracket.typeInfo();
    int rows = 4;
    int captionWidth = 50;
    std::array<bool, 2> used{};
    for (std::size_t i = 0; i < places.size(); ++i) {
        const int comboBox = kPickerNumbers[i];
        QLabel* caption = m_pickerCaptions[static_cast<std::size_t>(captionLabelOf(comboBox))];
        caption->setText(toQt(bracket.pickerCaption(comboBox)));
        if (bracket.pickerShown(comboBox)) {
            rows = std::max(rows, places[i].second + 1);
            used[static_cast<std::size_t>(places[i].first)] = true;
            captionWidth =
                std::max(captionWidth, caption->fontMetrics().horizontalAdvance(caption->text()) + 4);
        }
        const auto& [column, row] = places[i];
        QComboBox* picker = m_pickers[static_cast<std::size_t>(comboBox)];
        picker->setAccessibleName(info.classic ? QString("%1, %2 half")
                                                     .arg(caption->text())
                                                     .arg(column == 0 ? "left" : "right")
                                               : caption->text());
        caption->setGeometry(12, 24 + row * 28, 0, 20);
        picker->setGeometry(0, 22 + row * 28, 0, 22);
    }
    constexpr int kGroupWidth = 295, kRowPitch = 28;
    for (std::size_t i = 0; i < places.size(); ++i) {
        const int comboBox = kPickerNumbers[i];
        QLabel* caption = m_pickerCaptions[static_cast<std::size_t>(captionLabelOf(comboBox))];
        caption->resize(captionWidth, caption->height());
        QComboBox* picker = m_pickers[static_cast<std::size_t>(comboBox)];
        picker->setGeometry(16 + captionWidth, picker->y(), kGroupWidth - 30 - captionWidth,
                            picker->height());
    }
    const int extra = (rows - 4) * kRowPitch;
    for (int column = 0; column < 2; ++column) {
        auto* group = static_cast<QGroupBox*>(m_pickerGroups[static_cast<std::size_t>(column)]);
        group->resize(kGroupWidth, 142 + extra);
        group->setVisible(column == 0 || used[1]);
        QString title = halves == 1 ? QString("Seeds %1 to %2").arg(column * 8 + 1).arg(column * 8 + 8)
                                    : toQt(info.halfLongNames[static_cast<std::size_t>(column)]);
        if (title.endsWith(" half"))
            title = QString("%1 of the bracket").arg(title.left(1).toUpper() + title.mid(1));
        group->setTitle(title);
    }
    m_setupButtons[0]->move(218, 198 + extra);
    m_setupButtons[1]->move(316, 198 + extra);
    m_teamSetup->resize(kClientWidth, kOpenClientHeight - kClosedClientHeight + extra);
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
    m_label32->setText(toQt(m_model.Label32()));
    m_label32->setToolTip(m_label32->text());
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
    placeClientArea();

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

void TForm1::placeClientArea() {
    const int setup = m_model.teamSetupOpen() ? m_teamSetup->height() : 0;
    // The bracket keeps its size as the set-up area opens below it, and gets back the size it had as it
    // closes.
    const int bracketHeight = std::max(m_bracketArea->height(), setup == 0 ? m_closedBracketHeight : 0);
    QSize wanted(m_client->width(), kBracketTop + bracketHeight + setup);
    const QSize least = m_bracketArea->minimumSizeHint();
    m_client->setMinimumSize(std::max(kClientWidth, least.width()), kBracketTop + least.height() + setup);
    // The window takes its new least size now, so a smaller window is not held to the old one.
    layout()->activate();
    if (isVisible() && !isMaximized() && !isFullScreen()) {
        if (m_bracketArea->sizeHint() != m_bracketHint)
            wanted = wanted.expandedTo(preferredClientSize());
        resizeClientArea(wanted.boundedTo(clientRoom()).expandedTo(m_client->minimumSize()));
        m_bracketHint = m_bracketArea->sizeHint();
    }
    arrangeClientArea();
}

void TForm1::arrangeClientArea() {
    const int setup = m_model.teamSetupOpen() ? m_teamSetup->height() : 0;
    const int bracketHeight = std::max(0, m_client->height() - kBracketTop - setup);
    m_bracketArea->setGeometry(0, kBracketTop, m_client->width(), bracketHeight);
    if (setup == 0)
        m_closedBracketHeight = bracketHeight;
    m_teamSetup->move((m_client->width() - m_teamSetup->width()) / 2, kBracketTop + bracketHeight);
}

QSize TForm1::preferredClientSize() const {
    const QSize hint = m_bracketArea->sizeHint();
    const int setup = m_model.teamSetupOpen() ? m_teamSetup->height() : 0;
    const QSize size(std::max(kClientWidth, hint.width()), kBracketTop + hint.height() + setup);
    return size.boundedTo(clientRoom()).expandedTo(m_client->minimumSize());
}

QSize TForm1::clientRoom() const {
    // Within the screen: the bracket takes a smaller scale rather than the window growing past the screen.
    const QScreen* screen = this->screen();
    if (!screen)
        return {QWIDGETSIZE_MAX, QWIDGETSIZE_MAX};
    return screen->availableGeometry().size() - (frameGeometry().size() - m_client->size());
}

void TForm1::resizeClientArea(const QSize& size) {
    if (size == m_client->size())
        return;
    resize(this->size() + (size - m_client->size()));
    // A window grown past the screen's edge comes back onto it.
    if (const QScreen* screen = this->screen()) {
        const QRect area = screen->availableGeometry();
        const QRect frame = frameGeometry();
        const int left = std::max(area.left(), std::min(frame.left(), area.right() + 1 - frame.width()));
        const int top = std::max(area.top(), std::min(frame.top(), area.bottom() + 1 - frame.height()));
        if (left != frame.left() || top != frame.top())
            move(pos() + QPoint(left - frame.left(), top - frame.top()));
    }
}

void TForm1::recentreVertically() {
    // The window takes its new height now, not when the event loop gets to it, so the centring uses it.
    layout()->activate();
    if (isMaximized() || isFullScreen())
        return;
    if (const QScreen* screen = this->screen())
        move(x(), (screen->geometry().height() - frameGeometry().height()) / 2);
}

void TForm1::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (m_shownOnce)
        return;
    m_shownOnce = true;
    m_model.FormShow();
    refresh();
    // The window opens with the bracket at its preferred size.
    resizeClientArea(preferredClientSize());
    m_bracketHint = m_bracketArea->sizeHint();
    if (const QScreen* screen = this->screen()) {
        const QRect area = screen->geometry();
        move(area.x() + (area.width() - frameGeometry().width()) / 2,
             area.y() + (area.height() - frameGeometry().height()) / 2);
    }
}

void TForm1::keyReleaseEvent(QKeyEvent* event) {
    m_model.FormKeyUp(keyCodeOf(event));
    QMainWindow::keyReleaseEvent(event);
}

bool TForm1::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_client && event->type() == QEvent::Resize && m_teamSetup)
        arrangeClientArea();
    if (event->type() == QEvent::KeyRelease && (watched == m_playoffTypeBox || watched == m_playoffFormatBox)) {
        const int keyCode = keyCodeOf(static_cast<QKeyEvent*>(event));
        m_model.FormKeyUp(keyCode);
        if (keyCode == MainForm::kF1)
            return true; // handled here, not again by the window
    }
    return QMainWindow::eventFilter(watched, event);
}

} // namespace kivp::ui
