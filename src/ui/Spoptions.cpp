#include "ui/Spoptions.h"

#include "ui/Accessibility.h"
#include "ui/PaletteContrast.h"
#include "ui/QtText.h"
#include "ui/ReadableEdges.h"

#include <QAbstractSpinBox>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFocusEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHash>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPlainTextEdit>
#include <QProxyStyle>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QScreen>
#include <QScrollBar>
#include <QShowEvent>
#include <QStyle>
#include <QStyleFactory>
#include <QStyleOptionButton>
#include <QStyleOptionComboBox>
#include <QStyleOptionSpinBox>
#include <QTabWidget>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <QValidator>
#include <vector>

namespace kivp::ui {

namespace {

// The quick views' column header, spaced for the fixed-pitch rows below it.
const char* const kQuickViewHeader = "(Name                        H     AB        BA    RBI  HR)";

// Where each field of a lineup row sits, in characters: the name from column 0, then the right-aligned
// figures H, AB, BA, RBI and HR. The header's words are drawn over these, in the same order.
struct RowField {
    int first;
    int last;
};
constexpr std::array<RowField, 6> kLineupFields = {
    {{0, 16}, {18, 20}, {22, 24}, {26, 30}, {32, 34}, {36, 37}}};
// A row's characters and the header's closing bracket after them: what a quick view always shows whole.
constexpr int kLineupColumns = kLineupFields.back().last + 2;

// The pitcher tables' columns and their widths at the classic dialog font; wider where the user's font needs
// it for the heading or for figures of the width shown.
struct PitcherColumn {
    const char* heading;
    int width;
    const char* widest;
};
constexpr std::array<PitcherColumn, 7> kPitcherColumns = {{{"#", 25, "99"},
                                                           {"Name", 190, "Nnnnnnnnnnnnnnnnn"},
                                                           {"W-L", 66, "99-99"},
                                                           {"ERA", 66, "99.99"},
                                                           {"SO", 66, "999"},
                                                           {"IP", 66, "999.9"},
                                                           {"GS", 66, "99"}}};

// The lists' fixed-pitch font, as large as the window's own.
QFont fixedPitchFont(const QFont& windowFont) {
    QFont font;
    font.setFamilies({"Courier New", "Liberation Mono", "DejaVu Sans Mono"});
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    if (windowFont.pointSizeF() > 0)
        font.setPointSizeF(windowFont.pointSizeF());
    else
        font.setPixelSize(windowFont.pixelSize());
    return font;
}

template <typename E> std::size_t at(E id) {
    return static_cast<std::size_t>(id);
}

QString nameOf(std::string_view name) {
    return QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size()));
}

// A caption as read aloud: without the "&" that marks its keyboard mnemonic.
QString plain(QString caption) {
    return caption.remove(QLatin1Char('&'));
}

QLabel* addLabel(QWidget* parent, const QString& text, const char* name) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    return label;
}

// How wide a text field must be to show this many capital letters, its frame included.
int fieldWidth(const QWidget* field, int characters) {
    const int frame = field->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, field);
    return field->fontMetrics().horizontalAdvance(QString(characters, QLatin1Char('M'))) + 2 * frame + 8;
}

// Bounds what the user types to a field's length limit without cutting a longer text loaded from kivp.ini: an
// edit may keep the text as long as the field shows it now, but never make it longer than both.
class TypedLengthLimit : public QValidator {
public:
    TypedLengthLimit(std::size_t maxLength, std::function<qsizetype()> shownLength, QObject* parent)
        : QValidator(parent), m_maxLength(static_cast<qsizetype>(maxLength)),
          m_shownLength(std::move(shownLength)) {}

    State validate(QString& input, int&) const override {
        if (m_maxLength == 0)
            return Acceptable;
        return input.size() <= std::max(m_maxLength, m_shownLength()) ? Acceptable : Invalid;
    }

private:
    qsizetype m_maxLength;
    std::function<qsizetype()> m_shownLength;
};

// A framed grid drawn like a spreadsheet's: header cells on the button colour, cells holding controls on the
// base colour, lines between them. The grid paints the cells itself, so every control keeps the window's
// palette and only learns which colour it stands on. A cell whose widget is hidden is not drawn; a row of
// hidden widgets takes no room.
class CellGrid : public QWidget {
public:
    explicit CellGrid(QWidget* parent) : QWidget(parent), m_layout(new QGridLayout(this)) {
        m_layout->setSpacing(1);
        m_layout->setContentsMargins(1, 1, 1, 1);
        setSizePolicy(QSizePolicy::Maximum, QSizePolicy::Maximum);
    }

    // A caption cell: the column headers and the row names.
    QLabel* header(int row, int column, const QString& text, Qt::Alignment alignment = Qt::AlignCenter) {
        auto* label = new QLabel(text, this);
        label->setAlignment(alignment | Qt::AlignVCenter);
        label->setContentsMargins(6, 3, 6, 3);
        label->setBackgroundRole(QPalette::Button);
        label->setForegroundRole(QPalette::ButtonText);
        add(label, row, column, {});
        return label;
    }

