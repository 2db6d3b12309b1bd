#include "platform/atk_module/bridge_guard.h"

#include <atk/atk.h>

namespace atk_module {

namespace {

DBusHandlerResult refuse_what_the_bridge_cannot_take(DBusConnection* bus, DBusMessage* message,
                                                     void*) {
    if (dbus_message_is_method_call(message, "org.a11y.atspi.Text", "GetStringAtOffset") == 0) {
        return DBUS_HANDLER_RESULT_NOT_YET_HANDLED;
    }
    dbus_int32_t offset = 0;
    dbus_uint32_t granularity = 0;
    // Arguments of other types the bridge refuses itself.
    if (dbus_message_get_args(message, nullptr, DBUS_TYPE_INT32, &offset, DBUS_TYPE_UINT32,
                              &granularity, DBUS_TYPE_INVALID) == 0 ||
        granularity <= ATK_TEXT_GRANULARITY_PARAGRAPH) {
        return DBUS_HANDLER_RESULT_NOT_YET_HANDLED;
    }
    if (DBusMessage* error =
            dbus_message_new_error(message, DBUS_ERROR_INVALID_ARGS, "No such granularity")) {
        dbus_connection_send(bus, error, nullptr);
        dbus_message_unref(error);
    }
    return DBUS_HANDLER_RESULT_HANDLED;
}

}  // namespace

BridgeGuard::BridgeGuard(DBusConnection* bus) : bus_(bus) {
    if (bus_ == nullptr) return;
    dbus_connection_ref(bus_);
    dbus_connection_add_filter(bus_, refuse_what_the_bridge_cannot_take, nullptr, nullptr);
}

BridgeGuard::~BridgeGuard() {
    if (bus_ == nullptr) return;
    dbus_connection_remove_filter(bus_, refuse_what_the_bridge_cannot_take, nullptr);
    dbus_connection_unref(bus_);
}

}  // namespace atk_module
