#include "platform/Error.h"

namespace kivp {

Error Error::cannotOpen(std::string_view path) {
    return Error(Kind::CannotOpen, "Cannot open file " + std::string(path));
}

Error Error::cannotCreate(std::string_view path) {
    return Error(Kind::CannotCreate, "Cannot create file " + std::string(path));
}

Error Error::unableToWrite(std::string_view path) {
    return Error(Kind::UnableToWrite, "Unable to write to " + std::string(path));
}

Error Error::notAnInteger(std::string_view text) {
    return Error(Kind::NotAnInteger, "'" + std::string(text) + "' is not a valid integer value");
}

Error Error::listIndex(long long index) {
    return Error(Kind::ListIndex, "List index out of bounds (" + std::to_string(index) + ")");
}

} // namespace kivp
