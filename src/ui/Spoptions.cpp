#include "ui/Spoptions.h"

#include "ui/Accessibility.h"
#include "ui/QtText.h"

#include <QAbstractSpinBox>
#include <QCheckBox>
#include <QComboBox>
#include <QFocusEvent>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QShowEvent>
#include <QStyle>
#include <QTabWidget>
#include <QTreeWidget>
#include <QValidator>
#include <vector>

namespace kivp::ui {

namespace {

constexpr int kClientWidth = 604;
constexpr int kClientHeight = 396;
constexpr int kPanelHeight = 60;
constexpr int kQuickViewRowHeight = 12;

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

QFont windowFont() {
    QFont font;
    // Where the classic dialog font is missing, a face with Arial's widths keeps every caption in its place.
    font.setFamilies({"MS Sans Serif", "Microsoft Sans Serif", "Arial", "Liberation Sans"});
    font.setPointSize(8);
    return font;
}

QFont fixedPitchFont() {
    QFont font;
    font.setFamilies({"Courier New", "Liberation Mono", "DejaVu Sans Mono"});
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    font.setPointSize(8);
    return font;
}

template <typename E> std::size_t at(E id) {
    return static_cast<std::size_t>(id);
}

QString nameOf(std::string_view name) {
    return QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size()));
}

