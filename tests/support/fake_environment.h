#pragma once
#include <map>
#include <string>
#include <string_view>

#include "forms/environment.h"

namespace testing_support {

// An environment a test fills itself; every variable it does not set is unset.
class FakeEnvironment final : public forms::Environment {
  public:
    std::map<std::string, std::string> vars;
    std::string get(std::string_view name) const override {
        auto it = vars.find(std::string(name));
        return it == vars.end() ? std::string() : it->second;
    }
};

} // namespace testing_support
