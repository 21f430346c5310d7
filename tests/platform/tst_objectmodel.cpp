// The window-and-control object model: what a window's code sees of its controls (names,
// indexes, late-bound properties, twips), the load/unload life cycle, clicks by mouse and
// keyboard, menus, pictures and what assistive technology is told; and proportional layout,
// on a screen of 12000 x 9000 twips (800 x 600 pixels).

#include "layout/clsResize.h"
#include "platform/Application.h"
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
#include "platform/Pictures.h"
#include "platform/System.h"
#include "platform/Widgets.h"

#include <QAccessible>
#include <QApplication>
#include <QDir>
#include <QMap>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>
#include <memory>

using namespace platform;
using namespace Qt::StringLiterals;

namespace {

QString nameOf(const Control *c)
{
    return c->isArrayElement() ? u"%1(%2)"_s.arg(c->name()).arg(c->index()) : c->name();
}

// Counts the events of one type that each widget it watches receives.
struct EventCounter : QObject
{
    explicit EventCounter(QEvent::Type type) : type(type) {}
    const QEvent::Type type;
    QMap<QObject *, int> counts;
    bool eventFilter(QObject *o, QEvent *e) override
    {
        if (e->type() == type)
            ++counts[o];
        return false;
    }
};

// A window with one of every kind of control, laid out the way a window definition does it:
// an inner size of 9000 x 6000 twips below a menu bar. Once given a resizer, its resize event
// rescales it.
class TestWindow : public Form
{
public:
    TestWindow() : Form(u"frmTest"_s) { setDesignSize(9000, 6000); }
    using Form::setDesignCaption;
    std::unique_ptr<clsResize> resizer;

    void sizeToScreen(std::uint8_t percent)
    {
        (resizer = std::make_unique<clsResize>())->setSourceForm(this);
        resizer->SizeFormToScreen(percent);
    }

    Label *Label1 = nullptr;
    CommandButton *Command1 = nullptr;
    CheckBox *Check1 = nullptr;
    ControlArray<Image> Image1;
    Frame *Frame1 = nullptr;
    Image *Picture1 = nullptr; // inside Frame1
    Line *Line1 = nullptr;
    Menu *mnuFile = nullptr, *mnuLang = nullptr, *mnuEsci = nullptr;

    int helpCost = 0; // a field the load does not set
    int loads = 0;
    QStringList clicks; // "name" or "name(Index)"

    QList<Control *> clickable() const
    {
        return {Label1, Command1, Check1, Image1(0), Image1(2), Frame1, Picture1};
    }

protected:
    void createControls() override
    {
        Label1 = addLabel(u"Label1"_s, 1500, 750, 3000, 450, u"Ciao"_s);
        Command1 = addButton(u"Command1"_s, 4500, 750, 1500, 600, u"Avanti"_s);
        Check1 = addCheckBox(u"Check1"_s, 300, 300, 2400, 300, u"Suoni"_s);
        for (int i = 0; i < 3; ++i)
            Image1.set(i, addImage(u"Image1"_s, 300 + i * 1500, 1500, 1200, 1200, nullptr, i));
        Frame1 = addFrame(u"Frame1"_s, 300, 3000, 3000, 2400);
        Picture1 = addImage(u"Picture1"_s, 150.5, 149.5, 1500.5, 1499.5, Frame1); // halves to round
        Line1 = addLine(u"Line1"_s, 4500, 3000, 8700, 5700);
        mnuFile = addMenu(u"mnuFile"_s, u"File"_s);
        mnuLang = addMenu(u"mnuLang"_s, u"(lingua)"_s, mnuFile, 0);
        mnuEsci = addMenu(u"mnuEsci"_s, u"Esci"_s);
        for (Control *c : controls())
            if (c != Image1(1))
                QObject::connect(c, &Control::Click, this, [this, c](int) { clicks << nameOf(c); });
    }
    void Form_Load() override
    {
        ++loads;
        if (eventsWhileLoading) // as a window does that paints between its controls
            DoEvents();
    }
    void Form_Resize() override
    {
        if (resizer)
            resizer->ResizeControls();
    }

public:
    bool eventsWhileLoading = false;
    void Form_KeyPress(const QString &text) override { clicks << "key " + text; }
};

QMenu *dropDownOf(QWidget *top, QAction *action)
{
    for (QMenu *m : top->findChildren<QMenu *>())
        if (m->menuAction() == action)
            return m;
    return nullptr;
}

bool writePicture(const QString &path, int size, QColor colour)
{
    QImage img(size, size * 3 / 4, QImage::Format_RGB32);
    img.fill(colour);
    return QDir().mkpath(QFileInfo(path).absolutePath()) && img.save(path, "JPEG");
}

QAccessibleInterface *accessible(const Control *c)
{
    return QAccessible::queryAccessibleInterface(c->widget());
}

void press(Control *c)
{
    accessible(c)->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
}

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
            QVERIFY2(
                qFuzzyCompare(now[key][i], (captured ? std::nearbyint(design[i]) : design[i]) * ratio[i % 2]),
                qPrintable(key + u'.' + u"LTWH"[i] + u' ' + QString::number(now[key][i])));
}

} // namespace

