#pragma once

#include "platform/forms/icon.h"

namespace varnel {

// The program icon: three filled discs, red, dark green and blue, on a transparent ground.
const forms::Icon& program_icon();

}  // namespace varnel
