// Receiving a selection's text: the target fallback, incremental assembly, decoding, and the
// receiver's limits against owners that stall, trickle, never end, send too much or the wrong
// thing, vanish, or lose the receiver its window.
#include "platform/fltk/x11/selection_transfer.h"

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <optional>
#include <string>

#include "platform/headless/instant_clock.h"

namespace {

using fltk::SelectionTransfer;
using Next = SelectionTransfer::Next;
using Encoding = SelectionTransfer::Encoding;
using Target = SelectionTransfer::Target;
using std::chrono::milliseconds;
using namespace std::chrono_literals;

constexpr std::size_t Roomy = 1 << 20;

// The transfer tells the time by a test's clock, which moves only when the test waits.
SelectionTransfer::Clock now(headless::InstantClock& clock) {
    return [&clock] { return clock.now(); };
}
constexpr SelectionTransfer::Limits Small{Roomy, 2s, 5s};

// What an owner does next, as the transfer sees it: after a pause, one report of what arrived.
struct Move {
    milliseconds pause;
    std::function<Next(SelectionTransfer&)> report;
};
// An owner: its move for each step of the transfer, from 0 on; nothing once it falls silent.
using Owner = std::function<std::optional<Move>(int step)>;

struct Ending {
    Next next;
    milliseconds after;  // from the paste
    std::string text;
};

// Plays an owner against a transfer as the event loop does: the owner's moves as they come, and
// the transfer woken at its deadline when that comes first.
Ending play(headless::InstantClock& clock, const Owner& owner,
            SelectionTransfer::Limits limits = SelectionTransfer::DefaultLimits) {
    const auto start = clock.now();
    SelectionTransfer transfer(now(clock), limits);
    Next next = Next::Wait;
    for (int step = 0; next == Next::Wait || next == Next::Convert; ++step) {
        const std::optional<Move> move = owner(step);
        if (!move || clock.now() + move->pause >= transfer.deadline()) {
            clock.sleep_for(std::chrono::ceil<milliseconds>(transfer.deadline() - clock.now()));
            next = transfer.time_passed();
        } else {
            clock.sleep_for(move->pause);
            next = move->report(transfer);
        }
    }
    return {next, std::chrono::duration_cast<milliseconds>(clock.now() - start),
            next == Next::Done ? transfer.text() : std::string()};
}

// An owner that sends "12" in two pieces, quickly.
std::optional<Move> well_behaved(int step) {
    switch (step) {
        case 0:
            return Move{5ms, [](SelectionTransfer& t) { return t.incremental(2); }};
        case 1:
            return Move{5ms, [](SelectionTransfer& t) { return t.piece(Encoding::Utf8, "1"); }};
        case 2:
            return Move{5ms, [](SelectionTransfer& t) { return t.piece(Encoding::Utf8, "2"); }};
        case 3:
            return Move{5ms, [](SelectionTransfer& t) { return t.piece(Encoding::Utf8, ""); }};
        default:
            return std::nullopt;
    }
}

// The owner's attack ends the transfer at this time after the paste with nothing to paste, and
// a paste from a well-behaved owner right after it works.
void expect_given_up(const Owner& hostile, milliseconds at,
                     SelectionTransfer::Limits limits = SelectionTransfer::DefaultLimits) {
    headless::InstantClock clock;
    const Ending attack = play(clock, hostile, limits);
    EXPECT_EQ(attack.next, Next::Failed);
    EXPECT_EQ(attack.after, at);
    EXPECT_EQ(attack.text, "");
    const Ending next_paste = play(clock, well_behaved, limits);
    EXPECT_EQ(next_paste.next, Next::Done);
    EXPECT_EQ(next_paste.text, "12");
}

Move incremental_after(milliseconds pause, std::size_t size = 0) {
    return {pause, [size](SelectionTransfer& t) { return t.incremental(size); }};
}
Move piece_after(milliseconds pause, std::string bytes,
                 std::optional<Encoding> type = Encoding::Utf8) {
    return {pause, [bytes, type](SelectionTransfer& t) { return t.piece(type, bytes); }};
}

TEST(SelectionTransferTest, AWholeAnswerIsTheText) {
    headless::InstantClock clock;
    SelectionTransfer transfer(now(clock));
    EXPECT_EQ(transfer.target(), Target::Utf8String);
    EXPECT_EQ(transfer.whole(Encoding::Utf8, "12\r\n3"), Next::Done);
    EXPECT_EQ(transfer.text(), "12\r\n3");
}

TEST(SelectionTransferTest, AnOwnerWithoutUtf8TextIsAskedForLatin1OnceThenGivenUp) {
    headless::InstantClock clock;
    SelectionTransfer transfer(now(clock));
    EXPECT_EQ(transfer.refused(), Next::Convert);
    EXPECT_EQ(transfer.target(), Target::String);
    EXPECT_EQ(transfer.refused(), Next::Failed);

    SelectionTransfer latin1(now(clock));
    ASSERT_EQ(latin1.refused(), Next::Convert);
    // ASCII stays as it is up to 0x7F; from 0x80 on each byte becomes two.
    EXPECT_EQ(latin1.whole(Encoding::Latin1, "caf\xE9 \x7F\x80\xFF"), Next::Done);
    EXPECT_EQ(latin1.text(), "caf\xC3\xA9 \x7F\xC2\x80\xC3\xBF");
}

TEST(SelectionTransferTest, AnIncrementalTransferJoinsItsPiecesUntilAnEmptyOne) {
    headless::InstantClock clock;
    SelectionTransfer transfer(now(clock));
    EXPECT_FALSE(transfer.in_pieces());
    EXPECT_EQ(transfer.incremental(9), Next::Wait);
    EXPECT_TRUE(transfer.in_pieces());
    EXPECT_EQ(transfer.piece(Encoding::Utf8, "000"), Next::Wait);
    EXPECT_EQ(transfer.piece(Encoding::Utf8, "25"), Next::Wait);
    EXPECT_EQ(transfer.piece(Encoding::Utf8, "5"), Next::Wait);
    EXPECT_EQ(transfer.piece(Encoding::Utf8, ""), Next::Done);
    EXPECT_EQ(transfer.text(), "000255");
    // After the STRING fallback, the pieces are Latin-1.
    SelectionTransfer latin1(now(clock));
    ASSERT_EQ(latin1.refused(), Next::Convert);
    ASSERT_EQ(latin1.incremental(0), Next::Wait);
    ASSERT_EQ(latin1.piece(Encoding::Latin1, "\xB5"), Next::Wait);
    ASSERT_EQ(latin1.piece(Encoding::Latin1, ""), Next::Done);
    EXPECT_EQ(latin1.text(), "\xC2\xB5");
}

TEST(SelectionTransferTest, AnswersOutOfTurnEndTheTransfer) {
    headless::InstantClock clock;
    SelectionTransfer unannounced(now(clock));
    EXPECT_EQ(unannounced.piece(Encoding::Utf8, "5"), Next::Failed);
    SelectionTransfer refused_midway(now(clock));
    ASSERT_EQ(refused_midway.incremental(1), Next::Wait);
    EXPECT_EQ(refused_midway.refused(), Next::Failed);
    SelectionTransfer answered_twice(now(clock));
    ASSERT_EQ(answered_twice.incremental(1), Next::Wait);
    EXPECT_EQ(answered_twice.whole(Encoding::Utf8, "5"), Next::Failed);
    // Once over, nothing revives it.
    EXPECT_EQ(answered_twice.piece(Encoding::Utf8, ""), Next::Failed);
    EXPECT_EQ(answered_twice.text(), "");
}

TEST(SelectionTransferTest, NoTextBeyondTheLimitIsTaken) {
    headless::InstantClock clock;
    const auto limited = [](std::size_t bytes) { return SelectionTransfer::Limits{bytes, 2s, 5s}; };
    SelectionTransfer exact(now(clock), limited(4));
    EXPECT_EQ(exact.whole(Encoding::Utf8, "1234"), Next::Done);
    EXPECT_EQ(exact.text(), "1234");
    SelectionTransfer whole(now(clock), limited(4));
    EXPECT_EQ(whole.whole(Encoding::Utf8, "12345"), Next::Failed);
    EXPECT_EQ(whole.text(), "");
    // Latin-1 grows as it becomes UTF-8.
    SelectionTransfer widened(now(clock), limited(3));
    ASSERT_EQ(widened.refused(), Next::Convert);
    EXPECT_EQ(widened.whole(Encoding::Latin1, "12\xE9"), Next::Failed);
    SelectionTransfer pieces(now(clock), limited(4));
    ASSERT_EQ(pieces.incremental(2), Next::Wait);
    ASSERT_EQ(pieces.piece(Encoding::Utf8, "123"), Next::Wait);
    EXPECT_EQ(pieces.piece(Encoding::Utf8, "45"), Next::Failed);
    EXPECT_EQ(pieces.text(), "");
}

TEST(SelectionTransferTest, AnOwnerThatAnnouncesMoreThanTheLimitIsRefusedAtOnce) {
    // As the default limit's 64 MiB are: an owner that claims 1 GiB is not read at all.
    headless::InstantClock clock;
    SelectionTransfer boastful(now(clock));
    EXPECT_EQ(boastful.incremental(std::size_t{1} << 30), Next::Failed);
    SelectionTransfer at_the_limit(now(clock));
    EXPECT_EQ(at_the_limit.incremental(std::size_t{64} << 20), Next::Wait);
    SelectionTransfer beyond(now(clock));
    EXPECT_EQ(beyond.incremental((std::size_t{64} << 20) + 1), Next::Failed);
}

// Owners that stall, trickle, never end, send the wrong thing or lose the receiver its window:
// each is given up at its time after the paste, with nothing pasted, and a well-behaved owner's
// paste works right after it.
TEST(SelectionTransferTest, HostileOwnersAreGivenUpInTime) {
    struct Hostile {
        const char* what;
        Owner owner;
        milliseconds given_up_after;
        SelectionTransfer::Limits limits = SelectionTransfer::DefaultLimits;
    };
    const Hostile owners[] = {
        {"an owner that never answers, after two seconds", [](int) { return std::nullopt; }, 2s},
        {"an owner that stops midway (its last piece 300 ms after the paste), two seconds after "
         "its last piece",
         [](int step) -> std::optional<Move> {
             if (step == 0) return incremental_after(100ms, 10);
             if (step <= 2) return piece_after(100ms, "7");
             return std::nullopt;
         },
         2300ms},
        {"an owner that trickles a byte every 1.5 s, making progress each time but never ending, "
         "five seconds after the paste",
         [](int step) { return step == 0 ? incremental_after(10ms) : piece_after(1500ms, "7"); },
         5s},
        {"an owner that keeps just within two seconds for each piece, as well",
         [](int step) { return step == 0 ? incremental_after(10ms) : piece_after(1999ms, "7"); },
         5s},
        {"an endless transfer of 64 KiB each millisecond, by the 17th piece past 1 MiB",
         [](int step) {
             return step == 0 ? incremental_after(1ms, 1)
                              : piece_after(1ms, std::string(std::size_t{64} << 10, '7'));
         },
         18ms, Small},
        {"pieces of INTEGER or another type (raw numbers, no text), at once",
         [](int step) {
             return step == 0 ? incremental_after(1ms) : piece_after(1ms, "\x35", std::nullopt);
         },
         2ms},
        {"Latin-1 pieces in a transfer of UTF-8 text, at once",
         [](int step) {
             return step == 0 ? incremental_after(1ms) : piece_after(1ms, "1", Encoding::Latin1);
         },
         2ms},
        {"a wrong piece after a well-typed one, at once",
         [](int step) {
             if (step == 0) return incremental_after(1ms);
             return piece_after(1ms, "1", step == 1 ? std::optional(Encoding::Utf8) : std::nullopt);
         },
         3ms},
        {"a transfer whose requestor window is destroyed, at once",
         [](int step) -> std::optional<Move> {
             if (step == 0) return incremental_after(10ms);
             return Move{5ms, [](SelectionTransfer& t) { return t.requestor_lost(); }};
         },
         15ms},
    };
    for (const Hostile& hostile : owners) {
        SCOPED_TRACE(hostile.what);
        expect_given_up(hostile.owner, hostile.given_up_after, hostile.limits);
    }
}

// The event loop's timer may wake the transfer a little before its deadline: it waits on, asking
// or in pieces, and gives up only once the deadline has come.
TEST(SelectionTransferTest, AWakeBeforeTheDeadlineKeepsTheTransferWaiting) {
    headless::InstantClock clock;
    SelectionTransfer transfer(now(clock));
    clock.sleep_for(1999ms);
    EXPECT_EQ(transfer.time_passed(), Next::Wait);
    ASSERT_EQ(transfer.incremental(1), Next::Wait);
    clock.sleep_for(1999ms);
    EXPECT_EQ(transfer.time_passed(), Next::Wait);
    clock.sleep_for(1ms);
    EXPECT_EQ(transfer.time_passed(), Next::Failed);
}

TEST(SelectionTransferTest, ASteadyOwnerFinishesWithinTheLimits) {
    // Pieces just under two seconds apart, done before five.
    headless::InstantClock clock;
    const Ending slow = play(clock, [](int step) -> std::optional<Move> {
        if (step == 0) return incremental_after(100ms);
        if (step <= 2) return piece_after(1900ms, "4");
        if (step == 3) return piece_after(990ms, "");
        return std::nullopt;
    });
    EXPECT_EQ(slow.next, Next::Done);
    EXPECT_EQ(slow.after, 4890ms);
    EXPECT_EQ(slow.text, "44");
}

}  // namespace
