#include "platform/forms/text_units.h"

#include <algorithm>

namespace forms {

std::size_t sequence_length(unsigned char lead) {
    if (lead >= 0xF0 && lead < 0xF8) return 4;
    if (lead >= 0xE0) return lead < 0xF0 ? 3 : 1;
    if (lead >= 0xC0) return 2;
    return 1;
}

std::size_t byte_offset(std::string_view utf8, std::size_t characters) {
    std::size_t at = 0;
    for (std::size_t counted = 0; counted < characters && at < utf8.size(); ++counted) {
        at += sequence_length(static_cast<unsigned char>(utf8[at]));
    }
    return std::min(at, utf8.size());
}

std::size_t utf16_offset(std::string_view utf8, std::size_t characters) {
    std::size_t units = 0;
    std::size_t at = 0;
    for (std::size_t counted = 0; counted < characters && at < utf8.size(); ++counted) {
        const std::size_t length = sequence_length(static_cast<unsigned char>(utf8[at]));
        units += length == 4 ? 2 : 1;
        at += length;
    }
    return units;
}

std::size_t characters_before_utf16(std::string_view utf8, std::size_t units) {
    std::size_t characters = 0;
    for (std::size_t at = 0, counted = 0; at < utf8.size() && counted < units; ++characters) {
        const std::size_t length = sequence_length(static_cast<unsigned char>(utf8[at]));
        counted += length == 4 ? 2 : 1;
        at += length;
    }
    return characters;
}

std::size_t character_count(std::string_view utf8) {
    std::size_t count = 0;
    for (std::size_t at = 0; at < utf8.size(); ++count) {
        at += sequence_length(static_cast<unsigned char>(utf8[at]));
    }
    return count;
}

}  // namespace forms
