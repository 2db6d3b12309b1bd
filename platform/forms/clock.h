#pragma once

#include <chrono>

namespace forms {

// The runtime's sense of time: when timers are due, how long the clipboard's retries have
// waited, and the wait between them. Tests put in a clock of their own, which makes the retries
// and the timers exact and instant.
class Clock {
public:
    virtual ~Clock() = default;
    virtual std::chrono::steady_clock::time_point now() = 0;
    virtual void sleep_for(std::chrono::milliseconds duration) = 0;
};

// The system's steady clock, and a real sleep.
class SystemClock final : public Clock {
public:
    std::chrono::steady_clock::time_point now() override;
    void sleep_for(std::chrono::milliseconds duration) override;
};

}  // namespace forms
