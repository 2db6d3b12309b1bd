#include "platform/win32/win32_backend.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "platform/forms/runtime.h"
#include "platform/win32/clipboard.h"
#include "platform/win32/fonts.h"
#include "platform/win32/icon_image.h"
#include "platform/win32/wide_text.h"

namespace win32 {

namespace {

// Disables windows for as long as it lives, then enables again those it disabled.
class DisabledWindows {
public:
    explicit DisabledWindows(const std::vector<HWND>& windows) {
        for (const HWND window : windows) {
            // Zero: the window was enabled until now.
            if (EnableWindow(window, FALSE) == FALSE) disabled_.push_back(window);
        }
    }
    DisabledWindows(const DisabledWindows&) = delete;
    DisabledWindows& operator=(const DisabledWindows&) = delete;
    ~DisabledWindows() {
        for (const HWND window : disabled_) EnableWindow(window, TRUE);
    }

private:
    std::vector<HWND> disabled_;
};

}  // namespace

Win32Backend::Win32Backend(HINSTANCE instance) : instance_(instance) {}

int Win32Backend::run() {
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (!dialog_message(message)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        retired_.clear();
    }
    return static_cast<int>(message.wParam);
}

bool Win32Backend::dialog_message(MSG& message) const {
    const HWND root = GetAncestor(message.hwnd, GA_ROOT);
    return root != nullptr && owns(root) && IsDialogMessageW(root, &message) != FALSE;
}

HFONT Win32Backend::font(const std::optional<forms::Font>& font, scaling::Scale scale) {
    const forms::Font& wanted = font.value_or(DefaultFont);
    const auto found = std::find_if(fonts_.begin(), fonts_.end(), [&](const MadeFont& made) {
        return made.font == wanted && made.dpi == scale.dpi();
    });
    if (found != fonts_.end()) return found->handle.get();
    return fonts_.emplace_back(MadeFont{wanted, scale.dpi(), create_font(wanted, scale)})
        .handle.get();
}

HICON Win32Backend::icon(const forms::Icon& icon, int size) {
    OwnedIcon& made = icons_[{&icon, size}];
    if (made) return made.get();
    if (const auto resource = icon_resources_.find(&icon); resource != icon_resources_.end()) {
        made.reset(static_cast<HICON>(LoadImageW(instance_, MAKEINTRESOURCEW(resource->second),
                                                 IMAGE_ICON, size, size, LR_DEFAULTCOLOR)));
    } else {
        std::vector<std::uint8_t> image = icon_image(icon);
        constexpr DWORD IconFormat = 0x00030000;  // the version that icon resources carry
        made.reset(CreateIconFromResourceEx(image.data(), static_cast<DWORD>(image.size()), TRUE,
                                            IconFormat, size, size, LR_DEFAULTCOLOR));
    }
    return made.get();
}

void Win32Backend::icon_resource(const forms::Icon& icon, int resource_id) {
    icon_resources_[&icon] = resource_id;
}

scaling::Scale Win32Backend::screen_scale(const FormWindow& asking) const {
    // While the main window is being made, it is the one asking.
    return windows_.empty() ? asking.scale() : windows_.front()->scale();
}

void Win32Backend::rescaled(const FormWindow& window) {
    if (windows_.empty() || windows_.front().get() != &window) return;
    for (const auto& each : windows_) each->report_geometry();
}

bool Win32Backend::owns(HWND window) const { return window_of(window) != nullptr; }

FormWindow* Win32Backend::window_of(const forms::Form& form) const {
    const auto found = std::find_if(windows_.begin(), windows_.end(),
                                    [&](const auto& window) { return &window->form() == &form; });
    return found == windows_.end() ? nullptr : found->get();
}

FormWindow* Win32Backend::window_of(HWND handle) const {
    if (handle == nullptr) return nullptr;
    const auto found = std::find_if(windows_.begin(), windows_.end(),
                                    [&](const auto& window) { return window->window() == handle; });
    return found == windows_.end() ? nullptr : found->get();
}

void Win32Backend::form_loaded(forms::Form& form) {
    // With the first window, the program has something to describe if a screen reader runs.
    const bool first = runtime_ == nullptr;
    runtime_ = &form.runtime();
    windows_.push_back(std::make_unique<FormWindow>(*this, form));
    if (first) watch_.look();
}

void Win32Backend::form_unloaded(forms::Form& form) {
    const auto found = std::find_if(windows_.begin(), windows_.end(),
                                    [&](const auto& window) { return &window->form() == &form; });
    if (found == windows_.end()) return;
    (*found)->destroy();
    retired_.push_back(std::move(*found));
    windows_.erase(found);
}

void Win32Backend::update(forms::Form& form) {
    if (FormWindow* window = window_of(form)) window->push();
}

void Win32Backend::update(forms::Control& control) {
    if (FormWindow* window = window_of(control.form())) window->push(control);
}

void Win32Backend::activate(forms::Form& form) {
    if (FormWindow* window = window_of(form)) SetForegroundWindow(window->window());
}

void Win32Backend::assistive_technology_asked() {
    if (runtime_ != nullptr) runtime_->assistive_technology_asked();
}

void Win32Backend::accessible_update(const forms::AccessibleUpdate& update) {
    if (FormWindow* window = window_of(update.form)) window->tell_screen_readers(update);
}

int Win32Backend::message_box(const std::string& text, int style, const std::string& title,
                              const std::vector<forms::Form*>& held) {
    // The box belongs to the active window, if that is one of the program's: it stays above that
    // window, disables it while it waits and gives the activation back to it once answered.
    // Every other window it holds is disabled here for as long, as the system disables the
    // owner: it takes no click, key or activation, and its close button does nothing. (A
    // task-modal box without an owner would disable the thread's windows itself, but would
    // stand above none of them and give the activation back to none.)
    const HWND active = GetActiveWindow();
    const HWND owner = owns(active) ? active : nullptr;
    std::vector<HWND> others;
    for (const forms::Form* form : held) {
        const FormWindow* window = window_of(*form);
        if (window != nullptr && window->window() != owner) others.push_back(window->window());
    }
    const DisabledWindows disabled(others);
    return MessageBoxW(owner, widen(text).c_str(), widen(title).c_str(), static_cast<UINT>(style));
}

forms::ClipboardResult Win32Backend::set_clipboard_text(const std::string& text) {
    const HWND owner = windows_.empty() ? nullptr : windows_.front()->window();
    return write_clipboard_text(owner, widen(text)) ? forms::ClipboardResult::Written
                                                    : forms::ClipboardResult::Failed;
}

forms::ColourValue Win32Backend::resolve(forms::SystemColour colour) {
    switch (colour) {
        case forms::SystemColour::ButtonFace:
            return GetSysColor(COLOR_BTNFACE);
        case forms::SystemColour::WindowBackground:
            return GetSysColor(COLOR_WINDOW);
        case forms::SystemColour::WindowText:
            return GetSysColor(COLOR_WINDOWTEXT);
    }
    return 0;
}

}  // namespace win32
