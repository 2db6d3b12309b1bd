#pragma once

#include <exception>

namespace forms {

// A run-time error raised inside a handler. A handler may trap it; if none does, the runtime
// shows its message and ends the program.
class RuntimeError : public std::exception {
public:
    // The message is one of the standard errors' texts below, which live as long as the program:
    // raising an error copies no text (and needs no std::string in an exception).
    RuntimeError(int number, const char* message) : number_(number), message_(message) {}
    int number() const { return number_; }
    const char* what() const noexcept override { return message_; }

private:
    int number_;
    const char* message_;
};

// The standard errors the program can meet.
RuntimeError overflow();
RuntimeError invalid_procedure_call();
RuntimeError invalid_property_value();
RuntimeError cannot_open_clipboard();

// Unwinds every handler on the stack once the program has ended. Deliberately not a
// RuntimeError, so no handler's trap can catch it.
struct ProgramEnded {};

}  // namespace forms
