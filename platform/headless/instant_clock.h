#pragma once

#include <chrono>

#include "platform/forms/clock.h"

namespace headless {

// A clock for tests: time passes only when the runtime waits, and the wait costs nothing.
class InstantClock final : public forms::Clock {
public:
    std::chrono::steady_clock::time_point now() override { return now_; }
    void sleep_for(std::chrono::milliseconds duration) override { now_ += duration; }

private:
    std::chrono::steady_clock::time_point now_{};
};

}  // namespace headless
