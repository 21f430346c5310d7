#include "platform/Image.h"

#include "platform/Pictures.h"
#include "platform/Widgets.h"

namespace platform {

Image::Image(Form *form, const QString &name, int index, QWidget *parent) : PositionedControl(form, name, index)
{
    auto *w = new detail::PictureWidget(parent);
    setWidget(w);
    w->onClick = clickRelay();
}

detail::PictureWidget *Image::pictureWidget() const
{
    return static_cast<detail::PictureWidget *>(m_widget.data());
}

void Image::setPicture(const QString &programPath, const QString &description)
{
    m_picture = programPath;
    if (!m_widget)
        return;
    pictureWidget()->showPicture(programPath);
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
    return m_widget && pictureWidget()->hasPicture();
}

bool Image::showsPlaceholder() const
{
    return hasPicture() && pictureWidget()->picture().isNull();
}

bool Image::keepsProportions() const
{
    return m_widget && pictureWidget()->keepsProportions();
}

void Image::setKeepsProportions(bool keep)
{
    if (m_widget)
        pictureWidget()->setKeepsProportions(keep);
}

QString Image::description() const
{
    return m_widget ? m_widget->accessibleName() : QString();
}

} // namespace platform
