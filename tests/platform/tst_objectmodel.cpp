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
#include <QWidget>

using namespace platform;

namespace {

struct ClickRecord
{
    QString name;
    int index;
    bool operator==(const ClickRecord &o) const { return name == o.name && index == o.index; }
};

char *toString(const ClickRecord &r)
{
    return QTest::toString(QStringLiteral("%1(%2)").arg(r.name).arg(r.index));
}

// The drop-down that a menu bar or menu action opens.
QMenu *dropDownOf(QWidget *top, QAction *action)
{
    for (QMenu *m : top->findChildren<QMenu *>())
        if (m->menuAction() == action)
            return m;
    return nullptr;
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
    Menu *mnuFile = nullptr;
    Menu *mnuOpen = nullptr;
    ControlArray<Menu> mnuLang;
    Menu *mnuEsci = nullptr;

    // A field the load does not set: it must survive closing and reopening.
    int helpCost = 0;
    int loadEvents = 0;
    int resizeEvents = 0;
    int formClicks = 0;
    QList<ClickRecord> clicks;

    void record(Control *c)
    {
        QObject::connect(c, &Control::Click, this, [this, c](int index) {
            clicks.append({c->name(), index});
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
        out << (c->isArrayElement() ? QStringLiteral("%1(%2)").arg(c->name()).arg(c->index()) : c->name());
    return out;
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

    void propertiesByName_data();
    void propertiesByName();
    void absentOrReadOnlyPropertyIsRefused();
    void twipsPlaceWidgets_data();
    void twipsPlaceWidgets();
    void childPositionsAreRelativeToTheirFrame();
    void lineIsPlacedByItsEndPoints();
    void coloursConvertAtTheBoundary_data();
    void coloursConvertAtTheBoundary();

    void controlOrderIsCreationOrder();
    void unloadDestroysControlsAndKeepsFields();
    void loadAgainRestoresDesignState();

    void clickCarriesIndex_data();
    void clickCarriesIndex();
    void disabledFrameSwallowsChildClicks();
    void disabledControlDoesNotClick();
    void menuCommandsClick();
    void menuEntryIsNotTickedByAClick();
    void loadMenuElementAddsEntry();

    void resizeEventFollowsWidthAndHeight();

    void rndStaysBelowOne();
    void seedRandomRepeats();
    void drawIndexStaysInRange_data();
    void drawIndexStaysInRange();

    void messageAnswererSeesTheRequest_data();
    void messageAnswererSeesTheRequest();

    void pictures();
    void imageControlShowsAndClearsPicture();

private:
    TestWindow *m_window = nullptr;
    QTemporaryDir m_dir;
    QList<MessageRequest> m_messages;
    QStringList m_sounds;
};

void TstObjectModel::initTestCase()
{
    QVERIFY(m_dir.isValid());
    setMessageAnswerer([this](const MessageRequest &r) {
        m_messages.append(r);
        return r.buttons == MsgButtons::YesNo ? MsgResult::No : MsgResult::Ok;
    });
    setSoundSink([this](const QString &p) { m_sounds.append(p); });
    ApplicationPath = m_dir.path();
}

void TstObjectModel::init()
{
    m_window = new TestWindow;
    m_window->Show();
    QVERIFY(m_window->isLoaded());
    QVERIFY(QTest::qWaitForWindowExposed(m_window->window()));
}

void TstObjectModel::cleanup()
{
    m_window->Unload();
    delete m_window;
    m_window = nullptr;
    flushDeletes();
}

void TstObjectModel::propertiesByName_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("property");
    QTest::addColumn<bool>("present");

    const struct
    {
        const char *control;
        int index;
        const char *property;
        bool present;
    } rows[] = {
        {"Label1", -1, "Caption", true},
        {"Label1", -1, "ToolTipText", true},
        {"Label1", -1, "Left", true},
        {"Label1", -1, "X1", false},
        {"Label1", -1, "Picture", false},
        {"Command1", -1, "Caption", true},
        {"Command1", -1, "BackColor", true},
        {"Command1", -1, "Picture", true},
        {"Check1", -1, "Value", true},
        {"Check1", -1, "Caption", true},
        {"Image1", 1, "Caption", false},
        {"Image1", 1, "Picture", true},
        {"Image1", 1, "ToolTipText", true},
        {"Image1", 1, "Index", true},
        {"Frame1", -1, "Caption", true},
        {"Frame1", -1, "BackColor", true},
        {"Line1", -1, "Left", false},
        {"Line1", -1, "Width", false},
        {"Line1", -1, "Caption", false},
        {"Line1", -1, "X1", true},
        {"Line1", -1, "Y2", true},
        {"Line1", -1, "BorderWidth", true},
        {"Shape1", -1, "Left", true},
        {"Shape1", -1, "Caption", false},
        {"Shape1", -1, "BorderColor", true},
        {"mnuOpen", -1, "Caption", true},
        {"mnuOpen", -1, "Checked", true},
        {"mnuOpen", -1, "Left", false},
        {"mnuOpen", -1, "ToolTipText", false},
        {"mnuFile", -1, "Width", false},
        {"mnuLang", 0, "Caption", true},
        {"mnuLang", 0, "Tag", true},
        // Every control has these.
        {"Line1", -1, "Tag", true},
        {"Shape1", -1, "Visible", true},
        {"mnuEsci", -1, "Enabled", true},
        {"Picture1", -1, "Name", true},
    };
    for (const auto &r : rows)
        QTest::addRow("%s(%d).%s", r.control, r.index, r.property)
            << QString::fromLatin1(r.control) << r.index << QString::fromLatin1(r.property) << r.present;
}

void TstObjectModel::propertiesByName()
{
    QFETCH(QString, control);
    QFETCH(int, index);
    QFETCH(QString, property);
    QFETCH(bool, present);

    Control *c = m_window->control(control, index);
    QVERIFY2(c, qPrintable(control));
    const QByteArray p = property.toLatin1();
    QCOMPARE(c->hasProperty(p.constData()), present);
    QCOMPARE(c->propertyByName(p.constData()).has_value(), present);
}

void TstObjectModel::absentOrReadOnlyPropertyIsRefused()
{
    // Writing what a control lacks must not quietly grow a dynamic property that a later
    // read would then find.
    QVERIFY(!m_window->Picture1->setPropertyByName("Caption", QStringLiteral("x")));
    QVERIFY(!m_window->Line1->setPropertyByName("Left", 100.0));
    QVERIFY(!m_window->mnuOpen->setPropertyByName("ToolTipText", QStringLiteral("x")));
    QVERIFY(m_window->Picture1->dynamicPropertyNames().isEmpty());
    QVERIFY(m_window->Line1->dynamicPropertyNames().isEmpty());
    QVERIFY(!m_window->Picture1->hasProperty("Caption"));

    QVERIFY(!m_window->Label1->setPropertyByName("Name", QStringLiteral("Other")));
    QVERIFY(!m_window->Image1(2)->setPropertyByName("Index", 7));
    QCOMPARE(m_window->Label1->name(), QStringLiteral("Label1"));
    QCOMPARE(m_window->Image1(2)->index(), 2);

    // What a control has is written through by name.
    QVERIFY(m_window->Label1->setPropertyByName("Caption", QStringLiteral("Nuovo")));
    QCOMPARE(m_window->Label1->caption(), QStringLiteral("Nuovo"));
    QVERIFY(m_window->Line1->setPropertyByName("X2", 1500.0));
    QCOMPARE(m_window->Line1->x2(), 1500.0);
    QVERIFY(m_window->mnuOpen->setPropertyByName("Checked", true));
    QVERIFY(m_window->mnuOpen->checked());

    // The window itself answers by name too.
    QVERIFY(m_window->propertyByName("ScaleWidth").has_value());
    QVERIFY(!m_window->propertyByName("X1").has_value());
    QVERIFY(!m_window->setPropertyByName("ScaleWidth", 100.0));
}

void TstObjectModel::twipsPlaceWidgets_data()
{
    QTest::addColumn<double>("left");
    QTest::addColumn<double>("top");
    QTest::addColumn<double>("width");
    QTest::addColumn<double>("height");
    QTest::addColumn<QRect>("pixels");

    QTest::newRow("whole pixels") << 1500.0 << 750.0 << 3000.0 << 450.0 << QRect(100, 50, 200, 30);
    QTest::newRow("origin") << 0.0 << 0.0 << 15.0 << 15.0 << QRect(0, 0, 1, 1);
    QTest::newRow("edges round") << 1508.0 << 8.0 << 1500.0 << 22.0 << QRect(101, 1, 100, 1);
    QTest::newRow("zero size") << 300.0 << 300.0 << 0.0 << 0.0 << QRect(20, 20, 0, 0);
}

void TstObjectModel::twipsPlaceWidgets()
{
    QFETCH(double, left);
    QFETCH(double, top);
    QFETCH(double, width);
    QFETCH(double, height);
    QFETCH(QRect, pixels);

    Label *l = m_window->Label1;
    QVERIFY(l->setPropertyByName("Left", left));
    QVERIFY(l->setPropertyByName("Top", top));
    QVERIFY(l->setPropertyByName("Width", width));
    QVERIFY(l->setPropertyByName("Height", height));
    QCOMPARE(l->widget()->geometry(), pixels);
    // The program reads back exactly what it wrote, not the pixel-rounded value.
    QCOMPARE(l->propertyByName("Left")->toDouble(), left);
    QCOMPARE(l->propertyByName("Width")->toDouble(), width);
}

void TstObjectModel::childPositionsAreRelativeToTheirFrame()
{
    QCOMPARE(m_window->Frame1->widget()->geometry(), QRect(20, 200, 200, 160));
    QCOMPARE(m_window->Picture1->widget()->parentWidget(), m_window->Frame1->widget());
    QCOMPARE(m_window->Picture1->widget()->geometry(), QRect(10, 10, 100, 100));
    // Moving the frame carries its child along.
    m_window->Frame1->setLeft(1500);
    QCOMPARE(m_window->Picture1->widget()->mapTo(m_window->surface(), QPoint(0, 0)), QPoint(110, 210));
}

void TstObjectModel::lineIsPlacedByItsEndPoints()
{
    Line *line = m_window->Line1;
    QCOMPARE(line->x1(), 4500.0);
    QCOMPARE(line->y2(), 5700.0);
    // The widget that draws the line covers both ends (300,200) and (580,380) in pixels.
    const QRect r = line->widget()->geometry();
    QVERIFY2(r.contains(QPoint(300, 200)) && r.contains(QPoint(579, 379)),
             qPrintable(QString("%1,%2 %3x%4").arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height())));
    QVERIFY(r.width() < 300 && r.height() < 200);
    // A line going up and left is the same line.
    line->setPoints(8700, 5700, 4500, 3000);
    QCOMPARE(line->widget()->geometry(), r);
    // Lines never take clicks away from what lies below them.
    QVERIFY(line->widget()->testAttribute(Qt::WA_TransparentForMouseEvents));
}

void TstObjectModel::coloursConvertAtTheBoundary_data()
{
    QTest::addColumn<uint>("bbggrr");
    QTest::addColumn<QColor>("colour");
    QTest::newRow("red") << 0x0000FFu << QColor(255, 0, 0);
    QTest::newRow("blue") << 0xFF0000u << QColor(0, 0, 255);
    QTest::newRow("pink") << 0xFFC0FFu << QColor(255, 192, 255);
    QTest::newRow("orange") << 0x0080FFu << QColor(255, 128, 0);
}

void TstObjectModel::coloursConvertAtTheBoundary()
{
    QFETCH(uint, bbggrr);
    QFETCH(QColor, colour);
    QCOMPARE(toQColor(bbggrr), colour);
    QCOMPARE(fromQColor(colour), bbggrr);
    m_window->Command1->setBackColor(bbggrr);
    QCOMPARE(m_window->Command1->widget()->palette().color(QPalette::Button), colour);
    QCOMPARE(m_window->Command1->propertyByName("BackColor")->toUInt(), bbggrr);
}

void TstObjectModel::controlOrderIsCreationOrder()
{
    const QStringList expected = {"Label1",    "Command1", "Check1",     "Image1(0)", "Image1(1)",
                                  "Image1(2)", "Frame1",   "Picture1",   "Line1",     "Shape1",
                                  "mnuFile",   "mnuOpen",  "mnuLang(0)", "mnuEsci"};
    QCOMPARE(names(m_window->controls()), expected);
    QCOMPARE(names(m_window->controlArray(QStringLiteral("Image1"))),
             QStringList({"Image1(0)", "Image1(1)", "Image1(2)"}));
    // Looking up by name ignores letter case, as the program's late binding does.
    QCOMPARE(m_window->control(QStringLiteral("label1")), static_cast<Control *>(m_window->Label1));
    QCOMPARE(m_window->control(QStringLiteral("Image1"), 1), static_cast<Control *>(m_window->Image1(1)));
    QVERIFY(!m_window->control(QStringLiteral("Image1"))); // an array has no single element
    QVERIFY(!m_window->control(QStringLiteral("Label1"), 0));
    QCOMPARE(m_window->Image1.count(), 3);
    QCOMPARE(m_window->Image1.upperBound(), 2);
}

void TstObjectModel::unloadDestroysControlsAndKeepsFields()
{
    QVERIFY(Form::loadedForms().contains(m_window));
    QPointer<Control> label = m_window->Label1;
    QPointer<Control> element = m_window->Image1(1);
    QPointer<Control> menu = m_window->mnuOpen;
    QPointer<QWidget> labelWidget = m_window->Label1->widget();
    QPointer<QWidget> top = m_window->window();
    m_window->helpCost = 5;

    m_window->Unload();

    QVERIFY(!m_window->isLoaded());
    QVERIFY(label.isNull());
    QVERIFY(element.isNull());
    QVERIFY(menu.isNull());
    QVERIFY(m_window->controls().isEmpty());
    QVERIFY(!Form::loadedForms().contains(m_window));
    QVERIFY(!m_window->Image1(1)); // the array forgets its dead elements
    QCOMPARE(m_window->Image1.count(), 0);
    flushDeletes();
    QVERIFY(labelWidget.isNull());
    QVERIFY(top.isNull());
    QCOMPARE(m_window->helpCost, 5);

    // A second unload is harmless.
    m_window->Unload();
    QVERIFY(!m_window->isLoaded());
}

void TstObjectModel::loadAgainRestoresDesignState()
{
    m_window->Label1->setCaption(QStringLiteral("cambiato"));
    m_window->Label1->setLeft(6000);
    m_window->Command1->setVisible(false);
    m_window->Check1->setEnabled(false);
    m_window->mnuOpen->setChecked(true);
    m_window->setTag(QStringLiteral("etichetta"));
    m_window->helpCost = 3;
    const int loadsBefore = m_window->loadEvents;

    m_window->Unload();
    m_window->Show();

    QCOMPARE(m_window->loadEvents, loadsBefore + 1);
    QCOMPARE(m_window->controls().size(), 14);
    QCOMPARE(m_window->Label1->caption(), QStringLiteral("Ciao"));
    QCOMPARE(m_window->Label1->left(), 1500.0);
    QCOMPARE(m_window->Label1->widget()->x(), 100);
    QVERIFY(m_window->Command1->visible());
    QVERIFY(m_window->Command1->widget()->isVisible());
    QVERIFY(m_window->Check1->enabled());
    QVERIFY(!m_window->mnuOpen->checked());
    QVERIFY(m_window->tag().isEmpty());
    QCOMPARE(m_window->helpCost, 3);
    QCOMPARE(m_window->Image1.count(), 3);
    QVERIFY(Form::loadedForms().contains(m_window));
    QCOMPARE(Form::loadedForms().count(m_window), 1);
    // Loading an already loaded window does nothing.
    m_window->Load();
    QCOMPARE(m_window->loadEvents, loadsBefore + 1);
    QCOMPARE(m_window->controls().size(), 14);
}

void TstObjectModel::clickCarriesIndex_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<int>("index");
    QTest::newRow("label") << "Label1" << -1;
    QTest::newRow("button") << "Command1" << -1;
    QTest::newRow("check box") << "Check1" << -1;
    QTest::newRow("image 0") << "Image1" << 0;
    QTest::newRow("image 2") << "Image1" << 2;
    QTest::newRow("frame") << "Frame1" << -1;
    QTest::newRow("image in frame") << "Picture1" << -1;
}

void TstObjectModel::clickCarriesIndex()
{
    QFETCH(QString, control);
    QFETCH(int, index);
    Control *c = m_window->control(control, index);
    QVERIFY(c && c->widget());
    // Near the left edge: a check box only takes clicks on its box and caption.
    const QPoint at(6, c->widget()->height() / 2);
    QTest::mouseClick(c->widget(), Qt::LeftButton, {}, at);
    QCOMPARE(m_window->clicks, QList<ClickRecord>({{control, index}}));
    QCOMPARE(m_window->formClicks, 0);

    // A right click is no click.
    m_window->clicks.clear();
    QTest::mouseClick(c->widget(), Qt::RightButton, {}, at);
    QVERIFY(m_window->clicks.isEmpty());
}

void TstObjectModel::disabledFrameSwallowsChildClicks()
{
    m_window->Frame1->setEnabled(false);
    QTest::mouseClick(m_window->Picture1->widget(), Qt::LeftButton);
    QVERIFY(m_window->clicks.isEmpty());
    // The child keeps its own Enabled; only the container stops it.
    QVERIFY(m_window->Picture1->enabled());

    m_window->Frame1->setEnabled(true);
    QTest::mouseClick(m_window->Picture1->widget(), Qt::LeftButton);
    QCOMPARE(m_window->clicks, QList<ClickRecord>({{"Picture1", -1}}));
}

void TstObjectModel::disabledControlDoesNotClick()
{
    m_window->Image1(1)->setEnabled(false);
    m_window->Command1->setEnabled(false);
    QTest::mouseClick(m_window->Image1(1)->widget(), Qt::LeftButton);
    QTest::mouseClick(m_window->Command1->widget(), Qt::LeftButton);
    QVERIFY(m_window->clicks.isEmpty());
    QCOMPARE(m_window->Image1(1)->propertyByName("Enabled")->toBool(), false);
}

void TstObjectModel::menuCommandsClick()
{
    // The entries sit in the title's drop-down, the bare title is a command in the bar.
    QMenuBar *bar = m_window->window()->findChild<QMenuBar *>();
    QVERIFY(bar);
    QCOMPARE(bar->actions().size(), 2);
    QCOMPARE(bar->actions().at(0)->text(), QStringLiteral("File"));
    QMenu *fileMenu = dropDownOf(m_window->window(), bar->actions().at(0));
    QVERIFY(fileMenu);
    QCOMPARE(bar->actions().at(1)->text(), QStringLiteral("Esci"));
    QVERIFY(!dropDownOf(m_window->window(), bar->actions().at(1)));
    QVERIFY(fileMenu->actions().contains(m_window->mnuOpen->action()));

    m_window->mnuOpen->action()->trigger();
    m_window->mnuLang(0)->action()->trigger();
    m_window->mnuEsci->action()->trigger();
    QCOMPARE(m_window->clicks, QList<ClickRecord>({{"mnuOpen", -1}, {"mnuLang", 0}, {"mnuEsci", -1}}));

    // A disabled or hidden entry does nothing.
    m_window->clicks.clear();
    m_window->mnuOpen->setEnabled(false);
    m_window->mnuOpen->action()->trigger();
    m_window->mnuOpen->trigger();
    m_window->mnuEsci->setVisible(false);
    m_window->mnuEsci->trigger();
    QVERIFY(m_window->clicks.isEmpty());
    QVERIFY(!m_window->mnuEsci->action()->isVisible());

    // The caption follows into the menu bar.
    m_window->mnuFile->setCaption(QStringLiteral("Archivio"));
    QCOMPARE(bar->actions().at(0)->text(), QStringLiteral("Archivio"));
    QCOMPARE(fileMenu->title(), QStringLiteral("Archivio"));
}

void TstObjectModel::menuEntryIsNotTickedByAClick()
{
    Menu *entry = m_window->mnuLang(0);
    entry->action()->trigger();
    QVERIFY(!entry->checked());
    QVERIFY(!entry->action()->isChecked());

    // Once it has been ticked and cleared by the program, a click still leaves it clear...
    entry->setChecked(true);
    entry->setChecked(false);
    entry->action()->trigger();
    QVERIFY(!entry->checked());
    QVERIFY(!entry->action()->isChecked());

    // ...and a ticked entry stays ticked.
    entry->setChecked(true);
    entry->action()->trigger();
    QVERIFY(entry->checked());
    QVERIFY(entry->action()->isChecked());
    QCOMPARE(m_window->clicks.size(), 3);
}

void TstObjectModel::loadMenuElementAddsEntry()
{
    Menu *first = m_window->mnuLang(0);
    Menu *second = m_window->loadMenuElement(first, 1);
    QVERIFY(second);
    QCOMPARE(second->name(), QStringLiteral("mnuLang"));
    QCOMPARE(second->index(), 1);
    QVERIFY(second->caption().isEmpty());
    QVERIFY(second->visible());
    QCOMPARE(second->parentMenu(), m_window->mnuFile);
    QCOMPARE(m_window->controls().last(), static_cast<Control *>(second));
    QCOMPARE(m_window->controlArray(QStringLiteral("mnuLang")).size(), 2);

    second->setCaption(QStringLiteral("English"));
    QMenu *dropDown = dropDownOf(m_window->window(), m_window->mnuFile->action());
    QVERIFY(dropDown);
    const QList<QAction *> entries = dropDown->actions();
    QCOMPARE(entries.size(), 3);
    QCOMPARE(entries.last(), second->action());
    QCOMPARE(entries.last()->text(), QStringLiteral("English"));

    m_window->record(second);
    second->action()->trigger();
    QCOMPARE(m_window->clicks, QList<ClickRecord>({{"mnuLang", 1}}));

    // An index that exists already is not loaded twice.
    QVERIFY(!m_window->loadMenuElement(first, 1));
    QVERIFY(!m_window->loadMenuElement(first, 0));

    // The run-time entry goes with the window; a new load starts from the design entry.
    QPointer<Menu> added = second;
    m_window->Unload();
    QVERIFY(added.isNull());
    m_window->Show();
    QCOMPARE(m_window->controlArray(QStringLiteral("mnuLang")).size(), 1);
    QCOMPARE(dropDownOf(m_window->window(), m_window->mnuFile->action())->actions().size(), 2);
}

void TstObjectModel::resizeEventFollowsWidthAndHeight()
{
    const int before = m_window->resizeEvents;
    m_window->setWidth(6000);
    QCOMPARE(m_window->resizeEvents, before + 1);
    QCOMPARE(m_window->width(), 6000.0);
    QCOMPARE(m_window->scaleWidth(), 6000.0);
    m_window->setHeight(4500);
    QCOMPARE(m_window->resizeEvents, before + 2);
    QCOMPARE(m_window->height(), 4500.0);
    // The menu bar takes its share of the outer height.
    QVERIFY(m_window->scaleHeight() < 4500.0);
    QVERIFY(m_window->scaleHeight() > 3000.0);

    // The same size again is no resize.
    m_window->setWidth(6000);
    QCOMPARE(m_window->resizeEvents, before + 2);
    // Moving is no resize either.
    m_window->setLeft(1500);
    m_window->setTop(750);
    QCOMPARE(m_window->resizeEvents, before + 2);
    QCOMPARE(m_window->left(), 1500.0);
    QCOMPARE(m_window->top(), 750.0);
    // Width and Height by name, as the layout writes them.
    QVERIFY(m_window->setPropertyByName("Width", 7500.0));
    QCOMPARE(m_window->resizeEvents, before + 3);
    QCOMPARE(m_window->propertyByName("Width")->toDouble(), 7500.0);
}

void TstObjectModel::rndStaysBelowOne()
{
    seedRandom(42);
    double lo = 1, hi = 0, sum = 0;
    const int n = 200000;
    for (int i = 0; i < n; ++i) {
        const double r = Rnd();
        QVERIFY(r >= 0.0 && r < 1.0);
        lo = qMin(lo, r);
        hi = qMax(hi, r);
        sum += r;
    }
    QVERIFY(lo < 0.001 && hi > 0.999);
    QVERIFY(qAbs(sum / n - 0.5) < 0.01);
}

void TstObjectModel::seedRandomRepeats()
{
    auto draw = [](std::uint64_t seed) {
        seedRandom(seed);
        QList<double> out;
        for (int i = 0; i < 50; ++i)
            out << Rnd();
        return out;
    };
    const QList<double> a = draw(7);
    QCOMPARE(draw(7), a);
    QVERIFY(draw(8) != a);

    seedRandom(7);
    const std::uint64_t count = randomDrawCount();
    QCOMPARE(drawIndex(1000), int(a.at(0) * 1000));
    QCOMPARE(randomDrawCount(), count + 1);
}

void TstObjectModel::drawIndexStaysInRange_data()
{
    QTest::addColumn<int>("n");
    for (int n : {1, 2, 3, 4, 18, 1000})
        QTest::addRow("n=%d", n) << n;
}

void TstObjectModel::drawIndexStaysInRange()
{
    QFETCH(int, n);
    seedRandom(1234 + n);
    QList<int> seen(n, 0);
    const int draws = qMax(2000, n * 50);
    for (int i = 0; i < draws; ++i) {
        const int k = drawIndex(n);
        QVERIFY2(k >= 0 && k < n, qPrintable(QString::number(k)));
        ++seen[k];
    }
    // Every value comes up, none far more often than its share.
    for (int k = 0; k < n; ++k) {
        QVERIFY2(seen[k] > 0, qPrintable(QString("value %1 never drawn").arg(k)));
        QVERIFY(seen[k] < 2 * draws / n + 10);
    }
}

void TstObjectModel::messageAnswererSeesTheRequest_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("buttons");
    QTest::addColumn<int>("icon");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("seenTitle");
    QTest::addColumn<int>("result");

