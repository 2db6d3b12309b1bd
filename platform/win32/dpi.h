#pragma once

#include "platform/win32/windows_api.h"

#include "platform/scaling/scale.h"

namespace win32 {

// The density a window is shown at, and the system's measures at a density, through the newest
// interface the running Windows has: per monitor since Windows 10 (version 1607), the system's one
// density before. The program declares itself aware of each monitor's density (its manifest), so
// nothing is stretched by the system: each window lays itself out at its monitor's density.

// Dots per inch of the monitor the window stands on.
int dpi_of(HWND window);

// The scale to show a window at on a monitor of this density: 1 for a density the program cannot
// show itself at, as on Linux (scaling::Scale says which).
scaling::Scale scale_at(int dpi);

// A system metric (GetSystemMetrics) at a density.
int system_metric(int index, int dpi);

// The outer rectangle of a window whose client area is this one, at a density.
RECT frame_around(RECT client, DWORD style, DWORD ex_style, int dpi);

// Under the first per-monitor awareness (Windows 10 before version 1703) the caption bar and
// frame follow the monitor's density only if the window asks for it while it is created.
void scale_frame_with_monitor(HWND window);

}  // namespace win32
