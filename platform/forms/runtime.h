#pragma once

#include <chrono>
#include <memory>
#include <string>
#include <type_traits>
#include <utility>
#include <vector>

#include "platform/forms/accessibility_record.h"
#include "platform/forms/backend.h"
#include "platform/forms/clock.h"
#include "platform/forms/colour.h"
#include "platform/forms/errors.h"
#include "platform/forms/geometry.h"
#include "platform/forms/object_id.h"
#include "platform/forms/random.h"

namespace forms {

class Control;
class Form;
class PictureBox;
class WindowSlot;

// The forms runtime: it owns the program's state, delivers events one at a time and runs the
// error path, and tells the back end what changed. Events nest only through property writes.
class Runtime {
public:
    Runtime(Backend& backend, std::string title, std::unique_ptr<RandomSource> random,
            std::unique_ptr<Clock> clock);
    Runtime(const Runtime&) = delete;
    Runtime& operator=(const Runtime&) = delete;
    ~Runtime();

    // Services.
    // Shows a modal message box and waits for its answer. Every loaded window of the program
    // refuses the user's input meanwhile.
    int MsgBox(const std::string& text, int style, const std::string& title);
    // Puts the text on the clipboard as plain text. While another program holds the clipboard
    // it keeps trying for about 100 ms; then it raises the "Can't open Clipboard" error.
    void SetClipboardText(const std::string& text);
    RandomSource& random() { return *random_; }
    // The runtime's time, which decides when timers tick.
    std::chrono::steady_clock::time_point now() const { return clock_->now(); }
    Clock& clock() { return *clock_; }
    ColourValue resolve(ColourValue colour);

    // What the program calls itself: the title of its error messages, and its name to
    // assistive technology.
    const std::string& title() const { return title_; }
    bool ended() const { return ended_; }
    Form* active_form() const { return active_; }
    // The loaded windows, in the order their references were declared.
    std::vector<Form*> loaded_forms() const;
    // The loaded window or control that bears this identity, or null: it was unloaded, or never
    // was.
    Form* find_form(ObjectId id) const;
    Control* find_control(ObjectId id) const;
    // A new identity for a window or control, given to no other.
    ObjectId issue_id() { return ObjectId{++last_id_}; }

    // Assistive technology has asked for the program's windows (a back end heard it): from now
    // on the back end is told what it reads of each window, as a whole now and then each
    // change once an event is over (Backend::accessible_update). Until then nothing is described.
    // Asked again (assistive technology started afresh), it tells each window anew.
    void assistive_technology_asked();

    // Runs an event handler; a run-time error it does not trap ends the program.
    template <class Handler, class... Args>
    void raise(const Handler& handler, Args&&... args) {
        if (!handler || ended_) return;
        Scope scope(*this);
        try {
            handler(std::forward<Args>(args)...);
        } catch (const RuntimeError& error) {
            fail(error);
        }
    }

    // Runs user input that a back end reported, as the outermost event. Input is delivered only
    // between events: while one runs (a handler, a message box waiting for its answer, the push
    // of native updates) the native side may still report things, such as a text the program
    // itself wrote coming back as an edit, a timer falling due or a click on a window that a
    // modal message box disables. Those are dropped; activations and repaints are remembered
    // instead (see below) and delivered once the event is over.
    template <class Action>
    void input(Action&& action) {
        if (!between_events()) return;
        run_event(std::forward<Action>(action));
        deliver_remembered();
    }
    bool between_events() const { return depth_ == 0 && !ended_; }

    // A window of the program became the active one. Its Activate runs if the program's active
    // window changed: coming back from another program to the window that was active raises
    // nothing. Reported during an event, the last such report counts once the event is over.
    void activation_reported(Form& form);
    // Part of a picture box must be repainted (uncovered, shown again): the part is filled
    // with the background colour, then Paint runs. Reported during an event, the parts are
    // gathered and repainted once the event is over.
    void expose_reported(PictureBox& box, PixelRect area);

    // Window lifecycle, used by forms and their references.
    void loaded(Form& form);
    void unload(Form& form);
    void shown(Form& form);
    void hidden(Form& form);
    void activated(Form& form);
    void mark_dirty(Control& control) { dirty_controls_.push_back(&control); }
    void mark_dirty(Form& form) { dirty_forms_.push_back(&form); }

    // Marks the span of one event: when the outermost one ends, native updates are pushed.
    class Scope {
    public:
        explicit Scope(Runtime& runtime) : runtime_(runtime) { ++runtime_.depth_; }
        Scope(const Scope&) = delete;
        Scope& operator=(const Scope&) = delete;
        // The native updates are pushed while the event still counts as running, so that what
        // the back end reports meanwhile is not taken for new input.
        ~Scope() {
            if (runtime_.depth_ == 1) runtime_.settle();
            --runtime_.depth_;
        }

    private:
        Runtime& runtime_;
    };

private:
    friend class WindowSlot;
    [[noreturn]] void fail(const RuntimeError& error);
    void end();
    void flush();
    void settle();
    void retire(std::unique_ptr<Form> form);
    // Forgets what was remembered for a form that is being unloaded.
    void forget(const Form& form);

    // Runs one event; a run-time error that no handler traps takes the error path here too.
    template <class Action>
    void run_event(Action&& action) {
        try {
            Scope scope(*this);
            try {
                std::forward<Action>(action)();
            } catch (const RuntimeError& error) {
                fail(error);
            }
        } catch (const ProgramEnded&) {
            // The program has ended; nothing further runs.
        }
    }
    void deliver_remembered();

    Backend& backend_;
    AccessibilityRecord accessibility_;
    std::string title_;
    std::unique_ptr<RandomSource> random_;
    std::unique_ptr<Clock> clock_;
    std::vector<WindowSlot*> slots_;
    std::vector<Control*> dirty_controls_;
    std::vector<Form*> dirty_forms_;
    std::vector<Form*> to_activate_;
    // Unloaded forms, kept until the outermost event ends: their handlers may still be running.
    std::vector<std::unique_ptr<Form>> retired_;
    Form* active_ = nullptr;
    // Reported while an event was running, delivered when it is over.
    Form* remembered_activation_ = nullptr;
    std::vector<std::pair<PictureBox*, PixelRect>> remembered_exposes_;
    int depth_ = 0;
    bool ended_ = false;
    std::underlying_type_t<ObjectId> last_id_ = 0;
};

}  // namespace forms