    QTest::newRow("question") << "Vuoi uscire?" << int(MsgButtons::YesNo) << int(MsgIcon::Question)
                              << "Zorvelli"
                              << "Zorvelli" << int(MsgResult::No);
    QTest::newRow("about") << "Zorvelli 1.0" << int(MsgButtons::Ok) << int(MsgIcon::Information) << "Info"
                           << "Info" << int(MsgResult::Ok);
    QTest::newRow("default title") << "Non è presente alcun file di linguaggio!" << int(MsgButtons::Ok)
                                   << int(MsgIcon::None) << ""
                                   << "Zorvelli" << int(MsgResult::Ok);
}

void TstObjectModel::messageAnswererSeesTheRequest()
{
    QFETCH(QString, text);
    QFETCH(int, buttons);
    QFETCH(int, icon);
    QFETCH(QString, title);
    QFETCH(QString, seenTitle);
    QFETCH(int, result);

    m_messages.clear();
    const MsgResult r = msgBox(text, MsgButtons(buttons), MsgIcon(icon), title);
    QCOMPARE(int(r), result);
    QCOMPARE(m_messages.size(), 1);
    QCOMPARE(m_messages[0].text, text);
    QCOMPARE(int(m_messages[0].buttons), buttons);
    QCOMPARE(int(m_messages[0].icon), icon);
    QCOMPARE(m_messages[0].title, seenTitle);

    // A Yes from the answerer comes back as Yes.
    setMessageAnswerer([](const MessageRequest &) { return MsgResult::Yes; });
    QCOMPARE(msgBox(text, MsgButtons::YesNo, MsgIcon::Question), MsgResult::Yes);
    setMessageAnswerer([this](const MessageRequest &r) {
        m_messages.append(r);
        return r.buttons == MsgButtons::YesNo ? MsgResult::No : MsgResult::Ok;
    });
}

