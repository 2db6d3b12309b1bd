#include "platform/win32/native_control.h"

#include <optional>

#include "platform/forms/controls.h"
#include "platform/forms/picture_box.h"
#include "platform/forms/visit.h"
#include "platform/win32/win32_backend.h"

namespace win32 {

HWND create_child(const ControlSite& site, const forms::Control& control,
                  const wchar_t* window_class, DWORD style, DWORD ex_style,
                  const std::wstring& text, void* creation_data) {
    // Siblings overlap (the grey panel lies beneath the scroll bars): each paints only itself.
    const DWORD common =
        WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | (control.takes_focus() ? WS_TABSTOP : 0);
    const forms::PixelRect place = site.scale.device(control.bounds());
    HWND window =
        CreateWindowExW(ex_style, window_class, text.c_str(), common | style, place.left, place.top,
                        place.right - place.left, place.bottom - place.top, site.parent,
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(site.id)),
                        site.backend.instance(), creation_data);
    SendMessageW(window, WM_SETFONT,
                 reinterpret_cast<WPARAM>(site.backend.font(std::nullopt, site.scale)), FALSE);
    return window;
}

void NativeControl::rescale(scaling::Scale scale) {
    scale_ = scale;
    if (window_ == nullptr) return;
    const forms::PixelRect place = scale.device(control_.bounds());
    SetWindowPos(window_, nullptr, place.left, place.top, place.right - place.left,
                 place.bottom - place.top, SWP_NOZORDER | SWP_NOACTIVATE);
    SendMessageW(window_, WM_SETFONT, reinterpret_cast<WPARAM>(font()), TRUE);
}

HFONT NativeControl::font() const { return backend_.font(std::nullopt, scale_); }

std::unique_ptr<NativeControl> make_native_control(forms::Control& control,
                                                   const ControlSite& site) {
    return forms::visit(control, [&](auto& actual) { return make_peer(actual, site); });
}

}  // namespace win32
