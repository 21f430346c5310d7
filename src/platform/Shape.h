#pragma once

#include "platform/Control.h"

namespace platform {

// A rectangle outline without fill, drawn over its container.
class Shape : public PositionedControl
{
    Q_OBJECT
    Q_PROPERTY(uint BorderColor READ borderColor WRITE setBorderColor)
    Q_PROPERTY(int BorderWidth READ borderWidth WRITE setBorderWidth)

public:
    Shape(Form *form, const QString &name, int index, QWidget *parent);

    uint borderColor() const { return m_borderColor; }
    void setBorderColor(uint bbggrr);
    int borderWidth() const { return m_borderWidth; }
    void setBorderWidth(int pixels);
    void applyTextScale(double scale) override;

private:
    void applyBorder();
    uint m_borderColor = 0;
    int m_borderWidth = 1;
};

} // namespace platform
