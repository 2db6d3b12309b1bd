#include "platform/fltk/x11/selection_transfer.h"

#include <algorithm>
#include <utility>

namespace fltk {

namespace {

std::string latin1_to_utf8(std::string_view latin1) {
    std::string utf8;
    utf8.reserve(latin1.size() + static_cast<std::size_t>(std::ranges::count_if(
                                     latin1, [](char c) { return (c & 0x80) != 0; })));
    for (const char c : latin1) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x80) {
            utf8 += c;
        } else {
            utf8 += static_cast<char>(0xC0 | (byte >> 6));
            utf8 += static_cast<char>(0x80 | (byte & 0x3F));
        }
    }
    return utf8;
}

}  // namespace

SelectionTransfer::SelectionTransfer(Clock clock, Limits limits)
    : clock_(std::move(clock)), limits_(limits), started_(clock_()), last_step_(started_) {}

SelectionTransfer::TimePoint SelectionTransfer::deadline() const {
    return std::min(last_step_ + limits_.silence, started_ + limits_.total);
}

SelectionTransfer::Next SelectionTransfer::refused() {
    if (state_ == State::Asking && target_ == Target::Utf8String) {
        target_ = Target::String;
        return progressed(Next::Convert);
    }
    return fail();
}

SelectionTransfer::Next SelectionTransfer::whole(Encoding encoding, std::string_view bytes) {
    if (state_ != State::Asking) return fail();
    encoding_ = encoding;
    if (append(bytes) == Next::Failed) return Next::Failed;
    return finish();
}

SelectionTransfer::Next SelectionTransfer::incremental(std::size_t size_hint) {
    if (state_ != State::Asking) return fail();
    // The hint is a lower bound: an owner that announces more than the receiver takes would
    // only be read until the limit, then dropped.
    if (size_hint > limits_.bytes) return fail();
    state_ = State::InPieces;
    encoding_ = target_ == Target::Utf8String ? Encoding::Utf8 : Encoding::Latin1;
    bytes_.reserve(size_hint);
    return progressed(Next::Wait);
}

SelectionTransfer::Next SelectionTransfer::piece(std::optional<Encoding> type,
                                                 std::string_view bytes) {
    // Raw numbers or pieces of another text than the one announced are no part of it.
    if (state_ != State::InPieces || type != encoding_) return fail();
    if (bytes.empty()) return finish();
    if (append(bytes) == Next::Failed) return Next::Failed;
    return progressed(Next::Wait);
}

SelectionTransfer::Next SelectionTransfer::time_passed() {
    if (state_ == State::Over) return Next::Failed;
    return clock_() >= deadline() ? fail() : Next::Wait;
}

SelectionTransfer::Next SelectionTransfer::requestor_lost() { return fail(); }

std::string SelectionTransfer::text() { return std::exchange(bytes_, {}); }

SelectionTransfer::Next SelectionTransfer::append(std::string_view bytes) {
    if (bytes.size() > limits_.bytes - bytes_.size()) return fail();
    bytes_ += bytes;
    return Next::Wait;
}

SelectionTransfer::Next SelectionTransfer::finish() {
    state_ = State::Over;
    if (encoding_ == Encoding::Latin1) bytes_ = latin1_to_utf8(bytes_);
    if (bytes_.size() > limits_.bytes) return fail();
    return Next::Done;
}

SelectionTransfer::Next SelectionTransfer::fail() {
    state_ = State::Over;
    bytes_ = {};
    return Next::Failed;
}

SelectionTransfer::Next SelectionTransfer::progressed(Next next) {
    last_step_ = clock_();
    return next;
}

}  // namespace fltk
