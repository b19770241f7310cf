#pragma once
// What the tests ask of the running process and the clock, on every system the package builds
// for: the process id for temporary names no other run shares, the environment, and local and
// UTC calendar conversions.

#include <cstdlib>
#include <ctime>
#include <optional>
#include <string>

#ifdef _WIN32
#include <process.h>
#else
#include <unistd.h>
#endif

namespace tov::test {

inline std::string process_id_text() {
#ifdef _WIN32
    return std::to_string(_getpid());
#else
    return std::to_string(::getpid());
#endif
}

inline void set_environment(const char* name, const std::string& value) {
#ifdef _WIN32
    _putenv_s(name, value.c_str());
#else
    setenv(name, value.c_str(), 1);
#endif
}

// On Windows an empty value removes the variable.
inline void unset_environment(const char* name) {
#ifdef _WIN32
    _putenv_s(name, "");
#else
    unsetenv(name);
#endif
}

// Sets a variable, or removes it (nullopt), for one scope; the value it had comes back after.
class ScopedEnvironment {
public:
    ScopedEnvironment(const char* name, std::optional<std::string> value) : name_(name) {
        if (const char* old = std::getenv(name)) previous_ = old;
        if (value) {
            set_environment(name, *value);
        } else {
            unset_environment(name);
        }
    }
    ~ScopedEnvironment() {
        if (previous_) {
            set_environment(name_, *previous_);
        } else {
            unset_environment(name_);
        }
    }
    ScopedEnvironment(const ScopedEnvironment&) = delete;
    ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

private:
    const char* name_;
    std::optional<std::string> previous_;
};

inline std::tm local_calendar(std::time_t moment) {
    std::tm local{};
#ifdef _WIN32
    localtime_s(&local, &moment);
#else
    localtime_r(&moment, &local);
#endif
    return local;
}

// The moment whose UTC calendar fields are those of fields.
inline std::time_t utc_moment(std::tm fields) {
#ifdef _WIN32
    return _mkgmtime(&fields);
#else
    return timegm(&fields);
#endif
}

}  // namespace tov::test
