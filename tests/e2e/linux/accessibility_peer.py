#!/usr/bin/python3
"""Peers of the accessibility stack, broken or hostile on purpose, for the Linux program's tests.

Usage:
  accessibility_peer.py hung-socket PATH
      listens on a Unix socket at PATH and accepts, never saying a word: a bus that hangs
  accessibility_peer.py launcher [--status] [--address ADDRESS]
      takes the AT-SPI bus launcher's name on the session bus. With --status it answers that
      accessibility is on; with --address it answers GetAddress with ADDRESS. Whatever else it is
      asked it never answers.
  accessibility_peer.py call PID TITLE ROLE NAME INTERFACE METHOD SIGNATURE ARGUMENT...
      calls a method on the object of this role (edit, label, button) and name in the program's
      window TITLE, straight over the
      accessibility bus (with arguments a screen reader would never send), and prints the answer
      and the milliseconds it took; "error ..." when refused
  accessibility_peer.py press-twice PID TITLE NAME
      finds the button NAME of the window TITLE, prints "ready", and once a line comes on its
      input asks for its action twice at once, the second before the first is answered; prints
      the answers
  accessibility_peer.py storm PID TITLE SECONDS
      calls, for that long, methods of interfaces the window's objects do not have (a button's
      text, a label's value), as fast as it can; prints how many calls were answered
Each long-running peer prints "ready" once it is in place.
"""
import socket
import sys
import time

from gi.repository import Gio, GLib

import pyatspi


def hung_socket(path):
    server = socket.socket(socket.AF_UNIX, socket.SOCK_STREAM)
    server.bind(path)
    server.listen(64)
    print("ready", flush=True)
    held = []
    while True:
        connection, _ = server.accept()
        held.append(connection)  # kept open, never read


LAUNCHER = """<node>
  <interface name='org.a11y.Bus'>
    <method name='GetAddress'><arg type='s' direction='out'/></method>
  </interface>
  <interface name='org.a11y.Status'>
    <property name='IsEnabled' type='b' access='read'/>
    <property name='ScreenReaderEnabled' type='b' access='read'/>
  </interface>
</node>"""


def launcher(arguments):
    status = "--status" in arguments
    address = arguments[arguments.index("--address") + 1] if "--address" in arguments else None
    held = []
    bus = Gio.bus_get_sync(Gio.BusType.SESSION, None)
    node = Gio.DBusNodeInfo.new_for_xml(LAUNCHER)

    def method_call(connection, sender, path, interface, method, parameters, invocation):
        if method == "GetAddress" and address is not None:
            invocation.return_value(GLib.Variant("(s)", (address,)))
        else:
            held.append(invocation)  # never answered

    def get_property(connection, sender, path, interface, name):
        return GLib.Variant("b", True)

    if status:
        bus.register_object("/org/a11y/bus", node.lookup_interface("org.a11y.Status"), None,
                            get_property, None)
    else:
        # Silent: every call to the launcher's object is taken and never answered.
        def silence(connection, message, incoming):
            if incoming and message.get_path() == "/org/a11y/bus" and \
                    message.get_message_type() == Gio.DBusMessageType.METHOD_CALL:
                held.append(message)
                return None
            return message
        bus.add_filter(silence)
    bus.register_object("/org/a11y/bus", node.lookup_interface("org.a11y.Bus"), method_call,
                        None, None)
    Gio.bus_own_name_on_connection(bus, "org.a11y.Bus", Gio.BusNameOwnerFlags.NONE,
                                   lambda *_: print("ready", flush=True), None)
    GLib.MainLoop().run()


ROLES = {"edit": pyatspi.ROLE_ENTRY, "label": pyatspi.ROLE_LABEL,
         "button": pyatspi.ROLE_PUSH_BUTTON}


def find(pid, title, role, name):
    for app in pyatspi.Registry.getDesktop(0):
        if app is None or app.get_process_id() != pid:
            continue
        for window in app:
            if window.name != title:
                continue
            stack = [window]
            while stack:
                accessible = stack.pop()
                if accessible.name == name and accessible.getRole() == ROLES[role]:
                    return accessible
                stack.extend(child for child in accessible if child is not None)
    sys.exit("no %s %r in %r" % (role, name, title))