QLabel* addLabel(QWidget* parent, const QString& text, const QRect& where, const char* name = nullptr) {
    auto* label = new QLabel(text, parent);
    if (name)
        label->setObjectName(name);
    label->setGeometry(where);
    return label;
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

// A framed grid drawn like a spreadsheet's: grey header cells, white cells holding the controls, one-pixel
// lines between them. Rows past shownRows exist (for hidden controls) but lie outside the frame.
class CellGrid : public QFrame {
public:
    CellGrid(QWidget* parent, QPoint where, std::vector<int> columnWidths, std::vector<int> rowHeights,
             int shownRows)
        : QFrame(parent), m_columns(std::move(columnWidths)), m_rows(std::move(rowHeights)) {
        setAutoFillBackground(true);
        QPalette lines = palette();
        lines.setColor(QPalette::Window, lines.color(QPalette::Mid));
        setPalette(lines);
        const QRect last = cell(shownRows - 1, static_cast<int>(m_columns.size()) - 1);
        setGeometry(QRect(where, QSize(last.right() + 2, last.bottom() + 2)));
    }

    QRect cell(int row, int column) const {
        int x = 1, y = 1;
        for (int c = 0; c < column; ++c)
            x += m_columns[static_cast<std::size_t>(c)] + 1;
        for (int r = 0; r < row; ++r)
            y += m_rows[static_cast<std::size_t>(r)] + 1;
        return QRect(x, y, m_columns[static_cast<std::size_t>(column)],
                     m_rows[static_cast<std::size_t>(row)]);
    }

    // A grey cell with a caption: the column headers and the row names.
    QLabel* header(int row, int column, const QString& text, Qt::Alignment alignment = Qt::AlignCenter) {
        auto* label = new QLabel(text, this);
        label->setGeometry(cell(row, column));
        label->setAlignment(alignment | Qt::AlignVCenter);
        label->setIndent(alignment & Qt::AlignLeft ? 4 : -1);
        fill(label, QPalette::Button);
        return label;
    }

    // A white cell for a control; the control is placed over it, centred or filling it.
    void put(QWidget* control, int row, int column, bool fillCell = false) {
        auto* background = new QWidget(this);
        background->setGeometry(cell(row, column));
        fill(background, QPalette::Base);
        control->setParent(this);
        const QRect area = cell(row, column);
        if (fillCell) {
            control->setGeometry(area.adjusted(1, 1, -1, -1));
        } else {
            const QSize size = control->sizeHint();
            control->setGeometry(QRect(area.center() - QPoint(size.width() / 2, size.height() / 2), size));
        }
        control->raise();
    }

private:
    static void fill(QWidget* widget, QPalette::ColorRole role) {
        widget->setAutoFillBackground(true);
        QPalette palette = widget->palette();
        palette.setColor(QPalette::Window, palette.color(role));
        widget->setPalette(palette);
    }

    std::vector<int> m_columns;
    std::vector<int> m_rows;
};

// The quick views' column header. Its text is the fixed header; each of its words is drawn over the column of
// the list below that it names, so it lines up with the rows whatever fonts the system substitutes.
class QuickViewHeader : public QLabel {
public:
    QuickViewHeader(const QListWidget* list, QWidget* parent)
        : QLabel(kQuickViewHeader, parent), m_list(list) {}

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
    : QDialog(parent), m_model(model), m_prompts(prompts) {
    setObjectName("TForm7");
    setWindowTitle("Options to Run KIV");
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                   Qt::MSWindowsFixedSizeDialogHint);
    setModal(true);
    setFixedSize(kClientWidth, kClientHeight);
    setFont(windowFont());

    m_pageControl1 = new QTabWidget(this);
    m_pageControl1->setObjectName("PageControl1");
    m_pageControl1->setAccessibleName("Option pages");
    m_pageControl1->setGeometry(4, 4, kClientWidth - 8, kClientHeight - kPanelHeight - 4);
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
    panel->setGeometry(0, kClientHeight - kPanelHeight, kClientWidth, kPanelHeight);
    buildBottomPanel(panel);

    refresh();
}

// --- building --------------------------------------------------------------------------------------------

QCheckBox* TForm7::addCheckBox(CheckBoxId id, QWidget* parent, const QString& caption,
                               const QString& description) {
    auto* box = new QCheckBox(caption, parent);
    box->setObjectName(nameOf(controlName(id)));
    box->setAccessibleName(description.isEmpty() ? caption : description);
    connect(box, &QCheckBox::clicked, this,
            [this, id](bool checked) { handle([=, this] { m_model.setChecked(id, checked); }); });
    m_checkBoxes[at(id)] = box;
    return box;
}

QLineEdit* TForm7::addEdit(EditId id, QWidget* parent, const QString& description) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(nameOf(controlName(id)));
    edit->setAccessibleName(description);
    edit->setValidator(new TypedLengthLimit(
        m_model.edit(id).maxLength, [this, id] { return toQt(m_model.edit(id).text).size(); }, edit));
    connect(edit, &QLineEdit::textEdited, this, [this, id](const QString& text) {
        handle([&, this] { m_model.setEditText(id, fromQt(text)); });
    });
    m_edits[at(id)] = edit;
    return edit;
}

QListWidget* TForm7::addListBox(ListBoxId id, QWidget* parent, const QString& description) {
    auto* list = new QListWidget(parent);
    list->setObjectName(nameOf(controlName(id)));
    list->setAccessibleName(description);
    list->setFont(fixedPitchFont());
    list->setSelectionMode(QAbstractItemView::NoSelection); // lists to read, nothing to choose
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
    table->setHeaderLabels({"#", "Name", "W-L", "ERA", "SO", "IP", "GS"});
    table->header()->setStretchLastSection(false);
    table->header()->setSectionsMovable(false);
    const std::array<int, 7> widths = {25, 190, 66, 66, 66, 66, 66};
    for (int column = 0; column < 7; ++column) {
        table->header()->resizeSection(column, widths[static_cast<std::size_t>(column)]);
        if (column >= 2)
            table->headerItem()->setTextAlignment(column, Qt::AlignRight | Qt::AlignVCenter);
    }
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
    button->setAccessibleName(description.isEmpty() ? caption : description);
    button->setAutoDefault(false);
    m_buttons[at(id)] = button;
    return button;
}

