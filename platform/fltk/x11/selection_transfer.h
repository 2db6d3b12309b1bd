#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace fltk {

// Receiving a selection's text from its owner under the X selection conventions, without the X
// calls themselves: which target to ask for, what the owner's reply means, and the assembly of
// an incremental ("INCR") transfer, which owners use for texts too large for one request. The X
// side reports what arrives and does what each answer says next.
class SelectionTransfer {
public:
    // The targets asked for, in order: UTF-8 text, then Latin-1 text from owners without it.
    enum class Target { Utf8String, String };
    enum class Encoding { Utf8, Latin1 };
    enum class Next {
        Convert,     // ask the owner (again) for target()
        AwaitChunk,  // wait for the owner's next piece of an incremental transfer
        Done,        // text() is ready
        Failed,      // there is no text to paste
    };

    // limit: the most bytes of text the receiver can hold; anything longer is refused.
    explicit SelectionTransfer(std::size_t limit) : limit_(limit) {}

    Target target() const { return target_; }
    // Whether the owner has started an incremental transfer: its pieces come as property changes.
    bool in_pieces() const { return incremental_; }

    // The owner has no text in the target asked for (or answered in a type that is not text).
    Next refused();
    // The owner answered with the whole text.
    Next whole(Encoding encoding, std::string_view bytes);
    // The owner starts an incremental transfer; size_hint is its lower bound of the total size.
    Next incremental(std::size_t size_hint);
    // One piece of an incremental transfer; an empty piece ends it.
    Next chunk(std::string_view bytes);

    // The text received, as UTF-8 with CR LF line ends turned into LF. Call once, after Done.
    std::string text();

private:
    Next append(std::string_view bytes);
    // Turns the bytes received into the text, within the limit.
    Next finish();

    std::size_t limit_;
    Target target_ = Target::Utf8String;
    Encoding encoding_ = Encoding::Utf8;
    bool incremental_ = false;
    std::string bytes_;
};

}  // namespace fltk
