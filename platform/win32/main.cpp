// Varnel's entry point on Windows.
#include "platform/win32/windows_api.h"

#include <commctrl.h>
#include <objbase.h>

#include "app/program.h"
#include "app/program_icon.h"
#include "platform/win32/newer_function.h"
#include "platform/win32/resource_ids.h"
#include "platform/win32/win32_backend.h"

namespace {

// The DLLs that the program and the system's components load for it come from System32 alone,
// never from the program's folder or the current one, where anyone could put a DLL of the same
// name: Windows 8 and later, and Vista and 7 with update KB2533623, have the function for it.
void load_dlls_from_system32_only() {
    const auto set_default = win32::newer_function<decltype(SetDefaultDllDirectories)>(
        L"kernel32.dll", "SetDefaultDllDirectories");
    if (set_default != nullptr) set_default(LOAD_LIBRARY_SEARCH_SYSTEM32);
}

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
    load_dlls_from_system32_only();
    const ComApartment apartment;
    const INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);

    win32::Win32Backend backend(instance);
    backend.icon_resource(varnel::program_icon(), PROGRAM_ICON_RESOURCE);
    varnel::Program program(backend);
    program.start();
    return backend.run();
}
