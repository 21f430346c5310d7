#include "activities/comparison/form1.h"

#include "language/modLanguageSupport.h"
#include "platform/Random.h"
#include "shell/BlockRules.h"
#include "shell/Colours.h"
#include "shell/Modulo1.h"
#include "shell/Voice.h"

using modLanguageSupport::GetString;

const form1::Question &form1::question(int askedAttribute)
{
    // Each help picture with the name of the value it shows; the round one is named "cerchio".
    const auto pair = [](const char *file, const char *word) {
        return std::pair<QString, QString>(QLatin1String(file), QLatin1String(word));
    };
    static const Question questions[4] = {
        {[](const BlockAttributes &b) { return b.Shape; }, "0058", "0059",
         {pair("cerchio", "rotondo"), pair("quadrato", "quadrato"), pair("rettangolo", "rettangolo"),
          pair("triangolo", "triangolo")},
         "form1.shape"},
        {[](const BlockAttributes &b) { return b.Size; }, "0060", "0059",
         {pair("grande", "grande"), pair("piccolo", "piccolo")}, "form1.size"},
        {[](const BlockAttributes &b) { return b.Thickness; }, "0062", "0063",
         {pair("spesso", "spesso"), pair("sottile", "sottile")}, "form1.thickness"},
        {[](const BlockAttributes &b) { return b.Colour; }, "0064", "0063",
         {pair("rosso", "rosso"), pair("giallo", "giallo"), pair("blu", "blu")}, "form1.colour"},
    };
    return questions[qBound(1, askedAttribute, 4) - 1];
}

form1::form1() : ActivityFrame(QStringLiteral("form1"), {}) {}

void form1::createWindowControls()
{
    setDesignSize(14400, 7875);
    Label1 = addLabel(QStringLiteral("Label1"), 240, 120, 12840, 840);
    makeCard(Label1, QStringLiteral("Comic Sans MS"), 26);
    addSpeakerButton(13200, 120, 960, 840);

    Command1 = addButton(QStringLiteral("Command1"), 240, 1140, 2040, 1080, QStringLiteral("Aiuto"));
    Command1->setFont(QStringLiteral("Comic Sans MS"), 18, true);
    Command1->setPicture(platform::appPath(QStringLiteral("img\\aiuto.png")));

    Image1 = addImage(QStringLiteral("Image1"), 1080, 2400, 3960, 3960);
    Image2 = addImage(QStringLiteral("Image2"), 6000, 2400, 3960, 3960);
    Image3 = addImage(QStringLiteral("Image3"), 2520, 1080, 1200, 1200);
    Image4 = addImage(QStringLiteral("Image4"), 3840, 1080, 1200, 1200);
    Image5 = addImage(QStringLiteral("Image5"), 5160, 1080, 1200, 1200);
    Image6 = addImage(QStringLiteral("Image6"), 6480, 1080, 1200, 1200);

    UGUALI = addButton(QStringLiteral("UGUALI"), 1080, 6540, 3960, 1020, QStringLiteral("UGUALE"));
    DIVERSI = addButton(QStringLiteral("DIVERSI"), 6000, 6540, 3960, 1020, QStringLiteral("DIVERSI"));
    for (platform::CommandButton *b : {UGUALI.data(), DIVERSI.data()}) {
        b->setFont(QStringLiteral("Comic Sans MS"), 24, true);
        b->setBackColor(Colours::kLightGrey);
        b->setMousePointer(platform::appPath(QStringLiteral("img\\manina.png")), 10, 1);
    }

    addNextButton(11160, 1140, 2760, 1200, 20);

    connect(UGUALI, &platform::Control::Click, this, [this] { UGUALI_Click(); });
    connect(DIVERSI, &platform::Control::Click, this, [this] { DIVERSI_Click(); });
    connect(Command1, &platform::Control::Click, this, [this] { Command1_Click(); });
    connect(bottoneavanti, &platform::Control::Click, this, [this] { bottoneavanti_Click(); });
    // The question, the two answers and the help's values say themselves.
    sayWhenPointed(Label1, [this] { return spokenTask(); });
    for (platform::Control *c : {static_cast<platform::Control *>(UGUALI), static_cast<platform::Control *>(DIVERSI),
                                 static_cast<platform::Control *>(Image3), static_cast<platform::Control *>(Image4),
                                 static_cast<platform::Control *>(Image5), static_cast<platform::Control *>(Image6)})
        sayWhenPointed(c);
}

QString form1::spokenTask() const
{
    return Voice::sentence(QLatin1String(question(AskedAttribute).spokenKey), {}, Label1->caption());
}

FramePlacement form1::framePlacement() const
{
    return {QRectF(10920, 4200, 3240, 600), QRectF(10920, 4920, 3240, 600), QPointF(12120, 3000)};
}

QList<platform::Image *> form1::helpImages() const
{
    return {Image3, Image4, Image5, Image6};
}

void form1::firstQuestion()
{
    NewQuestion();
    DrawPair();
    speakTask();
}

void form1::NewQuestion()
{
    AskedAttribute = static_cast<std::int16_t>(platform::drawIndex(4) + 1);
    const Question &q = question(AskedAttribute);
    Label1->setCaption(GetString(QLatin1String(q.questionId)));
    DIVERSI->setCaption(GetString(QLatin1String(q.differentId)));
}

void form1::DrawPair()
{
    const Question &q = question(AskedAttribute);
    setBackColor(Modulo1::PickRandomBackColor());
    Modulo1::PickRandomBlock();
    Modulo1::showCurrentBlock(Image1);
    ComparedValue[1] = q.word(Modulo1::CurrentBlock);
    Modulo1::PickRandomBlock();
    Modulo1::showCurrentBlock(Image2);
    ComparedValue[2] = q.word(Modulo1::CurrentBlock);
}

void form1::judge(bool saidEqual)
{
    // Words are compared exactly, letter case included.
    const bool equal = ComparedValue[1] == ComparedValue[2];
    if (saidEqual != equal) {
        ShowWrongAnswer();
        return;
    }
    ShowRightAnswer();
    UGUALI->setEnabled(false);
    DIVERSI->setEnabled(false);
    bottoneavanti->setEnabled(true);
    choose(saidEqual ? UGUALI : DIVERSI);
    // The keyboard goes on where the child goes on.
    bottoneavanti->SetFocus();
}

void form1::Command1_Click()
{
    const auto &pictures = question(AskedAttribute).helpPictures;
    const QList<platform::Image *> images = helpImages();
    for (int i = 0; i < pictures.size() && i < images.size(); ++i)
        images[i]->setPicture(Modulo1::attributePicturePath(pictures[i].first),
                              Modulo1::displayWord(pictures[i].second));
}

void form1::bottoneavanti_Click()
{
    for (platform::Image *image : helpImages())
        image->setPicture(QString());
    NewQuestion();
    DrawPair();
    speakTask();
    bottoneavanti->setEnabled(false);
    for (platform::CommandButton *b : {UGUALI.data(), DIVERSI.data()}) {
        b->setEnabled(true);
        unchoose(b);
    }
}
