#pragma once

#include "platform/Control.h"

namespace platform {

// A picture stretched to the control's own size. Picture holds the program path it was
// loaded from; an empty path clears it, a missing file shows nothing.
class Image : public PositionedControl
{
    Q_OBJECT
    Q_PROPERTY(QString ToolTipText READ toolTipText WRITE setToolTipText)
    Q_PROPERTY(QString Picture READ picture WRITE setPicture)

public:
    Image(Form *form, const QString &name, int index, QWidget *parent);

    QString picture() const { return m_picture; }
    void setPicture(const QString &programPath);
    // True when a picture is actually shown (the file existed and decoded).
    bool hasPicture() const;
    void setMousePointer(const QString &programPath, int hotX, int hotY);

private:
    QString m_picture;
};

} // namespace platform
