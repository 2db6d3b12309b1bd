#pragma once

namespace forms {

// The character codes that KeyPress receives for the keys that type no letter.
enum KeyCode : int { KeyBackspace = 8, KeyReturn = 13, KeyEscape = 27 };

// Message box styles: the icon shown, in the bits that IconStyles selects, and the buttons
// (0: one OK button).
enum MessageBoxStyle : int { Critical = 16, IconStyles = 0x70 };

}  // namespace forms
