// Every window on screens of every common shape, on a classroom screen of 3840 x 2160: pictures
// keep their proportions and stay centred in their places (a square block is square, a round one
// round, on 4:3, 5:4, 16:10, 16:9 and 21:9 windows, also when the window changes size during a
// game); texts keep their size up to a window 1080 pixels high and grow with it above; no picture
// is shown larger than it was drawn. Run a second time on a desktop that scales everything twice
// itself (QT_SCALE_FACTOR=2): nothing is grown a second time, and pictures are decoded for the
// screen's real pixels.

#include "shell/ProgramFixture.h"

#include "platform/Frame.h"
#include "platform/Paths.h"
#include "platform/Widgets.h"

#include <QImageReader>
#include <QMenuBar>

using testkit::click;
using testkit::ProgramFixture;

namespace {

bool scaledDesktop()
{
    return QGuiApplication::primaryScreen()->devicePixelRatio() > 1;
}

// Opens a window as the program does (the splash at start, an activity from the menu) and gives
// it something of every kind of picture it can show: a face, help pictures, a block in a set or
// a box.
platform::Form *openWithPictures(const QString &name)
{
    platform::Form *w = nullptr;
    if (name == u"FormAvvio") {
        w = ProgramFixture::window(name);
        w->Show();
        return w;
    }
    auto *a = ProgramFixture::open(name);
    if (!a)
        return nullptr;
    a->ShowRightAnswer();
    if (auto *f1 = qobject_cast<form1 *>(a))
        click(f1->Command1);
    if (qobject_cast<FORM2 *>(a)) // the set built, not yet judged
        testkit::answer(a, true);
    if (qobject_cast<GridWindow *>(a))
        click(testkit::answer(a, true));
    return a;
}

// Sets the window to a size in pixels, as a screen of that size would make it.
void resize(platform::Form *w, QSize pixels)
{
    w->window()->setWindowState(Qt::WindowNoState); // a full-screen window keeps the screen's size
    w->setHeight(platform::pixelsToTwips(pixels.height()));
    w->setWidth(platform::pixelsToTwips(pixels.width()));
    QCoreApplication::processEvents();
}

QList<platform::Image *> picturesShown(platform::Form *w)
{
    QList<platform::Image *> shown;
    for (platform::Control *c : w->controls())
        if (auto *image = qobject_cast<platform::Image *>(c);
            image && image->hasPicture() && testkit::shown(image))
            shown << image;
    return shown;
}

// Where a picture was drawn inside its place: what differs from a black ground.
QRect drawnPart(const QImage &shot, const QRect &place)
{
    QRect found;
    for (int y = place.top(); y <= place.bottom(); ++y)
        for (int x = place.left(); x <= place.right(); ++x) {
            const QRgb p = shot.pixel(x, y);
            if (qMax(qRed(p), qMax(qGreen(p), qBlue(p))) > 48)
                found |= QRect(x, y, 1, 1);
        }
    return found;
}

// The point size of every text, by control, with the menu bar's under "menu bar".
QHash<QString, double> fontsOf(platform::Form *w)
{
    QHash<QString, double> points;
    for (platform::Control *c : w->controls())
        if (c->widget() && c->propertyByName("Caption"))
            points.insert(c->name() + QString::number(c->index()), c->widget()->font().pointSizeF());
    if (auto *bar = w->window()->findChild<QMenuBar *>(); bar && bar->isVisible())
        points.insert(QStringLiteral("menu bar"), bar->font().pointSizeF());
    return points;
}

} // namespace

class TstScreens : public QObject
{
    Q_OBJECT

    ProgramFixture f;

private slots:
    void init() { QVERIFY(f.setUp()); }
    void cleanup() { f.tearDown(); }

