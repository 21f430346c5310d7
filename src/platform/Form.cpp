// A window's life: load (its widget and controls), show, activation, unload.

#include "platform/Form.h"

#include "platform/Accessibility.h"
#include "platform/Control.h"
#include "platform/FormWindow.h"
#include "platform/Pictures.h"
#include "platform/Units.h"
#include "platform/Widgets.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QTimer>

#include <malloc.h>
#include <QGuiApplication>
#include <algorithm>

namespace platform {

namespace {
QList<Form *> &registry()
{
    static QList<Form *> forms;
    return forms;
}
} // namespace

namespace detail {

FormWindow::FormWindow(Form *form) : QWidget(nullptr), m_form(form)
{
    setAttribute(Qt::WA_DeleteOnClose, false);
}

void FormWindow::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    if (!m_form)
        return;
    m_form->layoutChildren();
    m_form->notifyResize();
}

void FormWindow::closeEvent(QCloseEvent *event)
{
    // The window decides itself whether and how it goes (a question first, for example).
    event->ignore();
    if (m_form && m_form->isLoaded())
        m_form->requestClose();
}

void FormWindow::keyPressEvent(QKeyEvent *event)
{
    const QString text = event->text();
    if (m_form && m_form->isLoaded() && !text.isEmpty() && text.at(0).isPrint() &&
        !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
        event->accept();
        m_form->raiseKeyPress(text);
        return;
    }
    QWidget::keyPressEvent(event);
}

} // namespace detail

Form::Form(const QString &name, QObject *parent) : QObject(parent)
{
    setObjectName(name);
}

Form::~Form()
{
    registry().removeAll(this);
    qDeleteAll(m_controls);
    delete m_window.data();
}

QList<Form *> Form::loadedForms()
{
    return registry();
}

void Form::Load()
{
    if (m_loaded)
        return;
    installAccessibility();
    m_window = new detail::FormWindow(this);
    m_window->setWindowTitle(m_designCaption);
    m_surface = new detail::SurfaceWidget(m_window);
    m_surface->setBackground(toQColor(m_backColor));
    m_surface->onClick = [self = QPointer<Form>(this)] {
        if (self && self->m_loaded)
            self->Form_Click();
    };
    m_menuBar = nullptr;
    m_tag.clear();

    createControls();

    // Buttons, boxes and frames sit above pictures, labels and lines, as in the old toolkit.
    for (Control *c : std::as_const(m_controls))
        if (c->isWindowed() && c->widget())
            c->widget()->raise();
    m_window->resize(twipsToPixels(m_designWidth), twipsToPixels(m_designHeight) + menuBarHeight());
    layoutChildren();
    m_lastInnerW = m_surface->width();
    m_lastInnerH = m_surface->height();

    m_loaded = true;
    m_activated = false;
    registry().append(this);
    Form_Load();
}

void Form::Show()
{
    Load();
    if (!m_loaded)
        return; // the load handler may have unloaded the window again
    // The first activation places the window before it is first drawn, so that it is drawn
    // once, at its final size.
    if (!m_activated) {
        m_activated = true;
        Form_Activate();
        if (!m_loaded)
            return;
    }
    if (!m_window->isVisible()) {
        setReadingTabOrder();
        m_window->show();
    }
    if (QGuiApplication::platformName() != QLatin1String("offscreen")) {
        m_window->raise();
        m_window->activateWindow();
    }
}

void Form::Unload()
{
    if (!m_loaded)
        return;
    m_loaded = false;
    m_activated = false;
    registry().removeAll(this);
    // Entries and children go before their parents. A control's widget, and the window, may be
    // in the middle of delivering the click that led here: they go later, and what they still
    // deliver reaches no control (see Control::clickRelay).
    const QList<Control *> controls = std::exchange(m_controls, {});
    for (auto it = controls.crbegin(); it != controls.crend(); ++it)
        delete *it;
    if (m_window) {
        m_window->hide();
        m_window->deleteLater();
    }
    // Once the window's widgets are gone, so are the pictures only they showed, and the memory
    // goes back to the system: the menu between two activities stays small.
    QTimer::singleShot(250, [] {
        releaseUnshownPictures();
        malloc_trim(0);
    });
    m_window = nullptr;
    m_surface = nullptr;
    m_menuBar = nullptr;
}

bool Form::isShown() const
{
    return m_loaded && m_window && m_window->isVisible();
}

void Form::setDesignCaption(const QString &caption)
{
    m_designCaption = caption;
}

void Form::setDesignSize(double scaleWidth, double scaleHeight)
{
    m_designWidth = scaleWidth;
    m_designHeight = scaleHeight;
}

QWidget *Form::window() const
{
    return m_window;
}

QWidget *Form::surface() const
{
    return m_surface;
}

} // namespace platform