QRadioButton* TForm7::addRadioButton(RadioButtonId id, QWidget* parent, const QString& caption) {
    auto* radio = new QRadioButton(caption, parent);
    radio->setObjectName(nameOf(controlName(id)));
    radio->setAccessibleName(caption);
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
    frame->setGeometry(4, 7, 262, 291);

    auto* seriesCaption =
        addLabel(frame, "Select series to set options", QRect(8, 8, 240, 14), "SeriesLabel");
    m_comboBox1 = new QComboBox(frame);
    m_comboBox1->setObjectName("ComboBox1");
    keepRoleName(m_comboBox1);
    m_comboBox1->setAccessibleName("Select series to set options");
    m_comboBox1->setGeometry(8, 24, 200, 22);
    seriesCaption->setBuddy(m_comboBox1);
    connect(m_comboBox1, &QComboBox::activated, this, [this](int index) {
        // Picking the series already shown is no change: it would only throw the chosen pitchers away.
        if (index != m_model.comboBox1().itemIndex)
            handle([this, index] { m_model.chooseSeries(index); });
    });

    // Option | Visitor | Home; the "Spot Starters" row is never shown, so it lies below the frame.
    auto* grid = new CellGrid(frame, QPoint(8, 58), {100, 70, 70}, {18, 30, 20, 20, 20}, 4);
    grid->setObjectName("TeamOptionsGrid");
    grid->header(0, 0, "Option");
    grid->header(0, 1, "Visitor");
    grid->header(0, 2, "Home");
    grid->header(1, 0, "Selected Pitchers", Qt::AlignLeft);
    grid->header(2, 0, "Auto Manage", Qt::AlignLeft);
    grid->header(3, 0, "Auto Lineup", Qt::AlignLeft);
    m_spotStartersLabel = grid->header(4, 0, "Spot Starters", Qt::AlignLeft);
    m_spotStartersLabel->setObjectName("SpotStartersLabel");

    for (const auto& [id, row, column, name] :
         {std::tuple{LabelId::Label35, 1, 1, "Selected visiting pitcher"},
          std::tuple{LabelId::Label36, 1, 2, "Selected home pitcher"}}) {
        auto* label = new QLabel(grid);
        label->setObjectName(nameOf(controlName(id)));
        label->setAccessibleName(name);
        label->setWordWrap(true);
        label->setAlignment(Qt::AlignCenter);
        grid->put(label, row, column, true);
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
    for (const auto& [id, row, column, name] : boxes)
        grid->put(addCheckBox(id, grid, {}, name), row, column);

    addCheckBox(C::CheckBox1, frame, "Use DH", {})->setGeometry(8, grid->geometry().bottom() + 8, 120, 18);

    // The team-options switches and the Select and Edit buttons are never shown; the series list follows the
    // visitor's switch.
    addCheckBox(C::CheckBox8, frame, {}, "Visitor team options")->setGeometry(150, 240, 18, 18);
    addCheckBox(C::CheckBox9, frame, {}, "Home team options")->setGeometry(170, 240, 18, 18);
    addButton(ButtonId::Button4, frame, "Select", "Select, visitor")->setGeometry(8, 264, 56, 22);
    addButton(ButtonId::Button5, frame, "Select", "Select, home")->setGeometry(68, 264, 56, 22);
    addButton(ButtonId::Button7, frame, "Edit", "Edit, visitor")->setGeometry(128, 264, 56, 22);
    addButton(ButtonId::Button8, frame, "Edit", "Edit, home")->setGeometry(188, 264, 56, 22);
    m_memo1 = new QPlainTextEdit(frame);
    m_memo1->setObjectName("Memo1");
    m_memo1->setAccessibleName("Command file line");
    m_memo1->setReadOnly(true);
    m_memo1->setGeometry(8, 200, 240, 30);
    m_memo1->hide();

    auto* quickView = new QGroupBox("Team Starting Lineup Quick View", page);
    quickView->setObjectName("QuickViewGroup");
    quickView->setGeometry(272, 0, 316, 300);
    // Nine rows of each lineup show at once, without scrolling.
    for (const auto& [id, top, caption, captionName, headerName, description] :
         {std::tuple{ListBoxId::ListBox1, 14, "Visitor", "Label30", "Label32", "Visitor starting lineup"},
          std::tuple{ListBoxId::ListBox2, 155, "Home", "Label31", "Label33", "Home starting lineup"}}) {
        addLabel(quickView, caption, QRect(10, top, 100, 13), captionName);
        auto* list = addListBox(id, quickView, description);
        list->setGeometry(10, top + 27, 296, 9 * kQuickViewRowHeight + 2 * list->frameWidth());
        auto* header = new QuickViewHeader(list, quickView);
        header->setObjectName(headerName);
        header->setGeometry(10, top + 13, 296, 14);
    }
}

void TForm7::buildSelectPitchers(QWidget* page) {
    for (const auto& [id, top, title, name] :
         {std::tuple{ListViewId::ListView1, 0, "Visiting Pitcher", "Visiting pitchers"},
          std::tuple{ListViewId::ListView2, 150, "Home Pitcher", "Home pitchers"}}) {
        auto* group = new QGroupBox(title, page);
        group->setObjectName(id == ListViewId::ListView1 ? "VisitingPitcherGroup" : "HomePitcherGroup");
        group->setGeometry(4, top, 584, 148);
        addListView(id, group, name)->setGeometry(8, 18, 568, 122);
    }
}

void TForm7::buildMiscOptions(QWidget* page) {
    using C = CheckBoxId;
    addCheckBox(C::CheckBox2, page, "Sound Effects", {})->setGeometry(16, 16, 140, 18);
    addCheckBox(C::CheckBox4, page, "Focusing", {})->setGeometry(16, 42, 140, 18);

    addCheckBox(C::CheckBox13, page, {}, "Use Delay")->setGeometry(16, 70, 18, 18);
    m_delayLabel = addLabel(page, "Delay", QRect(36, 70, 72, 18), "DelayLabel");
    m_cSpinEdit5 = new DelaySpinEdit(page, m_model.cSpinEdit5(), [this](int steps) {
        handle([=, this] { m_model.setCSpinEdit5Value(m_model.cSpinEdit5().value() + steps); });
    });
    m_cSpinEdit5->setObjectName("CSpinEdit5");
    m_cSpinEdit5->setAccessibleName("Delay");
    m_cSpinEdit5->setGeometry(112, 68, 44, 22);
    m_delayLabel->setBuddy(m_cSpinEdit5);
    connect(m_cSpinEdit5->editor(), &QLineEdit::textEdited, this,
            [this](const QString& text) { handle([&, this] { m_model.setCSpinEdit5Text(fromQt(text)); }); });
    connect(m_cSpinEdit5, &QAbstractSpinBox::editingFinished, this,
            [this] { handle([this] { m_model.CSpinEdit5Exit(); }); });
    addCheckBox(C::WatchGameCheck, page, "Watch Game", {})->setGeometry(172, 70, 120, 18);

    addCheckBox(C::CheckBox39, page, {}, "Use Normalization")->setGeometry(16, 100, 18, 18);
    m_normalizationLabel = addLabel(page, "Normalization", QRect(36, 100, 72, 18), "NormalizationLabel");
    addEdit(EditId::Edit2, page, "Normalization factor")->setGeometry(112, 98, 56, 22);
    m_normalizationLabel->setBuddy(m_edits[at(EditId::Edit2)]);

    // A click on the caption in front of a check box works the box.
    m_delayLabel->installEventFilter(this);
    m_normalizationLabel->installEventFilter(this);
}

void TForm7::buildStatFileOptions(QWidget* page) {
    using C = CheckBoxId;
    auto* grid = new CellGrid(page, QPoint(16, 16), {110, 120, 50, 70}, {20, 24, 24, 24, 24}, 5);
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
        grid->put(addEdit(name, grid, file + " name"), row, 1, true);
        grid->put(addCheckBox(use, grid, {}, "Use " + file), row, 2);
        grid->put(addCheckBox(clear, grid, {}, "Clear " + file), row, 3);
        ++row;
    }

    const int below = grid->geometry().bottom() + 16;
    addCheckBox(C::CheckBox37, page, "Use Command File", {})->setGeometry(16, below + 2, 130, 18);
    addEdit(EditId::Edit1, page, "Command file name")->setGeometry(150, below, 80, 22);

    // Working storage for the command file, never shown.
    addListBox(ListBoxId::ListBox3, page, "Command file work list")->setGeometry(400, 16, 100, 60);
}

