#include "platform/Form.h"

#include "platform/CheckBox.h"
#include "platform/CommandButton.h"
#include "platform/FormWindow.h"
#include "platform/Frame.h"
#include "platform/Image.h"
#include "platform/Label.h"
#include "platform/Line.h"
#include "platform/Menu.h"
#include "platform/Shape.h"
#include "platform/Units.h"
#include "platform/Widgets.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QMenuBar>
#include <QMetaProperty>
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
    m_form->layoutChildren();
    m_form->notifyResize();
}

void FormWindow::closeEvent(QCloseEvent *event)
{
    // The window decides itself whether and how it goes (a question first, for example).
    event->ignore();
    m_form->requestClose();
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
    m_window = new detail::FormWindow(this);
    m_window->setWindowTitle(m_designCaption);
    m_surface = new detail::SurfaceWidget(m_window);
    m_surface->setBackground(toQColor(m_backColor));
    m_surface->onClick = [this] { Form_Click(); };
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
    if (!m_window->isVisible())
        m_window->show();
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
    // Entries and children go before their parents.
    const QList<Control *> controls = std::exchange(m_controls, {});
    for (auto it = controls.crbegin(); it != controls.crend(); ++it)
        delete *it;
    // The widget tree may be in the middle of delivering the click that led here.
    if (m_window) {
        m_window->hide();
        m_window->deleteLater();
    }
    m_window = nullptr;
    m_surface = nullptr;
    m_menuBar = nullptr;
}

bool Form::isShown() const
{
    return m_loaded && m_window && m_window->isVisible();
}

QString Form::caption() const
{
    return m_window ? m_window->windowTitle() : m_designCaption;
}

