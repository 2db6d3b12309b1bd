// Whether the desktop wants accessibility, as the Linux program asks the session bus without a
// D-Bus library: its connection, the messages in the bus's wire format and the conversation,
// played against what a real bus and the AT-SPI bus launcher sent (recorded byte for byte).
#include <gtest/gtest.h>

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "platform/accessibility_bus/accessibility_status.h"
#include "platform/accessibility_bus/bus_connection.h"
#include "platform/accessibility_bus/bus_probe.h"
#include "platform/accessibility_bus/dbus_message.h"
#include "tests/fake_bus.h"
#include "tests/wire_builder.h"

namespace {

using accessibility_bus::AccessibilityStatus;
using accessibility_bus::BusConnection;
using accessibility_bus::Framing;
using accessibility_bus::Message;
using accessibility_bus::MessageType;
using fake_bus::FakeBus;

// What the bus sent a program that asked while the launcher ran with accessibility off, then
// set IsEnabled: its sign-in answer, the answer to the greeting, the name it was given, the
// launcher's answer (both properties false), then the launcher's change (IsEnabled true).
constexpr const char* EnabledLater =
    "4f4b2063303130373032623439353262306466343562316366643036623137366566320d0a6c020101090000"
    "00010000003d00000006017300040000003a312e320000000005017500010000000801670001730000070173"
    "00140000006f72672e667265656465736b746f702e4442757300000000040000003a312e32006c0401010900"
    "0000020000008d00000001016f00150000002f6f72672f667265656465736b746f702f444275730000000201"
    "7300140000006f72672e667265656465736b746f702e4442757300000000030173000c0000004e616d654163"
    "7175697265640000000006017300040000003a312e3200000000080167000173000007017300140000006f72"
    "672e667265656465736b746f702e4442757300000000040000003a312e32006c020101400000000600000035"
    "00000006017300040000003a312e32000000000801670005617b73767d000000000000050175000400000007"
    "017300040000003a312e31000000003800000000000000090000004973456e61626c65640001620000000000"
    "0000001300000053637265656e526561646572456e61626c65640001620000000000006c0401013400000007"
    "0000007d00000001016f000d0000002f6f72672f613131792f627573000000020173001f0000006f72672e66"
    "7265656465736b746f702e444275732e50726f7065727469657300080167000873617b73767d617300000003"
    "0173001100000050726f706572746965734368616e6765640000000000000007017300040000003a312e3100"
    "0000000f0000006f72672e613131792e5374617475730018000000090000004973456e61626c656400016200"
    "0000000100000000000000";

// The same before any launcher ran: the question fails (no such name), then the launcher
// appears (a screen reader started it).
constexpr const char* LauncherAppears =
    "4f4b2034646337323963366161656465653932353339326265663436623137366566350d0a6c020101090000"
    "00010000003d00000006017300040000003a312e300000000005017500010000000801670001730000070173"
    "00140000006f72672e667265656465736b746f702e4442757300000000040000003a312e30006c0401010900"
    "0000020000008d00000001016f00150000002f6f72672f667265656465736b746f702f444275730000000201"
    "7300140000006f72672e667265656465736b746f702e4442757300000000030173000c0000004e616d654163"
    "7175697265640000000006017300040000003a312e3000000000080167000173000007017300140000006f72"
    "672e667265656465736b746f702e4442757300000000040000003a312e30006c030101270000000300000075"
    "00000006017300040000003a312e300000000004017300290000006f72672e667265656465736b746f702e44"
    "4275732e4572726f722e4e616d654861734e6f4f776e65720000000000000005017500040000000801670001"
    "73000007017300140000006f72672e667265656465736b746f702e4442757300000000220000004e616d6520"
    "226f72672e613131792e4275732220646f6573206e6f74206578697374006c04010125000000040000008900"
    "000001016f00150000002f6f72672f667265656465736b746f702f4442757300000002017300140000006f72"
    "672e667265656465736b746f702e444275730000000003017300100000004e616d654f776e65724368616e67"
    "6564000000000000000007017300140000006f72672e667265656465736b746f702e44427573000000000801"
    "67000373737300000000000000000c0000006f72672e613131792e4275730000000000000000000000000400"
    "00003a312e3200";

std::string bytes_of(const char* hex) {
    std::string bytes;
    for (std::size_t i = 0; hex[i] != '\0'; i += 2) {
        bytes += static_cast<char>(std::stoi(std::string(hex + i, 2), nullptr, 16));
    }
    return bytes;
}

// The stream's messages after the sign-in answer, framed one by one.
std::vector<std::string> messages_of(const std::string& stream) {
    std::string rest = stream.substr(stream.find("\r\n") + 2);
    std::vector<std::string> messages;
    while (!rest.empty()) {
        const Framing framing = accessibility_bus::frame(rest, rest.size());
        if (framing.state != Framing::State::Whole) {
            ADD_FAILURE() << "no whole message in " << rest.size() << " bytes";
            break;
        }
        messages.push_back(rest.substr(0, framing.length));
        rest.erase(0, framing.length);
    }
    return messages;
}

TEST(AccessibilityStatus, SignsInAsksAndFollowsTheLauncherOverTheSocket) {
    FakeBus bus;
    AccessibilityStatus status;
    std::optional<BusConnection> connection =
        BusConnection::open({{"/nonexistent/bus", false}, bus.address()}, status.opening());
    ASSERT_TRUE(connection.has_value());

    // The sign-in comes first, then the greeting, what is watched, and the question, whole.
    std::string heard = bus.heard();
    const std::string sign_in = std::string(1, '\0') + "AUTH EXTERNAL ";
    ASSERT_EQ(heard.substr(0, sign_in.size()), sign_in);
    heard.erase(0, heard.find("BEGIN\r\n") + 7);
    std::vector<std::string> members;
    for (const std::string& bytes : messages_of("\r\n" + heard)) {
        const std::optional<Message> call = accessibility_bus::parse(bytes);
        ASSERT_TRUE(call.has_value());
        members.push_back(call->member);
        if (call->member == "GetAll") {
            EXPECT_EQ(call->path, "/org/a11y/bus");
            EXPECT_EQ(call->interface, "org.freedesktop.DBus.Properties");
            EXPECT_EQ(accessibility_bus::WireReader(*call).string(), "org.a11y.Status");
        }
    }
    EXPECT_EQ(members, (std::vector<std::string>{"Hello", "AddMatch", "AddMatch", "GetAll"}));

    // The bus's answers arrive in pieces of any size; the status follows each whole message.
    const std::string stream = bytes_of(EnabledLater);
    std::vector<bool> enabled;
    for (std::size_t at = 0; at < stream.size(); at += 7) {
        bus.say(stream.substr(at, 7));
        std::vector<Message> messages;
        ASSERT_TRUE(connection->receive(messages));
        for (const Message& message : messages) {
            EXPECT_TRUE(status.read(message).answer.empty());
            enabled.push_back(status.enabled());
        }
    }
    // The greeting's answer, the name, the launcher's "off", its change to "on".
    EXPECT_EQ(enabled, (std::vector<bool>{false, false, false, true}));

    bus.hang_up();
    std::vector<Message> none;
    EXPECT_FALSE(connection->receive(none));
}

TEST(AccessibilityStatus, AsksAgainWhenTheLauncherAppears) {
    AccessibilityStatus status;
    status.opening();
    std::vector<std::string> answers;
    for (const std::string& bytes : messages_of(bytes_of(LauncherAppears))) {
        const std::optional<Message> message = accessibility_bus::parse(bytes);
        ASSERT_TRUE(message.has_value());
        AccessibilityStatus::Heard heard = status.read(*message);
        EXPECT_EQ(heard.launcher_appeared, !heard.answer.empty());
        answers.push_back(std::move(heard.answer));
        EXPECT_FALSE(status.enabled());
    }
    ASSERT_EQ(answers.size(), 4U);  // greeting, name, no launcher, the launcher appears
    EXPECT_TRUE(answers[2].empty());
    const std::optional<Message> question = accessibility_bus::parse(answers[3]);
    ASSERT_TRUE(question.has_value());
    EXPECT_EQ(question->member, "GetAll");
    EXPECT_EQ(question->serial, 5U);
}

// A header's third byte: its flags.
int flags_of(const std::string& message) { return message.at(2); }

// A message of the launcher's, with the properties it has set as its body.
Message launcher_says(MessageType type, std::optional<std::uint32_t> reply_serial,
                      const std::map<std::string, bool>& properties) {
    wire_builder::Wire entries(false);
    for (const auto& [name, value] : properties) {
        entries.align(8).string(name).signature("b").number(value ? 1 : 0, 4);
    }
    Message message;
    message.type = type;
    message.reply_serial = reply_serial;
    message.signature = "a{sv}";
    message.body = wire_builder::dictionary(false, entries.bytes);
    return message;
}

Message launcher_changes(const std::string& new_owner) {
    Message message;
    message.type = MessageType::Signal;
    message.interface = "org.freedesktop.DBus";
    message.member = "NameOwnerChanged";
    message.signature = "sss";
    message.body =
        wire_builder::Wire(false).string("org.a11y.Bus").string("").string(new_owner).bytes;
    return message;
}

// Only the launcher's answer to the last question, or its own signals, say whether accessibility
// is on; whatever merely looks like them changes nothing.
TEST(AccessibilityStatus, OnlyTheLaunchersOwnWordsCount) {
    AccessibilityStatus status;
    const std::vector<std::string> opening = messages_of("\r\n" + status.opening());
    ASSERT_EQ(opening.size(), 4U);
    // The greeting wants its answer, the watches none, and the question starts no launcher.
    EXPECT_EQ(
        std::vector<int>({flags_of(opening[0]), flags_of(opening[1]), flags_of(opening[2]),
                          flags_of(opening[3])}),
        (std::vector<int>{0, accessibility_bus::NoReplyExpected, accessibility_bus::NoReplyExpected,
                          accessibility_bus::NoAutoStart}));
    const std::uint32_t question = accessibility_bus::parse(opening[3])->serial;

    // The bus's answer to the greeting is a string too, and no address: none was asked for.
    Message greeted;
    greeted.type = MessageType::MethodReturn;
    greeted.signature = "s";
    greeted.body = wire_builder::Wire(false).string(":1.2").bytes;
    for (const std::uint32_t reply_serial : {accessibility_bus::parse(opening[0])->serial, 0U}) {
        greeted.reply_serial = reply_serial;
        EXPECT_FALSE(status.read(greeted).address.has_value()) << reply_serial;
    }

    const std::map<std::string, bool> on{{"IsEnabled", true}};
    status.read(launcher_says(MessageType::MethodReturn, question - 1, on));
    status.read(launcher_says(MessageType::Signal, question, on));
    Message called = launcher_says(MessageType::MethodCall, std::nullopt, {});
    called.path = "/org/a11y/bus";
    called.interface = "org.freedesktop.DBus.Properties";
    called.member = "PropertiesChanged";
    called.signature = "sa{sv}as";
    wire_builder::Wire entry(false);
    entry.string("IsEnabled").signature("b").number(1, 4);
    wire_builder::Wire body(false);
    body.string("org.a11y.Status").number(entry.bytes.size(), 4).align(8).bytes += entry.bytes;
    called.body = body.number(0, 4).bytes;  // and no property invalidated
    status.read(called);
    EXPECT_FALSE(status.enabled());
    called.type = MessageType::Signal;
    status.read(called);
    EXPECT_TRUE(status.enabled());  // the same, as the launcher's signal

    status.read(launcher_says(MessageType::Error, question + 100, {}));
    EXPECT_TRUE(status.enabled());  // another call's error
    const std::optional<Message> asked_again =
        accessibility_bus::parse(status.read(launcher_changes(":1.9")).answer);
    ASSERT_TRUE(asked_again.has_value());
    status.read(launcher_says(MessageType::Error, asked_again->serial, {}));
    EXPECT_FALSE(status.enabled());  // a launcher that cannot answer has nothing on

    status.read(launcher_says(MessageType::MethodReturn, asked_again->serial, {{"Other", true}}));
    EXPECT_FALSE(status.enabled());
    status.read(launcher_says(MessageType::MethodReturn, asked_again->serial,
                              {{"ScreenReaderEnabled", true}}));
    EXPECT_TRUE(status.enabled());
    status.read(launcher_changes(""));
    EXPECT_FALSE(status.enabled());  // the launcher has gone
}

TEST(AccessibilityStatus, ASignInRefusedOrAStreamOfNoMessagesEndsTheConnection) {
    for (const std::string& reply : {std::string("REJECTED EXTERNAL\r\n"),
                                     std::string("OK 1234\r\n") + "garbage that frames nothing"}) {
        FakeBus bus;
        std::optional<BusConnection> connection = BusConnection::open({bus.address()}, "");
        ASSERT_TRUE(connection.has_value());
        bus.heard();
        bus.say(reply);
        std::vector<Message> messages;
        EXPECT_FALSE(connection->receive(messages)) << reply;
        EXPECT_TRUE(messages.empty());
    }
    EXPECT_FALSE(BusConnection::open({{"/nonexistent/bus", false}}, "").has_value());
}

// Every real message cut short, or with any one byte changed, is read without reading beyond
// it (the sanitizer build checks), and a cut message is no message.
TEST(DBusWire, DamagedMessagesAreReadSafely) {
    for (const char* stream : {EnabledLater, LauncherAppears}) {
        for (const std::string& message : messages_of(bytes_of(stream))) {
            for (std::size_t length = 0; length < message.size(); ++length) {
                EXPECT_FALSE(accessibility_bus::parse(message.substr(0, length)).has_value());
            }
            for (std::size_t at = 0; at < message.size(); ++at) {
                for (const int value : {0x00, 0x01, 0x7F, 0x80, 0xFF}) {
                    std::string damaged = message;
                    damaged[at] = static_cast<char>(value);
                    accessibility_bus::frame(damaged, 1 << 16);
                    if (const std::optional<Message> read = accessibility_bus::parse(damaged)) {
                        accessibility_bus::WireReader body(*read);
                        body.string();
                        body.booleans();
                        AccessibilityStatus().read(*read);
                    }
                }
            }
        }
    }
    // A header that promises more than the limit is broken at once, not waited for.
    std::string huge = messages_of(bytes_of(EnabledLater)).front();
    huge[4] = huge[5] = huge[6] = huge[7] = '\xFF';
    EXPECT_EQ(accessibility_bus::frame(huge, 1 << 16).state, Framing::State::Broken);
}

TEST(DBusWire, AMethodCallReadsBackWithItsFieldsAndArguments) {
    const std::string bytes = accessibility_bus::encode({"org.example.Peer",
                                                         "/a/b",
                                                         "org.example.Iface",
                                                         "Do",
                                                         {"one", "", "three"},
                                                         accessibility_bus::NoAutoStart},
                                                        42);
    const std::optional<Message> message = accessibility_bus::parse(bytes);
    ASSERT_TRUE(message.has_value());
    EXPECT_EQ(message->type, MessageType::MethodCall);
    EXPECT_EQ(message->serial, 42U);
    EXPECT_EQ(message->path, "/a/b");
    EXPECT_EQ(message->interface, "org.example.Iface");
    EXPECT_EQ(message->member, "Do");
    EXPECT_EQ(message->signature, "sss");
    accessibility_bus::WireReader body(*message);
    EXPECT_EQ(body.string(), "one");
    EXPECT_EQ(body.string(), "");
    EXPECT_EQ(body.string(), "three");
    EXPECT_FALSE(body.string().has_value());
    EXPECT_TRUE(body.failed());
}

// A string as the body of a message: its length, its bytes and the zero that ends it.
std::string string_body(const std::string& text) {
    const auto length = static_cast<std::uint32_t>(text.size());
    std::string body(reinterpret_cast<const char*>(&length), sizeof length);
    return body + text + '\0';
}

// Where the accessibility bus is: asked of the launcher (which it may start), and only the
// answer to the last question counts.
TEST(AccessibilityStatus, AsksWhereTheAccessibilityBusIs) {
    AccessibilityStatus status;
    status.opening();
    const std::string first = status.ask_address();
    const std::string last = status.ask_address();
    const std::optional<Message> question = accessibility_bus::parse(last);
    ASSERT_TRUE(question.has_value());
    EXPECT_EQ(question->member, "GetAddress");
    EXPECT_EQ(question->interface, "org.a11y.Bus");
    EXPECT_EQ(question->path, "/org/a11y/bus");
    EXPECT_TRUE(question->signature.empty());
    EXPECT_EQ(flags_of(last), 0);  // the launcher may be started to answer

    Message answer;
    answer.type = MessageType::MethodReturn;
    answer.signature = "s";
    answer.body = string_body("unix:path=/run/user/1000/at-spi/bus_0");
    answer.reply_serial = accessibility_bus::parse(first)->serial;
    EXPECT_FALSE(status.read(answer).address.has_value());  // an earlier question's answer
    answer.reply_serial = question->serial;
    EXPECT_EQ(status.read(answer).address, "unix:path=/run/user/1000/at-spi/bus_0");
    // An error, a body of another type or a broken one brings no address.
    for (const auto& [type, signature, body] :
         {std::tuple{MessageType::Error, "s", string_body("no")},
          std::tuple{MessageType::MethodReturn, "u", std::string(4, '\0')},
          std::tuple{MessageType::MethodReturn, "s", std::string("\xFF\xFF\xFF\x7F", 4)}}) {
        Message other = answer;
        other.type = type;
        other.signature = signature;
        other.body = body;
        EXPECT_FALSE(status.read(other).address.has_value()) << signature;
    }
    EXPECT_FALSE(status.enabled());
}

// The program's own greeting proves the bus answers; a ping asks again later. Only the answer to
// the last of them counts, an error as much as a return.
TEST(BusProbe, OnlyTheAnswerToTheLastGreetingOrPingCounts) {
    accessibility_bus::BusProbe probe;
    Message answer;
    answer.type = MessageType::MethodReturn;
    answer.reply_serial = 0;
    EXPECT_FALSE(probe.answers(answer));  // nothing said yet
    const std::string greeting_bytes = probe.greeting();
    const std::optional<Message> greeting = accessibility_bus::parse(greeting_bytes);
    ASSERT_TRUE(greeting.has_value());
    EXPECT_EQ(greeting->member, "Hello");
    EXPECT_EQ(flags_of(greeting_bytes), 0);  // both want their answer
    answer.reply_serial = greeting->serial;
    EXPECT_TRUE(probe.answers(answer));
    answer.type = MessageType::Signal;
    EXPECT_FALSE(probe.answers(answer));
    const std::string ping_bytes = probe.ping();
    const std::optional<Message> ping = accessibility_bus::parse(ping_bytes);
    ASSERT_TRUE(ping.has_value());
    EXPECT_EQ(ping->member, "Ping");
    EXPECT_EQ(ping->interface, "org.freedesktop.DBus.Peer");
    EXPECT_EQ(flags_of(ping_bytes), 0);
    answer.type = MessageType::Error;
    EXPECT_FALSE(probe.answers(answer));  // the greeting's, answered again
    answer.reply_serial = ping->serial;
    EXPECT_TRUE(probe.answers(answer));
}

}  // namespace
