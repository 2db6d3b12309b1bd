// When the Linux program starts and stops the AT-SPI bridge: only on a bus it has just heard
// answer, never waiting for one that keeps silent, and again by itself when a bus that went away
// answers anew.
#include <gtest/gtest.h>

#include <chrono>
#include <string>

#include "platform/accessibility_bus/bridge_keeper.h"

namespace {

using accessibility_bus::BridgeKeeper;
using Command = BridgeKeeper::Command;
using Commands = BridgeKeeper::Commands;
using namespace std::chrono_literals;

class BridgeKeeperTest : public ::testing::Test {
protected:
    // The keeper's deadline comes: the clock moves there, and the keeper is told.
    Commands wait() {
        EXPECT_TRUE(keeper.deadline().has_value());
        if (!keeper.deadline()) return {};
        now = *keeper.deadline();
        return keeper.time_passed(now);
    }
    // From wanting accessibility to a bridge started on a bus that answered.
    void export_bridge(const std::string& address) {
        ASSERT_EQ(keeper.want(now), Commands{Command::AskAddress});
        ASSERT_EQ(keeper.address(address, now), Commands{Command::OpenProbe});
        ASSERT_EQ(keeper.probe_answered(now), Commands{Command::Export});
        ASSERT_EQ(keeper.exported(true, now), Commands{});
        ASSERT_TRUE(keeper.bridge_running());
    }