    // A cell holding a control, centred in it or (with no alignment) filling it.
    void put(QWidget* control, int row, int column, Qt::Alignment alignment = Qt::AlignCenter) {
        control->setBackgroundRole(QPalette::Base);
        control->setForegroundRole(QPalette::Text);
        add(control, row, column, alignment);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        const QPalette& colours = palette();
        painter.fillRect(rect(), standingOut(colours.color(QPalette::Base), colours.color(QPalette::Mid),
                                             colours.color(QPalette::Text), 1.5));
        for (const auto& [widget, row, column] : m_cells) {
            if (widget->isVisibleTo(this))
                painter.fillRect(m_layout->cellRect(row, column), colours.color(widget->backgroundRole()));
        }
    }

private:
    struct Cell {
        QWidget* widget;
        int row;
        int column;
    };

    void add(QWidget* widget, int row, int column, Qt::Alignment alignment) {
        m_layout->addWidget(widget, row, column, alignment);
        m_cells.push_back({widget, row, column});
    }

    QGridLayout* m_layout;
    std::vector<Cell> m_cells;
};

// A lineup quick view: fixed-pitch rows one font line high, each always shown whole (its width leaves room
// for the scroll bar a short window brings); a whole lineup of nine rows when the window has the room.
class LineupList : public QListWidget {
public:
    explicit LineupList(QWidget* parent) : QListWidget(parent) {
        setUniformItemSizes(true);
        setSelectionMode(QAbstractItemView::NoSelection); // lists to read, nothing to choose
    }

    void setRows(const QStringList& rows) {
        clear();
        addItems(rows);
        fitRows();
    }

    QSize sizeHint() const override { return sizeFor(9); }
    QSize minimumSizeHint() const override { return sizeFor(4); }

protected:
    void changeEvent(QEvent* event) override {
        QListWidget::changeEvent(event);
        if (event->type() == QEvent::FontChange) {
            fitRows();
            updateGeometry();
        }
    }

private:
    int rowHeight() const { return fontMetrics().height(); }

    void fitRows() {
        for (int i = 0; i < count(); ++i)
            item(i)->setSizeHint(QSize(fontMetrics().horizontalAdvance(item(i)->text()), rowHeight()));
    }

    QSize sizeFor(int rows) const {
        const int margin = 2 * (style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 1);
        const int scrollBar = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, verticalScrollBar());
        return QSize(fontMetrics().horizontalAdvance(QString(kLineupColumns, QLatin1Char('0'))) + margin +
                         scrollBar + 2 * frameWidth(),
                     rows * rowHeight() + 2 * frameWidth());
    }
};

// The quick views' column header. Its text is the fixed header; each of its words is drawn over the column of
// the list below that it names, so it lines up with the rows whatever fonts the system substitutes. It is as
// wide as the list it heads, whatever the width of its text in the window's font.
class QuickViewHeader : public QLabel {
public:
    QuickViewHeader(const QListWidget* list, QWidget* parent)
        : QLabel(kQuickViewHeader, parent), m_list(list) {}

    QSize sizeHint() const override { return QSize(1, QLabel::sizeHint().height()); }
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.setPen(
            palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::WindowText));
        // Fractional widths: the list lays its characters out unrounded, and 38 rounded ones would drift.
        const QFontMetricsF header(font());
        const qreal columnWidth = QFontMetricsF(m_list->font()).horizontalAdvance(QString(40, '0')) / 40;
        // The list draws its rows this far in from its own left edge (frame and item margin).
        const int margin = m_list->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, m_list) + 1;
        const qreal rowsLeft = m_list->x() + m_list->viewport()->x() + margin - x();
        const qreal baseline = (height() + header.ascent() - header.descent()) / 2;

        const QStringList words = text().split(QLatin1Char(' '), Qt::SkipEmptyParts);
        for (qsizetype i = 0; i < words.size() && i < static_cast<qsizetype>(kLineupFields.size()); ++i) {
            QString word = words[i];
            const QString open = word.startsWith('(') ? QStringLiteral("(") : QString();
            const QString close = word.endsWith(')') ? QStringLiteral(")") : QString();
            word = word.mid(open.size(), word.size() - open.size() - close.size());
            const RowField field = kLineupFields[static_cast<std::size_t>(i)];
            // The name column reads from the left; the figures are right-aligned, and so are their headings.
            const qreal left =
                i == 0 ? rowsLeft + field.first * columnWidth
                       : rowsLeft + (field.last + 1) * columnWidth - header.horizontalAdvance(word);
            painter.drawText(QPointF(left - header.horizontalAdvance(open), baseline), open + word + close);
        }
    }

private:
    const QListWidget* m_list;
};

} // namespace

// CSpinEdit5, the delay. The text stays as the user typed it (the model decides what it means and OK refuses
// text that is no number); the arrows, the Up and Down keys and the wheel step from the model's value.
class DelaySpinEdit : public QAbstractSpinBox {
public:
    // state is the model's delay field; stepped asks the model to move it by a number of steps.
    DelaySpinEdit(QWidget* parent, const SpinEditState& state, std::function<void(int)> stepped)
        : QAbstractSpinBox(parent), m_state(state), m_stepped(std::move(stepped)) {}

    QLineEdit* editor() const { return lineEdit(); }

