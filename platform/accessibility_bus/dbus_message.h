#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace accessibility_bus {

// The few D-Bus messages the program exchanges with the session bus before it knows whether the
// desktop wants accessibility, in the bus's wire format: method calls with string arguments out,
// and in, the headers of any message and the bodies made of strings and dictionaries of booleans.
// The program links no D-Bus library for this: one would cost more at every start than the
// whole conversation does (see docs/performance.md).

enum class MessageType : std::uint8_t { MethodCall = 1, MethodReturn = 2, Error = 3, Signal = 4 };

// Header flags.
constexpr std::uint8_t NoReplyExpected = 0x1;
constexpr std::uint8_t NoAutoStart = 0x2;

struct MethodCall {
    std::string destination;
    std::string path;
    std::string interface;
    std::string member;
    std::vector<std::string> arguments;  // each a string
    std::uint8_t flags = 0;
};

// The message in the wire format (little-endian), numbered `serial`.
std::string encode(const MethodCall& call, std::uint32_t serial);

// How much of a buffer the first message takes.
struct Framing {
    enum class State { Incomplete, Whole, Broken } state = State::Incomplete;
    std::size_t length = 0;  // Whole: the message's length in bytes
};
// Messages longer than `limit` count as broken: the program expects none that large.
Framing frame(std::string_view buffer, std::size_t limit);

// A message as received: its header fields and its body, still encoded.
struct Message {
    MessageType type = MessageType::MethodCall;
    std::uint32_t serial = 0;
    std::optional<std::uint32_t> reply_serial;
    std::string path;
    std::string interface;
    std::string member;
    std::string signature;  // of the body
    std::string body;
    bool big_endian = false;
};

// Reads one whole message (as framed by frame()); nothing if it is malformed.
std::optional<Message> parse(std::string_view bytes);

// Values in the wire format, read in order: a message's header fields, or its body. Reading past
// the end or a value of another type fails the reader, and every later read gives nothing.
class WireReader {
public:
    WireReader(std::string_view bytes, bool big_endian, std::size_t from = 0)
        : bytes_(bytes), big_endian_(big_endian), at_(from) {}
    // The message's body.
    explicit WireReader(const Message& message) : WireReader(message.body, message.big_endian) {}

    std::optional<std::uint8_t> u8();
    std::optional<std::uint32_t> u32();
    std::optional<std::string> string();
    std::optional<std::string> signature();
    // An array of dictionary entries {sv}: those whose values are booleans. Entries of other
    // one-letter types are skipped; a value of a container type fails the reader.
    std::optional<std::map<std::string, bool>> booleans();
    // Skips a value of a one-letter type; fails on any other.
    bool skip(char type);
    bool align(std::size_t boundary);

    std::size_t position() const { return at_; }
    bool failed() const { return failed_; }

private:
    std::optional<std::string_view> take(std::size_t count);
    // A text of this length (its length already read) and the zero byte that ends it.
    std::optional<std::string> text(std::optional<std::uint32_t> length);
    bool fail() {
        failed_ = true;
        return false;
    }

    std::string_view bytes_;
    bool big_endian_;
    std::size_t at_;
    bool failed_ = false;
};

}  // namespace accessibility_bus
