#pragma once

#include "platform/win32/windows_api.h"

#include <oleauto.h>

namespace win32 {

// The VARIANTs that the accessibility interfaces take: a number (a role, a state, a child) or a
// truth value.
inline VARIANT variant_of(long number) {
    VARIANT variant;
    VariantInit(&variant);
    variant.vt = VT_I4;
    variant.lVal = number;
    return variant;
}

inline VARIANT variant_of(bool truth) {
    VARIANT variant;
    VariantInit(&variant);
    variant.vt = VT_BOOL;
    variant.boolVal = truth ? VARIANT_TRUE : VARIANT_FALSE;
    return variant;
}

}  // namespace win32
