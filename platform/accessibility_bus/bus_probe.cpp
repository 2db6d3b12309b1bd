#include "platform/accessibility_bus/bus_probe.h"

namespace accessibility_bus {

namespace {

constexpr const char* Bus = "org.freedesktop.DBus";
constexpr const char* BusPath = "/org/freedesktop/DBus";

}  // namespace

std::string BusProbe::say(const MethodCall& call) { return encode(call, ++serial_); }

std::string BusProbe::greeting() { return say({Bus, BusPath, Bus, "Hello", {}, 0}); }

std::string BusProbe::ping() {
    return say({Bus, BusPath, "org.freedesktop.DBus.Peer", "Ping", {}, 0});
}

bool BusProbe::answers(const Message& message) const {
    return serial_ != 0 && message.reply_serial == serial_ &&
           (message.type == MessageType::MethodReturn || message.type == MessageType::Error);
}

}  // namespace accessibility_bus
