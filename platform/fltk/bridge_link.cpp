#include "platform/fltk/bridge_link.h"

#include <FL/Enumerations.H>
#include <FL/Fl.H>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <string_view>
#include <utility>
#include <vector>

namespace fltk {

namespace {

using accessibility_bus::BridgeKeeper;

// Set to 1, it turns accessibility on whatever the desktop says.
constexpr const char* ForceVariable = "VARNEL_ACCESSIBILITY";

// The session bus's addresses: as the environment names them, or where a desktop session's
// bus stands by default.
std::string session_bus_address() {
    if (const char* address = std::getenv("DBUS_SESSION_BUS_ADDRESS")) return address;
    if (const char* runtime = std::getenv("XDG_RUNTIME_DIR")) {
        return std::string("unix:path=") + runtime + "/bus";
    }
    return {};
}

std::string environment(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? value : "";
}

BridgeKeeper::Time now() { return BridgeKeeper::Clock::now(); }

void append(BridgeKeeper::Commands& commands, const BridgeKeeper::Commands& more) {
    commands.insert(commands.end(), more.begin(), more.end());
}

}  // namespace

BridgeLink::BridgeLink(Bridge bridge)
    : bridge_(std::move(bridge)), given_address_(environment("AT_SPI_BUS_ADDRESS")) {
    // The question goes out while the program starts; its answer comes back through the event
    // loop, after the first window is on the screen.
    open_status(status_.opening());
    if (environment(ForceVariable) == "1") run(want());
}

BridgeLink::~BridgeLink() {
    Fl::remove_timeout(deadline_came, this);
    close_status();
    close_probe();
}

void BridgeLink::open_status(const std::string& first) {
    status_bus_ = accessibility_bus::BusConnection::open(
        accessibility_bus::unix_sockets(session_bus_address()), first);
    if (status_bus_) Fl::add_fd(status_bus_->fd(), FL_READ, status_readable, this);
}

void BridgeLink::close_status() {
    if (!status_bus_) return;
    Fl::remove_fd(status_bus_->fd());
    status_bus_.reset();
}

void BridgeLink::close_probe() {
    if (!probe_bus_) return;
    Fl::remove_fd(probe_bus_->fd());
    probe_bus_.reset();
}

void BridgeLink::status_readable(int, void* self) {
    auto& link = *static_cast<BridgeLink*>(self);
    std::vector<accessibility_bus::Message> messages;
    bool open = link.status_bus_->receive(messages);
    BridgeKeeper::Commands commands;
    for (const accessibility_bus::Message& message : messages) {
        const accessibility_bus::AccessibilityStatus::Heard heard = link.status_.read(message);
        if (!heard.answer.empty()) open = open && link.status_bus_->send(heard.answer);
        if (heard.launcher_appeared) append(commands, link.keeper_.launcher_appeared(now()));
        if (heard.address) append(commands, link.keeper_.address(*heard.address, now()));
    }
    // Once on, accessibility stays on.
    if (link.status_.enabled()) append(commands, link.want());
    if (!open) link.close_status();
    link.run(std::move(commands));
}

void BridgeLink::probe_readable(int, void* self) {
    auto& link = *static_cast<BridgeLink*>(self);
    std::vector<accessibility_bus::Message> messages;
    const bool open = link.probe_bus_->receive(messages);
    BridgeKeeper::Commands commands;
    for (const accessibility_bus::Message& message : messages) {
        if (link.probe_.answers(message)) append(commands, link.keeper_.probe_answered(now()));
    }
    if (!open) append(commands, link.keeper_.probe_lost(now()));
    link.run(std::move(commands));
}

BridgeLink::Commands BridgeLink::want() {
    Commands commands = keeper_.want(now());
    if (!commands.empty()) bridge_.wanted();  // the first time
    return commands;
}

void BridgeLink::deadline_came(void* self) {
    auto& link = *static_cast<BridgeLink*>(self);
    link.run(link.keeper_.time_passed(now()));
}

void BridgeLink::run(Commands commands) {
    while (!commands.empty()) {
        Commands next;
        for (const BridgeKeeper::Command command : commands) append(next, act(command));
        commands = std::move(next);
    }
    Fl::remove_timeout(deadline_came, this);
    if (const std::optional<BridgeKeeper::Time> deadline = keeper_.deadline()) {
        const std::chrono::duration<double> wait = *deadline - now();
        Fl::add_timeout(std::max(wait.count(), 0.0), deadline_came, this);
    }
}

BridgeLink::Commands BridgeLink::act(BridgeKeeper::Command command) {
    switch (command) {
        case BridgeKeeper::Command::AskAddress:
            if (!given_address_.empty()) return keeper_.address(given_address_, now());
            if (!status_bus_ || !status_bus_->send(status_.ask_address())) {
                // The session bus went, or never was: a new connection asks anew.
                close_status();
                open_status(status_.opening() + status_.ask_address());
            }
            return {};
        case BridgeKeeper::Command::OpenProbe:
            close_probe();
            // An address other than a Unix socket's cannot be proven, and is not used.
            probe_bus_ = accessibility_bus::BusConnection::open(
                accessibility_bus::unix_sockets(keeper_.bus_address()), probe_.greeting());
            if (!probe_bus_) return keeper_.probe_lost(now());
            Fl::add_fd(probe_bus_->fd(), FL_READ, probe_readable, this);
            return {};
        case BridgeKeeper::Command::Ping:
            if (!probe_bus_ || !probe_bus_->send(probe_.ping())) return keeper_.probe_lost(now());
            return {};
        case BridgeKeeper::Command::CloseProbe:
            close_probe();
            return {};
        case BridgeKeeper::Command::Export:
            return keeper_.exported(bridge_.start(keeper_.bus_address()), now());
        case BridgeKeeper::Command::Withdraw:
            bridge_.stop();
            return {};
    }
    return {};
}

}  // namespace fltk
