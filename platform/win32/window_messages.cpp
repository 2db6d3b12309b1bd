#include "platform/win32/window_messages.h"

#include <commctrl.h>

namespace win32 {

namespace {

LRESULT CALLBACK subclass_procedure(HWND window, UINT id, WPARAM wparam, LPARAM lparam,
                                    UINT_PTR /*subclass*/, DWORD_PTR handler) {
    if (id == WM_NCDESTROY) RemoveWindowSubclass(window, &subclass_procedure, 0);
    return reinterpret_cast<MessageHandler*>(handler)->on_message(
        {window, id, wparam, lparam, &DefSubclassProc});
}

}  // namespace

LRESULT CALLBACK routed_procedure(HWND window, UINT id, WPARAM wparam, LPARAM lparam) {
    if (id == WM_NCCREATE) {
        const auto* creation = reinterpret_cast<const CREATESTRUCTW*>(lparam);
        SetWindowLongPtrW(window, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(creation->lpCreateParams));
    }
    auto* handler = reinterpret_cast<MessageHandler*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (id == WM_NCDESTROY) SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    if (handler == nullptr) return DefWindowProcW(window, id, wparam, lparam);
    return handler->on_message({window, id, wparam, lparam, &DefWindowProcW});
}

void route_messages(HWND control, MessageHandler& handler) {
    SetWindowSubclass(control, &subclass_procedure, 0, reinterpret_cast<DWORD_PTR>(&handler));
}

}  // namespace win32
