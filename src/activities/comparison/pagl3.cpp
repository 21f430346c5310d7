#include "activities/comparison/pagl3.h"

#include "language/modLanguageSupport.h"
#include "platform/Random.h"
#include "shell/BlockRules.h"
#include "shell/Colours.h"
#include "shell/Modulo1.h"
#include "shell/Voice.h"

pagl3::pagl3() : ActivityFrame(QStringLiteral("pagl3"), {}) {}

void pagl3::createWindowControls()
{
    // The value with its small picture at the top left; the nine blocks in two rows below,
    // "ricomincia" and "avanti" in a column at their right; the number buttons under the
    // blocks; face, counters and hint at the bottom, where nothing is pressed.
    setDesignSize(14400, 7875);
    Label1 = addLabel(QStringLiteral("Label1"), 240, 150, 5400, 1020);
    makeCard(Label1, QStringLiteral("Comic Sans MS"), 32);
    Image2 = addImage(QStringLiteral("Image2"), 5820, 120, 1080, 1080);
    addSpeakerButton(7080, 150, 1020, 1020);

    for (int k = 0; k < kBlocks; ++k) {
        const bool upper = k < 5;
        const double left = upper ? 240 + k * 1980 : 1230 + (k - 5) * 1980;
        Image1.set(k, addImage(QStringLiteral("Image1"), left, upper ? 1380 : 3240, 1740, 1740, nullptr, k));
    }

    for (int i = 0; i < kNumbers; ++i) {
        platform::CommandButton *b = addButton(QStringLiteral("NUMERI"), 390 + i * 1380, 5280, 1200, 960,
                                               QString::number(i), nullptr, i);
        b->setFont(QStringLiteral("Comic Sans MS"), 28, true);
        b->setBackColor(Colours::kLightGrey);
        NUMERI.set(i, b);
    }

    Command1 = addButton(QStringLiteral("Command1"), 10320, 1620, 3840, 1200, QStringLiteral("ricomincia"));
    Command1->setFont(QStringLiteral("Comic Sans MS"), 20, true);
    Command1->setPicture(platform::appPath(QStringLiteral("img\\ricomincia.png")));

    addNextButton(10320, 3480, 3840, 1200, 20);

    Label2 = addLabel(
        QStringLiteral("Label2"), 7320, 6600, 6840, 660,
        QStringLiteral("Puoi cliccare sui blocchi che non rispettano la condizione per cancellarli"));
    makeCard(Label2, QStringLiteral("Comic Sans MS"), 15);

    const QString hand = platform::appPath(QStringLiteral("img\\manina.png"));
    Image1.forEach([&](platform::Image *image) { image->setMousePointer(hand, 10, 1); });
    NUMERI.forEach([&](platform::CommandButton *b) { b->setMousePointer(hand, 10, 1); });
    Command1->setMousePointer(hand, 10, 1);

    Image1.onClick(this, &pagl3::Image1_Click);
    NUMERI.onClick(this, &pagl3::NUMERI_Click);
    connect(Command1, &platform::Control::Click, this, [this] { Command1_Click(); });
    connect(bottoneavanti, &platform::Control::Click, this, [this] { bottoneavanti_Click(); });
    // The value, its picture and the numbers say themselves.
    sayWhenPointed(Label1, [this] { return Modulo1::displayWord(AttributeValues[0]); });
    sayWhenPointed(Image2, [this] { return Modulo1::displayWord(AttributeValues[0]); });
    NUMERI.forEach([this](platform::CommandButton *b) { sayWhenPointed(b); });
}

QString pagl3::spokenTask() const
{
    return Voice::sentence(QStringLiteral("pagl3"), {Voice::spokenWord(AttributeValues[0])},
                           Modulo1::displayWord(AttributeValues[0]));
}

FramePlacement pagl3::framePlacement() const
{
    // Bottom left: the face, then the two counters; the hint is to their right.
    return {QRectF(1200, 6600, 2820, 660), QRectF(4260, 6600, 2820, 660), QPointF(300, 6620)};
}

void pagl3::firstQuestion()
{
    NewTurn();
}

void pagl3::NewCondition()
{
    Modulo1::PickRandomBlock(); // only for the value; this block is not shown
    setBackColor(Modulo1::PickRandomBackColor());
    ConditionAttribute = static_cast<std::int16_t>(platform::drawIndex(4) + 1);
    const QString name = BlockRules::attributeWord(Modulo1::CurrentBlock, ConditionAttribute);
    const QString word = Modulo1::displayWord(name);
    Label1->setCaption(word.toUpper());
    // Composed from the name in capitals, whatever the word shown; the picture store names it
    // in small letters, and the lookup ignores letter case.
    Image2->setPicture(Modulo1::attributePicturePath(name.toUpper()), word);
}

void pagl3::NewTurn()
{
    const modLanguageSupport::OneReading words; // of the value and the nine blocks, from one reading
    // Nothing steers the count: 0 to 9, as drawn.
    MatchCount = 0;
    NewCondition();
    AttributeValues[0] = BlockRules::attributeWord(Modulo1::CurrentBlock, ConditionAttribute);
    for (int k = 0; k < kBlocks; ++k) {
        Modulo1::PickRandomBlock();
        Modulo1::showCurrentBlock(Image1(k));
        AttributeValues[k + 1] = BlockRules::attributeWord(Modulo1::CurrentBlock, ConditionAttribute);
        if (AttributeValues[k + 1] == AttributeValues[0]) // exact words, letter case included
            ++MatchCount;
    }
    speakTask();
}

void pagl3::showAllBlocks()
{
    Image1.forEach([](platform::Image *image) { image->setVisible(true); });
}

void pagl3::Image1_Click(int index)
{
    // Only out of sight: its value still counts.
    if (platform::Image *block = Image1(index))
        block->setVisible(false);
}

void pagl3::Command1_Click()
{
    showAllBlocks();
}

void pagl3::NUMERI_Click(int index)
{
    if (index != MatchCount) {
        ShowWrongAnswer(); // the child may answer again
        return;
    }
    ShowRightAnswer();
    bottoneavanti->setEnabled(true);
    choose(NUMERI(index));
    NUMERI.forEach([](platform::CommandButton *b) { b->setEnabled(false); });
    // The keyboard goes on where the child goes on.
    bottoneavanti->SetFocus();
}

void pagl3::bottoneavanti_Click()
{
    const bool keyboardHere = bottoneavanti->hasFocus();
    NewTurn();
    bottoneavanti->setEnabled(false);
    NUMERI.forEach([](platform::CommandButton *b) {
        b->setEnabled(true);
        unchoose(b);
    });
    showAllBlocks();
    // A new page: the keyboard starts again at its first block.
    if (keyboardHere)
        Image1(0)->SetFocus();
}

void pagl3::Form_KeyPress(const QString &text)
{
    if (text.size() == 1 && text.at(0) >= u'0' && text.at(0) <= u'9')
        if (platform::CommandButton *b = NUMERI(text.at(0).unicode() - u'0'))
            b->press(); // as a click: nothing while the buttons rest
}
