#pragma once

#include <QList>
#include <QObject>
#include <QPointer>
#include <QRect>
#include <QFont>
#include <QPolygonF>
#include <QString>

class QMenuBar;
class QWidget;

namespace platform {

class Area;
class Celebration;
class CheckBox;
class CommandButton;
class Control;
class Frame;
class Image;
class Label;
class Line;
class Menu;
class Shape;
namespace detail { class SurfaceWidget; class FormWindow; }

// One window of the program. The object lives for the whole run; Load() builds its widget
// and controls (in control order), Unload() destroys them again while the object, and
// every field a subclass keeps, survives. Sizes are in twips: Left/Top/Width/Height are
// the outer size, ScaleWidth/ScaleHeight the client area below the menu bar.
class Form : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QString Name READ name)
    Q_PROPERTY(QString Caption READ caption WRITE setCaption)
    Q_PROPERTY(QString Tag READ tag WRITE setTag)
    Q_PROPERTY(uint BackColor READ backColor WRITE setBackColor)
    Q_PROPERTY(double Left READ left WRITE setLeft)
    Q_PROPERTY(double Top READ top WRITE setTop)
    Q_PROPERTY(double Width READ width WRITE setWidth)
    Q_PROPERTY(double Height READ height WRITE setHeight)
    Q_PROPERTY(double ScaleWidth READ scaleWidth)
    Q_PROPERTY(double ScaleHeight READ scaleHeight)
    Q_PROPERTY(int WindowState READ windowState)

public:
    enum State { Normal = 0, Minimized = 1, Maximized = 2 };

    explicit Form(const QString &name, QObject *parent = nullptr);
    ~Form() override;

    QString name() const { return objectName(); }

    void Load();
    // Loads if needed, shows the window without blocking, and activates it the first time.
    void Show();
    void Unload();
    bool isLoaded() const { return m_loaded; }
    bool isShown() const;

    QString caption() const;
    void setCaption(const QString &caption);
    bool hasDesignCaption() const { return !m_designCaption.isEmpty(); }
    QString tag() const { return m_tag; }
    void setTag(const QString &tag) { m_tag = tag; }
    uint backColor() const { return m_backColor; }
    void setBackColor(uint bbggrr);

    double left() const;
    double top() const;
    double width() const;
    double height() const;
    void setLeft(double twips);
    void setTop(double twips);
    void setWidth(double twips);
    void setHeight(double twips);
    double scaleWidth() const;
    double scaleHeight() const;
    int windowState() const;

    // Controls in control order (menus included).
    const QList<Control *> &controls() const { return m_controls; }
    Control *control(const QString &name, int index = -1) const;
    // The elements of a control array, by increasing index.
    QList<Control *> controlArray(const QString &name) const;
    // Loads a new element of a menu array at run time, beside the given element; it
    // starts visible with an empty caption. Null when that index exists already.
    Menu *loadMenuElement(Menu *sibling, int index);

    // The font of menu titles and entries, drawn `scale` times its designed size.
    static QFont menuFont(double scale = 1.0);
    // How much larger than designed the window draws its texts and lines now (textScaleFor its
    // size): 1 up to a window of 1080 pixels high.
    double textScale() const { return m_textScale; }

    // Freezes drawing for a batch of changes; the window repaints once when released.
    void freezeDrawing(bool frozen);

    // The program's one top-level window, which every loaded form shows its page in; the form
    // shown last is on screen, with its caption as the window's title. Null while not loaded.
    QWidget *window() const;
    QWidget *surface() const;
    // Deletes the window at the end of the run, once every form is unloaded.
    static void closeWindow();

    // Windows loaded now, in the order they were loaded.
    static QList<Form *> loadedForms();

protected:
    // Builds the controls with their design state, in control order, then wires events.
    virtual void createControls() = 0;
    virtual void Form_Load() {}
    virtual void Form_Activate() {}
    virtual void Form_Resize() {}
    virtual void Form_Click() {}
    // A key typed while no control took it (a digit, a letter): text is what it types.
    virtual void Form_KeyPress(const QString &text) { Q_UNUSED(text); }
    // The window manager's close button (or Alt+F4). Default: the window closes (unloads).
    virtual void Form_CloseRequest() { Unload(); }

    void setDesignCaption(const QString &caption);
    // The control that has the keyboard focus when the window comes on screen, instead of the
    // first one in reading order.
    void setFirstFocus(Control *control);
    // The client area at design time, in twips.
    void setDesignSize(double scaleWidth, double scaleHeight);

    Label *addLabel(const QString &name, double left, double top, double width, double height,
                    const QString &caption = {}, Frame *container = nullptr, int index = -1);
    CommandButton *addButton(const QString &name, double left, double top, double width, double height,
                             const QString &caption = {}, Frame *container = nullptr, int index = -1);
    CheckBox *addCheckBox(const QString &name, double left, double top, double width, double height,
                          const QString &caption = {}, Frame *container = nullptr, int index = -1);
    Image *addImage(const QString &name, double left, double top, double width, double height,
                    Frame *container = nullptr, int index = -1);
    Frame *addFrame(const QString &name, double left, double top, double width, double height,
                    Frame *container = nullptr, int index = -1);
    Shape *addShape(const QString &name, double left, double top, double width, double height,
                    Frame *container = nullptr, int index = -1);
    Line *addLine(const QString &name, double x1, double y1, double x2, double y2, Frame *container = nullptr,
                  int index = -1);
    Menu *addMenu(const QString &name, const QString &caption, Menu *parent = nullptr, int index = -1);
    // A clickable place of any outline (points in twips, in the window), drawn as nothing.
    Area *addArea(const QString &name, const QPolygonF &outline, int index = -1);
    // The cheer over the whole window (see Celebration); hidden until it is started.
    Celebration *addCelebration(const QString &name);

private:
    friend class detail::FormWindow;
    template <class T> T *place(T *control, double left, double top, double width, double height);
    QWidget *containerWidget(Frame *container) const;
    void registerControl(Control *control);
    QMenuBar *menuBar();
    int menuBarHeight() const;
    void layoutChildren();
    // Follows the window's size with the size of texts and lines.
    void updateTextScale();
    // The outer place and size: the window's once the form is on screen, its own before.
    QPoint outerPos() const;
    QSize outerSize() const;
    void moveTo(QPoint at);
    void resizeTo(QSize size);
    // Puts the form's page into its window, at the form's geometry and with its caption.
    void putOnScreen();
    void geometryChanged();
    void notifyResize();
    // Tab goes through the controls as a child reads: rows from the top, each from the left.
    // Returns the first control in that order.
    QWidget *setReadingTabOrder();

    QString m_designCaption;
    QString m_caption;
    QString m_tag;
    uint m_backColor = 0xF0F0F0;
    double m_designWidth = 9000, m_designHeight = 6000;
    bool m_loaded = false;
    bool m_activated = false;
    bool m_inResize = false;
    double m_textScale = 1.0;
    QPointer<QWidget> m_firstFocus;
    int m_lastInnerW = -1, m_lastInnerH = -1;
    QList<Control *> m_controls;
    QPointer<detail::FormWindow> m_window;
    // Everything the form shows (menu bar and surface) sits on one page inside the window.
    // While the form is not on screen its geometry is its own; while it is, the window's.
    QPointer<QWidget> m_page;
    QRect m_geometry;
    bool m_onScreen = false;
    bool m_placed = false;
    detail::SurfaceWidget *m_surface = nullptr;
    QMenuBar *m_menuBar = nullptr;
};

} // namespace platform
