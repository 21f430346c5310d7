#pragma once

#include <QImage>

// The small pictures that the windows carry: the two answer faces, the arrow of the
// "avanti" button, the help button's icon, the "ricomincia" button's circling arrow and the
// pointing-hand mouse pointer.
// All have a transparent background. The faces and the buttons' pictures are drawn on a canvas of
// 64 units (96 for the arrow's width) at IconScale pixels a unit, so that they stay crisp where a
// screen of 3840 x 2160 shows a face 200 pixels wide.
namespace art {

inline constexpr int IconScale = 4;

QImage drawHappyFace(); // 256 x 256, yellow, smiling
QImage drawSadFace();   // 256 x 256, red, sad
QImage drawArrow();     // 384 x 256, green, pointing right
QImage drawHelpIcon();  // 256 x 256, a magnifying glass
QImage drawRestartIcon(); // 256 x 256, an orange arrow going round, back to its start
QImage drawPointer();   // 32 x 32, a hand whose fingertip is at (10, 1)

} // namespace art
