#pragma once

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "platform/forms/backend.h"
#include "platform/forms/errors.h"
#include "platform/forms/random.h"

namespace forms {

class Control;
class Form;
class WindowSlot;

// The forms runtime: it owns the program's state, delivers events one at a time and runs the
// error path, and tells the back end what changed. Events nest only through property writes.
class Runtime {
public:
    Runtime(Backend& backend, std::string title, std::unique_ptr<RandomSource> random);
    Runtime(const Runtime&) = delete;
    Runtime& operator=(const Runtime&) = delete;
    ~Runtime();

    // Services.
    int MsgBox(const std::string& text, int style, const std::string& title);
    // Puts the text on the clipboard as plain text. While another program holds the clipboard
    // it keeps trying for about 100 ms; then it raises the "Can't open Clipboard" error.
    void SetClipboardText(const std::string& text);
    RandomSource& random() { return *random_; }
    ColourValue resolve(ColourValue colour);

    bool ended() const { return ended_; }
    Form* active_form() const { return active_; }
    // The loaded windows, in the order their references were declared.
    std::vector<Form*> loaded_forms() const;

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

    // Runs user input that arrived from a back end, as the outermost event.
    template <class Action>
    void input(Action&& action) {
        if (ended_) return;
        try {
            Scope scope(*this);
            std::forward<Action>(action)();
        } catch (const ProgramEnded&) {
            // The program has ended; nothing further runs.
        }
    }

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
        ~Scope() {
            if (--runtime_.depth_ == 0) runtime_.settle();
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

    Backend& backend_;
    std::string title_;
    std::unique_ptr<RandomSource> random_;
    std::vector<WindowSlot*> slots_;
    std::vector<Control*> dirty_controls_;
    std::vector<Form*> dirty_forms_;
    std::vector<Form*> to_activate_;
    // Unloaded forms, kept until the outermost event ends: their handlers may still be running.
    std::vector<std::unique_ptr<Form>> retired_;
    Form* active_ = nullptr;
    int depth_ = 0;
    bool ended_ = false;
};

}  // namespace forms
