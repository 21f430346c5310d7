// Proportional layout on a screen of 12000 x 9000 twips (800 x 600 pixels).

#include "layout/clsResize.h"
#include "platform/Form.h"
#include "platform/Line.h"
#include "platform/Menu.h"
#include "platform/MessageBox.h"
#include "platform/Sound.h"
#include "platform/System.h"

#include <QApplication>
#include <QTest>

#include <cmath>
#include <memory>

using namespace platform;

namespace {

// The controls in the order of snapshot(): four values each (lines: X1, Y1, X2, Y2).
const std::pair<const char *, int> kControls[] = {
    {"Label1", -1}, {"Command1", -1}, {"Image1", 0},  {"Image1", 1},  {"Frame1", -1},
    {"Label3", -1}, {"Line1", -1},    {"Shape1", -1}, {"Check1", -1}, {"Odd", -1}};
constexpr int Label1 = 0, Command1 = 4, Image1_1 = 12, Label3 = 20, Line1 = 24; // offsets in snapshot()
const double kFullW = 12000.0 / 9000, kFullH = 1.5;

// Designed with an inner size of 9000 x 6000; its resize event rescales the controls.
class LayoutWindow : public Form
{
public:
    static constexpr int Plain = 0, WithMenus = 1, Empty = 2;
    explicit LayoutWindow(int kind = Plain) : Form(QStringLiteral("frmLayout")), m_kind(kind)
    {
        setDesignSize(9000, 6000);
    }
    std::unique_ptr<clsResize> resizer;
    int resizes = 0;

    void sizeToScreen(std::uint8_t percent)
    {
        resizer = std::make_unique<clsResize>();
        resizer->setSourceForm(this);
        resizer->SizeFormToScreen(percent);
    }
    void place(double left, double top, double width, double height)
    {
        setTop(top);
        setLeft(left);
        setWidth(width);
        setHeight(height);
    }
    void fullScreen() { place(0, 0, 12000, 9000); }

protected:
    void createControls() override
    {
        if (m_kind == Empty)
            return;
        addLabel("Label1", 600, 450, 3000, 900, "Label1");
        addButton("Command1", 4500, 3000, 1800, 1200, "Command1");
        addImage("Image1", 300, 1500, 1200, 1200, nullptr, 0);
        addImage("Image1", 1800, 1500, 1200, 1200, nullptr, 1);
        Frame *frame = addFrame("Frame1", 4500, 300, 3600, 2400);
        addLabel("Label3", 150, 300, 1500, 450, "Label3", frame);
        addLine("Line1", 300, 450, 8700, 5550);
        addShape("Shape1", 600, 4500, 2400, 900);
        addCheckBox("Check1", 6000, 4800, 2400, 300, "Check1");
        addLabel("Odd", 100.5, 2.5, 101.5, 3.5, "Odd"); // halves to round
        if (m_kind == WithMenus) {
            addMenu("mnuApri", "Apri", addMenu("mnuFile", "File"));
            addMenu("mnuEsci", "Esci");
        }
    }
    void Form_Resize() override
    {
        ++resizes;
        if (resizer)
            resizer->ResizeControls();
    }

private:
    int m_kind;
};

QList<double> snapshot(const Form &f)
{
    QList<double> out;
    for (const auto &[name, index] : kControls) {
        Control *c = f.control(QString::fromLatin1(name), index);
        if (auto *line = qobject_cast<Line *>(c))
            out << line->x1() << line->y1() << line->x2() << line->y2();
        else if (auto *p = static_cast<PositionedControl *>(c))
            out << p->left() << p->top() << p->width() << p->height();
    }
    return out;
}

QList<int> values(const clsResize::ControlLayout &l)
{
    return {l.Left, l.Top, l.Width, l.Height};
}

QList<double> g_design; // snapshot of a window that was never scaled

// Every value is its design value (in whole twips once captured) times the window's ratio.
void verifyScaled(const Form &f, double wr, double hr, bool captured = true)
{
    const QList<double> now = snapshot(f);
    QCOMPARE(now.size(), g_design.size());
    for (int i = 0; i < now.size(); ++i) {
        const double want = (captured ? std::nearbyint(g_design[i]) : g_design[i]) * (i % 2 ? hr : wr);
        QVERIFY2(qFuzzyCompare(now[i], want), QByteArray(kControls[i / 4].first) + '.' + "LTWH"[i % 4] +
                                                  " = " + QByteArray::number(now[i]));
    }
}

} // namespace

