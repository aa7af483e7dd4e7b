// kivsim: a stand-in for the KIV simulator. It accepts the command lines kivp composes, plays one game
// between the two teams named on it from their team files, and leaves the line score where kivp reads it:
//
//   kivsim [/p:<team folder>/] //h:HOME //v:VISITOR [//hp:N] [//vp:N] [//ls:FILE] [//st:NAME] [//bx:FILE]
//          [//sc:FILE] [//stb:FILE] [//del:N] [other run switches, accepted and ignored]
//   kivsim /cmd:<folder>/<name>      (the file's one line holds the switches, teams as /h: and /v:)
//
// Switches may start with "/" or "//". Built for Windows (kivsim.exe), it reads the folders a Windows program is
// given, "/p:Z:\SIMGAM~1\TEAMS\" and "/cmd:Z:\SIMGAM~1\TEAMS\NAME". Without /p: the teams are looked for in the
// working directory. The line score goes to the //ls: file in the working directory and to standard output;
// //st:NAME appends the result to NAME.sts; //bx: appends the line score to that file; //sc: and //stb: append
// the result line to theirs.
//
// Environment: KIVSIM_SEED makes games repeatable: the same value, teams, pitchers and number of games
// already in the //st: file give the same game (so a series under one KIVSIM_SEED value still varies from
// game to game). KIVSIM_FAIL=crash|hang|silent|garbage misbehaves for fault tests. KIVSIM_LOG=<file> appends
// the command line received (on Linux its arguments joined by single spaces), one line per run.

#include "Game.h"
#include "Switches.h"

#include "platform/InputFile.h"
#include "platform/IntegerText.h"
#include "platform/Paths.h"
#include "platform/ProgramArguments.h"
#include "platform/TextFile.h"
#include "sim/CommandLine.h"
#include "teams/TeamFile.h"

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <random>
#include <string>
#include <thread>

