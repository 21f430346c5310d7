#include "activities/single_block/FormTrova.h"

#include "language/modLanguageSupport.h"
#include "platform/Application.h"
#include "platform/Random.h"
#include "platform/System.h"
#include "shell/Colours.h"
#include "shell/Modulo1.h"
#include "shell/Voice.h"

namespace {
// Four rows of three, from the top left.
constexpr double kGridOrigin = 120, kPitch = 1560, kPictureSide = 1455;
constexpr double kOutlineWidth = 5; // pixels: seen at a glance, on every block and background
} // namespace

FormTrova::FormTrova()
    : ActivityFrame(QStringLiteral("FormTrova"), {.resetMenuName = QStringLiteral("MenuAzzera"),
                                                  .aboutMenuName = QStringLiteral("MenuInformazioni"),
                                                  .resetMenuCaption = QStringLiteral("Azzera conteggio   "),
                                                  .aboutMenuCaption = QStringLiteral("Informazioni         "),
                                                  .resetCountersAt = ActivitySettings::When::AtLoad,
                                                  .firstQuestionAt = ActivitySettings::When::AtLoad})
{
}

QString FormTrova::blockKey(const BlockAttributes &b)
{
    return b.Shape + b.Colour + b.Size + b.Thickness;
}

QString FormTrova::description(const BlockAttributes &b)
{
    const QString lineBreak = QStringLiteral("\r\n");
    using Modulo1::displayWord;
    return (displayWord(b.Shape) + lineBreak + displayWord(b.Colour) + lineBreak + displayWord(b.Size) + lineBreak +
            displayWord(b.Thickness))
        .toUpper();
}

QStringList FormTrova::spokenWords(const BlockAttributes &b)
{
    using Modulo1::displayWord;
    return {displayWord(b.Shape), displayWord(b.Colour), displayWord(b.Size), displayWord(b.Thickness)};
}

QString FormTrova::spokenTask() const
{
    const QStringList words = spokenWords(m_target);
    return Voice::sentence(QStringLiteral("FormTrova"), words, words.join(QStringLiteral(", ")));
}

void FormTrova::createWindowControls()
{
    setDesignSize(11880, 6500);
    const QString hand = platform::appPath(QStringLiteral("img\\manina.png"));
    for (int i = 0; i < kPictures; ++i) {
        platform::Image *image =
            addImage(QStringLiteral("Image1"), kGridOrigin + (i % 3) * kPitch, kGridOrigin + (i / 3) * kPitch,
                     kPictureSide, kPictureSide, nullptr, i);
        image->setMousePointer(hand, 10, 1);
        Image1.set(i, image);
    }

    // The words on a white card, dark and large: readable on every background colour.
    EtFrase2 = addLabel(QStringLiteral("EtFrase2"), 5880, 1680, 5280, 2760);
    makeCard(EtFrase2, QStringLiteral("Arial"), 40);
    addSpeakerButton(5880, 4560, 1080, 1080); // under the words

    Shape1 = addShape(QStringLiteral("Shape1"), kGridOrigin, kGridOrigin, kPictureSide, kPictureSide);
    Shape1->setBorderColor(Colours::kRed);
    Shape1->setBorderWidth(int(kOutlineWidth));
    Shape1->setVisible(false);

    addNextButton(7140, 5040, 2760, 1200, 20);

    Image1.onClick(this, &FormTrova::Image1_Click);
    connect(bottoneavanti, &platform::Control::Click, this, [this] { bottoneavanti_Click(); });
    sayWhenPointed(EtFrase2, [this] { return spokenWords(m_target).join(QStringLiteral(", ")); });
}

FramePlacement FormTrova::framePlacement() const
{
    return {QRectF(6600, 360, 2280, 600), QRectF(9120, 360, 2280, 600), QPointF(5640, 360)};
}

void FormTrova::NewTurn()
{
    const modLanguageSupport::OneReading words; // of the twelve blocks, from one reading of the file
    setBackColor(Modulo1::PickRandomBackColor());
    // The target is drawn before the blocks.
    TargetIndex = static_cast<std::int16_t>(platform::drawIndex(kPictures));
    for (int i = 0; i < kPictures; ++i) {
        Modulo1::PickRandomBlock();
        Modulo1::showCurrentBlock(Image1(i));
        Image1(i)->setTag(blockKey(Modulo1::CurrentBlock));
        if (i == TargetIndex) {
            m_target = Modulo1::CurrentBlock;
            EtFrase2->setCaption(description(m_target));
        }
    }
    speakTask();
}

void FormTrova::Image1_Click(int index)
{
    // Any copy of the described block is right, not only the one the words were taken from.
    if (Image1(index)->tag() != Image1(TargetIndex)->tag()) {
        if (Modulo1::SoundEnabled)
            platform::Beep();
        ShowWrongAnswer();
        return;
    }
    ShowRightAnswer();
    m_found = index;
    frameFound();
    Shape1->setVisible(true);
    bottoneavanti->setEnabled(true);
    Image1.forEach([](platform::Image *image) { image->setEnabled(false); });
    // The keyboard goes on where the child goes on.
    bottoneavanti->SetFocus();
}

void FormTrova::bottoneavanti_Click()
{
    Image1.forEach([](platform::Image *image) { image->setEnabled(true); });
    Shape1->setVisible(false);
    m_found = -1;
    NewTurn();
    bottoneavanti->setEnabled(false);
}

void FormTrova::frameFound()
{
    if (m_found < 0)
        return;
    Shape1->setLeft(Image1(m_found)->left());
    Shape1->setTop(Image1(m_found)->top());
}

void FormTrova::Form_Resize()
{
    ActivityFrame::Form_Resize();
    // The layout puts every control back where it was designed; the outline belongs on the
    // picture found.
    frameFound();
}
