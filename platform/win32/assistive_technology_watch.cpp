#include "platform/win32/assistive_technology_watch.h"

#include <utility>

namespace win32 {

namespace {

// The one watch of the thread: a hook procedure is told of no object of its own.
AssistiveTechnologyWatch* watching = nullptr;

bool screen_reader_runs() {
    BOOL runs = FALSE;
    return SystemParametersInfoW(SPI_GETSCREENREADER, 0, &runs, 0) != FALSE && runs != FALSE;
}

}  // namespace

AssistiveTechnologyWatch::AssistiveTechnologyWatch(std::function<void()> asked)
    : asked_(std::move(asked)) {
    watching = this;
    hook_ = SetWindowsHookExW(WH_CALLWNDPROC, &sent_message, nullptr, GetCurrentThreadId());
}

AssistiveTechnologyWatch::~AssistiveTechnologyWatch() {
    if (hook_ != nullptr) UnhookWindowsHookEx(hook_);
    watching = nullptr;
}

void AssistiveTechnologyWatch::look() {
    if (screen_reader_runs()) heard();
}

void AssistiveTechnologyWatch::heard() {
    if (!asked_) return;
    // Once: from now on the runtime tells each change by itself.
    std::exchange(asked_, nullptr)();
}

LRESULT CALLBACK AssistiveTechnologyWatch::sent_message(int code, WPARAM wparam, LPARAM lparam) {
    if (code == HC_ACTION && watching != nullptr) {
        const auto& message = *reinterpret_cast<const CWPSTRUCT*>(lparam);
        if (message.message == WM_GETOBJECT) watching->heard();
        if (message.message == WM_SETTINGCHANGE && message.wParam == SPI_SETSCREENREADER) {
            watching->look();
        }
    }
    return CallNextHookEx(nullptr, code, wparam, lparam);
}

}  // namespace win32