    QValidator::State validate(QString& input, int&) const override {
        static const QRegularExpression number(QStringLiteral("^[-+]?[0-9]{0,3}$"));
        return number.match(input).hasMatch() ? QValidator::Acceptable : QValidator::Invalid;
    }

    void stepBy(int steps) override { m_stepped(steps); }

protected:
    StepEnabled stepEnabled() const override {
        if (!isEnabled())
            return StepNone;
        const int value = m_state.value();
        StepEnabled steps = StepNone;
        if (value > m_state.minValue)
            steps |= StepDownEnabled;
        if (value < m_state.maxValue)
            steps |= StepUpEnabled;
        return steps;
    }

private:
    const SpinEditState& m_state;
    std::function<void(int)> m_stepped;
};

TForm7::TForm7(OptionsForm& model, Prompts& prompts, QWidget* parent)
    : QDialog(parent), m_model(model), m_prompts(prompts), m_edges(readableEdges(this)) {
    setObjectName("TForm7");
    setWindowTitle("Options to Run KIV");
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    setModal(true);

    m_pageControl1 = new QTabWidget(this);
    m_pageControl1->setObjectName("PageControl1");
    m_pageControl1->setAccessibleName("Option pages");
    const std::array<QString, 4> tabs = {"Team Options", "Select Pitchers", "Misc Options",
                                         "Stat File Options"};
    const std::array<const char*, 4> pageNames = {"TeamOptionsPage", "SelectPitchersPage", "MiscOptionsPage",
                                                  "StatFileOptionsPage"};
    std::array<QWidget*, 4> pages{};
    for (std::size_t i = 0; i < tabs.size(); ++i) {
        pages[i] = new QWidget;
        pages[i]->setObjectName(pageNames[i]);
        pages[i]->setAccessibleName(tabs[i]);
        m_pageControl1->addTab(pages[i], tabs[i]);
    }
    connect(m_pageControl1, &QTabWidget::currentChanged, this, [this](int index) {
        handle([this, index] { m_model.setPageControl1(static_cast<OptionsPage>(index)); });
    });

    buildTeamOptions(pages[0]);
    buildSelectPitchers(pages[1]);
    buildMiscOptions(pages[2]);
    buildStatFileOptions(pages[3]);

    auto* panel = new QFrame(this);
    panel->setObjectName("BottomPanel");
    buildBottomPanel(panel);

    auto* window = new QVBoxLayout(this);
    window->addWidget(m_pageControl1, 1);
    window->addWidget(panel);

    fitToFont();
    refresh();
    // Opens at the size its layout asks for (never under the classic 604 by 396), within the screen and
    // leaving room for the title bar.
    const QSize screenRoom = screen()->availableSize();
    resize(sizeHint()
               .expandedTo(QSize(604, 396))
               .boundedTo(QSize(screenRoom.width(), screenRoom.height() * 9 / 10)));
}

// --- building --------------------------------------------------------------------------------------------

QCheckBox* TForm7::addCheckBox(CheckBoxId id, QWidget* parent, const QString& caption,
                               const QString& description) {
    auto* box = new QCheckBox(caption, parent);
    box->setObjectName(nameOf(controlName(id)));
    box->setAccessibleName(description.isEmpty() ? plain(caption) : description);
    box->setStyle(m_edges);
    connect(box, &QCheckBox::clicked, this,
            [this, id](bool checked) { handle([=, this] { m_model.setChecked(id, checked); }); });
    m_checkBoxes[at(id)] = box;
    return box;
}

QLineEdit* TForm7::addEdit(EditId id, QWidget* parent, const QString& description) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(nameOf(controlName(id)));
    edit->setAccessibleName(description);
    edit->setStyle(m_edges);
    edit->setValidator(new TypedLengthLimit(
        m_model.edit(id).maxLength, [this, id] { return toQt(m_model.edit(id).text).size(); }, edit));
    connect(edit, &QLineEdit::textEdited, this, [this, id](const QString& text) {
        handle([&, this] { m_model.setEditText(id, fromQt(text)); });
    });
    m_edits[at(id)] = edit;
    return edit;
}

QListWidget* TForm7::addListBox(ListBoxId id, QWidget* parent, const QString& description) {
    auto* list = new LineupList(parent);
    list->setObjectName(nameOf(controlName(id)));
    list->setAccessibleName(description);
    m_listBoxes[at(id)] = list;
    return list;
}

QTreeWidget* TForm7::addListView(ListViewId id, QWidget* parent, const QString& description) {
    auto* table = new QTreeWidget(parent);
    table->setObjectName(nameOf(controlName(id)));
    table->setAccessibleName(description);
    table->setRootIsDecorated(false);
    table->setItemsExpandable(false);
    table->setUniformRowHeights(true);
    table->setAllColumnsShowFocus(true);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setSelectionMode(QAbstractItemView::SingleSelection);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    QStringList headings;
    for (const PitcherColumn& column : kPitcherColumns)
        headings << column.heading;
    table->setHeaderLabels(headings);
    table->header()->setStretchLastSection(false);
    table->header()->setSectionsMovable(false);
    for (int column = 2; column < table->columnCount(); ++column)
        table->headerItem()->setTextAlignment(column, Qt::AlignRight | Qt::AlignVCenter);
    connect(table, &QTreeWidget::itemSelectionChanged, this, [this, id, table] {
        const auto selected = table->selectedItems();
        const int row = selected.isEmpty() ? -1 : table->indexOfTopLevelItem(selected.first());
        handle([=, this] { m_model.selectPitcherRow(id, row); });
    });
    m_listViews[at(id)] = table;
    return table;
}

