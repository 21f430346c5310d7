#pragma once

#include <QColor>
#include <QImage>
#include <QString>

// Drawing of the block pictures and of the attribute pictures that the activities show.
// Everything is plain geometry on QPainter: no fonts, no randomness, so every build
// draws the same pixels.
namespace art {

enum class Shape
{
    Round,
    Square,
    Rectangle,
    Triangle
};
enum class Colour
{
    Red,
    Yellow,
    Blue
};

struct Block
{
    Shape shape = Shape::Round;
    Colour colour = Colour::Red;
    bool big = true;
    bool thick = true;
};

// Side of every square picture in pixels. The ordinary pictures serve places of up to about
// 560 pixels (every place on screens up to 1920 x 1080) and decode fast; the large ones (below
// jpg/large/) stay crisp where a screen of 3840 x 2160 shows a block over 1000 pixels wide. The
// drawing itself is made on a canvas of CanvasSide units, whatever the picture's size.
inline constexpr int PictureSide = 512;
inline constexpr int LargePictureSide = 1024;
inline constexpr double CanvasSide = 512;

// The light background shared by every picture.
QColor backgroundColour();

// One block seen from slightly above: its face with the colour's pattern and, down and to
// the right, its side, deep for a thick block and shallow for a thin one.
QImage drawBlock(const Block &block, int side = PictureSide);

// The same block on a transparent background (with its shadow), to be laid on other pictures.
QImage drawBlockAlone(const Block &block);

// A flat shape in a neutral grey (the help pictures of the shapes).
QImage drawSilhouette(Shape shape, int side = PictureSide);

// A big and a small block side by side; the one meant (big or small) is framed in green,
// the other one faded.
QImage drawSizeChoice(bool bigMeant, int side = PictureSide);

// A thick and a thin slab seen from the front, low; the one meant is framed in green.
QImage drawThicknessChoice(bool thickMeant, int side = PictureSide);

// A patch of the colour with the colour's own pattern.
QImage drawSwatch(Colour colour, int side = PictureSide);

// The program's icon for the desktop's menus: three blocks of different shape, colour, size
// and thickness on a light rounded tile, with a transparent surround; side x side pixels.
QImage drawAppIcon(int side);

} // namespace art
