#include "platform/atk_module/log_limit.h"

#include <glib.h>

#include <cstdio>

namespace atk_module {

LogLimit::Verdict LogLimit::next() {
    ++count_;
    if (count_ <= Written) return Verdict::Write;
    if (count_ < next_count_) return Verdict::Drop;
    next_count_ *= 10;
    return Verdict::Count;
}

namespace {

GLogWriterOutput write_limited(GLogLevelFlags level, const GLogField* fields, gsize count,
                               gpointer data) {
    static LogLimit limit;
    // Errors end the program, and are always told; debugging messages are GLib's to drop.
    const bool counted =
        (level & (G_LOG_FLAG_FATAL | G_LOG_LEVEL_ERROR)) == 0 &&
        (level & (G_LOG_LEVEL_CRITICAL | G_LOG_LEVEL_WARNING | G_LOG_LEVEL_MESSAGE)) != 0;
    if (!counted) return g_log_writer_default(level, fields, count, data);
    switch (limit.next()) {
        case LogLimit::Verdict::Write:
            return g_log_writer_default(level, fields, count, data);
        case LogLimit::Verdict::Count:
            std::fprintf(stderr,
                         "varnel: accessibility: %ld messages of the accessibility libraries so "
                         "far, the first %ld of them written\n",
                         limit.count(), LogLimit::Written);
            return G_LOG_WRITER_HANDLED;
        case LogLimit::Verdict::Drop:
            break;
    }
    return G_LOG_WRITER_HANDLED;
}

}  // namespace

void limit_library_messages() {
    static const bool installed = [] {
        g_log_set_writer_func(write_limited, nullptr, nullptr);
        return true;
    }();
    static_cast<void>(installed);
}

}  // namespace atk_module
