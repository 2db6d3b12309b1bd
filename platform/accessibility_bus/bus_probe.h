#pragma once

#include <cstdint>
#include <string>

#include "platform/accessibility_bus/dbus_message.h"

namespace accessibility_bus {

// The program's own word with the accessibility bus. Its greeting proves, without waiting, that
// the bus answers, before the AT-SPI bridge is started on it: the bridge's own greeting waits as
// long as the bus keeps silent. Kept open, the same connection tells when the bus goes away, and
// a ping now and then whether it still answers. This is the conversation alone; a connection
// carries its bytes.
class BusProbe {
public:
    std::string greeting();
    // Asks the bus itself for a sign of life.
    std::string ping();
    // Whether the message is the bus's answer to the last greeting or ping (an error is an
    // answer too: the bus is there).
    bool answers(const Message& message) const;

private:
    std::string say(const MethodCall& call);

    std::uint32_t serial_ = 0;
};

}  // namespace accessibility_bus
