#pragma once
// The dialog that asks for the field of a custom bracket: how many teams (2 to 16), and whether they play in
// one half or in two halves (leagues) that meet in the championship.

#include "bracket/PlayoffFormats.h"

#include <QDialog>
#include <optional>

class QRadioButton;
class QSpinBox;

namespace kivp::ui {

class CustomBracketDialog : public QDialog {
public:
    CustomBracketDialog(const CustomBracket& current, QWidget* parent = nullptr);
    CustomBracket field() const;

    // Asks, starting from current; nothing when the user cancels.
    static std::optional<CustomBracket> ask(const CustomBracket& current, QWidget* parent);

private:
    QSpinBox* m_teams = nullptr;
    QRadioButton* m_oneHalf = nullptr;
    QRadioButton* m_twoHalves = nullptr;
};

} // namespace kivp::ui
