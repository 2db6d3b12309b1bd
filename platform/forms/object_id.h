#pragma once

#include <cstdint>

namespace forms {

// A window's or control's identity for the life of the program, never given to another: whoever
// holds it across events (a press that assistive technology asked for, the accessibility module)
// asks the runtime what it stands for now, and hears "nothing" once its window is unloaded.
enum class ObjectId : std::uint32_t {};
// No window or control.
inline constexpr ObjectId NoObject{};

}  // namespace forms
