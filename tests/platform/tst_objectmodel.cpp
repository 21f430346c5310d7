// The window-and-control object model: what a window's code sees of its controls (names,
// indexes, late-bound properties, twips), the load/unload life cycle, clicks, menus, and the
// small services beside it (random numbers, message boxes, pictures).

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
#include "platform/Sound.h"
#include "platform/Units.h"

#include <QApplication>
#include <QDir>
#include <QImage>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
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
    Menu *mnuFile = nullptr, *mnuOpen = nullptr, *mnuEsci = nullptr;
    ControlArray<Menu> mnuLang;

    int helpCost = 0; // a field the load does not set
    int loadEvents = 0, resizeEvents = 0, formClicks = 0;
    QStringList clicks; // "name" or "name(Index)"

    void record(Control *c)
    {
        QObject::connect(c, &Control::Click, this, [this, c](int index) {
            clicks << (index < 0 ? c->name() : QStringLiteral("%1(%2)").arg(c->name()).arg(index));
        });
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
        mnuOpen = addMenu(QStringLiteral("mnuOpen"), QStringLiteral("Apri"), mnuFile);
        mnuLang.set(0, addMenu(QStringLiteral("mnuLang"), QStringLiteral("(lingua)"), mnuFile, 0));
        mnuEsci = addMenu(QStringLiteral("mnuEsci"), QStringLiteral("Esci"));
        for (Control *c : controls())
            record(c);
    }
    void Form_Load() override { ++loadEvents; }
    void Form_Resize() override { ++resizeEvents; }
    void Form_Click() override { ++formClicks; }
};

QStringList names(const QList<Control *> &controls)
{
    QStringList out;
    for (Control *c : controls)
        out << nameOf(c);
    return out;
}

// The drop-down that a menu bar or menu action opens.
QMenu *dropDownOf(QWidget *top, QAction *action)
{
    for (QMenu *m : top->findChildren<QMenu *>())
        if (m->menuAction() == action)
            return m;
    return nullptr;
}

void flushDeletes()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
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

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void propertiesByName();
    void placementAndColours();
    void controlOrderIsCreationOrder();
    void unloadKeepsFieldsAndLoadGivesDesignState();
    void clicksCarryIndex();
    void menus();
    void loadMenuElementAddsEntry();
    void resizeEventFollowsWidthAndHeight();
    void random();
    void messageAnswererSeesTheRequest();
    void pictures();

private:
    void answerNoOrOk();

    TestWindow *w = nullptr;
    QTemporaryDir m_dir;
    QList<MessageRequest> m_messages;
};

void TstObjectModel::answerNoOrOk()
{
    setMessageAnswerer([this](const MessageRequest &r) {
        m_messages.append(r);
        return r.buttons == MsgButtons::YesNo ? MsgResult::No : MsgResult::Ok;
    });
}

void TstObjectModel::initTestCase()
{
    QVERIFY(m_dir.isValid());
    answerNoOrOk();
    setSoundSink([](const QString &) {});
    ApplicationPath = m_dir.path();
}

void TstObjectModel::init()
{
    w = new TestWindow;
    w->Show();
    QVERIFY(QTest::qWaitForWindowExposed(w->window()));
}

void TstObjectModel::cleanup()
{
    w->Unload();
    delete w;
    flushDeletes();
}

