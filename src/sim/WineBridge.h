#pragma once
// Windows simulators run by Wine. Users keep "kivsim.exe" and its like beside their team files; where no native
// program of a simulator's name exists, kivp starts the Windows program of that name through the `wine` on the
// search path, and spells every folder it names to it as a Windows program reads it: the Windows form Wine maps
// the folder to, in Wine's short (8.3) form, with "\" separators, exactly as the simulator is started on Windows.

#include "sim/SimulatorRunner.h"

#include <chrono>
#include <optional>
#include <string>
#include <string_view>

namespace kivp {

// NAME.exe, its name matched ignoring ASCII case ("KIVSIM.EXE" counts), in folder, else in the first folder of
// searchPath (folders separated by ":", a relative one counted from folder) that has one.
std::optional<std::string> findWindowsProgram(const std::string& name, const std::string& folder,
                                              std::string_view searchPath);

// How the Windows program `windowsProgram` is started from workingDirectory: through the wine found on
// searchPath, its folders spelled in Wine's short form. Without a wine, a launch that cannot be started and
// says so.
SimulatorLaunch wineLaunch(const std::string& windowsProgram, const std::string& workingDirectory,
                           std::string_view searchPath);

// The Windows forms of one folder as Wine maps it.
struct WindowsFolder {
    std::string longForm;  // "Z:\home\me\Sim Games"; a drive's root keeps its "\" ("Z:\")
    std::string shortForm; // "Z:\home\me\SIMGA~1"; empty when the folder does not exist
    bool operator==(const WindowsFolder&) const = default;
};

// The first conversion in a Wine prefix that was never used sets the prefix up, which takes a while.
inline constexpr std::chrono::milliseconds kConversionLimit{120000};

// Converts folder (absolute, or counted from the current directory) with the winepath program. Throws Error
// naming the folder when no drive of Wine's maps it, winepath cannot be run, or the conversion takes longer
// than limit (winepath is then stopped).
WindowsFolder windowsFormOf(const std::string& folder, const std::string& winepath,
                            std::chrono::milliseconds limit = kConversionLimit);

} // namespace kivp
