#include "platform/accessibility_bus/bus_connection.h"

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <cstddef>
#include <utility>

#include "platform/accessibility_bus/split.h"

namespace accessibility_bus {

namespace {

// No message the program expects comes near this; a longer one means the stream is not what
// the program thinks it is.
constexpr std::size_t MessageLimit = std::size_t{64} * 1024;

int hex_digit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// A value of an address, with its %XX escapes undone; nothing if an escape is malformed.
std::optional<std::string> unescaped(std::string_view value) {
    std::string text;
    for (std::size_t i = 0; i < value.size(); ++i) {
        if (value[i] != '%') {
            text += value[i];
            continue;
        }
        if (i + 2 >= value.size()) return std::nullopt;
        const int high = hex_digit(value[i + 1]);
        const int low = hex_digit(value[i + 2]);
        if (high < 0 || low < 0) return std::nullopt;
        text += static_cast<char>(high * 16 + low);
        i += 2;
    }
    return text;
}

// The sign-in: a zero byte (with it, the socket passes our credentials), then the EXTERNAL
// mechanism with our user id in hexadecimal digits of its decimal text.
std::string sign_in() {
    std::string uid_hex;
    for (const char digit : std::to_string(getuid())) {
        constexpr const char* Hex = "0123456789abcdef";
        const auto byte = static_cast<unsigned char>(digit);
        uid_hex += Hex[byte >> 4U];
        uid_hex += Hex[byte & 0xFU];
    }
    return std::string(1, '\0') + "AUTH EXTERNAL " + uid_hex + "\r\nBEGIN\r\n";
}

int connected_socket(const SocketAddress& address) {
    sockaddr_un place{};
    place.sun_family = AF_UNIX;
    const std::size_t offset = address.abstract ? 1 : 0;
    if (address.name.size() + offset + (address.abstract ? 0 : 1) > sizeof place.sun_path) {
        return -1;
    }
    // Bounded by the field as well, whatever the check above lets through.
    address.name.copy(place.sun_path + offset, sizeof place.sun_path - offset);
    const auto length =
        static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + offset + address.name.size());
    const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (fd < 0) return -1;
    // A Unix socket connects at once, or not at all.
    if (connect(fd, reinterpret_cast<const sockaddr*>(&place), length) != 0) {
        close(fd);
        return -1;
    }
    return fd;
}

}  // namespace

std::vector<SocketAddress> unix_sockets(std::string_view addresses) {
    std::vector<SocketAddress> sockets;
    for (const std::string_view address : split(addresses, ';')) {
        constexpr std::string_view Unix = "unix:";
        if (!address.starts_with(Unix)) continue;
        for (const std::string_view pair : split(address.substr(Unix.size()), ',')) {
            const std::size_t equals = pair.find('=');
            if (equals == std::string_view::npos) continue;
            const std::string_view key = pair.substr(0, equals);
            if (key != "path" && key != "abstract") continue;
            if (const std::optional<std::string> name = unescaped(pair.substr(equals + 1))) {
                sockets.push_back({*name, key == "abstract"});
            }
            break;
        }
    }
    return sockets;
}

std::optional<BusConnection> BusConnection::open(const std::vector<SocketAddress>& sockets,
                                                 std::string_view first) {
    for (const SocketAddress& address : sockets) {
        const int fd = connected_socket(address);
        if (fd < 0) continue;
        BusConnection connection(fd);
        if (connection.send(sign_in() + std::string(first))) return connection;
    }
    return std::nullopt;
}

BusConnection::BusConnection(BusConnection&& other) noexcept
    : fd_(std::exchange(other.fd_, -1)),
      signed_in_(other.signed_in_),
      received_(std::move(other.received_)) {}

BusConnection& BusConnection::operator=(BusConnection&& other) noexcept {
    if (this != &other) {
        if (fd_ >= 0) close(fd_);
        fd_ = std::exchange(other.fd_, -1);
        signed_in_ = other.signed_in_;
        received_ = std::move(other.received_);
    }
    return *this;
}

BusConnection::~BusConnection() {
    if (fd_ >= 0) close(fd_);
}

bool BusConnection::send(std::string_view bytes) {
    // The program's messages are a few hundred bytes: they fit the socket's buffer whole, and
    // one that does not means the bus has stopped reading.
    while (!bytes.empty()) {
        const ssize_t sent = ::send(fd_, bytes.data(), bytes.size(), MSG_NOSIGNAL);
        if (sent < 0 && errno == EINTR) continue;
        if (sent <= 0) return false;
        bytes.remove_prefix(static_cast<std::size_t>(sent));
    }
    return true;
}

bool BusConnection::receive(std::vector<Message>& messages) {
    char chunk[4096];
    while (true) {
        const ssize_t got = recv(fd_, chunk, sizeof chunk, MSG_DONTWAIT);
        if (got > 0) {
            received_.append(chunk, static_cast<std::size_t>(got));
            continue;
        }
        if (got < 0 && errno == EINTR) continue;
        if (got < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) break;
        return false;  // closed, or failed
    }
    if (!signed_in_) {
        const std::size_t end = received_.find("\r\n");
        if (end == std::string::npos) return received_.size() < MessageLimit;
        if (!received_.starts_with("OK ")) return false;
        received_.erase(0, end + 2);
        signed_in_ = true;
    }
    while (true) {
        const Framing framing = frame(received_, MessageLimit);
        if (framing.state == Framing::State::Broken) return false;
        if (framing.state == Framing::State::Incomplete) return true;
        if (std::optional<Message> message =
                parse(std::string_view(received_).substr(0, framing.length))) {
            messages.push_back(std::move(*message));
        }
        received_.erase(0, framing.length);
    }
}

}  // namespace accessibility_bus
