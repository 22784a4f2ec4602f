#pragma once
#include <string>
#include <utility>
#include <variant>

namespace forms {

// The outcome of an operation that can fail on the user's disk: a value, or the reason it
// could not be had. Failures are values the caller decides about; nothing is thrown.
struct Failure {
    std::string reason;
};

template <class T> class Result {
  public:
    Result(T value) : v_(std::move(value)) {}
    Result(Failure f) : v_(std::move(f)) {}
    bool ok() const { return v_.index() == 0; }
    explicit operator bool() const { return ok(); }
    const T& value() const { return std::get<0>(v_); }
    T& value() { return std::get<0>(v_); }
    const std::string& reason() const {
        static const std::string none;
        return ok() ? none : std::get<1>(v_).reason;
    }

  private:
    std::variant<T, Failure> v_;
};

struct Done {};
using Status = Result<Done>;
inline Status success() {
    return Done{};
}

} // namespace forms
