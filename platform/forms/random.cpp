#include "platform/forms/random.h"

#include <chrono>

namespace forms {

namespace {
constexpr std::uint32_t Modulus = 1U << 24U;
}

void ClassicRandom::reseed_from_clock() {
    const auto now = std::chrono::system_clock::now().time_since_epoch();
    reseed(std::chrono::duration_cast<std::chrono::microseconds>(now).count());
}

void ClassicRandom::reseed(std::int64_t clock_microseconds) {
    // Fold the clock into the middle bits, keeping the low byte of the old state, as the
    // runtime this imitates does with its timer value.
    const auto folded =
        static_cast<std::uint32_t>(clock_microseconds ^ (clock_microseconds >> 24U));
    state_ = ((folded << 8U) ^ (state_ & 0xFFU)) % Modulus;
}

float ClassicRandom::next() {
    state_ = (state_ * 1140671485U + 12820163U) % Modulus;
    return static_cast<float>(state_) / static_cast<float>(Modulus);
}

}  // namespace forms
