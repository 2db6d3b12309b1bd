#!/usr/bin/env python3
"""Checks the arrows between the source folders: each folder includes only the folders it may,
so that the forms runtime knows nothing of the program or of screens, the back ends nothing of
each other and the program's windows nothing of each other but through app/; and no header's
includes lead back to itself.

Usage: check_layers.py SOURCE_DIR   (prints each breach; exits 1 if there is one)
"""
import os
import re
import sys

FORMS = "platform/forms"
SCALING = "platform/scaling"
FEATURES = ("colour", "trail", "palette", "about")
ACCESSIBILITY_BUS = "platform/accessibility_bus"
ATK_MODULE = "platform/atk_module"

# What each folder's files may include, besides their own folder and system headers.
MAY_INCLUDE = {
    FORMS: set(),
    # How a screen of any density shows the runtime's windows: both native back ends use it.
    SCALING: {FORMS},
    "platform/headless": {FORMS},
    "platform/fltk": {FORMS, SCALING, "platform/fltk/x11", ACCESSIBILITY_BUS, ATK_MODULE},
    # Selections, the clipboard's handover and window manager hints, in X11's own terms.
    "platform/fltk/x11": set(),
    # The program's own D-Bus client, which asks the desktop whether it wants accessibility.
    ACCESSIBILITY_BUS: set(),
    # The accessibility module: the model's descriptions exported as ATK objects, in ATK's and
    # AT-SPI's terms; nothing of FLTK.
    ATK_MODULE: {FORMS},
    "platform/win32": {FORMS, SCALING},
    "app": {FORMS},
    **{feature: {FORMS, "app"} for feature in FEATURES},
    # The build's tools that write the program icon as files: the icon's drawing, and the
    # Windows back end's icon image formats, portable on purpose.
    "packaging/icons": {FORMS, "app", "platform/win32"},
}
# Files that put the pieces together, and may know more.
MAY_ALSO_INCLUDE = {
    # The composition root: it makes the program's windows.
    "app/program.cpp": set(FEATURES),
    # The programs' entry points, each on its back end.
    "platform/fltk/main.cpp": {"app"},
    "platform/win32/main.cpp": {"app"},
}

# Folders that others may reach only through these headers of theirs. The accessibility module is
# a library of its own, loaded at run time: the program knows it by its plain C interface alone,
# and lays the model's descriptions out in it.
ONLY_THROUGH = {
    ATK_MODULE: {ATK_MODULE + "/accessibility_module.h", ATK_MODULE + "/description_layout.h"},
}

INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"', re.MULTILINE)


def folder_of(path):
    for folder in sorted(MAY_INCLUDE, key=len, reverse=True):
        if path.startswith(folder + "/"):
            return folder
    return None


def sources(root):
    for folder in MAY_INCLUDE:
        for directory, _, names in os.walk(os.path.join(root, folder)):
            for name in names:
                if name.endswith((".h", ".cpp")):
                    yield os.path.relpath(os.path.join(directory, name), root)


def includes(root, path):
    with open(os.path.join(root, path), encoding="utf-8") as source:
        return INCLUDE.findall(source.read())


def breaches(root):
    graph = {}
    for path in sorted(sources(root)):
        folder = folder_of(path)
        allowed = MAY_INCLUDE[folder] | MAY_ALSO_INCLUDE.get(path, set()) | {folder}
        graph[path] = [name for name in includes(root, path) if name.endswith(".h")]
        for name in includes(root, path):
            target = folder_of(name)
            if target is not None and target not in allowed:
                yield f"{path} includes {name}: {folder}/ may not include {target}/"
            elif target != folder and name not in ONLY_THROUGH.get(target, {name}):
                yield f"{path} includes {name}: {target}/ is reached only through its interface"
    yield from header_cycles(root, graph)


def header_cycles(root, graph):
    """Every cycle of header includes, found by a depth-first walk."""
    state = {}
    stack = []

    def walk(header):
        state[header] = "open"
        stack.append(header)
        for name in graph.get(header, []):
            if name not in graph and os.path.exists(os.path.join(root, name)):
                graph[name] = [n for n in includes(root, name) if n.endswith(".h")]
            if state.get(name) == "open":
                yield "include cycle: " + " -> ".join(stack[stack.index(name):] + [name])
            elif name in graph and name not in state:
                yield from walk(name)
        stack.pop()
        state[header] = "done"

    for header in sorted(h for h in graph if h.endswith(".h")):
        if header not in state:
            yield from walk(header)


def main():
    root = sys.argv[1]
    found = list(breaches(root))
    for breach in found:
        print("FAILED:", breach)
    print(f"{len(found)} breaches")
    return 1 if found else 0


if __name__ == "__main__":
    sys.exit(main())