def accessibility_bus():
    session = Gio.bus_get_sync(Gio.BusType.SESSION, None)
    reply = session.call_sync("org.a11y.Bus", "/org/a11y/bus", "org.a11y.Bus", "GetAddress", None,
                              GLib.VariantType("(s)"), Gio.DBusCallFlags.NONE, 5000, None)
    return Gio.DBusConnection.new_for_address_sync(
        reply.unpack()[0], Gio.DBusConnectionFlags.AUTHENTICATION_CLIENT |
        Gio.DBusConnectionFlags.MESSAGE_BUS_CONNECTION, None, None)


def bus_name_of(bus, pid):
    """The program's unique name on the bus."""
    def ask(method, argument):
        return bus.call_sync("org.freedesktop.DBus", "/org/freedesktop/DBus", "org.freedesktop.DBus",
                             method, argument, None, Gio.DBusCallFlags.NONE, 5000, None).unpack()[0]
    for name in ask("ListNames", None):
        if name.startswith(":") and ask("GetConnectionUnixProcessID", GLib.Variant("(s)", (name,))) == pid:
            return name
    sys.exit("process %d is not on the accessibility bus" % pid)


def call(pid, title, role, name, interface, method, signature, values):
    accessible = find(pid, title, role, name)
    arguments = GLib.Variant("(%s)" % signature, tuple(int(value) for value in values))
    bus = accessibility_bus()
    program = bus_name_of(bus, pid)
    began = time.monotonic()
    try:
        answer = bus.call_sync(program, accessible.path, interface, method,
                               arguments, None, Gio.DBusCallFlags.NONE, 120000, None)
        print(answer.print_(False), end=" ")
    except GLib.Error as error:
        print("error", error.message.split(":")[0], end=" ")
    print("%d ms" % ((time.monotonic() - began) * 1000))


def press_twice(pid, title, name):
    accessible = find(pid, title, "button", name)
    bus = accessibility_bus()
    program = bus_name_of(bus, pid)
    loop = GLib.MainLoop()
    answers = []
    print("ready", flush=True)
    sys.stdin.readline()

    def answered(connection, result):
        try:
            answers.append(connection.call_finish(result).print_(False))
        except GLib.Error as error:
            answers.append("error " + error.message.split(":")[0])
        if len(answers) == 2:
            loop.quit()

    for _ in range(2):
        bus.call(program, accessible.path, "org.a11y.atspi.Action", "DoAction",
                 GLib.Variant("(i)", (0,)), None, Gio.DBusCallFlags.NONE, 5000, None, answered)
    loop.run()
    print(" ".join(answers))


# Calls on objects of interfaces they do not have.
WRONG = [("button", "org.a11y.atspi.Text", "GetText", "(ii)", (0, -1)),
         ("button", "org.a11y.atspi.Value", "GetCurrentValue", None, None),
         ("label", "org.a11y.atspi.Action", "DoAction", "(i)", (0,)),
         ("label", "org.a11y.atspi.Value", "SetCurrentValue", "(d)", (1.0,))]


def storm(pid, title, seconds):
    targets = {"button": find(pid, title, "button", "About"),
               "label": find(pid, title, "label", "Red")}
    bus = accessibility_bus()
    program = bus_name_of(bus, pid)
    answered = 0
    end = time.monotonic() + seconds
    while time.monotonic() < end:
        for kind, interface, method, signature, values in WRONG:
            target = targets[kind]
            arguments = GLib.Variant(signature, values) if signature else None
            try:
                bus.call_sync(program, target.path, interface, method, arguments,
                              None, Gio.DBusCallFlags.NONE, 5000, None)
            except GLib.Error:
                pass
            answered += 1
    print(answered)


def main(arguments):
    command = arguments[0]
    if command == "hung-socket":
        hung_socket(arguments[1])
    elif command == "launcher":
        launcher(arguments[1:])
    elif command == "call":
        call(int(arguments[1]), *arguments[2:8], arguments[8:])
    elif command == "press-twice":
        press_twice(int(arguments[1]), arguments[2], arguments[3])
    elif command == "storm":
        storm(int(arguments[1]), arguments[2], float(arguments[3]))
    else:
        sys.exit(__doc__)


if __name__ == "__main__":
    main(sys.argv[1:])