namespace {

using kivsim::Switches;

void appendLines(const std::string& path, const kivp::Lines& lines) {
    std::string bytes;
    for (const auto& line : lines)
        bytes += line + "\r\n";
    std::FILE* out = kivp::openStream(path, "ab");
    const bool written = out && std::fwrite(bytes.data(), 1, bytes.size(), out) == bytes.size();
    if ((out && std::fclose(out) != 0) || !written)
        std::cerr << "kivsim: cannot write to " << path << "\n";
}

std::string trimRight(std::string text) {
    while (!text.empty() && text.back() == ' ')
        text.pop_back();
    return text;
}

std::uint64_t mix(std::uint64_t hash, const std::string& text) {
    for (const unsigned char c : text)
        hash = (hash ^ c) * 0x100000001B3ull; // FNV-1a
    return (hash ^ 0xFF) * 0x100000001B3ull;
}

std::optional<kivp::TeamSheet> loadTeam(const std::string& folder, const std::string& name) {
    const std::string path = kivp::joinPath(folder, name + ".dat");
    const auto lines = kivp::tryLoadLines(path);
    if (!lines)
        return std::nullopt;
    return kivp::readTeamSheet(*lines, name + ".dat");
}

std::optional<int> ordinalOf(const Switches& switches, const std::string& name) {
    const auto text = switches.value(name);
    return text ? kivp::parseInteger(*text) : std::nullopt;
}

int misbehave(const std::string& how, const std::optional<std::string>& lineScoreFile) {
    if (how == "crash")
        std::abort();
    if (how == "hang") {
        for (;;)
            std::this_thread::sleep_for(std::chrono::hours(1));
    }
    if (how == "garbage" && lineScoreFile) {
        kivp::trySaveLines(*lineScoreFile, {"kivsim was asked for garbage", "             1  2  3    R  H  E",
                                            "VISITOR      0  0  x   ??  1  0", "HOME         y"});
    }
    return 0; // "silent" and anything else: end without a line score
}

} // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> arguments = kivp::programArguments(argc, argv);
    std::vector<std::string> words(arguments.begin() + (arguments.empty() ? 0 : 1), arguments.end());

    if (const char* log = std::getenv("KIVSIM_LOG"); log && *log)
        appendLines(log, {kivp::programCommandLine(argc, argv)});

    Switches switches = Switches::parse(words);
    if (const auto commandFile = switches.value("cmd")) {
        const auto lines = kivp::tryLoadLines(*commandFile);
        if (!lines || lines->empty()) {
            std::cerr << "kivsim: cannot read the command file " << *commandFile << "\n";
            return 1;
        }
        std::vector<std::string> fileWords = kivp::splitCommandLine(lines->front());
        switches = Switches::parse(fileWords);
    }

    const auto lineScoreFile = switches.value("ls");
    if (const char* fail = std::getenv("KIVSIM_FAIL"); fail && *fail)
        return misbehave(fail, lineScoreFile);

    const auto homeName = switches.value("h");
    const auto visitorName = switches.value("v");
    if (!homeName || !visitorName) {
        std::cerr << "kivsim: name both teams, e.g. kivsim //h:HOME //v:VISITOR //ls:kivp\n";
        return 2;
    }
    const std::string folder = switches.value("p").value_or(kivp::currentDirectory());
    const std::string home = trimRight(*homeName);
    const std::string visitor = trimRight(*visitorName);
    const auto homeSheet = loadTeam(folder, home);
    const auto visitorSheet = loadTeam(folder, visitor);
    for (const auto& [name, sheet] : {std::pair{visitor, &visitorSheet}, std::pair{home, &homeSheet}}) {
        if (!*sheet) {
            std::cerr << "kivsim: cannot find the team " << name << " ("
                      << kivp::joinPath(folder, name + ".dat") << ")\n";
        }
    }
    if (!homeSheet || !visitorSheet)
        return 1;

    const kivsim::Team visitorTeam = kivsim::teamFromSheet(visitor, *visitorSheet, ordinalOf(switches, "vp"));
    const kivsim::Team homeTeam = kivsim::teamFromSheet(home, *homeSheet, ordinalOf(switches, "hp"));

    const std::string statistics = switches.value("st").value_or("");
    std::uint64_t start = 0;
    if (const char* fixedText = std::getenv("KIVSIM_SEED"); fixedText && *fixedText) {
        start = mix(0xCBF29CE484222325ull, fixedText);
        start = mix(start, visitorTeam.name + "@" + homeTeam.name + "/" + visitorTeam.starterName + "/" +
                               homeTeam.starterName);
        const auto played = statistics.empty() ? std::nullopt : kivp::tryLoadLines(statistics + ".sts");
        start = mix(start, std::to_string(played ? played->size() : 0));
    } else {
        start = (static_cast<std::uint64_t>(std::random_device{}()) << 32) ^ std::random_device{}();
    }
    kivsim::Dice dice(start);
    const kivsim::GameResult result = kivsim::playGame(visitorTeam, homeTeam, dice);
    const kivp::Lines lineScore = kivsim::lineScoreLines(visitorTeam, homeTeam, result);

    if (const auto delay = ordinalOf(switches, "del"); delay && *delay > 0)
        std::this_thread::sleep_for(std::chrono::milliseconds(20 * std::min(*delay, 9)));

    for (const auto& line : lineScore)
        std::cout << line << "\n";
    const std::string summary = kivsim::resultLine(visitorTeam, homeTeam, result);
    if (!statistics.empty())
        appendLines(statistics + ".sts", {summary});
    if (const auto box = switches.value("bx"); box && !box->empty()) {
        kivp::Lines block = lineScore;
        block.emplace_back();
        appendLines(*box, block);
    }
    for (const char* name : {"sc", "stb"}) {
        if (const auto file = switches.value(name); file && !file->empty())
            appendLines(*file, {summary});
    }
    if (lineScoreFile && !lineScoreFile->empty() && !kivp::trySaveLines(*lineScoreFile, lineScore)) {
        std::cerr << "kivsim: cannot write the line score to " << *lineScoreFile << "\n";
        return 1;
    }
    return 0;
}
