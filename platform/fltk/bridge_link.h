#pragma once

#include <functional>
#include <optional>
#include <string>

#include "platform/accessibility_bus/accessibility_status.h"
#include "platform/accessibility_bus/bridge_keeper.h"
#include "platform/accessibility_bus/bus_connection.h"
#include "platform/accessibility_bus/bus_probe.h"

namespace fltk {

// The program's link to the desktop's accessibility: the session bus asked whether the desktop
// wants it and where its bus is, the program's own probe of that bus, and when to start and stop
// the AT-SPI bridge, as the BridgeKeeper decides. Every socket is watched by FLTK's event loop and
// every wait has a deadline on FLTK's clock, so nothing here ever holds the user interface.
class BridgeLink {
public:
    struct Bridge {
        // Accessibility is wanted from now on; the bridge follows once its bus answers.
        std::function<void()> wanted;
        // Starts the bridge on the bus at this address; whether it started.
        std::function<bool(const std::string& address)> start;
        std::function<void()> stop;
    };

    // Asks the session bus whether the desktop wants accessibility (or takes it as wanted:
    // VARNEL_ACCESSIBILITY=1), then keeps the bridge going on its bus.
    explicit BridgeLink(Bridge bridge);
    BridgeLink(const BridgeLink&) = delete;
    BridgeLink& operator=(const BridgeLink&) = delete;
    ~BridgeLink();

private:
    using Commands = accessibility_bus::BridgeKeeper::Commands;

    void open_status(const std::string& first);
    void close_status();
    void close_probe();
    static void status_readable(int fd, void* self);
    static void probe_readable(int fd, void* self);
    static void deadline_came(void* self);
    // Does what the keeper says, and what it says to that, until it says nothing more; then
    // waits for its next deadline.
    void run(Commands commands);
    Commands act(accessibility_bus::BridgeKeeper::Command command);
    // Accessibility is wanted (the desktop says so, or the user): tells the bridge's side.
    Commands want();

    Bridge bridge_;
    accessibility_bus::BridgeKeeper keeper_;
    accessibility_bus::AccessibilityStatus status_;
    std::optional<accessibility_bus::BusConnection> status_bus_;
    accessibility_bus::BusProbe probe_;
    std::optional<accessibility_bus::BusConnection> probe_bus_;
    // AT_SPI_BUS_ADDRESS as the program found it: the bridge is told the address through the
    // same variable later.
    std::string given_address_;
};

}  // namespace fltk
