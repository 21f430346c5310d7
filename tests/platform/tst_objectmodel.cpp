// The window-and-control object model: what a window's code sees of its controls (names,
// indexes, late-bound properties, twips), the load/unload life cycle, clicks by mouse and
// keyboard, menus, pictures and what assistive technology is told, and the small services
// beside it (random numbers, message boxes).

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
#include "platform/Random.h"
#include "platform/Shape.h"
#include "platform/Units.h"

#include <QAccessible>
#include <QApplication>
#include <QDir>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>

using namespace platform;

namespace {

QString nameOf(const Control *c)
{
    return c->isArrayElement() ? QStringLiteral("%1(%2)").arg(c->name()).arg(c->index()) : c->name();
}

// A window with one of every kind of control, laid out the way a window definition does it.
class TestWindow : public Form
{
public:
    TestWindow() : Form(QStringLiteral("frmTest")) { setDesignSize(9000, 6000); }

    Label *Label1 = nullptr;
    CommandButton *Command1 = nullptr;
    CheckBox *Check1 = nullptr;
    ControlArray<Image> Image1;
    Frame *Frame1 = nullptr;
    Image *Picture1 = nullptr; // inside Frame1
    Line *Line1 = nullptr;
    Shape *Shape1 = nullptr;
    Menu *mnuFile = nullptr, *mnuLang = nullptr, *mnuEsci = nullptr;

    int helpCost = 0; // a field the load does not set
    int loads = 0, resizes = 0;
    QStringList clicks; // "name" or "name(Index)"

