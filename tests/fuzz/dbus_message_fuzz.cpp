// The session bus's messages as the Linux program reads them: whatever the bytes, reading stays
// inside them and ends; and what the program writes, it reads back as written.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/accessibility_bus/dbus_message.h"

namespace {

using accessibility_bus::Framing;

// Reads every value of a body whose signature the program knows, as the status reader does.
void read_body(const accessibility_bus::Message& message) {
    accessibility_bus::WireReader reader(message);
    for (const char type : message.signature) {
        if (type == 'a') {
            reader.booleans();
        } else {
            reader.skip(type);
        }
        if (reader.position() > message.body.size()) __builtin_trap();
    }
}

// The bytes cut into a call's texts at each zero byte; at most 255 arguments, as many as a
// signature can name.
accessibility_bus::MethodCall call_of(std::string_view bytes) {
    accessibility_bus::MethodCall call;
    std::string* const texts[] = {&call.destination, &call.path, &call.interface, &call.member};
    std::size_t piece = 0;
    for (const char c : bytes) {
        if (c == '\0') {
            ++piece;
            if (piece >= 4 + 255) break;
            if (piece >= 4) call.arguments.emplace_back();
            continue;
        }
        (piece < 4 ? *texts[piece] : call.arguments.back()) += c;
    }
    return call;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);

    const Framing framing = accessibility_bus::frame(bytes, 1 << 20);
    if (framing.state == Framing::State::Whole && framing.length > size) __builtin_trap();
    if (const auto message = accessibility_bus::parse(bytes)) {
        if (message->body.size() > size) __builtin_trap();
        read_body(*message);
    }

    const accessibility_bus::MethodCall call = call_of(bytes);
    const std::string encoded = accessibility_bus::encode(call, 7);
    const auto read = accessibility_bus::parse(encoded);
    if (!read || read->serial != 7 || read->path != call.path ||
        read->interface != call.interface || read->member != call.member ||
        read->type != accessibility_bus::MessageType::MethodCall) {
        __builtin_trap();
    }
    accessibility_bus::WireReader body(*read);
    for (const std::string& argument : call.arguments) {
        if (body.string() != argument) __builtin_trap();
    }
    return 0;
}
