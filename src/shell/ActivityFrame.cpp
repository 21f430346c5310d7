#include "shell/ActivityFrame.h"

#include "language/modLanguageSupport.h"
#include "platform/MessageBox.h"
#include "platform/System.h"
#include "shell/Colours.h"
#include "shell/Forms.h"
#include "shell/Messages.h"
#include "shell/Modulo1.h"
#include "shell/Voice.h"
#include "shell/WindowSteps.h"

using modLanguageSupport::GetString;

ActivityFrame::ActivityFrame(const QString &name, const ActivitySettings &settings)
    : platform::Form(name), m_settings(settings)
{
}

void ActivityFrame::createControls()
{
    createWindowControls();
    createFrameControls(framePlacement());
    createFrameMenus();
    createWindowMenus();
}

void ActivityFrame::makeCard(platform::Label *label, const QString &font, double points)
{
    label->setFont(font, points, true);
    label->setAlignment(platform::Label::Align::Center, true);
    label->setRounded(true);
    label->setBackColor(Colours::kWhite);
}

platform::CommandButton *ActivityFrame::addNextButton(double left, double top, double width, double height,
                                                     double points)
{
    bottoneavanti = addButton(QStringLiteral("bottoneavanti"), left, top, width, height, QStringLiteral("avanti"));
    bottoneavanti->setFont(QStringLiteral("Comic Sans MS"), points, true);
    // Bright while it leads on, plainly grey while it rests.
    bottoneavanti->setBackColor(Colours::kAvanti);
    bottoneavanti->setPicture(platform::appPath(QStringLiteral("img\\freccia.png")));
    bottoneavanti->setMousePointer(platform::appPath(QStringLiteral("img\\manina.png")), 10, 1);
    bottoneavanti->setEnabled(false);
    return bottoneavanti;
}

platform::CommandButton *ActivityFrame::addSpeakerButton(double left, double top, double width, double height)
{
    bottoneascolta = addButton(QStringLiteral("bottoneascolta"), left, top, width, height);
    bottoneascolta->setBackColor(Colours::kWhite);
    bottoneascolta->setPictureAboveCaption(true);
    bottoneascolta->setPicture(platform::appPath(QStringLiteral("img\\altoparlante.png")));
    bottoneascolta->setMousePointer(platform::appPath(QStringLiteral("img\\manina.png")), 10, 1);
    connect(bottoneascolta, &platform::Control::Click, this, [this] { speakTask(); });
    return bottoneascolta;
}

void ActivityFrame::sayWhenPointed(platform::Control *control, std::function<QString()> word)
{
    if (!control)
        return;
    connect(control, &platform::Control::Pointed, this, [this, c = QPointer<platform::Control>(control), word] {
        if (!c || !isLoaded())
            return;
        QString text = word ? word() : Voice::plain(c->propertyByName("Caption").value_or(QVariant()).toString());
        if (text.trimmed().isEmpty())
            text = c->accessibleName();
        Voice::say(text);
    });
}

void ActivityFrame::speakTask()
{
    if (isLoaded())
        Voice::say(spokenTask());
}

void ActivityFrame::refreshSpeaker()
{
    if (bottoneascolta)
        bottoneascolta->setVisible(Voice::canSpeak());
}

void ActivityFrame::createFrameControls(const FramePlacement &p)
{
    etEsatti = addLabel(QStringLiteral("etEsatti"), p.rightCount.x(), p.rightCount.y(), p.rightCount.width(),
                        p.rightCount.height(), QStringLiteral("esatti"));
    etErrati = addLabel(QStringLiteral("etErrati"), p.wrongCount.x(), p.wrongCount.y(), p.wrongCount.width(),
                        p.wrongCount.height(), QStringLiteral("errati"));
    // Dark green and dark red on a white card: readable on every background, and the colour
    // still tells right from wrong.
    for (platform::Label *l : {etEsatti.data(), etErrati.data()})
        makeCard(l, QStringLiteral("Arial"), 20.25);
    etEsatti->setForeColor(Colours::kRightCountInk);
    etErrati->setForeColor(Colours::kWrongCountInk);

    ComandoIconaSi = addImage(QStringLiteral("ComandoIconaSi"), p.faces.x(), p.faces.y(), kFaceWidth, kFaceHeight);
    ComandoIconaNo = addImage(QStringLiteral("ComandoIconaNo"), p.faces.x(), p.faces.y(), kFaceWidth, kFaceHeight);
    ComandoIconaSi->setPicture(platform::appPath(QStringLiteral("img\\faccia_si.png")));
    ComandoIconaNo->setPicture(platform::appPath(QStringLiteral("img\\faccia_no.png")));
    ComandoIconaSi->setVisible(false);
    ComandoIconaNo->setVisible(false);

    celebration = addCelebration(QStringLiteral("celebration"));
}

