#pragma once

#include <QImage>
#include <QString>

// The pictures of the main menu's buttons, one per activity, drawn with the blocks themselves on
// the blocks' light background, so a child who cannot read the captions yet still finds the
// game; and the speaker of the button that says a task again.
namespace art {

// Width and height of a menu picture: wide enough for a row of blocks, crisp on a large screen.
inline constexpr int MenuPictureWidth = 600;
inline constexpr int MenuPictureHeight = 400;

// The picture of the activity of the window named so ("form1", "FORM2", …); a null image for
// a window without one.
QImage drawActivityPicture(const QString &window);
// The windows that have a picture, in the menu's order.
QStringList activityPictureWindows();

// 128 x 128, transparent: a loudspeaker with the waves of its sound.
QImage drawSpeakerIcon();

} // namespace art
