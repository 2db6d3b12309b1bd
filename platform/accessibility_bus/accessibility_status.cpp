#include "platform/accessibility_bus/accessibility_status.h"

#include <algorithm>
#include <optional>
#include <utility>

namespace accessibility_bus {

namespace {

constexpr const char* Launcher = "org.a11y.Bus";
constexpr const char* LauncherPath = "/org/a11y/bus";
constexpr const char* StatusInterface = "org.a11y.Status";
constexpr const char* Properties = "org.freedesktop.DBus.Properties";
constexpr const char* Bus = "org.freedesktop.DBus";

MethodCall to_bus(std::string member, std::vector<std::string> arguments, std::uint8_t flags) {
    return {Bus, "/org/freedesktop/DBus", Bus, std::move(member), std::move(arguments), flags};
}

bool is_signal(const Message& message, std::string_view interface, std::string_view member,
               std::string_view signature) {
    return message.type == MessageType::Signal && message.interface == interface &&
           message.member == member && message.signature == signature;
}

}  // namespace

std::string AccessibilityStatus::say(const MethodCall& call) { return encode(call, ++serial_); }

std::string AccessibilityStatus::ask() {
    std::string question = say({Launcher,
                                LauncherPath,
                                Properties,
                                "GetAll",
                                {StatusInterface},
                                // Asking starts no launcher: a desktop without one has none on.
                                NoAutoStart});
    question_ = serial_;
    return question;
}

std::string AccessibilityStatus::ask_address() {
    std::string question = say({Launcher, LauncherPath, Launcher, "GetAddress", {}, 0});
    address_question_ = serial_;
    return question;
}

std::string AccessibilityStatus::opening() {
    const std::string changes = std::string("type='signal',sender='") + Launcher + "',interface='" +
                                Properties + "',member='PropertiesChanged',path='" + LauncherPath +
                                "',arg0='" + StatusInterface + "'";
    const std::string launcher_appears = std::string("type='signal',sender='") + Bus +
                                         "',interface='" + Bus +
                                         "',member='NameOwnerChanged',arg0='" + Launcher + "'";
    // In this order: the bus answers nothing before the greeting.
    std::string opening = say(to_bus("Hello", {}, 0));
    opening += say(to_bus("AddMatch", {changes}, NoReplyExpected));
    opening += say(to_bus("AddMatch", {launcher_appears}, NoReplyExpected));
    return opening + ask();
}

AccessibilityStatus::Heard AccessibilityStatus::read(const Message& message) {
    Heard heard;
    const bool answer = message.reply_serial == question_;
    if (address_question_ != 0 && message.reply_serial == address_question_ &&
        message.type == MessageType::MethodReturn && message.signature == "s") {
        WireReader body(message);
        heard.address = body.string();
    } else if (answer && message.type == MessageType::MethodReturn &&
               message.signature == "a{sv}") {
        WireReader body(message);
        properties_ = body.booleans().value_or(std::map<std::string, bool>{});
    } else if (answer && message.type == MessageType::Error) {
        properties_.clear();  // no launcher runs
    } else if (is_signal(message, Properties, "PropertiesChanged", "sa{sv}as") &&
               message.path == LauncherPath) {
        WireReader body(message);
        if (body.string() != StatusInterface) return heard;
        if (const auto changed = body.booleans()) {
            for (const auto& [name, value] : *changed) properties_[name] = value;
        }
    } else if (is_signal(message, Bus, "NameOwnerChanged", "sss")) {
        WireReader body(message);
        const std::optional<std::string> name = body.string();
        body.string();  // the old owner
        const std::optional<std::string> owner = body.string();
        if (name != Launcher || !owner) return heard;
        if (!owner->empty()) {
            heard.answer = ask();
            heard.launcher_appeared = true;
        } else {
            properties_.clear();
        }
    }
    return heard;
}

bool AccessibilityStatus::enabled() const {
    return std::ranges::any_of(properties_, [](const auto& property) {
        return (property.first == "IsEnabled" || property.first == "ScreenReaderEnabled") &&
               property.second;
    });
}

}  // namespace accessibility_bus