void Form::setCaption(const QString &caption)
{
    if (m_window)
        m_window->setWindowTitle(caption);
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

void Form::setBackColor(uint bbggrr)
{
    m_backColor = bbggrr;
    if (m_surface)
        m_surface->setBackground(toQColor(bbggrr));
}

double Form::left() const
{
    return m_window ? pixelsToTwips(m_window->x()) : 0;
}
double Form::top() const
{
    return m_window ? pixelsToTwips(m_window->y()) : 0;
}
double Form::width() const
{
    return m_window ? pixelsToTwips(m_window->width()) : 0;
}
double Form::height() const
{
    return m_window ? pixelsToTwips(m_window->height()) : 0;
}

void Form::setLeft(double twips)
{
    if (m_window)
        m_window->move(twipsToPixels(twips), m_window->y());
}

void Form::setTop(double twips)
{
    if (m_window)
        m_window->move(m_window->x(), twipsToPixels(twips));
}

void Form::setWidth(double twips)
{
    if (!m_window)
        return;
    m_window->resize(qMax(1, twipsToPixels(twips)), m_window->height());
    geometryChanged();
}

void Form::setHeight(double twips)
{
    if (!m_window)
        return;
    m_window->resize(m_window->width(), qMax(1, twipsToPixels(twips)));
    geometryChanged();
}

void Form::geometryChanged()
{
    // A window placed over the whole screen also asks the window manager for full screen,
    // so that no title bar or border hangs off the screen's edges.
    const QScreen *screen = QGuiApplication::primaryScreen();
    const bool covers = screen && m_window->geometry() == screen->geometry();
    const bool isFull = m_window->windowState().testFlag(Qt::WindowFullScreen);
    if (covers != isFull)
        m_window->setWindowState(covers ? (m_window->windowState() | Qt::WindowFullScreen)
                                        : (m_window->windowState() & ~Qt::WindowFullScreen));
    layoutChildren();
    notifyResize();
}

double Form::scaleWidth() const
{
    return m_surface ? pixelsToTwips(m_surface->width()) : 0;
}

double Form::scaleHeight() const
{
    return m_surface ? pixelsToTwips(m_surface->height()) : 0;
}

int Form::windowState() const
{
    if (!m_window)
        return Normal;
    if (m_window->isMinimized())
        return Minimized;
    if (m_window->isMaximized())
        return Maximized;
    return Normal;
}

QWidget *Form::window() const
{
    return m_window;
}

QWidget *Form::surface() const
{
    return m_surface;
}

void Form::freezeDrawing(bool frozen)
{
    if (!m_window)
        return;
    m_window->setUpdatesEnabled(!frozen);
    if (!frozen)
        m_window->update();
}

std::optional<QVariant> Form::propertyByName(const char *name) const
{
    const int i = metaObject()->indexOfProperty(name);
    if (i < 0)
        return std::nullopt;
    return metaObject()->property(i).read(this);
}

bool Form::setPropertyByName(const char *name, const QVariant &value)
{
    const int i = metaObject()->indexOfProperty(name);
    if (i < 0 || !metaObject()->property(i).isWritable())
        return false;
    return metaObject()->property(i).write(this, value);
}

Control *Form::control(const QString &name, int index) const
{
    for (Control *c : m_controls)
        if (c->index() == index && c->name().compare(name, Qt::CaseInsensitive) == 0)
            return c;
    return nullptr;
}

QList<Control *> Form::controlArray(const QString &name) const
{
    QList<Control *> out;
    for (Control *c : m_controls)
        if (c->isArrayElement() && c->name().compare(name, Qt::CaseInsensitive) == 0)
            out.append(c);
    std::sort(out.begin(), out.end(), [](Control *a, Control *b) { return a->index() < b->index(); });
    return out;
}

Menu *Form::loadMenuElement(Menu *sibling, int index)
{
    if (!m_loaded || !sibling || control(sibling->name(), index))
        return nullptr;
    auto *m = new Menu(this, sibling->name(), index, menuBar(), sibling->parentMenu());
    registerControl(m);
    return m;
}

QMenuBar *Form::menuBar()
{
    if (!m_menuBar) {
        m_menuBar = new QMenuBar(m_window);
        m_menuBar->setNativeMenuBar(false);
        // Menu titles big enough for a child to read and hit.
        m_menuBar->setStyleSheet(QStringLiteral("QMenuBar { font-size: 15pt; } QMenuBar::item { padding: 4px 14px; }"
                                                " QMenu { font-size: 15pt; }"));
    }
    return m_menuBar;
}

int Form::menuBarHeight() const
{
    if (!m_menuBar || m_menuBar->actions().isEmpty())
        return 0;
    return m_menuBar->sizeHint().height();
}

void Form::layoutChildren()
{
    if (!m_window)
        return;
    const int mbh = menuBarHeight();
    if (m_menuBar) {
        m_menuBar->setGeometry(0, 0, m_window->width(), mbh);
        m_menuBar->setVisible(mbh > 0);
    }
    m_surface->setGeometry(0, mbh, m_window->width(), qMax(0, m_window->height() - mbh));
}

void Form::notifyResize()
{
    if (!m_loaded || !m_surface || m_inResize)
        return;
    if (m_surface->width() == m_lastInnerW && m_surface->height() == m_lastInnerH)
        return;
    m_lastInnerW = m_surface->width();
    m_lastInnerH = m_surface->height();
    m_inResize = true;
    Form_Resize();
    m_inResize = false;
}

void Form::registerControl(Control *control)
{
    control->setParent(this);
    m_controls.append(control);
    if (control->widget() && m_window && m_window->isVisible() && control->visible())
        control->widget()->show();
}

QWidget *Form::containerWidget(Frame *container) const
{
    return container ? container->widget() : m_surface;
}

template <class T> T *Form::place(T *control, double left, double top, double width, double height)
{
    control->move(left, top, width, height);
    registerControl(control);
    return control;
}

Label *Form::addLabel(const QString &name, double left, double top, double width, double height,
                      const QString &caption, Frame *container, int index)
{
    auto *c = place(new Label(this, name, index, containerWidget(container)), left, top, width, height);
    c->setCaption(caption);
    return c;
}

CommandButton *Form::addButton(const QString &name, double left, double top, double width, double height,
                               const QString &caption, Frame *container, int index)
{
    auto *c = place(new CommandButton(this, name, index, containerWidget(container)), left, top, width, height);
    c->setCaption(caption);
    return c;
}

CheckBox *Form::addCheckBox(const QString &name, double left, double top, double width, double height,
                            const QString &caption, Frame *container, int index)
{
    auto *c = place(new CheckBox(this, name, index, containerWidget(container)), left, top, width, height);
    c->setCaption(caption);
    return c;
}

Image *Form::addImage(const QString &name, double left, double top, double width, double height,
                      Frame *container, int index)
{
    return place(new Image(this, name, index, containerWidget(container)), left, top, width, height);
}

Frame *Form::addFrame(const QString &name, double left, double top, double width, double height,
                      Frame *container, int index)
{
    return place(new Frame(this, name, index, containerWidget(container)), left, top, width, height);
}

Shape *Form::addShape(const QString &name, double left, double top, double width, double height,
                      Frame *container, int index)
{
    return place(new Shape(this, name, index, containerWidget(container)), left, top, width, height);
}

Line *Form::addLine(const QString &name, double x1, double y1, double x2, double y2, Frame *container, int index)
{
    auto *c = new Line(this, name, index, containerWidget(container));
    c->setPoints(x1, y1, x2, y2);
    registerControl(c);
    return c;
}

Menu *Form::addMenu(const QString &name, const QString &caption, Menu *parent, int index)
{
    auto *c = new Menu(this, name, index, menuBar(), parent);
    c->setCaption(caption);
    registerControl(c);
    return c;
}

} // namespace platform
