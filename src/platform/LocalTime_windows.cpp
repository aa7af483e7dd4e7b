#include "platform/LocalTime.h"

#include <cstdio>
#include <cstdlib>

namespace kivp {

std::tm localTime(std::time_t t) {
    std::tm local{};
    localtime_s(&local, &t);
    return local;
}

std::string utcOffset(std::time_t t) {
    std::tm local = localTime(t);
    const long long minutes = (static_cast<long long>(_mkgmtime(&local)) - static_cast<long long>(t)) / 60;
    const long long size = std::llabs(minutes);
    char text[16];
    std::snprintf(text, sizeof text, "%c%02lld%02lld", minutes < 0 ? '-' : '+', size / 60, size % 60);
    return text;
}

} // namespace kivp