QPushButton* TForm7::addButton(ButtonId id, QWidget* parent, const QString& caption,
                               const QString& description) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(nameOf(controlName(id)));
    button->setAccessibleName(description.isEmpty() ? plain(caption) : description);
    button->setAutoDefault(false);
    m_buttons[at(id)] = button;
    return button;
}

QRadioButton* TForm7::addRadioButton(RadioButtonId id, QWidget* parent, const QString& caption) {
    auto* radio = new QRadioButton(caption, parent);
    radio->setObjectName(nameOf(controlName(id)));
    radio->setAccessibleName(plain(caption));
    radio->setStyle(m_edges);
    connect(radio, &QRadioButton::clicked, this,
            [this, id] { handle([=, this] { m_model.chooseVersion(id); }); });
    m_radioButtons[at(id)] = radio;
    return radio;
}

void TForm7::buildTeamOptions(QWidget* page) {
    using C = CheckBoxId;
    auto* frame = new QFrame(page);
    frame->setObjectName("TeamOptionsFrame");
    frame->setFrameStyle(QFrame::Box | QFrame::Sunken);
    auto* column = new QVBoxLayout(frame);

    auto* seriesCaption = addLabel(frame, "Select series to set options", "SeriesLabel");
    m_comboBox1 = new QComboBox(frame);
    m_comboBox1->setObjectName("ComboBox1");
    m_comboBox1->setStyle(m_edges);
    keepRoleName(m_comboBox1);
    m_comboBox1->setAccessibleName("Select series to set options");
    // Room for two eight-letter names and " vs. " between them.
    m_comboBox1->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    m_comboBox1->setMinimumContentsLength(21);
    seriesCaption->setBuddy(m_comboBox1);
    connect(m_comboBox1, &QComboBox::activated, this, [this](int index) {
        // Picking the series already shown is no change: it would only throw the chosen pitchers away.
        if (index != m_model.comboBox1().itemIndex)
            handle([this, index] { m_model.chooseSeries(index); });
    });
    column->addWidget(seriesCaption);
    column->addWidget(m_comboBox1);
    column->addSpacing(8);

    // Option | Visitor | Home; the "Spot Starters" row is never shown.
    auto* grid = new CellGrid(frame);
    grid->setObjectName("TeamOptionsGrid");
    grid->header(0, 0, "Option");
    grid->header(0, 1, "Visitor");
    grid->header(0, 2, "Home");
    grid->header(1, 0, "Selected Pitchers", Qt::AlignLeft);
    grid->header(2, 0, "Auto Manage", Qt::AlignLeft);
    grid->header(3, 0, "Auto Lineup", Qt::AlignLeft);
    m_spotStartersLabel = grid->header(4, 0, "Spot Starters", Qt::AlignLeft);
    m_spotStartersLabel->setObjectName("SpotStartersLabel");

    for (const auto& [id, row, gridColumn, name] :
         {std::tuple{LabelId::Label35, 1, 1, "Selected visiting pitcher"},
          std::tuple{LabelId::Label36, 1, 2, "Selected home pitcher"}}) {
        auto* label = new QLabel(grid);
        label->setObjectName(nameOf(controlName(id)));
        label->setAccessibleName(name);
        label->setWordWrap(true);
        label->setAlignment(Qt::AlignCenter);
        label->setMargin(2);
        grid->put(label, row, gridColumn, {});
        m_labels[at(id)] = label;
    }
    const std::array<std::tuple<C, int, int, const char*>, 6> boxes = {{
        {C::CheckBox23, 2, 1, "Auto Manage, Visitor"},
        {C::CheckBox24, 2, 2, "Auto Manage, Home"},
        {C::CheckBox5, 3, 1, "Auto Lineup, Visitor"},
        {C::CheckBox25, 3, 2, "Auto Lineup, Home"},
        {C::CheckBox3, 4, 1, "Spot Starters, Visitor"},
        {C::CheckBox26, 4, 2, "Spot Starters, Home"},
    }};
    for (const auto& [id, row, gridColumn, name] : boxes)
        grid->put(addCheckBox(id, grid, {}, name), row, gridColumn);
    column->addWidget(grid);
    column->addSpacing(4);
    column->addWidget(addCheckBox(C::CheckBox1, frame, "Use &DH", {}));

    // The team-options switches and the Select and Edit buttons are never shown; the series list follows the
    // visitor's switch.
    auto* neverShown = new QHBoxLayout;
    neverShown->addWidget(addCheckBox(C::CheckBox8, frame, {}, "Visitor team options"));
    neverShown->addWidget(addCheckBox(C::CheckBox9, frame, {}, "Home team options"));
    neverShown->addWidget(addButton(ButtonId::Button4, frame, "Select", "Select, visitor"));
    neverShown->addWidget(addButton(ButtonId::Button5, frame, "Select", "Select, home"));
    neverShown->addWidget(addButton(ButtonId::Button7, frame, "Edit", "Edit, visitor"));
    neverShown->addWidget(addButton(ButtonId::Button8, frame, "Edit", "Edit, home"));
    m_memo1 = new QPlainTextEdit(frame);
    m_memo1->setObjectName("Memo1");
    m_memo1->setAccessibleName("Command file line");
    m_memo1->setReadOnly(true);
    m_memo1->hide();
    neverShown->addWidget(m_memo1);
    column->addLayout(neverShown);
    column->addStretch(1);

    auto* quickView = new QGroupBox("Team Starting Lineup Quick View", page);
    quickView->setObjectName("QuickViewGroup");
    auto* lists = new QVBoxLayout(quickView);
    lists->setSpacing(2);
    for (const auto& [id, caption, captionName, headerName, description] :
         {std::tuple{ListBoxId::ListBox1, "Visitor", "Label30", "Label32", "Visitor starting lineup"},
          std::tuple{ListBoxId::ListBox2, "Home", "Label31", "Label33", "Home starting lineup"}}) {
        auto* label = addLabel(quickView, caption, captionName);
        auto* list = addListBox(id, quickView, description);
        auto* header = new QuickViewHeader(list, quickView);
        header->setObjectName(headerName);
        if (id == ListBoxId::ListBox2)
            lists->addSpacing(6);
        lists->addWidget(label);
        lists->addWidget(header);
        lists->addWidget(list, 1);
    }

    auto* row = new QHBoxLayout(page);
    row->addWidget(frame);
    row->addWidget(quickView, 1);
}

