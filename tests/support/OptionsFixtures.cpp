#include "support/OptionsFixtures.h"

namespace kivp::test {

std::string teamFileWithPitchers(const std::vector<std::pair<std::string, std::string>>& pitchers) {
    std::string text = "*Title line\r\n";
    for (int i = 1; i <= 9; ++i) {
        std::string line(60, ' ');
        line.replace(9, 8, "Batter " + std::to_string(i));
        line.replace(27, 3, "400");
        line.replace(31, 3, "100");
        text += line + "\r\n";
    }
    text += "*Pitchers\r\n";
    for (const auto& [name, gamesStarted] : pitchers) {
        std::string line(78, ' ');
        line.replace(9, name.size(), name);
        line.replace(27, 3, "180");
        line.replace(55, 3, "345");
        line.replace(76, 2, gamesStarted);
        text += line + "\r\n";
    }
    return text + "*Bench\r\n";
}

} // namespace kivp::test
