#pragma once

#include "platform/Control.h"

namespace platform {

// A straight line given by its end points (twips, in its container). It has no Left/Top/
// Width/Height: the layout moves it by its end points.
class Line : public Control
{
    Q_OBJECT
    Q_PROPERTY(double X1 READ x1 WRITE setX1)
    Q_PROPERTY(double Y1 READ y1 WRITE setY1)
    Q_PROPERTY(double X2 READ x2 WRITE setX2)
    Q_PROPERTY(double Y2 READ y2 WRITE setY2)
    Q_PROPERTY(int BorderWidth READ borderWidth WRITE setBorderWidth)
    Q_PROPERTY(uint BorderColor READ borderColor WRITE setBorderColor)

public:
    Line(Form *form, const QString &name, int index, QWidget *parent);

    double x1() const { return m_x1; }
    double y1() const { return m_y1; }
    double x2() const { return m_x2; }
    double y2() const { return m_y2; }
    void setX1(double v) { setPoints(v, m_y1, m_x2, m_y2); }
    void setY1(double v) { setPoints(m_x1, v, m_x2, m_y2); }
    void setX2(double v) { setPoints(m_x1, m_y1, v, m_y2); }
    void setY2(double v) { setPoints(m_x1, m_y1, m_x2, v); }
    void setPoints(double x1, double y1, double x2, double y2);
    int borderWidth() const { return m_borderWidth; }
    void setBorderWidth(int pixels);
    uint borderColor() const { return m_borderColor; }
    void setBorderColor(uint bbggrr);
    // Drawn so that what lies under it (a name it runs across) still shows through.
    void setSeeThrough(bool seeThrough);
    // Lines grow as wide as texts grow.
    void applyTextScale(double scale) override;

private:
    void apply();
    double m_x1 = 0, m_y1 = 0, m_x2 = 0, m_y2 = 0;
    int m_borderWidth = 1;
    uint m_borderColor = 0;
    bool m_seeThrough = false;
};

} // namespace platform
