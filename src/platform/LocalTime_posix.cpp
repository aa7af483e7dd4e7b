#include "platform/LocalTime.h"

namespace kivp {

std::tm localTime(std::time_t t) {
    std::tm local{};
    localtime_r(&t, &local);
    return local;
}

std::string utcOffset(std::time_t t) {
    const std::tm local = localTime(t);
    char text[16];
    return std::string(text, std::strftime(text, sizeof text, "%z", &local));
}

} // namespace kivp
