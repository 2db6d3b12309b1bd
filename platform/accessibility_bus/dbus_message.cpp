#include "platform/accessibility_bus/dbus_message.h"

#include <utility>

namespace accessibility_bus {

namespace {

// The fixed part of every header: endianness, type, flags, version, body length, serial, and
// the length of the header fields' array.
constexpr std::size_t FixedHeader = 16;
constexpr std::uint8_t ProtocolVersion = 1;

enum Field : std::uint8_t {
    Path = 1,
    Interface = 2,
    Member = 3,
    ReplySerial = 5,
    Destination = 6,
    Signature = 8,
};

constexpr std::size_t aligned(std::size_t at, std::size_t boundary) {
    return (at + boundary - 1) / boundary * boundary;
}

// Builds a little-endian message.
class Writer {
public:
    void align(std::size_t boundary) { bytes_.resize(aligned(bytes_.size(), boundary), '\0'); }
    void u8(std::uint8_t value) { bytes_ += static_cast<char>(value); }
    void u32(std::uint32_t value) {
        align(4);
        for (int shift = 0; shift < 32; shift += 8) u8(static_cast<std::uint8_t>(value >> shift));
    }
    void string(std::string_view text) {
        u32(static_cast<std::uint32_t>(text.size()));
        bytes_ += text;
        u8(0);
    }
    void signature(std::string_view text) {
        u8(static_cast<std::uint8_t>(text.size()));
        bytes_ += text;
        u8(0);
    }
    // A header field: its code and its value as a variant of a string-like type.
    void field(Field code, std::string_view type, std::string_view value) {
        align(8);
        u8(code);
        signature(type);
        type == "g" ? signature(value) : string(value);
    }
    void patch_u32(std::size_t at, std::uint32_t value) {
        for (int shift = 0; shift < 32; shift += 8) {
            bytes_[at++] = static_cast<char>(static_cast<std::uint8_t>(value >> shift));
        }
    }

    std::size_t size() const { return bytes_.size(); }
    std::string take() { return std::move(bytes_); }
    void append(std::string_view bytes) { bytes_ += bytes; }

private:
    std::string bytes_;
};

std::uint32_t read_u32(std::string_view bytes, std::size_t at, bool big_endian) {
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < 4; ++i) {
        const auto byte = static_cast<std::uint8_t>(bytes[at + (big_endian ? i : 3 - i)]);
        value = value << 8U | byte;
    }
    return value;
}

}  // namespace

std::string encode(const MethodCall& call, std::uint32_t serial) {
    Writer body;
    for (const std::string& argument : call.arguments) body.string(argument);

    Writer message;
    message.u8('l');
    message.u8(static_cast<std::uint8_t>(MessageType::MethodCall));
    message.u8(call.flags);
    message.u8(ProtocolVersion);
    message.u32(static_cast<std::uint32_t>(body.size()));
    message.u32(serial);
    const std::size_t fields_length_at = message.size();
    message.u32(0);
    message.field(Path, "o", call.path);
    message.field(Destination, "s", call.destination);
    message.field(Interface, "s", call.interface);
    message.field(Member, "s", call.member);
    if (!call.arguments.empty()) {
        message.field(Signature, "g", std::string(call.arguments.size(), 's'));
    }
    message.patch_u32(fields_length_at, static_cast<std::uint32_t>(message.size() - FixedHeader));
    message.align(8);
    message.append(body.take());
    return message.take();
}

Framing frame(std::string_view buffer, std::size_t limit) {
    if (buffer.size() < FixedHeader) return {};
    const char order = buffer[0];
    if ((order != 'l' && order != 'B') || buffer[3] != ProtocolVersion) {
        return {Framing::State::Broken};
    }
    const bool big_endian = order == 'B';
    const std::uint64_t body = read_u32(buffer, 4, big_endian);
    const std::uint64_t fields = read_u32(buffer, 12, big_endian);
    const std::uint64_t length = aligned(FixedHeader + fields, 8) + body;
    if (length > limit) return {Framing::State::Broken};
    if (buffer.size() < length) return {};
    return {Framing::State::Whole, static_cast<std::size_t>(length)};
}

