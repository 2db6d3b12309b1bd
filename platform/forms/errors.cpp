#include "platform/forms/errors.h"

namespace forms {

RuntimeError overflow() { return {6, "Overflow"}; }
RuntimeError invalid_procedure_call() { return {5, "Invalid procedure call or argument"}; }
RuntimeError invalid_property_value() { return {380, "Invalid property value"}; }
RuntimeError cannot_open_clipboard() { return {521, "Can't open Clipboard"}; }

}  // namespace forms