void TstObjectModel::pictures()
{
    clearPictureCache();
    const QString root = m_dir.path();
    QVERIFY(writeJpeg(root + QStringLiteral("/jpg/rosso/rotondograndespesso.JPG"), Qt::red));
    QVERIFY(writeJpeg(root + QStringLiteral("/jpg/grande.jpg"), Qt::blue));
    {
        QFile junk(root + QStringLiteral("/jpg/rotto.jpg"));
        QVERIFY(junk.open(QIODevice::WriteOnly));
        junk.write("this is no picture at all");
    }

    QVERIFY(loadPicture(QString()).isNull());
    const int start = pictureDecodeCount();
    QVERIFY(loadPicture(root + QStringLiteral("\\jpg\\verde\\nonce.JPG")).isNull());
    QVERIFY(loadPicture(root + QStringLiteral("/jpg/nonce.jpg")).isNull());
    QCOMPARE(pictureDecodeCount(), start); // nothing to decode

    const QPixmap block = loadPicture(root + QStringLiteral("\\jpg\\rosso\\rotondograndespesso.JPG"));
    QVERIFY(!block.isNull());
    QCOMPARE(block.size(), QSize(64, 48));
    const QRgb centre = block.toImage().pixel(32, 24);
    QVERIFY(qRed(centre) > 200 && qBlue(centre) < 60);
    QCOMPARE(pictureDecodeCount(), start + 1);

    // The program spells folders and names in any case, with '\' between them.
    const QPixmap word = loadPicture(root + QStringLiteral("\\JPG\\GRANDE.jpg"));
    QVERIFY(!word.isNull());
    QVERIFY(qBlue(word.toImage().pixel(32, 24)) > 200);
    QCOMPARE(pictureDecodeCount(), start + 2);
    QVERIFY(!loadPicture(root + QStringLiteral("\\Jpg\\Rosso\\RotondoGrandeSpesso.jpg")).isNull());

    // Shown again: from the cache, whatever the spelling.
    for (int i = 0; i < 12; ++i)
        QVERIFY(!loadPicture(root + QStringLiteral("\\jpg\\rosso\\rotondograndespesso.JPG")).isNull());
    QVERIFY(!loadPicture(root + QStringLiteral("\\jpg\\grande.jpg")).isNull());
    QCOMPARE(pictureDecodeCount(), start + 2);

    // A file that is no picture gives an empty one, and is not decoded again and again.
    QVERIFY(loadPicture(root + QStringLiteral("\\jpg\\rotto.jpg")).isNull());
    const int afterJunk = pictureDecodeCount();
    QVERIFY(loadPicture(root + QStringLiteral("\\jpg\\rotto.jpg")).isNull());
    QCOMPARE(pictureDecodeCount(), afterJunk);

    // A file that appears later is found then.
    QVERIFY(writeJpeg(root + QStringLiteral("/jpg/verde/tardi.jpg"), Qt::green));
    QVERIFY(loadPicture(root + QStringLiteral("\\jpg\\verde\\nonce.JPG")).isNull());
    QVERIFY(!loadPicture(root + QStringLiteral("\\jpg\\verde\\TARDI.JPG")).isNull());
}