    BridgeKeeper keeper;
    BridgeKeeper::Time now{};
};

TEST_F(BridgeKeeperTest, TheBridgeStartsOnlyOnABusThatAnswered) {
    EXPECT_EQ(keeper.deadline(), std::nullopt);
    EXPECT_EQ(keeper.probe_answered(now), Commands{});  // nothing asked, nothing started
    EXPECT_EQ(keeper.want(now), Commands{Command::AskAddress});
    EXPECT_EQ(keeper.want(now), Commands{});  // wanted once is enough
    EXPECT_EQ(keeper.address("unix:path=/run/a11y", now), Commands{Command::OpenProbe});
    EXPECT_EQ(keeper.bus_address(), "unix:path=/run/a11y");
    EXPECT_FALSE(keeper.bridge_running());
    EXPECT_EQ(keeper.probe_answered(now), Commands{Command::Export});
    EXPECT_EQ(keeper.deadline(), std::nullopt);  // the start is the back end's, at once
    EXPECT_EQ(keeper.exported(true, now), Commands{});
    EXPECT_TRUE(keeper.bridge_running());
    // A late answer of the launcher changes nothing.
    EXPECT_EQ(keeper.address("unix:path=/elsewhere", now), Commands{});
    EXPECT_EQ(keeper.bus_address(), "unix:path=/run/a11y");
}

// A hung bus (it accepts the probe and never speaks), a launcher that never answers, a bus that
// refuses: each attempt ends within AnswerLimit, and the next comes RetryAfter later.
TEST_F(BridgeKeeperTest, ASilentPeerIsGivenUpOnAndTriedAgainLater) {
    keeper.want(now);
    const BridgeKeeper::Time asked = now;
    EXPECT_EQ(wait(), Commands{Command::AskAddress});  // the launcher kept silent
    EXPECT_EQ(now - asked, BridgeKeeper::AnswerLimit);
    EXPECT_EQ(keeper.address("unix:path=/hung", now), Commands{Command::OpenProbe});
    const BridgeKeeper::Time probed = now;
    EXPECT_EQ(wait(), Commands{Command::CloseProbe});  // the bus kept silent
    EXPECT_EQ(now - probed, BridgeKeeper::AnswerLimit);
    EXPECT_EQ(keeper.probe_answered(now), Commands{});  // too late: the probe is closed
    const BridgeKeeper::Time rested = now;
    EXPECT_EQ(wait(), Commands{Command::AskAddress});
    EXPECT_EQ(now - rested, BridgeKeeper::RetryAfter);
    EXPECT_FALSE(keeper.bridge_running());
    // A probe that cannot connect, or a bridge that does not start, is one failed attempt too.
    keeper.address("unix:path=/nobody", now);
    EXPECT_EQ(keeper.probe_lost(now), Commands{Command::CloseProbe});
    EXPECT_EQ(wait(), Commands{Command::AskAddress});
    keeper.address("unix:path=/bus", now);
    keeper.probe_answered(now);
    EXPECT_EQ(keeper.exported(false, now), Commands{Command::CloseProbe});
    EXPECT_FALSE(keeper.bridge_running());
    EXPECT_EQ(wait(), Commands{Command::AskAddress});
    // No address is no attempt to make.
    EXPECT_EQ(keeper.address("", now), Commands{});
    EXPECT_EQ(wait(), Commands{Command::AskAddress});
}

// A bus that goes away takes the bridge with it, and the keeper looks for the bus again at once:
// a restarted one may be answering already.
TEST_F(BridgeKeeperTest, ABusThatGoesAwayStopsTheBridgeUntilOneAnswersAgain) {
    export_bridge("unix:path=/old");
    EXPECT_EQ(keeper.probe_lost(now),
              (Commands{Command::Withdraw, Command::CloseProbe, Command::AskAddress}));
    EXPECT_FALSE(keeper.bridge_running());
    EXPECT_EQ(keeper.address("unix:path=/new", now), Commands{Command::OpenProbe});
    EXPECT_EQ(keeper.probe_answered(now), Commands{Command::Export});
    EXPECT_EQ(keeper.bus_address(), "unix:path=/new");
    EXPECT_EQ(keeper.exported(true, now), Commands{});
    EXPECT_TRUE(keeper.bridge_running());
}

// A bus that stops answering (stopped, not gone) would let what the bridge sends pile up: it is
// pinged now and then, and treated as gone when it does not answer.
TEST_F(BridgeKeeperTest, ABusThatStopsAnsweringIsTreatedAsGone) {
    export_bridge("unix:path=/bus");
    const BridgeKeeper::Time exported = now;
    EXPECT_EQ(wait(), Commands{Command::Ping});
    EXPECT_EQ(now - exported, BridgeKeeper::PingEvery);
    EXPECT_EQ(keeper.probe_answered(now), Commands{});
    EXPECT_TRUE(keeper.bridge_running());
    const BridgeKeeper::Time answered = now;
    EXPECT_EQ(wait(), Commands{Command::Ping});
    EXPECT_EQ(now - answered, BridgeKeeper::PingEvery);
    const BridgeKeeper::Time pinged = now;
    EXPECT_EQ(wait(), (Commands{Command::Withdraw, Command::CloseProbe, Command::AskAddress}));
    EXPECT_EQ(now - pinged, BridgeKeeper::AnswerLimit);
    EXPECT_FALSE(keeper.bridge_running());
}

// A launcher that starts anew hands out another bus: while the keeper looks or rests it asks the
// new one at once; a running bridge stays, and is stopped only when its own bus goes.
TEST_F(BridgeKeeperTest, ANewLauncherIsAskedAtOnceUnlessTheBridgeRuns) {
    EXPECT_EQ(keeper.launcher_appeared(now), Commands{});  // not wanted: nothing to ask
    keeper.want(now);
    keeper.address("unix:path=/gone", now);
    keeper.probe_lost(now);  // resting now
    EXPECT_EQ(keeper.launcher_appeared(now), Commands{Command::AskAddress});
    EXPECT_EQ(keeper.launcher_appeared(now), Commands{Command::AskAddress});
    keeper.address("unix:path=/bus", now);
    EXPECT_EQ(keeper.launcher_appeared(now), Commands{});  // proving this one
    keeper.probe_answered(now);
    keeper.exported(true, now);
    EXPECT_EQ(keeper.launcher_appeared(now), Commands{});
    EXPECT_TRUE(keeper.bridge_running());
}

// Time that has not come does nothing, whatever the state.
TEST_F(BridgeKeeperTest, NothingHappensBeforeTheDeadline) {
    EXPECT_EQ(keeper.time_passed(now + 1h), Commands{});  // nothing awaited
    keeper.want(now);
    EXPECT_EQ(keeper.time_passed(now + BridgeKeeper::AnswerLimit - 1ms), Commands{});
    keeper.address("unix:path=/bus", now);
    EXPECT_EQ(keeper.time_passed(now + BridgeKeeper::AnswerLimit - 1ms), Commands{});
    keeper.probe_answered(now);
    EXPECT_EQ(keeper.time_passed(now + 1h), Commands{});  // starting: nothing awaited
    keeper.exported(true, now);
    EXPECT_EQ(keeper.time_passed(now + BridgeKeeper::PingEvery - 1ms), Commands{});
    EXPECT_EQ(keeper.probe_lost(now + 1ms).size(), 3U);
}

}  // namespace
