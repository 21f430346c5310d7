#include "activities/single_block/FormDomino.h"

#include "platform/Application.h"
#include "platform/Random.h"
#include "platform/Units.h"
#include "shell/Colours.h"
#include "shell/Modulo1.h"
#include "shell/Voice.h"

namespace {

// The spiral: down the left column, along the bottom row, up the right column, back along the
// top row and into the middle; each link sits in the gap after its picture.
constexpr double kPictureSide = 1455;
constexpr QPointF kPicturePlaces[FormDomino::kPictures] = {
    {120, 120},   {120, 2160}, {120, 4200}, {2160, 4200}, {4200, 4200}, {6240, 4200},
    {6480, 2160}, {6480, 120}, {4440, 120}, {2400, 120},  {2160, 2160}, {4200, 2160}};
constexpr double kLinkSide = 615;
constexpr QPointF kLinkPlaces[FormDomino::kLinks] = {{480, 1560},  {480, 3600},  {1560, 4680}, {3600, 4560},
                                                     {5640, 4680}, {6720, 3600}, {6840, 1560}, {5880, 480},
                                                     {3840, 600},  {2640, 1560}, {3600, 2640}};
// The lines between the turns of the spiral.
constexpr QLineF kLines[4] = {
    {1920, 120, 1920, 3960}, {6120, 3960, 2040, 3960}, {6120, 1920, 6120, 3840}, {6120, 1920, 3960, 1920}};

constexpr double kAnswerPitch = 900;
constexpr double kButtonSide = 840, kButtonHeight = 780;
constexpr double kNameGap = 120, kNameWidth = 2640;
constexpr double kQuestionWidth = 7560;

// A letter without its accents: the key E presses a button written "É", as does the key É.
QString bareLetters(const QString &text)
{
    QString bare = text.normalized(QString::NormalizationForm_D);
    bare.removeIf([](QChar c) { return c.category() == QChar::Mark_NonSpacing; });
    return bare;
}

} // namespace

FormDomino::FormDomino()
    : FormDomino(QStringLiteral("FormDomino"),
                 {ChainRules::oneChanges, "Cosa cambia?", 8520, 1560, 360, 5880})
{
}

FormDomino::FormDomino(const QString &name, const Variant &variant)
    : ActivityFrame(name, {.resetMenuName = QStringLiteral("MenuAzzera"),
                           .aboutMenuName = QStringLiteral("MenuInformazioni"),
                           .resetMenuCaption = QStringLiteral("Azzera conteggio        "),
                           .aboutMenuCaption = QStringLiteral("Informazioni          "),
                           .resetCountersAt = ActivitySettings::When::AtLoad,
                           .firstQuestionAt = ActivitySettings::When::AtLoad}),
      m_variant(variant)
{
}

void FormDomino::createWindowControls()
{
    setDesignSize(12360, 6760);
    const QString hand = platform::appPath(QStringLiteral("img\\manina.png"));

    for (int k = 0; k < kPictures; ++k)
        Image1.set(k, addImage(QStringLiteral("Image1"), kPicturePlaces[k].x(), kPicturePlaces[k].y(),
                               kPictureSide, kPictureSide, nullptr, k));
    // White badges with big dark letters: readable on every background colour.
    for (int k = 0; k < kLinks; ++k) {
        platform::Label *link = addLabel(QStringLiteral("Label1"), kLinkPlaces[k].x(), kLinkPlaces[k].y(),
                                         kLinkSide, kLinkSide, {}, nullptr, k);
        makeCard(link, QStringLiteral("Arial"), 30);
        link->setForeColor(Colours::kLinkInk);
        Label1.set(k, link);
    }
    for (int i = 0; i < 4; ++i) {
        platform::Line *line = addLine(QStringLiteral("Line1"), kLines[i].x1(), kLines[i].y1(),
                                       kLines[i].x2(), kLines[i].y2(), nullptr, i);
        line->setBorderWidth(3);
        Line1.set(i, line);
    }

    static const char *const letters[5] = {"F", "C", "D", "S", "N"};
    static const char *const names[5] = {"forma", "colore", "dimensione", "spessore", "niente"};
    QPointer<platform::Label> *nameLabels[5] = {&Label3, &Label4, &Label5, &Label6, &Label7};
    for (int i = 0; i < 5; ++i) {
        const double top = m_variant.answersTop + i * kAnswerPitch;
        platform::CommandButton *b =
            addButton(QStringLiteral("Command1"), m_variant.answersLeft, top, kButtonSide, kButtonHeight,
                      QLatin1String(letters[i]), nullptr, i);
        b->setFont(QStringLiteral("Arial"), 24, true);
        b->setBackColor(Colours::kLightGrey);
        b->setMousePointer(hand, 10, 1);
        Command1.set(i, b);
    }
    for (int i = 0; i < 5; ++i) {
        const double top = m_variant.answersTop + i * kAnswerPitch;
        platform::Label *l =
            addLabel(QStringLiteral("Label%1").arg(i + 3), m_variant.answersLeft + kButtonSide + kNameGap,
                     top, kNameWidth, kButtonHeight, QLatin1String(names[i]));
        makeCard(l, QStringLiteral("Arial"), 22);
        *nameLabels[i] = l;
    }
    Label2 = addLabel(QStringLiteral("Label2"), m_variant.questionLeft, m_variant.questionTop, kQuestionWidth,
                      720, QLatin1String(m_variant.question));
    makeCard(Label2, QStringLiteral("Arial"), 26);
    // Beside the question, below the answers.
    addSpeakerButton(m_variant.questionLeft + kQuestionWidth + 120, m_variant.questionTop + 110, 840, 700);

    Command1.onClick(this, &FormDomino::Command1_Click);
    // The question, and every answer by its word (the letter alone says little).
    sayWhenPointed(Label2, [this] { return spokenTask(); });
    for (int i = 0; i < 5; ++i) {
        const QPointer<platform::Label> name = *nameLabels[i];
        sayWhenPointed(name);
        sayWhenPointed(Command1(i), [name] { return name ? name->caption() : QString(); });
    }
}

