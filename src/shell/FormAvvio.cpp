#include "shell/FormAvvio.h"

#include "language/modLanguageSupport.h"
#include "platform/System.h"
#include "shell/Colours.h"
#include "shell/Forms.h"
#include "shell/Modulo1.h"
#include "shell/Voice.h"
#include "shell/WindowSteps.h"

using platform::Image;

FormAvvio::FormAvvio() : platform::Form(QStringLiteral("FormAvvio"))
{
    setDesignCaption(QStringLiteral("Form1"));
}

void FormAvvio::createControls()
{
    setDesignSize(14400, 8100);
    Label1 = addLabel(QStringLiteral("Label1"), 1200, 600, 12000, 2100, QStringLiteral("Zorvelli"));
    Label1->setFont(QStringLiteral("Comic Sans MS"), 66, true);
    Label1->setAlignment(platform::Label::Align::Center, true);
    Label2 = addLabel(QStringLiteral("Label2"), 9600, 7140, 4440, 600, QStringLiteral("08 novembre 2003"));
    Label2->setFont(QStringLiteral("Comic Sans MS"), 14, false);
    Label2->setAlignment(platform::Label::Align::Right, true);
    Image1 = addImage(QStringLiteral("Image1"), 1500, 3000, 3600, 3600);
    Image2 = addImage(QStringLiteral("Image2"), 5400, 3000, 3600, 3600);
    Image3 = addImage(QStringLiteral("Image3"), 9300, 3000, 3600, 3600);

    for (platform::Control *c : {static_cast<platform::Control *>(Label1.data()), static_cast<platform::Control *>(Image1.data()),
                                 static_cast<platform::Control *>(Image2.data()), static_cast<platform::Control *>(Image3.data())})
        connect(c, &platform::Control::Click, this, [this] { openMenu(); });
    // The date reacts to nothing: a click there is swallowed.
}

void FormAvvio::Form_Load()
{
    modLanguageSupport::CurrentLanguageName = modLanguageSupport::readCurrentLanguageSetting();
    // The speech switch is remembered with the language.
    Modulo1::SpeechEnabled = Voice::readSetting();
    modLanguageSupport::TranslateForm(*this);
    WindowSteps::layoutStep(*this);
    const std::uint32_t back = Modulo1::PickRandomBackColor();
    setBackColor(back);
    // The name keeps its blue wherever a title that large reads well (3:1), and turns
    // near-black or white on the few backgrounds where it would not; the small date always
    // takes whichever of those two reads best.
    const bool blueReads =
        platform::contrastRatio(platform::toQColor(Colours::kTitleInk), platform::toQColor(back)) >= 3;
    Label1->setForeColor(blueReads ? Colours::kTitleInk : Colours::inkOn(back));
    Label2->setForeColor(Colours::inkOn(back));
    for (Image *image : {Image1.data(), Image2.data(), Image3.data()}) {
        Modulo1::PickRandomBlock();
        Modulo1::showCurrentBlock(image);
    }
}

void FormAvvio::Form_Activate()
{
    WindowSteps::coverScreen(*this);
}

void FormAvvio::Form_Resize()
{
    WindowSteps::resizeStep();
}

void FormAvvio::Form_CloseRequest()
{
    // Closing the splash leaves nothing to go on with.
    Unload();
    platform::endProgram();
}

void FormAvvio::openMenu()
{
    if (!isLoaded())
        return; // a second click that arrived before the menu took over
    // The menu takes over the splash's window.
    Unload();
    if (platform::Form *menu = Forms::get(QStringLiteral("formMenu")))
        WindowSteps::show(*menu);
}
