#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <vector>

namespace accessibility_bus {

// Keeps the program on the desktop's accessibility bus, and never waits for it. The AT-SPI
// bridge, once started, waits as long as the bus keeps silent (its greeting has no time limit),
// so it is started only on a bus that the program has just heard answer, and it is stopped when
// that bus goes away or stops answering; meanwhile the program runs as without accessibility.
//
// The keeper decides; the back end does what it says and reports back. In turn: find the bus's
// address (the launcher's answer, or the environment's AT_SPI_BUS_ADDRESS), greet the bus there
// with a connection of the program's own (the probe), and once it answers start the bridge at
// that address. The probe stays open: when it closes, or the bus does not answer a ping, the
// bridge is stopped and the bus looked for again, so that accessibility comes back by itself
// once a restarted bus answers. What is not answered within AnswerLimit counts as no answer;
// after a failed attempt the keeper rests RetryAfter before the next.
class BridgeKeeper {
public:
    using Clock = std::chrono::steady_clock;
    using Time = Clock::time_point;

    static constexpr std::chrono::milliseconds AnswerLimit{1000};
    static constexpr std::chrono::milliseconds RetryAfter{500};
    static constexpr std::chrono::milliseconds PingEvery{5000};

    enum class Command {
        AskAddress,  // ask where the bus is (address() comes back, or nothing)
        OpenProbe,   // connect to bus_address() and greet it (probe_answered() or probe_lost())
        Ping,        // ping the bus over the probe
        CloseProbe,
        Export,    // start the bridge at bus_address() (exported() comes back)
        Withdraw,  // stop the bridge
    };
    using Commands = std::vector<Command>;

    // Accessibility is wanted from now on (the desktop asks for it, or the user).
    Commands want(Time now);
    // Where the bus is, as asked.
    Commands address(const std::string& address, Time now);
    // The bus answered the probe's greeting or ping.
    Commands probe_answered(Time now);
    // The probe could not connect, was refused, or closed.
    Commands probe_lost(Time now);
    // The bridge's start came out so.
    Commands exported(bool ok, Time now);
    // A launcher started: the bus it hands out may be another.
    Commands launcher_appeared(Time now);
    // The deadline came (see deadline()).
    Commands time_passed(Time now);

    // When time_passed is next due; nothing while nothing is awaited.
    std::optional<Time> deadline() const { return deadline_; }
    const std::string& bus_address() const { return bus_address_; }
    bool bridge_running() const { return state_ == State::Exported || state_ == State::Pinging; }

private:
    enum class State { Idle, Locating, Proving, Exporting, Exported, Pinging, Resting };

    Commands locate(Time now);
    Commands rest(Commands commands, Time now);
    void enter(State state, std::optional<Time> deadline);

    State state_ = State::Idle;
    std::optional<Time> deadline_;
    std::string bus_address_;
};

}  // namespace accessibility_bus
