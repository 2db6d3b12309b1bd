#pragma once
// D-Bus messages built by the format's rules, for the tests of the program's own reading and
// writing of them: any byte order, header fields of any one-letter type, any body.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace wire_builder {

// Values as a peer of either byte order writes them, each aligned to its size.
class Wire {
public:
    explicit Wire(bool big_endian) : big_endian_(big_endian) {}

    Wire& align(std::size_t boundary) {
        while (bytes.size() % boundary != 0) bytes += '\0';
        return *this;
    }
    Wire& number(std::uint64_t value, std::size_t size) {
        align(size);
        for (std::size_t i = 0; i < size; ++i) {
            const std::size_t shift = 8 * (big_endian_ ? size - 1 - i : i);
            bytes += static_cast<char>(value >> shift & 0xFFU);
        }
        return *this;
    }
    Wire& string(std::string_view text) {
        number(text.size(), 4);
        bytes += text;
        bytes += '\0';
        return *this;
    }
    Wire& signature(std::string_view text) {
        bytes += static_cast<char>(text.size());
        bytes += text;
        bytes += '\0';
        return *this;
    }
    // A value of a one-letter type: a number, or a text for s, o and g.
    Wire& value(char type, std::uint64_t number_value, std::string_view text) {
        switch (type) {
            case 'y':
                return number(number_value, 1);
            case 'n':
            case 'q':
                return number(number_value, 2);
            case 'b':
            case 'i':
            case 'u':
            case 'h':
                return number(number_value, 4);
            case 'x':
            case 't':
            case 'd':
                return number(number_value, 8);
            case 'g':
                return signature(text);
            default:
                return string(text);
        }
    }

    std::string bytes;

private:
    bool big_endian_;
};

struct Field {
    std::uint8_t code;
    char type;
    std::uint64_t number = 0;
    std::string text;
};

// Header field codes.
constexpr std::uint8_t Path = 1, Interface = 2, Member = 3, ReplySerial = 5, Destination = 6,
                       Signature = 8;

struct Built {
    bool big_endian = false;
    std::uint8_t type = 1;
    std::uint8_t flags = 0;
    std::uint32_t serial = 1;
    std::vector<Field> fields;
    std::string body;

    std::string bytes() const {
        Wire wire(big_endian);
        wire.bytes = {big_endian ? 'B' : 'l', static_cast<char>(type), static_cast<char>(flags),
                      '\1'};
        wire.number(body.size(), 4).number(serial, 4).number(0, 4);
        for (const Field& field : fields) {
            wire.align(8).bytes += static_cast<char>(field.code);
            wire.signature(std::string(1, field.type)).value(field.type, field.number, field.text);
        }
        Wire length(big_endian);
        length.number(wire.bytes.size() - 16, 4);
        wire.bytes.replace(12, 4, length.bytes);
        return wire.align(8).bytes + body;
    }
};

// An array of dictionary entries, as a body: its length, the padding to the entries' boundary and
// the entries, written with Wire.
inline std::string dictionary(bool big_endian, const std::string& entries) {
    return Wire(big_endian).number(entries.size(), 4).align(8).bytes + entries;
}

}  // namespace wire_builder
