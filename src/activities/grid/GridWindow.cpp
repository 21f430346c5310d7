#include "activities/grid/GridWindow.h"

#include "activities/grid/GridRules.h"
#include "language/modLanguageSupport.h"
#include "platform/System.h"
#include "shell/Colours.h"
#include "shell/Modulo1.h"
#include "shell/Voice.h"

GridWindow::GridWindow(const QString &name, const GridLayout &layout, const QString &leaveMenuName)
    // The background is the layout's, and a game starts as soon as the window is loaded.
    : ActivityFrame(name, {.leaveMenuName = leaveMenuName,
                           .frameSetsBackColour = false,
                           .resetCountersAt = ActivitySettings::When::AtLoad,
                           .firstQuestionAt = ActivitySettings::When::AtLoad}),
      m_layout(layout)
{
}

void GridWindow::showHand(platform::PositionedControl *control)
{
    control->setMousePointer(platform::appPath(QStringLiteral("img\\manina.png")), 10, 1);
}

double GridWindow::readablePoints(double pointsOnSmallScreen)
{
    // Beyond 1440 x 1080 the window's own text scale takes over (platform::textScaleFor).
    const double grow = qMin(qMin(platform::screenWidthTwips(), 1440.0 * 15) / (1024 * 15),
                             qMin(platform::screenHeightTwips(), 1080.0 * 15) / (768 * 15));
    return pointsOnSmallScreen * qMax(1.0, grow);
}

void GridWindow::addRoads(platform::ControlArray<platform::Line> &roads, std::span<const double[4]> edges)
{
    for (int i = 0; i < int(edges.size()); ++i) {
        const auto &e = edges[i];
        platform::Line *edge = addLine(QStringLiteral("Line2"), e[0], e[1], e[2], e[3], nullptr, i);
        edge->setBorderWidth(2);
        roads.set(i, edge);
    }
}

void GridWindow::createGridControls()
{
    const GridLayout &l = m_layout;
    setBackColor(l.backColour);
    // The roads' places lie under everything else.
    for (int i = 0; i < l.roads.size(); ++i) {
        platform::Area *road = addArea(QStringLiteral("roadArea"), l.roads[i].outline, i);
        showHand(road);
        roadArea.set(i, road);
    }
    for (int k = 0; k < l.boxes.size(); ++k) {
        const QRectF &r = l.boxes[k];
        platform::Frame *box =
            addFrame(QStringLiteral("Frame1"), r.x(), r.y(), r.width(), r.height(), nullptr, k);
        showHand(box);
        Frame1.set(k, box);
        for (int i = k * l.capacity; i < (k + 1) * l.capacity; ++i) {
            platform::Image *slot = addImage(QStringLiteral("insieme"), l.slotPlaces[i].x(),
                                             l.slotPlaces[i].y(), l.slotSize, l.slotSize, box, i);
            // The keyboard stops at the box, not at each of its places.
            slot->setTabStop(false);
            insieme.set(i, slot);
        }
    }
    for (int i = 0; i < l.names.size(); ++i) {
        const QRectF &r = l.names[i];
        platform::Label *name =
            addLabel(QStringLiteral("Label1"), r.x(), r.y(), r.width(), r.height(), {}, nullptr, i);
        // On white cards the names also stand out on the roads.
        makeCard(name, QStringLiteral("Comic Sans MS"), readablePoints(l.nameFontPoints));
        Label1.set(i, name);
        if (l.nameBoxes.value(i, -1) >= 0) {
            showHand(name);
            name->setTabStop(false);
            connect(name, &platform::Control::Click, this, &GridWindow::Label1_Click);
        }
    }
    addSpeakerButton(l.speaker.x(), l.speaker.y(), l.speaker.width(), l.speaker.height());
    Image1 = addImage(QStringLiteral("Image1"), l.waitingBlock.x(), l.waitingBlock.y(),
                      l.waitingBlock.width(), l.waitingBlock.height());

    addNextButton(l.avanti.x(), l.avanti.y(), l.avanti.width(), l.avanti.height(), readablePoints(16));

    Frame1.onClick(this, &GridWindow::Frame1_Click);
    insieme.onClick(this, &GridWindow::insieme_Click);
    roadArea.onClick(this, &GridWindow::roadArea_Click);
    connect(bottoneavanti, &platform::Control::Click, this, [this] { bottoneavanti_Click(); });
    // The names say themselves, and each box the names on its way (for the child who reaches
    // it by Tab, too).
    for (int i = 0; i < l.names.size(); ++i)
        sayWhenPointed(Label1(i), [this, i] { return spokenName(i); });
    for (int k = 0; k < l.boxes.size(); ++k)
        sayWhenPointed(Frame1(k), [this, k] {
            return m_layout.boxes.size() == 2 ? spokenName(k)
                                               : spokenName(k / 2) + QStringLiteral(", ") + spokenName(2 + k % 2);
        });
}