void TForm7::buildSelectPitchers(QWidget* page) {
    auto* groups = new QVBoxLayout(page);
    for (const auto& [id, title, name] :
         {std::tuple{ListViewId::ListView1, "Visiting Pitcher", "Visiting pitchers"},
          std::tuple{ListViewId::ListView2, "Home Pitcher", "Home pitchers"}}) {
        auto* group = new QGroupBox(title, page);
        group->setObjectName(id == ListViewId::ListView1 ? "VisitingPitcherGroup" : "HomePitcherGroup");
        auto* table = addListView(id, group, name);
        // The tables take the room the window has; what the window asks for is the lineups' room.
        table->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Ignored);
        (new QVBoxLayout(group))->addWidget(table);
        groups->addWidget(group);
    }
}

void TForm7::buildMiscOptions(QWidget* page) {
    using C = CheckBoxId;
    auto* grid = new QGridLayout(page);
    grid->setContentsMargins(16, 16, 16, 16);
    grid->setHorizontalSpacing(12);
    grid->setVerticalSpacing(10);
    grid->addWidget(addCheckBox(C::CheckBox2, page, "S&ound Effects", {}), 0, 0, 1, 3);
    grid->addWidget(addCheckBox(C::CheckBox4, page, "&Focusing", {}), 1, 0, 1, 3);

    // A check box with its caption beside it as a label, spaced as a check box spaces its own caption.
    const auto boxWithCaption = [this, page](C id, const char* description, const char* caption,
                                             const char* name) {
        auto* box = addCheckBox(id, page, {}, description);
        auto* label = addLabel(page, caption, name);
        auto* pair = new QHBoxLayout;
        pair->setSpacing(box->style()->pixelMetric(QStyle::PM_CheckBoxLabelSpacing, nullptr, box));
        pair->addWidget(box);
        pair->addWidget(label);
        pair->addStretch(1);
        return std::pair{pair, label};
    };

    QHBoxLayout* delay = nullptr;
    std::tie(delay, m_delayLabel) = boxWithCaption(C::CheckBox13, "Use Delay", "Delay", "DelayLabel");
    grid->addLayout(delay, 2, 0);
    m_cSpinEdit5 = new DelaySpinEdit(page, m_model.cSpinEdit5(), [this](int steps) {
        handle([=, this] { m_model.setCSpinEdit5Value(m_model.cSpinEdit5().value() + steps); });
    });
    m_cSpinEdit5->setObjectName("CSpinEdit5");
    m_cSpinEdit5->setStyle(m_edges);
    m_cSpinEdit5->setAccessibleName("Delay");
    m_delayLabel->setBuddy(m_cSpinEdit5);
    connect(m_cSpinEdit5->editor(), &QLineEdit::textEdited, this,
            [this](const QString& text) { handle([&, this] { m_model.setCSpinEdit5Text(fromQt(text)); }); });
    connect(m_cSpinEdit5, &QAbstractSpinBox::editingFinished, this,
            [this] { handle([this] { m_model.CSpinEdit5Exit(); }); });
    grid->addWidget(m_cSpinEdit5, 2, 1, Qt::AlignLeft);
    grid->addWidget(addCheckBox(C::WatchGameCheck, page, "&Watch Game", {}), 2, 2);

    QHBoxLayout* normalization = nullptr;
    std::tie(normalization, m_normalizationLabel) =
        boxWithCaption(C::CheckBox39, "Use Normalization", "Normalization", "NormalizationLabel");
    grid->addLayout(normalization, 3, 0);
    grid->addWidget(addEdit(EditId::Edit2, page, "Normalization factor"), 3, 1, Qt::AlignLeft);
    m_normalizationLabel->setBuddy(m_edits[at(EditId::Edit2)]);

    grid->setColumnStretch(3, 1);
    grid->setRowStretch(4, 1);

    // A click on the caption in front of a check box works the box.
    m_delayLabel->installEventFilter(this);
    m_normalizationLabel->installEventFilter(this);
}

