#include "platform/atk_module/atk_util.h"

#include <map>
#include <string>
#include <utility>

namespace atk_module {

namespace {

// ATK asks these of the toolkit through functions without a context: the toolkit is one per
// process, and so is what they answer.
struct Util {
    AtkObject* root = nullptr;
    std::string toolkit;
    std::string toolkit_version;
    std::function<void()> listening;
    // Each listener's signal and emission hook, by the id given to the bridge.
    std::map<guint, std::pair<guint, gulong>> listeners;
    guint last_id = 0;
};

Util& util() {
    static Util the_util;
    return the_util;
}

// The bridge names the signals it listens to "Toolkit:Type:signal" ("Gtk:AtkText:text-insert",
// "Atk:AtkWindow:activate"); the toolkit part means nothing here. Other forms are refused, and
// the bridge then uses these.
guint add_global_event_listener(GSignalEmissionHook listener, const gchar* event_type) {
    g_auto(GStrv) parts = g_strsplit(event_type, ":", 0);
    if (g_strv_length(parts) != 3) return 0;
    const std::string type_name(parts[1]);
    const std::string signal_name(parts[2]);
    const GType type = g_type_from_name(type_name.c_str());
    if (type == 0) return 0;
    // A type's signals exist once its class or interface has been set up.
    if (G_TYPE_IS_INTERFACE(type)) {
        g_type_default_interface_ref(type);
    } else {
        g_type_class_ref(type);
    }
    const guint signal = g_signal_lookup(signal_name.c_str(), type);
    if (signal == 0) return 0;
    Util& u = util();
    const gulong hook = g_signal_add_emission_hook(signal, 0, listener, nullptr, nullptr);
    u.listeners[++u.last_id] = {signal, hook};
    // The bridge hooks the objects' states when someone starts listening; by the time the main
    // context is idle it has hooked the rest too.
    if (signal_name == "state-change" && u.listening) {
        g_idle_add(
            [](gpointer) -> gboolean {
                if (util().listening) util().listening();
                return G_SOURCE_REMOVE;
            },
            nullptr);
    }
    return u.last_id;
}

void remove_global_event_listener(guint id) {
    Util& u = util();
    const auto found = u.listeners.find(id);
    if (found == u.listeners.end()) return;
    g_signal_remove_emission_hook(found->second.first, found->second.second);
    u.listeners.erase(found);
}

AtkObject* get_root() { return util().root; }
const gchar* get_toolkit_name() { return util().toolkit.c_str(); }
const gchar* get_toolkit_version() { return util().toolkit_version.c_str(); }

}  // namespace

void install_util(AtkObject* root, const Application& application,
                  std::function<void()> listening) {
    Util& u = util();
    u.root = root;
    u.toolkit = application.toolkit;
    u.toolkit_version = application.toolkit_version;
    u.listening = std::move(listening);
    auto* klass = static_cast<AtkUtilClass*>(g_type_class_ref(ATK_TYPE_UTIL));
    klass->add_global_event_listener = add_global_event_listener;
    klass->remove_global_event_listener = remove_global_event_listener;
    klass->get_root = get_root;
    klass->get_toolkit_name = get_toolkit_name;
    klass->get_toolkit_version = get_toolkit_version;
}

void uninstall_util() {
    util().root = nullptr;
    util().listening = nullptr;
}

}  // namespace atk_module
