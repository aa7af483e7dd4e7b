#include "startup/SingleInstance.h"

#include "platform/Error.h"
#include "platform/FileWriting.h"
#include "platform/Paths.h"

#include <filesystem>
#include <system_error>

namespace kivp {

std::optional<InstanceLock> claimProgramFolder(const std::string& folder, Prompts& prompts) {
    InstanceLock lock(joinPath(folder, kInstanceLockFileName));
    if (lock.state() != InstanceLock::State::HeldElsewhere)
        return lock;

    Message question;
    question.text = "kivp is already running on the program folder " + visibleText(folder) +
                    ".\n\nOnly one kivp at a time can use a program folder, so this one will close.\n\n"
                    "Bring the running kivp to the front?";
    question.icon = Message::Icon::Information;
    if (prompts.askYesNo(question).value_or(false) && !replaceFile(bringForwardRequestPath(folder), ""))
        prompts.report(Error::cannotCreate(bringForwardRequestPath(folder)));
    return std::nullopt;
}

std::string bringForwardRequestPath(const std::string& folder) {
    return joinPath(folder, kBringForwardFileName);
}

bool takeBringForwardRequest(const std::string& folder) {
    const std::string path = bringForwardRequestPath(folder);
    if (!isRegularFile(path))
        return false;
    // Paths are UTF-8 whatever the system's own code page.
    std::error_code ignored;
    std::filesystem::remove(std::filesystem::path(std::u8string(path.begin(), path.end())), ignored);
    return true;
}

} // namespace kivp
