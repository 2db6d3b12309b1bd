#include "platform/atk_module/glib_pump.h"

#include <algorithm>

namespace atk_module {

namespace {

// Sources that stay ready (an idle callback that keeps itself) get this many dispatches a
// round; then the wait is prepared with no time to wait, and the program's loop comes back to
// them after its own events.
constexpr int DispatchesPerRound = 64;

}  // namespace

GlibPump::GlibPump() : context_(g_main_context_default()) { g_main_context_acquire(context_); }

GlibPump::~GlibPump() { g_main_context_release(context_); }

Wait GlibPump::round() {
    if (prepared_) {
        g_poll(fds_.data(), static_cast<guint>(fds_.size()), 0);
        if (g_main_context_check(context_, priority_, fds_.data(),
                                 static_cast<gint>(fds_.size()))) {
            g_main_context_dispatch(context_);
        }
    }
    for (int i = 0; i < DispatchesPerRound && g_main_context_iteration(context_, FALSE); ++i) {
    }

    g_main_context_prepare(context_, &priority_);
    gint timeout = -1;
    fds_.resize(std::max<std::size_t>(fds_.size(), 8));
    while (true) {
        const gint needed = g_main_context_query(context_, priority_, &timeout, fds_.data(),
                                                 static_cast<gint>(fds_.size()));
        const bool fitted = static_cast<std::size_t>(needed) <= fds_.size();
        fds_.resize(static_cast<std::size_t>(needed));
        if (fitted) break;
    }
    prepared_ = true;

    Wait wait;
    wait.timeout_ms = timeout;
    for (const GPollFD& fd : fds_) {
        wait.fds.push_back({fd.fd, (fd.events & G_IO_IN) != 0, (fd.events & G_IO_OUT) != 0});
    }
    return wait;
}

}  // namespace atk_module
