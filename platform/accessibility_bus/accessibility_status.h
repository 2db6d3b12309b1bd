#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>

#include "platform/accessibility_bus/dbus_message.h"

namespace accessibility_bus {

// What the AT-SPI bus launcher tells on the session bus: whether the desktop asks programs to be
// accessible, from its org.a11y.Status properties IsEnabled (assistive technology is in use) and
// ScreenReaderEnabled (a screen reader runs), and where the accessibility bus is, when asked.
// The properties are read once the program has greeted the bus, followed as they change, and read
// again whenever the launcher appears anew (a screen reader that starts after the program starts
// the launcher). This is the conversation alone; a connection carries its bytes.
class AccessibilityStatus {
public:
    // What the program says first: its greeting, what it listens for, and its question.
    std::string opening();
    // Asks where the accessibility bus is: the launcher's bus, which it starts if need be. Only
    // the answer to the last question counts.
    std::string ask_address();

    // What one message from the bus brought.
    struct Heard {
        std::string answer;                  // what to say in answer, often nothing
        std::optional<std::string> address;  // the accessibility bus's address, as asked
        bool launcher_appeared = false;      // a launcher started: its bus may be another
    };
    Heard read(const Message& message);
    // Either property is true.
    bool enabled() const;

private:
    std::string say(const MethodCall& call);
    std::string ask();

    std::uint32_t serial_ = 0;
    std::uint32_t question_ = 0;          // the serial of the last question of the properties
    std::uint32_t address_question_ = 0;  // and of the bus's address
    std::map<std::string, bool> properties_;
};

}  // namespace accessibility_bus
