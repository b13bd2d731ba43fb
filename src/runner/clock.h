#pragma once
// The time a transfer runner keeps its timers against: the system's steady clock, or a clock that
// moves only when told, so that tests and the in-process link pass a timeout in no time.

#include <chrono>

namespace q36 {

class Clock {
  public:
    using TimePoint = std::chrono::steady_clock::time_point;
    virtual ~Clock() = default;
    virtual TimePoint Now() const = 0;
};

class SystemClock final : public Clock {
  public:
    TimePoint Now() const override { return std::chrono::steady_clock::now(); }
};

class ManualClock final : public Clock {
  public:
    TimePoint Now() const override { return now_; }
    void AdvanceTo(TimePoint t) {
        if (t > now_) now_ = t;
    }
    void Advance(std::chrono::milliseconds by) { now_ += by; }

  private:
    TimePoint now_{};
};

}  // namespace q36
