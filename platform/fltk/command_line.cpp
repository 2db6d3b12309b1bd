#include "platform/fltk/command_line.h"

#include <string_view>

namespace fltk {

namespace {

constexpr std::string_view Usage = "Usage: varnel [--help | --version]\n";

constexpr std::string_view Help =
    "\n"
    "Varnel is a colour picker: compose a colour from red, green and blue, read or\n"
    "type its hex code, copy it, or pick it from a spectrum. It opens its windows on\n"
    "the X display that DISPLAY names.\n"
    "\n"
    "  --help     print this help and exit\n"
    "  --version  print the version and exit\n"
    "\n"
    "The windows and their keys are described in varnel(1).\n";

// Whether what was printed reached its destination (a full disk, a closed pipe): a failed
// answer must not end with success.
int written(std::ostream& out) {
    out.flush();
    return out ? 0 : 1;
}

}  // namespace

std::optional<int> answer_command_line(std::span<char* const> arguments, std::ostream& out,
                                       std::ostream& err) {
    bool help = false;
    bool version = false;
    for (const std::string_view argument : arguments) {
        if (argument == "--help") {
            help = true;
        } else if (argument == "--version") {
            version = true;
        } else {
            err << "varnel: unrecognised argument '" << argument << "'\n"
                << Usage << "Try 'varnel --help' for more information.\n";
            return 2;
        }
    }
    if (help) {
        out << Usage << Help;
        return written(out);
    }
    if (version) {
        out << "varnel " << VARNEL_VERSION << '\n';
        return written(out);
    }
    return std::nullopt;
}

}  // namespace fltk
