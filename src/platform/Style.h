#pragma once

class QStyle;

namespace platform {

// The look of every window: Qt's Fusion style, which draws the same on every desktop. The
// standard icons it makes from its picture files (the arrow of every menu bar, the icons of the
// message boxes) are made once for the run instead of once for every widget that shows them.
QStyle *makeProgramStyle();

} // namespace platform
