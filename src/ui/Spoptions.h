#pragma once
// TForm7, the options window "Options to Run KIV": four tabs of run options ("Team Options", "Select
// Pitchers", "Misc Options", "Stat File Options") above a panel with the persistence choice, the simulator
// version and OK, Cancel and Clear. It owns no state: every user event goes to the OptionsForm model, then
// every widget is redrawn from it. An error a handler throws is shown once and the window goes on with the
// model as it is.

#include "options/OptionsForm.h"

#include <QDialog>
#include <array>
#include <functional>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QStyle;
class QTabWidget;
class QTreeWidget;

namespace kivp::ui {

class DelaySpinEdit;

class TForm7 : public QDialog {
    Q_OBJECT
public:
    // The window shows model and sends it every user event; model's handlers report through prompts too.
    TForm7(OptionsForm& model, Prompts& prompts, QWidget* parent = nullptr);

    // Redraws every widget from the model.
    void refresh();
    // Cancel, the close box and Escape: the model's Cancel, then the window closes.
    void reject() override;

protected:
    // Each showing loads the options (the model's FormShow); QDialog centres the window over its parent.
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    // A new font for the window (the user's, changed while kivp runs) sizes the fields to it again.
    void changeEvent(QEvent* event) override;

private:
    void buildTeamOptions(QWidget* page);
    void buildSelectPitchers(QWidget* page);
    void buildMiscOptions(QWidget* page);
    void buildStatFileOptions(QWidget* page);
    void buildBottomPanel(QWidget* panel);
    // What the layouts cannot learn from the widgets themselves: the lists' fixed-pitch font at the window's
    // size, the table columns, the name fields as wide as the names they take.
    void fitToFont();
    // A chosen pitcher's name (Label35, Label36) shows whole over at most two lines.
    void fitPitcherName(QLabel* label);

    QCheckBox* addCheckBox(CheckBoxId id, QWidget* parent, const QString& caption,
                           const QString& description);
    QLineEdit* addEdit(EditId id, QWidget* parent, const QString& description);
    QListWidget* addListBox(ListBoxId id, QWidget* parent, const QString& description);
    QTreeWidget* addListView(ListViewId id, QWidget* parent, const QString& description);
    QPushButton* addButton(ButtonId id, QWidget* parent, const QString& caption, const QString& description);
    QRadioButton* addRadioButton(RadioButtonId id, QWidget* parent, const QString& caption);

    // Runs a model handler, shows the error it throws (once), then redraws.
    void handle(const std::function<void()>& handler);
    void okClicked();
    // Label5 shows while KIVVersionBox is the window's focus widget; tells the model when that changes.
    void followVersionBoxFocus();

    OptionsForm& m_model;
    Prompts& m_prompts;
    // The style of the controls with edges (check boxes, radio buttons, fields, the series list): the
    // application's, with edges that stand out.
    QStyle* m_edges;

    QTabWidget* m_pageControl1 = nullptr;
    std::array<QCheckBox*, kCheckBoxIds.size()> m_checkBoxes{};
    std::array<QLineEdit*, kEditIds.size()> m_edits{};
    std::array<QRadioButton*, kRadioButtonIds.size()> m_radioButtons{};
    std::array<QPushButton*, kButtonIds.size()> m_buttons{};
    std::array<QListWidget*, 3> m_listBoxes{};
    std::array<QTreeWidget*, 2> m_listViews{};
    std::array<QLabel*, 3> m_labels{};
    QComboBox* m_comboBox1 = nullptr;
    DelaySpinEdit* m_cSpinEdit5 = nullptr;
    QPlainTextEdit* m_memo1 = nullptr;
    QLabel* m_spotStartersLabel = nullptr;
    QLabel* m_delayLabel = nullptr;
    QLabel* m_normalizationLabel = nullptr;
};

} // namespace kivp::ui
