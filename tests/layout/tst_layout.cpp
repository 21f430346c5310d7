// Proportional layout on a screen of 12000 x 9000 twips (800 x 600 pixels): sizing a window
// to a share of the screen, and scaling its controls from their design values.

#include "layout/clsResize.h"
#include "platform/CheckBox.h"
#include "platform/CommandButton.h"
#include "platform/ControlArray.h"
#include "platform/Form.h"
#include "platform/Frame.h"
#include "platform/Image.h"
#include "platform/Label.h"
#include "platform/Line.h"
#include "platform/Menu.h"
#include "platform/MessageBox.h"
#include "platform/Shape.h"
#include "platform/Sound.h"
#include "platform/System.h"

#include <QApplication>
#include <QScopeGuard>
#include <QTest>

#include <cmath>
#include <memory>

using namespace platform;

namespace {

// Design positions of the test window's controls, in twips (lines: X1, Y1, X2, Y2).
struct Design
{
    const char *name;
    int index;
    double left, top, width, height;
};

const Design kDesign[] = {
    {"Label1", -1, 600, 450, 3000, 900},   {"Command1", -1, 4500, 3000, 1800, 1200},
    {"Image1", 0, 300, 1500, 1200, 1200},  {"Image1", 1, 1800, 1500, 1200, 1200},
    {"Frame1", -1, 4500, 300, 3600, 2400}, {"Label3", -1, 150, 300, 1500, 450},
    {"Line1", -1, 300, 450, 8700, 5550},   {"Shape1", -1, 600, 4500, 2400, 900},
    {"Check1", -1, 6000, 4800, 2400, 300}, {"Odd", -1, 100.5, 2.5, 101.5, 3.5},
};

// A window designed with an inner size of 9000 x 6000 twips and no menu bar; its resize
// event rescales the controls, as every window of the program does.
class LayoutWindow : public Form
{
public:
    explicit LayoutWindow(const QString &name = QStringLiteral("frmLayout")) : Form(name)
    {
        setDesignSize(9000, 6000);
    }

    std::unique_ptr<clsResize> resizer;
    int resizes = 0;

