// The stand-in simulator's command line: any words parse, and the first occurrence of a switch wins.
#include "FuzzInput.h"
#include "Switches.h"

#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text = kivp::fuzz::textOf(data, size);
    std::vector<std::string> words;
    std::size_t start = 0;
    for (std::size_t i = 0; i <= text.size(); ++i) {
        if (i == text.size() || text[i] == ' ') {
            words.emplace_back(text.substr(start, i - start));
            start = i + 1;
        }
    }
    const auto switches = kivsim::Switches::parse(words);
    for (const char* name : {"h", "v", "p", "ls", "cmd", "vp", "hp", "vam"})
        switches.value(name);
    return 0;
}
