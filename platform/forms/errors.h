#pragma once

#include <stdexcept>
#include <string>

namespace forms {

// A run-time error raised inside a handler. A handler may trap it; if none does, the runtime
// shows its message and ends the program.
class RuntimeError : public std::runtime_error {
public:
    RuntimeError(int number, const std::string& message)
        : std::runtime_error(message), number_(number) {}
    int number() const { return number_; }

private:
    int number_;
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
