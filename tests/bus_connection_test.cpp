// The Linux program's own connection to a message bus: which sockets it reaches, that each socket
// has one owner, and that a bus that hangs up or never finishes its sign-in is noticed.
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstddef>
#include <filesystem>
#include <functional>
#include <iterator>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/accessibility_bus/bus_connection.h"
#include "platform/accessibility_bus/dbus_message.h"
#include "tests/fake_bus.h"

namespace {

using accessibility_bus::BusConnection;
using accessibility_bus::Message;
using fake_bus::FakeBus;

// Socket paths and abstract names fill the address's field at most: a path with the zero that
// ends it, an abstract name behind the zero that marks it.
TEST(BusConnection, SocketNamesFillTheAddressFieldAtMost) {
    // The fresh folder's name and its slash take 23 of the field's 108 bytes.
    const std::string fits(107 - 23, 'n');
    for (const bool abstract : {false, true}) {
        FakeBus bus(fits, abstract);
        ASSERT_TRUE(bus.bound());
        EXPECT_TRUE(BusConnection::open({bus.address()}, "").has_value()) << abstract;
    }
    // A path without its zero is one D-Bus does not name, though the kernel binds a socket there.
    FakeBus full(std::string(108 - 23, 'n'));
    ASSERT_TRUE(full.bound());
    EXPECT_FALSE(BusConnection::open({full.address()}, "").has_value());
    EXPECT_FALSE(BusConnection::open({{std::string(108, 'n'), true}}, "").has_value());
}

std::size_t open_descriptors() {
    const std::filesystem::directory_iterator entries("/proc/self/fd");
    return static_cast<std::size_t>(std::distance(begin(entries), end(entries)));
}

// What cannot connect leaves nothing open; a connection moved keeps its socket, and the one it
// replaces is closed.
TEST(BusConnection, EachSocketHasOneOwner) {
    const std::size_t before = open_descriptors();
    for (int attempt = 0; attempt < 20; ++attempt) {
        EXPECT_FALSE(BusConnection::open({{"/nonexistent/bus", false}}, "").has_value());
    }
    EXPECT_EQ(open_descriptors(), before);

    FakeBus bus;
    std::optional<BusConnection> first = BusConnection::open({bus.address()}, "");
    std::optional<BusConnection> second = BusConnection::open({bus.address()}, "");
    ASSERT_TRUE(first.has_value() && second.has_value());
    const int replaced = first->fd();
    const int kept = second->fd();
    *first = std::move(*second);
    EXPECT_EQ(first->fd(), kept);
    EXPECT_EQ(second->fd(), -1);  // NOLINT(bugprone-use-after-move): moved from on purpose
    EXPECT_EQ(fcntl(replaced, F_GETFD), -1);
    // Moved into a new connection, or onto itself, a connection keeps its socket open.
    BusConnection taken(std::move(*first));
    EXPECT_EQ(taken.fd(), kept);
    EXPECT_EQ(first->fd(), -1);  // NOLINT(bugprone-use-after-move): moved from on purpose
    BusConnection& same = taken;
    taken = std::move(same);
    EXPECT_EQ(taken.fd(), kept);
    EXPECT_NE(fcntl(kept, F_GETFD), -1);
}

// How a child process that ran `steps` ended: the exit code of the first step that failed, or 0.
int run_apart(const std::function<int()>& steps) {
    const pid_t child = fork();
    if (child == 0) _exit(steps());
    int status = -1;
    waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

// A program started with its standard input closed gets descriptor 0 for its first socket, which
// works and is closed like any other; out of descriptors nothing connects, and none of the
// program's own is closed on the way.
TEST(BusConnection, EveryDescriptorWorksAndNoneIsLost) {
    FakeBus bus;
    const auto is_open = [](int fd) { return fcntl(fd, F_GETFD) != -1; };
    EXPECT_EQ(run_apart([&] {
                  close(STDIN_FILENO);
                  std::optional<BusConnection> first = BusConnection::open({bus.address()}, "");
                  if (!first || first->fd() != STDIN_FILENO) return 1;
                  std::optional<BusConnection> second = BusConnection::open({bus.address()}, "");
                  if (!second) return 2;
                  *first = std::move(*second);
                  if (is_open(STDIN_FILENO)) return 3;
                  first.reset();
                  std::optional<BusConnection> third = BusConnection::open({bus.address()}, "");
                  if (!third || third->fd() != STDIN_FILENO) return 4;
                  third.reset();
                  return is_open(STDIN_FILENO) ? 5 : 0;
              }),
              0);
    EXPECT_EQ(run_apart([&] {
                  if (!is_open(STDIN_FILENO)) open("/dev/null", O_RDONLY);
                  const rlimit none{0, 0};
                  setrlimit(RLIMIT_NOFILE, &none);
                  if (BusConnection::open({bus.address()}, "")) return 1;
                  return is_open(STDIN_FILENO) ? 0 : 2;
              }),
              0);
}

// A bus that hangs up is noticed however it does, when the program next reads or sends; an errno
// left from an earlier call is not taken for an interrupted one.
TEST(BusConnection, ABusThatHangsUpIsNoticed) {
    std::vector<Message> messages;
    {
        FakeBus bus;
        std::optional<BusConnection> connection = BusConnection::open({bus.address()}, "");
        ASSERT_TRUE(connection.has_value());
        bus.heard();
        bus.hang_up();
        errno = EINTR;
        EXPECT_FALSE(connection->receive(messages));
        EXPECT_FALSE(connection->send("more"));
    }
    {
        // Hung up without reading what it was sent: the socket reports the connection reset.
        FakeBus bus;
        std::optional<BusConnection> connection = BusConnection::open({bus.address()}, "unread");
        ASSERT_TRUE(connection.has_value());
        bus.hang_up();
        EXPECT_FALSE(connection->receive(messages));
    }
    EXPECT_TRUE(messages.empty());
}

// The sign-in's answer may come a byte at a time, but a line that has not ended within 64 KiB is
// no answer.
TEST(BusConnection, TheSignInAnswerComesInAnyPiecesUpToALimit) {
    std::vector<Message> messages;
    FakeBus bus;
    std::optional<BusConnection> connection = BusConnection::open({bus.address()}, "");
    ASSERT_TRUE(connection.has_value());
    for (const char byte : std::string("OK 1234")) {
        bus.say(std::string(1, byte));
        EXPECT_TRUE(connection->receive(messages)) << byte;
    }
    EXPECT_TRUE(connection->send("x"));

    FakeBus endless;
    std::optional<BusConnection> waiting = BusConnection::open({endless.address()}, "");
    ASSERT_TRUE(waiting.has_value());
    endless.say(std::string(std::size_t{64} * 1024 - 1, 'x'));
    EXPECT_TRUE(waiting->receive(messages));
    endless.say("x");
    EXPECT_FALSE(waiting->receive(messages));
}

}  // namespace
