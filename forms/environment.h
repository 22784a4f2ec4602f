#pragma once
#include <string>
#include <string_view>
#include <utility>

namespace forms {

// Environment variables, as a seam tests replace.
class Environment {
  public:
    virtual ~Environment() = default;
    // The variable's value, "" when unset.
    virtual std::string get(std::string_view name) const = 0;
};

// The process environment. The user's profile folder has no variable of its own on this
// platform: USERPROFILE, when unset, reads as `profile` (the home folder as a drive path).
class ProcessEnvironment final : public Environment {
  public:
    explicit ProcessEnvironment(std::string profile = {}) : profile_(std::move(profile)) {}
    std::string get(std::string_view name) const override;

  private:
    std::string profile_;
};

} // namespace forms
