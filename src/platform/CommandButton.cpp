#include "platform/CommandButton.h"

#include "platform/Pictures.h"
#include "platform/Units.h"
#include "platform/Widgets.h"

#include <QCoreApplication>
#include <QHash>

namespace platform {

CommandButton::CommandButton(Form *form, const QString &name, int index, QWidget *parent)
    : PositionedControl(form, name, index)
{
    setWidget(new detail::ButtonWidget(parent));
    setBackColor(m_backColor);
}

QString CommandButton::caption() const
{
    return m_widget ? widgetAs<QPushButton>()->text() : QString();
}

void CommandButton::setCaption(const QString &caption)
{
    if (m_widget)
        widgetAs<QPushButton>()->setText(caption);
}

void CommandButton::setBackColor(uint bbggrr)
{
    m_backColor = bbggrr;
    if (m_widget)
        widgetAs<detail::ButtonWidget>()->setBackground(toQColor(bbggrr));
}

void CommandButton::setPicture(const QString &programPath)
{
    m_picture = programPath;
    auto *b = widgetAs<detail::ButtonWidget>();
    if (b && m_pictureAbove)
        b->setPictureAbove(programPath);
    else if (b)
        b->setIcon(iconOf(programPath));
}

QIcon CommandButton::iconOf(const QString &programPath)
{
    // One icon per picture for the whole run: the sizes an icon is drawn at are kept in Qt's
    // pixmap cache under the icon's key, so a new icon for every window opened would fill that
    // cache with copies no button shows any more.
    static QHash<QString, QIcon> icons;
    if (programPath.isEmpty())
        return {};
    if (icons.isEmpty()) // they go with the application, before the pictures' own data
        qAddPostRoutine([] { icons.clear(); });
    auto it = icons.constFind(programPath);
    if (it == icons.cend()) {
        const QPixmap pm = pictureOrPlaceholder(programPath);
        it = icons.insert(programPath, pm.isNull() ? QIcon() : QIcon(pm));
    }
    return *it;
}

void CommandButton::setMarked(bool marked)
{
    m_marked = marked;
    if (m_widget)
        widgetAs<detail::ButtonWidget>()->setMarked(marked);
}

void CommandButton::setPictureAboveCaption(bool above)
{
    if (above == m_pictureAbove)
        return;
    const QString picture = m_picture;
    setPicture(QString());
    m_pictureAbove = above;
    setPicture(picture);
}

QRect CommandButton::captionArea() const
{
    return m_widget ? widgetAs<detail::ButtonWidget>()->captionRect() : QRect();
}

void CommandButton::press()
{
    if (m_widget)
        widgetAs<QPushButton>()->click();
}

} // namespace platform
