// A picture box: a child window with a sunken edge that presents the box's pixel surface from
// a back buffer, and reports the mouse in twips from the drawing area's corner.
#include "platform/win32/windows_api.h"

#include <windowsx.h>

#include <algorithm>

#include "platform/forms/geometry.h"
#include "platform/forms/picture_box.h"
#include "platform/win32/native_control.h"
#include "platform/win32/win32_backend.h"

namespace win32 {

namespace {

constexpr const wchar_t* ClassName = L"VarnelPictureBox";

// A colour value is red in the low byte; a 32-bit DIB pixel has blue there.
std::uint32_t dib_pixel(forms::ColourValue colour) {
    return ((colour & 0xFFU) << 16U) | (colour & 0xFF00U) | ((colour >> 16U) & 0xFFU);
}

int buttons_of(WPARAM keys) {
    return ((keys & MK_LBUTTON) != 0 ? forms::LeftButton : 0) |
           ((keys & MK_RBUTTON) != 0 ? forms::RightButton : 0) |
           ((keys & MK_MBUTTON) != 0 ? forms::MiddleButton : 0);
}

int shift_of(WPARAM keys) {
    return ((keys & MK_SHIFT) != 0 ? forms::ShiftKey : 0) |
           ((keys & MK_CONTROL) != 0 ? forms::CtrlKey : 0) |
           (GetKeyState(VK_MENU) < 0 ? forms::AltKey : 0);
}

class PictureBoxPeer final : public NativeControl {
public:
    PictureBoxPeer(forms::PictureBox& box, const ControlSite& site)
        : NativeControl(box, create_child(site, box, registered_class(site), 0, WS_EX_CLIENTEDGE),
                        site.id),
          box_(box) {
        SetWindowLongPtrW(window(), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof(info.bmiHeader);
        info.bmiHeader.biWidth = box.surface_width();
        info.bmiHeader.biHeight = -box.surface_height();  // top row first, as the surface
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        void* bits = nullptr;
        buffer_.reset(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
        bits_ = static_cast<std::uint32_t*>(bits);
        buffer_dc_.reset(CreateCompatibleDC(nullptr));
        SelectObject(buffer_dc_.get(), buffer_.get());
        copy_surface(box.take_changed_area());
    }

    void push() override {
        const forms::PixelRect area = box_.take_changed_area();
        copy_surface(area);
        // While the box paints an exposed part, the paint itself presents the buffer.
        if (painting_ || area.empty()) return;
        const WindowDc dc(window());
        present(dc.get(), area);
    }

private:
    static const wchar_t* registered_class(const ControlSite& site) {
        static const ATOM atom = [&] {
            WNDCLASSEXW type{};
            type.cbSize = sizeof(type);
            type.lpfnWndProc = &PictureBoxPeer::procedure;
            type.hInstance = site.backend.instance();
            type.hCursor = LoadCursorW(nullptr, IDC_ARROW);
            type.lpszClassName = ClassName;
            return RegisterClassExW(&type);
        }();
        return atom != 0 ? ClassName : nullptr;
    }

    static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
        auto* self = reinterpret_cast<PictureBoxPeer*>(GetWindowLongPtrW(window, GWLP_USERDATA));
        if (message == WM_NCDESTROY) SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        if (self == nullptr) return DefWindowProcW(window, message, wparam, lparam);
        return self->handle(message, wparam, lparam);
    }

    LRESULT handle(UINT message, WPARAM wparam, LPARAM lparam) {
        const float x = forms::to_twips(GET_X_LPARAM(lparam));
        const float y = forms::to_twips(GET_Y_LPARAM(lparam));
        switch (message) {
            case WM_PAINT:
                paint();
                return 0;
            case WM_ERASEBKGND:
                return 1;  // the paint covers every pixel
            case WM_LBUTTONDOWN:
                pressed(forms::LeftButton, wparam, x, y);
                return 0;
            case WM_RBUTTONDOWN:
                pressed(forms::RightButton, wparam, x, y);
                return 0;
            case WM_MBUTTONDOWN:
                pressed(forms::MiddleButton, wparam, x, y);
                return 0;
            case WM_MOUSEMOVE:
                box_.user_mouse_move(buttons_of(wparam), shift_of(wparam), x, y);
                return 0;
            case WM_LBUTTONUP:
            case WM_RBUTTONUP:
            case WM_MBUTTONUP:
                if (buttons_of(wparam) == 0) ReleaseCapture();
                return 0;
            default:
                return DefWindowProcW(window(), message, wparam, lparam);
        }
    }

    void pressed(int button, WPARAM keys, float x, float y) {
        // Moves keep coming while the button is held, even outside the box.
        SetCapture(window());
        box_.user_mouse_down(button, shift_of(keys), x, y);
    }

    void paint() {
        const PaintScope paint(window());
        const RECT& area = paint.area();
        painting_ = true;
        // Between events the program repaints the exposed part (fill, then Paint) right away;
        // during one (a message box is up) it does so once the event is over, and meanwhile the
        // buffer shows what it drew last.
        box_.user_expose({area.left, area.top, area.right, area.bottom});
        painting_ = false;
        present(paint.dc(), {area.left, area.top, area.right, area.bottom});
    }

    // Copies the part of the surface that changed into the back buffer.
    void copy_surface(forms::PixelRect area) {
        if (bits_ == nullptr) return;
        const int width = box_.surface_width();
        for (int row = area.top; row < area.bottom; ++row) {
            const auto from = box_.pixels().begin() + row * width;
            std::transform(from + area.left, from + area.right, bits_ + row * width + area.left,
                           dib_pixel);
        }
    }

    void present(HDC dc, forms::PixelRect area) const {
        BitBlt(dc, area.left, area.top, area.right - area.left, area.bottom - area.top,
               buffer_dc_.get(), area.left, area.top, SRCCOPY);
    }

    forms::PictureBox& box_;
    OwnedBitmap buffer_;
    OwnedMemoryDc buffer_dc_;  // released before the bitmap selected into it
    std::uint32_t* bits_ = nullptr;
    bool painting_ = false;
};

}  // namespace

std::unique_ptr<NativeControl> make_peer(forms::PictureBox& box, const ControlSite& site) {
    return std::make_unique<PictureBoxPeer>(box, site);
}

}  // namespace win32
