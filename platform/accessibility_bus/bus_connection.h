#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/accessibility_bus/dbus_message.h"

namespace accessibility_bus {

// A Unix socket a D-Bus address names: a path in the file system, or a name in the abstract
// namespace.
struct SocketAddress {
    std::string name;
    bool abstract = false;
    bool operator==(const SocketAddress&) const = default;
};

// The Unix sockets among the addresses of a D-Bus address list ("unix:path=/run/user/1000/bus",
// several separated by ";"), in order, their values unescaped. Other transports are left out.
std::vector<SocketAddress> unix_sockets(std::string_view addresses);

// A connection to a message bus over its Unix socket, without a D-Bus library: it signs in with
// the EXTERNAL mechanism (the socket itself tells the bus who we are), sends messages, and
// gathers whole messages as they arrive. It never blocks: the event loop watches fd().
class BusConnection {
public:
    // Connects to the first of the sockets that accepts, signs in and sends `first` right behind
    // the sign-in, as the bus allows; nothing if no socket accepts.
    static std::optional<BusConnection> open(const std::vector<SocketAddress>& sockets,
                                             std::string_view first);

    BusConnection(BusConnection&& other) noexcept;
    BusConnection& operator=(BusConnection&& other) noexcept;
    BusConnection(const BusConnection&) = delete;
    BusConnection& operator=(const BusConnection&) = delete;
    ~BusConnection();

    int fd() const { return fd_; }
    bool send(std::string_view bytes);
    // Reads what has arrived and adds each whole message to `messages`; false once the bus has
    // closed the connection, refused the sign-in or sent what is no message.
    bool receive(std::vector<Message>& messages);

private:
    explicit BusConnection(int fd) : fd_(fd) {}

    int fd_ = -1;
    bool signed_in_ = false;
    std::string received_;
};

}  // namespace accessibility_bus
