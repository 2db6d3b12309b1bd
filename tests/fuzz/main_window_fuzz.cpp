// Arbitrary texts typed into the three decimal fields and entered as hex codes: the program
// never crashes, and whenever print_color has run with three numbers in the fields, the bars
// and the hex code agree with them.
#include <cstdint>
#include <string>
#include <string_view>

#include "app/program.h"
#include "colour/decimal_text.h"
#include "platform/forms/number_text.h"
#include "platform/headless/headless_backend.h"

namespace {

std::string hex_code(int red, int green, int blue) {
    std::string code = "#";
    for (const int channel : {red, green, blue}) {
        code += (channel < 16 ? "0" : "") + forms::Hex(channel);
    }
    return code;
}

void check(varnel::Form_Varnel& f, bool print_color_ran) {
    if (print_color_ran && f.Text4.Text().size() > 7) __builtin_trap();
    const auto red = colour::round_to_integer(f.Text1.Text());
    const auto green = colour::round_to_integer(f.Text2.Text());
    const auto blue = colour::round_to_integer(f.Text3.Text());
    if (!red || !green || !blue) return;
    if (f.VScroll1.Value() != *red || f.VScroll2.Value() != *green || f.VScroll3.Value() != *blue) {
        __builtin_trap();
    }
    if (print_color_ran && f.Text4.Text() != hex_code(*red, *green, *blue)) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    headless::HeadlessBackend ui;
    varnel::Program program(ui);
    program.start();
    varnel::Form_Varnel& f = *program.Form_Varnel;
    bool print_color_ran = false;
    f.Text4.Change = [&] { print_color_ran |= f.Text4.Text() == "#"; };

    // Each byte below 4 starts a new step and names its target: the red, green or blue field,
    // or the hex code field followed by Enter. The bytes after it are the text.
    std::string_view input(reinterpret_cast<const char*>(data), size);
    while (!input.empty() && !program.runtime.ended()) {
        const auto target = static_cast<unsigned char>(input.front()) % 4U;
        input.remove_prefix(1);
        std::size_t end = 0;
        while (end < input.size() && static_cast<unsigned char>(input[end]) >= 4) ++end;
        const std::string text(input.substr(0, end));
        input.remove_prefix(end);

        print_color_ran = false;
        forms::TextBox* const fields[] = {&f.Text1, &f.Text2, &f.Text3, &f.Text4};
        ui.replace_text(*fields[target], text);
        if (target == 3) {
            print_color_ran = false;
            ui.press_enter(f.Text4);
        }
        check(f, print_color_ran);
    }
    if (program.runtime.ended()) __builtin_trap();  // nothing typed may end the program
    return 0;
}
