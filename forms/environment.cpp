#include "forms/environment.h"

#include <cstdlib>

namespace forms {

std::string ProcessEnvironment::get(std::string_view name) const {
    // A name with "=" or a NUL in it cannot be a variable.
    if (name.empty() || name.find_first_of(std::string_view("=\0", 2)) != std::string_view::npos)
        return {};
    const char* value = std::getenv(std::string(name).c_str());
    if (!value && name == "USERPROFILE")
        return profile_;
    return value ? std::string(value) : std::string();
}

} // namespace forms
