#pragma once

#include <string>
#include <string_view>

namespace forms {

// A label's caption with each of its line breaks written as the back end breaks lines:
// character 13 starts a new line, and a 13 followed by 10 is one line break, not two.
std::string with_line_breaks(std::string_view caption, std::string_view line_break);

}  // namespace forms
