#pragma once

#include "platform/win32/windows_api.h"

#include <string>
#include <string_view>

namespace win32 {

// The program's text is UTF-8; Win32's wide functions take UTF-16.
std::wstring widen(std::string_view utf8);
std::string narrow(std::wstring_view utf16);

std::wstring window_text(HWND window);
// Sets the window's text unless it already reads so, sparing a redraw and a notification.
void set_window_text(HWND window, const std::wstring& text);

}  // namespace win32
