#pragma once

// How the tests' annotation recorder (annotation_recorder.cpp) keeps what a program annotates
// through Dynamic Annotation, and how the reader (reader.cpp) finds it from another process.
// For each property annotated on a window's client object, the window carries a window property
// named after the annotated property's GUID, whose value is the address of a Record in the
// annotating program's memory. A window's properties go with it, as the system's service drops
// a window's annotations when the window is destroyed.
#include "platform/win32/windows_api.h"

#include <objbase.h>

#include <array>
#include <string>

namespace annotation_record {

struct Record {
    VARTYPE type = VT_EMPTY;  // VT_BSTR (the text), VT_I4 or VT_BOOL (the number)
    LONG number = 0;
    UINT32 length = 0;  // UTF-16 units of the text
    std::array<wchar_t, 512> text{};
};

// The window property that holds the record of an annotated property.
inline std::wstring property_name(const GUID& property) {
    std::array<wchar_t, 40> guid{};
    StringFromGUID2(property, guid.data(), static_cast<int>(guid.size()));
    return std::wstring(L"VarnelAnnotation") + guid.data();
}

}  // namespace annotation_record
