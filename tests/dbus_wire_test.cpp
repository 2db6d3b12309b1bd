// The D-Bus wire format as the Linux program writes and reads it without a D-Bus library, against
// messages built here by the format's rules: either byte order, header fields of every one-letter
// type, the dictionaries of booleans the accessibility launcher answers with, and the escapes of
// the addresses a bus hands out.
#include <gtest/gtest.h>

#include <cstdint>
#include <initializer_list>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/accessibility_bus/bus_connection.h"
#include "platform/accessibility_bus/dbus_message.h"
#include "tests/wire_builder.h"

namespace {

using accessibility_bus::Framing;
using accessibility_bus::Message;
using accessibility_bus::MessageType;
using accessibility_bus::SocketAddress;
using accessibility_bus::WireReader;
using namespace wire_builder;

TEST(DBusWire, AMethodCallIsWrittenAsTheFormatSays) {
    // A path long enough that the header's length takes two bytes, a serial of four.
    const std::string path = "/" + std::string(600, 'p');
    const std::string body = Wire(false).string("one").string("").bytes;
    const Built expected{false,
                         1,
                         0,
                         0x12345678,
                         {{Path, 'o', 0, path},
                          {Destination, 's', 0, "org.example.Peer"},
                          {Interface, 's', 0, "org.example.Iface"},
                          {Member, 's', 0, "Do"},
                          {Signature, 'g', 0, "ss"}},
                         body};
    EXPECT_EQ(accessibility_bus::encode(
                  {"org.example.Peer", path, "org.example.Iface", "Do", {"one", ""}}, 0x12345678),
              expected.bytes());
}

TEST(DBusWire, MessagesOfEitherByteOrderReadAlike) {
    for (const bool big_endian : {false, true}) {
        const Built built{big_endian,
                          3,
                          0,
                          0x01020304,
                          {{ReplySerial, 'u', 0x0A0B0C0D, ""},
                           {Path, 'o', 0, "/p"},
                           {Interface, 's', 0, "org.example.Iface"},
                           {Member, 's', 0, "Failed"},
                           {Signature, 'g', 0, "su"}},
                          Wire(big_endian).string("why").number(0x11223344, 4).bytes};
        // Bytes after the message are the next message's, not this one's body.
        const std::optional<Message> message =
            accessibility_bus::parse(built.bytes() + std::string(8, 'x'));
        ASSERT_TRUE(message.has_value()) << big_endian;
        EXPECT_EQ(message->big_endian, big_endian);
        EXPECT_EQ(message->type, MessageType::Error);
        EXPECT_EQ(message->serial, 0x01020304U);
        EXPECT_EQ(message->reply_serial, 0x0A0B0C0DU);
        EXPECT_EQ(message->path, "/p");
        EXPECT_EQ(message->interface, "org.example.Iface");
        EXPECT_EQ(message->member, "Failed");
        EXPECT_EQ(message->signature, "su");
        EXPECT_EQ(message->body, built.body);
        WireReader body(*message);
        EXPECT_EQ(body.string(), "why");
        EXPECT_EQ(body.u32(), 0x11223344U);
    }
}

// Header fields the program does not read are skipped by their type, whatever it is and wherever
// it stands (the two members put the last field's value at offsets 36 and 44); a field that ends
// the header ends exactly where its value does.
TEST(DBusWire, HeaderFieldsOfEveryOneLetterTypeAreSkipped) {
    for (const std::string member : {"Changed", "Changed1"}) {
        for (const char type : std::string("ynqbiuhxtdsog")) {
            const Built built{false, 4, 0, 7, {{Member, 's', 0, member}, {200, type, 1, "s"}}, ""};
            const std::optional<Message> message = accessibility_bus::parse(built.bytes());
            ASSERT_TRUE(message.has_value()) << member << ' ' << type;
            EXPECT_EQ(message->member, member) << type;
        }
    }
    for (const char type : std::string("av(")) {
        const Built built{false, 4, 0, 7, {{200, type, 0, ""}}, ""};
        EXPECT_FALSE(accessibility_bus::parse(built.bytes()).has_value()) << type;
    }
}

// Only field 5, and only as a whole number, says which call a message answers.
TEST(DBusWire, TheReplySerialIsAWholeNumberInItsOwnField) {
    const auto reply_serial = [](const Field& field) {
        return accessibility_bus::parse(Built{false, 2, 0, 9, {field}, ""}.bytes())->reply_serial;
    };
    EXPECT_EQ(reply_serial({ReplySerial, 'u', 4, ""}), 4U);
    EXPECT_FALSE(reply_serial({ReplySerial, 's', 0, "4"}).has_value());
    EXPECT_FALSE(reply_serial({Destination, 'u', 4, ""}).has_value());
    EXPECT_FALSE(reply_serial({ReplySerial - 1, 'u', 4, ""}).has_value());
}

TEST(DBusWire, OnlyTheFourMessageTypesOfVersionOneInEitherOrderAreRead) {
    // The smallest message: its fixed header alone.
    const std::string least = Built{false, 1, 0, 1, {}, ""}.bytes();
    ASSERT_EQ(least.size(), 16U);
    const Framing framing = accessibility_bus::frame(least, 16);
    EXPECT_EQ(framing.state, Framing::State::Whole);
    EXPECT_EQ(framing.length, 16U);
    EXPECT_EQ(accessibility_bus::frame(least.substr(0, 15), 16).state, Framing::State::Incomplete);

    for (const std::uint8_t type : std::initializer_list<std::uint8_t>{0, 1, 4, 5, 255}) {
        EXPECT_EQ(accessibility_bus::parse(Built{true, type, 0, 1, {}, ""}.bytes()).has_value(),
                  type >= 1 && type <= 4)
            << int{type};
    }
    for (const auto& [order, version] :
         {std::pair{'x', '\1'}, std::pair{'L', '\1'}, std::pair{'l', '\2'}, std::pair{'B', '\0'}}) {
        std::string other = least;
        other[0] = order;
        other[3] = version;
        EXPECT_EQ(accessibility_bus::frame(other, 16).state, Framing::State::Broken) << order;
    }
}

// The launcher's properties, as an array of {sv} entries.
std::optional<std::map<std::string, bool>> booleans_of(const std::string& body, bool big_endian) {
    return WireReader(body, big_endian).booleans();
}

TEST(DBusWire, DictionariesOfBooleansSkipOtherValues) {
    for (const bool big_endian : {false, true}) {
        // The first entry ends off the 8-byte boundary the next one starts on.
        Wire entries(big_endian);
        entries.string("Name").signature("s").string("x");
        entries.align(8).string("IsEnabled").signature("b").number(1, 4);
        entries.align(8).string("Count").signature("u").number(7, 4);
        entries.align(8).string("ScreenReaderEnabled").signature("b").number(0, 4);
        EXPECT_EQ(
            booleans_of(dictionary(big_endian, entries.bytes), big_endian),
            (std::map<std::string, bool>{{"IsEnabled", true}, {"ScreenReaderEnabled", false}}));
    }
    // An empty array still brings its padding to the entries' boundary, which may end the body.
    EXPECT_EQ(booleans_of(dictionary(false, ""), false), (std::map<std::string, bool>{}));
    EXPECT_FALSE(booleans_of(std::string(4, '\0'), false).has_value());
    EXPECT_FALSE(booleans_of(std::string(2, '\0'), false).has_value());

    Wire two(false);
    two.string("IsEnabled").signature("b").number(2, 4);
    EXPECT_FALSE(booleans_of(dictionary(false, two.bytes), false).has_value());
    // An array longer than the body, or whose last entry runs past the array's end.
    const std::string whole =
        dictionary(false, Wire(false).string("A").signature("b").number(1, 4).bytes);
    std::string longer = whole;
    longer[0] = static_cast<char>(longer[0] + 1);
    EXPECT_FALSE(booleans_of(longer, false).has_value());
    std::string shorter = whole;
    shorter[0] = static_cast<char>(shorter[0] - 1);
    EXPECT_FALSE(booleans_of(shorter, false).has_value());
    EXPECT_FALSE(booleans_of(dictionary(false, Wire(false).string("A").signature("v").bytes), false)
                     .has_value());
}

// A failed read fails every later one, and a text must end with its zero byte.
TEST(DBusWire, AReaderThatFailedStaysFailed) {
    WireReader empty("", false);
    EXPECT_FALSE(empty.u8().has_value());
    EXPECT_TRUE(empty.failed());

    const std::string unended = Wire(false).number(2, 4).bytes + "abX";
    WireReader reader(unended, false);
    EXPECT_FALSE(reader.string().has_value());
    EXPECT_TRUE(reader.failed());

    WireReader container(std::string(8, '\0'), false);
    EXPECT_FALSE(container.skip('a'));
    EXPECT_TRUE(container.failed());
    EXPECT_FALSE(container.u8().has_value());
}

TEST(DBusAddress, TheUnixSocketsOfAnAddressListInOrder) {
    EXPECT_EQ(accessibility_bus::unix_sockets("unix:path=/run/user/1000/bus"),
              (std::vector<SocketAddress>{{"/run/user/1000/bus", false}}));
    EXPECT_EQ(accessibility_bus::unix_sockets(
                  "tcp:host=localhost,port=1;unix:abstract=/tmp/dbus-x,guid=ab;"
                  "unix:guid=ab,path=/tmp/a%20b;unix:path=/bad%2"),
              (std::vector<SocketAddress>{{"/tmp/dbus-x", true}, {"/tmp/a b", false}}));
    EXPECT_TRUE(accessibility_bus::unix_sockets("").empty());
}

// Every hexadecimal digit in either place of an escape, in either case, and one at the very end.
TEST(DBusAddress, EscapesAreUndoneAndMalformedOnesRefuseTheirAddress) {
    EXPECT_EQ(accessibility_bus::unix_sockets("unix:path=%2f%2F%5a%5A%0a%09%30%39%7e%aA%Fa%Af%fF"),
              (std::vector<SocketAddress>{{"//ZZ\n\t09~\xAA\xFA\xAF\xFF", false}}));
    for (const char* escape : {"%", "%4", "%/0", "%:0", "%`0", "%g0", "%@0", "%G0", "%0/",
                               "%0:", "%0`", "%0g", "%0@", "%0G"}) {
        EXPECT_TRUE(accessibility_bus::unix_sockets(std::string("unix:path=/x") + escape).empty())
            << escape;
    }
}

}  // namespace
