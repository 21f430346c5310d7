#include "activities/grid/pagl8.h"

#include "activities/grid/GridRules.h"
#include "language/modLanguageSupport.h"
#include "shell/Colours.h"
#include "shell/Modulo1.h"

namespace {

const GridLayout &roadsLayout()
{
    static const GridLayout layout{
        .design = {9360, 6975},
        .backColour = Colours::kRoadsBackground,
        .capacity = 2,
        // The four boxes in a row at the top, at the ends of the roads.
        .boxes = {{120, 120, 1695, 1455},
                  {2640, 120, 1695, 1455},
                  {5520, 120, 1695, 1455},
                  {7320, 120, 1695, 1455}},
        // Both places of a box clear of its border.
        .slotPlaces =
            {{45, 360}, {855, 360}, {45, 360}, {855, 360}, {45, 240}, {855, 240}, {45, 240}, {855, 240}},
        .slotSize = 795,
        // The first fork's names, then the second forks' names, left to right.
        .names = {{3000, 3840, 1335, 735},
                  {4830, 3840, 1335, 735},
                  {720, 2160, 1335, 735},
                  {2280, 2160, 1335, 735},
                  {5640, 2160, 1335, 735},
                  {7080, 2160, 1335, 735}},
        // The second forks' names, and the roads from the second forks, each lead to one box;
        // the first fork's names lead to two.
        .nameBoxes = {-1, -1, 0, 1, 2, 3},
        .roads = {{QPolygonF({{420, 1575}, {840, 1575}, {2280, 3240}, {2040, 3480}}), 0},
                  {QPolygonF({{3360, 1575}, {3675, 1575}, {2520, 3360}, {2280, 3240}}), 1},
                  {QPolygonF({{6090, 1575}, {6405, 1575}, {6720, 3255}, {6405, 3360}}), 2},
                  {QPolygonF({{8160, 1560}, {8640, 1560}, {7200, 3360}, {6720, 3255}}), 3}},
        .nameFontPoints = 16,
        .waitingBlock = {120, 4320, 2415, 2415},
        .avanti = {6600, 5760, 1935, 975},
        // Beside the foot of the roads, under the first fork's names.
        .speaker = {4980, 4980, 900, 900},
        // The counters apart, below the faces.
        .frame = {QRectF(7200, 4500, 1695, 495), QRectF(7200, 5100, 1695, 495), QPointF(7920, 3840)},
    };
    return layout;
}

// The edges of the roads: the common stem, the two roads after the first fork, then the
// roads to the boxes.
constexpr double kRoadEdges[14][4] = {
    {4320, 4920, 4320, 6840}, {4800, 4920, 4800, 6840}, {2040, 3480, 4320, 4920}, {7200, 3360, 4800, 4920},
    {2520, 3360, 4515, 4725}, {6405, 3360, 4620, 4725}, {420, 1575, 2040, 3480},  {3675, 1575, 2520, 3360},
    {840, 1575, 2280, 3240},  {3360, 1575, 2280, 3240}, {8640, 1560, 7200, 3360}, {8160, 1560, 6720, 3255},
    {6405, 1575, 6720, 3255}, {6090, 1575, 6405, 3360},
};

// The help's red lines along the middle of the roads: 0 the stem, 1 and 2 the roads after the
// first fork, 3 to 6 the roads to boxes 0 to 3. They meet where the roads fork, so that the way
// is one unbroken line.
constexpr double kFirstFork[2] = {4560, 4830}, kLeftFork[2] = {2300, 3400}, kRightFork[2] = {6600, 3500};
constexpr double kHelpLines[7][4] = {
    {4560, 6720, kFirstFork[0], kFirstFork[1]},
    {kFirstFork[0], kFirstFork[1], kLeftFork[0], kLeftFork[1]},
    {kFirstFork[0], kFirstFork[1], kRightFork[0], kRightFork[1]},
    {kLeftFork[0], kLeftFork[1], 630, 1575},
    {kLeftFork[0], kLeftFork[1], 3517, 1575},
    {kRightFork[0], kRightFork[1], 6247, 1575},
    {kRightFork[0], kRightFork[1], 8400, 1560},
};

} // namespace

