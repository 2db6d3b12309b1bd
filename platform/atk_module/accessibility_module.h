#pragma once

/*
 * The accessibility module, varnel-accessibility.so: the program's windows as ATK objects,
 * exported to assistive technology by the AT-SPI bridge. It is a library of its own, which the
 * Linux program loads only once the desktop asks for accessibility: linked into the program,
 * GLib, ATK and the bridge would cost every start (see docs/performance.md).
 *
 * The program and the module meet in this header alone, and in plain C: each carries its own C++
 * runtime and keeps it to itself, so that nothing of C++ (no string, container, exception, or
 * memory that one allocates and the other frees) crosses between them, and the module runs with
 * whatever C++ runtime the system has, or none. The module reads the model's descriptions and
 * asks the program for what only the native side knows.
 *
 * Texts are given with their lengths and may hold any bytes (a field holds what was pasted into
 * it); like every pointer here, they are valid for the call only.
 */

#include <stddef.h>
#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

/* The version of this interface; a module of another version is not used. */
#define VARNEL_A11Y_VERSION 1u

/* A window's or control's identity, given by the program for its lifetime; 0 is none. */
typedef uint32_t varnel_a11y_id;

typedef struct {
    const char* data;
    size_t size;
} varnel_a11y_text;

/* The roles, in the order of the model's. */
enum {
    VARNEL_A11Y_WINDOW,
    VARNEL_A11Y_ALERT,
    VARNEL_A11Y_STATIC_TEXT,
    VARNEL_A11Y_EDITABLE_TEXT,
    VARNEL_A11Y_SCROLL_BAR,
    VARNEL_A11Y_CHECK_BOX,
    VARNEL_A11Y_PUSH_BUTTON,
    VARNEL_A11Y_GRAPHIC
};

/* A check box's state, in the order of the model's, after "none" (not a check box). */
enum { VARNEL_A11Y_NOT_CHECKABLE, VARNEL_A11Y_UNCHECKED, VARNEL_A11Y_CHECKED, VARNEL_A11Y_MIXED };

typedef struct {
    varnel_a11y_id id;
    int32_t role;
    varnel_a11y_text name;
    varnel_a11y_text text;
    int32_t has_range; /* a scroll bar: its value from min to max */
    int32_t value;
    int32_t min;
    int32_t max;
    int32_t check;
    int32_t focusable;
    int32_t pressable;
    varnel_a11y_id labelled_by;
    const varnel_a11y_id* label_for;
    size_t label_for_count;
} varnel_a11y_control;

typedef struct {
    varnel_a11y_id id;
    varnel_a11y_text name;
    int32_t shown;
    const varnel_a11y_control* controls; /* in the order of the Tab key */
    size_t control_count;
} varnel_a11y_window;

/* What changed, in the order of the model's. */
enum {
    VARNEL_A11Y_SHOWN,
    VARNEL_A11Y_HIDDEN,
    VARNEL_A11Y_NAME_CHANGED,
    VARNEL_A11Y_TEXT_CHANGED,
    VARNEL_A11Y_VALUE_CHANGED,
    VARNEL_A11Y_CHECK_CHANGED
};

typedef struct {
    int32_t change;
    varnel_a11y_id control; /* 0: the window itself */
} varnel_a11y_event;

typedef struct {
    varnel_a11y_text name;
    varnel_a11y_text text;
    varnel_a11y_text focused_button;
} varnel_a11y_alert;

/* Where the keyboard focus is. */
enum { VARNEL_A11Y_FOCUS_ELSEWHERE, VARNEL_A11Y_FOCUS_IN_WINDOW, VARNEL_A11Y_FOCUS_IN_MESSAGE_BOX };

typedef struct {
    int32_t in;
    varnel_a11y_id window;  /* in a window: which */
    varnel_a11y_id control; /* in a window: the focused control; 0: the window itself */
    int32_t on_button;      /* in the message box: its button has the focus */
} varnel_a11y_focus;

/* A rectangle on the screen, in device pixels. */
typedef struct {
    int32_t x;
    int32_t y;
    int32_t width;
    int32_t height;
} varnel_a11y_rect;

/* A file descriptor that GLib's main context waits for. */
typedef struct {
    int32_t fd;
    int32_t read;
    int32_t write;
} varnel_a11y_fd;

/* What the module asks of the program. Every function is called from the program's own thread,
 * from within one of the module's functions below. */
typedef struct {
    void* context; /* passed back to each function */
    /* Where a window's client area, a control, or the message box (or its button) stands now. */
    varnel_a11y_rect (*window_extents)(void* context, varnel_a11y_id window);
    varnel_a11y_rect (*control_extents)(void* context, varnel_a11y_id control);
    varnel_a11y_rect (*message_box_extents)(void* context, int32_t button);
    /* Where a field's caret stands, in characters; -1: nowhere. */
    int32_t (*caret)(void* context, varnel_a11y_id control);
    /* The accessible action of a button or check box, and of the message box's button: the
     * user's click, done once the call that asks for it has been answered. */
    void (*press)(void* context, varnel_a11y_id control);
    void (*press_message_box_button)(void* context);
} varnel_a11y_host;

typedef struct varnel_a11y_module varnel_a11y_module;

/* What the module offers; none of its functions fails in a way the program must handle. */
typedef struct {
    uint32_t version; /* VARNEL_A11Y_VERSION */
    /* The module's objects, ATK's root among them, for the program of this name on this
     * toolkit; nothing is exported yet. The host is kept. */
    varnel_a11y_module* (*create)(const varnel_a11y_host* host, varnel_a11y_text name,
                                  varnel_a11y_text toolkit, varnel_a11y_text toolkit_version);
    /* Starts the AT-SPI bridge on the accessibility bus at this address (which the program has
     * found answering), which exports the objects; nonzero once they are exported. */
    int32_t (*export_to_bridge)(varnel_a11y_module* module, const char* bus_address);
    /* Stops the bridge (its bus went away); the objects stay, to be exported again. */
    void (*withdraw_from_bridge)(varnel_a11y_module* module);
    /* A window as it reads now, and the events that tell how it came to (none the first time
     * the module hears of it). */
    void (*window)(varnel_a11y_module* module, const varnel_a11y_window* now,
                   const varnel_a11y_event* events, size_t event_count);
    /* The window was unloaded; the events tell of its going. */
    void (*unloaded)(varnel_a11y_module* module, varnel_a11y_id window,
                     const varnel_a11y_event* events, size_t event_count);
    /* The message box appeared (with what it reads), or closed (null). */
    void (*message_box)(varnel_a11y_module* module, const varnel_a11y_alert* box);
    void (*focus)(varnel_a11y_module* module, const varnel_a11y_focus* focus);
    /* Runs what GLib's main context has ready (the bridge's D-Bus traffic) and prepares what to
     * wait for before the next call: returns how many file descriptors (see wait_fds), and sets
     * a time in milliseconds (-1: none). */
    size_t (*dispatch)(varnel_a11y_module* module, int32_t* timeout_ms);
    /* The file descriptors the last dispatch waits for: the first `count` of them. */
    void (*wait_fds)(varnel_a11y_module* module, varnel_a11y_fd* fds, size_t count);
    void (*destroy)(varnel_a11y_module* module);
} varnel_a11y_functions;

/* The module's one exported function, looked up by this name. */
#define VARNEL_A11Y_ENTRY "varnel_accessibility_module"
typedef const varnel_a11y_functions* (*varnel_a11y_entry)(void);
const varnel_a11y_functions* varnel_accessibility_module(void);

#ifdef __cplusplus
}
#endif
