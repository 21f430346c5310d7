#pragma once

#include "platform/Form.h"

// Steps every window of the program takes in the same way.
namespace WindowSteps {

// At load, right after translation: a new layout object for this window, replacing the one
// of the window before, which first sizes the window to 75 % of the screen, centred.
void layoutStep(platform::Form &form);
// At activation: the window covers the whole screen (top, left, then height, width).
void coverScreen(platform::Form &form);
// At every resize: the controls follow the window's new size.
void resizeStep();
// The window takes over the screen: shown, with the language file read once for the whole of
// its opening (its load and its activation each look up many texts).
void show(platform::Form &form);

} // namespace WindowSteps