QString GridWindow::spokenValue(const QString &name, bool negated)
{
    const QString word = Modulo1::displayWord(name);
    return negated ? Voice::plain(modLanguageSupport::GetString(QStringLiteral("0031"))) + word : word;
}

QString GridWindow::spokenTask() const
{
    // The first fork (or the rows) and the second (or the columns): at most four names.
    QStringList names;
    for (int i = 0; i < qMin<int>(4, m_layout.names.size()); ++i)
        names << spokenName(i);
    return Voice::sentence(name(), names, names.join(QStringLiteral(", ")));
}

bool GridWindow::gameOver() const
{
    return GridRules::gameOver(filled(), m_layout.capacity);
}

void GridWindow::firstQuestion()
{
    Filled.fill(0);
    NewReference();
    NextBlock();
    speakTask();
}

void GridWindow::NextBlock()
{
    if (gameOver()) {
        bottoneavanti->setEnabled(true);
        Frame1.forEach([](platform::Frame *box) { box->setEnabled(false); });
        showGameOver();
        return;
    }
    Modulo1::PickRandomBlock();
    Modulo1::showCurrentBlock(Image1);
    takeWaitingValues();
}

void GridWindow::showGameOver()
{
    QRectF full;
    for (int k = 0; k < int(filled().size()); ++k)
        if (filled()[k] >= m_layout.capacity) {
            platform::Frame *box = Frame1(k);
            box->setMarked(true);
            full = QRectF(box->left(), box->top(), box->width(), box->height());
        }
    celebrate(full);
    // The keyboard goes on where the child goes on.
    bottoneavanti->SetFocus();
}

void GridWindow::insieme_Click(int index)
{
    chooseBox(GridRules::boxOfSlot(index, m_layout.capacity));
}

void GridWindow::Label1_Click(int index)
{
    if (const int box = m_layout.nameBoxes.value(index, -1); box >= 0)
        chooseBox(box);
}

void GridWindow::roadArea_Click(int index)
{
    if (index >= 0 && index < m_layout.roads.size())
        chooseBox(m_layout.roads[index].box);
}

void GridWindow::chooseBox(int box)
{
    // Whatever the toolkit lets through, a finished game takes no more blocks.
    if (gameOver())
        return;
    beforeChoice();
    const int slot = GridRules::place(filled(), m_layout.capacity, box, rightBox());
    if (slot < 0) {
        ShowWrongAnswer();
        return;
    }
    Image1->handPictureTo(insieme(slot));
    ShowRightAnswer();
    NextBlock();
}

void GridWindow::bottoneavanti_Click()
{
    celebration->stop();
    Frame1.forEach([](platform::Frame *box) {
        box->setMarked(false);
        box->setEnabled(true);
    });
    insieme.forEach([](platform::Image *slot) { slot->setPicture(QString()); });
    Filled.fill(0);
    NewReference();
    NextBlock();
    speakTask();
    bottoneavanti->setEnabled(false);
}
