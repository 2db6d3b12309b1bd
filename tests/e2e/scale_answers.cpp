// The scale's answers for the end-to-end scenarios, which know the windows in design pixels and
// look at device pixels: `scale_answers DPI device P` prints the first device pixel of design
// pixel P, `scale_answers DPI design D` the design pixel that holds device pixel D, as both
// programs have them from scaling::Scale.
#include <charconv>
#include <cstdio>
#include <optional>
#include <string_view>

#include "platform/scaling/scale.h"

namespace {

bool read(std::string_view text, int& number) {
    const char* end = text.data() + text.size();
    const auto [last, error] = std::from_chars(text.data(), end, number);
    return error == std::errc{} && last == end;
}

}  // namespace

int main(int argc, char** argv) {
    int dpi = 0;
    int number = 0;
    const std::string_view question = argc == 4 ? argv[2] : "";
    const std::optional<scaling::Scale> scale =
        argc == 4 && read(argv[1], dpi) ? scaling::Scale::of_dpi(dpi) : std::nullopt;
    if ((question != "device" && question != "design") || !scale || !read(argv[3], number)) {
        std::fputs("usage: scale_answers DPI device|design NUMBER\n", stderr);
        return 2;
    }
    std::printf("%d\n", question == "device" ? scale->device(number) : scale->design(number));
    return 0;
}
