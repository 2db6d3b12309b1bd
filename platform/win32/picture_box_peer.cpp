// A picture box: a child window that draws its sunken edge and presents the box's pixel surface
// from a back buffer, each surface pixel a block of device pixels at the window's scale, and
// reports the mouse in twips from the drawing area's corner to the surface pixel under it.
#include "platform/win32/windows_api.h"

#include <windowsx.h>

#include <algorithm>
#include <array>
#include <cstdint>

#include "platform/forms/geometry.h"
#include "platform/forms/picture_box.h"
#include "platform/scaling/scaled_surface.h"
#include "platform/scaling/sunken_border.h"
#include "platform/win32/native_control.h"
#include "platform/win32/win32_backend.h"
#include "platform/win32/window_messages.h"

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

// The system colours of a sunken edge.
int system_colour(scaling::Shade shade) {
    switch (shade) {
        case scaling::Shade::Shadow:
            return COLOR_BTNSHADOW;
        case scaling::Shade::Highlight:
            return COLOR_BTNHIGHLIGHT;
        case scaling::Shade::DarkShadow:
            return COLOR_3DDKSHADOW;
        case scaling::Shade::Light:
            return COLOR_3DLIGHT;
    }
    return COLOR_BTNSHADOW;
}

int shift_of(WPARAM keys) {
    return ((keys & MK_SHIFT) != 0 ? forms::ShiftKey : 0) |
           ((keys & MK_CONTROL) != 0 ? forms::CtrlKey : 0) |
           (GetKeyState(VK_MENU) < 0 ? forms::AltKey : 0);
}

class PictureBoxPeer final : public NativeControl, private MessageHandler {
public:
    PictureBoxPeer(forms::PictureBox& box, const ControlSite& site)
        : NativeControl(box, site), box_(box), layout_(site.scale, box) {
        attach(
            create_child(site, box, registered_class(site), 0, 0, {}, creation_parameter(*this)));
        make_buffer();
    }

    void push() override {
        const forms::PixelRect area = box_.take_changed_area();
        copy_surface(area);
        // While the box paints an exposed part, the paint itself presents the buffer.
        if (painting_ || area.empty()) return;
        const WindowDc dc(window());
        present(dc.get(), layout_.surface.device_area(area));
    }

    void rescale(scaling::Scale scale) override {
        NativeControl::rescale(scale);
        layout_ = Layout(scale, box_);
        make_buffer();
        // The surface is the model's and has not changed: it is shown again at the new scale,
        // not repainted by the program.
        const WindowDc dc(window());
        draw_border(dc.get());
        present(dc.get(), layout_.drawing_area);
        ValidateRect(window(), nullptr);
    }

private:
    // Where the box's parts lie at a scale, in device pixels of the form's client area.
    struct Layout {
        Layout(scaling::Scale scale, const forms::PictureBox& box)
            : surface(scale, box),
              drawing_area(surface.device_area({0, 0, box.surface_width(), box.surface_height()})),
              origin{scale.device(box.bounds()).left, scale.device(box.bounds()).top},
              border(scaling::sunken_border(scale, box)) {}

        scaling::ScaledSurface surface;
        forms::PixelRect drawing_area;
        POINT origin;  // the box's own corner: the child window's client area starts here
        std::array<scaling::BorderStroke, 8> border;
    };

    static const wchar_t* registered_class(const ControlSite& site) {
        static const ATOM atom = [&] {
            WNDCLASSEXW type{};
            type.cbSize = sizeof(type);
            type.lpfnWndProc = &routed_procedure;
            type.hInstance = site.backend.instance();
            type.hCursor = LoadCursorW(nullptr, IDC_ARROW);
            type.lpszClassName = ClassName;
            return RegisterClassExW(&type);
        }();
        return atom != 0 ? ClassName : nullptr;
    }

