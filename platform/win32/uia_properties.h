#pragma once

#include "platform/win32/windows_api.h"

namespace win32 {

// UI Automation's properties that Varnel annotates, which MinGW-w64's headers do not define.
// Screen readers that use UI Automation (Narrator) read the standard controls through its own
// providers, which take these annotations rather than Active Accessibility's.
inline constexpr GUID UiaName{
    0xc3a6921b, 0x4a99, 0x44f1, {0xbc, 0xa6, 0x61, 0x18, 0x70, 0x52, 0xc4, 0x31}};
inline constexpr GUID UiaIsControlElement{
    0x95f35085, 0xabcc, 0x4afd, {0xa5, 0xf4, 0xdb, 0xb4, 0x6c, 0x23, 0x0f, 0xdb}};
inline constexpr GUID UiaIsContentElement{
    0x4bda64a8, 0xf5d8, 0x480b, {0x81, 0x55, 0xef, 0x2e, 0x89, 0xad, 0xb6, 0x72}};

}  // namespace win32
