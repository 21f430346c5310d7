#include "activities/grid/pagl7.h"

#include "activities/grid/GridRules.h"
#include "language/modLanguageSupport.h"
#include "platform/Random.h"
#include "shell/BlockRules.h"
#include "shell/Colours.h"
#include "shell/Modulo1.h"
#include "shell/Voice.h"

namespace {

const GridLayout &roadsLayout()
{
    static const GridLayout layout{
        .design = {9480, 6795},
        .backColour = Colours::kRoadsBackground,
        .capacity = 4,
        .boxes = {{120, 120, 3375, 1455}, {5760, 120, 3375, 1455}},
        // Each box fills from its outer end towards the middle of the window; the places keep
        // clear of the box's edge, so that every block lies inside its box.
        .slotPlaces = {{60, 360},
                       {870, 360},
                       {1680, 360},
                       {2490, 360},
                       {2520, 360},
                       {1710, 360},
                       {900, 360},
                       {90, 360}},
        .slotSize = 795,
        .names = {{1560, 1920, 2655, 1095}, {4920, 1920, 2655, 1095}},
        // Each name, and the road under it, stands for the box at the end of its road.
        .nameBoxes = {0, 1},
        .roads = {{QPolygonF({{720, 1560}, {1320, 1560}, {4560, 4560}, {4320, 4920}}), 0},
                  {QPolygonF({{8400, 1560}, {7800, 1560}, {4560, 4560}, {4800, 4920}}), 1}},
        .nameFontPoints = 22,
        .waitingBlock = {240, 3840, 2535, 2535},
        .avanti = {6720, 5280, 1935, 975},
        // Between the roads, under their names.
        .speaker = {4110, 3100, 900, 900},
        // The counters apart, below the faces.
        .frame = {QRectF(7320, 3900, 1695, 495), QRectF(7320, 4500, 1695, 495), QPointF(7800, 3240)},
    };
    return layout;
}

// The edges of the roads: a common stem rising from the bottom forks into a left and a right road.
constexpr double kRoadEdges[6][4] = {
    {4320, 4920, 4320, 6840}, {4800, 4920, 4800, 6840}, {720, 1560, 4320, 4920},
    {8400, 1560, 4800, 4920}, {1320, 1560, 4560, 4560}, {7800, 1560, 4560, 4560},
};

} // namespace

pagl7::pagl7() : GridWindow(QStringLiteral("pagl7"), roadsLayout(), QStringLiteral("mnuFine")) {}

void pagl7::createWindowControls()
{
    setDesignSize(roadsLayout().design.width(), roadsLayout().design.height());
    addRoads(Line2, kRoadEdges);
    createGridControls();
}

void pagl7::createWindowMenus()
{
    mnuSuono = addMenu(QStringLiteral("mnuSuono"), QStringLiteral("Suono?"));
    mnuSuonoSi = addMenu(QStringLiteral("mnuSuonoSi"), QStringLiteral("sì"), mnuSuono);
    mnuSuonoNo = addMenu(QStringLiteral("mnuSuonoNo"), QStringLiteral("no"), mnuSuono);
    // The marks tell how things are: the sound may have been switched off in the main menu.
    mnuSuonoSi->setChecked(Modulo1::SoundEnabled);
    mnuSuonoNo->setChecked(!Modulo1::SoundEnabled);
    connect(mnuSuonoSi, &platform::Control::Click, this, [this] { mnuSuonoSi_Click(); });
    connect(mnuSuonoNo, &platform::Control::Click, this, [this] { mnuSuonoNo_Click(); });
}

void pagl7::setSound(bool on)
{
    Modulo1::SoundEnabled = on;
    mnuSuonoSi->setChecked(on);
    mnuSuonoNo->setChecked(!on);
    // Speech is sound too.
    if (!on)
        Voice::stop();
    Voice::refreshSpeakers();
}

int pagl7::rightBox() const
{
    return GridRules::roadBox(ComparedValue[1], ComparedValue[0]);
}

QString pagl7::spokenName(int label) const
{
    return spokenValue(ComparedValue[0], label == 1);
}

void pagl7::NewReference()
{
    setBackColor(Modulo1::PickRandomBackColor());
    Modulo1::PickRandomBlock();
    RoadAttribute = static_cast<std::int16_t>(platform::drawIndex(4) + 1);
    ComparedValue[0] = BlockRules::attributeWord(Modulo1::CurrentBlock, RoadAttribute);
    Label1(0)->setCaption(Modulo1::displayWord(ComparedValue[0]).toUpper());
    Label1(1)->setCaption(modLanguageSupport::GetString(QStringLiteral("0031")) + Label1(0)->caption());
    // Each box is called by the name of its road.
    for (int k = 0; k < 2; ++k)
        Frame1(k)->setAccessibleName(Label1(k)->caption());
}

void pagl7::takeWaitingValues()
{
    ComparedValue[1] = BlockRules::attributeWord(Modulo1::CurrentBlock, RoadAttribute);
}