    // The load step of every window: a new layout object, bound, sized to a share of the screen.
    void sizeToScreen(std::uint8_t percent)
    {
        resizer = std::make_unique<clsResize>();
        resizer->setSourceForm(this);
        resizer->SizeFormToScreen(percent);
    }
    void fullScreen()
    {
        setTop(0);
        setLeft(0);
        setWidth(screenWidthTwips());
        setHeight(screenHeightTwips());
    }

protected:
    void createControls() override
    {
        ControlArray<Image> images;
        Frame *frame = nullptr;
        for (const Design &d : kDesign) {
            const QString name = QString::fromLatin1(d.name);
            if (name == QLatin1String("Label1") || name == QLatin1String("Odd"))
                addLabel(name, d.left, d.top, d.width, d.height, name);
            else if (name == QLatin1String("Command1"))
                addButton(name, d.left, d.top, d.width, d.height, name);
            else if (name == QLatin1String("Image1"))
                addImage(name, d.left, d.top, d.width, d.height, nullptr, d.index);
            else if (name == QLatin1String("Frame1"))
                frame = addFrame(name, d.left, d.top, d.width, d.height);
            else if (name == QLatin1String("Label3"))
                addLabel(name, d.left, d.top, d.width, d.height, name, frame);
            else if (name == QLatin1String("Line1"))
                addLine(name, d.left, d.top, d.width, d.height);
            else if (name == QLatin1String("Shape1"))
                addShape(name, d.left, d.top, d.width, d.height);
            else if (name == QLatin1String("Check1"))
                addCheckBox(name, d.left, d.top, d.width, d.height, name);
        }
        addMenus();
    }
    virtual void addMenus() {}
    void Form_Resize() override
    {
        ++resizes;
        if (resizer)
            resizer->ResizeControls();
    }
};

// The same window with a menu bar: menus have no position and are passed over.
class MenuLayoutWindow : public LayoutWindow
{
public:
    MenuLayoutWindow() : LayoutWindow(QStringLiteral("frmMenuLayout")) {}
    Menu *mnuFile = nullptr;
    Menu *mnuEsci = nullptr;

protected:
    void addMenus() override
    {
        mnuFile = addMenu(QStringLiteral("mnuFile"), QStringLiteral("File"));
        addMenu(QStringLiteral("mnuApri"), QStringLiteral("Apri"), mnuFile);
        mnuEsci = addMenu(QStringLiteral("mnuEsci"), QStringLiteral("Esci"));
    }
};

class EmptyWindow : public Form
{
public:
    EmptyWindow() : Form(QStringLiteral("frmEmpty")) { setDesignSize(9000, 6000); }
    int resizes = 0;

protected:
    void createControls() override {}
    void Form_Resize() override { ++resizes; }
};

struct Box
{
    double left, top, width, height;
};

Box boxOf(const Form &f, const Design &d)
{
    Control *c = f.control(QString::fromLatin1(d.name), d.index);
    if (!c)
        return {-1, -1, -1, -1};
    if (auto *line = qobject_cast<Line *>(c))
        return {line->x1(), line->y1(), line->x2(), line->y2()};
    auto *p = static_cast<PositionedControl *>(c);
    return {p->left(), p->top(), p->width(), p->height()};
}

// Every control sits at its design values times the ratios (X values by width, Y by height).
// Scaling starts from the design values as captured, in whole twips; a window that has not
// been scaled yet still shows them as designed.
void verifyScaled(const Form &f, double widthRatio, double heightRatio, bool scaled = true)
{
    const auto captured = [scaled](double v) { return scaled ? std::nearbyint(v) : v; };
    for (const Design &d : kDesign) {
        const Box b = boxOf(f, d);
        const QByteArray what = QByteArray(d.name) + '(' + QByteArray::number(d.index) + ')';
        QVERIFY2(qFuzzyCompare(b.left, captured(d.left) * widthRatio),
                 what + " left " + QByteArray::number(b.left));
        QVERIFY2(qFuzzyCompare(b.top, captured(d.top) * heightRatio),
                 what + " top " + QByteArray::number(b.top));
        QVERIFY2(qFuzzyCompare(b.width, captured(d.width) * widthRatio),
                 what + " width " + QByteArray::number(b.width));
        QVERIFY2(qFuzzyCompare(b.height, captured(d.height) * heightRatio),
                 what + " height " + QByteArray::number(b.height));
    }
}

QList<double> snapshot(const Form &f)
{
    QList<double> out;
    for (const Design &d : kDesign) {
        const Box b = boxOf(f, d);
        out << b.left << b.top << b.width << b.height;
    }
    return out;
}

} // namespace

class TstLayout : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void designIsCaptured();
    void sizeFormToScreen_data();
    void sizeFormToScreen();
    void seventyFivePerCent();
    void fullScreenScalesFromDesign();
    void noAccumulation();
    void linesScaleTheirEndPoints();
    void widgetsFollowTheTwips();
    void scalingTags_data();
    void scalingTags();
    void menusArePassedOver();
    void windowWithoutControls();
    void firstResizeOnlyCaptures();
    void minimisedWindowIsLeftAlone();
    void windowUnloadedUnderTheResizer();

private:
    LayoutWindow *m_window = nullptr;
};

void TstLayout::initTestCase()
{
    setMessageAnswerer([](const MessageRequest &) { return MsgResult::Ok; });
    setSoundSink([](const QString &) {});
    QVERIFY2(screenWidthTwips() == 12000 && screenHeightTwips() == 9000,
             qPrintable(QStringLiteral("screen is %1 x %2 twips; the screen configuration was not applied")
                            .arg(screenWidthTwips())
                            .arg(screenHeightTwips())));
}

void TstLayout::init()
{
    m_window = new LayoutWindow;
    m_window->Show();
}