void TstObjectModel::propertiesByName()
{
    // Control, index, its properties, properties it lacks. Name, Tag, Visible, Enabled: every control.
    const std::tuple<const char *, int, const char *, const char *> rows[] = {
        {"Label1", -1, "Caption ToolTipText Left Name", "X1 Picture"},
        {"Command1", -1, "Caption BackColor Picture", ""},
        {"Check1", -1, "Value Caption", ""},
        {"Image1", 1, "Picture ToolTipText Index", "Caption"},
        {"Frame1", -1, "Caption BackColor", ""},
        {"Picture1", -1, "Name Visible", "Caption"},
        {"Line1", -1, "X1 Y2 BorderWidth Tag", "Left Width Caption"},
        {"Shape1", -1, "Left BorderColor Visible", "Caption"},
        {"mnuOpen", -1, "Caption Checked", "Left ToolTipText"},
        {"mnuFile", -1, "", "Width"},
        {"mnuLang", 0, "Caption Tag Enabled", ""},
    };
    for (const auto &[name, index, present, absent] : rows) {
        const Control *c = w->control(QString::fromLatin1(name), index);
        QVERIFY2(c, name);
        for (const bool has : {true, false}) {
            for (const QString &p :
                 QString::fromLatin1(has ? present : absent).split(' ', Qt::SkipEmptyParts))
                QVERIFY2(c->hasProperty(qPrintable(p)) == has &&
                             c->propertyByName(qPrintable(p)).has_value() == has,
                         qPrintable(nameOf(c) + '.' + p));
        }
    }

    // Writing what a control lacks must not quietly grow a dynamic property.
    QVERIFY(!w->Picture1->setPropertyByName("Caption", QStringLiteral("x")));
    QVERIFY(!w->Line1->setPropertyByName("Left", 100.0));
    QVERIFY(!w->mnuOpen->setPropertyByName("ToolTipText", QStringLiteral("x")));
    QVERIFY(w->Picture1->dynamicPropertyNames().isEmpty() && w->Line1->dynamicPropertyNames().isEmpty());
    QVERIFY(!w->Label1->setPropertyByName("Name", QStringLiteral("Other")));
    QVERIFY(!w->Image1(2)->setPropertyByName("Index", 7));
    QCOMPARE(nameOf(w->Image1(2)), QStringLiteral("Image1(2)"));
    QVERIFY(w->Label1->setPropertyByName("Caption", QStringLiteral("Nuovo")));
    QCOMPARE(w->Label1->caption(), QStringLiteral("Nuovo"));
    // The window itself answers by name too.
    QVERIFY(w->propertyByName("ScaleWidth").has_value());
    QVERIFY(!w->propertyByName("X1").has_value());
    QVERIFY(!w->setPropertyByName("ScaleWidth", 100.0));
}

void TstObjectModel::placementAndColours()
{
    // 15 twips to the pixel; the program reads back exactly what it wrote, not the rounded value.
    const std::pair<QRectF, QRect> cases[] = {{{1500, 750, 3000, 450}, {100, 50, 200, 30}},
                                              {{0, 0, 15, 15}, {0, 0, 1, 1}},
                                              {{1508, 8, 1500, 22}, {101, 1, 100, 1}},
                                              {{300, 300, 0, 0}, {20, 20, 0, 0}}};
    Label *l = w->Label1;
    for (const auto &[twips, pixels] : cases) {
        QVERIFY(l->setPropertyByName("Left", twips.x()) && l->setPropertyByName("Top", twips.y()));
        QVERIFY(l->setPropertyByName("Width", twips.width()) &&
                l->setPropertyByName("Height", twips.height()));
        QCOMPARE(l->widget()->geometry(), pixels);
        QCOMPARE(l->propertyByName("Left")->toDouble(), twips.x());
        QCOMPARE(l->propertyByName("Width")->toDouble(), twips.width());
    }

    // A child's position is relative to its frame, and moves with it.
    QCOMPARE(w->Picture1->widget()->parentWidget(), w->Frame1->widget());
    QCOMPARE(w->Picture1->widget()->geometry(), QRect(10, 10, 100, 100));
    w->Frame1->setLeft(1500);
    QCOMPARE(w->Picture1->widget()->mapTo(w->surface(), QPoint(0, 0)), QPoint(110, 210));

    // A line's widget covers both ends, (300,200) and (580,380) in pixels, and takes no clicks.
    const QRect r = w->Line1->widget()->geometry();
    QVERIFY(r.contains(QPoint(300, 200)) && r.contains(QPoint(579, 379)) && r.width() < 300 &&
            r.height() < 200);
    w->Line1->setPoints(8700, 5700, 4500, 3000); // going up and left: the same line
    QCOMPARE(w->Line1->widget()->geometry(), r);
    QVERIFY(w->Line1->widget()->testAttribute(Qt::WA_TransparentForMouseEvents));

    // Colours are 0xBBGGRR.
    QCOMPARE(toQColor(0x0080FF), QColor(255, 128, 0));
    QCOMPARE(fromQColor(QColor(255, 128, 0)), 0x0080FFu);
    w->Command1->setBackColor(0xFFC0FF);
    QCOMPARE(w->Command1->widget()->palette().color(QPalette::Button), QColor(255, 192, 255));
}

void TstObjectModel::controlOrderIsCreationOrder()
{
    QCOMPARE(names(w->controls()),
             QStringList({"Label1", "Command1", "Check1", "Image1(0)", "Image1(1)", "Image1(2)", "Frame1",
                          "Picture1", "Line1", "Shape1", "mnuFile", "mnuOpen", "mnuLang(0)", "mnuEsci"}));
    QCOMPARE(names(w->controlArray(QStringLiteral("Image1"))),
             QStringList({"Image1(0)", "Image1(1)", "Image1(2)"}));
    // Looking up by name ignores letter case, as the program's late binding does.
    QCOMPARE(w->control(QStringLiteral("label1")), w->Label1);
    QCOMPARE(w->control(QStringLiteral("Image1"), 1), w->Image1(1));
    QVERIFY(!w->control(QStringLiteral("Image1"))); // an array has no single element
    QVERIFY(!w->control(QStringLiteral("Label1"), 0));
    QCOMPARE(w->Image1.upperBound(), 2);
}

