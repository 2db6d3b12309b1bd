// An image control: the program icon or a JPEG photograph, drawn by the form's window.
#include <variant>

#include "platform/forms/controls.h"
#include "platform/forms/form.h"
#include "platform/forms/runtime.h"
#include "platform/win32/jpeg_picture.h"
#include "platform/win32/native_control.h"
#include "platform/win32/win32_backend.h"

namespace win32 {

namespace {

class ImagePeer final : public NativeControl {
public:
    ImagePeer(forms::Image& image, const ControlSite& site)
        : NativeControl(image, create_child(site, image, L"STATIC", SS_OWNERDRAW), site),
          image_(image) {
        if (const auto* icon = std::get_if<const forms::Icon*>(&image.Picture())) {
            icon_ = site.backend.icon(**icon, forms::Icon::Size);
        } else {
            photo_ = decode_jpeg(std::get<std::span<const std::uint8_t>>(image.Picture()));
        }
    }

    void push() override { InvalidateRect(window(), nullptr, TRUE); }

    void draw(const DRAWITEMSTRUCT& item) override {
        const HDC dc = item.hDC;
        // The form shows through around the picture and through the icon's transparent pixels.
        SetDCBrushColor(dc, image_.form().runtime().resolve(image_.form().BackColor()));
        FillRect(dc, &item.rcItem, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
        const int width = item.rcItem.right - item.rcItem.left;
        const int height = item.rcItem.bottom - item.rcItem.top;
        // What the design does not stretch is shown at the scale; the photograph is enlarged
        // smoothly, as the system enlarges pictures.
        if (icon_ != nullptr) {
            const int size = scale().device(forms::Icon::Size);
            DrawIconEx(dc, 0, 0, icon_, image_.Stretch() ? width : size,
                       image_.Stretch() ? height : size, 0, nullptr, DI_NORMAL);
        }
        if (photo_) {
            BITMAP bitmap{};
            GetObjectW(photo_.get(), sizeof(bitmap), &bitmap);
            const OwnedMemoryDc source(CreateCompatibleDC(dc));
            const Selection selected(source.get(), photo_.get());
            const int shown_width = image_.Stretch() ? width : scale().device(bitmap.bmWidth);
            const int shown_height = image_.Stretch() ? height : scale().device(bitmap.bmHeight);
            if (shown_width == bitmap.bmWidth && shown_height == bitmap.bmHeight) {
                BitBlt(dc, 0, 0, bitmap.bmWidth, bitmap.bmHeight, source.get(), 0, 0, SRCCOPY);
            } else {
                SetStretchBltMode(dc, HALFTONE);
                SetBrushOrgEx(dc, 0, 0, nullptr);
                StretchBlt(dc, 0, 0, shown_width, shown_height, source.get(), 0, 0, bitmap.bmWidth,
                           bitmap.bmHeight, SRCCOPY);
            }
        }
    }

private:
    forms::Image& image_;
    HICON icon_ = nullptr;  // the back end owns its icons
    OwnedBitmap photo_;
};

}  // namespace

std::unique_ptr<NativeControl> make_peer(forms::Image& image, const ControlSite& site) {
    return std::make_unique<ImagePeer>(image, site);
}

}  // namespace win32
