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

#include <QBackingStore>
#include <QGuiApplication>
#include <QWindow>

#include <algorithm>
#include <cstdint>
#include <malloc.h>
#include <sys/mman.h>
#include <unistd.h>

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

FormWindow::~FormWindow()
{
    finishReadyingBuffer();
}

void FormWindow::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (!m_bufferReady && windowHandle())
        windowHandle()->installEventFilter(this);
}

void FormWindow::hideEvent(QHideEvent *event)
{
    finishReadyingBuffer();
    QWidget::hideEvent(event);
}

bool FormWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Expose && watched == windowHandle() && windowHandle()->isExposed()) {
        windowHandle()->removeEventFilter(this);
        m_bufferReady = true;
        readyDrawingBuffer();
    }
    return QWidget::eventFilter(watched, event);
}

// The drawing buffer of a new window is fresh memory, and the first touch of each 4 KiB page of
// it is slow: on a virtual machine, a full screen's pages cost more than drawing the screen. So
// at the first exposure, just before the first drawing, the buffer is made at the window's size
// (as the drawing would make it) and its pages are asked for in one step. The drawing goes from
// the top down; while it fills the top quarter, a helper thread touches the rest from the bottom
// up, so that the two share the touching. The window keeps the buffer while it is handed from
// form to form, so this happens once per window.
void FormWindow::readyDrawingBuffer()
{
#ifdef MADV_POPULATE_WRITE
    finishReadyingBuffer();
    QBackingStore *store = backingStore();
    if (!store)
        return;
    if (store->size() != size())
        store->resize(size());
    const QPaintDevice *device = store->paintDevice();
    if (!device || device->devType() != QInternal::Image)
        return;
    const auto &buffer = *static_cast<const QImage *>(device);
    if (buffer.isNull())
        return;
    const auto page = static_cast<std::uintptr_t>(sysconf(_SC_PAGESIZE));
    const auto start = reinterpret_cast<std::uintptr_t>(buffer.constBits());
    const std::uintptr_t first = start & ~(page - 1);
    const std::uintptr_t end = (start + static_cast<std::uintptr_t>(buffer.sizeInBytes()) + page - 1) & ~(page - 1);
    // Where the system cannot ask for pages in one step, they come one at a time, as they would
    // have; a small window, or one where no thread can be started, asks for all of them here.
    const auto askFor = [](std::uintptr_t from, std::uintptr_t to) {
        madvise(reinterpret_cast<void *>(from), to - from, MADV_POPULATE_WRITE);
    };
    if (end - first < 256 * page) {
        askFor(first, end);
        return;
    }
    // Each byte the helper reads lies inside the buffer.
    const std::uintptr_t split = (first + (end - first) / 4 + page - 1) & ~(page - 1);
    try {
        m_bufferHelper = std::thread([=] {
            askFor(split, end);
            // A read of one byte per page is enough. The drawing may be writing the same byte
            // by then; whichever comes first, the value read is thrown away.
            for (std::uintptr_t p = end - page; p >= split; p -= page)
                (void)__atomic_load_n(reinterpret_cast<const unsigned char *>(p), __ATOMIC_RELAXED);
        });
    } catch (const std::system_error &) {
        askFor(split, end);
    }
    askFor(first, split);
    // The helper is done long before anything could free the buffer; waiting for it once the
    // first frame is out costs nothing, and the hiding and the end of the window wait too.
    QMetaObject::invokeMethod(this, [this] { finishReadyingBuffer(); }, Qt::QueuedConnection);
#endif
}

void FormWindow::finishReadyingBuffer()
{
    if (m_bufferHelper.joinable())
        m_bufferHelper.join();
}

void FormWindow::resizeEvent(QResizeEvent *event)
{
    finishReadyingBuffer(); // a new size may bring a new buffer
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

namespace {
// The window the last unloaded form left. The next form loaded in the same turn of the event
// loop takes it over; if none does, it goes at the end of the turn.
QPointer<detail::FormWindow> &spareWindow()
{
    static QPointer<detail::FormWindow> window;
    return window;
}

void leaveWindow(detail::FormWindow *window)
{
    window->setForm(nullptr);
    if (spareWindow() && spareWindow() != window) {
        spareWindow()->hide();
        spareWindow()->deleteLater();
    }
    spareWindow() = window;
    QTimer::singleShot(0, window, [window] {
        if (spareWindow() != window)
            return;
        spareWindow() = nullptr;
        window->hide();
        window->deleteLater();
    });
}

detail::FormWindow *takeWindow(Form *form)
{
    detail::FormWindow *window = std::exchange(spareWindow(), nullptr);
    if (window)
        window->setForm(form);
    else
        window = new detail::FormWindow(form);
    return window;
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
    delete m_page;
    if (m_window && m_window->form() == this)
        delete m_window.data();
}

void Form::dropSpareWindow()
{
    delete std::exchange(spareWindow(), nullptr).data();
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
    m_window = takeWindow(this);
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
    if (QGuiApplication::platformName() != QLatin1String("offscreen")) {
        m_window->raise();
        m_window->activateWindow();
    }
}

void Form::putOnScreen()
{
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
    // deliver reaches no control (see Control::clickRelay).
    const QList<Control *> controls = std::exchange(m_controls, {});
    for (auto it = controls.crbegin(); it != controls.crend(); ++it)
        delete *it;
    // The page stays on screen until the next form's page replaces it or the window goes.
    if (m_page)
        m_page->deleteLater();
    if (m_window)
        leaveWindow(m_window);
    // Once the window's widgets are gone, so are the pictures only they showed, and the memory
    // goes back to the system: the menu between two activities stays small.
    QTimer::singleShot(250, [] {
        releaseUnshownPictures();
        malloc_trim(0);
    });
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
