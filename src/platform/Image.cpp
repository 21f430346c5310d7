#include "platform/Image.h"

#include "platform/Pictures.h"
#include "platform/Widgets.h"

namespace platform {

Image::Image(Form *form, const QString &name, int index, QWidget *parent) : PositionedControl(form, name, index)
{
    setWidget(new detail::PictureWidget(parent));
}

void Image::setPicture(const QString &programPath, const QString &description)
{
    m_picture = programPath;
    if (!m_widget)
        return;
    widgetAs<detail::PictureWidget>()->showPicture(programPath);
    m_widget->setAccessibleName(programPath.isEmpty() ? QString() : description);
}

void Image::handPictureTo(Image *other)
{
    if (!other || other == this || !m_widget || !other->m_widget)
        return;
    other->setPicture(m_picture, description());
    setPicture(QString());
}

bool Image::hasPicture() const
{
    return m_widget && widgetAs<detail::PictureWidget>()->hasPicture();
}

bool Image::showsPlaceholder() const
{
    return hasPicture() && widgetAs<detail::PictureWidget>()->picture().isNull();
}

bool Image::keepsProportions() const
{
    return m_widget && widgetAs<detail::PictureWidget>()->keepsProportions();
}

void Image::setKeepsProportions(bool keep)
{
    if (m_widget)
        widgetAs<detail::PictureWidget>()->setKeepsProportions(keep);
}

} // namespace platform
