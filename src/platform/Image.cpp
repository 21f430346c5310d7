#include "platform/Image.h"

#include "platform/Pictures.h"
#include "platform/Widgets.h"

namespace platform {

namespace {
detail::PictureWidget *widgetOf(const QPointer<QWidget> &w)
{
    return static_cast<detail::PictureWidget *>(w.data());
}
} // namespace

Image::Image(Form *form, const QString &name, int index, QWidget *parent) : PositionedControl(form, name, index)
{
    auto *w = new detail::PictureWidget(parent);
    setWidget(w);
    w->onClick = clickRelay();
    // Grown past what its picture was decoded for (the window going full screen), the picture
    // is decoded again at the size now needed.
    w->onResize = [self = QPointer<Image>(this)] {
        if (self && self->needsSharperPicture())
            self->pictureWidget()->setPixmap(pictureOrPlaceholder(self->m_picture, self->shownSide()));
    };
}

detail::PictureWidget *Image::pictureWidget() const
{
    return static_cast<detail::PictureWidget *>(m_widget.data());
}

int Image::shownSide() const
{
    return m_widget ? qMax(m_widget->width(), m_widget->height()) : 0;
}

bool Image::needsSharperPicture() const
{
    if (!m_widget || m_picture.isEmpty() || showsPlaceholder())
        return false;
    const QPixmap &pm = pictureWidget()->pixmap();
    return !pm.isNull() && qMax(pm.width(), pm.height()) < shownSide();
}

void Image::setPicture(const QString &programPath, const QString &description)
{
    m_picture = programPath;
    if (!m_widget)
        return;
    widgetOf(m_widget)->setPixmap(pictureOrPlaceholder(programPath, shownSide()));
    m_widget->setAccessibleName(programPath.isEmpty() ? QString() : description);
}

void Image::handPictureTo(Image *other)
{
    if (!other || other == this || !m_widget || !other->m_widget)
        return;
    other->m_picture = m_picture;
    widgetOf(other->m_widget)->setPixmap(widgetOf(m_widget)->pixmap());
    other->m_widget->setAccessibleName(m_widget->accessibleName());
    if (other->needsSharperPicture())
        other->pictureWidget()->setPixmap(pictureOrPlaceholder(other->m_picture, other->shownSide()));
    setPicture(QString());
}

bool Image::hasPicture() const
{
    return m_widget && !widgetOf(m_widget)->pixmap().isNull();
}

bool Image::showsPlaceholder() const
{
    return m_widget && widgetOf(m_widget)->pixmap().cacheKey() == placeholderPicture().cacheKey();
}

bool Image::keepsProportions() const
{
    return m_widget && widgetOf(m_widget)->keepsProportions();
}

void Image::setKeepsProportions(bool keep)
{
    if (m_widget)
        widgetOf(m_widget)->setKeepsProportions(keep);
}

QString Image::description() const
{
    return m_widget ? m_widget->accessibleName() : QString();
}

} // namespace platform
