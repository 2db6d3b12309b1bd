#pragma once

namespace forms {

// The character codes that KeyPress receives for the keys that type no letter.
enum KeyCode : int { KeyBackspace = 8, KeyReturn = 13, KeyEscape = 27 };

}  // namespace forms
