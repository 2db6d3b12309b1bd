#include "platform/win32/form_window.h"

#include <algorithm>
#include <utility>

#include "platform/forms/stacking.h"
#include "platform/win32/dpi.h"
#include "platform/win32/wide_text.h"
#include "platform/win32/win32_backend.h"

namespace win32 {

namespace {

constexpr const wchar_t* ClassName = L"VarnelForm";
// A fixed single frame with the caption bar's close button and system menu, nothing more.
constexpr DWORD Style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
constexpr DWORD ExStyle = 0;
// Identifiers below this are the dialog manager's (IDOK, IDCANCEL): Enter and Esc send them.
constexpr int FirstControlId = 100;

ATOM register_class(HINSTANCE instance) {
    WNDCLASSEXW type{};
    type.cbSize = sizeof(type);
    type.lpfnWndProc = &routed_procedure;
    type.hInstance = instance;
    type.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    type.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1));
    type.lpszClassName = ClassName;
    return RegisterClassExW(&type);
}

}  // namespace

FormWindow::FormWindow(Win32Backend& backend, forms::Form& form) : backend_(backend), form_(form) {
    static const ATOM atom = register_class(backend.instance());
    // The system places the new window (on a monitor of its choice); its size follows from the
    // scale of that monitor, while the window is still hidden.
    window_.reset(CreateWindowExW(ExStyle, reinterpret_cast<LPCWSTR>(static_cast<UINT_PTR>(atom)),
                                  widen(form.Caption()).c_str(), Style, CW_USEDEFAULT,
                                  CW_USEDEFAULT, 0, 0, nullptr, nullptr, backend.instance(),
                                  creation_parameter(*this)));
    scale_ = scale_at(dpi_of(window()));
    RECT frame{};
    GetWindowRect(window(), &frame);
    place({frame.left, frame.top});
    show_icons();
    create_controls();
    report_geometry();
}

void FormWindow::show_icons() {
    if (form_.Icon() == nullptr) return;
    // The caption bar's icon and the task bar's, each at its size for the scale.
    for (const auto& [which, metric] :
         {std::pair{WPARAM{ICON_BIG}, SM_CXICON}, {WPARAM{ICON_SMALL}, SM_CXSMICON}}) {
        const HICON icon = backend_.icon(*form_.Icon(), system_metric(metric, scale_.dpi()));
        SendMessageW(window(), WM_SETICON, which, reinterpret_cast<LPARAM>(icon));
    }
}

SIZE FormWindow::frame_size(scaling::Scale scale) const {
    const RECT client{0, 0, scale.device_length(form_.client_width()),
                      scale.device_length(form_.client_height())};
    const RECT frame = frame_around(client, Style, ExStyle, scale.dpi());
    return {frame.right - frame.left, frame.bottom - frame.top};
}

