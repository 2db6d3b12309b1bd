#include "platform/win32/dpi.h"

namespace win32 {

namespace {

// A function of user32 that older versions of Windows lack: null there. The program imports none
// of them, so that it starts on every Windows it supports.
template <class Function>
Function* newer_user32_function(const char* name) {
    static const HMODULE user32 = GetModuleHandleW(L"user32.dll");
    // Through the type that converts to every function pointer type.
    return reinterpret_cast<Function*>(reinterpret_cast<void (*)()>(GetProcAddress(user32, name)));
}

}  // namespace

int dpi_of(HWND window) {
    static const auto for_window =
        newer_user32_function<decltype(GetDpiForWindow)>("GetDpiForWindow");
    if (for_window != nullptr) {
        if (const UINT dpi = for_window(window); dpi != 0) return static_cast<int>(dpi);
    }
    const HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return dpi;
}

scaling::Scale scale_at(int dpi) { return scaling::Scale::of_dpi(dpi).value_or(scaling::Scale()); }

int system_metric(int index, int dpi) {
    static const auto for_dpi =
        newer_user32_function<decltype(GetSystemMetricsForDpi)>("GetSystemMetricsForDpi");
    return for_dpi != nullptr ? for_dpi(index, static_cast<UINT>(dpi)) : GetSystemMetrics(index);
}

RECT frame_around(RECT client, DWORD style, DWORD ex_style, int dpi) {
    static const auto for_dpi =
        newer_user32_function<decltype(AdjustWindowRectExForDpi)>("AdjustWindowRectExForDpi");
    if (for_dpi != nullptr) {
        for_dpi(&client, style, FALSE, ex_style, static_cast<UINT>(dpi));
    } else {
        AdjustWindowRectEx(&client, style, FALSE, ex_style);
    }
    return client;
}

void scale_frame_with_monitor(HWND window) {
    static const auto enable =
        newer_user32_function<decltype(EnableNonClientDpiScaling)>("EnableNonClientDpiScaling");
    if (enable != nullptr) enable(window);
}

}  // namespace win32
