#include "platform/forms/caption.h"

#include <cstddef>

namespace forms {

std::string with_line_breaks(std::string_view caption, std::string_view line_break) {
    std::string text;
    text.reserve(caption.size());
    for (;;) {
        const std::size_t end = caption.find('\r');
        text += caption.substr(0, end);
        if (end == std::string_view::npos) return text;
        text += line_break;
        caption.remove_prefix(end + 1);
        if (!caption.empty() && caption.front() == '\n') caption.remove_prefix(1);
    }
}

}  // namespace forms
