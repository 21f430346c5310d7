#pragma once

#include "platform/Control.h"

namespace platform {

namespace detail { class CheckBoxWidget; }

// A check box whose tick box shows on every background colour.

class CheckBox : public PositionedControl
{
    Q_OBJECT
    Q_PROPERTY(QString Caption READ caption WRITE setCaption)
    Q_PROPERTY(QString ToolTipText READ toolTipText WRITE setToolTipText)
    Q_PROPERTY(uint BackColor READ backColor WRITE setBackColor)
    Q_PROPERTY(int Value READ value WRITE setValue)

public:
    CheckBox(Form *form, const QString &name, int index, QWidget *parent);

    bool isWindowed() const override { return true; }
    QString caption() const;
    void setCaption(const QString &caption);
    uint backColor() const { return m_backColor; }
    void setBackColor(uint bbggrr);
    // 1 ticked, 0 clear.
    int value() const;
    void setValue(int value);

private:
    uint m_backColor = 0xF0F0F0;
};

} // namespace platform