void TstObjectModel::unloadKeepsFieldsAndLoadGivesDesignState()
{
    w->Label1->setCaption(QStringLiteral("cambiato"));
    w->Command1->setVisible(false);
    w->mnuOpen->setChecked(true);
    w->setTag(QStringLiteral("etichetta"));
    w->helpCost = 5;
    QPointer<Control> label = w->Label1, element = w->Image1(1), menu = w->mnuOpen;
    QPointer<QWidget> labelWidget = w->Label1->widget(), top = w->window();

    w->Unload();
    QVERIFY(!w->isLoaded() && !Form::loadedForms().contains(w));
    QVERIFY(label.isNull() && element.isNull() && menu.isNull() && w->controls().isEmpty());
    QVERIFY(!w->Image1(1) && w->Image1.count() == 0); // the array forgets its dead elements
    flushDeletes();
    QVERIFY(labelWidget.isNull() && top.isNull());
    w->Unload(); // a second unload is harmless

    const int loads = w->loadEvents;
    w->Show();
    QCOMPARE(w->loadEvents, loads + 1);
    QCOMPARE(w->controls().size(), 14);
    QCOMPARE(w->Label1->caption(), QStringLiteral("Ciao"));
    QVERIFY(w->Command1->widget()->isVisible());
    QVERIFY(!w->mnuOpen->checked());
    QVERIFY(w->tag().isEmpty());
    QCOMPARE(w->helpCost, 5);
    QCOMPARE(Form::loadedForms().count(w), 1);
    w->Load(); // already loaded: nothing happens
    QCOMPARE(w->loadEvents, loads + 1);
    QCOMPARE(w->controls().size(), 14);
}

void TstObjectModel::clicksCarryIndex()
{
    for (Control *c : QList<Control *>{w->Label1, w->Command1, w->Check1, w->Image1(0), w->Image1(2),
                                       w->Frame1, w->Picture1}) {
        w->clicks.clear();
        // Near the left edge: a check box only takes clicks on its box and caption.
        const QPoint at(6, c->widget()->height() / 2);
        QTest::mouseClick(c->widget(), Qt::LeftButton, {}, at);
        QTest::mouseClick(c->widget(), Qt::RightButton, {}, at); // no click
        QCOMPARE(w->clicks, QStringList{nameOf(c)});
    }
    QCOMPARE(w->formClicks, 0);

    // No clicks on disabled controls, nor on the children of a disabled frame (which keep
    // their own Enabled).
    w->clicks.clear();
    w->Image1(1)->setEnabled(false);
    w->Command1->setEnabled(false);
    w->Frame1->setEnabled(false);
    for (Control *c : QList<Control *>{w->Image1(1), w->Command1, w->Picture1})
        QTest::mouseClick(c->widget(), Qt::LeftButton);
    QVERIFY(w->clicks.isEmpty() && w->Picture1->enabled());
    w->Frame1->setEnabled(true);
    QTest::mouseClick(w->Picture1->widget(), Qt::LeftButton);
    QCOMPARE(w->clicks, QStringList{"Picture1"});
}

void TstObjectModel::menus()
{
    // The entries sit in the title's drop-down; a bare title is a command in the bar.
    QMenuBar *bar = w->window()->findChild<QMenuBar *>();
    QVERIFY(bar && bar->actions().size() == 2);
    QMenu *fileMenu = dropDownOf(w->window(), bar->actions().at(0));
    QVERIFY(fileMenu && fileMenu->actions().contains(w->mnuOpen->action()));
    QCOMPARE(bar->actions().at(1)->text(), QStringLiteral("Esci"));
    QVERIFY(!dropDownOf(w->window(), bar->actions().at(1)));
    w->mnuFile->setCaption(QStringLiteral("Archivio"));
    QCOMPARE(fileMenu->title(), QStringLiteral("Archivio"));

    w->mnuOpen->action()->trigger();
    w->mnuLang(0)->action()->trigger();
    w->mnuEsci->action()->trigger();
    QCOMPARE(w->clicks, QStringList({"mnuOpen", "mnuLang(0)", "mnuEsci"}));

    // A click ticks no entry, fresh or ticked and cleared by the program; a ticked one stays so.
    Menu *entry = w->mnuLang(0);
    QVERIFY(!entry->checked() && !entry->action()->isChecked());
    for (const bool ticked : {false, true}) {
        entry->setChecked(true);
        entry->setChecked(ticked);
        entry->action()->trigger();
        QCOMPARE(entry->checked(), ticked);
        QCOMPARE(entry->action()->isChecked(), ticked);
    }

    // A disabled or hidden entry does nothing.
    w->clicks.clear();
    w->mnuOpen->setEnabled(false);
    w->mnuOpen->action()->trigger();
    w->mnuOpen->trigger();
    w->mnuEsci->setVisible(false);
    w->mnuEsci->trigger();
    QVERIFY(w->clicks.isEmpty() && !w->mnuEsci->action()->isVisible());
}

