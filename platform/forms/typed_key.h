#pragma once

namespace forms {

// The keys with a character code of their own, whatever else is held.
enum class NamedKey { None, Backspace, Enter, Escape };

// A key typed into a text box, as a back end knows it: a named key, or the character the
// keyboard's layout types for the key without Ctrl ('v' for Ctrl+V), and which modifiers are
// held. Ctrl and Alt together are the layout's third level (AltGr) on some systems.
struct TypedKey {
    NamedKey named = NamedKey::None;
    char32_t character = 0;
    bool ctrl = false;
    bool alt = false;
};

// The character code that KeyPress receives for a typed key, or 0 when the key raises no
// KeyPress (it may still do what the field does with it, such as Ctrl+C). The codes: Backspace
// 8, Enter 13, Esc 27; Ctrl and a letter 1 to 26 (Ctrl+A to Ctrl+Z, with or without Shift); a
// printable character its own code, typed alone, with Shift, or on the third level. Alt with a
// key types nothing: the key belongs to the window.
int key_ascii(const TypedKey& key);

}  // namespace forms