void TstObjectModel::imageControlShowsAndClearsPicture()
{
    const QString file = m_dir.path() + QStringLiteral("/jpg/blu/quadratopiccolosottile.JPG");
    QVERIFY(writeJpeg(file, Qt::blue));
    Image *img = m_window->Image1(0);
    const QString programPath = ApplicationPath + QStringLiteral("\\jpg\\blu\\quadratopiccolosottile.JPG");

    QVERIFY(img->setPropertyByName("Picture", programPath));
    QVERIFY(img->hasPicture());
    QCOMPARE(img->picture(), programPath);

    img->setPicture(QString());
    QVERIFY(!img->hasPicture());
    QVERIFY(img->picture().isEmpty());

    // A missing file shows nothing, asks nothing, and keeps the path the program gave.
    m_messages.clear();
    img->setPicture(ApplicationPath + QStringLiteral("\\jpg\\blu\\manca.JPG"));
    QVERIFY(!img->hasPicture());
    QVERIFY(m_messages.isEmpty());
    QCOMPARE(img->picture(), ApplicationPath + QStringLiteral("\\jpg\\blu\\manca.JPG"));

    // The button shows its picture as an icon.
    m_window->Command1->setPicture(programPath);
    QVERIFY(!static_cast<QPushButton *>(m_window->Command1->widget())->icon().isNull());
    m_window->Command1->setPicture(QString());
    QVERIFY(static_cast<QPushButton *>(m_window->Command1->widget())->icon().isNull());
}

QTEST_MAIN(TstObjectModel)
#include "tst_objectmodel.moc"
