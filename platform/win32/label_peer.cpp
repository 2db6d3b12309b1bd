// A label: a static text control, opaque in the label's own colours.
#include <optional>

#include "platform/forms/caption.h"
#include "platform/forms/controls.h"
#include "platform/forms/form.h"
#include "platform/forms/runtime.h"
#include "platform/win32/native_control.h"
#include "platform/win32/wide_text.h"
#include "platform/win32/win32_backend.h"

namespace win32 {

namespace {

class LabelPeer final : public NativeControl {
public:
    LabelPeer(forms::Label& label, const ControlSite& site)
        : NativeControl(label, create_child(site, label, L"STATIC", SS_LEFT), site), label_(label) {
        push();
    }

    void push() override {
        // A static control breaks lines at CR LF.
        set_window_text(window(), widen(forms::with_line_breaks(label_.Caption(), "\r\n")));
        if (label_.Font() != shown_font_) {
            shown_font_ = label_.Font();
            SendMessageW(window(), WM_SETFONT, reinterpret_cast<WPARAM>(font()), FALSE);
        }
        InvalidateRect(window(), nullptr, TRUE);
    }

    HFONT font() const override { return backend().font(shown_font_, scale()); }

    HBRUSH colour(HDC dc) override {
        forms::Runtime& runtime = label_.form().runtime();
        const COLORREF back = runtime.resolve(label_.BackColor());
        SetTextColor(dc, runtime.resolve(label_.ForeColor()));
        SetBkColor(dc, back);
        SetDCBrushColor(dc, back);
        return static_cast<HBRUSH>(GetStockObject(DC_BRUSH));
    }

private:
    forms::Label& label_;
    // The label's font as the control shows it (none: the default font): sent again only when
    // the label's changes.
    std::optional<forms::Font> shown_font_;
};

}  // namespace

std::unique_ptr<NativeControl> make_peer(forms::Label& label, const ControlSite& site) {
    return std::make_unique<LabelPeer>(label, site);
}

}  // namespace win32