class TstObjectModel : public QObject
{
    Q_OBJECT

    TestWindow *w = nullptr;
    QTemporaryDir m_dir;
    QList<MessageRequest> m_messages;

private slots:
    void initTestCase()
    {
        setMessageAnswerer([this](const MessageRequest &r) {
            m_messages.append(r);
            return MsgResult::Ok;
        });
        ApplicationPath = m_dir.path();
        QVERIFY(writePicture(ApplicationPath + "/jpg/rosso/tondo.JPG", 64, Qt::red));
        QFile junk(ApplicationPath + "/jpg/rotto.jpg");
        QVERIFY(junk.open(QIODevice::WriteOnly) && junk.write("this is no picture at all") > 0);
        QVERIFY2(screenWidthTwips() == 12000 && screenHeightTwips() == 9000, "screen not configured");
        TestWindow design;
        design.Load();
        g_design = snapshot(design);
        design.Unload();
    }
    void init()
    {
        w = new TestWindow;
        w->Show();
        QVERIFY(QTest::qWaitForWindowExposed(w->window()));
    }
    void cleanup()
    {
        w->resizer.reset();
        w->Unload();
        delete w;
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    // Each control has its kind's properties and no others (a line has ends, no box); writing
    // one it lacks grows nothing. Controls are found whatever the letter case.
    void propertiesByName()
    {
        QVERIFY(w->Line1->propertyByName("X1") && !w->Line1->propertyByName("Left"));
        QVERIFY(w->Label1->propertyByName("Left") && !w->Label1->hasProperty("X1"));
        QVERIFY(w->Image1(1)->hasProperty("Index") && !w->Image1(1)->hasProperty("Caption"));
        QVERIFY(!w->Line1->setPropertyByName("Left", 1) && w->Line1->dynamicPropertyNames().isEmpty());
        QVERIFY(!w->Label1->setPropertyByName("Name", u"Other"_s) &&
                !w->Image1(2)->setPropertyByName("Index", 7));
        QVERIFY(w->Label1->setPropertyByName("Caption", u"Nuovo"_s) && w->Label1->caption() == "Nuovo");
        QCOMPARE(w->control(u"label1"_s), w->Label1);
        QCOMPARE(w->controlArray(u"IMAGE1"_s).size(), 3);
        QVERIFY(!w->control(u"Image1"_s) && !w->control(u"Label1"_s, 0)); // an array has no single element
    }

    // 15 twips to the pixel, the program reading back what it wrote; a child moves with its
    // frame; a line's widget covers both ends whichever way it runs, and takes no clicks.
    void placement()
    {
        const std::pair<QRectF, QRect> cases[] = {{{1508, 8, 1500, 22}, {101, 1, 100, 1}},
                                                  {{300, 300, -60, 0}, {20, 20, 0, 0}}};
        const char *const names[] = {"Left", "Top", "Width", "Height"};
        for (const auto &[twips, pixels] : cases) {
            const double values[] = {twips.x(), twips.y(), twips.width(), twips.height()};
            for (int i = 0; i < 4; ++i)
                QVERIFY(w->Label1->setPropertyByName(names[i], values[i]));
            QCOMPARE(w->Label1->widget()->geometry(), pixels);
            QCOMPARE(w->Label1->propertyByName("Left")->toDouble(), twips.x());
        }
        w->Frame1->setLeft(1500);
        QCOMPARE(w->Picture1->widget()->mapTo(w->surface(), QPoint(0, 0)), QPoint(110, 210));
        const QRect r = w->Line1->widget()->geometry();
        QVERIFY(r.contains(QPoint(300, 200)) && r.contains(QPoint(579, 379)) && r.width() < 300);
        w->Line1->setPoints(8700, 5700, 4500, 3000);
        QCOMPARE(w->Line1->widget()->geometry(), r);
        QVERIFY(w->Line1->widget()->testAttribute(Qt::WA_TransparentForMouseEvents));
    }

    // Unloaded, the controls are gone (clicks still on their way to them: tst_shell, on every
    // window); loaded again, the window is as designed, its own fields kept.
    void unloadAndLoadAgain()
    {
        w->Label1->setCaption(u"cambiato"_s);
        w->mnuLang->setChecked(true);
        w->setTag(u"etichetta"_s);
        w->helpCost = 5;
        QList<QPointer<QWidget>> stale;
        for (Control *c : w->controls())
            stale << c->widget();
        w->Unload();
        QVERIFY(!w->isLoaded() && !Form::loadedForms().contains(w) && w->controls().isEmpty());
        QVERIFY(!w->Image1(1) && w->Image1.count() == 0); // the array forgets its dead elements
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        for (const QPointer<QWidget> &widget : std::as_const(stale))
            QVERIFY(widget.isNull());
        w->Unload(); // a second unload is harmless
        w->Show();
        w->Load(); // already loaded: no second Form_Load
        QVERIFY(w->controls().size() == 12 && w->Label1->caption() == "Ciao" && !w->mnuLang->checked());
        QVERIFY(w->tag().isEmpty() && w->helpCost == 5 && w->loads == 2);
    }

    // Every form shows its page in the one top-level window. A form shown in the turn another is
    // unloaded finds the old page still painted, then replaces it: the new caption, the new page
    // only, the focus on its first control in reading order. A form shown while another is still
    // loaded takes the screen, and the other gets it back, at its own size, when shown again.
    // With no form loaded at the end of a turn, the window goes.
    void oneWindow()
    {
        QPointer<QWidget> top = w->window();
        QWidget *oldPage = w->surface()->parentWidget();
        w->Unload();
        // Nothing flashes.
        QVERIFY(top && top->isVisible() && oldPage->isVisible() && !oldPage->updatesEnabled());
        TestWindow second;
        second.setDesignCaption(u"Secondo"_s);
        second.eventsWhileLoading = true; // the window is not let go meanwhile
        EventCounter hidden(QEvent::Hide);
        top->installEventFilter(&hidden);
        second.Show();
        top->removeEventFilter(&hidden);
        QCOMPARE(hidden.counts.value(top), 0);
        QCOMPARE(second.window(), top.data());
        QVERIFY(top->isVisible() && !oldPage->isVisible() && second.isShown());
        QCOMPARE(top->windowTitle(), u"Secondo"_s);
        QCOMPARE(top->focusWidget(), second.Check1->widget());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCOMPARE(top->findChildren<QWidget *>(Qt::FindDirectChildrenOnly).size(), 1);

        second.setWidth(7500);
        w->Show();
        QVERIFY(w->window() == top && w->isShown() && !second.isShown() && top->windowTitle().isEmpty());
        QCOMPARE(top->findChildren<QWidget *>(Qt::FindDirectChildrenOnly).size(), 2);
        second.Show();
        QVERIFY(second.isShown() && !w->isShown() && top->width() == 500);
        QTest::keyClick(top, Qt::Key_7); // the keys go to the form shown
        QVERIFY(second.clicks == QStringList{u"key 7"_s} && w->clicks.isEmpty());

        w->Unload();
        second.Unload();
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(top.isNull());
    }

    void clicks()
    {
        for (Control *c : w->clickable()) {
            w->clicks.clear();
            const QPoint at(6, c->widget()->height() / 2);
            QTest::mouseClick(c->widget(), Qt::LeftButton, {}, at);
            QTest::mouseClick(c->widget(), Qt::RightButton, {}, at); // no click
            // A double click clicks once, on a button as anywhere else.
            QTest::mouseClick(c->widget(), Qt::LeftButton, {}, at);
            QTest::mouseDClick(c->widget(), Qt::LeftButton, {}, at);
            QTest::mouseRelease(c->widget(), Qt::LeftButton, {}, at);
            // Tab reaches it; Space and Enter press it.
            QVERIFY(c->widget()->focusPolicy() & Qt::TabFocus);
            c->widget()->setFocus(Qt::TabFocusReason);
            QTest::keyClick(c->widget(), Qt::Key_Space);
            QTest::keyClick(c->widget(), Qt::Key_Return);
            QTest::qWait(qobject_cast<QPushButton *>(c->widget()) ? 200 : 0); // a button's press animates
            QCOMPARE(w->clicks, QStringList(QList<QString>(4, nameOf(c))));
        }
        // Tab goes in reading order, passing by a control nobody listens to.
        QList<QWidget *> order{w->Check1->widget()};
        for (QWidget *next = order.last()->nextInFocusChain(); order.size() < 5;
             next = next->nextInFocusChain())
            if (next->focusPolicy() & Qt::TabFocus)
                order << next;
        QCOMPARE(order, (QList<QWidget *>{w->Check1->widget(), w->Label1->widget(), w->Command1->widget(),
                                          w->Image1(0)->widget(), w->Image1(2)->widget()}));
        // A stop taken away: its focus moves on to the next stop, and it can still be clicked.
        w->window()->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(w->window()));
        w->Image1(0)->SetFocus();
        w->Image1(0)->setTabStop(false);
        w->Image1(0)->SetFocus();
        QVERIFY(!(w->Image1(0)->widget()->focusPolicy() & Qt::TabFocus) && w->Image1(2)->hasFocus());
        w->clicks.clear();
        QTest::mouseClick(w->Image1(0)->widget(), Qt::LeftButton);
        QCOMPARE(w->clicks, QStringList{"Image1(0)"});
        // No clicks on disabled controls, nor inside a disabled frame, by any way.
        w->clicks.clear();
        w->Command1->setEnabled(false);
        w->Frame1->setEnabled(false);
        w->Command1->press();
        for (Control *c : QList<Control *>{w->Command1, w->Frame1, w->Picture1}) {
            QTest::mouseClick(c->widget(), Qt::LeftButton);
            press(c);
        }
        QVERIFY(w->clicks.isEmpty() && w->Picture1->enabled());
        w->Frame1->setEnabled(true);
        QTest::mouseClick(w->Picture1->widget(), Qt::LeftButton);
        QCOMPARE(w->clicks, QStringList{"Picture1"});
        // Pictures are graphics, boxes groupings; what can be clicked offers "press", and only that.
        w->clicks.clear();
        press(w->Image1(0));
        press(w->Frame1);
        QCOMPARE(w->clicks, QStringList({"Image1(0)", "Frame1"}));
        QCOMPARE(accessible(w->Image1(0))->role(), QAccessible::Graphic);
        QCOMPARE(accessible(w->Frame1)->role(), QAccessible::Grouping);
        const QStringList actions = accessible(w->Image1(1))->actionInterface()->actionNames();
        QVERIFY(!actions.contains(QAccessibleActionInterface::pressAction()));
    }

