#pragma once
#include <string>
#include <string_view>

namespace forms {

// Environment variables, as a seam tests replace.
class Environment {
  public:
    virtual ~Environment() = default;
    // The variable's value, "" when unset.
    virtual std::string get(std::string_view name) const = 0;
};

// The process environment.
class ProcessEnvironment final : public Environment {
  public:
    std::string get(std::string_view name) const override;
};

} // namespace forms
