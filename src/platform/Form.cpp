// A window's life: load (its widget and controls), show, activation, unload.

#include "platform/Form.h"

#include "platform/Accessibility.h"
#include "platform/Control.h"
#include "platform/FormWindow.h"
#include "platform/Units.h"
#include "platform/Widgets.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QScopeGuard>
#include <QTimer>

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

FormWindow::FormWindow() : QWidget(nullptr)
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
        m_form->Form_CloseRequest();
}

void FormWindow::keyPressEvent(QKeyEvent *event)
{
    const QString text = event->text();
    if (m_form && m_form->isLoaded() && !text.isEmpty() && text.at(0).isPrint() &&
        !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
        event->accept();
        m_form->Form_KeyPress(text);
        return;
    }
    QWidget::keyPressEvent(event);
}

} // namespace detail

namespace {
// The program's one top-level window. Every loaded form has its page in it, and the screen
// changes by showing another page: no new window is made, mapped and filled. It is made for
// the first form loaded and goes (at the end of the run) once a turn of the event loop ends
// with no form loaded; a form that leaves it in a turn where the next one takes it over, as
// every screen does, leaves its page painted until the next page replaces it.
QPointer<detail::FormWindow> &programWindow()
{
    static QPointer<detail::FormWindow> window;
    return window;
}

detail::FormWindow *theWindow()
{
    if (!programWindow())
        programWindow() = new detail::FormWindow;
    return programWindow();
}

// How many forms are being shown now. A form's load may run the event loop (to paint between
// controls); the window it is about to take is not left empty meanwhile.
int showsUnderway = 0;

// The form on the window is gone. Unless another form takes the screen in this turn, the window
// is hidden at its end, and it goes once no form is loaded.
void leftEmpty(detail::FormWindow *window)
{
    window->setForm(nullptr);
    QTimer::singleShot(0, window, [window] {
        if (window->form() || showsUnderway > 0)
            return;
        window->hide();
        const bool pagesLeft = std::any_of(registry().cbegin(), registry().cend(),
                                           [window](const Form *f) { return f->window() == window; });
        if (pagesLeft)
            return;
        if (programWindow() == window)
            programWindow() = nullptr;
        window->deleteLater();
    });
}
} // namespace

Form::Form(const QString &name, QObject *parent) : QObject(parent)
{
    setObjectName(name);
}

Form::~Form()
{
    registry().removeAll(this);
    qDeleteAll(m_controls);
    delete m_page.data();
    if (m_window && m_window->form() == this)
        leftEmpty(m_window);
}

void Form::closeWindow()
{
    delete programWindow().data();
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
    m_window = theWindow();
    m_page = new QWidget(m_window);
    m_page->hide(); // shown with the form
    m_surface = new detail::SurfaceWidget(m_page);
    m_surface->setBackground(toQColor(m_backColor));
    m_surface->onClick = [self = QPointer<Form>(this)] {
        if (self && self->m_loaded)
            self->Form_Click();
    };
    m_menuBar = nullptr;
    m_tag.clear();
    m_caption = m_designCaption;
    m_onScreen = false;
    m_placed = false;
    m_textScale = 1.0; // the design size; the window's size sets it again

    createControls();

    // Buttons, boxes and frames sit above pictures, labels and lines, as in the old toolkit.
    for (Control *c : std::as_const(m_controls))
        if (c->isWindowed() && c->widget())
            c->widget()->raise();
    m_geometry = QRect(m_window->pos(),
                       QSize(twipsToPixels(m_designWidth), twipsToPixels(m_designHeight) + menuBarHeight()));
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
    ++showsUnderway;
    const QPointer<detail::FormWindow> window = theWindow();
    const auto done = qScopeGuard([window] {
        // A show that did not take the window (its handlers unloaded the form again) leaves it
        // as it found it.
        if (--showsUnderway == 0 && window && !window->form())
            leftEmpty(window);
    });
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
    if (!m_onScreen)
        putOnScreen();
    // The window comes to the front and takes the keyboard, also after a message box.
    if (QGuiApplication::platformName() != QLatin1String("offscreen"))
        m_window->raise();
    m_window->activateWindow();
}

void Form::putOnScreen()
{
    // A form still loaded that was on the window keeps its place and size for its next turn.
    if (Form *before = m_window->form(); before && before != this) {
        before->m_geometry = m_window->geometry();
        before->m_onScreen = false;
    }
    m_window->setForm(this);
    m_onScreen = true;
    m_window->setWindowTitle(m_caption);
    const bool handedOver = m_window->isVisible();
    // A form that was placed is placed; one that was not is left to the window manager.
    if (m_placed && (!handedOver || m_window->pos() != m_geometry.topLeft()))
        m_window->move(m_geometry.topLeft());
    if (m_window->size() != m_geometry.size())
        m_window->resize(m_geometry.size());
    geometryChanged();
    QWidget *first = setReadingTabOrder();
    // The page of the form that had the window stays up until this one replaces it.
    for (QWidget *page : m_window->findChildren<QWidget *>(Qt::FindDirectChildrenOnly))
        if (page != m_page)
            page->hide();
    m_page->show();
    if (!handedOver)
        m_window->show();
    // The first control in reading order has the focus, also when the window was already
    // active and nothing would give the new page the focus by itself.
    if (first)
        first->setFocus(Qt::ActiveWindowFocusReason);
}

void Form::Unload()
{
    if (!m_loaded)
        return;
    m_loaded = false;
    m_activated = false;
    m_onScreen = false;
    registry().removeAll(this);
    // What the page shows stays on screen as it is, controls included, until the next form's
    // page replaces it: no half-emptied screen is ever drawn.
    if (m_page)
        m_page->setUpdatesEnabled(false);
    // Entries and children go before their parents. A control's widget, and the page, may be
    // in the middle of delivering the click that led here: they go later, and what they still
    // deliver reaches no control (see Control::setWidget).
    const QList<Control *> controls = std::exchange(m_controls, {});
    for (auto it = controls.crbegin(); it != controls.crend(); ++it)
        delete *it;
    // The page stays on screen until the next form's page replaces it or the window goes.
    if (m_page)
        m_page->deleteLater();
    if (m_window && m_window->form() == this)
        leftEmpty(m_window);
    m_window = nullptr;
    m_page = nullptr;
    m_surface = nullptr;
    m_menuBar = nullptr;
}

bool Form::isShown() const
{
    return m_loaded && m_onScreen && m_page->isVisible();
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
