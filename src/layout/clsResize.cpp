#include "layout/clsResize.h"

#include "platform/Control.h"
#include "platform/Form.h"
#include "platform/Line.h"
#include "platform/System.h"

#include <cmath>

namespace {

// Values are kept as whole twips, halves rounding to the even neighbour.
std::int32_t roundEven(double v)
{
    return static_cast<std::int32_t>(std::nearbyint(v));
}

std::int32_t readValue(const platform::Control &c, const char *name)
{
    const auto v = c.propertyByName(name);
    if (!v)
        return 0;
    bool ok = false;
    const double d = v->toDouble(&ok);
    return ok ? roundEven(d) : 0;
}

} // namespace

clsResize::~clsResize()
{
    m_layouts.clear();
    m_form = nullptr;
}

clsResize::Selection clsResize::scalingTag(const QString &tag)
{
    const QString t = tag.toUpper();
    if (t.isEmpty() || !t.startsWith(u'@'))
        return {};
    return {t.contains(u'L'), t.contains(u'T'), t.contains(u'W'), t.contains(u'H')};
}

void clsResize::CaptureLayout()
{
    if (!m_form)
        return;
    m_capturedWidth = roundEven(m_form->scaleWidth());
    m_capturedHeight = roundEven(m_form->scaleHeight());
    m_layouts.clear();
    const QList<platform::Control *> controls = m_form->controls();
    m_layouts.reserve(controls.size());
    for (platform::Control *c : controls) {
        ControlLayout l;
        l.control = c;
        if (qobject_cast<platform::Line *>(c)) {
            l.Left = readValue(*c, "X1");
            l.Top = readValue(*c, "Y1");
            l.Width = readValue(*c, "X2");
            l.Height = readValue(*c, "Y2");
        } else {
            l.Left = readValue(*c, "Left");
            l.Top = readValue(*c, "Top");
            l.Width = readValue(*c, "Width");
            l.Height = readValue(*c, "Height");
        }
        m_layouts.append(l);
    }
    m_needsCapture = false;
}

void clsResize::SizeFormToScreen(std::uint8_t Percent)
{
    if (!m_form)
        return;
    if (m_needsCapture)
        CaptureLayout();
    const double fraction = Percent / 100.0;
    const double screenH = platform::screenHeightTwips();
    const double screenW = platform::screenWidthTwips();
    const double newH = std::floor(fraction * screenH);
    const double newW = std::floor(fraction * screenW);
    m_form->setTop((screenH - newH) / 2);
    m_form->setLeft((screenW - newW) / 2);
    m_form->setHeight(newH);
    m_form->setWidth(newW);
    ResizeControls();
}

void clsResize::ResizeControls()
{
    if (!m_form || m_form->controls().isEmpty() || m_form->windowState() == platform::Form::Minimized)
        return;
    if (m_needsCapture) {
        CaptureLayout();
        return;
    }
    if (m_capturedWidth == 0 || m_capturedHeight == 0)
        return; // a window captured without a client area has nothing to scale from
    m_form->freezeDrawing(true);
    const double heightRatio = m_form->scaleHeight() / m_capturedHeight;
    const double widthRatio = m_form->scaleWidth() / m_capturedWidth;
    for (const ControlLayout &l : std::as_const(m_layouts)) {
        platform::Control *c = l.control;
        if (!c)
            continue;
        const Selection s = scalingTag(c->tag());
        const bool isLine = qobject_cast<platform::Line *>(c) != nullptr;
        // A property the control lacks is simply skipped.
        if (s.left)
            c->setPropertyByName(isLine ? "X1" : "Left", l.Left * widthRatio);
        if (s.top)
            c->setPropertyByName(isLine ? "Y1" : "Top", l.Top * heightRatio);
        if (s.width)
            c->setPropertyByName(isLine ? "X2" : "Width", l.Width * widthRatio);
        if (s.height)
            c->setPropertyByName(isLine ? "Y2" : "Height", l.Height * heightRatio);
    }
    m_form->freezeDrawing(false);
}