void TForm7::buildStatFileOptions(QWidget* page) {
    using C = CheckBoxId;
    auto* column = new QVBoxLayout(page);
    column->setContentsMargins(16, 16, 16, 16);
    column->setSpacing(16);
    auto* grid = new CellGrid(page);
    grid->setObjectName("StatFileGrid");
    grid->header(0, 0, "Statistic File");
    grid->header(0, 1, "Name (8 char max)");
    grid->header(0, 2, "Use");
    grid->header(0, 3, "Clear Files");
    const std::array<std::tuple<const char*, EditId, C, C>, 4> rows = {{
        {"Statistics File", EditId::Edit3, C::CheckBox15, C::CheckBox6},
        {"Box Score File", EditId::Edit5, C::CheckBox16, C::CheckBox32},
        {"Score Card File", EditId::Edit6, C::CheckBox17, C::CheckBox33},
        {"Star Box File", EditId::Edit8, C::CheckBox19, C::CheckBox34},
    }};
    int row = 1;
    for (const auto& [caption, name, use, clear] : rows) {
        const QString file(caption);
        grid->header(row, 0, file, Qt::AlignLeft);
        auto* edit = addEdit(name, grid, file + " name");
        edit->setFrame(false); // the grid's lines frame it, as a spreadsheet's cell
        grid->put(edit, row, 1, {});
        grid->put(addCheckBox(use, grid, {}, "Use " + file), row, 2);
        grid->put(addCheckBox(clear, grid, {}, "Clear " + file), row, 3);
        ++row;
    }
    column->addWidget(grid);

    auto* commandFile = new QHBoxLayout;
    commandFile->addWidget(addCheckBox(C::CheckBox37, page, "Use &Command File", {}));
    commandFile->addWidget(addEdit(EditId::Edit1, page, "Command file name"));
    commandFile->addStretch(1);
    column->addLayout(commandFile);

    // Working storage for the command file, never shown.
    column->addWidget(addListBox(ListBoxId::ListBox3, page, "Command file work list"));
    column->addStretch(1);
}

void TForm7::buildBottomPanel(QWidget* panel) {
    using C = CheckBoxId;
    auto* grid = new QGridLayout(panel);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setVerticalSpacing(2);
    grid->setHorizontalSpacing(16);
    // The persistence choice and the error messages one above the other, the versions in two columns with the
    // program's name under "User Defined", the buttons at the right with the name's hint under them.
    const std::array<std::pair<C, const char*>, 3> flags = {{
        {C::CheckBox20, "Clear &All Options After Running KIV"},
        {C::CheckBox21, "&Save Options For Continuous Use"},
        {C::CheckBox40, "Show detailed &error messages"},
    }};
    for (int row = 0; row < 3; ++row)
        grid->addWidget(addCheckBox(flags[row].first, panel, flags[row].second, {}), row, 0);

    const std::array<std::tuple<RadioButtonId, const char*, int, int>, 5> versions = {{
        {RadioButtonId::RadioButton1, "KIV v3.6", 0, 2},
        {RadioButtonId::RadioButton2, "KIV v4.0", 1, 2},
        {RadioButtonId::RadioButton3, "KIV v4.5", 2, 2},
        {RadioButtonId::RadioButton4, "KIV v4.6", 0, 3},
        {RadioButtonId::RadioButton5, "User Defined", 1, 3},
    }};
    for (const auto& [id, caption, row, column] : versions)
        grid->addWidget(addRadioButton(id, panel, caption), row, column);

    auto* versionBox = addEdit(EditId::KIVVersionBox, panel, "User defined simulator program");
    versionBox->installEventFilter(this);
    grid->addWidget(versionBox, 2, 3, Qt::AlignLeft);

    auto* hint = new QLabel(panel);
    hint->setObjectName(nameOf(controlName(LabelId::Label5)));
    hint->setAutoFillBackground(true);
    QPalette yellow = hint->palette();
    yellow.setColor(QPalette::Window, Qt::yellow);
    yellow.setColor(QPalette::WindowText, Qt::black);
    hint->setPalette(yellow);
    hint->setText(toQt(m_model.label(LabelId::Label5).caption));
    hint->setMargin(1);
    // The room it takes while shown is kept while it is hidden, so the window never moves under the user.
    QSizePolicy keepRoom = hint->sizePolicy();
    keepRoom.setRetainSizeWhenHidden(true);
    hint->setSizePolicy(keepRoom);
    // As wide as its text, so the yellow ground ends where the words do.
    grid->addWidget(hint, 2, 4, Qt::AlignLeft | Qt::AlignVCenter);
    m_labels[at(LabelId::Label5)] = hint;

    auto* buttons = new QHBoxLayout;
    buttons->setSpacing(6);
    auto* ok = addButton(ButtonId::Button1, panel, "OK", {});
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &TForm7::okClicked);
    auto* cancel = addButton(ButtonId::Button2, panel, "Cancel", {});
    connect(cancel, &QPushButton::clicked, this, &TForm7::reject);
    auto* clear = addButton(ButtonId::Button9, panel, "C&lear", "Clear all run options");
    connect(clear, &QPushButton::clicked, this, [this] { handle([this] { m_model.Button9Click(); }); });
    for (QPushButton* button : {ok, cancel, clear})
        buttons->addWidget(button);
    grid->addLayout(buttons, 0, 4, 2, 1, Qt::AlignRight | Qt::AlignTop);
    // Room the window gains goes between the flags and the rest, which keeps together at the right.
    grid->setColumnStretch(1, 1);
}

