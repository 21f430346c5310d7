#pragma once

#include "platform/Area.h"
#include "platform/CommandButton.h"
#include "platform/ControlArray.h"
#include "platform/Frame.h"
#include "platform/Image.h"
#include "platform/Label.h"
#include "platform/Line.h"
#include "shell/ActivityFrame.h"

#include <QPointer>
#include <array>
#include <cstdint>
#include <span>

// A road a child may tap: its outline, in design twips, and the box at its end.
struct GridRoad
{
    QPolygonF outline;
    int box;
};

// Where a placing game puts its controls, in design twips of its client area.
struct GridLayout
{
    QSizeF design;
    std::uint32_t backColour;  // at design; "le strade 1" paints a new one every game
    int capacity;              // slots per box
    QList<QRectF> boxes;       // Frame1, by index
    QList<QPointF> slotPlaces; // insieme, by index, inside their box
    double slotSize;
    QList<QRectF> names;   // Label1, by index
    QList<int> nameBoxes;  // the box at the end of each name's way; -1: the way goes on to several
    QList<GridRoad> roads; // the roads that lead to one box each
    double nameFontPoints; // on a screen of 1024 x 768; larger screens get larger names
    QRectF waitingBlock;   // Image1
    QRectF avanti;         // bottoneavanti
    QRectF speaker;        // bottoneascolta, beside the names
    FramePlacement frame;
};

// A game of blocks placed, one at a time, into boxes chosen by attribute values: the roads and
// the table. It holds the boxes with their slots, the names, the waiting block and "avanti";
// each window says how a game starts and which box is right.
class GridWindow : public ActivityFrame
{
    Q_OBJECT

public:
    platform::ControlArray<platform::Frame> Frame1;
    platform::ControlArray<platform::Image> insieme;
    platform::ControlArray<platform::Label> Label1;
    QPointer<platform::Image> Image1;
    // The roads a child may tap, each standing for the box at its end.
    platform::ControlArray<platform::Area> roadArea;

    // Blocks placed in box k in this game (Filled0 to Filled3).
    std::array<std::int16_t, 4> Filled{};

    void Frame1_Click(int index) { chooseBox(index); }
    void insieme_Click(int index);
    // A name, or a road, stands for the box at the end of its way.
    void Label1_Click(int index);
    void roadArea_Click(int index);
    void bottoneavanti_Click();

    // One box is full: the boxes take no more blocks until "avanti".
    bool gameOver() const;
    // The box the waiting block belongs in.
    virtual int rightBox() const = 0;
    // A name on the roads or the table (Label1 element) as it is said.
    virtual QString spokenName(int label) const = 0;
    // The names of the game, said in the window's sentence.
    QString spokenTask() const override;

protected:
    GridWindow(const QString &name, const GridLayout &layout, const QString &leaveMenuName = QStringLiteral("mnuEsci"));

    // Starts a game: the values of the roads or of the table, and their names.
    virtual void NewReference() = 0;
    // The waiting block's values, read from CurrentBlock.
    virtual void takeWaitingValues() = 0;
    // Runs first on every choice of a box.
    virtual void beforeChoice() {}

    // Ends the game when a box is full; otherwise brings the next block.
    void NextBlock();
    // The edges of the roads as the control array `roads`, each {x1, y1, x2, y2}; made before
    // anything else, they lie under it.
    void addRoads(platform::ControlArray<platform::Line> &roads, std::span<const double[4]> edges);
    // The boxes, slots, names, waiting block and "avanti", in this control order.
    void createGridControls();
    FramePlacement framePlacement() const override { return m_layout.frame; }
    void firstQuestion() override;
    // Boxes, slots and buttons show the program's hand.
    static void showHand(platform::PositionedControl *control);
    // A value's word, or its negation ("NON " and the word), as they are said.
    static QString spokenValue(const QString &name, bool negated);
    // A font size given for a screen of 1024 x 768, grown with the screen up to 1440 x 1080 (the
    // window grows texts further on larger screens), so that names and buttons read well across
    // a classroom and still fit on a small screen.
    static double readablePoints(double pointsOnSmallScreen);

private:
    std::span<std::int16_t> filled() { return std::span(Filled).first(m_layout.boxes.size()); }
    std::span<const std::int16_t> filled() const { return std::span(Filled).first(m_layout.boxes.size()); }
    void chooseBox(int box);
    // The end of a game: the full box marked and cheered, "avanti" next.
    void showGameOver();

    const GridLayout &m_layout;
};
