#include "Switches.h"

#include <cctype>

namespace kivsim {

namespace {

std::string lower(std::string text) {
    for (auto& c : text)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

} // namespace

Switches Switches::parse(const std::vector<std::string>& words) {
    std::vector<std::string> switches;
    for (const auto& word : words) {
        if (!word.empty() && word.front() == '/')
            switches.push_back(word);
        else if (!switches.empty())
            switches.back() += " " + word;
    }
    Switches result;
    for (const auto& text : switches) {
        const auto start = text.find_first_not_of('/');
        if (start == std::string::npos)
            continue;
        const auto colon = text.find(':', start);
        const std::string name =
            lower(text.substr(start, colon == std::string::npos ? colon : colon - start));
        const std::string value = colon == std::string::npos ? std::string() : text.substr(colon + 1);
        result.m_values.emplace(name, value);
    }
    return result;
}

std::optional<std::string> Switches::value(const std::string& name) const {
    const auto found = m_values.find(lower(name));
    if (found == m_values.end())
        return std::nullopt;
    return found->second;
}

} // namespace kivsim
