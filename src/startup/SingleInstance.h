#pragma once
// One kivp per program folder. Two on one folder would write over each other's kivp.ini, line-score file and
// autosave, so a second start stops before it writes anything there: it says that kivp already runs on the
// folder and offers to bring that one to the front (by leaving a request file the running kivp watches for)
// or just to quit.

#include "platform/InstanceLock.h"
#include "platform/Prompts.h"

#include <optional>
#include <string>

namespace kivp {

inline constexpr const char* kInstanceLockFileName = "kivp.lock";
inline constexpr const char* kBringForwardFileName = "kivp.front";

// Claims the program folder for this kivp and returns the lock to keep for as long as it runs. The lock holds
// nothing where the folder cannot take a lock file (a read-only folder), and kivp runs all the same. Nothing
// when another kivp runs on the folder: the user has been asked whether to bring it forward, and this start
// ends.
std::optional<InstanceLock> claimProgramFolder(const std::string& folder, Prompts& prompts);

// The file a second start leaves in the folder to ask the running kivp to come forward.
std::string bringForwardRequestPath(const std::string& folder);

// For the running kivp: whether a request to come forward is waiting; it is taken (removed) then.
bool takeBringForwardRequest(const std::string& folder);

} // namespace kivp
