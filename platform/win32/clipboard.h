#pragma once

#include "platform/win32/windows_api.h"

#include <optional>
#include <string>

namespace win32 {

// The clipboard, opened for the scope if no other program holds it: the clipboard is the whole
// system's, so it is closed whatever happens while it is open.
class OpenClipboardScope {
public:
    explicit OpenClipboardScope(HWND owner) : open_(OpenClipboard(owner) != FALSE) {}
    OpenClipboardScope(const OpenClipboardScope&) = delete;
    OpenClipboardScope& operator=(const OpenClipboardScope&) = delete;
    ~OpenClipboardScope() {
        if (open_) CloseClipboard();
    }
    bool open() const { return open_; }

private:
    bool open_;
};

// The Unicode text on the clipboard, which the caller holds open; nothing when it holds none.
std::optional<std::wstring> clipboard_text();

// Puts the text on the clipboard as Unicode text; false if it could not: another program holds
// the clipboard open, or the system refused the memory or the text.
bool write_clipboard_text(HWND owner, const std::wstring& text);

}  // namespace win32
