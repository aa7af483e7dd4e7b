#include "ui/Sphome.h"

#include "platform/Prompts.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QPainter>
#include <QScreen>
#include <QToolButton>
#include <QVBoxLayout>

namespace kivp::ui {

namespace {

constexpr int kClientWidth = 617;
constexpr int kClosedHeight = 173;
constexpr int kBracketTop = 44;
constexpr int kBracketHeight = 129;
constexpr int kRowHeight = 14;
constexpr int kWinCountWidth = 14;
constexpr int kButtonSize = 12;

const char* const kSlotHint = "Once the teams are set up, click the team name to play a game in the series";

// Where the left half's team slots sit in the bracket area; the right half mirrors them.
struct SlotPlace {
    int x, y, width;
};
SlotPlace leftPlace(int slot) {
    switch (slot) {
    case 1: return {18, 20, 76};
    case 2: return {18, 38, 76};
    case 3: return {18, 76, 76};
    case 4: return {18, 94, 76};
    case 9: return {132, 29, 70};
    case 10: return {132, 85, 70};
    case 13: return {226, 57, 66};
    default: return {0, 0, 0};
    }
}

// The left-half slot a right-half slot mirrors.
int mirrorOf(int slot) {
    switch (slot) {
    case 5: case 6: case 7: case 8: return slot - 4;
    case 11: case 12: return slot - 2;
    case 14: return 13;
    default: return 0;
    }
}

bool onRightHalf(int slot) { return mirrorOf(slot) != 0; }

QRect mirrored(const QRect& r) { return QRect(kClientWidth - r.x() - r.width(), r.y(), r.width(), r.height()); }

QRect nameRect(int slot) {
    if (slot == kChampionSlot)
        return QRect(258, 98, 101, 18);
    const bool right = onRightHalf(slot);
    const SlotPlace p = leftPlace(right ? mirrorOf(slot) : slot);
    const QRect r(p.x, p.y, p.width, kRowHeight);
    return right ? mirrored(r) : r;
}

QRect winCountRect(int slot) {
    const bool right = onRightHalf(slot);
    const SlotPlace p = leftPlace(right ? mirrorOf(slot) : slot);
    const QRect r(p.x + p.width, p.y, kWinCountWidth, kRowHeight);
    return right ? mirrored(r) : r;
}

QRect buttonRect(int slot) {
    const bool right = onRightHalf(slot);
    const SlotPlace p = leftPlace(right ? mirrorOf(slot) : slot);
    const QRect r(p.x - kButtonSize - 2, p.y + 1, kButtonSize, kButtonSize);
    return right ? mirrored(r) : r;
}

} // namespace

// The bracket's background: the picture when one is shown, and the lines that join each series to the slot its
// winner moves to.
class BracketArea : public QWidget {
public:
    BracketArea(const Bracket& bracket, QWidget* parent) : QWidget(parent), m_bracket(bracket) {}

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.setPen(QPen(palette().color(QPalette::Mid), 1));
        for (int series = 1; series <= 6; ++series) {
            const int target = Bracket::winnerSlot(series);
            if (!m_bracket.slotShown(Bracket::upperSlot(series)))
                continue;
            joinPair(painter, Bracket::upperSlot(series), Bracket::lowerSlot(series), target);
        }
        // The two finalists meet above the champion's box.
        const QRect left = winCountRect(13), right = winCountRect(14), box = nameRect(kChampionSlot);
        const int y = left.center().y();
        painter.drawLine(left.right() + 1, y, right.left() - 1, y);
        painter.drawLine(box.center().x(), y, box.center().x(), box.top() - 16);
    }

private:
    void joinPair(QPainter& painter, int upper, int lower, int target) {
        const bool right = onRightHalf(upper);
        const QRect a = winCountRect(upper), b = winCountRect(lower), t = buttonRect(target);
        const int fromX = right ? a.left() - 2 : a.right() + 2;
        const int toX = right ? t.right() + 2 : t.left() - 2;
        const int joinX = (fromX + toX) / 2;
        const int ya = a.center().y(), yb = b.center().y(), yt = t.center().y();
        painter.drawLine(fromX, ya, joinX, ya);
        painter.drawLine(fromX, yb, joinX, yb);
        painter.drawLine(joinX, ya, joinX, yb);
        painter.drawLine(joinX, yt, toX, yt);
    }

