#include "shell/formMenu.h"

#include "language/modLanguageSupport.h"
#include "platform/System.h"
#include "shell/Colours.h"
#include "shell/Forms.h"
#include "shell/Messages.h"
#include "shell/Modulo1.h"
#include "shell/Voice.h"
#include "shell/WindowSteps.h"

formMenu::formMenu() : platform::Form(QStringLiteral("formMenu")) {}

void formMenu::createControls()
{
    setDesignSize(14400, 7875);
    // Large, brightly coloured buttons, three to a row, one per activity of the window list;
    // more than three rows share the same height.
    const QList<Forms::MenuButton> activities = Forms::menuButtons();
    const int rows = qMax(3, int(activities.size() + 2) / 3);
    const double pitch = 2280.0 * 3 / rows, height = 1980.0 * 3 / rows;
    m_activityButtons.clear();
    for (int i = 0; i < activities.size(); ++i) {
        const Forms::MenuButton &a = activities[i];
        auto *b = addButton(a.name, 480 + (i % 3) * 3600, 480 + (i / 3) * pitch, 3360, height, a.caption);
        b->setFont(QStringLiteral("Comic Sans MS"), 22, true);
        b->setBackColor(a.colour);
        // A picture of the activity over its name, for the child who cannot read it yet; the
        // name is also said when the child points at the button.
        if (!a.picture.isEmpty()) {
            b->setPictureAboveCaption(true);
            b->setPicture(platform::appPath(a.picture));
        }
        const QString window = a.window;
        connect(b, &platform::Control::Click, this, [this, window] { openActivity(window); });
        connect(b, &platform::Control::Pointed, this, [this, b] {
            if (isLoaded())
                Voice::say(b->caption());
        });
        m_activityButtons.append(b);
    }
    Command5 = addButton(QStringLiteral("Command5"), 11520, 5040, 2400, 1500, QStringLiteral("FINE"));
    Command5->setFont(QStringLiteral("Comic Sans MS"), 24, true);
    Command5->setBackColor(Colours::kLightRed);
    Check1 = addCheckBox(QStringLiteral("Check1"), 11520, 600, 2640, 1200, QStringLiteral("Suoni attivati"));
    Check1->setFont(QStringLiteral("Arial"), 18, true);
    Check2 = addCheckBox(QStringLiteral("Check2"), 11520, 1920, 2640, 1200, QStringLiteral("Voce attivata"));
    Check2->setFont(QStringLiteral("Arial"), 18, true);

    mnuLanguages = addMenu(QStringLiteral("mnuLanguages"), QStringLiteral("Lingua"));
    addMenu(QStringLiteral("mnuLanguage"), QString(), mnuLanguages, 0);

    connect(Command5, &platform::Control::Click, this, [] { Messages::ConfirmExit(); });
    connect(Check1, &platform::Control::Click, this, [this] { Check1_Click(); });
    connect(Check2, &platform::Control::Click, this, [this] { Check2_Click(); });
}

void formMenu::MLSFillMenuLanguages()
{
    modLanguageSupport::MLSFillMenuLanguages(*this);
    for (platform::Control *entry : controlArray(QStringLiteral("mnuLanguage")))
        connect(entry, &platform::Control::Click, this, &formMenu::mnuLanguage_Click, Qt::UniqueConnection);
}

QList<platform::CommandButton *> formMenu::activityButtons() const
{
    QList<platform::CommandButton *> buttons;
    for (const auto &b : m_activityButtons)
        buttons.append(b);
    return buttons;
}

platform::CommandButton *formMenu::buttonFor(const QString &windowName) const
{
    const QList<Forms::MenuButton> activities = Forms::menuButtons();
    for (int i = 0; i < activities.size() && i < m_activityButtons.size(); ++i)
        if (activities[i].window == windowName)
            return m_activityButtons[i];
    return nullptr;
}

void formMenu::Form_Load()
{
    MLSFillMenuLanguages();
    // The voice of the language gets ready while the child looks at the menu (not while the
    // splash is being drawn), before anything is said.
    Voice::useCurrentLanguage();
    modLanguageSupport::TranslateForm(*this);
    WindowSteps::layoutStep(*this);
    const quint32 colour = Modulo1::PickRandomBackColor();
    setBackColor(colour);
    Check1->setBackColor(colour);
    Check1->setValue(Modulo1::SoundEnabled ? 1 : 0);
    Check2->setBackColor(colour);
    Check2->setValue(Modulo1::SpeechEnabled ? 1 : 0);
}

void formMenu::Form_Activate()
{
    WindowSteps::coverScreen(*this);
}

void formMenu::Form_Resize()
{
    WindowSteps::resizeStep();
}

void formMenu::Form_CloseRequest()
{
    Messages::ConfirmExit();
}

void formMenu::mnuLanguage_Click(int index)
{
    modLanguageSupport::languageMenuClick(*this, index);
    // From now on the new language's voice; what the old one was saying is over.
    Voice::stop();
    Voice::useCurrentLanguage();
}

void formMenu::Check1_Click()
{
    Modulo1::SoundEnabled = Check1->value() == 1;
    if (!Modulo1::SoundEnabled)
        Voice::stop();
}

void formMenu::Check2_Click()
{
    Modulo1::SpeechEnabled = Check2->value() == 1;
    if (!Modulo1::SpeechEnabled)
        Voice::stop();
    Voice::writeSetting(Modulo1::SpeechEnabled);
}

void formMenu::openActivity(const QString &windowName)
{
    if (!isLoaded())
        return; // a second click that arrived before the activity took over
    platform::Form *target = windowName.isEmpty() ? nullptr : Forms::get(windowName);
    if (!target)
        return; // an activity this build does not have yet
    // The activity takes over the menu's window, and has its own things to say.
    Unload();
    Voice::stop();
    WindowSteps::show(*target);
}