    // A square shown as a rectangle, a circle as an oval, a picture off the middle of its place,
    // or texts that stay small on a large screen (or change on an ordinary one).
    void everyWindowOnEveryScreen_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QSize>("screen");
        const QSize screens[] = {{1024, 768},  {1280, 1024}, {1680, 1050},
                                 {1920, 1080}, {2560, 1080}, {3840, 2160}};
        QStringList names = ProgramWindows::activityNames();
        names.prepend(QStringLiteral("FormAvvio"));
        for (const QString &name : std::as_const(names))
            for (const QSize s : screens)
                QTest::addRow("%s %dx%d", qPrintable(name), s.width(), s.height()) << name << s;
    }
    void everyWindowOnEveryScreen()
    {
        QFETCH(QString, name);
        QFETCH(QSize, screen);
        if (scaledDesktop())
            QSKIP("on a desktop that scales by itself, see picturesDecodedForTheScreen()");
        platform::seedRandom(7);
        platform::Form *w = openWithPictures(name);
        QVERIFY(w);
        // Texts as designed at 1920 x 1080, then in the window of the row.
        resize(w, QSize(1920, 1080));
        const QHash<QString, double> designed = fontsOf(w);
        QCOMPARE(w->textScale(), 1.0);
        resize(w, screen);
        const double grow = std::max(1.0, std::min(screen.height() / 1080.0, screen.width() / 1440.0));
        const QHash<QString, double> now = fontsOf(w);
        QVERIFY(!designed.isEmpty());
        for (auto it = designed.cbegin(); it != designed.cend(); ++it)
            QVERIFY2(qAbs(now.value(it.key()) - it.value() * grow) < 0.01 * it.value() * grow,
                     qPrintable(it.key()));

        // The pictures on a black ground, nothing else in the way.
        w->setBackColor(0);
        for (platform::Control *c : w->controls()) {
            if (auto *frame = qobject_cast<platform::Frame *>(c))
                frame->setBackColor(0);
            else if (c->widget() && !qobject_cast<platform::Image *>(c))
                c->widget()->hide();
        }
        const QList<platform::Image *> pictures = picturesShown(w);
        QVERIFY(pictures.size() >= 3);
        const QImage shot = w->window()->grab().toImage();
        for (platform::Image *image : pictures) {
            QWidget *place = image->widget();
            const QRect at(place->mapTo(w->window(), QPoint(0, 0)), place->size());
            const QRect drawn = drawnPart(shot, at);
            const QSize file = QImageReader(platform::resolvePath(image->picture())).size();
            QString what;
            QDebug(&what) << image->name() << image->index() << image->picture().section(u'\\', -1) << "drawn"
                          << drawn << "in" << at << "file" << file;
            QVERIFY2(file.isValid() && !drawn.isEmpty(), qPrintable(what));
            // The faces are round pictures on a clear ground: their disc is as wide as high.
            const double fileRatio = double(file.width()) / file.height(),
                         drawnRatio = double(drawn.width()) / drawn.height();
            QVERIFY2(qAbs(drawnRatio / fileRatio - 1) <= 0.02, qPrintable(what));
            // As large as fits, in the middle of the place.
            QVERIFY2(drawn.width() >= at.width() - 2 || drawn.height() >= at.height() - 2 ||
                         image->picture().endsWith(u".png"),
                     qPrintable(what));
            QVERIFY2(qAbs(drawn.center().x() - at.center().x()) <= 1 &&
                         qAbs(drawn.center().y() - at.center().y()) <= 1,
                     qPrintable(what));
        }
    }

    // Every picture decoded for the pixels it is drawn on: on the largest screen at most at the
    // size of its file (the large drawing's, for a large place), as one drawn larger is soft; on
    // a desktop that doubles everything itself, for the real pixels, with texts as on 1920 x 1080
    // (not grown a second time). The arrow of "avanti" at the size it is drawn.
    void picturesDecodedForTheScreen()
    {
        const qreal dpr = QGuiApplication::primaryScreen()->devicePixelRatio();
        QStringList names = ProgramWindows::activityNames();
        if (!scaledDesktop())
            names.prepend(QStringLiteral("FormAvvio"));
        for (const QString &name : std::as_const(names)) {
            platform::seedRandom(3);
            platform::Form *w = openWithPictures(name);
            QVERIFY(w);
            QCOMPARE(w->window()->size(), scaledDesktop() ? QSize(1920, 1080) : QSize(3840, 2160));
            if (scaledDesktop())
                QCOMPARE(w->textScale(), 1.0);
            for (platform::Image *image : picturesShown(w)) {
                auto *widget = static_cast<platform::detail::PictureWidget *>(image->widget());
                const QSize decoded = widget->picture().size();
                const QSize file = QImageReader(platform::resolvePath(widget->drawnFrom())).size();
                const QSize place = widget->size() * dpr;
                QString what;
                QDebug(&what) << name << widget->drawnFrom() << "decoded at" << decoded << "for" << place;
                if (scaledDesktop())
                    QVERIFY2(decoded.width() >= place.width() - 2 || decoded.height() >= place.height() - 2,
                             qPrintable(what));
                else // a tenth larger than drawn shows no softness
                    QVERIFY2(decoded.width() <= file.width() * 1.1 && decoded.height() <= file.height() * 1.1,
                             qPrintable(what));
            }
            if (auto *a = qobject_cast<ActivityFrame *>(w); a && a->bottoneavanti) {
                const QIcon icon = static_cast<QPushButton *>(a->bottoneavanti->widget())->icon();
                QVERIFY(icon.availableSizes().value(0).height() >= a->bottoneavanti->widget()->height() / 2);
            }
            if (auto *a = qobject_cast<ActivityFrame *>(w))
                f.leave(a);
            else
                w->Unload();
        }
    }
};

ZORVELLI_WINDOW_TEST_MAIN_AT(TstScreens, 3840, 2160)

#include "tst_screens.moc"
