// Reading typed hex codes: any text gives three channels of 0 to 255, and a code written from
// them reads back the same.
#include <cstdint>
#include <string>

#include "colour/hex_entry.h"
#include "platform/forms/number_text.h"

namespace {

std::string two_digits(int channel) { return (channel < 16 ? "0" : "") + forms::Hex(channel); }

bool in_range(int channel) { return channel >= 0 && channel <= 255; }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const colour::Channels channels = colour::read_hex_entry(text);
    if (!in_range(channels.red) || !in_range(channels.green) || !in_range(channels.blue)) {
        __builtin_trap();
    }
    const std::string code =
        "#" + two_digits(channels.red) + two_digits(channels.green) + two_digits(channels.blue);
    if (colour::read_hex_entry(code) != channels) __builtin_trap();
    return 0;
}
