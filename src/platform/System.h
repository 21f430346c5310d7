#pragma once

#include <functional>

namespace platform {

// The screen's size in twips.
double screenWidthTwips();
double screenHeightTwips();

// The plain system beep.
void Beep();
// Tests record the beep instead.
void setBeepHook(std::function<void()> hook);

// Lets pending painting run, but no user input: a click must never reach a window that is
// half-way through being rebuilt.
void DoEvents();

// Ends the program at once: no window is seen again and no further handler runs.
void endProgram();
// Tests record the end instead.
void setEndProgramHook(std::function<void()> hook);

} // namespace platform
