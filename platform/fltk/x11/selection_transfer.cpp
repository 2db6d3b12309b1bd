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

// Text copied from programs that end lines with CR LF pastes as it would have been typed.
void crlf_to_lf(std::string& text) {
    std::size_t out = 0;
    for (std::size_t in = 0; in < text.size(); ++in) {
        if (text[in] == '\r' && in + 1 < text.size() && text[in + 1] == '\n') continue;
        text[out++] = text[in];
    }
    text.resize(out);
}

}  // namespace

SelectionTransfer::Next SelectionTransfer::refused() {
    if (target_ == Target::Utf8String && !incremental_) {
        target_ = Target::String;
        return Next::Convert;
    }
    return Next::Failed;
}

SelectionTransfer::Next SelectionTransfer::whole(Encoding encoding, std::string_view bytes) {
    encoding_ = encoding;
    bytes_.clear();
    if (append(bytes) == Next::Failed) return Next::Failed;
    return finish();
}

SelectionTransfer::Next SelectionTransfer::incremental(std::size_t size_hint) {
    incremental_ = true;
    encoding_ = target_ == Target::Utf8String ? Encoding::Utf8 : Encoding::Latin1;
    bytes_.clear();
    // The hint comes from another program: it sizes the buffer only within the limit.
    bytes_.reserve(std::min(size_hint, limit_));
    return Next::AwaitChunk;
}

SelectionTransfer::Next SelectionTransfer::chunk(std::string_view bytes) {
    if (!incremental_) return Next::Failed;
    if (bytes.empty()) return finish();
    return append(bytes) == Next::Failed ? Next::Failed : Next::AwaitChunk;
}

std::string SelectionTransfer::text() { return std::exchange(bytes_, {}); }

SelectionTransfer::Next SelectionTransfer::append(std::string_view bytes) {
    if (bytes.size() > limit_ - bytes_.size()) {
        bytes_ = {};
        return Next::Failed;
    }
    bytes_ += bytes;
    return Next::AwaitChunk;
}

SelectionTransfer::Next SelectionTransfer::finish() {
    if (encoding_ == Encoding::Latin1) bytes_ = latin1_to_utf8(bytes_);
    crlf_to_lf(bytes_);
    if (bytes_.size() > limit_) {
        bytes_ = {};
        return Next::Failed;
    }
    return Next::Done;
}

}  // namespace fltk