pagl8::pagl8() : TableGame(QStringLiteral("pagl8"), roadsLayout()) {}

void pagl8::createWindowControls()
{
    setDesignSize(roadsLayout().design.width(), roadsLayout().design.height());
    addRoads(Line2, kRoadEdges);
    Line1 = addLine(QStringLiteral("Line1"), 4515, 4725, 4620, 4725);
    Line1->setBorderWidth(2);
    createGridControls();
    // The help's lines come after the roads and the names, on top of them: the way shows along
    // its whole length, and a name it crosses still shows through.
    for (int i = 0; i < 7; ++i) {
        const auto &e = kHelpLines[i];
        platform::Line *mark = addLine(QStringLiteral("Line3"), e[0], e[1], e[2], e[3], nullptr, i);
        mark->setBorderWidth(10);
        mark->setBorderColor(Colours::kRed);
        mark->setSeeThrough(true);
        mark->setVisible(false);
        Line3.set(i, mark);
    }

    Command2 = addButton(QStringLiteral("Command2"), 2730, 5340, 1275, 870, QStringLiteral("aiuto"));
    Command2->setFont(QStringLiteral("Comic Sans MS"), readablePoints(16), true);
    Command2->setBackColor(Colours::kLightBlue); // it stands out from the roads' yellow
    showHand(Command2);
    connect(Command2, &platform::Control::Click, this, [this] { Command2_Click(); });
}

void pagl8::createWindowMenus()
{
    mnuAiuto = addMenu(QStringLiteral("mnuAiuto"), QStringLiteral("Tipo aiuto"));
    mnuAiutoCaselle =
        addMenu(QStringLiteral("mnuAiutoCaselle"), QStringLiteral("caselle colorate"), mnuAiuto);
    mnuAiutoStrade = addMenu(QStringLiteral("mnuAiutoStrade"), QStringLiteral("strade"), mnuAiuto);
    mnuAiutoStrade->setChecked(true);
    connect(mnuAiutoCaselle, &platform::Control::Click, this, [this] { mnuAiutoCaselle_Click(); });
    connect(mnuAiutoStrade, &platform::Control::Click, this, [this] { mnuAiutoStrade_Click(); });
}

void pagl8::firstQuestion()
{
    HelpOnRoads = true;
    TableGame::firstQuestion();
}

void pagl8::NewReference()
{
    CancellaAiuto();
    TableGame::NewReference();
    Label1(4)->setCaption(Label1(2)->caption());
    Label1(5)->setCaption(modLanguageSupport::GetString(QStringLiteral("0031")) + Label1(2)->caption());
}

void pagl8::CancellaAiuto()
{
    HelpStep = 0;
    Line3.forEach([](platform::Line *mark) { mark->setVisible(false); });
    Label1.forEach([](platform::Label *name) { name->setBackColor(Colours::kWhite); });
}

void pagl8::Command2_Click()
{
    if (GridRules::chargeHelp(HelpCost, Modulo1::RightCount))
        showRightCount();
    const GridRules::HelpMarks marks = GridRules::helpMarks(HelpStep, firstMatches(), secondMatches());
    if (HelpOnRoads) {
        for (const int line : marks.roadLines)
            Line3(line)->setVisible(true);
    } else if (marks.forkName >= 0) {
        Label1(marks.forkName)->setBackColor(Colours::kLightGreen);
    }
    HelpStep = GridRules::nextHelpStep(HelpStep);
}

void pagl8::setHelpKind(bool onRoads)
{
    mnuAiutoStrade->setChecked(onRoads);
    mnuAiutoCaselle->setChecked(!onRoads);
    HelpOnRoads = onRoads;
    HelpStep = 0;
    CancellaAiuto();
}
