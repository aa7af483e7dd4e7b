#pragma once
// The local time, for the time stamps kivp writes (the journal's games): the C library spells it differently on
// each platform, and Windows' strftime gives the zone's name where the offset is wanted.

#include <ctime>
#include <string>

namespace kivp {

std::tm localTime(std::time_t t);

// The local time's offset from UTC at t, as "+0100" or "-0530".
std::string utcOffset(std::time_t t);

} // namespace kivp