    const Bracket& m_bracket;
};

SlotLabel::SlotLabel(QWidget* parent) : QLabel(parent) {
    setCursor(Qt::PointingHandCursor);
    setToolTip(kSlotHint);
    setFocusPolicy(Qt::StrongFocus);
}

void SlotLabel::mouseReleaseEvent(QMouseEvent* event) {
    QLabel::mouseReleaseEvent(event);
    if (rect().contains(event->position().toPoint()))
        emit activated();
}

void SlotLabel::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter || event->key() == Qt::Key_Space) {
        emit activated();
        return;
    }
    QLabel::keyPressEvent(event);
}

TForm1::TForm1(MainForm& model, QWidget* parent) : QMainWindow(parent), m_model(model) {
    setObjectName("TForm1");
    setWindowTitle(kProgramTitle);
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    QFont font("Arial");
    font.setPointSize(8);
    setFont(font);

    auto* client = new QWidget(this);
    client->setObjectName("ClientArea");
    client->setFixedSize(kClientWidth, kClosedHeight);
    setCentralWidget(client);
    buildTopBar(client);
    buildBracket(client);
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    refresh();
}

void TForm1::buildTopBar(QWidget* client) {
    auto* label3 = new QLabel("Playoff Type", client);
    label3->setObjectName("Label3");
    label3->setGeometry(8, 8, 64, 16);
    m_playoffTypeBox = new QComboBox(client);
    m_playoffTypeBox->setObjectName("PlayoffTypeBox");
    m_playoffTypeBox->setAccessibleName("Playoff Type");
    m_playoffTypeBox->setGeometry(74, 4, 100, 22);
    for (const auto& item : playoffTypeItems())
        m_playoffTypeBox->addItem(QString::fromStdString(item));
    connect(m_playoffTypeBox, &QComboBox::activated, this, [this](int index) {
        m_model.PlayoffTypeBoxChange(index);
        refresh();
    });

    auto* label2 = new QLabel("Format", client);
    label2->setObjectName("Label2");
    label2->setGeometry(190, 8, 40, 16);
    m_playoffFormatBox = new QComboBox(client);
    m_playoffFormatBox->setObjectName("PlayoffFormatBox");
    m_playoffFormatBox->setAccessibleName("Format");
    m_playoffFormatBox->setGeometry(232, 4, 80, 22);
    connect(m_playoffFormatBox, &QComboBox::activated, this, [this](int index) {
        m_model.PlayoffFormatBoxChange(index);
        refresh();
    });

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
    m_bracketArea = new BracketArea(m_model.bracket(), client);
    m_bracketArea->setObjectName("Image1");
    m_bracketArea->setGeometry(0, kBracketTop, kClientWidth, kBracketHeight);

    auto heading = [&](int number, const char* text, QRect where) {
        auto* label = new QLabel(text, m_bracketArea);
        label->setObjectName(QString("Label%1").arg(number));
        label->setAlignment(Qt::AlignCenter);
        QFont bold = label->font();
        bold.setBold(true);
        label->setFont(bold);
        label->setGeometry(where);
        m_headings[static_cast<std::size_t>(number)] = label;
    };
    heading(4, "Round 1", QRect(4, 2, 104, 14));
    heading(6, "Semi Finals", QRect(118, 2, 98, 14));
    heading(8, "Championship", QRect(228, 2, 161, 14));
    heading(7, "Semi Finals", mirrored(QRect(118, 2, 98, 14)));
    heading(5, "Round 1", mirrored(QRect(4, 2, 104, 14)));
    heading(33, "Champion", QRect(258, 82, 101, 14));

    for (int slot = 1; slot <= kSlotCount; ++slot) {
        auto* label = new SlotLabel(m_bracketArea);
        label->setObjectName(QString::fromStdString(Bracket::slotControl(slot)));
        label->setGeometry(nameRect(slot));
        if (slot == kChampionSlot) {
            label->setAlignment(Qt::AlignCenter);
            label->setFrameStyle(QFrame::Box | QFrame::Plain);
            label->setCursor(Qt::ArrowCursor);
            label->setToolTip({});
            label->setFocusPolicy(Qt::NoFocus);
            label->setAccessibleName("Champion");
        } else {
            label->setAlignment((onRightHalf(slot) ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter);
            label->setAccessibleName(QString("Team slot %1").arg(slot));
        }
        m_slots[static_cast<std::size_t>(slot)] = label;
    }
    for (int slot = 1; slot <= kTeamSlotCount; ++slot) {
        auto* label = new QLabel(m_bracketArea);
        label->setObjectName(QString::fromStdString(Bracket::winCountControl(slot)));
        label->setAlignment(Qt::AlignCenter);
        label->setGeometry(winCountRect(slot));
        label->setAccessibleName(QString("Wins of team slot %1").arg(slot));
        m_winCounts[static_cast<std::size_t>(slot)] = label;

        const int number = slot + 1;
        auto* button = new QToolButton(m_bracketArea);
        button->setObjectName(QString("SpeedButton%1").arg(number));
        button->setCheckable(true);
        button->setGeometry(buttonRect(slot));
        button->setToolTip("Home team");
        button->setAccessibleName(QString("Home team: team slot %1").arg(slot));
        connect(button, &QToolButton::clicked, this, [this, number] {
            m_model.SpeedButton2Click(number);
            refresh();
        });
        m_buttons[static_cast<std::size_t>(number)] = button;
    }
}

void TForm1::refresh() {
    const Bracket& bracket = m_model.bracket();

    m_playoffTypeBox->setCurrentIndex(bracket.playoffTypeIndex());
    QStringList formats;
    for (const auto& item : bracket.formatItems())
        formats << QString::fromStdString(item);
    QStringList current;
    for (int i = 0; i < m_playoffFormatBox->count(); ++i)
        current << m_playoffFormatBox->itemText(i);
    if (current != formats) {
        m_playoffFormatBox->clear();
        m_playoffFormatBox->addItems(formats);
    }
    m_playoffFormatBox->setCurrentIndex(bracket.formatIndex());
    m_updateOptionsLabel->setVisible(bracket.updateOptionsLabel());

    for (int slot = 1; slot <= kSlotCount; ++slot) {
        auto* label = m_slots[static_cast<std::size_t>(slot)];
        label->setText(QString::fromStdString(bracket.slot(slot)));
        label->setVisible(bracket.slotShown(slot));
    }
    for (int slot = 1; slot <= kTeamSlotCount; ++slot) {
        auto* label = m_winCounts[static_cast<std::size_t>(slot)];
        label->setText(QString::fromStdString(bracket.winCount(slot)));
        label->setVisible(bracket.slotShown(slot));
    }
    for (int number = kFirstHomeButton; number <= kLastHomeButton; ++number) {
        auto* button = m_buttons[static_cast<std::size_t>(number)];
        button->setChecked(bracket.speedButton(number).down);
        button->setVisible(bracket.speedButton(number).shown);
    }
    for (int number : {4, 5, 6, 7, 8, 33})
        m_headings[static_cast<std::size_t>(number)]->setVisible(bracket.headingShown(number));
    m_bracketArea->update();
}

void TForm1::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (m_shownOnce)
        return;
    m_shownOnce = true;
    m_model.FormShow();
    refresh();
    if (const QScreen* screen = this->screen()) {
        const QRect available = screen->availableGeometry();
        move(available.center() - QPoint(frameGeometry().width() / 2, frameGeometry().height() / 2));
    }
}

} // namespace kivp::ui