void TstLayout::cleanup()
{
    m_window->resizer.reset();
    m_window->Unload();
    delete m_window;
    m_window = nullptr;
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void TstLayout::designIsCaptured()
{
    QCOMPARE(m_window->scaleWidth(), 9000.0);
    QCOMPARE(m_window->scaleHeight(), 6000.0);
    clsResize r;
    r.setSourceForm(m_window);
    QVERIFY(r.needsCapture());
    r.ReInitialise();
    QVERIFY(!r.needsCapture());
    QCOMPARE(r.SourceForm(), m_window);
    QCOMPARE(r.capturedWidth(), 9000);
    QCOMPARE(r.capturedHeight(), 6000);
    const QList<clsResize::ControlLayout> &layouts = r.controlLayouts();
    QCOMPARE(layouts.size(), m_window->controls().size());
    for (int i = 0; i < layouts.size(); ++i)
        QCOMPARE(layouts[i].control.data(), m_window->controls()[i]);
    // Line end points in place of position and size.
    const auto &line = layouts[6];
    QCOMPARE(line.control->name(), QStringLiteral("Line1"));
    QCOMPARE(QList<int>({line.Left, line.Top, line.Width, line.Height}), QList<int>({300, 450, 8700, 5550}));
    // Whole twips, halves to the even neighbour.
    const auto &odd = layouts.last();
    QCOMPARE(odd.control->name(), QStringLiteral("Odd"));
    QCOMPARE(QList<int>({odd.Left, odd.Top, odd.Width, odd.Height}), QList<int>({100, 2, 102, 4}));
}

void TstLayout::sizeFormToScreen_data()
{
    QTest::addColumn<int>("percent");
    QTest::addColumn<double>("top");
    QTest::addColumn<double>("left");
    QTest::addColumn<double>("width");
    QTest::addColumn<double>("height");
    QTest::newRow("75") << 75 << 1125.0 << 1500.0 << 9000.0 << 6750.0;
    QTest::newRow("100") << 100 << 0.0 << 0.0 << 12000.0 << 9000.0;
    QTest::newRow("50") << 50 << 2250.0 << 3000.0 << 6000.0 << 4500.0;
    QTest::newRow("33") << 33 << 3015.0 << 4020.0 << 3960.0 << 2970.0;
    QTest::newRow("1") << 1 << 4455.0 << 5940.0 << 120.0 << 90.0;
}

void TstLayout::sizeFormToScreen()
{
    QFETCH(int, percent);
    QFETCH(double, top);
    QFETCH(double, left);
    QFETCH(double, width);
    QFETCH(double, height);

    m_window->sizeToScreen(std::uint8_t(percent));
    QCOMPARE(m_window->top(), top);
    QCOMPARE(m_window->left(), left);
    QCOMPARE(m_window->width(), width);
    QCOMPARE(m_window->height(), height);
    QCOMPARE(m_window->window()->pos(), QPoint(int(left / 15), int(top / 15)));
    QCOMPARE(m_window->window()->size(), QSize(int(width / 15), int(height / 15)));
    verifyScaled(*m_window, width / 9000, height / 6000);
    QVERIFY(m_window->window()->updatesEnabled());
}

void TstLayout::seventyFivePerCent()
{
    m_window->sizeToScreen(75);
    auto *label = static_cast<PositionedControl *>(m_window->control(QStringLiteral("Label1")));
    QCOMPARE(label->left(), 600.0);
    QCOMPARE(label->top(), 506.25);
    QCOMPARE(label->width(), 3000.0);
    QCOMPARE(label->height(), 1012.5);
    auto *inFrame = static_cast<PositionedControl *>(m_window->control(QStringLiteral("Label3")));
    QCOMPARE(inFrame->top(), 337.5);
}

void TstLayout::fullScreenScalesFromDesign()
{
    m_window->sizeToScreen(75);
    m_window->fullScreen();
    QCOMPARE(m_window->width(), 12000.0);
    QCOMPARE(m_window->height(), 9000.0);
    verifyScaled(*m_window, 12000.0 / 9000, 9000.0 / 6000);
    auto *label = static_cast<PositionedControl *>(m_window->control(QStringLiteral("Label1")));
    QCOMPARE(label->left(), 800.0);
    QCOMPARE(label->top(), 675.0);
}

void TstLayout::noAccumulation()
{
    m_window->sizeToScreen(75);
    const QList<double> at75 = snapshot(*m_window);
    m_window->fullScreen();
    const QList<double> full = snapshot(*m_window);

    // Odd sizes over and over, each of them a resize event.
    const int before = m_window->resizes;
    for (int i = 0; i < 60; ++i) {
        m_window->setWidth(1500 + 157 * i);
        m_window->setHeight(9000 - 131 * i);
    }
    QVERIFY(m_window->resizes >= before + 100);

    m_window->setTop(1125);
    m_window->setLeft(1500);
    m_window->setWidth(9000);
    m_window->setHeight(6750);
    QCOMPARE(snapshot(*m_window), at75);
    m_window->fullScreen();
    QCOMPARE(snapshot(*m_window), full);
}

void TstLayout::linesScaleTheirEndPoints()
{
    auto *line = qobject_cast<Line *>(m_window->control(QStringLiteral("Line1")));
    QVERIFY(line);
    // A tag on a line picks end points: "@LT" moves the first end only.
    line->setTag(QStringLiteral("@LT"));
    m_window->sizeToScreen(75);
    QCOMPARE(line->x1(), 300.0);
    QCOMPARE(line->y1(), 450 * 1.125);
    QCOMPARE(line->x2(), 8700.0);
    QCOMPARE(line->y2(), 5550.0);

    line->setTag(QString());
    m_window->fullScreen();
    const double wr = 12000.0 / 9000, hr = 9000.0 / 6000;
    QCOMPARE(line->x1(), 300 * wr);
    QCOMPARE(line->y1(), 450 * hr);
    QCOMPARE(line->x2(), 8700 * wr);
    QCOMPARE(line->y2(), 5550 * hr);
    QVERIFY(line->dynamicPropertyNames().isEmpty());
    QVERIFY(!line->hasProperty("Left"));
}

void TstLayout::widgetsFollowTheTwips()
{
    m_window->sizeToScreen(100);
    // Label1 at (800, 675, 4000, 1350) twips on the full screen.
    QCOMPARE(m_window->control(QStringLiteral("Label1"))->widget()->geometry(), QRect(53, 45, 267, 90));
    // The frame's child scales inside its frame.
    QCOMPARE(m_window->control(QStringLiteral("Label3"))->widget()->geometry(), QRect(13, 30, 134, 45));
    QCOMPARE(m_window->surface()->size(), QSize(800, 600));
}

void TstLayout::scalingTags_data()
{
    QTest::addColumn<QString>("tag");
    QTest::addColumn<QString>("scaled"); // which of L, T, W, H follow the window
    QTest::newRow("no tag") << ""
                            << "LTWH";
    QTest::newRow("@LT moves only") << "@LT"
                                    << "LT";
    QTest::newRow("lower case") << "@lt"
                                << "LT";
    QTest::newRow("commas") << "@L,T,W,H"
                            << "LTWH";
    QTest::newRow("size only") << "@W,H"
                               << "WH";
    QTest::newRow("letters anywhere") << "@ xh!"
                                      << "H";
    QTest::newRow("at sign alone") << "@"
                                   << "";
    QTest::newRow("no leading @") << "LT"
                                  << "LTWH";
    QTest::newRow("plain text") << "xyz"
                                << "LTWH";
    QTest::newRow("@ later") << " @LT"
                             << "LTWH";
}

void TstLayout::scalingTags()
{
    QFETCH(QString, tag);
    QFETCH(QString, scaled);
    Control *label = m_window->control(QStringLiteral("Label1"));
    Control *image = m_window->control(QStringLiteral("Image1"), 1);
    label->setTag(tag);
    image->setTag(tag);

    m_window->sizeToScreen(100);
    const double wr = 12000.0 / 9000, hr = 1.5;
    for (Control *c : {label, image}) {
        const Design &d = c == label ? kDesign[0] : kDesign[3];
        const Box b = boxOf(*m_window, d);
        QCOMPARE(b.left, scaled.contains(u'L') ? d.left * wr : d.left);
        QCOMPARE(b.top, scaled.contains(u'T') ? d.top * hr : d.top);
        QCOMPARE(b.width, scaled.contains(u'W') ? d.width * wr : d.width);
        QCOMPARE(b.height, scaled.contains(u'H') ? d.height * hr : d.height);
    }
    // Controls without a tag are not affected by their neighbours' tags.
    const Box command = boxOf(*m_window, kDesign[1]);
    QCOMPARE(command.width, 1800 * wr);
}

void TstLayout::menusArePassedOver()
{
    auto *w = new MenuLayoutWindow;
    auto cleanupWindow = qScopeGuard([w] {
        w->resizer.reset();
        w->Unload();
        delete w;
    });
    w->Show();
    const double menuBar = w->height() - w->scaleHeight();
    QVERIFY(menuBar > 0);
    QCOMPARE(w->scaleHeight(), 6000.0);

    w->sizeToScreen(75);
    QCOMPARE(w->height(), 6750.0);
    QCOMPARE(w->resizer->capturedHeight(), 6000);
    // The menus' captured values are all zero: they have no position.
    for (const clsResize::ControlLayout &l : w->resizer->controlLayouts())
        if (qobject_cast<Menu *>(l.control))
            QCOMPARE(QList<int>({l.Left, l.Top, l.Width, l.Height}), QList<int>({0, 0, 0, 0}));
    verifyScaled(*w, w->scaleWidth() / 9000, w->scaleHeight() / 6000);

    w->fullScreen();
    verifyScaled(*w, w->scaleWidth() / 9000, w->scaleHeight() / 6000);
    QCOMPARE(w->mnuFile->caption(), QStringLiteral("File"));
    QVERIFY(w->mnuEsci->visible());
    for (Control *c : w->controls())
        if (qobject_cast<Menu *>(c))
            QVERIFY2(c->dynamicPropertyNames().isEmpty(), qPrintable(c->name()));
}

void TstLayout::windowWithoutControls()
{
    EmptyWindow w;
    w.Show();
    clsResize r;
    r.setSourceForm(&w);
    r.ResizeControls();
    QVERIFY(r.needsCapture()); // nothing to do, not even a capture

    r.SizeFormToScreen(75);
    QCOMPARE(w.width(), 9000.0);
    QCOMPARE(w.height(), 6750.0);
    QVERIFY(r.controlLayouts().isEmpty());
    r.ResizeControls();
    QVERIFY(w.window()->updatesEnabled());

    // Nor does a resizer without a window do anything.
    clsResize unbound;
    unbound.ResizeControls();
    unbound.SizeFormToScreen(75);
    unbound.ReInitialise();
    QVERIFY(!unbound.SourceForm());
    w.Unload();
}

void TstLayout::firstResizeOnlyCaptures()
{
    m_window->setWidth(6000);
    clsResize r;
    r.setSourceForm(m_window);
    r.ResizeControls();
    QVERIFY(!r.needsCapture());
    QCOMPARE(r.capturedWidth(), 6000);
    verifyScaled(*m_window, 1, 1, false);

    // From then on it scales against what it captured.
    m_window->setWidth(12000);
    r.ResizeControls();
    verifyScaled(*m_window, 2, 1);
}

void TstLayout::minimisedWindowIsLeftAlone()
{
    m_window->sizeToScreen(75);
    const QList<double> at75 = snapshot(*m_window);
    m_window->window()->setWindowState(Qt::WindowMinimized);
    QCOMPARE(m_window->windowState(), int(Form::Minimized));
    m_window->resizer->SizeFormToScreen(100);
    m_window->resizer->ResizeControls();
    QCOMPARE(snapshot(*m_window), at75);

    m_window->window()->setWindowState(Qt::WindowNoState);
    m_window->resizer->ResizeControls();
    verifyScaled(*m_window, 12000.0 / 9000, 1.5);
}

void TstLayout::windowUnloadedUnderTheResizer()
{
    m_window->sizeToScreen(75);
    m_window->Unload();
    m_window->resizer->ResizeControls();
    m_window->resizer->SizeFormToScreen(100);

    // Loaded again, its new controls are not the captured ones: they keep their design values.
    m_window->Show();
    m_window->resizer->ResizeControls();
    verifyScaled(*m_window, 1, 1, false);
}

int main(int argc, char **argv)
{
    // The screen must be configured before the application exists.
    qputenv("QT_QPA_PLATFORM",
            "offscreen:configfile=" ZORVELLI_SOURCE_DIR "/tests/layout/screen-800x600.json");
    QApplication app(argc, argv);
    TstLayout test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_layout.moc"
