#pragma once
// The one way the core reports a failure: a code the caller can act on, the text pair the user is
// shown where the failure has one of its own, and the words of whatever failed (the database
// engine's message, the system's error text, a refused value), with the path where one applies.
// Each area has its own code enum; the value-initialized code, Ok or None, means success.

#include <optional>
#include <string>
#include <utility>

#include "language.h"

namespace q36 {

template <typename Code>
struct Status {
    Code code{};
    const TextPair* message = nullptr;  // the failure's own pair, or none
    std::string detail;

    bool ok() const { return code == Code{}; }
    static Status Ok() { return {}; }
    static Status Error(Code code, std::string detail, const TextPair* message = nullptr) {
        return {code, message, std::move(detail)};
    }
};

// A value, or the status that says why there is none.
template <typename T, typename Code>
class Result {
  public:
    Result(T value) : value_(std::move(value)) {}
    Result(Status<Code> status) : status_(std::move(status)) {
        if (status_.ok()) value_.emplace();  // a success without a value holds the default one
    }

    bool ok() const { return value_.has_value(); }
    const Status<Code>& status() const { return status_; }
    // Only for a result that is ok(); std::bad_optional_access otherwise.
    const T& value() const { return value_.value(); }
    T& value() { return value_.value(); }

  private:
    std::optional<T> value_;
    Status<Code> status_;
};

}  // namespace q36
