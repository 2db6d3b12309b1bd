#pragma once

#include <atk/atk.h>

#include <functional>

#include "platform/atk_module/host.h"

namespace atk_module {

// Makes ATK's process-wide functions answer for the program: the root object, the toolkit's
// name and version, and the global event listeners through which the bridge hears the objects'
// signals. `listening` runs (from the main context, once the bridge has hooked them all) each
// time the bridge starts listening: a screen reader has come.
void install_util(AtkObject* root, const Application& application, std::function<void()> listening);
// The root and the callback are going: ATK's functions answer nothing from now on.
void uninstall_util();

}  // namespace atk_module
