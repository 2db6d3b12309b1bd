#include "platform/win32/clipboard.h"

#include <cstring>
#include <string_view>

namespace win32 {

std::optional<std::wstring> clipboard_text() {
    HANDLE data = GetClipboardData(CF_UNICODETEXT);
    const auto* text = data == nullptr ? nullptr : static_cast<const wchar_t*>(GlobalLock(data));
    if (text == nullptr) return std::nullopt;
    // The text ends at its first NUL, or with its memory: another program wrote it.
    const std::wstring_view memory(text, GlobalSize(data) / sizeof(wchar_t));
    std::wstring result(memory.substr(0, memory.find(L'\0')));
    GlobalUnlock(data);
    return result;
}

bool write_clipboard_text(HWND owner, const std::wstring& text) {
    // The text is made ready before the clipboard is opened: nothing is emptied for a text that
    // could not be placed, and another program waits on the clipboard no longer than it must.
    const std::size_t bytes = (text.size() + 1) * sizeof(wchar_t);
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
    if (memory == nullptr) return false;
    void* target = GlobalLock(memory);
    if (target == nullptr) {
        GlobalFree(memory);
        return false;
    }
    std::memcpy(target, text.c_str(), bytes);
    GlobalUnlock(memory);

    // A copy replaces the clipboard's whole content: the clipboard is emptied first, which also
    // makes the program its owner, as any program that writes it. What an earlier owner left
    // there in other formats (a picture beside its text, say) would disagree with our text.
    const OpenClipboardScope clipboard(owner);
    if (!clipboard.open() || EmptyClipboard() == FALSE ||
        SetClipboardData(CF_UNICODETEXT, memory) == nullptr) {
        GlobalFree(memory);
        return false;
    }
    return true;  // the memory is the clipboard's now
}

}  // namespace win32
