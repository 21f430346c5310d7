#include "platform/Control.h"

#include "platform/Fonts.h"
#include "platform/Form.h"
#include "platform/Pictures.h"
#include "platform/Units.h"
#include "platform/Widgets.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCursor>
#include <QFocusEvent>
#include <QHash>
#include <QKeyEvent>
#include <QMetaProperty>
#include <QTimer>

namespace platform {

namespace {
// Whether the child's last key or button press was Tab (or Backtab). Qt also moves the focus
// "by Tab" when the focused control is hidden or disabled, as when a game ends under the click
// that answered it; that move is the program's, not the child's.
class LastPress : public QObject
{
public:
    static bool wasTab()
    {
        static QPointer<LastPress> watch;
        if (!watch && qApp) {
            watch = new LastPress(qApp);
            qApp->installEventFilter(watch);
        }
        return watch && watch->m_tab;
    }

protected:
    explicit LastPress(QObject *parent) : QObject(parent) {}
    bool eventFilter(QObject *, QEvent *e) override
    {
        if (e->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent *>(e)->key();
            m_tab = key == Qt::Key_Tab || key == Qt::Key_Backtab;
        } else if (e->type() == QEvent::MouseButtonPress || e->type() == QEvent::TouchBegin) {
            m_tab = false;
        }
        return false;
    }

private:
    bool m_tab = false;
};

// Watches a control's widget for the pointer resting on it, or the keyboard focus coming to it
// by Tab. It belongs to the control, so nothing is reported once the control is gone.
class PointingWatcher : public QObject
{
public:
    PointingWatcher(Control *control, QWidget *widget) : QObject(control), m_control(control), m_widget(widget)
    {
        m_rest.setSingleShot(true);
        m_rest.setInterval(kPointingMsecs);
        connect(&m_rest, &QTimer::timeout, this, [this] {
            if (!m_inside || !m_widget || !m_widget->isVisible())
                return;
            // A pointer that has not moved since the page appeared under it points at nothing;
            // one still moving has not come to rest yet.
            const QPoint at = QCursor::pos();
            if (!m_widget->rect().contains(m_widget->mapFromGlobal(at)))
                return;
            if (at == m_shownUnder || at != m_lastSeen) {
                m_lastSeen = at;
                m_rest.start();
                return;
            }
            report();
        });
        widget->installEventFilter(this);
        LastPress::wasTab(); // starts listening
    }

protected:
    bool eventFilter(QObject *watched, QEvent *e) override
    {
        if (watched != m_widget)
            return false;
        switch (e->type()) {
        case QEvent::Show:
            m_shownUnder = QCursor::pos();
            break;
        case QEvent::Enter:
            // Once clicked, the control has had its answer until the pointer leaves it.
            m_inside = true;
            m_lastSeen = QCursor::pos();
            if (!m_clicked)
                m_rest.start();
            break;
        case QEvent::Leave:
        case QEvent::Hide:
            m_inside = false;
            m_clicked = false;
            m_rest.stop();
            break;
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
            m_clicked = true;
            m_rest.stop();
            break;
        case QEvent::FocusIn: {
            // Only the child's own Tab: the focus a new window gives its first control is not.
            const Qt::FocusReason why = static_cast<QFocusEvent *>(e)->reason();
            if ((why == Qt::TabFocusReason || why == Qt::BacktabFocusReason) && LastPress::wasTab()) {
                m_rest.stop();
                report();
            }
            break;
        }
        default:
            break;
        }
        return false;
    }

private:
    void report()
    {
        if (m_control)
            emit m_control->Pointed(m_control->index());
    }

