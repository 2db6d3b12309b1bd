#include "platform/accessibility_bus/bridge_keeper.h"

#include <utility>

namespace accessibility_bus {

using Commands = BridgeKeeper::Commands;
using Command = BridgeKeeper::Command;

void BridgeKeeper::enter(State state, std::optional<Time> deadline) {
    state_ = state;
    deadline_ = deadline;
}

Commands BridgeKeeper::locate(Time now) {
    enter(State::Locating, now + AnswerLimit);
    return {Command::AskAddress};
}

Commands BridgeKeeper::rest(Commands commands, Time now) {
    enter(State::Resting, now + RetryAfter);
    return commands;
}

Commands BridgeKeeper::want(Time now) {
    if (state_ != State::Idle) return {};
    return locate(now);
}

Commands BridgeKeeper::address(const std::string& address, Time now) {
    if (state_ != State::Locating) return {};
    if (address.empty()) return rest({}, now);
    bus_address_ = address;
    enter(State::Proving, now + AnswerLimit);
    return {Command::OpenProbe};
}

Commands BridgeKeeper::probe_answered(Time now) {
    switch (state_) {
        case State::Proving:
            enter(State::Exporting, std::nullopt);
            return {Command::Export};
        case State::Pinging:
            enter(State::Exported, now + PingEvery);
            return {};
        default:
            return {};
    }
}

Commands BridgeKeeper::probe_lost(Time now) {
    switch (state_) {
        case State::Proving:
            return rest({Command::CloseProbe}, now);
        case State::Exported:
        case State::Pinging: {
            // The bus went away: a restarted one may be answering already, elsewhere.
            Commands commands{Command::Withdraw, Command::CloseProbe};
            const Commands located = locate(now);
            commands.insert(commands.end(), located.begin(), located.end());
            return commands;
        }
        default:
            return {};
    }
}

Commands BridgeKeeper::exported(bool ok, Time now) {
    if (state_ != State::Exporting) return {};
    if (!ok) return rest({Command::CloseProbe}, now);
    enter(State::Exported, now + PingEvery);
    return {};
}

Commands BridgeKeeper::launcher_appeared(Time now) {
    if (state_ != State::Locating && state_ != State::Resting) return {};
    return locate(now);
}

Commands BridgeKeeper::time_passed(Time now) {
    if (!deadline_ || now < *deadline_) return {};
    switch (state_) {
        case State::Locating:  // the launcher keeps silent: ask again, it may have come back
        case State::Resting:
            return locate(now);
        case State::Proving:
            return rest({Command::CloseProbe}, now);
        case State::Exported:
            enter(State::Pinging, now + AnswerLimit);
            return {Command::Ping};
        case State::Pinging:
            return probe_lost(now);
        case State::Idle:
        case State::Exporting:
            break;
    }
    return {};
}

}  // namespace accessibility_bus
