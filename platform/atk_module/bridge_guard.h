#pragma once

#include <dbus/dbus.h>

namespace atk_module {

// Keeps from the AT-SPI bridge the calls it cannot take. Asked for a text by a unit that does not
// exist at an offset before the text (Text.GetStringAtOffset(-1, 5)), the bridge falls back on
// emulating the call for toolkits that lack it, and that emulation stops the program on the unit
// it does not know. The guard answers such calls with an error itself, on the bridge's connection
// to the accessibility bus, before the bridge sees them. Every call comes over that connection:
// the bridge is started without its direct connections to screen readers (ATSPI_DISABLE_P2P).
class BridgeGuard {
public:
    explicit BridgeGuard(DBusConnection* bus);
    BridgeGuard(const BridgeGuard&) = delete;
    BridgeGuard& operator=(const BridgeGuard&) = delete;
    ~BridgeGuard();

private:
    DBusConnection* bus_;
};

}  // namespace atk_module
