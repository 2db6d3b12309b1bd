#pragma once

#include <cstdint>

namespace forms {

// The runtime's pseudo-random numbers: uniform in [0, 1), reseeded from the clock on request.
// Tests inject their own source to force each branch of the program.
class RandomSource {
public:
    virtual ~RandomSource() = default;
    virtual void reseed_from_clock() = 0;
    virtual float next() = 0;
};

// The classic 24-bit linear congruential generator of the form designers' runtimes.
class ClassicRandom final : public RandomSource {
public:
    void reseed_from_clock() override;
    float next() override;

    // Reseeds from a reading of the clock, in microseconds since the epoch: what
    // reseed_from_clock does with the time now.
    void reseed(std::int64_t clock_microseconds);

private:
    std::uint32_t state_ = 0x50000;
};

}  // namespace forms