void ActivityFrame::celebrate(const QRectF &place, bool keepInSight)
{
    celebration->start(place, keepInSight);
    Modulo1::PlayCelebrationSound();
}

void ActivityFrame::choose(platform::CommandButton *button)
{
    button->setBackColor(Colours::kRed);
    button->setMarked(true);
}

void ActivityFrame::unchoose(platform::CommandButton *button)
{
    button->setMarked(false);
    button->setBackColor(Colours::kLightGrey);
}

void ActivityFrame::createFrameMenus()
{
    resetMenu = addMenu(m_settings.resetMenuName, m_settings.resetMenuCaption);
    aboutMenu = addMenu(m_settings.aboutMenuName, m_settings.aboutMenuCaption);
    leaveMenu = addMenu(m_settings.leaveMenuName, m_settings.leaveMenuCaption);
    connect(resetMenu, &platform::Control::Click, this, [this] { ResetCounters(); });
    connect(aboutMenu, &platform::Control::Click, this, [] { Messages::ShowAboutBox(); });
    connect(leaveMenu, &platform::Control::Click, this, [this] { LeaveActivity(); });
}

void ActivityFrame::Form_Load()
{
    const modLanguageSupport::OneReading texts; // the window's texts and first question
    modLanguageSupport::TranslateForm(*this);
    if (bottoneascolta) {
        const QString listen = Voice::listenName();
        bottoneascolta->setAccessibleName(listen);
        bottoneascolta->setToolTipText(listen);
        refreshSpeaker();
    }
    WindowSteps::layoutStep(*this);
    if (m_settings.frameSetsBackColour)
        setBackColor(Modulo1::PickRandomBackColor());
    if (m_settings.resetCountersAt == ActivitySettings::When::AtLoad) {
        Modulo1::RightCount = 0;
        Modulo1::WrongCount = 0;
    }
    if (m_settings.firstQuestionAt == ActivitySettings::When::AtLoad)
        firstQuestion();
}

void ActivityFrame::Form_Activate()
{
    const modLanguageSupport::OneReading texts;
    WindowSteps::coverScreen(*this);
    if (m_settings.resetCountersAt == ActivitySettings::When::AtActivation) {
        Modulo1::RightCount = 0;
        Modulo1::WrongCount = 0;
    }
    if (m_settings.firstQuestionAt == ActivitySettings::When::AtActivation)
        firstQuestion();
}

void ActivityFrame::Form_Resize()
{
    WindowSteps::resizeStep();
}

namespace {
// A counter's caption: the language file's word, a space, the count.
QString countCaption(const char *id, std::int16_t count)
{
    return GetString(QLatin1String(id)) + u' ' + QString::number(count);
}
} // namespace

void ActivityFrame::showRightCount()
{
    etEsatti->setCaption(countCaption("0011", Modulo1::RightCount));
}

void ActivityFrame::showWrongCount()
{
    etErrati->setCaption(countCaption("0012", Modulo1::WrongCount));
}

void ActivityFrame::ShowRightAnswer()
{
    celebration->stop(); // a new answer: the game has gone on
    Modulo1::addToCount(Modulo1::RightCount, 1);
    ComandoIconaSi->setVisible(true);
    ComandoIconaNo->setVisible(false);
    showRightCount();
    Modulo1::PlayRightSound();
}

void ActivityFrame::ShowWrongAnswer()
{
    celebration->stop();
    Modulo1::addToCount(Modulo1::WrongCount, 1);
    ComandoIconaNo->setVisible(true);
    ComandoIconaSi->setVisible(false);
    showWrongCount();
    Modulo1::PlayWrongSound();
}

void ActivityFrame::ResetCounters()
{
    Modulo1::RightCount = 0;
    Modulo1::WrongCount = 0;
    showRightCount();
    showWrongCount();
}

void ActivityFrame::LeaveActivity()
{
    if (!isLoaded())
        return;
    const auto answer = platform::msgBox(GetString(QStringLiteral("0017")), platform::MsgButtons::YesNo,
                                         platform::MsgIcon::Question, QStringLiteral("Zorvelli"));
    if (answer != platform::MsgResult::Yes || !isLoaded())
        return;
    // The menu takes over the activity's window; nothing of this window is said any more.
    Unload();
    Voice::stop();
    if (platform::Form *menu = Forms::get(QStringLiteral("formMenu")))
        WindowSteps::show(*menu);
}
