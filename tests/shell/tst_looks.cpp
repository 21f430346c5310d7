// What a child sees, on a classroom whiteboard of 1024 x 768: readable counters and answered
// buttons on every background colour, a sound switch that shows, no caption cut off anywhere.

#include "shell/ProgramFixture.h"

#include "activities/comparison/form1.h"
#include "platform/CheckBox.h"
#include "platform/Label.h"
#include "shell/Colours.h"
#include "shell/FormAvvio.h"

#include <QCheckBox>
#include <QFontMetrics>
#include <QPushButton>

using platform::contrastRatio;
using platform::toQColor;
using testkit::ProgramFixture;

namespace {

// The ink of a painted control: the pixel that stands out most from the given colour.
QColor strongestInk(const QImage &shot, const QColor &face)
{
    QColor best = face;
    for (int y = 0; y < shot.height(); ++y)
        for (int x = 0; x < shot.width(); ++x)
            if (contrastRatio(shot.pixelColor(x, y), face) > contrastRatio(best, face))
                best = shot.pixelColor(x, y);
    return best;
}

// Where a control's caption has to fit, and the caption itself.
bool captionFits(platform::Control *c, QString *why)
{
    QWidget *w = c->widget();
    const auto caption = c->propertyByName("Caption");
    if (!w || !w->isVisible() || !caption || caption->toString().isEmpty())
        return true;
    QRect room = w->rect();
    if (qobject_cast<QPushButton *>(w) && !qobject_cast<QPushButton *>(w)->icon().isNull())
        room.setWidth(room.width() - qMin(room.height() / 2, 96) * 3 / 2);
    if (qobject_cast<QCheckBox *>(w))
        room.setWidth(room.width() - QFontMetrics(w->font()).height() * 3 / 2 - 6);
    room.adjust(4, 0, -4, 0);
    const QRect need = QFontMetrics(w->font()).boundingRect(room, Qt::TextWordWrap | Qt::AlignCenter, caption->toString());
    const QRect onScreen(w->mapToGlobal(QPoint(0, 0)), w->size());
    if (room.contains(need) && QGuiApplication::primaryScreen()->geometry().contains(onScreen))
        return true;
    QDebug(why) << c->name() << caption->toString() << "needs" << need.size() << "in" << room.size() << "at" << onScreen.topLeft();
    return false;
}

} // namespace

class TstLooks : public QObject
{
    Q_OBJECT

    ProgramFixture f;

private slots:
    void init() { QVERIFY(f.setUp()); }
    void cleanup() { f.tearDown(); }

    // Every text on every activity window, the counters first, reads on all background colours.
    void textReadableOnEveryBackground()
    {
        QStringList problems;
        for (const ProgramWindows::Entry &e : ProgramWindows::all()) {
            if (e.menuButton.isEmpty())
                continue; // the splash and the menu keep their own colours
            platform::Form *w = Forms::get(e.name);
            w->Show();
            for (const std::uint32_t colour : Modulo1::kBackColours) {
                w->setBackColor(colour);
                for (platform::Control *c : w->controls()) {
                    auto *label = qobject_cast<platform::Label *>(c);
                    if (!label || label->caption().trimmed().isEmpty())
                        continue;
                    const QColor ground = toQColor(label->isOpaque() ? label->backColor() : colour);
                    if (contrastRatio(toQColor(label->foreColor()), ground) < 4.5)
                        problems << e.name + u' ' + label->name() + u' ' + QString::number(colour, 16);
                }
            }
            w->Unload();
        }
        QVERIFY2(problems.isEmpty(), qPrintable(problems.join(u'\n')));

        auto *w = ProgramFixture::open(QStringLiteral("form1"));
        QVERIFY(w);
        w->setBackColor(Modulo1::kBackColours[0]);
        for (platform::Label *counter : {w->etEsatti.data(), w->etErrati.data()}) {
            // As painted: the badge behind the text is there.
            const QImage shot = counter->widget()->grab().toImage();
            QCOMPARE(shot.pixelColor(shot.width() / 2, 2), toQColor(counter->backColor()));
        }
        // Green for right, red for wrong.
        const QColor right = toQColor(w->etEsatti->foreColor()), wrong = toQColor(w->etErrati->foreColor());
        QVERIFY(right.green() > right.red() && wrong.red() > wrong.green());
    }

    void rightAnswerButtonLooksRed()
    {
        auto *w = ProgramFixture::open<form1>(QStringLiteral("form1"));
        QVERIFY(w);
        testkit::click(w->ComparedValue[1] == w->ComparedValue[2] ? w->UGUALI : w->DIVERSI);
        for (platform::CommandButton *b : {w->UGUALI.data(), w->DIVERSI.data()}) {
            QVERIFY(!b->widget()->isEnabled());
            const QImage shot = b->widget()->grab().toImage();
            const QColor face = shot.pixelColor(shot.width() / 2, shot.height() / 6);
            QCOMPARE(face, toQColor(b->backColor())); // not washed out
            QVERIFY(contrastRatio(strongestInk(shot.copy(shot.rect().adjusted(8, 8, -8, -8)), face), face) >= 3);
        }
    }

    void soundSwitchShowsOnEveryBackground()
    {
        formMenu *menu = ProgramFixture::menu();
        auto *box = qobject_cast<QCheckBox *>(menu->Check1->widget());
        for (const std::uint32_t colour : Modulo1::kBackColours)
            for (const int ticked : {0, 1}) {
                menu->Check1->setBackColor(colour);
                menu->Check1->setValue(ticked);
                const QImage shot = box->grab().toImage();
                const QColor ground = toQColor(colour);
                // The box: a light inside and a dark edge, one of which stands out from the colour.
                const int side = QFontMetrics(box->font()).height();
                const QColor inside = shot.pixelColor(4 + side / 5, box->height() / 2 - side / 3);
                const QColor edge = shot.pixelColor(5, box->height() / 2);
                QVERIFY2(qMax(contrastRatio(inside, ground), contrastRatio(edge, ground)) >= 3,
                         qPrintable(QString::number(colour, 16)));
                QVERIFY(contrastRatio(strongestInk(shot, ground), ground) >= 4.5);
            }
    }

    // Nothing cut off and nothing off the screen, in every window of the program.
    void nothingClips()
    {
        QStringList problems;
        for (const ProgramWindows::Entry &e : ProgramWindows::all()) {
            platform::Form *w = Forms::get(e.name);
            w->Show();
            for (platform::Control *c : w->controls()) {
                QString why;
                if (!captionFits(c, &why))
                    problems << e.name + u' ' + why;
            }
            w->Unload();
        }
        QVERIFY2(problems.isEmpty(), qPrintable(problems.join(u'\n')));
    }
};
ZORVELLI_WINDOW_TEST_MAIN_AT(TstLooks, 1024, 768)

#include "tst_looks.moc"
