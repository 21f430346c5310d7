#pragma once

#include "platform/Control.h"

namespace platform {

// A container for other controls. Disabling it makes everything inside ignore clicks.
class Frame : public PositionedControl
{
    Q_OBJECT
    Q_PROPERTY(QString Caption READ caption WRITE setCaption)
    Q_PROPERTY(QString ToolTipText READ toolTipText WRITE setToolTipText)
    Q_PROPERTY(uint BackColor READ backColor WRITE setBackColor)

public:
    Frame(Form *form, const QString &name, int index, QWidget *parent);

    bool isWindowed() const override { return true; }
    QString caption() const { return m_caption; }
    void setCaption(const QString &caption);
    uint backColor() const { return m_backColor; }
    void setBackColor(uint bbggrr);
    // A box that is full: a thick rim and a tick in its corner, above what it holds.
    bool marked() const { return m_marked; }
    void setMarked(bool marked);

private:
    QString m_caption;
    uint m_backColor = 0xFFFFFF;
    bool m_marked = false;
};

} // namespace platform
