// A text box: a single-line EDIT. Typed characters reach KeyPress before the field applies them;
// every change of the text reaches the program as one edit. A paste goes to the program, which
// sends the field its new text.
#include "platform/win32/windows_api.h"

#include <optional>
#include <string>

#include "platform/forms/controls.h"
#include "platform/forms/keys.h"
#include "platform/forms/text_units.h"
#include "platform/forms/typed_key.h"
#include "platform/win32/clipboard.h"
#include "platform/win32/native_control.h"
#include "platform/win32/wide_text.h"
#include "platform/win32/win32_backend.h"
#include "platform/win32/window_messages.h"

namespace win32 {

namespace {

class TextBoxPeer final : public NativeControl, private MessageHandler {
public:
    TextBoxPeer(forms::TextBox& box, const ControlSite& site)
        : NativeControl(box,
                        create_child(site, box, L"EDIT", ES_LEFT | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE,
                                     widen(box.Text())),
                        site),
          box_(box) {
        SendMessageW(window(), EM_LIMITTEXT, 0, 0);  // as long as the system allows
        // The system's EDIT class: its messages come through a subclass.
        route_messages(window(), *this);
        show_selection();
    }

    void push() override {
        set_window_text(window(), widen(box_.Text()));
        show_selection();
    }

    void command(int notification) override {
        // The program's own writes come back here too, while they are being pushed; the program
        // does not take those for the user's.
        if (notification == EN_CHANGE) box_.user_edit(narrow(window_text(window())));
    }

private:
    // The caret or selection where the model puts it (an edit control would put the caret at
    // the start), counted in the control's UTF-16 units.
    void show_selection() {
        const std::string& text = box_.Text();
        const forms::TextSelection& selection = box_.selection();
        SendMessageW(
            window(), EM_SETSEL, forms::utf16_offset(text, selection.start),
            static_cast<LPARAM>(forms::utf16_offset(text, selection.start + selection.length)));
    }

    LRESULT on_message(const WindowMessage& message) override {
        switch (message.id) {
            case WM_GETDLGCODE:
                // Enter and Esc are the field's keys (KeyPress sees them), not the window's
                // default and cancel buttons.
                if (const auto* key = reinterpret_cast<const MSG*>(message.lparam);
                    key != nullptr && (key->message == WM_KEYDOWN || key->message == WM_CHAR) &&
                    (key->wParam == VK_RETURN || key->wParam == VK_ESCAPE)) {
                    return message.default_processing() | DLGC_WANTMESSAGE;
                }
                break;
            case WM_CHAR:
                return typed(message);
            case WM_PASTE:
                paste();
                return 0;
            default:
                break;
        }
        return message.default_processing();
    }

    // The key behind a typed character: the runtime decides which raise KeyPress, from the key
    // and the modifiers held rather than from the control character the system made of them.
    static forms::TypedKey typed_key(WPARAM code, LPARAM lparam) {
        const UINT scan_code = (static_cast<UINT>(lparam) >> 16U) & 0xFFU;
        const UINT key = MapVirtualKeyW(scan_code, MAPVK_VSC_TO_VK);
        forms::TypedKey typed;
        typed.ctrl = GetKeyState(VK_CONTROL) < 0;
        typed.alt = GetKeyState(VK_MENU) < 0;
        typed.named = key == VK_BACK     ? forms::NamedKey::Backspace
                      : key == VK_RETURN ? forms::NamedKey::Enter
                      : key == VK_ESCAPE ? forms::NamedKey::Escape
                                         : forms::NamedKey::None;
        // With Ctrl the system types a control character: the key's letter stands for it.
        const bool letter = key >= 'A' && key <= 'Z';
        typed.character = static_cast<char32_t>(typed.ctrl && letter ? key : code);
        return typed;
    }

    LRESULT typed(const WindowMessage& message) {
        const int key = forms::key_ascii(typed_key(message.wparam, message.lparam));
        // A key that raises no KeyPress is the field's.
        if (key == 0) return message.default_processing();
        const int applied = box_.user_key(key);
        // A single-line field has nothing to do with Enter or Esc but ring the bell.
        if (applied == 0 || applied == forms::KeyReturn || applied == forms::KeyEscape ||
            !IsWindow(message.window)) {
            return 0;
        }
        return message.default_processing(static_cast<WPARAM>(applied));
    }

    // Ctrl+V, Shift+Insert and the context menu's Paste all come as WM_PASTE. The program
    // makes the field's new text from the clipboard's and the control is sent it once: Wine's
    // EDIT takes minutes to insert a text of 1 MiB (the time grows with the square of the
    // size), and as long again to have it replaced by the number the field rewrites it as.
    void paste() {
        std::optional<std::wstring> text;
        if (const OpenClipboardScope clipboard(window()); clipboard.open()) {
            text = clipboard_text();
        }
        if (!text) return;
        DWORD start = 0;
        DWORD end = 0;
        SendMessageW(window(), EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                     reinterpret_cast<LPARAM>(&end));
        const std::size_t from = forms::characters_before_utf16(box_.Text(), start);
        const std::size_t to = forms::characters_before_utf16(box_.Text(), end);
        box_.user_paste({from, to - from}, narrow(*text));
    }

    forms::TextBox& box_;
};

}  // namespace

std::unique_ptr<NativeControl> make_peer(forms::TextBox& box, const ControlSite& site) {
    return std::make_unique<TextBoxPeer>(box, site);
}

}  // namespace win32