void TForm7::buildBottomPanel(QWidget* panel) {
    using C = CheckBoxId;
    addCheckBox(C::CheckBox20, panel, "Clear All Options After Running KIV", {})->setGeometry(8, 3, 200, 18);
    addCheckBox(C::CheckBox21, panel, "Save Options For Continuous Use", {})->setGeometry(8, 21, 200, 18);
    addCheckBox(C::CheckBox40, panel, "Show detailed error messages", {})->setGeometry(8, 39, 200, 18);

    const std::array<std::tuple<RadioButtonId, const char*, QRect>, 5> versions = {{
        {RadioButtonId::RadioButton1, "KIV v3.6", QRect(214, 3, 72, 18)},
        {RadioButtonId::RadioButton2, "KIV v4.0", QRect(214, 21, 72, 18)},
        {RadioButtonId::RadioButton3, "KIV v4.5", QRect(214, 39, 72, 18)},
        {RadioButtonId::RadioButton4, "KIV v4.6", QRect(288, 3, 92, 18)},
        {RadioButtonId::RadioButton5, "User Defined", QRect(288, 21, 92, 18)},
    }};
    for (const auto& [id, caption, where] : versions)
        addRadioButton(id, panel, caption)->setGeometry(where);

    auto* versionBox = addEdit(EditId::KIVVersionBox, panel, "User defined simulator program");
    versionBox->setGeometry(290, 38, 70, 20);
    versionBox->installEventFilter(this);

    auto* hint = new QLabel(panel);
    hint->setObjectName(nameOf(controlName(LabelId::Label5)));
    hint->setAutoFillBackground(true);
    QPalette yellow = hint->palette();
    yellow.setColor(QPalette::Window, Qt::yellow);
    yellow.setColor(QPalette::WindowText, Qt::black);
    hint->setPalette(yellow);
    // As wide as its text, so the yellow ground ends where the words do.
    hint->setText(toQt(m_model.label(LabelId::Label5).caption));
    hint->adjustSize();
    hint->move(364, 41);
    m_labels[at(LabelId::Label5)] = hint;

    auto* ok = addButton(ButtonId::Button1, panel, "OK", {});
    ok->setGeometry(384, 6, 66, 25);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &TForm7::okClicked);
    auto* cancel = addButton(ButtonId::Button2, panel, "Cancel", {});
    cancel->setGeometry(456, 6, 66, 25);
    connect(cancel, &QPushButton::clicked, this, &TForm7::reject);
    auto* clear = addButton(ButtonId::Button9, panel, "Clear", "Clear all run options");
    clear->setGeometry(528, 6, 66, 25);
    connect(clear, &QPushButton::clicked, this, [this] { handle([this] { m_model.Button9Click(); }); });
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
        QListWidget* list = m_listBoxes[at(id)];
        const QSignalBlocker blocker(list);
        if (const QStringList items = texts(state.items); itemTexts(list) != items) {
            list->clear();
            list->addItems(items);
            for (int i = 0; i < list->count(); ++i)
                list->item(i)->setSizeHint(
                    QSize(list->fontMetrics().horizontalAdvance(items[i]), kQuickViewRowHeight));
        }
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
        if (label->text() != toQt(state.caption))
            label->setText(toQt(state.caption));
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
