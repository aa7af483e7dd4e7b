// The line score: any file gives two run totals of two digits, nothing, or one of the two described errors.
#include "FuzzInput.h"
#include "platform/Error.h"
#include "sim/LineScore.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace kivp;
    try {
        if (const auto score = readLineScore(splitLines(fuzz::textOf(data, size)))) {
            fuzz::require(score->visitorRuns >= 0 && score->visitorRuns <= 99, "visitor runs are two digits");
            fuzz::require(score->homeRuns >= 0 && score->homeRuns <= 99, "home runs are two digits");
        }
    } catch (const Error& error) {
        fuzz::require(error.kind() == Error::Kind::ListIndex || error.kind() == Error::Kind::NotAnInteger,
                      "only a missing line or a bad figure is reported");
    }
    return 0;
}
