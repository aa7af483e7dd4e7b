#pragma once
// What the options window needs from the main window that opens it: where kivp.ini and the team files are,
// the bracket (which side of a series is at home), and the yellow home/away-changed warning that OK lowers.
// The main window's model implements it.

#include "bracket/Bracket.h"
#include "sim/PathForm.h"

#include <string>

namespace kivp {

class OptionsHost {
public:
    virtual ~OptionsHost() = default;

    // The folder kivp started in; kivp.ini lives there.
    virtual std::string programDirectory() const = 0;
    // The team folder as the main window shows it (Label32).
    virtual std::string teamDirectory() const = 0;
    virtual const Bracket& bracket() const = 0;
    // OK has set the options up again after a home team changed: games may be played.
    virtual void lowerHomeAwayWarning() = 0;
    // How the simulator program that would be started now under that name is given folders; the native form
    // when there is no such program.
    virtual PathForm simulatorPathForm(const std::string& executable) const {
        (void)executable;
        return {};
    }
};

} // namespace kivp
