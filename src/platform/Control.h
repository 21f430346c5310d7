#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <QVariant>
#include <optional>

#include <QWidget>

namespace platform {

class Form;

// One control of a window: a label, a button, a picture, a menu entry... Properties that the
// program reads and writes by name (Caption, Tag, Left, ...) are Qt properties, so asking
// for one a control lacks simply finds nothing.
class Control : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QString Name READ name)
    Q_PROPERTY(int Index READ index)
    Q_PROPERTY(QString Tag READ tag WRITE setTag)
    Q_PROPERTY(bool Visible READ visible WRITE setVisible)
    Q_PROPERTY(bool Enabled READ enabled WRITE setEnabled)
    Q_PROPERTY(bool TabStop READ tabStop WRITE setTabStop)

public:
    Control(Form *form, const QString &name, int index);
    ~Control() override;

    Form *form() const { return m_form; }
    QString name() const { return objectName(); }
    // Index within a control array; -1 for a control that is not part of one.
    int index() const { return m_index; }
    bool isArrayElement() const { return m_index >= 0; }

    QString tag() const { return m_tag; }
    void setTag(const QString &tag) { m_tag = tag; }
    bool visible() const { return m_visible; }
    virtual void setVisible(bool visible);
    bool enabled() const { return m_enabled; }
    virtual void setEnabled(bool enabled);
    // Whether Tab stops at the control (while it can be pressed at all). Taking the stop away
    // from the control that has the focus hands the focus on to the next stop.
    bool tabStop() const { return m_tabStop; }
    void setTabStop(bool tabStop);
    // Gives the control the keyboard focus; nothing happens if it cannot take it now.
    void SetFocus();
    bool hasFocus() const;

    // The widget that shows this control, or null for controls without one (menus).
    QWidget *widget() const { return m_widget; }
    // Windowed controls (buttons, frames, check boxes) stay above pictures and labels.
    virtual bool isWindowed() const { return false; }

    // Late-bound access by name: nullopt / false when the control has no such property
    // or it cannot be written.
    std::optional<QVariant> propertyByName(const char *name) const;
    bool setPropertyByName(const char *name, const QVariant &value);
    bool hasProperty(const char *name) const;

    // What assistive technology (and test tools) call a control that shows no text of its
    // own, such as a box that blocks are put into.
    QString accessibleName() const;
    void setAccessibleName(const QString &name);

    // Texts and lines drawn this many times their designed size (see textScaleFor); the window
    // tells every control when its size changes it.
    virtual void applyTextScale(double scale) { Q_UNUSED(scale); }

signals:
    // A click by the user (mouse or keyboard); carries Index (-1 for a single control).
    void Click(int index);
    // The child rested the mouse pointer on the control for half a second, or moved the keyboard
    // focus to it with Tab: the moment to say what it is. A click in between says nothing.
    void Pointed(int index);

protected:
    // A control that is disabled, or sits in a disabled container, never clicks.
    void emitClick()
    {
        if (m_widget ? m_widget->isEnabled() : m_enabled)
            emit Click(m_index);
    }
    // Binds the widget that shows this control and reports its clicks as Click.
    void setWidget(QWidget *widget);
    // The widget as the class the control made it; null once it is gone.
    template <class W> W *widgetAs() const { return static_cast<W *>(m_widget.data()); }
    // A control that somebody listens to can be pressed (by keyboard too), or is watched for
    // being pointed at.
    void connectNotify(const QMetaMethod &signal) override;

    Form *m_form;
    int m_index;
    QString m_tag;
    bool m_visible = true;
    bool m_enabled = true;
    bool m_tabStop = true;
    bool m_watchedForPointing = false;
    QPointer<QWidget> m_widget;
};

// How long the pointer has to rest on a control before it counts as pointed at.
inline constexpr int kPointingMsecs = 500;

// A control placed in its container with Left, Top, Width and Height in twips.
class PositionedControl : public Control
{
    Q_OBJECT
    Q_PROPERTY(double Left READ left WRITE setLeft)
    Q_PROPERTY(double Top READ top WRITE setTop)
    Q_PROPERTY(double Width READ width WRITE setWidth)
    Q_PROPERTY(double Height READ height WRITE setHeight)

public:
    using Control::Control;

    double left() const { return m_left; }
    double top() const { return m_top; }
    double width() const { return m_width; }
    double height() const { return m_height; }
    void setLeft(double v) { move(v, m_top, m_width, m_height); }
    void setTop(double v) { move(m_left, v, m_width, m_height); }
    void setWidth(double v) { move(m_left, m_top, v, m_height); }
    void setHeight(double v) { move(m_left, m_top, m_width, v); }
    // A negative width or height counts as none.
    void move(double left, double top, double width, double height);

    // Tooltip and font live on the widget; the classes that have them publish them.
    QString toolTipText() const;
    void setToolTipText(const QString &text);
    // The font as designed; it is drawn larger in a large window (applyTextScale).
    virtual void setFont(const QString &family, double points, bool bold);
    void applyTextScale(double scale) override;
    // The mouse pointer over the control: a picture with its hot spot, in pixels.
    void setMousePointer(const QString &programPath, int hotX, int hotY);

protected:
    void applyGeometry();
    void applyFont();
    double textScale() const;

    double m_left = 0, m_top = 0, m_width = 0, m_height = 0;
    // The designed font; none: the program's font.
    QString m_fontFamily;
    double m_fontPoints = 0;
    bool m_fontBold = false;
};

} // namespace platform
