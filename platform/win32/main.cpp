// Varnel's entry point on Windows.
#include "platform/win32/windows_api.h"

#include <commctrl.h>
#include <objbase.h>

#include "app/program.h"
#include "platform/win32/win32_backend.h"

namespace {

// The photograph's decoder is a COM object: the thread joins an apartment for the program's life.
class ComApartment {
public:
    ComApartment() : joined_(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {}
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;
    ~ComApartment() {
        if (joined_) CoUninitialize();
    }

private:
    bool joined_;
};

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE /*previous*/, PWSTR /*arguments*/, int /*show*/) {
    const ComApartment apartment;
    const INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);

    win32::Win32Backend backend(instance);
    varnel::Program program(backend);
    program.start();
    return backend.run();
}
