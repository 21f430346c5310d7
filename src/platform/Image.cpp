#include "platform/Image.h"

#include "platform/Pictures.h"
#include "platform/Widgets.h"

#include <QPointer>

namespace platform {

Image::Image(Form *form, const QString &name, int index, QWidget *parent) : PositionedControl(form, name, index)
{
    auto *w = new detail::PictureWidget(parent);
    // The widget outlives its control by a moment when a click unloads the window.
    w->onClick = [control = QPointer<Image>(this)] {
        if (control)
            control->emitClick();
    };
    setWidget(w);
}

void Image::setPicture(const QString &programPath)
{
    m_picture = programPath;
    if (m_widget)
        static_cast<detail::PictureWidget *>(m_widget.data())->setPixmap(loadPicture(programPath));
}

bool Image::hasPicture() const
{
    return m_widget && !static_cast<detail::PictureWidget *>(m_widget.data())->pixmap().isNull();
}

void Image::setMousePointer(const QString &programPath, int hotX, int hotY)
{
    const QPixmap pm = loadPicture(programPath);
    if (m_widget && !pm.isNull())
        m_widget->setCursor(QCursor(pm, hotX, hotY));
}

} // namespace platform