    // The focus mark is drawn only once the keyboard has moved the focus: focus that comes with
    // the window, or is given by the program, repaints nothing; a Tab repaints the control it
    // leaves and the one it reaches.
    void focusMarkFollowsKeyboard()
    {
        w->window()->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(w->window()));
        w->window()->setAttribute(Qt::WA_KeyboardFocusChange, false);
        QWidget *label = w->Label1->widget(), *button = w->Command1->widget();
        EventCounter counter(QEvent::Paint);
        label->installEventFilter(&counter);
        button->installEventFilter(&counter);
        // What the window still has to show after its activation is shown first.
        for (int round = 0; round < 50 && (round == 0 || !counter.counts.isEmpty()); ++round) {
            counter.counts.clear();
            QTest::qWait(10);
        }
        label->setFocus(Qt::OtherFocusReason);
        QCoreApplication::processEvents();
        QVERIFY(label->hasFocus() && counter.counts.isEmpty());
        QTest::keyClick(label, Qt::Key_Tab);
        QCoreApplication::processEvents();
        QVERIFY(button->hasFocus() && counter.counts.value(label) > 0 && counter.counts.value(button) > 0);
    }

    void menus()
    {
        QAction *lang = w->mnuLang->action();
        // The entries sit in the title's drop-down; a bare title is a command in the bar.
        QMenuBar *bar = w->window()->findChild<QMenuBar *>();
        QVERIFY(bar && bar->actions().size() == 2);
        QVERIFY(dropDownOf(w->window(), bar->actions().at(0))->actions().contains(lang));
        QVERIFY(!dropDownOf(w->window(), bar->actions().at(1)));
        w->mnuLang->trigger();
        w->mnuEsci->action()->trigger();
        QCOMPARE(w->clicks, QStringList({"mnuLang(0)", "mnuEsci"}));
        // A click ticks nothing by itself; only a ticked entry shows a tick box at all.
        for (const bool ticked : {true, false}) {
            w->mnuLang->setChecked(ticked);
            lang->trigger();
            QVERIFY(lang->isChecked() == ticked && lang->isCheckable() == ticked);
        }
    }

    // However many pictures are shown, the decoded ones kept stay within their budget: past it
    // the oldest go, and one still shown keeps its own.
    void pictureCache()
    {
        clearPictureCache();
        const QString root = ApplicationPath;
        const auto redOf = [](const QPixmap &pm) { return pm.toImage().pixelColor(200, 100).red(); };
        QPixmap shown;
        for (int i = 0; i < 80; ++i) {
            QVERIFY(writePicture(root + u"/jpg/big%1.jpg"_s.arg(i), 512, QColor(i * 3, 0, 0)));
            const QPixmap pm = loadPicture(root + u"\\jpg\\big%1.jpg"_s.arg(i));
            QVERIFY(qAbs(redOf(pm) - i * 3) <= 4);
            QVERIFY(pictureCacheKiB() <= pictureCacheBudgetKiB());
            if (i == 40)
                shown = pm;
        }
        QVERIFY(pictureCacheKiB() > pictureCacheBudgetKiB() / 2);
        QVERIFY(qAbs(redOf(shown) - 120) <= 4);
    }

    // An image shows a picture with its description (its accessible name); a missing or broken
    // file gives the placeholder, asking nobody; the empty path clears. Handing a picture on
    // moves all of it. A button shows the placeholder too.
    void picturesShown()
    {
        const QString root = ApplicationPath, red = root + "\\jpg\\rosso\\tondo.jpg";
        Image *a = w->Image1(0), *b = w->Image1(2);
        // clang-format off
        const std::tuple<QString, bool, bool> shows[] = {
            {red, true, false}, {root + "\\jpg\\manca.JPG", true, true}, {root + "\\jpg\\rotto.jpg", true, true},
            {QString(), false, false}};
        // clang-format on
        for (const auto &[path, has, placeholder] : shows) {
            a->setPicture(path, u"tondo rosso"_s);
            QVERIFY(a->picture() == path && a->hasPicture() == has && a->showsPlaceholder() == placeholder);
            QCOMPARE(a->description(), has ? u"tondo rosso"_s : QString());
            QCOMPARE(accessible(a)->text(QAccessible::Name), a->description());
        }
        QVERIFY(m_messages.isEmpty());
        for (const QString &path : {red, root + "\\jpg\\manca.jpg"}) {
            a->setPicture(path, u"quadrato"_s);
            a->handPictureTo(b);
            QVERIFY(!a->hasPicture() && a->picture().isEmpty() && a->description().isEmpty());
            QVERIFY(b->hasPicture() && b->picture() == path && b->description() == u"quadrato"_s);
            QCOMPARE(accessible(b)->text(QAccessible::Name), u"quadrato"_s);
            QCOMPARE(b->showsPlaceholder(), path != red);
        }
        const auto *button = static_cast<QPushButton *>(w->Command1->widget());
        w->Command1->setPicture(root + "\\img\\manca.png");
        QVERIFY(!button->icon().isNull());
        w->Command1->setPicture(QString());
        QVERIFY(button->icon().isNull());
    }

    // A picture is decoded for exactly the place it is drawn in (kept proportions fit inside it),
    // and many decoded side by side on other threads each come out as their own file (how it is
    // painted is measured in every window by tst_screens).
    void picturesFitTheirPlace()
    {
        const QString jpg = ApplicationPath + "\\jpg\\", red = jpg + "rosso\\tondo.jpg"; // 64 x 48
        // clang-format off
        const std::tuple<QSize, bool, QSize> sizes[] = {
            {{200, 100}, false, {200, 100}}, {{200, 100}, true, {133, 100}}, {{3000, 1500}, true, {2000, 1500}},
            {{}, false, {64, 48}}};
        // clang-format on
        for (const auto &[box, keep, drawn] : sizes)
            QCOMPARE(pictureForBox(red, box, keep).size(), drawn);

        QStringList paths;
        for (int i = 0; i < 24; ++i) {
            paths << jpg + u"side%1.jpg"_s.arg(i);
            QVERIFY(writePicture(ApplicationPath + u"/jpg/side%1.jpg"_s.arg(i), 256, QColor(0, i * 10, 0)));
            preparePicture(paths.last(), QSize(90, 70), false);
        }
        for (int i = 0; i < 24; ++i) {
            const QImage img = pictureForBox(paths[i], QSize(90, 70), false).toImage();
            QVERIFY(img.size() == QSize(90, 70) && qAbs(img.pixelColor(45, 35).green() - i * 10) <= 4);
        }
    }

    // A text longer than its label (a teacher's word may be anything): wrapped at blanks, or
    // inside a word too long for a line; when even that is too much, every line of the text
    // keeps a line at least and what is cut ends with an ellipsis; no line is wider than the
    // label, and there are never more lines than it holds.
    void textCutToFit_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("lines"); // "W..." stands for a line of W ending in an ellipsis
        const QString endless(10000, u'W'), ten(10, u'W');
        QTest::newRow("fits") << u"ROSSO"_s << QStringList{"ROSSO"};
        QTest::newRow("wrapped at a blank") << u"NON WWWWWWWW"_s << QStringList{"NON", "WWWWWWWW"};
        QTest::newRow("a long word over lines") << QString(25, u'W') << QStringList{ten, ten, "WWWWW"};
        QTest::newRow("10 000 characters") << endless << QStringList{ten, ten, ten, "W..."};
        QTest::newRow("four lines, one endless")
            << u"CARR\u00C9\r\n"_s + endless + u"\r\nGRAND\r\n\u00C9PAIS"_s
            << QStringList{u"CARR\u00C9"_s, "W...", "GRAND", u"\u00C9PAIS"_s};
        QTest::newRow("more lines than room") << u"A\nB\nC\nD\nE\nF"_s << QStringList{"A", "B", "C", "D..."};
    }
    void textCutToFit()
    {
        QFETCH(QString, text);
        QFETCH(QStringList, lines);
        QFont font(u"Arial"_s, 20);
        const QFontMetrics fm(font);
        const QSize box(fm.horizontalAdvance(QString(10, u'W')) + 2, 4 * fm.lineSpacing());
        const QStringList fitted = platform::detail::fittedLines(text, font, box);
        QCOMPARE(fitted.size(), lines.size());
        for (int i = 0; i < lines.size(); ++i) {
            QVERIFY2(fm.horizontalAdvance(fitted[i]) <= box.width(), qPrintable(fitted[i]));
            if (lines[i].endsWith(u"..."_s))
                QVERIFY2(fitted[i].startsWith(lines[i].chopped(3)) && fitted[i].endsWith(QChar(0x2026)),
                         qPrintable(fitted[i]));
            else
                QCOMPARE(fitted[i], lines[i]);
        }
    }

    // A window off centre or of the wrong size, drawing left frozen, controls under the menu
    // bar or creeping after many resizes: the design is recorded first (whole twips, lines by
    // their end points), then every resize scales it by the inner size. A crash, or controls
    // squashed to nothing: a minimised window, one unloaded under its resizer and a resizer
    // without a window are left alone.
    void sizeFormToScreen()
    {
        w->sizeToScreen(75);
        QCOMPARE(QRectF(w->left(), w->top(), w->width(), w->height()), QRectF(1500, 1125, 9000, 6750));
        QVERIFY(w->window()->updatesEnabled() && w->height() > w->scaleHeight()); // below the menu bar
        verifyScaled(*w);
        const auto at75 = snapshot(*w);
        for (int i = 0; i < 40; ++i) {
            w->setWidth(1500 + 157 * i);
            w->setHeight(9000 - 131 * i);
        }
        w->resizer->SizeFormToScreen(75);
        QCOMPARE(snapshot(*w), at75);

        w->window()->setWindowState(Qt::WindowMinimized);
        w->resizer->SizeFormToScreen(100);
        QCOMPARE(snapshot(*w), at75);
        w->window()->setWindowState(Qt::WindowNoState);
        w->resizer->ResizeControls();
        verifyScaled(*w);

        w->Unload();
        w->resizer->ResizeControls();
        w->resizer->SizeFormToScreen(100);
        w->Show(); // new controls, not the captured ones: they keep their design values
        w->resizer->ResizeControls();
        verifyScaled(*w, false, 1, 1);
        clsResize unbound;
        unbound.ResizeControls();
        unbound.SizeFormToScreen(75);
    }

    // A control that should keep its place or size and does not: "@" and the letters L, T, W, H
    // (any case, anywhere after it) say what follows the window; without a leading "@" all does.
    void scalingTags_data()
    {
        QTest::addColumn<QString>("tag");
        QTest::addColumn<QString>("scaled");
        for (const auto &[tag, scaled] :
             {std::pair{"@lt", "LT"}, {"@ W,h!", "WH"}, {"@", ""}, {"LT", "LTWH"}, {" @LT", "LTWH"}})
            QTest::newRow(tag) << QString(tag) << QString(scaled);
    }
    void scalingTags()
    {
        QFETCH(QString, tag);
        QFETCH(QString, scaled);
        for (const char *name : {"Label1", "Line1"})
            w->control(name)->setTag(tag);
        w->control("Image1", 1)->setTag(tag); // an array element
        w->sizeToScreen(100);
        const double ratio[] = {w->scaleWidth() / 9000, w->scaleHeight() / 6000};
        auto now = snapshot(*w);
        for (const char *key : {"Label1-1", "Image11", "Line1-1"})
            for (int i = 0; i < 4; ++i)
                QCOMPARE(now[key][i], g_design[key][i] * (scaled.contains(u"LTWH"[i]) ? ratio[i % 2] : 1));
        QCOMPARE(now["Image10"][2], 1200 * ratio[0]); // an untagged neighbour
    }
};

int main(int argc, char **argv)
{
    // The screen must be configured before the application exists.
    qputenv("QT_QPA_PLATFORM",
            "offscreen:configfile=" ZORVELLI_SOURCE_DIR "/tests/platform/screen-800x600.json");
    QApplication app(argc, argv);
    TstObjectModel test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_objectmodel.moc"