class TstLayout : public QObject
{
    Q_OBJECT
    LayoutWindow *m_window = nullptr;

private slots:
    void initTestCase()
    {
        setMessageAnswerer([](const MessageRequest &) { return MsgResult::Ok; });
        setSoundSink([](const QString &) {});
        QVERIFY2(screenWidthTwips() == 12000 && screenHeightTwips() == 9000, "screen not configured");
        LayoutWindow w;
        w.Load();
        g_design = snapshot(w);
        w.Unload();
    }
    void init()
    {
        m_window = new LayoutWindow;
        m_window->Show();
    }
    void cleanup()
    {
        m_window->resizer.reset();
        m_window->Unload();
        delete m_window;
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    void designIsCaptured()
    {
        m_window->setWidth(6000);
        clsResize r;
        r.setSourceForm(m_window);
        QVERIFY(r.needsCapture());
        r.ResizeControls(); // the first resize only captures
        verifyScaled(*m_window, 1, 1, false);
        QCOMPARE(QSize(r.capturedWidth(), r.capturedHeight()), QSize(6000, 6000));
        const auto &layouts = r.controlLayouts();
        QCOMPARE(layouts.size(), m_window->controls().size());
        QCOMPARE(values(layouts[6]), QList<int>({300, 450, 8700, 5550})); // line end points
        QCOMPARE(values(layouts.last()), QList<int>({100, 2, 102, 4}));   // halves to even

        m_window->setWidth(12000); // from then on it scales against what it captured
        r.ResizeControls();
        verifyScaled(*m_window, 2, 1);
    }

    void sizeFormToScreen_data()
    {
        QTest::addColumn<int>("percent");
        QTest::addColumn<QRectF>("frame"); // left, top, width, height
        QTest::newRow("75") << 75 << QRectF(1500, 1125, 9000, 6750);
        QTest::newRow("100") << 100 << QRectF(0, 0, 12000, 9000);
        QTest::newRow("33") << 33 << QRectF(4020, 3015, 3960, 2970);
    }
    void sizeFormToScreen()
    {
        QFETCH(int, percent);
        QFETCH(QRectF, frame);
        m_window->sizeToScreen(std::uint8_t(percent));
        QCOMPARE(QRectF(m_window->left(), m_window->top(), m_window->width(), m_window->height()), frame);
        QCOMPARE(m_window->window()->pos(), (frame.topLeft() / 15).toPoint());
        QCOMPARE(m_window->window()->size(), (frame.size() / 15).toSize());
        verifyScaled(*m_window, frame.width() / 9000, frame.height() / 6000);
        QVERIFY(m_window->window()->updatesEnabled());
    }

    void fullScreenScalesFromDesignWithoutDrift()
    {
        m_window->sizeToScreen(75);
        const QList<double> at75 = snapshot(*m_window);
        QCOMPARE(at75.mid(Label1, 4), QList<double>({600, 506.25, 3000, 1012.5}));
        QCOMPARE(at75[Label3 + 1], 337.5); // inside its frame
        m_window->fullScreen();
        verifyScaled(*m_window, kFullW, kFullH);
        const QList<double> full = snapshot(*m_window);
        QCOMPARE(full.mid(Label1, 2), QList<double>({800, 675}));
        QCOMPARE(m_window->control("Label1")->widget()->geometry(), QRect(53, 45, 267, 90));
        QCOMPARE(m_window->control("Label3")->widget()->geometry(), QRect(13, 30, 134, 45));
        QCOMPARE(m_window->surface()->size(), QSize(800, 600));

        // Odd sizes over and over, then back: nothing has drifted.
        const int before = m_window->resizes;
        for (int i = 0; i < 60; ++i) {
            m_window->setWidth(1500 + 157 * i);
            m_window->setHeight(9000 - 131 * i);
        }
        QVERIFY(m_window->resizes >= before + 100);
        m_window->place(1500, 1125, 9000, 6750);
        QCOMPARE(snapshot(*m_window), at75);
        m_window->fullScreen();
        QCOMPARE(snapshot(*m_window), full);
    }

    void linesScaleTheirEndPoints()
    {
        Control *line = m_window->control("Line1");
        line->setTag("@LT"); // the first end only
        m_window->sizeToScreen(75);
        QCOMPARE(snapshot(*m_window).mid(Line1, 4), QList<double>({300, 450 * 1.125, 8700, 5550}));
        QVERIFY(line->dynamicPropertyNames().isEmpty()); // no "Left" etc. stuck on it
    }

    void scalingTags_data()
    {
        QTest::addColumn<QString>("tag");
        QTest::addColumn<QString>("scaled"); // which of L, T, W, H follow the window
        const char *rows[][3] = {{"no tag", "", "LTWH"},
                                 {"moves only", "@LT", "LT"},
                                 {"lower case", "@lt", "LT"},
                                 {"size only, commas", "@W,H", "WH"},
                                 {"letters anywhere", "@ xh!", "H"},
                                 {"at sign alone", "@", ""},
                                 {"no leading @", "LT", "LTWH"},
                                 {"@ later", " @LT", "LTWH"}};
        for (const auto &r : rows)
            QTest::newRow(r[0]) << QString(r[1]) << QString(r[2]);
    }
    void scalingTags()
    {
        QFETCH(QString, tag);
        QFETCH(QString, scaled);
        m_window->control("Label1")->setTag(tag);
        m_window->control("Image1", 1)->setTag(tag); // an array element
        m_window->sizeToScreen(100);
        const QList<double> now = snapshot(*m_window);
        for (int at : {Label1, Image1_1})
            for (int i = 0; i < 4; ++i) {
                const double ratio = scaled.contains(QChar(u"LTWH"[i])) ? (i % 2 ? kFullH : kFullW) : 1;
                QCOMPARE(now[at + i], g_design[at + i] * ratio);
            }
        QCOMPARE(now[Command1 + 2], 1800 * kFullW); // an untagged neighbour
    }

    void menusArePassedOver()
    {
        LayoutWindow w(LayoutWindow::WithMenus);
        w.Show();
        QVERIFY(w.height() > w.scaleHeight()); // a menu bar
        w.sizeToScreen(75);
        for (const clsResize::ControlLayout &l : w.resizer->controlLayouts())
            if (qobject_cast<Menu *>(l.control)) {
                QCOMPARE(values(l), QList<int>({0, 0, 0, 0}));
                QVERIFY(l.control->dynamicPropertyNames().isEmpty());
            }
        verifyScaled(w, w.scaleWidth() / 9000, w.scaleHeight() / 6000);
        w.fullScreen();
        verifyScaled(w, w.scaleWidth() / 9000, w.scaleHeight() / 6000);
        w.resizer.reset();
        w.Unload();
    }

    void windowWithoutControls()
    {
        LayoutWindow w(LayoutWindow::Empty);
        w.Show();
        clsResize r;
        r.setSourceForm(&w);
        r.ResizeControls();
        QVERIFY(r.needsCapture()); // nothing to do, not even a capture
        r.SizeFormToScreen(75);
        QCOMPARE(QSizeF(w.width(), w.height()), QSizeF(9000, 6750));
        QVERIFY(r.controlLayouts().isEmpty());
        r.ResizeControls();
        QVERIFY(w.window()->updatesEnabled());
        clsResize unbound; // nor does a resizer without a window do anything
        unbound.ResizeControls();
        unbound.SizeFormToScreen(75);
        unbound.ReInitialise();
        w.Unload();
    }

    void minimisedWindowIsLeftAlone()
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
        verifyScaled(*m_window, kFullW, kFullH);
    }

    void windowUnloadedUnderTheResizer()
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
};

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
