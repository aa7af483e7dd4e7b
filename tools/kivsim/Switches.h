#pragma once
// The stand-in simulator's command line: switches such as "//h:CUBS", " /p:/home/me/teams/", "/vam", in both
// the
// "//" and the "/" form, and the command-file form "/cmd:<folder>/<name>" whose file holds the same switches
// as one line.

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace kivsim {

class Switches {
public:
    // words are the arguments after the program name. A word that does not begin with "/" continues the
    // switch before it, joined with one space: kivp splits its command line at every space, and a folder or a
    // team name may hold spaces ("/p:/home/me/Sim", "Games/", giving "/home/me/Sim Games/").
    static Switches parse(const std::vector<std::string>& words);

    // The value of a switch named without slashes and ignoring case ("h", "vp", "ls"); "" for a switch
    // without a value ("vam"); nothing when absent. The first occurrence wins.
    std::optional<std::string> value(const std::string& name) const;
    bool has(const std::string& name) const { return value(name).has_value(); }

private:
    std::map<std::string, std::string> m_values;
};

} // namespace kivsim
