#pragma once
// The main window's model: everything TForm1 shows and every command it offers, without any window toolkit.
// The window forwards each user event to the handler named after it and redraws from these fields.

#include "bracket/Bracket.h"

namespace kivp {

class MainForm {
public:
    MainForm() = default;

    Bracket& bracket() { return m_bracket; }
    const Bracket& bracket() const { return m_bracket; }

    // The user picked another playoff type or format in the top bar.
    void PlayoffTypeBoxChange(int index) { m_bracket.setPlayoffType(index); }
    void PlayoffFormatBoxChange(int index) { m_bracket.selectFormat(index); }
    // A home button beside a team was clicked (SpeedButton2 to SpeedButton15).
    void SpeedButton2Click(int speedButton) { m_bracket.chooseHomeTeam(speedButton); }

    void FormShow() { m_bracket.startUp(); }

private:
    Bracket m_bracket;
};

} // namespace kivp
