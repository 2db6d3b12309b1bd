#include "platform/forms/typed_key.h"

#include "platform/forms/keys.h"

namespace forms {

namespace {

constexpr char32_t Delete = 127;

}  // namespace

int key_ascii(const TypedKey& key) {
    switch (key.named) {
        case NamedKey::Backspace:
            return KeyBackspace;
        case NamedKey::Enter:
            return KeyReturn;
        case NamedKey::Escape:
            return KeyEscape;
        case NamedKey::None:
            break;
    }
    const char32_t c = key.character;
    if (key.ctrl && !key.alt) {
        if (c >= U'a' && c <= U'z') return static_cast<int>(c - U'a' + 1);
        if (c >= U'A' && c <= U'Z') return static_cast<int>(c - U'A' + 1);
        return 0;
    }
    if (key.alt && !key.ctrl) return 0;
    // KeyPress takes a 16-bit character code: characters beyond it, and the halves that make
    // them up in UTF-16, are typed without one.
    const bool surrogate = c >= 0xD800 && c <= 0xDFFF;
    if (c < U' ' || c == Delete || surrogate || c > 0xFFFF) return 0;
    return static_cast<int>(c);
}

}  // namespace forms
