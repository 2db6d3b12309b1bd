#pragma once

#include <chrono>
#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace fltk {

// Receiving a selection's text from its owner under the X selection conventions, without the X
// calls themselves: which target to ask for, what the owner's reply means, the assembly of an
// incremental ("INCR") transfer, which owners use for texts too large for one request, and the
// receiver's limits. The owner is another program, and any program may own a selection: the
// transfer trusts nothing it says. It ends without text when the owner lets it stand still for
// too long, takes too long in all, sends more than the receiver takes, or sends pieces that are
// not the text asked for. The X side reports what arrives and does what each answer says next.
class SelectionTransfer {
public:
    using TimePoint = std::chrono::steady_clock::time_point;
    // Tells the time: the steady clock's, or a test's.
    using Clock = std::function<TimePoint()>;
    // The targets asked for, in order: UTF-8 text, then Latin-1 text from owners without it.
    enum class Target { Utf8String, String };
    enum class Encoding { Utf8, Latin1 };
    enum class Next {
        Convert,  // ask the owner (again) for target()
        Wait,     // wait for the owner's answer or its next piece, until deadline()
        Done,     // text() is ready
        Failed,   // there is no text to paste
    };

    // What the receiver puts up with.
    struct Limits {
        std::size_t bytes;                  // the longest text taken
        std::chrono::milliseconds silence;  // the longest wait for the owner's next step
        std::chrono::milliseconds total;    // the longest a transfer may take
    };
    // A text field holds a number or a hex code; 64 MiB is far more than any paste needs and
    // little enough memory to hold for a moment. Five seconds in all are as long as a paste
    // may keep the user waiting for its text: xclip sends 16 MiB in about a second, but 60 MiB
    // took about five, near the limit, on a busy machine. Two seconds of silence mean the owner
    // is gone or stuck.
    static constexpr Limits DefaultLimits{std::size_t{64} << 20, std::chrono::seconds(2),
                                          std::chrono::seconds(5)};

    // The transfer starts now, by the clock.
    explicit SelectionTransfer(Clock clock, Limits limits = DefaultLimits);

    Target target() const { return target_; }
    // Whether the owner has started an incremental transfer: its pieces come as property changes.
    bool in_pieces() const { return state_ == State::InPieces; }
    // When the transfer gives up if nothing arrives before: two seconds after the owner's last
    // step, at most five after the start.
    TimePoint deadline() const;

    // The owner has no text in the target asked for (or answered in a type that is not text).
    Next refused();
    // The owner answered with the whole text.
    Next whole(Encoding encoding, std::string_view bytes);
    // The owner starts an incremental transfer; size_hint is its lower bound of the total size.
    Next incremental(std::size_t size_hint);
    // One piece of an incremental transfer, with what its type says it holds (nothing: no text
    // at all); an empty piece ends the transfer. Each piece must be text of the target asked for.
    Next piece(std::optional<Encoding> type, std::string_view bytes);
    // The deadline has come (the clock may be later still): whether the transfer still waits.
    Next time_passed();
    // The window the owner writes to is gone (another program destroyed it).
    Next requestor_lost();

    // The text received, as UTF-8. Call once, after Done.
    std::string text();

private:
    enum class State { Asking, InPieces, Over };

    Next append(std::string_view bytes);
    // Turns the bytes received into the text, within the limit.
    Next finish();
    Next fail();
    // The owner took a step: the wait for the next one starts again.
    Next progressed(Next next);

    Clock clock_;
    Limits limits_;
    TimePoint started_;
    TimePoint last_step_;
    State state_ = State::Asking;
    Target target_ = Target::Utf8String;
    Encoding encoding_ = Encoding::Utf8;
    std::string bytes_;
};

}  // namespace fltk
