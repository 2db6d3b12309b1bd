#pragma once

#include <cstdint>
#include <map>
#include <string>

#include "platform/accessibility_bus/dbus_message.h"

namespace accessibility_bus {

// Whether the desktop asks programs to be accessible, as the AT-SPI bus launcher tells it on the
// session bus: its org.a11y.Status properties IsEnabled (assistive technology is in use) and
// ScreenReaderEnabled (a screen reader runs). They are read once the program has greeted the
// bus, followed as they change, and read again whenever the launcher appears anew (a screen
// reader that starts after the program starts the launcher). This is the conversation alone;
// a connection carries its bytes.
class AccessibilityStatus {
public:
    // What the program says first: its greeting, what it listens for, and its question.
    std::string opening();
    // Takes one message from the bus; returns what to say in answer, often nothing.
    std::string read(const Message& message);
    // Either property is true.
    bool enabled() const;

private:
    std::string say(MethodCall call);
    std::string ask();

    std::uint32_t serial_ = 0;
    std::uint32_t question_ = 0;  // the serial of the last question
    std::map<std::string, bool> properties_;
};

}  // namespace accessibility_bus
