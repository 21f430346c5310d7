#include "activities/comparison/FORM2.h"

#include "language/modLanguageSupport.h"
#include "platform/Random.h"
#include "shell/BlockRules.h"
#include "shell/Colours.h"
#include "shell/Modulo1.h"
#include "shell/Voice.h"

FORM2::FORM2() : ActivityFrame(QStringLiteral("FORM2"), {.leaveMenuName = QStringLiteral("mnuFine")}) {}

void FORM2::createWindowControls()
{
    // The value asked for at the top left, the set at the top right with "Fatto" beside it,
    // the four blocks (much larger than the places of the set) in a row across the middle.
    setDesignSize(14400, 7875);
    Label1 = addLabel(QStringLiteral("Label1"), 240, 360, 5580, 1200);
    makeCard(Label1, QStringLiteral("Comic Sans MS"), 40);
    addSpeakerButton(2550, 1620, 960, 720); // under the value

    Frame1 = addFrame(QStringLiteral("Frame1"), 6060, 240, 5820, 1680);
    Frame1->setBackColor(Colours::kWhite);
    for (int k = 0; k < 4; ++k)
        insieme.set(k, addImage(QStringLiteral("insieme"), 240 + k * 1380, 240, 1200, 1200, Frame1, k));

    for (int k = 0; k < 4; ++k)
        Image1.set(k, addImage(QStringLiteral("Image1"), 480 + k * 3480, 2400, 3000, 3000, nullptr, k));

    Command1 = addButton(QStringLiteral("Command1"), 12180, 480, 1980, 1200, QStringLiteral("Fatto"));
    Command1->setFont(QStringLiteral("Comic Sans MS"), 22, true);
    Command1->setBackColor(Colours::kLightGrey);

    const QString hand = platform::appPath(QStringLiteral("img\\manina.png"));
    Image1.forEach([&](platform::Image *image) { image->setMousePointer(hand, 10, 1); });
    Command1->setMousePointer(hand, 10, 1);

    // The keyboard starts at the first block: the child builds the set before pressing "Fatto".
    setFirstFocus(Image1(0));

    Image1.onClick(this, &FORM2::Image1_Click);
    connect(Command1, &platform::Control::Click, this, [this] { Command1_Click(); });
    sayWhenPointed(Label1, [this] { return Modulo1::displayWord(AttributeValues[0]); });
}

QString FORM2::spokenTask() const
{
    return Voice::sentence(QStringLiteral("FORM2"), {Voice::spokenWord(AttributeValues[0])},
                           Modulo1::displayWord(AttributeValues[0]));
}

FramePlacement FORM2::framePlacement() const
{
    // Below the blocks, in the middle: the face, then the two counters.
    return {QRectF(4320, 6120, 3240, 660), QRectF(7920, 6120, 3240, 660), QPointF(3240, 6140)};
}

void FORM2::createWindowMenus()
{
    mnuControllo = addMenu(QStringLiteral("mnuControllo"), QStringLiteral("Controllo automatico?"));
    mnuControlloSi =
        addMenu(QStringLiteral("mnuControlloSi"), QStringLiteral("controlla automaticamente"), mnuControllo);
    mnuControlloNo =
        addMenu(QStringLiteral("mnuControlloNo"), QStringLiteral("usa bottone FATTO"), mnuControllo);
    mnuControlloNo->setChecked(true);
    connect(mnuControlloSi, &platform::Control::Click, this, [this] { mnuControlloSi_Click(); });
    connect(mnuControlloNo, &platform::Control::Click, this, [this] { mnuControlloNo_Click(); });
}

void FORM2::firstQuestion()
{
    AutoCheck = false;
    NewTurn();
}

void FORM2::NewCondition()
{
    setBackColor(Modulo1::PickRandomBackColor());
    Modulo1::PickRandomBlock(); // only for the value; this block is not shown
    ConditionAttribute = static_cast<std::int16_t>(platform::drawIndex(4) + 1);
    Label1->setCaption(
        Modulo1::displayWord(BlockRules::attributeWord(Modulo1::CurrentBlock, ConditionAttribute)).toUpper());
}

void FORM2::NewTurn()
{
    const modLanguageSupport::OneReading words; // of the value and the four blocks, from one reading
    // Drawn again until at least one block has the value.
    do {
        MatchCount = 0;
        NewCondition();
        AttributeValues[0] = BlockRules::attributeWord(Modulo1::CurrentBlock, ConditionAttribute);
        insieme.forEach([](platform::Image *place) { place->setPicture(QString()); });
        for (int k = 0; k < 4; ++k) {
            Modulo1::PickRandomBlock();
            Modulo1::showCurrentBlock(Image1(k));
            Image1(k)->setTabStop(true);
            AttributeValues[k + 1] = BlockRules::attributeWord(Modulo1::CurrentBlock, ConditionAttribute);
            // Exact words, letter case included.
            if (AttributeValues[k + 1] == AttributeValues[0])
                ++MatchCount;
        }
        MovedCount = 0;
    } while (MatchCount == 0);
    speakTask();
}

void FORM2::judgeRight()
{
    ShowRightAnswer();
    NewTurn();
}

void FORM2::Image1_Click(int index)
{
    platform::Image *block = Image1(index);
    if (!block || !block->hasPicture())
        return; // its block is in the set already
    if (AttributeValues[index + 1] != AttributeValues[0]) {
        ShowWrongAnswer(); // it stays, and may be clicked (and counted) again
    } else {
        // The picture goes over as it is, with its words; nothing is read again.
        block->handPictureTo(insieme(MovedCount));
        ++MovedCount;
        block->setTabStop(false); // nothing is left to press there
    }
    if (setComplete() && AutoCheck)
        judgeRight();
}

void FORM2::Command1_Click()
{
    if (setComplete() && !AutoCheck)
        judgeRight();
    else
        ShowWrongAnswer();
}

void FORM2::mnuControlloSi_Click()
{
    AutoCheck = true;
    mnuControlloSi->setChecked(true);
    mnuControlloNo->setChecked(false);
    Command1->setVisible(false);
    // Without "Fatto" a set that is complete already could never be judged (with four
    // matching blocks nothing would be left to click): judge it now, as the automatic check
    // would have done when its last block was moved.
    if (setComplete())
        judgeRight();
}

void FORM2::mnuControlloNo_Click()
{
    AutoCheck = false;
    mnuControlloSi->setChecked(false);
    mnuControlloNo->setChecked(true);
    Command1->setVisible(true);
}