QString FormDomino::spokenTask() const
{
    return Voice::sentence(name(), {}, Label2->caption());
}

FramePlacement FormDomino::framePlacement() const
{
    // Above the answers, the same in both twins.
    return {QRectF(9480, 120, kNameWidth, 540), QRectF(9480, 780, kNameWidth, 540), QPointF(8520, 240)};
}

void FormDomino::NewChain()
{
    setBackColor(Modulo1::PickRandomBackColor());
    // The lines stand on the background: their ink follows it.
    const std::uint32_t ink = Colours::inkOn(backColor());
    Line1.forEach([ink](platform::Line *line) { line->setBorderColor(ink); });
    Image1.forEach([](platform::Image *image) { image->setPicture(QString()); });
    Label1.forEach([](platform::Label *link) {
        link->setCaption(QString());
        link->setVisible(false);
    });
    Modulo1::PickRandomBlock();
    Modulo1::showCurrentBlock(Image1(0));
    ScegliAltroBlocco();
    Label1(0)->setVisible(true);
    Modulo1::showCurrentBlock(Image1(1));
    CurrentLink = 0;
    speakTask();
}

void FormDomino::ScegliAltroBlocco()
{
    ExpectedAnswer = static_cast<std::int16_t>(platform::drawIndex(ChainRules::kAnswers));
    m_variant.rule(Modulo1::CurrentBlock, ExpectedAnswer);
}

void FormDomino::Command1_Click(int index)
{
    if (index != ExpectedAnswer) {
        ShowWrongAnswer();
        return;
    }
    // The link shows the button's caption as it reads now, translated or not.
    Label1(CurrentLink)->setCaption(Command1(index)->caption());
    ShowRightAnswer();
    ++CurrentLink;
    if (CurrentLink < kLinks) {
        Label1(CurrentLink)->setVisible(true);
        ScegliAltroBlocco();
        Modulo1::showCurrentBlock(Image1(CurrentLink + 1));
        // The next link: once the chain is under way, a shorter question is enough.
        Voice::say(Voice::sentence(name() + QStringLiteral(".next"), {}, spokenTask()));
        return;
    }
    // The finished chain stays in sight for a cheer while the new one starts under it.
    celebrate(chainPlace(), true);
    NewChain();
}

QRectF FormDomino::chainPlace() const
{
    QRectF place;
    const auto take = [&place](platform::PositionedControl *c) {
        place |= QRectF(c->left(), c->top(), c->width(), c->height());
    };
    Image1.forEach(take);
    Label1.forEach(take);
    return place;
}

void FormDomino::Form_KeyPress(const QString &text)
{
    // Only a letter that names exactly one button presses it.
    platform::CommandButton *match = nullptr;
    int matches = 0;
    const QString typed = bareLetters(text);
    Command1.forEach([&](platform::CommandButton *b) {
        if (!typed.isEmpty() && bareLetters(b->caption()).compare(typed, Qt::CaseInsensitive) == 0) {
            match = b;
            ++matches;
        }
    });
    if (matches == 1)
        match->press();
}
