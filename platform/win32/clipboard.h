#pragma once

#include "platform/win32/windows_api.h"

#include <string>

namespace win32 {

// Puts the text on the clipboard as Unicode text; false if it could not: another program holds
// the clipboard open, or the system refused the memory or the text.
bool write_clipboard_text(HWND owner, const std::wstring& text);

}  // namespace win32
