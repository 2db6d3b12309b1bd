#pragma once

#include "platform/win32/windows_api.h"

namespace win32 {

// A function of a system DLL that older versions of Windows lack, looked up when the program
// runs: null where the running Windows lacks it. The program imports none of them, so that it
// starts on every Windows it supports. The DLL is one the program imports, so it is loaded.
template <class Function>
Function* newer_function(const wchar_t* dll, const char* name) {
    // Through the type that converts to every function pointer type.
    return reinterpret_cast<Function*>(
        reinterpret_cast<void (*)()>(GetProcAddress(GetModuleHandleW(dll), name)));
}

}  // namespace win32
