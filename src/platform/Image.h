#pragma once

#include "platform/Control.h"

namespace platform {

namespace detail { class PictureWidget; }

// A picture shown whole, as large as fits the control and centred in it, so that a square stays
// a square on every shape of screen (or, when asked to, stretched to the control's own size).
// Picture holds the program path it was loaded from; an empty path clears it. A path that cannot be shown (missing or damaged
// file) shows the placeholder, which counts as a picture.
class Image : public PositionedControl
{
    Q_OBJECT
    Q_PROPERTY(QString ToolTipText READ toolTipText WRITE setToolTipText)
    Q_PROPERTY(QString Picture READ picture WRITE setPicture)

public:
    Image(Form *form, const QString &name, int index, QWidget *parent);

    QString picture() const { return m_picture; }
    void setPicture(const QString &programPath) { setPicture(programPath, QString()); }
    // A picture with the words that say what it shows, for assistive technology.
    void setPicture(const QString &programPath, const QString &description);
    // Hands this picture, with its path and description, to another image and clears this
    // one.
    void handPictureTo(Image *other);
    // True when something is shown (the picture, or its placeholder).
    bool hasPicture() const;
    bool showsPlaceholder() const;
    // The words given with the picture: its accessible name.
    QString description() const { return accessibleName(); }
    // True (the default): the whole picture as large as fits, centred; false: stretched.
    bool keepsProportions() const;
    void setKeepsProportions(bool keep);

private:
    QString m_picture;
};

} // namespace platform
