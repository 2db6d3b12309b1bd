#pragma once

namespace forms {

// Message box styles: the icon shown, in the bits that IconStyles selects, and the buttons
// (0: one OK button).
enum MessageBoxStyle : int { Critical = 16, IconStyles = 0x70 };

}  // namespace forms
