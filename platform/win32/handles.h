#pragma once

#include "platform/win32/windows_api.h"

#include <unknwn.h>

#include <memory>
#include <type_traits>

namespace win32 {

// Owners of the Win32 handles the back end creates: each releases its handle exactly once, in
// the way the system asks for that kind of handle.
namespace release {
struct Window {
    void operator()(HWND window) const { DestroyWindow(window); }
};
struct GdiObject {
    void operator()(HGDIOBJ object) const { DeleteObject(object); }
};
struct MemoryDc {
    void operator()(HDC dc) const { DeleteDC(dc); }
};
struct IconHandle {
    void operator()(HICON icon) const { DestroyIcon(icon); }
};
struct ComObject {
    void operator()(IUnknown* object) const { object->Release(); }
};
}  // namespace release

template <class Handle, class Release>
using Owned = std::unique_ptr<std::remove_pointer_t<Handle>, Release>;

using OwnedWindow = Owned<HWND, release::Window>;
using OwnedFont = Owned<HFONT, release::GdiObject>;
using OwnedBitmap = Owned<HBITMAP, release::GdiObject>;
using OwnedMemoryDc = Owned<HDC, release::MemoryDc>;
using OwnedIcon = Owned<HICON, release::IconHandle>;
template <class Interface>
using ComPtr = std::unique_ptr<Interface, release::ComObject>;

// A window's device context for drawing outside WM_PAINT, released at the end of the scope.
class WindowDc {
public:
    explicit WindowDc(HWND window) : window_(window), dc_(GetDC(window)) {}
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;
    ~WindowDc() { ReleaseDC(window_, dc_); }
    HDC get() const { return dc_; }

private:
    HWND window_;
    HDC dc_;
};

// BeginPaint and EndPaint around a WM_PAINT.
class PaintScope {
public:
    explicit PaintScope(HWND window) : window_(window) { BeginPaint(window_, &paint_); }
    PaintScope(const PaintScope&) = delete;
    PaintScope& operator=(const PaintScope&) = delete;
    ~PaintScope() { EndPaint(window_, &paint_); }
    HDC dc() const { return paint_.hdc; }
    const RECT& area() const { return paint_.rcPaint; }

private:
    HWND window_;
    PAINTSTRUCT paint_{};
};

// Selects an object into a device context for the scope, then puts the previous one back.
class Selection {
public:
    Selection(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
    Selection(const Selection&) = delete;
    Selection& operator=(const Selection&) = delete;
    ~Selection() { SelectObject(dc_, previous_); }

private:
    HDC dc_;
    HGDIOBJ previous_;
};

}  // namespace win32
