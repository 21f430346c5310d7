// Proportional layout on a screen of 12000 x 9000 twips (800 x 600 pixels).

#include "layout/clsResize.h"
#include "platform/Form.h"
#include "platform/Line.h"
#include "platform/Menu.h"
#include "platform/System.h"

#include <QApplication>
#include <QTest>

#include <cmath>
#include <memory>

using namespace platform;

namespace {

// Designed with an inner size of 9000 x 6000, below a menu bar; its resize event rescales it.
class LayoutWindow : public Form
{
public:
    LayoutWindow() : Form(QStringLiteral("frmLayout")) { setDesignSize(9000, 6000); }
    std::unique_ptr<clsResize> resizer;

    void sizeToScreen(std::uint8_t percent)
    {
        (resizer = std::make_unique<clsResize>())->setSourceForm(this);
        resizer->SizeFormToScreen(percent);
    }

protected:
    void createControls() override
    {
        addLabel("Label1", 600, 450, 3000, 900, "Label1");
        addImage("Image1", 300, 1500, 1200, 1200, nullptr, 0);
        addImage("Image1", 1800, 1500, 1200, 1200, nullptr, 1);
        addLabel("Label3", 150, 300, 1500, 450, "Label3", addFrame("Frame1", 4500, 300, 3600, 2400));
        addLine("Line1", 300, 450, 8700, 5550);
        addLabel("Odd", 100.5, 2.5, 101.5, 3.5, "Odd"); // halves to round
        addMenu("mnuApri", "Apri", addMenu("mnuFile", "File"));
    }
    void Form_Resize() override
    {
        if (resizer)
            resizer->ResizeControls();
    }
};

// Each control's left, top, width and height (a line's X1, Y1, X2, Y2), by name and index.
QMap<QString, QList<double>> snapshot(const Form &f)
{
    QMap<QString, QList<double>> out;
    for (Control *c : f.controls()) {
        const QString key = c->name() + QString::number(c->index());
        if (auto *line = qobject_cast<Line *>(c))
            out[key] = {line->x1(), line->y1(), line->x2(), line->y2()};
        else if (auto *p = qobject_cast<PositionedControl *>(c))
            out[key] = {p->left(), p->top(), p->width(), p->height()};
    }
    return out;
}

QMap<QString, QList<double>> g_design; // of a window that was never scaled

// Every value is its design value (in whole twips once captured) times the ratio of the
// window's inner size to its design size (or the ratios given).
void verifyScaled(const Form &f, bool captured = true, double wr = 0, double hr = 0)
{
    const double ratio[] = {wr ? wr : f.scaleWidth() / 9000, hr ? hr : f.scaleHeight() / 6000};
    const auto now = snapshot(f);
    QCOMPARE(now.keys(), g_design.keys());
    for (const auto &[key, design] : g_design.asKeyValueRange())
        for (int i = 0; i < 4; ++i)
            QVERIFY2(qFuzzyCompare(now[key][i], (captured ? std::nearbyint(design[i]) : design[i]) * ratio[i % 2]),
                     qPrintable(key + u'.' + u"LTWH"[i] + u' ' + QString::number(now[key][i])));
}

} // namespace

class TstLayout : public QObject
{
    Q_OBJECT
    LayoutWindow *m_window = nullptr;

private slots:
    void initTestCase()
    {
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
        QVERIFY(m_window->height() > m_window->scaleHeight()); // the menu bar
    }
    void cleanup()
    {
        m_window->resizer.reset();
        m_window->Unload();
        delete m_window;
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    // A window that jumps at its first resize, or scales from the wrong size: the first resize
    // only records the design (whole twips, lines by their end points), later ones scale it.
    void designIsCaptured()
    {
        m_window->setWidth(6000);
        clsResize r;
        r.setSourceForm(m_window);
        r.ResizeControls();
        verifyScaled(*m_window, false, 1, 1);
        QCOMPARE(r.capturedWidth(), 6000);
        m_window->setWidth(12000);
        r.ResizeControls();
        verifyScaled(*m_window, true, 2, 1);
    }

    // A window off centre or of the wrong size, drawing left frozen, controls under the menu
    // bar or creeping after many resizes: every resize scales the design by the inner size.
    void sizeFormToScreen_data()
    {
        QTest::addColumn<int>("percent");
        QTest::addColumn<QRectF>("frame"); // left, top, width, height
        QTest::newRow("75") << 75 << QRectF(1500, 1125, 9000, 6750);
        QTest::newRow("33") << 33 << QRectF(4020, 3015, 3960, 2970);
    }
    void sizeFormToScreen()
    {
        QFETCH(int, percent);
        QFETCH(QRectF, frame);
        m_window->sizeToScreen(std::uint8_t(percent));
        QCOMPARE(QRectF(m_window->left(), m_window->top(), m_window->width(), m_window->height()), frame);
        QVERIFY(m_window->window()->updatesEnabled());
        verifyScaled(*m_window);
        const auto before = snapshot(*m_window);
        for (int i = 0; i < 40; ++i) {
            m_window->setWidth(1500 + 157 * i);
            m_window->setHeight(9000 - 131 * i);
        }
        m_window->resizer->SizeFormToScreen(std::uint8_t(percent));
        QCOMPARE(snapshot(*m_window), before);
    }

    // A control that should keep its place or size and does not: "@" and the letters L, T, W, H
    // (any case, anywhere after it) say what follows the window; without a leading "@" all does.
    void scalingTags_data()
    {
        QTest::addColumn<QString>("tag");
        QTest::addColumn<QString>("scaled");
        for (const auto &[tag, scaled] : {std::pair{"@lt", "LT"}, {"@ W,h!", "WH"}, {"@", ""}, {"LT", "LTWH"}, {" @LT", "LTWH"}})
            QTest::newRow(tag) << QString(tag) << QString(scaled);
    }
    void scalingTags()
    {
        QFETCH(QString, tag);
        QFETCH(QString, scaled);
        for (const char *name : {"Label1", "Line1"})
            m_window->control(name)->setTag(tag);
        m_window->control("Image1", 1)->setTag(tag); // an array element
        m_window->sizeToScreen(100);
        const double ratio[] = {m_window->scaleWidth() / 9000, m_window->scaleHeight() / 6000};
        auto now = snapshot(*m_window);
        for (const char *key : {"Label1-1", "Image11", "Line1-1"})
            for (int i = 0; i < 4; ++i)
                QCOMPARE(now[key][i], g_design[key][i] * (scaled.contains(u"LTWH"[i]) ? ratio[i % 2] : 1));
        QCOMPARE(now["Image10"][2], 1200 * ratio[0]); // an untagged neighbour
    }

    // A crash, or controls squashed to nothing: a minimised window, one unloaded under its
    // resizer and a resizer without a window are left alone.
    void leftAlone()
    {
        m_window->sizeToScreen(75);
        const auto at75 = snapshot(*m_window);
        m_window->window()->setWindowState(Qt::WindowMinimized);
        m_window->resizer->SizeFormToScreen(100);
        QCOMPARE(snapshot(*m_window), at75);
        m_window->window()->setWindowState(Qt::WindowNoState);
        m_window->resizer->ResizeControls();
        verifyScaled(*m_window);

        m_window->Unload();
        m_window->resizer->ResizeControls();
        m_window->resizer->SizeFormToScreen(100);
        m_window->Show(); // new controls, not the captured ones: they keep their design values
        m_window->resizer->ResizeControls();
        verifyScaled(*m_window, false, 1, 1);
        clsResize unbound;
        unbound.ResizeControls();
        unbound.SizeFormToScreen(75);
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