    LRESULT on_message(const WindowMessage& message) override {
        const WPARAM wparam = message.wparam;
        // The pointer on the surface pixel under it, in twips, as the program measures a press.
        const int device_x = GET_X_LPARAM(message.lparam) + layout_.origin.x;
        const int device_y = GET_Y_LPARAM(message.lparam) + layout_.origin.y;
        const float x = layout_.surface.twips_x(device_x);
        const float y = layout_.surface.twips_y(device_y);
        switch (message.id) {
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
                return message.default_processing();
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
        draw_border(paint.dc());
        const forms::PixelRect device{area.left + layout_.origin.x, area.top + layout_.origin.y,
                                      area.right + layout_.origin.x,
                                      area.bottom + layout_.origin.y};
        const forms::PixelRect surface = layout_.surface.surface_area(clipped(device));
        if (surface.empty()) return;
        painting_ = true;
        // Between events the program repaints the exposed part (fill, then Paint) right away;
        // during one (a message box is up) it does so once the event is over, and meanwhile the
        // buffer shows what it drew last.
        box_.user_expose(surface);
        painting_ = false;
        present(paint.dc(), layout_.surface.device_area(surface));
    }

    // The part of these device pixels that shows the surface.
    forms::PixelRect clipped(const forms::PixelRect& device) const {
        const forms::PixelRect& all = layout_.drawing_area;
        return {std::max(device.left, all.left), std::max(device.top, all.top),
                std::min(device.right, all.right), std::min(device.bottom, all.bottom)};
    }

    void draw_border(HDC dc) const {
        for (const scaling::BorderStroke& stroke : layout_.border) {
            const RECT area = local(stroke.area);
            FillRect(dc, &area, GetSysColorBrush(system_colour(stroke.shade)));
        }
    }

    // A rectangle of the form's client area in the box's own.
    RECT local(const forms::PixelRect& device) const {
        return {device.left - layout_.origin.x, device.top - layout_.origin.y,
                device.right - layout_.origin.x, device.bottom - layout_.origin.y};
    }

    // A back buffer that holds the drawing area at the scale, each surface pixel a block of
    // device pixels, filled from the whole surface.
    void make_buffer() {
        const forms::PixelRect& area = layout_.drawing_area;
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof(info.bmiHeader);
        info.bmiHeader.biWidth = area.right - area.left;
        info.bmiHeader.biHeight = -(area.bottom - area.top);  // top row first, as the surface
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        void* bits = nullptr;
        buffer_dc_.reset();
        buffer_.reset(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
        bits_ = static_cast<std::uint32_t*>(bits);
        buffer_dc_.reset(CreateCompatibleDC(nullptr));
        SelectObject(buffer_dc_.get(), buffer_.get());
        box_.take_changed_area();
        copy_surface({0, 0, box_.surface_width(), box_.surface_height()});
    }

    // Copies the part of the surface that changed into the back buffer: each device pixel gets
    // the surface pixel under it.
    void copy_surface(forms::PixelRect area) {
        if (bits_ == nullptr || area.empty()) return;
        const forms::PixelRect& all = layout_.drawing_area;
        const int stride = all.right - all.left;
        const forms::PixelRect device = layout_.surface.device_area(area);
        for (int y = device.top; y < device.bottom; ++y) {
            const int row = layout_.surface.row_at(y);
            std::uint32_t* out = bits_ + (y - all.top) * stride + (device.left - all.left);
            for (int x = device.left; x < device.right; ++x) {
                *out++ = dib_pixel(box_.pixel(layout_.surface.column_at(x), row));
            }
        }
    }

    // Shows these device pixels of the drawing area from the back buffer.
    void present(HDC dc, const forms::PixelRect& device) const {
        const forms::PixelRect& all = layout_.drawing_area;
        const RECT to = local(device);
        BitBlt(dc, to.left, to.top, to.right - to.left, to.bottom - to.top, buffer_dc_.get(),
               device.left - all.left, device.top - all.top, SRCCOPY);
    }

    forms::PictureBox& box_;
    Layout layout_;
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
