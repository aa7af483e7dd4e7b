#include "support/ScopedEnvironment.h"

#include "platform/Utf16.h"

#include <windows.h>

namespace kivp::test {

// Both copies: the C library's, which getenv reads, and the system's, which started programs inherit.
void setEnvironment(const std::string& name, const std::optional<std::string>& value) {
    _putenv_s(name.c_str(), value ? value->c_str() : "");
    SetEnvironmentVariableW(toUtf16(name).c_str(), value ? toUtf16(*value).c_str() : nullptr);
}

} // namespace kivp::test