    QPointer<Control> m_control;
    QPointer<QWidget> m_widget;
    QTimer m_rest;
    QPoint m_shownUnder = QCursor::pos();
    QPoint m_lastSeen;
    bool m_inside = false;
    bool m_clicked = false;
};

// Moves the keyboard focus from the widget to the next Tab stop of its window that can take
// it, or nowhere.
void moveFocusOn(QWidget *from)
{
    if (!from || !from->hasFocus())
        return;
    for (QWidget *next = from->nextInFocusChain(); next && next != from; next = next->nextInFocusChain())
        if (next->window() == from->window() && (next->focusPolicy() & Qt::TabFocus) && next->isVisible() &&
            next->isEnabled()) {
            next->setFocus(Qt::TabFocusReason);
            return;
        }
    from->clearFocus();
}
} // namespace

Control::Control(Form *form, const QString &name, int index) : m_form(form), m_index(index)
{
    setObjectName(name);
}

Control::~Control()
{
    // The widget may be in the middle of delivering the click that unloads its window, so it
    // goes later. One on the frozen page of a window being unloaded stays as it is until the
    // page goes as a whole (what it still delivers reaches no control); any other is hidden, so
    // that it takes no more input meanwhile.
    if (m_widget) {
        if (m_widget->updatesEnabled())
            m_widget->hide();
        m_widget->deleteLater();
    }
}

void Control::setWidget(QWidget *widget)
{
    m_widget = widget;
    // Buttons and boxes report clicks by signal; the connection dies with this control.
    if (auto *button = qobject_cast<QAbstractButton *>(widget))
        connect(button, &QAbstractButton::clicked, this, [this] { emitClick(); });
    // The program's own clickable widgets call back, through a guard that does nothing once the
    // control is gone: a click still on its way when the window unloads never reaches freed memory.
    if (auto *source = dynamic_cast<detail::ClickSource *>(widget))
        source->onClick = [self = QPointer<Control>(this)] {
            if (self)
                self->emitClick();
        };
}

void Control::connectNotify(const QMetaMethod &signal)
{
    if (signal == QMetaMethod::fromSignal(&Control::Click))
        if (auto *source = dynamic_cast<detail::ClickSource *>(m_widget.data()))
            source->setPressable(true);
    if (signal == QMetaMethod::fromSignal(&Control::Pointed) && m_widget && !m_watchedForPointing) {
        m_watchedForPointing = true;
        new PointingWatcher(this, m_widget);
    }
}

void Control::setVisible(bool visible)
{
    m_visible = visible;
    if (m_widget)
        m_widget->setHidden(!visible);
}

void Control::setEnabled(bool enabled)
{
    m_enabled = enabled;
    if (m_widget)
        m_widget->setEnabled(enabled);
}

void Control::setTabStop(bool tabStop)
{
    m_tabStop = tabStop;
    if (!m_widget)
        return;
    if (auto *source = dynamic_cast<detail::ClickSource *>(m_widget.data()))
        source->setTabStop(tabStop);
    else
        m_widget->setFocusPolicy(tabStop ? Qt::StrongFocus : Qt::NoFocus);
    if (!tabStop)
        moveFocusOn(m_widget);
}

void Control::SetFocus()
{
    if (m_widget && (m_widget->focusPolicy() & Qt::TabFocus) && m_widget->isVisible() &&
        m_widget->isEnabled())
        m_widget->setFocus(Qt::OtherFocusReason);
}

bool Control::hasFocus() const
{
    return m_widget && m_widget->hasFocus();
}

QString Control::accessibleName() const
{
    return m_widget ? m_widget->accessibleName() : QString();
}

void Control::setAccessibleName(const QString &name)
{
    if (m_widget)
        m_widget->setAccessibleName(name);
}

bool Control::hasProperty(const char *name) const
{
    return metaObject()->indexOfProperty(name) >= 0;
}

std::optional<QVariant> Control::propertyByName(const char *name) const
{
    const int i = metaObject()->indexOfProperty(name);
    if (i < 0)
        return std::nullopt;
    return metaObject()->property(i).read(this);
}

bool Control::setPropertyByName(const char *name, const QVariant &value)
{
    const int i = metaObject()->indexOfProperty(name);
    if (i < 0)
        return false;
    QMetaProperty p = metaObject()->property(i);
    if (!p.isWritable())
        return false;
    return p.write(this, value);
}

void PositionedControl::move(double left, double top, double width, double height)
{
    m_left = left;
    m_top = top;
    m_width = width < 0 ? 0 : width;
    m_height = height < 0 ? 0 : height;
    applyGeometry();
}

QString PositionedControl::toolTipText() const
{
    return m_widget ? m_widget->toolTip() : QString();
}

void PositionedControl::setToolTipText(const QString &text)
{
    if (m_widget)
        m_widget->setToolTip(text);
}

void PositionedControl::setFont(const QString &family, double points, bool bold)
{
    m_fontFamily = family;
    m_fontPoints = points;
    m_fontBold = bold;
    applyFont();
}

double PositionedControl::textScale() const
{
    return m_form ? m_form->textScale() : 1.0;
}

void PositionedControl::applyTextScale(double)
{
    applyFont();
}

void PositionedControl::applyFont()
{
    if (!m_widget)
        return;
    const double scale = textScale();
    if (m_fontPoints > 0) {
        m_widget->setFont(makeFont(m_fontFamily, m_fontPoints * scale, m_fontBold));
    } else if (scale != 1.0) {
        QFont f = QApplication::font();
        f.setPointSizeF(f.pointSizeF() * scale);
        m_widget->setFont(f);
    } else if (m_widget->testAttribute(Qt::WA_SetFont)) {
        m_widget->setFont(QFont()); // the program's font again
    }
}

void PositionedControl::setMousePointer(const QString &programPath, int hotX, int hotY)
{
    // One pointer per picture for the whole run: a window sets the same hand on many controls.
    static QHash<QString, QCursor> pointers;
    const QString key = programPath + u'@' + QString::number(hotX) + u',' + QString::number(hotY);
    auto it = pointers.constFind(key);
    if (it == pointers.constEnd()) {
        const QPixmap pm = loadPicture(programPath);
        if (pm.isNull())
            return;
        it = pointers.insert(key, QCursor(pm, hotX, hotY));
    }
    if (m_widget)
        m_widget->setCursor(*it);
}

void PositionedControl::applyGeometry()
{
    if (m_widget)
        m_widget->setGeometry(twipsToPixels(QRectF(m_left, m_top, m_width, m_height)));
}

} // namespace platform
