#pragma once

namespace atk_module {

// How many messages of the accessibility libraries reach the log: the first few, then only a
// count at each tenfold, so that no client of the bridge can fill the program's log by calling
// what makes the libraries warn (ten thousand calls a second on objects of the wrong kind).
class LogLimit {
public:
    static constexpr long Written = 10;

    enum class Verdict { Write, Count, Drop };
    // What becomes of the next message: written, told of as a count, or left out.
    Verdict next();
    long count() const { return count_; }

private:
    long count_ = 0;
    long next_count_ = 10 * Written;
};

// From now on the messages GLib, ATK and the bridge write go through a LogLimit to stderr;
// fatal ones always. Once for the process: GLib takes one writer only.
void limit_library_messages();

}  // namespace atk_module
