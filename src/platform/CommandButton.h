#pragma once

#include "platform/Control.h"

#include <QIcon>

namespace platform {

// A push button that shows its background colour and, optionally, a picture beside its caption.
class CommandButton : public PositionedControl
{
    Q_OBJECT
    Q_PROPERTY(QString Caption READ caption WRITE setCaption)
    Q_PROPERTY(QString ToolTipText READ toolTipText WRITE setToolTipText)
    Q_PROPERTY(uint BackColor READ backColor WRITE setBackColor)
    Q_PROPERTY(QString Picture READ picture WRITE setPicture)

public:
    CommandButton(Form *form, const QString &name, int index, QWidget *parent);

    bool isWindowed() const override { return true; }
    QString caption() const;
    void setCaption(const QString &caption);
    uint backColor() const { return m_backColor; }
    void setBackColor(uint bbggrr);
    QString picture() const { return m_picture; }
    void setPicture(const QString &programPath);
    // The picture stands above the caption, as large as the button leaves room for, instead of
    // small beside it (a menu button, a speaker button without a caption).
    void setPictureAboveCaption(bool above);
    // Where the caption is drawn, in the button's pixels.
    QRect captionArea() const;
    // Pressed as by the child (a key that stands for it, say): clicks only when enabled.
    void press();
    // The answer the child gave: the button keeps its colour and readable caption while it
    // rests, inside a rim that shows on every background.
    bool marked() const { return m_marked; }
    void setMarked(bool marked);

private:
    static QIcon iconOf(const QString &programPath);

    uint m_backColor = 0xE0E0E0;
    QString m_picture;
    bool m_marked = false;
    bool m_pictureAbove = false;
};

} // namespace platform
