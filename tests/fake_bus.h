#pragma once
// A stand-in for a message bus, for the tests of the Linux program's connections to one.

#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <cstddef>
#include <cstdlib>
#include <cstring>
#include <string>

#include "platform/accessibility_bus/bus_connection.h"

namespace fake_bus {

using accessibility_bus::SocketAddress;

// A bus of one connection on a socket in a fresh folder: a path there, or an abstract name made
// of it.
class FakeBus {
public:
    explicit FakeBus(const std::string& name = "bus", bool abstract = false) {
        char folder[] = "/tmp/varnel-bus-XXXXXX";
        folder_ = mkdtemp(folder);
        address_ = {folder_ + "/" + name, abstract};
        listener_ = socket(AF_UNIX, SOCK_STREAM, 0);
        sockaddr_un place{};
        place.sun_family = AF_UNIX;
        const std::size_t offset = abstract ? 1 : 0;
        // A path may fill the whole field, without the zero that would end it.
        const std::size_t length = std::min(address_.name.size(), sizeof place.sun_path - offset);
        std::memcpy(place.sun_path + offset, address_.name.data(), length);
        bound_ =
            bind(listener_, reinterpret_cast<sockaddr*>(&place),
                 static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + offset + length)) == 0;
        listen(listener_, 8);
    }
    ~FakeBus() {
        if (client_ >= 0) close(client_);
        close(listener_);
        if (!address_.abstract) unlink(address_.name.c_str());
        rmdir(folder_.c_str());
    }
    const SocketAddress& address() const { return address_; }
    bool bound() const { return bound_; }
    // What the program sent, once it has connected.
    std::string heard() {
        accept_client();
        std::string bytes;
        char chunk[4096];
        ssize_t got = 0;
        while ((got = recv(client_, chunk, sizeof chunk, MSG_DONTWAIT)) > 0)
            bytes.append(chunk, static_cast<std::size_t>(got));
        return bytes;
    }
    void say(const std::string& bytes) {
        accept_client();
        ASSERT_EQ(write(client_, bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size()));
    }
    void hang_up() {
        accept_client();
        close(client_);
        client_ = -1;
    }

private:
    void accept_client() {
        if (client_ < 0) client_ = accept(listener_, nullptr, nullptr);
    }

    std::string folder_;
    SocketAddress address_;
    bool bound_ = false;
    int listener_ = -1;
    int client_ = -1;
};

}  // namespace fake_bus
