#pragma once

#include "platform/win32/windows_api.h"

namespace win32 {

// One message to one window, and what the window's own procedure would do with it.
struct WindowMessage {
    using Procedure = LRESULT(CALLBACK*)(HWND, UINT, WPARAM, LPARAM);

    HWND window;
    UINT id;
    WPARAM wparam;
    LPARAM lparam;
    // DefWindowProc for a window of our classes, the control's own procedure for a system
    // control (DefSubclassProc).
    Procedure default_procedure;

    // The processing the message would have had without the handler.
    LRESULT default_processing() const { return default_processing(wparam); }
    // The same, for this message with another wparam (a typed character that became another).
    LRESULT default_processing(WPARAM other) const {
        return default_procedure(window, id, other, lparam);
    }
};

// How the back end's objects hear their windows, one way for all of them: each message of the
// window goes to its handler's on_message, which leaves what it does not handle to the message's
// default processing. The handler must outlive its window, or destroy it first.
//
// A window of one of our classes is created with its handler as the creation parameter
// (creation_parameter): the class's procedure, routed_procedure, keeps the handler with the
// window from WM_NCCREATE, the first message to carry it, until WM_NCDESTROY, the last.
// Messages sent before WM_NCCREATE get the default processing. A window of the system's classes
// (the EDIT) is subclassed instead, once it exists (route_messages).
class MessageHandler {
public:
    virtual LRESULT on_message(const WindowMessage& message) = 0;

protected:
    MessageHandler() = default;
    MessageHandler(const MessageHandler&) = delete;
    MessageHandler& operator=(const MessageHandler&) = delete;
    ~MessageHandler() = default;
};

// CreateWindowEx's last argument for a window whose messages go to this handler: the handler's
// own address, whatever else the object it belongs to is.
inline void* creation_parameter(MessageHandler& handler) { return &handler; }

// The window procedure of our window classes (WNDCLASSEX::lpfnWndProc).
LRESULT CALLBACK routed_procedure(HWND window, UINT id, WPARAM wparam, LPARAM lparam);

// Sends a system control's messages to the handler from now until the control is destroyed.
void route_messages(HWND control, MessageHandler& handler);

}  // namespace win32
