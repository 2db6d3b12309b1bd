#pragma once

#include <glib.h>

#include <vector>

#include "platform/atk_module/host.h"

namespace atk_module {

// GLib's default main context, run by the program's own event loop rather than by a GLib loop of
// its own (a second thread would have to share every ATK object with the first). Each round
// completes the wait prepared the round before (checks which of its file descriptors became
// ready, and dispatches), runs whatever is ready at once, and prepares the next wait: the
// program's loop watches its file descriptors and its time and starts the next round when
// either comes, or when the loop wakes for its own reasons.
class GlibPump {
public:
    GlibPump();
    GlibPump(const GlibPump&) = delete;
    GlibPump& operator=(const GlibPump&) = delete;
    ~GlibPump();

    Wait round();

private:
    GMainContext* context_;
    std::vector<GPollFD> fds_;
    gint priority_ = 0;
    bool prepared_ = false;
};

}  // namespace atk_module