void TstObjectModel::loadMenuElementAddsEntry()
{
    Menu *second = w->loadMenuElement(w->mnuLang(0), 1);
    QVERIFY(second);
    QCOMPARE(w->controls().last(), second);
    QCOMPARE(names(w->controlArray(QStringLiteral("mnuLang"))), QStringList({"mnuLang(0)", "mnuLang(1)"}));
    QVERIFY(second->caption().isEmpty() && second->visible());
    QCOMPARE(second->parentMenu(), w->mnuFile);
    second->setCaption(QStringLiteral("English"));
    const QList<QAction *> entries = dropDownOf(w->window(), w->mnuFile->action())->actions();
    QCOMPARE(entries.size(), 3);
    QCOMPARE(entries.last(), second->action());
    QCOMPARE(entries.last()->text(), QStringLiteral("English"));
    w->record(second);
    second->action()->trigger();
    QCOMPARE(w->clicks, QStringList{"mnuLang(1)"});
    // An index that exists already is not loaded twice.
    QVERIFY(!w->loadMenuElement(w->mnuLang(0), 1));
    QVERIFY(!w->loadMenuElement(w->mnuLang(0), 0));

    // The run-time entry goes with the window; a new load starts from the design entry.
    QPointer<Menu> added = second;
    w->Unload();
    QVERIFY(added.isNull());
    w->Show();
    QCOMPARE(w->controlArray(QStringLiteral("mnuLang")).size(), 1);
    QCOMPARE(dropDownOf(w->window(), w->mnuFile->action())->actions().size(), 2);
}

void TstObjectModel::resizeEventFollowsWidthAndHeight()
{
    const int before = w->resizeEvents;
    w->setWidth(6000);
    QCOMPARE(w->resizeEvents, before + 1);
    QCOMPARE(w->scaleWidth(), 6000.0);
    w->setHeight(4500);
    QCOMPARE(w->resizeEvents, before + 2);
    // The menu bar takes its share of the outer height.
    QVERIFY(w->scaleHeight() < 4500.0 && w->scaleHeight() > 3000.0);
    // The same size again is no resize, and neither is moving.
    w->setWidth(6000);
    w->setLeft(1500);
    w->setTop(750);
    QCOMPARE(w->resizeEvents, before + 2);
    QVERIFY(w->setPropertyByName("Width", 7500.0)); // by name, as the layout writes it
    QCOMPARE(w->resizeEvents, before + 3);
}

void TstObjectModel::random()
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
    const double first = Rnd(), second = Rnd();
    seedRandom(8);
    QVERIFY(Rnd() != first);
    seedRandom(7);
    const std::uint64_t count = randomDrawCount();
    QCOMPARE(drawIndex(1000), int(first * 1000));
    QCOMPARE(Rnd(), second);
    QCOMPARE(randomDrawCount(), count + 2);

    // drawIndex gives every value in 0 .. n-1 and no other.
    for (const int n : {1, 2, 3, 18, 1000}) {
        QSet<int> seen;
        for (int i = 0; i < 50 * n + 2000; ++i) {
            const int k = drawIndex(n);
            QVERIFY(k >= 0 && k < n);
            seen.insert(k);
        }
        QCOMPARE(seen.size(), n);
    }
}