std::optional<Message> parse(std::string_view bytes) {
    const Framing framing = frame(bytes, bytes.size());
    if (framing.state != Framing::State::Whole) return std::nullopt;
    Message message;
    message.big_endian = bytes[0] == 'B';
    const auto type = static_cast<std::uint8_t>(bytes[1]);
    if (type < 1 || type > 4) return std::nullopt;
    message.type = static_cast<MessageType>(type);
    message.serial = read_u32(bytes, 8, message.big_endian);
    const std::size_t fields_end = FixedHeader + read_u32(bytes, 12, message.big_endian);

    WireReader header(bytes.substr(0, fields_end), message.big_endian, FixedHeader);
    while (header.position() < fields_end) {
        header.align(8);
        const std::optional<std::uint8_t> code = header.u8();
        const std::optional<std::string> type_of_value = header.signature();
        if (!code || !type_of_value || type_of_value->size() != 1) return std::nullopt;
        const char value_type = (*type_of_value)[0];
        std::string* text = nullptr;
        switch (*code) {
            case Path:
                text = &message.path;
                break;
            case Interface:
                text = &message.interface;
                break;
            case Member:
                text = &message.member;
                break;
            case Signature:
                text = &message.signature;
                break;
            default:
                break;
        }
        if (*code == ReplySerial && value_type == 'u') {
            message.reply_serial = header.u32();
        } else if (text != nullptr && (value_type == 's' || value_type == 'o')) {
            *text = header.string().value_or("");
        } else if (text != nullptr && value_type == 'g') {
            *text = header.signature().value_or("");
        } else {
            header.skip(value_type);
        }
        if (header.failed()) return std::nullopt;
    }
    message.body = bytes.substr(aligned(fields_end, 8), read_u32(bytes, 4, message.big_endian));
    return message;
}

std::optional<std::string_view> WireReader::take(std::size_t count) {
    if (failed_ || count > bytes_.size() - at_) {
        fail();
        return std::nullopt;
    }
    const std::string_view taken = bytes_.substr(at_, count);
    at_ += count;
    return taken;
}

bool WireReader::align(std::size_t boundary) {
    const std::size_t to = aligned(at_, boundary);
    return !failed_ && to <= bytes_.size() ? (at_ = to, true) : fail();
}

std::optional<std::uint8_t> WireReader::u8() {
    const std::optional<std::string_view> byte = take(1);
    if (!byte) return std::nullopt;
    return static_cast<std::uint8_t>((*byte)[0]);
}

std::optional<std::uint32_t> WireReader::u32() {
    if (!align(4) || !take(4)) return std::nullopt;
    return read_u32(bytes_, at_ - 4, big_endian_);
}

std::optional<std::string> WireReader::text(std::optional<std::uint32_t> length) {
    if (!length) return std::nullopt;
    const std::optional<std::string_view> text = take(*length);
    const std::optional<std::uint8_t> end = u8();
    if (!text || end != 0) return fail(), std::nullopt;
    return std::string(*text);
}

std::optional<std::string> WireReader::string() { return text(u32()); }

std::optional<std::string> WireReader::signature() {
    const std::optional<std::uint8_t> length = u8();
    return text(length ? std::optional<std::uint32_t>(*length) : std::nullopt);
}

bool WireReader::skip(char type) {
    switch (type) {
        case 'y':
            return take(1).has_value();
        case 'n':
        case 'q':
            return align(2) && take(2);
        case 'b':
        case 'i':
        case 'u':
        case 'h':
            return u32().has_value();
        case 'x':
        case 't':
        case 'd':
            return align(8) && take(8);
        case 's':
        case 'o':
            return string().has_value();
        case 'g':
            return signature().has_value();
        default:
            return fail();
    }
}

std::optional<std::map<std::string, bool>> WireReader::booleans() {
    const std::optional<std::uint32_t> length = u32();
    // The entries are structures, aligned to 8 even when there are none.
    if (!length || !align(8) || *length > bytes_.size() - at_) return fail(), std::nullopt;
    const std::size_t end = at_ + *length;
    std::map<std::string, bool> entries;
    while (at_ < end) {
        align(8);
        const std::optional<std::string> key = string();
        const std::optional<std::string> type = signature();
        if (!key || !type || type->size() != 1) return fail(), std::nullopt;
        if (*type == "b") {
            const std::optional<std::uint32_t> value = u32();
            if (!value || *value > 1) return fail(), std::nullopt;
            entries[*key] = *value == 1;
        } else if (!skip((*type)[0])) {
            return std::nullopt;
        }
    }
    if (at_ != end) return fail(), std::nullopt;
    return entries;
}

}  // namespace accessibility_bus