void TForm7::fitToFont() {
    for (QListWidget* list : m_listBoxes)
        list->setFont(fixedPitchFont(font()));
    for (QTreeWidget* table : m_listViews) {
        // A starting rotation, five rows, without scrolling.
        table->setMinimumHeight(table->header()->sizeHint().height() +
                                5 * (table->fontMetrics().height() + 4) + 2 * table->frameWidth());
        const int headerMargin = 2 * table->style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, table) + 8;
        const int cellMargin =
            2 * (table->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, table) + 1);
        for (int column = 0; column < static_cast<int>(kPitcherColumns.size()); ++column) {
            const PitcherColumn& shown = kPitcherColumns[static_cast<std::size_t>(column)];
            table->header()->resizeSection(
                column,
                std::max({shown.width,
                          table->header()->fontMetrics().horizontalAdvance(shown.heading) + headerMargin,
                          table->fontMetrics().horizontalAdvance(shown.widest) + cellMargin}));
        }
    }
    for (const auto& [id, characters] :
         {std::pair{EditId::Edit2, 5}, {EditId::Edit1, 8}, {EditId::KIVVersionBox, 8}})
        m_edits[at(id)]->setFixedWidth(fieldWidth(m_edits[at(id)], characters));
    for (const auto id : {EditId::Edit3, EditId::Edit5, EditId::Edit6, EditId::Edit8})
        m_edits[at(id)]->setMinimumWidth(fieldWidth(m_edits[at(id)], 8));
    for (const auto id : {LabelId::Label35, LabelId::Label36})
        fitPitcherName(m_labels[at(id)]);
    m_cSpinEdit5->setMinimumWidth(m_cSpinEdit5->sizeHint().width() + fontMetrics().horizontalAdvance("00"));
}

void TForm7::fitPitcherName(QLabel* label) {
    // Two lines of a dozen letters, or the longest word of the name shown (which never breaks) if wider.
    const QFontMetrics metrics = label->fontMetrics();
    label->setMinimumSize(0, 0);
    label->setMinimumSize(
        std::max(metrics.averageCharWidth() * 12 + 2 * label->margin(), label->minimumSizeHint().width()),
        2 * metrics.lineSpacing() + 2 * label->margin());
}

void TForm7::changeEvent(QEvent* event) {
    QDialog::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        fitToFont();
}

// --- events ----------------------------------------------------------------------------------------------

void TForm7::handle(const std::function<void()>& handler) {
    try {
        handler();
    } catch (const Error& error) {
        m_prompts.report(error);
    }
    refresh();
}

void TForm7::okClicked() {
    handle([this] { m_model.Button1Click(); });
    if (m_model.closeRequested())
        QDialog::accept();
}

void TForm7::reject() {
    handle([this] { m_model.Button2Click(); });
    QDialog::reject();
}

void TForm7::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // A window coming back from behind another is no new showing.
    if (!event->spontaneous())
        handle([this] { m_model.FormShow(); });
}

