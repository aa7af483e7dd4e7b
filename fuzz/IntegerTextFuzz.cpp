// Integer text: the two readers agree, and a decimal number reads back from its own spelling.
#include "FuzzInput.h"
#include "platform/Error.h"
#include "platform/IntegerText.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace kivp;
    const std::string_view text = fuzz::textOf(data, size);
    const auto parsed = parseInteger(text);
    try {
        const int value = toInteger(text);
        fuzz::require(parsed && value == *parsed, "toInteger gives what parseInteger gives");
    } catch (const Error& error) {
        fuzz::require(!parsed && error.kind() == Error::Kind::NotAnInteger, "toInteger refuses what parseInteger does");
    }
    if (parsed)
        fuzz::require(parseInteger(std::to_string(*parsed)) == parsed, "a number reads back from its spelling");
    return 0;
}
