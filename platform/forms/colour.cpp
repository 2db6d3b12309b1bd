#include "platform/forms/colour.h"

#include <algorithm>

#include "platform/forms/errors.h"

namespace forms {

ColourValue RGB(int red, int green, int blue) {
    if (red < 0 || green < 0 || blue < 0) throw invalid_procedure_call();
    const auto channel = [](int v) { return static_cast<ColourValue>(std::min(v, 255)); };
    return channel(red) | (channel(green) << 8U) | (channel(blue) << 16U);
}

}  // namespace forms
