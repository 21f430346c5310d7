#include "shell/formMenu.h"

#include "language/modLanguageSupport.h"
#include "platform/System.h"
#include "shell/Forms.h"
#include "shell/Messages.h"
#include "shell/Modulo1.h"
#include "shell/WindowSteps.h"

formMenu::formMenu() : platform::Form(QStringLiteral("formMenu")) {}

void formMenu::createControls()
{
    setDesignSize(14400, 7875);
    struct Design
    {
        QPointer<platform::CommandButton> *field;
        const char *name;
        const char *caption;
        quint32 colour;
    };
    // Three rows of three large, brightly coloured buttons.
    const Design buttons[] = {
        {&Command1, "Command1", "uguale - diverso", 0xB0D8FF}, {&Command2, "Command2", "insiemi", 0xB0FFC8},
        {&Command3, "Command3", "quanti sono ?", 0xFFD8B0},    {&Command4, "Command4", "le strade 1", 0xC0F0F0},
        {&Command7, "Command7", "tabella", 0xF0C8F0},          {&Command9, "Command9", "le strade 2", 0xC0F8FF},
        {&Command8, "Command8", "trova il blocco", 0xD0FFD0},  {&Command10, "Command10", "Cosa cambia?", 0xFFE0C8},
        {&Command11, "Command11", "Cosa resta uguale?", 0xE8D0FF}};
    for (int i = 0; i < 9; ++i) {
        const int row = i / 3, column = i % 3;
        auto *b = addButton(QLatin1String(buttons[i].name), 480 + column * 3600, 480 + row * 2280, 3360, 1980,
                            QString::fromUtf8(buttons[i].caption));
        b->setFont(QStringLiteral("Comic Sans MS"), 22, true);
        b->setBackColor(buttons[i].colour);
        *buttons[i].field = b;
    }
    Command5 = addButton(QStringLiteral("Command5"), 11520, 5040, 2400, 1500, QStringLiteral("FINE"));
    Command5->setFont(QStringLiteral("Comic Sans MS"), 24, true);
    Command5->setBackColor(0x9090FF);
    Check1 = addCheckBox(QStringLiteral("Check1"), 11520, 600, 2640, 1200, QStringLiteral("Suoni attivati"));
    Check1->setFont(QStringLiteral("Arial"), 18, true);

    mnuLanguages = addMenu(QStringLiteral("mnuLanguages"), QStringLiteral("Lingua"));
    addMenu(QStringLiteral("mnuLanguage"), QString(), mnuLanguages, 0);

    for (platform::CommandButton *b : activityButtons()) {
        const QString button = b->name();
        connect(b, &platform::Control::Click, this, [this, button] { openActivity(Forms::windowOpenedBy(button)); });
    }
    connect(Command5, &platform::Control::Click, this, [] { Messages::ConfirmExit(); });
    connect(Check1, &platform::Control::Click, this, [this] { Check1_Click(); });
}

void formMenu::MLSFillMenuLanguages()
{
    modLanguageSupport::MLSFillMenuLanguages(*this);
    for (platform::Control *entry : controlArray(QStringLiteral("mnuLanguage")))
        connect(entry, &platform::Control::Click, this, &formMenu::mnuLanguage_Click, Qt::UniqueConnection);
}

QList<platform::CommandButton *> formMenu::activityButtons() const
{
    return {Command1, Command2, Command3, Command4, Command7, Command9, Command8, Command10, Command11};
}

void formMenu::Form_Load()
{
    MLSFillMenuLanguages();
    modLanguageSupport::TranslateForm(*this);
    WindowSteps::layoutStep(*this);
    const quint32 colour = Modulo1::PickRandomBackColor();
    setBackColor(colour);
    Check1->setBackColor(colour);
    Check1->setValue(Modulo1::SoundEnabled ? 1 : 0);
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
}

void formMenu::Check1_Click()
{
    Modulo1::SoundEnabled = Check1->value() == 1;
}

void formMenu::openActivity(const QString &windowName)
{
    if (!isLoaded())
        return; // a second click that arrived before the activity took over
    platform::Form *target = windowName.isEmpty() ? nullptr : Forms::get(windowName);
    if (!target)
        return; // an activity this build does not have yet
    // The activity takes over the menu's window.
    Unload();
    WindowSteps::show(*target);
}
