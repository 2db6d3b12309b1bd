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
        : NativeControl(image, create_child(site, image, L"STATIC", SS_OWNERDRAW), site.id),
          image_(image) {
        if (const auto* icon = std::get_if<const forms::Icon*>(&image.Picture())) {
            icon_ = site.backend.icon(**icon);
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
        if (icon_ != nullptr) {
            const int size = forms::Icon::Size;
            DrawIconEx(dc, 0, 0, icon_, image_.Stretch() ? width : size,
                       image_.Stretch() ? height : size, 0, nullptr, DI_NORMAL);
        }
        if (photo_) {
            BITMAP bitmap{};
            GetObjectW(photo_.get(), sizeof(bitmap), &bitmap);
            const OwnedMemoryDc source(CreateCompatibleDC(dc));
            const Selection selected(source.get(), photo_.get());
            if (image_.Stretch()) {
                SetStretchBltMode(dc, HALFTONE);
                StretchBlt(dc, 0, 0, width, height, source.get(), 0, 0, bitmap.bmWidth,
                           bitmap.bmHeight, SRCCOPY);
            } else {
                BitBlt(dc, 0, 0, bitmap.bmWidth, bitmap.bmHeight, source.get(), 0, 0, SRCCOPY);
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
