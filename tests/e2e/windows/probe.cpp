// Reads the state of a running program's window from another process, for the end-to-end
// tests: `probe TITLE` prints the top-level window titled TITLE, the focus and every child
// control in Z order (which is the order of creation):
//
//   window LEFT TOP RIGHT BOTTOM VISIBLE
//   active TITLE-OF-THE-ACTIVE-WINDOW
//   focus CLASS#N
//   CLASS#N VALUE...
//
// where N counts the controls of one class from 1. Edit and Static show their text, ScrollBar
// its position, Button its check state and caption. Exits with 1 if no such window exists.
// Texts are read with WM_GETTEXT: GetWindowText does not read other processes' controls.
#include <windows.h>

#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <map>
#include <string>

namespace {

std::string utf8(const std::wstring& text) {
    if (text.empty()) return {};
    const int size = static_cast<int>(text.size());
    const int length =
        WideCharToMultiByte(CP_UTF8, 0, text.data(), size, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), size, out.data(), length, nullptr, nullptr);
    return out;
}

LRESULT ask(HWND window, UINT message, WPARAM wparam = 0, LPARAM lparam = 0) {
    DWORD_PTR result = 0;
    SendMessageTimeoutW(window, message, wparam, lparam, SMTO_ABORTIFHUNG, 2000, &result);
    return static_cast<LRESULT>(result);
}

std::string text_of(HWND window) {
    const auto length = static_cast<std::size_t>(ask(window, WM_GETTEXTLENGTH));
    std::wstring text(length + 1, L'\0');
    const LRESULT copied =
        ask(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<std::size_t>(copied));
    std::string out = utf8(text);
    // One line per control: line breaks are shown as "\n".
    std::string escaped;
    for (const char c : out) {
        if (c == '\r') continue;
        escaped += c == '\n' ? std::string("\\n") : std::string(1, c);
    }
    return escaped;
}

std::string class_of(HWND window) {
    wchar_t name[256] = {};
    GetClassNameW(window, name, 256);
    return utf8(name);
}

void print(const std::string& line) {
    std::fwrite(line.data(), 1, line.size(), stdout);
    std::fputc('\n', stdout);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    _setmode(_fileno(stdout), _O_BINARY);
    if (argc != 2) {
        print("usage: probe TITLE");
        return 2;
    }
    const HWND window = FindWindowW(nullptr, argv[1]);
    if (window == nullptr) return 1;

    RECT frame{};
    GetWindowRect(window, &frame);
    print("window " + std::to_string(frame.left) + " " + std::to_string(frame.top) + " " +
          std::to_string(frame.right) + " " + std::to_string(frame.bottom) + " " +
          (IsWindowVisible(window) ? "1" : "0"));

    GUITHREADINFO gui{};
    gui.cbSize = sizeof(gui);
    GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &gui);
    print("active " + (gui.hwndActive != nullptr ? text_of(gui.hwndActive) : std::string()));

    std::map<std::string, int> counts;
    std::string focus = "none";
    std::string controls;
    for (HWND child = GetWindow(window, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        const std::string kind = class_of(child);
        const std::string name = kind + "#" + std::to_string(++counts[kind]);
        if (child == gui.hwndFocus) focus = name;
        std::string value;
        if (kind == "ScrollBar") {
            value = std::to_string(ask(child, SBM_GETPOS));
        } else if (kind == "Button") {
            value = std::to_string(ask(child, BM_GETCHECK)) + " " + text_of(child);
        } else {
            value = text_of(child);
        }
        controls += name + " " + value + "\n";
    }
    print("focus " + focus);
    std::fwrite(controls.data(), 1, controls.size(), stdout);
    return 0;
}