    void record(Control *c)
    {
        QObject::connect(c, &Control::Click, this, [this, c](int) { clicks << nameOf(c); });
    }
    QList<Control *> clickable() const
    {
        return {Label1, Command1, Check1, Image1(0), Image1(2), Frame1, Picture1};
    }

protected:
    void createControls() override
    {
        Label1 = addLabel(QStringLiteral("Label1"), 1500, 750, 3000, 450, QStringLiteral("Ciao"));
        Command1 = addButton(QStringLiteral("Command1"), 4500, 750, 1500, 600, QStringLiteral("Avanti"));
        Check1 = addCheckBox(QStringLiteral("Check1"), 300, 300, 2400, 300, QStringLiteral("Suoni"));
        for (int i = 0; i < 3; ++i)
            Image1.set(i, addImage(QStringLiteral("Image1"), 300 + i * 1500, 1500, 1200, 1200, nullptr, i));
        Frame1 = addFrame(QStringLiteral("Frame1"), 300, 3000, 3000, 2400);
        Picture1 = addImage(QStringLiteral("Picture1"), 150, 150, 1500, 1500, Frame1);
        Line1 = addLine(QStringLiteral("Line1"), 4500, 3000, 8700, 5700);
        Shape1 = addShape(QStringLiteral("Shape1"), 4500, 3000, 3000, 1500);
        mnuFile = addMenu(QStringLiteral("mnuFile"), QStringLiteral("File"));
        mnuLang = addMenu(QStringLiteral("mnuLang"), QStringLiteral("(lingua)"), mnuFile, 0);
        mnuEsci = addMenu(QStringLiteral("mnuEsci"), QStringLiteral("Esci"));
        for (Control *c : controls())
            if (c != Image1(1))
                record(c);
    }
    void Form_Load() override { ++loads; }
    void Form_Resize() override { ++resizes; }
    void Form_KeyPress(const QString &text) override { clicks << QStringLiteral("key ") + text; }
};

QMenu *dropDownOf(QWidget *top, QAction *action)
{
    for (QMenu *m : top->findChildren<QMenu *>())
        if (m->menuAction() == action)
            return m;
    return nullptr;
}

bool writeJpeg(const QString &path, QColor colour)
{
    QImage img(64, 48, QImage::Format_RGB32);
    img.fill(colour);
    return QDir().mkpath(QFileInfo(path).absolutePath()) && img.save(path, "JPEG");
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
        QVERIFY(m_dir.isValid());
        setMessageAnswerer([this](const MessageRequest &r) {
            m_messages.append(r);
            return r.buttons == MsgButtons::YesNo ? MsgResult::No : MsgResult::Ok;
        });
        ApplicationPath = m_dir.path();
    }
    void init()
    {
        w = new TestWindow;
        w->Show();
        QVERIFY(QTest::qWaitForWindowExposed(w->window()));
    }
    void cleanup()
    {
        w->Unload();
        delete w;
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    void propertiesByName()
    {
        // Control, index, its properties, properties it lacks. Name, Tag, Visible, Enabled: every control.
        const std::tuple<const char *, int, const char *, const char *> rows[] = {
            {"Label1", -1, "Caption ToolTipText Left Name BackColor", "X1 Picture"},
            {"Command1", -1, "Caption BackColor Picture", ""},
            {"Check1", -1, "Value Caption", ""},
            {"Image1", 1, "Picture ToolTipText Index", "Caption"},
            {"Frame1", -1, "Caption BackColor", ""},
            {"Line1", -1, "X1 Y2 BorderWidth Tag", "Left Width Caption"},
            {"Shape1", -1, "Left BorderColor Visible", "Caption"},
            {"mnuLang", 0, "Caption Checked Enabled", "Left ToolTipText"},
        };
        for (const auto &[name, index, present, absent] : rows) {
            Control *c = w->control(QString::fromLatin1(name), index);
            QVERIFY2(c, name);
            for (const bool has : {true, false})
                for (const QString &p : QString::fromLatin1(has ? present : absent).split(' ', Qt::SkipEmptyParts))
                    QVERIFY2(c->hasProperty(qPrintable(p)) == has && c->propertyByName(qPrintable(p)).has_value() == has,
                             qPrintable(nameOf(c) + '.' + p));
            // Writing what a control lacks must not quietly grow a dynamic property.
            for (const QString &p : QString::fromLatin1(absent).split(' ', Qt::SkipEmptyParts))
                QVERIFY(!c->setPropertyByName(qPrintable(p), 1) && c->dynamicPropertyNames().isEmpty());
        }
        QVERIFY(!w->Label1->setPropertyByName("Name", QStringLiteral("Other")));
        QVERIFY(!w->Image1(2)->setPropertyByName("Index", 7));
        QVERIFY(w->Label1->setPropertyByName("Caption", QStringLiteral("Nuovo")));
        QCOMPARE(w->Label1->caption(), QStringLiteral("Nuovo"));
        QVERIFY(w->propertyByName("ScaleWidth").has_value() && !w->setPropertyByName("ScaleWidth", 100.0));

        // Control order is creation order; lookups ignore letter case; an array has no single element.
        QStringList order;
        for (Control *c : w->controls())
            order << nameOf(c);
        QCOMPARE(order, QStringList({"Label1", "Command1", "Check1", "Image1(0)", "Image1(1)", "Image1(2)", "Frame1",
                                     "Picture1", "Line1", "Shape1", "mnuFile", "mnuLang(0)", "mnuEsci"}));
        QCOMPARE(w->control(QStringLiteral("label1")), w->Label1);
        QCOMPARE(w->controlArray(QStringLiteral("IMAGE1")).size(), 3);
        QVERIFY(!w->control(QStringLiteral("Image1")) && !w->control(QStringLiteral("Label1"), 0));
    }

    void placementAndColours()
    {
        // 15 twips to the pixel; the program reads back exactly what it wrote.
        const std::pair<QRectF, QRect> cases[] = {{{1500, 750, 3000, 450}, {100, 50, 200, 30}},
                                                  {{1508, 8, 1500, 22}, {101, 1, 100, 1}},
                                                  {{300, 300, -60, 0}, {20, 20, 0, 0}}};
        for (const auto &[twips, pixels] : cases) {
            for (const auto &[name, v] : {std::pair{"Left", twips.x()}, {"Top", twips.y()}, {"Width", twips.width()},
                                          {"Height", twips.height()}})
                QVERIFY(w->Label1->setPropertyByName(name, v));
            QCOMPARE(w->Label1->widget()->geometry(), pixels);
            QCOMPARE(w->Label1->propertyByName("Left")->toDouble(), twips.x());
        }
        // A child's position is relative to its frame, and moves with it.
        w->Frame1->setLeft(1500);
        QCOMPARE(w->Picture1->widget()->mapTo(w->surface(), QPoint(0, 0)), QPoint(110, 210));
        // A line's widget covers both ends, whichever way it runs, and takes no clicks.
        const QRect r = w->Line1->widget()->geometry();
        QVERIFY(r.contains(QPoint(300, 200)) && r.contains(QPoint(579, 379)) && r.width() < 300);
        w->Line1->setPoints(8700, 5700, 4500, 3000);
        QCOMPARE(w->Line1->widget()->geometry(), r);
        QVERIFY(w->Line1->widget()->testAttribute(Qt::WA_TransparentForMouseEvents));
        // Colours are 0xBBGGRR; contrast as the guidelines measure it.
        QCOMPARE(toQColor(0x0080FF), QColor(255, 128, 0));
        QCOMPARE(fromQColor(QColor(255, 128, 0)), 0x0080FFu);
        QCOMPARE(qRound(contrastRatio(Qt::black, Qt::white)), 21);
        QCOMPARE(readableInk(Qt::blue), QColor(Qt::white));
        QCOMPARE(readableInk(Qt::yellow).lightness() < 60, true);
    }

    void unloadAndLoadAgain()
    {
        w->Label1->setCaption(QStringLiteral("cambiato"));
        w->mnuLang->setChecked(true);
        w->setTag(QStringLiteral("etichetta"));
        w->helpCost = 5;
        QPointer<Control> label = w->Label1;
        QList<QPointer<QWidget>> stale;
        for (Control *c : w->controls())
            stale << c->widget();
        w->Unload();
        QVERIFY(!w->isLoaded() && !Form::loadedForms().contains(w) && label.isNull() && w->controls().isEmpty());
        QVERIFY(!w->Image1(1) && w->Image1.count() == 0); // the array forgets its dead elements
        // Clicks still on their way to the old widgets reach nothing (no handler, no crash).
        for (const QPointer<QWidget> &widget : std::as_const(stale))
            if (widget) {
                QTest::mouseClick(widget, Qt::LeftButton);
                if (auto *button = qobject_cast<QPushButton *>(widget.data()))
                    button->click();
            }
        QVERIFY(w->clicks.isEmpty());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        for (const QPointer<QWidget> &widget : std::as_const(stale))
            QVERIFY(widget.isNull());
        w->Unload(); // a second unload is harmless

        w->Show();
        QCOMPARE(w->loads, 2);
        QCOMPARE(w->controls().size(), 13);
        QCOMPARE(w->Label1->caption(), QStringLiteral("Ciao"));
        QVERIFY(!w->mnuLang->checked() && w->tag().isEmpty());
        QCOMPARE(w->helpCost, 5);
        w->Load(); // already loaded: nothing happens
        QCOMPARE(w->loads, 2);
    }

    void clicks()
    {
        for (Control *c : w->clickable()) {
            w->clicks.clear();
            const QPoint at(6, c->widget()->height() / 2);
            QTest::mouseClick(c->widget(), Qt::LeftButton, {}, at);
            QTest::mouseClick(c->widget(), Qt::RightButton, {}, at); // no click
            // A double click: on a button both presses click, anywhere else only the first.
            QTest::mouseClick(c->widget(), Qt::LeftButton, {}, at);
            QTest::mouseDClick(c->widget(), Qt::LeftButton, {}, at);
            QTest::mouseRelease(c->widget(), Qt::LeftButton, {}, at);
            // Tab reaches it; Space and Enter press it.
            QVERIFY(c->widget()->focusPolicy() & Qt::TabFocus);
            c->widget()->setFocus(Qt::TabFocusReason);
            QTest::keyClick(c->widget(), Qt::Key_Space);
            QTest::keyClick(c->widget(), Qt::Key_Return);
            QTest::qWait(qobject_cast<QPushButton *>(c->widget()) ? 200 : 0); // a button's press animates
            const int perDoubleClick = qobject_cast<QAbstractButton *>(c->widget()) ? 2 : 1;
            QCOMPARE(w->clicks, QStringList(QList<QString>(3 + perDoubleClick, nameOf(c))));
        }
        // Keys no control takes go to the window; a button pressed for a key clicks once.
        w->clicks.clear();
        w->Command1->widget()->setFocus();
        QTest::keyClicks(w->Command1->widget(), QStringLiteral("7a"));
        w->Command1->press();
        QCOMPARE(w->clicks, QStringList({"key 7", "key a", "Command1"}));
        // A control nobody listens to is no Tab stop.
        QVERIFY(!(w->Image1(1)->widget()->focusPolicy() & Qt::TabFocus));
        // Tab goes in reading order: the check box (top left), the label, the button, the pictures.
        QList<QWidget *> order{w->Check1->widget()};
        for (QWidget *next = order.last()->nextInFocusChain(); order.size() < 5; next = next->nextInFocusChain())
            if (next->focusPolicy() & Qt::TabFocus)
                order << next;
        QCOMPARE(order, (QList<QWidget *>{w->Check1->widget(), w->Label1->widget(), w->Command1->widget(),
                                          w->Image1(0)->widget(), w->Image1(2)->widget()}));

        // No clicks on disabled controls, nor inside a disabled frame, by any way.
        w->clicks.clear();
        w->Command1->setEnabled(false);
        w->Frame1->setEnabled(false);
        w->Command1->press();
        for (Control *c : QList<Control *>{w->Command1, w->Frame1, w->Picture1}) {
            QTest::mouseClick(c->widget(), Qt::LeftButton);
            QAccessible::queryAccessibleInterface(c->widget())->actionInterface()->doAction(
                QAccessibleActionInterface::pressAction());
        }
        QVERIFY(w->clicks.isEmpty() && w->Picture1->enabled());
        w->Frame1->setEnabled(true);
        QTest::mouseClick(w->Picture1->widget(), Qt::LeftButton);
        QCOMPARE(w->clicks, QStringList{"Picture1"});
    }

    void menus()
    {
        // The entries sit in the title's drop-down; a bare title is a command in the bar.
        QMenuBar *bar = w->window()->findChild<QMenuBar *>();
        QVERIFY(bar && bar->actions().size() == 2);
        QVERIFY(dropDownOf(w->window(), bar->actions().at(0))->actions().contains(w->mnuLang->action()));
        QVERIFY(!dropDownOf(w->window(), bar->actions().at(1)));
        w->mnuLang->trigger();
        w->mnuEsci->action()->trigger();
        QCOMPARE(w->clicks, QStringList({"mnuLang(0)", "mnuEsci"}));
        // A click ticks nothing by itself; only a ticked entry shows a tick box at all.
        for (const bool ticked : {false, true, false}) {
            w->mnuLang->setChecked(ticked);
            w->mnuLang->action()->trigger();
            QCOMPARE(w->mnuLang->action()->isChecked(), ticked);
            QCOMPARE(w->mnuLang->action()->isCheckable(), ticked);
        }
        // Entries loaded at run time join the array and go with the window.
        Menu *second = w->loadMenuElement(w->mnuLang, 1);
        QVERIFY(second && !w->loadMenuElement(w->mnuLang, 1));
        QCOMPARE(dropDownOf(w->window(), w->mnuFile->action())->actions().last(), second->action());
        w->Unload();
        w->Show();
        QCOMPARE(w->controlArray(QStringLiteral("mnuLang")).size(), 1);
        // A disabled or hidden entry does nothing.
        w->clicks.clear();
        w->mnuLang->setEnabled(false);
        w->mnuLang->action()->trigger();
        w->mnuEsci->setVisible(false);
        w->mnuEsci->trigger();
        QVERIFY(w->clicks.isEmpty());
    }

    void resizeEvent()
    {
        const int before = w->resizes;
        w->setWidth(6000);
        w->setHeight(4500);
        QCOMPARE(w->resizes, before + 2);
        QCOMPARE(w->scaleWidth(), 6000.0);
        QVERIFY(w->scaleHeight() < 4500.0 && w->scaleHeight() > 3000.0); // the menu bar's share
        // The same size again is no resize, and neither is moving.
        w->setWidth(6000);
        w->setLeft(1500);
        QCOMPARE(w->resizes, before + 2);
    }

    void pictures()
    {
        clearPictureCache();
        const QString root = ApplicationPath;
        const QString red = root + QStringLiteral("\\jpg\\rosso\\rotondograndespesso.JPG");
        QVERIFY(writeJpeg(root + QStringLiteral("/jpg/rosso/rotondograndespesso.JPG"), Qt::red));
        QFile junk(root + QStringLiteral("/jpg/rotto.jpg"));
        QVERIFY(junk.open(QIODevice::WriteOnly) && junk.write("this is no picture at all") > 0);
        junk.close();

        // Found whatever the letter case, with '\' between folders; decoded once.
        const int start = pictureDecodeCount();
        QCOMPARE(loadPicture(root + QStringLiteral("\\JPG\\Rosso\\RotondoGrandeSpesso.jpg")).size(), QSize(64, 48));
        QVERIFY(!loadPicture(red).isNull() && loadPicture(QString()).isNull());
        QVERIFY(loadPicture(root + QStringLiteral("\\jpg\\rotto.jpg")).isNull());
        QVERIFY(loadPicture(root + QStringLiteral("\\jpg\\rotto.jpg")).isNull());
        QCOMPARE(pictureDecodeCount(), start + 2);

        // However many pictures are shown, the decoded ones kept stay within their budget.
        for (int i = 0; i < 80; ++i) {
            QImage big(512, 512, QImage::Format_RGB32);
            big.fill(QColor(i, 0, 0));
            QVERIFY(big.save(root + QStringLiteral("/jpg/big%1.jpg").arg(i), "JPEG"));
            QVERIFY(!loadPicture(root + QStringLiteral("\\jpg\\big%1.jpg").arg(i)).isNull());
            QVERIFY(pictureCacheKiB() <= pictureCacheBudgetKiB());
        }
        QVERIFY(pictureCacheKiB() > pictureCacheBudgetKiB() / 2);

        // An image shows a picture with its description; a path that cannot be shown gives the
        // placeholder; the empty path clears, description included. Nothing asks anybody.
        Image *a = w->Image1(0), *b = w->Image1(2);
        const std::tuple<QString, bool, bool> shows[] = {{red, true, false},
                                                         {root + QStringLiteral("\\jpg\\blu\\manca.JPG"), true, true},
                                                         {root + QStringLiteral("\\jpg\\rotto.jpg"), true, true},
                                                         {QString(), false, false}};
        for (const auto &[path, has, placeholder] : shows) {
            a->setPicture(path, QStringLiteral("rotondo rosso grande spesso"));
            QCOMPARE(a->picture(), path);
            QCOMPARE(a->hasPicture(), has);
            QCOMPARE(a->showsPlaceholder(), placeholder);
            QCOMPARE(a->description(), has ? QStringLiteral("rotondo rosso grande spesso") : QString());
            QCOMPARE(QAccessible::queryAccessibleInterface(a->widget())->text(QAccessible::Name), a->description());
        }
        QVERIFY(m_messages.isEmpty());
        // Handing a picture on moves picture, path and description, placeholder included.
        for (const QString &path : {red, root + QStringLiteral("\\jpg\\manca.jpg")}) {
            a->setPicture(path, QStringLiteral("quadrato"));
            const int decodes = pictureDecodeCount();
            a->handPictureTo(b);
            QVERIFY(!a->hasPicture() && a->picture().isEmpty() && a->description().isEmpty());
            QVERIFY(b->hasPicture() && b->picture() == path && b->description() == QStringLiteral("quadrato"));
            QCOMPARE(b->showsPlaceholder(), path != red);
            QCOMPARE(pictureDecodeCount(), decodes);
        }
        // Buttons show a picture beside the caption, the placeholder where it cannot be read.
        const auto *button = static_cast<QPushButton *>(w->Command1->widget());
        w->Command1->setPicture(root + QStringLiteral("\\img\\manca.png"));
        QVERIFY(!button->icon().isNull());
        w->Command1->setPicture(QString());
        QVERIFY(button->icon().isNull());
    }

    void accessibility()
    {
        // Pictures are graphics, boxes groupings; what can be clicked offers "press".
        QAccessibleInterface *picture = QAccessible::queryAccessibleInterface(w->Image1(0)->widget());
        QAccessibleInterface *idle = QAccessible::queryAccessibleInterface(w->Image1(1)->widget());
        QAccessibleInterface *box = QAccessible::queryAccessibleInterface(w->Frame1->widget());
        QCOMPARE(picture->role(), QAccessible::Graphic);
        QCOMPARE(box->role(), QAccessible::Grouping);
        QVERIFY(picture->actionInterface()->actionNames().contains(QAccessibleActionInterface::pressAction()));
        QVERIFY(!idle->actionInterface()->actionNames().contains(QAccessibleActionInterface::pressAction()));
        picture->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        box->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        QCOMPARE(w->clicks, QStringList({"Image1(0)", "Frame1"}));
    }

    void random()
    {
        seedRandom(42);
        double sum = 0;
        for (int i = 0; i < 100000; ++i) {
            const double r = Rnd();
            QVERIFY(r >= 0.0 && r < 1.0);
            sum += r;
        }
        QVERIFY(qAbs(sum / 100000 - 0.5) < 0.01);
        // The same seed gives the same draws; drawIndex is one counted draw, floor(Rnd() * n).
        seedRandom(7);
        const double first = Rnd();
        seedRandom(7);
        const std::uint64_t count = randomDrawCount();
        QCOMPARE(drawIndex(1000), int(first * 1000));
        QCOMPARE(randomDrawCount(), count + 1);
        for (const int n : {1, 3, 18}) {
            QSet<int> seen;
            for (int i = 0; i < 2000; ++i)
                seen.insert(drawIndex(n));
            QCOMPARE(seen.size(), n);
            QVERIFY(*std::min_element(seen.begin(), seen.end()) == 0 && *std::max_element(seen.begin(), seen.end()) == n - 1);
        }
    }

    void messageBoxes()
    {
        m_messages.clear();
        QCOMPARE(msgBox("Uscire?", MsgButtons::YesNo, MsgIcon::Question, "Zorvelli"), MsgResult::No);
        QCOMPARE(msgBox("Nessun file"), MsgResult::Ok); // an empty title gives the program's name
        QCOMPARE(m_messages.size(), 2);
        QCOMPARE(m_messages[0].icon, MsgIcon::Question);
        QCOMPARE(m_messages[1].title, QStringLiteral("Zorvelli"));
    }
};

QTEST_MAIN(TstObjectModel)
#include "tst_objectmodel.moc"