void TstObjectModel::messageAnswererSeesTheRequest()
{
    const auto seen = [](const MessageRequest &r) {
        return QStringLiteral("%1|%2|%3|%4").arg(r.text).arg(int(r.buttons)).arg(int(r.icon)).arg(r.title);
    };
    m_messages.clear();
    QCOMPARE(msgBox("Uscire?", MsgButtons::YesNo, MsgIcon::Question, "Zorvelli"), MsgResult::No);
    QCOMPARE(msgBox("Zorvelli 1.0", MsgButtons::Ok, MsgIcon::Information, "Info"), MsgResult::Ok);
    QCOMPARE(msgBox("Nessun file"), MsgResult::Ok); // an empty title gives the program's name
    QCOMPARE(m_messages.size(), 3);
    QCOMPARE(seen(m_messages[0]), QStringLiteral("Uscire?|1|1|Zorvelli"));
    QCOMPARE(seen(m_messages[1]), QStringLiteral("Zorvelli 1.0|0|2|Info"));
    QCOMPARE(seen(m_messages[2]), QStringLiteral("Nessun file|0|0|Zorvelli"));
    // A Yes from the answerer comes back as Yes.
    setMessageAnswerer([](const MessageRequest &) { return MsgResult::Yes; });
    QCOMPARE(msgBox("?", MsgButtons::YesNo, MsgIcon::Question), MsgResult::Yes);
    answerNoOrOk();
}

void TstObjectModel::pictures()
{
    clearPictureCache();
    const QString root = ApplicationPath;
    QVERIFY(writeJpeg(root + QStringLiteral("/jpg/rosso/rotondograndespesso.JPG"), Qt::red));
    QVERIFY(writeJpeg(root + QStringLiteral("/jpg/grande.jpg"), Qt::blue));
    QFile junk(root + QStringLiteral("/jpg/rotto.jpg"));
    QVERIFY(junk.open(QIODevice::WriteOnly) && junk.write("this is no picture at all") > 0);
    junk.close();

    // Empty or missing: an empty picture, nothing decoded.
    const int start = pictureDecodeCount();
    QVERIFY(loadPicture(QString()).isNull());
    QVERIFY(loadPicture(root + QStringLiteral("\\jpg\\verde\\nonce.JPG")).isNull());
    QCOMPARE(pictureDecodeCount(), start);
    // Decoded, whatever the case the program spells folders and names in, with '\' between them.
    const QImage block =
        loadPicture(root + QStringLiteral("\\jpg\\rosso\\rotondograndespesso.JPG")).toImage();
    QCOMPARE(block.size(), QSize(64, 48));
    QVERIFY(qRed(block.pixel(32, 24)) > 200 && qBlue(block.pixel(32, 24)) < 60);
    QVERIFY(qBlue(loadPicture(root + QStringLiteral("\\JPG\\GRANDE.jpg")).toImage().pixel(32, 24)) > 200);
    QCOMPARE(pictureDecodeCount(), start + 2);
    // Shown again: from the cache, whatever the spelling.
    QVERIFY(!loadPicture(root + QStringLiteral("\\Jpg\\Rosso\\RotondoGrandeSpesso.jpg")).isNull());
    QVERIFY(!loadPicture(root + QStringLiteral("\\jpg\\grande.jpg")).isNull());
    QCOMPARE(pictureDecodeCount(), start + 2);
    // A file that is no picture gives an empty one, and is not decoded again and again.
    QVERIFY(loadPicture(root + QStringLiteral("\\jpg\\rotto.jpg")).isNull());
    QVERIFY(loadPicture(root + QStringLiteral("\\jpg\\rotto.jpg")).isNull());
    QCOMPARE(pictureDecodeCount(), start + 3);
    // A missing file that appears later is found then (nothing empty was remembered for it).
    QVERIFY(writeJpeg(root + QStringLiteral("/jpg/verde/nonce.JPG"), Qt::green));
    QVERIFY(!loadPicture(root + QStringLiteral("\\jpg\\verde\\nonce.JPG")).isNull());

    // Image and button controls show a picture and clear it; a missing file shows nothing,
    // asks nothing, and keeps the path the program gave.
    const QString red = root + QStringLiteral("\\jpg\\rosso\\rotondograndespesso.JPG");
    const QString missing = root + QStringLiteral("\\jpg\\blu\\manca.JPG");
    Image *img = w->Image1(0);
    QVERIFY(img->setPropertyByName("Picture", red) && img->hasPicture());
    QCOMPARE(img->picture(), red);
    img->setPicture(QString());
    QVERIFY(!img->hasPicture());
    m_messages.clear();
    img->setPicture(missing);
    QVERIFY(!img->hasPicture() && m_messages.isEmpty());
    QCOMPARE(img->picture(), missing);
    const auto *button = static_cast<QPushButton *>(w->Command1->widget());
    w->Command1->setPicture(red);
    QVERIFY(!button->icon().isNull());
    w->Command1->setPicture(QString());
    QVERIFY(button->icon().isNull());
}

QTEST_MAIN(TstObjectModel)
#include "tst_objectmodel.moc"