bool TForm7::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_edits[at(EditId::KIVVersionBox)] &&
        (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut)) {
        followVersionBoxFocus();
    } else if (event->type() == QEvent::MouseButtonRelease &&
               (watched == m_delayLabel || watched == m_normalizationLabel)) {
        QCheckBox* box =
            m_checkBoxes[at(watched == m_delayLabel ? CheckBoxId::CheckBox13 : CheckBoxId::CheckBox39)];
        if (box->isEnabled())
            box->click();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void TForm7::followVersionBoxFocus() {
    // The window's focus widget, not the application's: the box keeps the focus while a message box is up.
    const bool focused = focusWidget() == m_edits[at(EditId::KIVVersionBox)];
    if (focused == m_model.label(LabelId::Label5).visible)
        return;
    if (focused)
        m_model.KIVVersionBoxEnter();
    else
        m_model.KIVVersionBoxExit();
    m_labels[at(LabelId::Label5)]->setVisible(m_model.label(LabelId::Label5).visible);
}

// --- drawing ---------------------------------------------------------------------------------------------

namespace {

QStringList texts(const std::vector<std::string>& lines) {
    QStringList list;
    for (const auto& line : lines)
        list << toQt(line);
    return list;
}

QStringList itemTexts(const QListWidget* list) {
    QStringList items;
    for (int i = 0; i < list->count(); ++i)
        items << list->item(i)->text();
    return items;
}

QStringList rowTexts(const PitcherRow& row) {
    return {toQt(row.number),     toQt(row.name),    toQt(row.wonLost),     toQt(row.era),
            toQt(row.strikeouts), toQt(row.innings), toQt(row.gamesStarted)};
}

bool showsRows(const QTreeWidget* table, const std::vector<PitcherRow>& rows) {
    if (table->topLevelItemCount() != static_cast<int>(rows.size()))
        return false;
    for (int i = 0; i < table->topLevelItemCount(); ++i) {
        const QStringList shown = rowTexts(rows[static_cast<std::size_t>(i)]);
        for (int column = 0; column < shown.size(); ++column) {
            if (table->topLevelItem(i)->text(column) != shown[column])
                return false;
        }
    }
    return true;
}

void drawShown(QWidget* widget, bool enabled, bool visible) {
    widget->setEnabled(enabled);
    widget->setVisible(visible);
}

} // namespace

void TForm7::refresh() {
    {
        const QSignalBlocker blocker(m_pageControl1);
        m_pageControl1->setCurrentIndex(static_cast<int>(m_model.pageControl1()));
    }

    for (const auto id : kCheckBoxIds) {
        const CheckBoxState& state = m_model.checkBox(id);
        QCheckBox* box = m_checkBoxes[at(id)];
        const QSignalBlocker blocker(box);
        box->setChecked(state.checked);
        drawShown(box, state.enabled, state.visible);
    }
    m_spotStartersLabel->setVisible(m_model.checkBox(CheckBoxId::CheckBox3).visible);

    for (const auto id : kEditIds) {
        const EditState& state = m_model.edit(id);
        QLineEdit* edit = m_edits[at(id)];
        const QSignalBlocker blocker(edit);
        if (edit->text() != toQt(state.text))
            edit->setText(toQt(state.text));
        edit->setToolTip(toQt(state.hint));
        drawShown(edit, state.enabled, state.visible);
    }

    const SpinEditState& delay = m_model.cSpinEdit5();
    {
        const QSignalBlocker blocker(m_cSpinEdit5);
        if (m_cSpinEdit5->editor()->text() != toQt(delay.text))
            m_cSpinEdit5->editor()->setText(toQt(delay.text));
        drawShown(m_cSpinEdit5, delay.enabled, delay.visible);
        // What assistive technology reads as the field's value and range.
        m_cSpinEdit5->setProperty("value", delay.value());
        m_cSpinEdit5->setProperty("minimum", delay.minValue);
        m_cSpinEdit5->setProperty("maximum", delay.maxValue);
        m_cSpinEdit5->update(); // the arrows follow the value
    }

    for (const auto id : kRadioButtonIds) {
        const RadioButtonState& state = m_model.radioButton(id);
        QRadioButton* radio = m_radioButtons[at(id)];
        const QSignalBlocker blocker(radio);
        if (state.checked)
            radio->setChecked(true); // the others of the group go off by themselves
        drawShown(radio, state.enabled, state.visible);
    }

    for (const auto id : kButtonIds) {
        const ButtonState& state = m_model.button(id);
        drawShown(m_buttons[at(id)], state.enabled, state.visible);
    }

    for (const auto id : {ListBoxId::ListBox1, ListBoxId::ListBox2, ListBoxId::ListBox3}) {
        const ListBoxState& state = m_model.listBox(id);
        auto* list = static_cast<LineupList*>(m_listBoxes[at(id)]);
        const QSignalBlocker blocker(list);
        if (const QStringList items = texts(state.items); itemTexts(list) != items)
            list->setRows(items);
        drawShown(list, state.enabled, state.visible);
    }

    for (const auto id : {ListViewId::ListView1, ListViewId::ListView2}) {
        const ListViewState& state = m_model.listView(id);
        QTreeWidget* table = m_listViews[at(id)];
        const QSignalBlocker blocker(table);
        if (!showsRows(table, state.rows)) {
            table->clear();
            for (const auto& row : state.rows) {
                auto* item = new QTreeWidgetItem(table, rowTexts(row));
                for (int column = 2; column < 7; ++column)
                    item->setTextAlignment(column, Qt::AlignRight | Qt::AlignVCenter);
            }
        }
        if (state.selected >= 0 && state.selected < table->topLevelItemCount()) {
            table->setCurrentItem(table->topLevelItem(state.selected));
        } else {
            table->clearSelection();
        }
        drawShown(table, state.enabled, state.visible);
    }

    for (const auto id : {LabelId::Label35, LabelId::Label36, LabelId::Label5}) {
        const LabelState& state = m_model.label(id);
        QLabel* label = m_labels[at(id)];
        if (label->text() != toQt(state.caption)) {
            label->setText(toQt(state.caption));
            if (id != LabelId::Label5)
                fitPitcherName(label);
        }
        label->setVisible(state.visible);
    }

    const ComboBoxState& series = m_model.comboBox1();
    {
        const QSignalBlocker blocker(m_comboBox1);
        QStringList shown;
        for (int i = 0; i < m_comboBox1->count(); ++i)
            shown << m_comboBox1->itemText(i);
        if (const QStringList items = texts(series.items); shown != items) {
            m_comboBox1->clear();
            m_comboBox1->addItems(items);
        }
        m_comboBox1->setCurrentIndex(series.itemIndex);
        drawShown(m_comboBox1, series.enabled, series.visible);
    }

    if (const QString memo = texts(m_model.memo1()).join('\n'); m_memo1->toPlainText() != memo)
        m_memo1->setPlainText(memo);

    followVersionBoxFocus();
}

} // namespace kivp::ui