void FormWindow::place(POINT corner) {
    const SIZE size = frame_size(scale_);
    SetWindowPos(window(), nullptr, corner.x, corner.y, size.cx, size.cy,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    // The client area is the design's: should the frame that the system draws differ from the
    // one it foretold (a scale it was told of but does not draw at), the frame gives way.
    RECT client{};
    GetClientRect(window(), &client);
    const int wrong_width = client.right - scale_.device_length(form_.client_width());
    const int wrong_height = client.bottom - scale_.device_length(form_.client_height());
    if (wrong_width != 0 || wrong_height != 0) {
        SetWindowPos(window(), nullptr, 0, 0, size.cx - wrong_width, size.cy - wrong_height,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

void FormWindow::rescale(scaling::Scale scale, const RECT& suggested) {
    scale_ = scale;
    place({suggested.left, suggested.top});
    show_icons();
    for (const auto& control : controls_) control->rescale(scale);
    backend_.rescaled(*this);
}

void FormWindow::create_controls() {
    // Each child window is created beneath its elder siblings, and the dialog manager's Tab key
    // walks them from the top: the controls above come first, in Tab order, then those that
    // lie beneath them.
    const forms::Stacking stacking = forms::stacking(form_);
    for (const std::vector<forms::Control*>* group : {&stacking.above, &stacking.beneath}) {
        for (forms::Control* control : *group) {
            const ControlSite site{backend_, window(),
                                   FirstControlId + static_cast<int>(controls_.size()), scale_};
            controls_.push_back(make_native_control(*control, site));
        }
    }
}

void FormWindow::tell_screen_readers(const forms::AccessibleUpdate& update) {
    if (update.now != nullptr) backend_.annotations().tell(controls_, update.before, *update.now);
}

void FormWindow::destroy() {
    // The window stays this object's while it is destroyed: the messages it gets meanwhile
    // still reach the program.
    if (window_) DestroyWindow(window_.get());
    static_cast<void>(window_.release());
    controls_.clear();
}

void FormWindow::push() {
    set_window_text(window(), widen(form_.Caption()));
    RECT frame{};
    GetWindowRect(window(), &frame);
    const scaling::Scale screen = backend_.screen_scale(*this);
    const int left = screen.device_of_twips(form_.Left());
    const int top = screen.device_of_twips(form_.Top());
    if (left != frame.left || top != frame.top) {
        SetWindowPos(window(), nullptr, left, top, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    if ((IsWindowVisible(window()) != FALSE) != form_.Visible()) {
        ShowWindow(window(), form_.Visible() ? SW_SHOW : SW_HIDE);
    }
}

void FormWindow::push(forms::Control& control) {
    const auto found = std::find_if(controls_.begin(), controls_.end(),
                                    [&](const auto& peer) { return &peer->control() == &control; });
    if (found != controls_.end()) (*found)->push();
}

void FormWindow::report_geometry() {
    RECT frame{};
    GetWindowRect(window(), &frame);
    const scaling::Scale screen = backend_.screen_scale(*this);
    form_.user_moved(screen.twips(frame.left), screen.twips(frame.top),
                     screen.twips(frame.right - frame.left),
                     screen.twips(frame.bottom - frame.top));
}

void FormWindow::activated() {
    // The focus goes back to the control that had it, unless a click has just given it to
    // another: under a window manager the activation may arrive after the click.
    const HWND focus = GetFocus();
    if (focus == nullptr || !IsChild(window(), focus)) {
        if (focus_ == nullptr || !IsWindow(focus_))
            focus_ = GetNextDlgTabItem(window(), nullptr, FALSE);
        if (focus_ != nullptr) SetFocus(focus_);
    }
    // Wherever the activation came from: whether Activate runs is the program's business.
    form_.user_activate();
}

NativeControl* FormWindow::peer(HWND child) const {
    const auto found = std::find_if(controls_.begin(), controls_.end(),
                                    [&](const auto& peer) { return peer->window() == child; });
    return found == controls_.end() ? nullptr : found->get();
}

NativeControl* FormWindow::peer(int id) const {
    const auto found = std::find_if(controls_.begin(), controls_.end(),
                                    [&](const auto& peer) { return peer->id() == id; });
    return found == controls_.end() ? nullptr : found->get();
}

LRESULT FormWindow::on_message(const WindowMessage& message) {
    if (message.id == WM_NCCREATE) scale_frame_with_monitor(message.window);
    // Messages sent while CreateWindowEx runs come before window_ holds the handle: the window
    // is not this object's yet.
    if (message.window != window()) return message.default_processing();
    const WPARAM wparam = message.wparam;
    const LPARAM lparam = message.lparam;
    switch (message.id) {
        case WM_CLOSE:
            // The program decides: its Unload may cancel, and unloading destroys the window.
            form_.user_close();
            return 0;
        case WM_ACTIVATE:
            if (LOWORD(wparam) == WA_INACTIVE) {
                const HWND focus = GetFocus();
                if (focus != nullptr && IsChild(window(), focus)) focus_ = focus;
            } else {
                activated();
            }
            return 0;
        case WM_WINDOWPOSCHANGED:
            report_geometry();
            break;
        case WM_GETDPISCALEDSIZE: {
            // Before a change of scale, the size the window will take: the design's at the new
            // scale, so that the rectangle the system then suggests is exactly the window's.
            *reinterpret_cast<SIZE*>(lparam) = frame_size(scale_at(static_cast<int>(wparam)));
            return TRUE;
        }
        case WM_DPICHANGED:
            rescale(scale_at(HIWORD(wparam)), *reinterpret_cast<const RECT*>(lparam));
            return 0;
        case WM_COMMAND:
            if (LOWORD(wparam) < FirstControlId) return 0;
            if (NativeControl* control = peer(reinterpret_cast<HWND>(lparam))) {
                control->command(HIWORD(wparam));
            }
            return 0;
        case WM_VSCROLL:
            if (NativeControl* control = peer(reinterpret_cast<HWND>(lparam))) {
                control->scroll(LOWORD(wparam));
            }
            return 0;
        case WM_CTLCOLORSTATIC:
            if (NativeControl* control = peer(reinterpret_cast<HWND>(lparam))) {
                if (const HBRUSH brush = control->colour(reinterpret_cast<HDC>(wparam))) {
                    return reinterpret_cast<LRESULT>(brush);
                }
            }
            break;
        case WM_DRAWITEM: {
            const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lparam);
            if (NativeControl* control = peer(item.hwndItem)) control->draw(item);
            return TRUE;
        }
        case WM_TIMER:
            if (NativeControl* control = peer(static_cast<int>(wparam))) control->due();
            return 0;
        default:
            break;
    }
    return message.default_processing();
}

}  // namespace win32
