#pragma once

namespace platform {

// Pictures and boxes tell assistive technology (and test tools) what they show: a picture's
// description is its accessible name, and what can be clicked offers a "press" action.
// Installed once, before the first window is built.
void installAccessibility();

} // namespace platform
