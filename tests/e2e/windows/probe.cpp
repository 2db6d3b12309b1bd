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
//
// `probe --layout TITLE` prints the window's client area and each control's rectangle in it:
//
//   client WIDTH HEIGHT
//   CLASS#N LEFT TOP RIGHT BOTTOM
//
// `probe --dpi TITLE DPI` tells the window that it now stands at DPI dots per inch, as Windows
// does when the window moves to a monitor of another scale (WM_DPICHANGED, with the rectangle the
// system would suggest: the window's corner, its size scaled), then prints the layout. Wine
// never sends that message itself.
#include <windows.h>

#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <initializer_list>
#include <map>
#include <string>

#include "platform/win32/wide_text.h"

namespace {

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
    std::string out = win32::narrow(text);
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
    return win32::narrow(name);
}

void print(const std::string& line) {
    std::fwrite(line.data(), 1, line.size(), stdout);
    std::fputc('\n', stdout);
}

std::string numbers(std::initializer_list<long> values) {
    std::string out;
    for (const long value : values) out += " " + std::to_string(value);
    return out;
}

// Each child window of the window, in Z order, named CLASS#N.
template <class Visit>
void each_control(HWND window, Visit visit) {
    std::map<std::string, int> counts;
    for (HWND child = GetWindow(window, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        const std::string kind = class_of(child);
        visit(child, kind, kind + "#" + std::to_string(++counts[kind]));
    }
}

void print_layout(HWND window) {
    RECT client{};
    GetClientRect(window, &client);
    print("client" + numbers({client.right, client.bottom}));
    each_control(window, [&](HWND child, const std::string&, const std::string& name) {
        RECT place{};
        GetWindowRect(child, &place);
        MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&place), 2);
        print(name + numbers({place.left, place.top, place.right, place.bottom}));
    });
}

// WM_DPICHANGED carries a pointer to the suggested rectangle, which the system does not carry
// over to another process: the rectangle is written into the program's own memory.
bool send_dpi_changed(HWND window, int dpi) {
    RECT frame{};
    GetWindowRect(window, &frame);
    const int old_dpi = static_cast<int>(GetDpiForWindow(window));
    const RECT suggested{frame.left, frame.top,
                         frame.left + MulDiv(frame.right - frame.left, dpi, old_dpi),
                         frame.top + MulDiv(frame.bottom - frame.top, dpi, old_dpi)};
    DWORD process_id = 0;
    GetWindowThreadProcessId(window, &process_id);
    const HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_WRITE, FALSE, process_id);
    if (process == nullptr) return false;
    void* remote = VirtualAllocEx(process, nullptr, sizeof(suggested), MEM_COMMIT | MEM_RESERVE,
                                  PAGE_READWRITE);
    const bool written = remote != nullptr && WriteProcessMemory(process, remote, &suggested,
                                                                 sizeof(suggested), nullptr);
    if (written) {
        ask(window, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(remote));
    }
    if (remote != nullptr) VirtualFreeEx(process, remote, 0, MEM_RELEASE);
    CloseHandle(process);
    return written;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    _setmode(_fileno(stdout), _O_BINARY);
    const std::wstring mode = argc > 1 ? argv[1] : L"";
    const bool layout = mode == L"--layout" && argc == 3;
    const bool dpi = mode == L"--dpi" && argc == 4;
    if (argc != 2 && !layout && !dpi) {
        print("usage: probe TITLE | probe --layout TITLE | probe --dpi TITLE DPI");
        return 2;
    }
    const HWND window = FindWindowW(nullptr, argv[argc == 2 ? 1 : 2]);
    if (window == nullptr) return 1;
    if (dpi && !send_dpi_changed(window, _wtoi(argv[3]))) return 1;
    if (layout || dpi) {
        print_layout(window);
        return 0;
    }

    RECT frame{};
    GetWindowRect(window, &frame);
    print("window" + numbers({frame.left, frame.top, frame.right, frame.bottom}) + " " +
          (IsWindowVisible(window) ? "1" : "0"));

    GUITHREADINFO gui{};
    gui.cbSize = sizeof(gui);
    GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &gui);
    print("active " + (gui.hwndActive != nullptr ? text_of(gui.hwndActive) : std::string()));

    std::string focus = "none";
    std::string controls;
    each_control(window, [&](HWND child, const std::string& kind, const std::string& name) {
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
    });
    print("focus " + focus);
    std::fwrite(controls.data(), 1, controls.size(), stdout);
    return 0;
}
