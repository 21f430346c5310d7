#include "activities/grid/pagl9.h"

#include "shell/Colours.h"

namespace {

const GridLayout &tableLayout()
{
    static const GridLayout layout{
        .design = {9360, 6645},
        .backColour = Colours::kTableBackground,
        .capacity = 2,
        .boxes = {{5040, 2040, 1695, 1455},
                  {6720, 2040, 1695, 1455},
                  {5040, 3480, 1695, 1455},
                  {6720, 3480, 1695, 1455}},
        // In every cell the first block goes left, the second right, both clear of its border.
        .slotPlaces =
            {{45, 360}, {855, 360}, {45, 360}, {855, 360}, {45, 360}, {855, 360}, {45, 360}, {855, 360}},
        .slotSize = 795,
        // The rows' names at their left, the columns' names above them.
        .names = {{3600, 2520, 1335, 735},
                  {3600, 3840, 1335, 735},
                  {5160, 1200, 1335, 735},
                  {6840, 1200, 1335, 735}},
        // A row or column name stands for two cells: a click on it chooses none.
        .nameBoxes = {-1, -1, -1, -1},
        .nameFontPoints = 16,
        .waitingBlock = {360, 1800, 2415, 2415},
        .avanti = {6480, 5400, 1935, 975},
        // In the table's empty corner, where the names meet.
        .speaker = {3840, 1200, 960, 780},
        .frame = {QRectF(2520, 390, 2175, 495), QRectF(5040, 390, 2175, 495), QPointF(1320, 120)},
    };
    return layout;
}

} // namespace

pagl9::pagl9() : TableGame(QStringLiteral("pagl9"), tableLayout()) {}

void pagl9::createWindowControls()
{
    setDesignSize(tableLayout().design.width(), tableLayout().design.height());
    Line1 = addLine(QStringLiteral("Line1"), 4995, 3645, 5100, 3645);
    Line1->setBorderWidth(2);
    // A stroke beside the table that leads nowhere only puzzles a child: it is not shown.
    Line1->setVisible(false);
    createGridControls();
}
