#include "shell/WindowSteps.h"

#include "language/modLanguageSupport.h"
#include "platform/System.h"
#include "shell/Modulo1.h"

namespace WindowSteps {

void layoutStep(platform::Form &form)
{
    Modulo1::FormResizer = std::make_unique<clsResize>();
    Modulo1::FormResizer->setSourceForm(&form);
    Modulo1::FormResizer->SizeFormToScreen(75);
}

void coverScreen(platform::Form &form)
{
    form.setTop(0);
    form.setLeft(0);
    form.setHeight(platform::screenHeightTwips());
    form.setWidth(platform::screenWidthTwips());
}

void resizeStep()
{
    if (Modulo1::FormResizer)
        Modulo1::FormResizer->ResizeControls();
}

void show(platform::Form &form)
{
    const modLanguageSupport::OneReading texts;
    form.Show();
}

} // namespace WindowSteps
