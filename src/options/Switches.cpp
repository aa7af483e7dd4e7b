#include "options/Switches.h"

#include "platform/Error.h"
#include "platform/FileWriting.h"
#include "platform/Paths.h"
#include "platform/TextFile.h"

namespace kivp {

Switches composeSwitches(const RunOptions& o) {
    std::string raw;
    const auto add = [&raw](bool when, std::string_view text, std::string_view value = {}) {
        if (!when)
            return;
        raw += text;
        raw += value;
    };
    add(!o.visitingPitcher.empty(), "//vp:", o.visitingPitcher);
    add(!o.homePitcher.empty(), "//hp:", o.homePitcher);
    add(o.useAutoManageVisitor, "//vam");
    add(o.useAutoManageHome, "//ham");
    add(o.useAutoLineupVisitor, "//val");
    add(o.useAutoLineupHome, "//hal");
    add(o.useSpotStartersVisitor, "//vspt");
    add(o.useSpotStartersHome, "//hspt");
    add(o.useDH, "//dh:y");
    add(true, o.useSoundEffects ? "//s:y" : "//s:n");
    add(o.useDelayFactor, "//del:", std::to_string(o.delayFactor));
    add(o.useDelayFactor && o.useWatchGame, "//pg");
    add(o.useFocusing, "//foc");
    add(o.useNormalization, "//era:", o.normalizationFactor);
    add(o.useStatsFile, "//st:", o.statsFile);
    add(o.useBoxScoreFile, "//bx:", o.boxScoreFile);
    add(o.useScoreCardFile, "//sc:", o.scoreCardFile);
    add(o.useStarBoxFile, "//stb:", o.starBoxFile);
    raw += ' ';
    return Switches{raw, spacedForm(raw)};
}

std::string spacedForm(std::string_view raw) {
    std::string spaced;
    for (std::size_t i = 0; i + 1 < raw.size(); ++i)
        spaced += (raw[i] == '/' && raw[i + 1] == '/') ? ' ' : raw[i];
    return spaced;
}

std::string composeCommandFileLine(const std::string& teamFolderWithSeparator, const std::string& visitorTeam,
                                   const std::string& homeTeam, const std::string& simSwitches) {
    return " /p:" + teamFolderWithSeparator + " /v:" + visitorTeam + " /h:" + homeTeam +
           simSwitches + " //ls:kivp";
}

void writeCommandFiles(const std::string& teamDirectory, const std::string& name, const std::string& line) {
    const std::string path = joinPath(teamDirectory, name);
    const std::string bytes = joinLines({line});
    // Both or neither: the simulator must never find a new line in one file and an old one in its twin.
    const std::string first = resolveIgnoringCase(path);
    const std::string second = resolveIgnoringCase(path + ".kivb");
    if (replaceFiles({{first, bytes}, {second, bytes}}))
        return;
    // The twin is to blame only when it alone may not be replaced. When both may, the write itself failed (a
    // full disk, a quota), and that meets the first file: the files are written out in order, the same bytes
    // to the same folder.
    const bool twinRefused = mayReplace(first) && !mayReplace(second);
    throw Error::cannotCreate(twinRefused ? path + ".kivb" : path);
}

} // namespace kivp
