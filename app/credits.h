#pragma once

namespace varnel::credits {

// The author of Varnel, as the About window and the main window's credit line name her.
inline constexpr const char* Author = "Mira Vela";
inline constexpr const char* Email = "vela@example.org";
inline constexpr const char* WebPage = "www.example.org";
// The main window's one-line credit, short enough for its small label.
inline constexpr const char* CreditLine = "by M. Vela";

}  // namespace varnel::credits
