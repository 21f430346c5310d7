#include "shell/ActivityFrame.h"

#include "language/modLanguageSupport.h"
#include "platform/MessageBox.h"
#include "platform/System.h"
#include "shell/Colours.h"
#include "shell/Forms.h"
#include "shell/Messages.h"
#include "shell/Modulo1.h"
#include "shell/WindowSteps.h"

using modLanguageSupport::GetString;

namespace {

struct Row
{
    const char *window;
    const char *reset, *about, *leave;
    const char *resetCaption, *aboutCaption;
    bool backColour;
    ActivitySettings::When resetAt, startAt;
};

// One row per activity window: its menu names and captions, whether the frame paints its
// background at load, and when the counters reset and the first question comes.
const Row *findRow(const QString &windowName)
{
    using W = ActivitySettings::When;
    static const Row rows[] = {
        {"form1", "mnu1", "mnu3", "mnuEsci", "Azzera conteggio", "Informazioni", true, W::AtActivation, W::AtActivation},
        {"FORM2", "mnu1", "mnu3", "mnuFine", "Azzera conteggio", "Informazioni", true, W::AtActivation, W::AtActivation},
        {"pagl3", "mnu1", "mnu3", "mnuEsci", "Azzera conteggio", "Informazioni", true, W::AtActivation, W::AtActivation},
        {"pagl7", "mnu1", "mnu3", "mnuFine", "Azzera conteggio", "Informazioni", false, W::AtLoad, W::AtLoad},
        {"pagl9", "mnu1", "mnu3", "mnuEsci", "Azzera conteggio", "Informazioni", false, W::AtLoad, W::AtLoad},
        {"pagl8", "mnu1", "mnu3", "mnuEsci", "Azzera conteggio", "Informazioni", false, W::AtLoad, W::AtLoad},
        {"FormTrova", "MenuAzzera", "MenuInformazioni", "mnuEsci", "Azzera conteggio   ", "Informazioni         ", true,
         W::AtLoad, W::AtLoad},
        {"FormDomino", "MenuAzzera", "MenuInformazioni", "mnuEsci", "Azzera conteggio        ",
         "Informazioni          ", true, W::AtLoad, W::AtLoad},
        {"FormDomino2", "MenuAzzera", "MenuInformazioni", "mnuEsci", "Azzera conteggio        ",
         "Informazioni          ", true, W::AtLoad, W::AtLoad},
    };
    for (const Row &r : rows)
        if (windowName == QLatin1String(r.window))
            return &r;
    return nullptr;
}

} // namespace

bool ActivitySettings::exists(const QString &windowName)
{
    return findRow(windowName) != nullptr;
}

ActivitySettings ActivitySettings::forWindow(const QString &windowName)
{
    const Row *r = findRow(windowName);
    if (!r)
        qFatal("No frame settings for the window \"%s\"", qPrintable(windowName));
    ActivitySettings s;
    s.resetMenuName = QLatin1String(r->reset);
    s.aboutMenuName = QLatin1String(r->about);
    s.leaveMenuName = QLatin1String(r->leave);
    s.resetMenuCaption = QLatin1String(r->resetCaption);
    s.aboutMenuCaption = QLatin1String(r->aboutCaption);
    s.frameSetsBackColour = r->backColour;
    s.resetCountersAt = r->resetAt;
    s.firstQuestionAt = r->startAt;
    return s;
}

ActivityFrame::ActivityFrame(const QString &name) : platform::Form(name), m_settings(ActivitySettings::forWindow(name))
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

void ActivityFrame::ShowRightAnswer()
{
    Modulo1::addToCount(Modulo1::RightCount, 1);
    ComandoIconaSi->setVisible(true);
    ComandoIconaNo->setVisible(false);
    etEsatti->setCaption(GetString(QStringLiteral("0011")) + u' ' + QString::number(Modulo1::RightCount));
    Modulo1::PlayRightSound();
}

void ActivityFrame::ShowWrongAnswer()
{
    Modulo1::addToCount(Modulo1::WrongCount, 1);
    ComandoIconaNo->setVisible(true);
    ComandoIconaSi->setVisible(false);
    etErrati->setCaption(GetString(QStringLiteral("0012")) + u' ' + QString::number(Modulo1::WrongCount));
    Modulo1::PlayWrongSound();
}

void ActivityFrame::ResetCounters()
{
    etEsatti->setCaption(GetString(QStringLiteral("0011")) + QStringLiteral(" 0"));
    etErrati->setCaption(GetString(QStringLiteral("0012")) + QStringLiteral(" 0"));
    Modulo1::RightCount = 0;
    Modulo1::WrongCount = 0;
}

void ActivityFrame::LeaveActivity()
{
    if (!isLoaded())
        return;
    const auto answer = platform::msgBox(GetString(QStringLiteral("0017")), platform::MsgButtons::YesNo,
                                         platform::MsgIcon::Question, QStringLiteral("Zorvelli"));
    if (answer != platform::MsgResult::Yes || !isLoaded())
        return;
    // The menu takes over the activity's window.
    Unload();
    if (platform::Form *menu = Forms::get(QStringLiteral("formMenu")))
        WindowSteps::show(*menu);
}
