#pragma once

#include <string_view>
#include <vector>

namespace accessibility_bus {

// The parts of a text between its separators ("a;b;" gives "a", "b" and "").
inline std::vector<std::string_view> split(std::string_view text, char separator) {
    std::vector<std::string_view> parts;
    while (true) {
        const std::size_t at = text.find(separator);
        parts.push_back(text.substr(0, at));
        if (at == std::string_view::npos) return parts;
        text.remove_prefix(at + 1);
    }
}

}  // namespace accessibility_bus
