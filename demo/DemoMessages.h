#pragma once
// The message lines the main window shows on its site map while a demonstration runs: one
// announcing each of the three demonstrated commands, and the closing line.

#include <array>
#include <string>

inline constexpr int kDemoMessageCount = 4;

// UTF-8 texts; index 0 the sky view, 1 the orbit-and-count view, 2 the area judgement, 3 the end.
extern std::array<std::string, kDemoMessageCount> pDemoMessage;

// Fills pDemoMessage (once, when the main window loads).
void SetDemoMessage();
