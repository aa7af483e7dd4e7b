#pragma once
// An environment variable set (or removed) for as long as the object lives, then put back as it was. Programs
// kivp starts inherit the environment, so tests steer the stand-in simulator with it (KIVSIM_SEED,
// KIVSIM_FAIL, KIVSIM_LOG) and choose the search path the simulator is looked for on.

#include <cstdlib>
#include <optional>
#include <string>

namespace kivp::test {

// Sets the variable for this program and the programs it starts; nothing removes it.
void setEnvironment(const std::string& name, const std::optional<std::string>& value);

class ScopedEnvironment {
public:
    // Nothing for value removes the variable.
    ScopedEnvironment(std::string name, const std::optional<std::string>& value) : m_name(std::move(name)) {
        if (const char* old = std::getenv(m_name.c_str()))
            m_old = old;
        apply(value);
    }
    ~ScopedEnvironment() { apply(m_old); }
    ScopedEnvironment(const ScopedEnvironment&) = delete;
    ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

private:
    void apply(const std::optional<std::string>& value) const { setEnvironment(m_name, value); }

    std::string m_name;
    std::optional<std::string> m_old;
};

} // namespace kivp::test
