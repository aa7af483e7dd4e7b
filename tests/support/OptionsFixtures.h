#pragma once
// What tests of the options window need around it: a main window that only records the warning being lowered,
// and small team files to read rosters from.

#include "options/OptionsHost.h"

#include <string>
#include <utility>
#include <vector>

namespace kivp::test {

class FakeOptionsHost : public OptionsHost {
public:
    std::string program;
    std::string teams;
    Bracket bracketModel;
    int warningsLowered = 0;

    std::string programDirectory() const override { return program; }
    std::string teamDirectory() const override { return teams; }
    const Bracket& bracket() const override { return bracketModel; }
    void lowerHomeAwayWarning() override { ++warningsLowered; }
};

// A team file in the simulator's columns: nine batters, then the pitchers (name, games started) and the bench.
std::string teamFileWithPitchers(const std::vector<std::pair<std::string, std::string>>& pitchers);

} // namespace kivp::test
