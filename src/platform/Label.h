#pragma once

#include "platform/Control.h"

namespace platform {

namespace detail { class LabelWidget; }

class Label : public PositionedControl
{
    Q_OBJECT
    Q_PROPERTY(QString Caption READ caption WRITE setCaption)
    Q_PROPERTY(QString ToolTipText READ toolTipText WRITE setToolTipText)
    Q_PROPERTY(uint BackColor READ backColor WRITE setBackColor)
    Q_PROPERTY(uint ForeColor READ foreColor WRITE setForeColor)

public:
    enum class Align { Left, Center, Right };

    Label(Form *form, const QString &name, int index, QWidget *parent);

    QString caption() const;
    void setCaption(const QString &caption);
    // A label is transparent until it is given a background colour.
    uint backColor() const { return m_backColor; }
    void setBackColor(uint bbggrr);
    bool isOpaque() const { return m_opaque; }
    // The background drawn as a rounded badge around the text.
    void setRounded(bool rounded);
    uint foreColor() const { return m_foreColor; }
    void setForeColor(uint bbggrr);
    void setAlignment(Align align, bool verticallyCentred = false);

private:
    uint m_backColor = 0xFFFFFF;
    uint m_foreColor = 0x000000;
    bool m_opaque = false;
    bool m_rounded = false;
};

} // namespace platform
