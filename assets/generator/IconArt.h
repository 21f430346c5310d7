#pragma once

#include <QImage>

// The small pictures that the windows carry: the two answer faces, the arrow of the
// "avanti" button, the help button's icon, the "ricomincia" button's circling arrow and the
// pointing-hand mouse pointer.
// All have a transparent background.
namespace art {

QImage drawHappyFace(); // 64 x 64, yellow, smiling
QImage drawSadFace();   // 64 x 64, red, sad
QImage drawArrow();     // 96 x 64, green, pointing right
QImage drawHelpIcon();  // 64 x 64, a magnifying glass
QImage drawRestartIcon(); // 64 x 64, an orange arrow going round, back to its start
QImage drawPointer();   // 32 x 32, a hand whose fingertip is at (10, 1)

} // namespace art
