#include "platform/win32/dpi.h"

#include "platform/win32/newer_function.h"

namespace win32 {

int dpi_of(HWND window) {
    static const auto for_window =
        newer_function<decltype(GetDpiForWindow)>(L"user32.dll", "GetDpiForWindow");
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
        newer_function<decltype(GetSystemMetricsForDpi)>(L"user32.dll", "GetSystemMetricsForDpi");
    return for_dpi != nullptr ? for_dpi(index, static_cast<UINT>(dpi)) : GetSystemMetrics(index);
}

RECT frame_around(RECT client, DWORD style, DWORD ex_style, int dpi) {
    static const auto for_dpi = newer_function<decltype(AdjustWindowRectExForDpi)>(
        L"user32.dll", "AdjustWindowRectExForDpi");
    if (for_dpi != nullptr) {
        for_dpi(&client, style, FALSE, ex_style, static_cast<UINT>(dpi));
    } else {
        AdjustWindowRectEx(&client, style, FALSE, ex_style);
    }
    return client;
}

void scale_frame_with_monitor(HWND window) {
    static const auto enable = newer_function<decltype(EnableNonClientDpiScaling)>(
        L"user32.dll", "EnableNonClientDpiScaling");
    if (enable != nullptr) enable(window);
}

}  // namespace win32
