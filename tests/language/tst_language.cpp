// Language files: string lookup, the line scan of big files, window translation and the
// language menu, driven against language files written by the test into a scratch program
// folder.

#include "language/modLanguageSupport.h"
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
#include "platform/Profile.h"
#include "platform/Sound.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

#ifdef Q_OS_UNIX
#include <csignal>
#include <sys/resource.h>
#endif

using namespace platform;
using modLanguageSupport::CurrentLanguageName;

namespace {

// A window with one control of each kind that carries text, an array and a menu.
class TestWindow : public Form
{
public:
    explicit TestWindow(const QString &name, const QString &designCaption = {}) : Form(name)
    {
        setDesignCaption(designCaption);
    }

    Label *Label1 = nullptr;
    CommandButton *Command1 = nullptr;
    CheckBox *Check1 = nullptr;
    Image *Image1 = nullptr;
    ControlArray<Label> Label2;
    Frame *Frame1 = nullptr;
    Line *Line1 = nullptr;
    Menu *mnuFile = nullptr;
    Menu *mnuOpen = nullptr;

protected:
    void createControls() override
    {
        Label1 = addLabel(QStringLiteral("Label1"), 300, 300, 3000, 450, QStringLiteral("Etichetta"));
        Label1->setToolTipText(QStringLiteral("suggerimento"));
        Label1->setTag(QStringLiteral("t1"));
        Command1 = addButton(QStringLiteral("Command1"), 300, 900, 1500, 600, QStringLiteral("Avanti"));
        Check1 =
            addCheckBox(QStringLiteral("Check1"), 300, 1800, 3000, 300, QStringLiteral("Suoni attivati"));
        Image1 = addImage(QStringLiteral("Image1"), 4000, 300, 1200, 1200);
        for (int i = 0; i < 3; ++i)
            Label2.set(i, addLabel(QStringLiteral("Label2"), 300 + 1000 * i, 2400, 900, 300,
                                   QStringLiteral("L%1").arg(i), nullptr, i));
        Frame1 = addFrame(QStringLiteral("Frame1"), 300, 3000, 3000, 1500);
        Frame1->setCaption(QStringLiteral("Riquadro"));
        Line1 = addLine(QStringLiteral("Line1"), 0, 4800, 9000, 4800);
        mnuFile = addMenu(QStringLiteral("mnuFile"), QStringLiteral("Archivio"));
        mnuOpen = addMenu(QStringLiteral("mnuOpen"), QStringLiteral("Apri"), mnuFile);
    }
};

// The main window's language menu: a title and the design-time entry 0.
class MenuWindow : public Form
{
public:
    MenuWindow() : Form(QStringLiteral("frmMenu")) {}
    Label *Label1 = nullptr;
    Menu *mnuLanguages = nullptr;

    QStringList captions() const
    {
        QStringList out;
        for (Control *c : controlArray(QStringLiteral("mnuLanguage")))
            out << static_cast<Menu *>(c)->caption();
        return out;
    }
    QList<bool> ticks() const
    {
        QList<bool> out;
        for (Control *c : controlArray(QStringLiteral("mnuLanguage")))
            out << static_cast<Menu *>(c)->checked();
        return out;
    }
    Menu *entry(int i) const { return static_cast<Menu *>(control(QStringLiteral("mnuLanguage"), i)); }

protected:
    void createControls() override
    {
        Label1 = addLabel(QStringLiteral("Label1"), 300, 300, 3000, 450, QStringLiteral("Benvenuto"));
        mnuLanguages = addMenu(QStringLiteral("mnuLanguages"), QStringLiteral("Lingua"));
        addMenu(QStringLiteral("mnuLanguage"), QStringLiteral("(nessuna)"), mnuLanguages, 0);
    }
};

const char kEnglish[] = "[frmTest]\r\n"
                        "frmTest.Caption=\"Test window\"\r\n"
                        "frmTest.Tag=\"tagged\"\r\n"
                        "Label1.Caption=\"Label\"\r\n"
                        "Label1.ToolTipText=\"hint\"\r\n"
                        "Label1.Tag=\"\"\r\n"
                        "Command1.Caption=\"Next\"\r\n"
                        "Command1.Tag=\"cmd tag\"\r\n"
                        "Check1.Caption=\"\"\r\n"
                        "Image1.Caption=\"pictures have no caption\"\r\n"
                        "Image1.ToolTipText=\"picture hint\"\r\n"
                        "Label2.Caption=\"not an element\"\r\n"
                        "Label2(2).Caption=\"Second\"\r\n"
                        "Label2(0).Tag=\"zero\"\r\n"
                        "Label2(1).ToolTipText=\"one\"\r\n"
                        "Frame1.Caption=\"Box\"\r\n"
                        "Line1.Caption=\"lines have none\"\r\n"
                        "Line1.Tag=\"line tag\"\r\n"
                        "mnuFile.Caption=\"&File\"\r\n"
                        "mnuFile.ToolTipText=\"menus have none\"\r\n"
                        "mnuOpen.Caption=\"Open\"\r\n"
                        "[frmOther]\r\n"
                        "Check1.Caption=\"Sounds on\"\r\n"
                        "[frmMenu]\r\n"
                        "Label1.Caption=\"Welcome\"\r\n"
                        "mnuLanguages.Caption=\"Language\"\r\n"
                        "[Strings]\r\n"
                        "0001=\"Do you want to quit?\"\r\n"
                        "0011=\"Right:\"\r\n";

const char kItaliano[] = "[frmTest]\r\n"
                         "Label1.Caption=\"Etichetta italiana\"\r\n"
                         "Command1.Caption=\"Avanti!\"\r\n"
                         "[frmOther]\r\n"
                         "Check1.Caption=\"Suoni\"\r\n"
                         "[frmMenu]\r\n"
                         "Label1.Caption=\"Benvenuti\"\r\n"
                         "mnuLanguages.Caption=\"Lingua\"\r\n"
                         "[Strings]\r\n"
                         "0001=\"Vuoi uscire?\"\r\n";

// Comment lines that push a file past the size where the line scan takes over.
QByteArray padding(qint64 bytes, const QByteArray &eol = "\r\n")
{
    QByteArray out;
    while (out.size() + 100 <= bytes)
        out += ';' + QByteArray(99 - eol.size(), 'x') + eol;
    if (out.size() < bytes)
        out += ';' + QByteArray(bytes - out.size() - 1, 'y');
    return out;
}

QByteArray withEol(QByteArray text, const QByteArray &eol)
{
    return text.replace("\r\n", eol);
}

} // namespace

class TstLanguage : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void getStringReadsSectionStrings();
    void getStringReadsTheSettingFirst();
    void getStringWithoutSettings();
    void getStringRereadsTheFile();

    void lineScan_data();
    void lineScan();
    void lineScanStartsAbove64000Bytes_data();
    void lineScanStartsAbove64000Bytes();
    void windows1252_data();
    void windows1252();

    void translateForm_data();
    void translateForm();
    void windowTitle_data();
    void windowTitle();
    void translateFormDoesNotRereadSettings();

    void fillMenuListsLanguages();
    void fillMenuAgainAfterReload();
    void pickingALanguage();
    void noLanguageFile();
    void settingNamesAMissingLanguage();
    void settingClimbsOutOfTheFolder_data();
    void settingClimbsOutOfTheFolder();
    void missingSettingsFile();

    void badLanguageFiles_data();
    void badLanguageFiles();
    void settingsCannotBeWritten_data();
    void settingsCannotBeWritten();

private:
    QString file(const QString &name) const { return m_dir->path() + u'/' + name; }
    void put(const QString &name, const QByteArray &bytes);
    QByteArray bytes(const QString &name) const;
    void setLanguage(const QString &name);

    std::unique_ptr<QTemporaryDir> m_dir;
    QList<MessageRequest> m_messages;
    QList<Form *> m_forms;
};

void TstLanguage::initTestCase()
{
    setMessageAnswerer([this](const MessageRequest &r) {
        m_messages.append(r);
        return MsgResult::Ok;
    });
    setSoundSink([](const QString &) {});
}

void TstLanguage::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    ApplicationPath = m_dir->path();
    CurrentLanguageName.clear();
    m_messages.clear();
}

void TstLanguage::cleanup()
{
    for (Form *f : std::as_const(m_forms)) {
        f->Unload();
        delete f;
    }
    m_forms.clear();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
    m_dir.reset();
}

void TstLanguage::put(const QString &name, const QByteArray &content)
{
    QFile f(file(name));
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(f.write(content), content.size());
}

QByteArray TstLanguage::bytes(const QString &name) const
{
    QFile f(file(name));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

void TstLanguage::setLanguage(const QString &name)
{
    put(QStringLiteral("LangSetting.ini"), "[Language]\r\nCurrentLanguage=" + name.toUtf8() + "\r\n");
}

void TstLanguage::getStringReadsSectionStrings()
{
    put(QStringLiteral("English.lng"),
        "[frmTest]\r\n0001=\"wrong section\"\r\n[Strings]\r\n0001=\"right\"\r\n"
        "0002=rotondo\r\n[More]\r\n0003=\"elsewhere\"\r\n");
    CurrentLanguageName = QStringLiteral("English");
    QCOMPARE(modLanguageSupport::GetString(QStringLiteral("0001")), QStringLiteral("right"));
    QCOMPARE(modLanguageSupport::GetString(QStringLiteral("0002")), QStringLiteral("rotondo"));
    QCOMPARE(modLanguageSupport::GetString(QStringLiteral("0003")), QString());
    QCOMPARE(modLanguageSupport::GetString(QStringLiteral("9999")), QString());
}

void TstLanguage::getStringReadsTheSettingFirst()
{
    put(QStringLiteral("English.lng"), kEnglish);
    put(QStringLiteral("Italiano.lng"), kItaliano);
    setLanguage(QStringLiteral("English"));

    QCOMPARE(modLanguageSupport::GetString(QStringLiteral("0001")), QStringLiteral("Do you want to quit?"));
    QCOMPARE(CurrentLanguageName, QStringLiteral("English"));

    // Once a language is known the setting is not consulted again.
    setLanguage(QStringLiteral("Italiano"));
    QCOMPARE(modLanguageSupport::GetString(QStringLiteral("0001")), QStringLiteral("Do you want to quit?"));
    CurrentLanguageName.clear();
    QCOMPARE(modLanguageSupport::GetString(QStringLiteral("0001")), QStringLiteral("Vuoi uscire?"));
}

void TstLanguage::getStringWithoutSettings()
{
    put(QStringLiteral("English.lng"), kEnglish);
    QCOMPARE(modLanguageSupport::GetString(QStringLiteral("0001")), QString());
    QVERIFY(CurrentLanguageName.isEmpty());
    QVERIFY(modLanguageSupport::readCurrentLanguageSetting().isEmpty());

    // A settings file without the key is no better.
    put(QStringLiteral("LangSetting.ini"), "[Language]\r\nOther=English\r\n");
    QCOMPARE(modLanguageSupport::GetString(QStringLiteral("0001")), QString());
    QVERIFY(CurrentLanguageName.isEmpty());
}

void TstLanguage::getStringRereadsTheFile()
{
    put(QStringLiteral("English.lng"), "[Strings]\r\n0011=\"Right:\"\r\n");
    CurrentLanguageName = QStringLiteral("English");
    QCOMPARE(modLanguageSupport::GetString(QStringLiteral("0011")), QStringLiteral("Right:"));
    put(QStringLiteral("English.lng"), "[Strings]\r\n0011=\"Correct:\"\r\n");
    QCOMPARE(modLanguageSupport::GetString(QStringLiteral("0011")), QStringLiteral("Correct:"));
    QFile::remove(file(QStringLiteral("English.lng")));
    QCOMPARE(modLanguageSupport::GetString(QStringLiteral("0011")), QString());
}

void TstLanguage::lineScan_data()
{
    QTest::addColumn<QByteArray>("eol");
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("expected");

    const struct
    {
        const char *name, *section, *key, *expected;
    } rows[] = {
        {"first occurrence wins", "Strings", "0001", "from formMenu"},
        {"whatever window asks", "form1", "Label1.Caption", "menu label"},
        {"letter case counts (lower)", "Strings", "abc", "lower"},
        {"letter case counts (upper)", "Strings", "ABC", "upper"},
        {"letter case counts (none)", "Strings", "Abc", ""},
        {"longer key matches", "Strings", "0040", "\"prefix"},
        {"unquoted loses its ends", "Strings", "0041", "ia"},
        {"one character", "Strings", "0042", ""},
        {"nothing after =", "Strings", "0043", ""},
        {"empty quotes", "Strings", "0044", ""},
        {"one quoted character", "Strings", "0045", "a"},
        {"indented line is no match", "Strings", "0046", ""},
        {"blanks kept inside", "Strings", "0047", " spaces inside "},
        {"inner quotes kept", "Strings", "0048", "say \"hi\" now"},
        {"blank before =", "Strings", "0049", " \"spaced"},
        {"duplicate in one section", "Strings2", "0050", "first"},
        {"section name is no key", "Strings", "[Strings2", ""},
        {"missing key", "Strings", "7777", ""},
        {"last line", "Strings", "0099", "the end"},
    };
    const struct
    {
        const char *name;
        QByteArray eol;
    } eols[] = {{"CRLF", "\r\n"}, {"LF", "\n"}, {"CR", "\r"}};
    for (const auto &e : eols)
        for (const auto &r : rows)
            QTest::addRow("%s, %s", e.name, r.name)
                << e.eol << QString::fromLatin1(r.section) << QString::fromLatin1(r.key)
                << QString::fromLatin1(r.expected);
}

void TstLanguage::lineScan()
{
    QFETCH(QByteArray, eol);
    QFETCH(QString, section);
    QFETCH(QString, key);
    QFETCH(QString, expected);

    const QByteArray head = "[formMenu]\r\n"
                            "0001=\"from formMenu\"\r\n"
                            "Label1.Caption=\"menu label\"\r\n"
                            "[form1]\r\n"
                            "Label1.Caption=\"form1 label\"\r\n"
                            "[Strings]\r\n"
                            "0001=\"from strings\"\r\n"
                            "abc=\"lower\"\r\n"
                            "ABC=\"upper\"\r\n"
                            "0040X=\"prefix\"\r\n"
                            "0040=\"exact, but later\"\r\n"
                            "0041=ciao\r\n"
                            "0042=x\r\n"
                            "0043=\r\n"
                            "0044=\"\"\r\n"
                            "0045=\"a\"\r\n"
                            "  0046=\"indented\"\r\n"
                            "0047=\" spaces inside \"\r\n"
                            "0048=\"say \"hi\" now\"\r\n"
                            "0049 = \"spaced\"\r\n"
                            "[Strings2]\r\n"
                            "0050=\"first\"\r\n"
                            "0050=\"second\"\r\n";
    // The last line has no line end: a file cut off after its last value.
    const QByteArray content = withEol(head, eol) + padding(70000, eol) + eol + "0099=\"the end\"";
    QVERIFY(content.size() > modLanguageSupport::kProfileReaderLimit);
    put(QStringLiteral("Big.lng"), content);

    bool ok = false;
    QCOMPARE(modLanguageSupport::GetIniValue(file(QStringLiteral("Big.lng")), section, key, &ok), expected);
    QVERIFY(ok);
    // The program's own way in: GetString through the current language.
    if (section == QLatin1String("Strings")) {
        CurrentLanguageName = QStringLiteral("Big");
        QCOMPARE(modLanguageSupport::GetString(key), expected);
    }
}

void TstLanguage::lineScanStartsAbove64000Bytes_data()
{
    QTest::addColumn<qint64>("size");
    QTest::addColumn<QString>("expected");
    // Up to 64000 bytes the profile reader honours sections; above, the first line wins.
    QTest::newRow("63999") << qint64(63999) << "strings";
    QTest::newRow("64000") << qint64(64000) << "strings";
    QTest::newRow("64001") << qint64(64001) << "menu";
    QTest::newRow("200000") << qint64(200000) << "menu";
}

void TstLanguage::lineScanStartsAbove64000Bytes()
{
    QFETCH(qint64, size);
    QFETCH(QString, expected);
    const QByteArray head = "[formMenu]\r\n0001=\"menu\"\r\n[Strings]\r\n0001=\"strings\"\r\n";
    const QByteArray content = head + padding(size - head.size());
    QCOMPARE(qint64(content.size()), size);
    put(QStringLiteral("Edge.lng"), content);
    CurrentLanguageName = QStringLiteral("Edge");
    QCOMPARE(modLanguageSupport::GetString(QStringLiteral("0001")), expected);
}

void TstLanguage::windows1252_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("perche");
    QTest::addColumn<QString>("citta");

    const QByteArray cp1252 = "[frmTest]\r\nLabel1.Caption=\"Perch\xE9?\"\r\n[Strings]\r\n"
                              "0001=\"Perch\xE9 no?\"\r\n0002=\"citt\xE0 \x80 \x96\"\r\n";
    const QByteArray utf8 =
        "[frmTest]\r\nLabel1.Caption=\"Perch\xC3\xA9?\"\r\n[Strings]\r\n"
        "0001=\"Perch\xC3\xA9 no?\"\r\n0002=\"citt\xC3\xA0 \xE2\x82\xAC \xE2\x80\x93\"\r\n";
    const QString perche = QStringLiteral("Perch\u00E9 no?");
    const QString citta = QStringLiteral("citt\u00E0 \u20AC \u2013");
    QTest::newRow("Windows-1252") << cp1252 << perche << citta;
    QTest::newRow("Windows-1252, big") << cp1252 + padding(65000) << perche << citta;
    QTest::newRow("UTF-8") << utf8 << perche << citta;
    QTest::newRow("UTF-8, big") << utf8 + padding(65000) << perche << citta;
}

void TstLanguage::windows1252()
{
    QFETCH(QByteArray, content);
    QFETCH(QString, perche);
    QFETCH(QString, citta);
    put(QStringLiteral("Italiano.lng"), content);
    CurrentLanguageName = QStringLiteral("Italiano");
    QCOMPARE(modLanguageSupport::GetString(QStringLiteral("0001")), perche);
    QCOMPARE(modLanguageSupport::GetString(QStringLiteral("0002")), citta);

    auto *w = new TestWindow(QStringLiteral("frmTest"));
    m_forms << w;
    w->Load();
    modLanguageSupport::TranslateForm(*w);
    QCOMPARE(w->Label1->caption(), QStringLiteral("Perch\u00E9?"));
}

void TstLanguage::translateForm_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::newRow("profile reader") << QByteArray(kEnglish);
    QTest::newRow("line scan") << QByteArray(kEnglish) + padding(70000);
}

void TstLanguage::translateForm()
{
    QFETCH(QByteArray, content);
    put(QStringLiteral("English.lng"), content);
    CurrentLanguageName = QStringLiteral("English");

    auto *w = new TestWindow(QStringLiteral("frmTest"));
    m_forms << w;
    w->Load();
    modLanguageSupport::TranslateForm(*w);

    // No design title: the title key is not used.
    QVERIFY(w->caption().isEmpty());
    QCOMPARE(w->tag(), QStringLiteral("tagged"));

    QCOMPARE(w->Label1->caption(), QStringLiteral("Label"));
    QCOMPARE(w->Label1->toolTipText(), QStringLiteral("hint"));
    QCOMPARE(w->Label1->tag(), QStringLiteral("t1")); // empty value: design tag stays
    QCOMPARE(w->Command1->caption(), QStringLiteral("Next"));
    QCOMPARE(w->Command1->tag(), QStringLiteral("cmd tag"));
    QCOMPARE(w->Check1->caption(), QStringLiteral("Suoni attivati")); // empty value
    QCOMPARE(w->Image1->toolTipText(), QStringLiteral("picture hint"));
    QVERIFY(!w->Image1->hasProperty("Caption"));
    QVERIFY(w->Image1->dynamicPropertyNames().isEmpty());

    QCOMPARE(w->Label2(0)->caption(), QStringLiteral("L0"));
    QCOMPARE(w->Label2(0)->tag(), QStringLiteral("zero"));
    QCOMPARE(w->Label2(1)->caption(), QStringLiteral("L1"));
    QCOMPARE(w->Label2(1)->toolTipText(), QStringLiteral("one"));
    QCOMPARE(w->Label2(2)->caption(), QStringLiteral("Second"));
    QVERIFY(w->Label2(2)->toolTipText().isEmpty());

    QCOMPARE(w->Frame1->caption(), QStringLiteral("Box"));
    QCOMPARE(w->Line1->tag(), QStringLiteral("line tag"));
    QVERIFY(w->Line1->dynamicPropertyNames().isEmpty());
    QCOMPARE(w->mnuFile->caption(), QStringLiteral("&File"));
    QCOMPARE(w->mnuFile->action()->text(), QStringLiteral("&File"));
    QCOMPARE(w->mnuOpen->caption(), QStringLiteral("Open"));
    QVERIFY(w->mnuFile->dynamicPropertyNames().isEmpty());

    // Translating twice changes nothing more.
    modLanguageSupport::TranslateForm(*w);
    QCOMPARE(w->Label2(2)->caption(), QStringLiteral("Second"));
    QCOMPARE(w->Label1->tag(), QStringLiteral("t1"));

    // A window that is not loaded has nothing to translate, and that is no error.
    w->Unload();
    modLanguageSupport::TranslateForm(*w);
}

void TstLanguage::windowTitle_data()
{
    QTest::addColumn<QByteArray>("content"); // empty: no language file at all
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("tag");

    QTest::newRow("value") << QByteArray(
                                  "[frmTitled]\r\nfrmTitled.Caption=\"Welcome\"\r\nfrmTitled.Tag=\"t\"\r\n")
                           << "Welcome"
                           << "t";
    QTest::newRow("empty value") << QByteArray("[frmTitled]\r\nfrmTitled.Caption=\"\"\r\nfrmTitled.Tag=\r\n")
                                 << ""
                                 << "";
    QTest::newRow("no key") << QByteArray("[frmTitled]\r\nLabel9.Caption=\"x\"\r\n") << ""
                            << "";
    QTest::newRow("no section") << QByteArray("[Strings]\r\n0001=\"x\"\r\n") << ""
                                << "";
    QTest::newRow("section name in other case")
        << QByteArray("[FRMTITLED]\r\nFRMTITLED.CAPTION=\"Welcome\"\r\n") << "Welcome"
        << "";
    QTest::newRow("big file, empty value")
        << QByteArray("[frmTitled]\r\nfrmTitled.Caption=\"\"\r\n") + padding(70000) << ""
        << "";
    QTest::newRow("no language file") << QByteArray() << "Form1"
                                      << "before";
}

void TstLanguage::windowTitle()
{
    QFETCH(QByteArray, content);
    QFETCH(QString, title);
    QFETCH(QString, tag);
    if (!content.isEmpty())
        put(QStringLiteral("English.lng"), content);
    CurrentLanguageName = QStringLiteral("English");

    auto *w = new TestWindow(QStringLiteral("frmTitled"), QStringLiteral("Form1"));
    m_forms << w;
    w->Load();
    QCOMPARE(w->caption(), QStringLiteral("Form1"));
    w->setTag(QStringLiteral("before"));
    modLanguageSupport::TranslateForm(*w);
    QCOMPARE(w->caption(), title);
    QCOMPARE(w->tag(), tag);
    // Controls keep their design texts whenever the file has nothing for them.
    QCOMPARE(w->Label1->caption(), QStringLiteral("Etichetta"));
    QCOMPARE(w->Command1->caption(), QStringLiteral("Avanti"));

    // A window without a design title never gets one, whatever the file says.
    put(QStringLiteral("English.lng"), "[frmPlain]\r\nfrmPlain.Caption=\"Plain\"\r\n");
    auto *plain = new TestWindow(QStringLiteral("frmPlain"));
    m_forms << plain;
    plain->Load();
    modLanguageSupport::TranslateForm(*plain);
    QVERIFY(plain->caption().isEmpty());
}

void TstLanguage::translateFormDoesNotRereadSettings()
{
    put(QStringLiteral("English.lng"), kEnglish);
    setLanguage(QStringLiteral("English"));
    auto *w = new TestWindow(QStringLiteral("frmTest"));
    m_forms << w;
    w->Load();
    modLanguageSupport::TranslateForm(*w);
    QVERIFY(CurrentLanguageName.isEmpty());
    QCOMPARE(w->Label1->caption(), QStringLiteral("Etichetta"));
    QVERIFY(w->tag().isEmpty());
}

void TstLanguage::fillMenuListsLanguages()
{
    // Written out of order, with look-alikes that are not language files.
    put(QStringLiteral("Italiano.lng"), kItaliano);
    put(QStringLiteral("English.lng"), kEnglish);
    put(QStringLiteral("deutsch.lng"), "[Strings]\r\n0001=\"Beenden?\"\r\n");
    put(QStringLiteral("Italiano.lng.bak"), kItaliano);
    put(QStringLiteral("readme.txt"), "nothing");
    QVERIFY(QDir().mkpath(file(QStringLiteral("Folder.lng"))));
    setLanguage(QStringLiteral("Italiano"));

    auto *menu = new MenuWindow;
    m_forms << menu;
    menu->Load();
    modLanguageSupport::MLSFillMenuLanguages(*menu);

    QCOMPARE(menu->captions(), QStringList({"deutsch", "English", "Italiano"}));
    QCOMPARE(menu->ticks(), QList<bool>({false, false, true}));
    QCOMPARE(CurrentLanguageName, QStringLiteral("Italiano"));
    QVERIFY(m_messages.isEmpty());
    for (int i = 0; i < 3; ++i) {
        QVERIFY(menu->entry(i)->visible());
        QVERIFY(menu->entry(i)->action()->isVisible());
        QCOMPARE(menu->entry(i)->parentMenu(), menu->mnuLanguages);
    }

    // The name must match exactly for the tick.
    setLanguage(QStringLiteral("english"));
    menu->Unload();
    menu->Load();
    modLanguageSupport::MLSFillMenuLanguages(*menu);
    QCOMPARE(menu->ticks(), QList<bool>({false, false, false}));
}

void TstLanguage::fillMenuAgainAfterReload()
{
    put(QStringLiteral("English.lng"), kEnglish);
    put(QStringLiteral("Italiano.lng"), kItaliano);
    setLanguage(QStringLiteral("English"));
    auto *menu = new MenuWindow;
    m_forms << menu;
    for (int round = 0; round < 3; ++round) {
        menu->Load();
        modLanguageSupport::MLSFillMenuLanguages(*menu);
        QCOMPARE(menu->captions(), QStringList({"English", "Italiano"}));
        QCOMPARE(menu->ticks(), QList<bool>({true, false}));
        menu->Unload();
    }
    // Filling twice without a reload does not add entries either.
    menu->Load();
    modLanguageSupport::MLSFillMenuLanguages(*menu);
    modLanguageSupport::MLSFillMenuLanguages(*menu);
    QCOMPARE(menu->captions(), QStringList({"English", "Italiano"}));
    QCOMPARE(menu->ticks(), QList<bool>({true, false}));
}

void TstLanguage::pickingALanguage()
{
    put(QStringLiteral("English.lng"), kEnglish);
    put(QStringLiteral("Italiano.lng"), kItaliano);
    put(QStringLiteral("LangSetting.ini"),
        "; chosen in the menu\r\n[Language]\r\nCurrentLanguage=Italiano\r\n"
        "[Other]\r\nKeep=this\r\n");

    auto *menu = new MenuWindow;
    auto *test = new TestWindow(QStringLiteral("frmTest"));
    auto *other = new TestWindow(QStringLiteral("frmOther"));
    auto *closed = new TestWindow(QStringLiteral("frmClosed"));
    m_forms << menu << test << other << closed;
    menu->Load();
    modLanguageSupport::MLSFillMenuLanguages(*menu);
    test->Load();
    other->Load();
    closed->Load();
    closed->Unload();
    QCOMPARE(menu->ticks(), QList<bool>({false, true}));

    modLanguageSupport::languageMenuClick(*menu, 0);

    QCOMPARE(menu->ticks(), QList<bool>({true, false}));
    QCOMPARE(CurrentLanguageName, QStringLiteral("English"));
    QCOMPARE(readProfileString(file(QStringLiteral("LangSetting.ini")), QStringLiteral("Language"),
                               QStringLiteral("CurrentLanguage"), QString()),
             QStringLiteral("English"));
    QVERIFY(bytes(QStringLiteral("LangSetting.ini")).contains("CurrentLanguage=English"));
    QVERIFY(bytes(QStringLiteral("LangSetting.ini")).contains("Keep=this"));
    // Every loaded window follows at once, the menu's own window included.
    QCOMPARE(menu->Label1->caption(), QStringLiteral("Welcome"));
    QCOMPARE(menu->mnuLanguages->caption(), QStringLiteral("Language"));
    QCOMPARE(test->Label1->caption(), QStringLiteral("Label"));
    QCOMPARE(test->Label2(2)->caption(), QStringLiteral("Second"));
    QCOMPARE(other->Check1->caption(), QStringLiteral("Sounds on"));
    QCOMPARE(other->Label1->caption(), QStringLiteral("Etichetta"));
    QVERIFY(!closed->isLoaded());
    QCOMPARE(modLanguageSupport::GetString(QStringLiteral("0001")), QStringLiteral("Do you want to quit?"));

    // And back: texts the new language has are replaced, the rest stay as they are.
    modLanguageSupport::languageMenuClick(*menu, 1);
    QCOMPARE(menu->ticks(), QList<bool>({false, true}));
    QCOMPARE(CurrentLanguageName, QStringLiteral("Italiano"));
    QVERIFY(bytes(QStringLiteral("LangSetting.ini")).contains("CurrentLanguage=Italiano"));
    QCOMPARE(menu->Label1->caption(), QStringLiteral("Benvenuti"));
    QCOMPARE(test->Label1->caption(), QStringLiteral("Etichetta italiana"));
    QCOMPARE(test->Command1->caption(), QStringLiteral("Avanti!"));
    QCOMPARE(test->Label2(2)->caption(), QStringLiteral("Second"));
    QCOMPARE(other->Check1->caption(), QStringLiteral("Suoni"));

    // The choice survives a restart: the next fill reads it back.
    CurrentLanguageName.clear();
    menu->Unload();
    menu->Load();
    modLanguageSupport::MLSFillMenuLanguages(*menu);
    QCOMPARE(menu->ticks(), QList<bool>({false, true}));

    // An entry that does not exist is ignored.
    modLanguageSupport::languageMenuClick(*menu, 5);
    QCOMPARE(menu->ticks(), QList<bool>({false, true}));
    QCOMPARE(CurrentLanguageName, QStringLiteral("Italiano"));
}

void TstLanguage::noLanguageFile()
{
    setLanguage(QStringLiteral("English"));
    put(QStringLiteral("English.txt"), kEnglish);
    CurrentLanguageName = QStringLiteral("Before");
    auto *menu = new MenuWindow;
    m_forms << menu;
    menu->Load();
    modLanguageSupport::MLSFillMenuLanguages(*menu);

    QCOMPARE(m_messages.size(), 1);
    QCOMPARE(m_messages[0].text, QStringLiteral("Non \u00E8 presente alcun file di linguaggio!"));
    QCOMPARE(m_messages[0].buttons, MsgButtons::Ok);
    QCOMPARE(m_messages[0].icon, MsgIcon::None);
    QCOMPARE(m_messages[0].title, QStringLiteral("Zorvelli"));
    QCOMPARE(menu->captions(), QStringList({"(nessuna)"}));
    QCOMPARE(menu->ticks(), QList<bool>({false}));
    QCOMPARE(CurrentLanguageName, QStringLiteral("Before"));

    // Shown at every load of the menu.
    menu->Unload();
    menu->Load();
    modLanguageSupport::MLSFillMenuLanguages(*menu);
    QCOMPARE(m_messages.size(), 2);

    // The program folder may be missing altogether.
    ApplicationPath = m_dir->path() + QStringLiteral("/gone");
    modLanguageSupport::MLSFillMenuLanguages(*menu);
    QCOMPARE(m_messages.size(), 3);
    QCOMPARE(menu->captions(), QStringList({"(nessuna)"}));
}

void TstLanguage::settingNamesAMissingLanguage()
{
    put(QStringLiteral("English.lng"), kEnglish);
    put(QStringLiteral("Italiano.lng"), kItaliano);
    setLanguage(QStringLiteral("Klingon"));

    auto *menu = new MenuWindow;
    auto *titled = new TestWindow(QStringLiteral("frmTest"), QStringLiteral("Form1"));
    m_forms << menu << titled;
    menu->Load();
    modLanguageSupport::MLSFillMenuLanguages(*menu);
    QCOMPARE(menu->captions(), QStringList({"English", "Italiano"}));
    QCOMPARE(menu->ticks(), QList<bool>({false, false}));
    QCOMPARE(CurrentLanguageName, QStringLiteral("Klingon"));

    QVERIFY(modLanguageSupport::GetString(QStringLiteral("0001")).isEmpty());
    QVERIFY(modLanguageSupport::GetString(QStringLiteral("0011")).isEmpty());

    titled->Load();
    titled->setTag(QStringLiteral("kept"));
    modLanguageSupport::TranslateForm(*titled);
    modLanguageSupport::TranslateForm(*menu);
    QCOMPARE(titled->caption(), QStringLiteral("Form1"));
    QCOMPARE(titled->tag(), QStringLiteral("kept"));
    QCOMPARE(titled->Label1->caption(), QStringLiteral("Etichetta"));
    QCOMPARE(titled->Label1->toolTipText(), QStringLiteral("suggerimento"));
    QCOMPARE(titled->mnuFile->caption(), QStringLiteral("Archivio"));
    QCOMPARE(menu->Label1->caption(), QStringLiteral("Benvenuto"));
}

void TstLanguage::settingClimbsOutOfTheFolder_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("parent folder") << "../outside/English";
    QTest::newRow("backslash") << "..\\outside\\English";
    QTest::newRow("absolute") << "PLACEHOLDER";
}

void TstLanguage::settingClimbsOutOfTheFolder()
{
    QFETCH(QString, name);
    // A language file outside the program's folder is never read, whatever the setting says.
    QTemporaryDir outside;
    QVERIFY(outside.isValid());
    QDir(m_dir->path()).mkdir(QStringLiteral("program"));
    QDir(m_dir->path()).mkdir(QStringLiteral("outside"));
    put(QStringLiteral("outside/English.lng"), kEnglish);
    QFile::copy(file(QStringLiteral("outside/English.lng")), outside.path() + QStringLiteral("/English.lng"));
    if (name == QLatin1String("PLACEHOLDER"))
        name = outside.path() + QStringLiteral("/English");
    ApplicationPath = file(QStringLiteral("program"));
    put(QStringLiteral("program/LangSetting.ini"), "[Language]\r\nCurrentLanguage=" + name.toUtf8() + "\r\n");

    QVERIFY(modLanguageSupport::GetString(QStringLiteral("0001")).isEmpty());
    QCOMPARE(CurrentLanguageName, name);
    QVERIFY(modLanguageSupport::languageFilePath().isEmpty());
}

void TstLanguage::missingSettingsFile()
{
    put(QStringLiteral("English.lng"), kEnglish);
    auto *menu = new MenuWindow;
    m_forms << menu;
    menu->Load();
    CurrentLanguageName = QStringLiteral("stale");
    modLanguageSupport::MLSFillMenuLanguages(*menu);
    QCOMPARE(menu->captions(), QStringList({"English"}));
    QCOMPARE(menu->ticks(), QList<bool>({false}));
    QVERIFY(CurrentLanguageName.isEmpty());
    QVERIFY(modLanguageSupport::GetString(QStringLiteral("0001")).isEmpty());
    QVERIFY(!QFile::exists(file(QStringLiteral("LangSetting.ini")))); // reading creates nothing

    // Picking a language then creates the settings file.
    modLanguageSupport::languageMenuClick(*menu, 0);
    QCOMPARE(readProfileString(file(QStringLiteral("LangSetting.ini")), QStringLiteral("Language"),
                               QStringLiteral("CurrentLanguage"), QString()),
             QStringLiteral("English"));
}

void TstLanguage::badLanguageFiles_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("expected0001");
    QTest::addColumn<QString>("label1");

    QRandomGenerator rng(20240607);
    auto randomBytes = [&rng](qsizetype n) {
        QByteArray b(n, Qt::Uninitialized);
        rng.fillRange(reinterpret_cast<quint32 *>(b.data()), n / 4);
        return b;
    };
    const QByteArray english(kEnglish);
    const qsizetype cut = english.indexOf("0001=") + 12; // 0001="Do you| cut here

    QTest::newRow("empty") << QByteArray() << ""
                           << "Etichetta";
    QTest::newRow("only blanks and line ends") << QByteArray("\r\n \r\n\t\n\n\r") << ""
                                               << "Etichetta";
    QTest::newRow("binary") << randomBytes(4000) << ""
                            << "Etichetta";
    // Garbage after the last value does not hide what comes before it.
    QTest::newRow("NUL bytes at the end") << english + QByteArray(3000, '\0') << "Do you want to quit?"
                                          << "Label";
    QTest::newRow("truncated") << english.left(cut) << ""
                               << "Label";
    // Big: the cut line is the first one with the key, so the scan takes what is left of it.
    QTest::newRow("truncated, big") << padding(65000) + "\r\n" + english.left(cut) << "Do yo"
                                    << "Label";
    QTest::newRow("UTF-16 with mark") << QByteArray("\xFF\xFE[\0S\0]\0", 8) << ""
                                      << "Etichetta";
    QTest::newRow("huge random") << randomBytes(5 * 1024 * 1024) << ""
                                 << "Etichetta";
    QTest::newRow("huge, one line") << QByteArray(5 * 1024 * 1024, 'z') << ""
                                    << "Etichetta";
    QTest::newRow("huge, key at the end") << padding(5 * 1024 * 1024) + "\r\n0001=\"found\"\r\n"
                                          << "found"
                                          << "Etichetta";
}

void TstLanguage::badLanguageFiles()
{
    QFETCH(QByteArray, content);
    QFETCH(QString, expected0001);
    QFETCH(QString, label1);
    put(QStringLiteral("Broken.lng"), content);
    setLanguage(QStringLiteral("Broken"));

    // The menu lists it like any other.
    auto *menu = new MenuWindow;
    auto *w = new TestWindow(QStringLiteral("frmTest"));
    m_forms << menu << w;
    menu->Load();
    modLanguageSupport::MLSFillMenuLanguages(*menu);
    QCOMPARE(menu->captions(), QStringList({"Broken"}));
    QCOMPARE(menu->ticks(), QList<bool>({true}));

    const QString s = modLanguageSupport::GetString(QStringLiteral("0001"));
    if (!expected0001.isEmpty())
        QCOMPARE(s, expected0001);
    else
        QVERIFY2(s.isEmpty() || QTest::currentDataTag() == QByteArray("truncated"), qPrintable(s));
    QVERIFY(modLanguageSupport::GetString(QStringLiteral("9999")).isEmpty());

    w->Load();
    modLanguageSupport::languageMenuClick(*menu, 0);
    QCOMPARE(w->Label1->caption(), label1);
    QCOMPARE(w->Check1->caption(), QStringLiteral("Suoni attivati"));
    QCOMPARE(w->Label2(1)->caption(), QStringLiteral("L1"));
    // The language file itself is only ever read.
    QCOMPARE(bytes(QStringLiteral("Broken.lng")), content);
}

void TstLanguage::settingsCannotBeWritten_data()
{
    QTest::addColumn<bool>("fileSizeLimit");
    QTest::newRow("file size limit") << true;
    QTest::newRow("folder path through a file") << false;
}

void TstLanguage::settingsCannotBeWritten()
{
    QFETCH(bool, fileSizeLimit);
    put(QStringLiteral("English.lng"), kEnglish);
    put(QStringLiteral("Italiano.lng"), kItaliano);
    const QByteArray original =
        "; the language chosen last\r\n[Language]\r\nCurrentLanguage=Italiano\r\n" + padding(400) + "\r\n";
    put(QStringLiteral("LangSetting.ini"), original);

    auto *menu = new MenuWindow;
    auto *w = new TestWindow(QStringLiteral("frmTest"));
    m_forms << menu << w;
    menu->Load();
    w->Load();
    modLanguageSupport::MLSFillMenuLanguages(*menu);
    QCOMPARE(menu->ticks(), QList<bool>({false, true}));
    const QStringList before =
        QDir(m_dir->path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);

    if (fileSizeLimit) {
#ifdef Q_OS_UNIX
        // Even root cannot write past the process's file size limit, so the write really fails.
        struct rlimit saved;
        QCOMPARE(getrlimit(RLIMIT_FSIZE, &saved), 0);
        auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        struct rlimit tight = saved;
        tight.rlim_cur = 100;
        QCOMPARE(setrlimit(RLIMIT_FSIZE, &tight), 0);
        bool limitBites = false;
        bool written = true;
        {
            auto restore = qScopeGuard([&] {
                setrlimit(RLIMIT_FSIZE, &saved);
                std::signal(SIGXFSZ, oldHandler);
            });
            QFile probe(file(QStringLiteral("probe.bin")));
            if (probe.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
                limitBites = probe.write(QByteArray(400, 'p')) < 400;
            probe.close();
            probe.remove();
            if (limitBites) {
                written = modLanguageSupport::WriteIniValue(
                    file(QStringLiteral("LangSetting.ini")), QStringLiteral("Language"),
                    QStringLiteral("CurrentLanguage"), QStringLiteral("English"));
                modLanguageSupport::languageMenuClick(*menu, 0);
            }
        }
        if (!limitBites)
            QSKIP("the file size limit does not stop writes here");
        QVERIFY(!written);
#else
        QSKIP("needs a process file size limit");
#endif
    } else {
        // The program folder's path runs through a plain file: nothing can be created below it.
        put(QStringLiteral("plain.txt"), "x");
        ApplicationPath = file(QStringLiteral("plain.txt")) + QStringLiteral("\\sub");
        modLanguageSupport::languageMenuClick(*menu, 0);
        QVERIFY(!QFileInfo::exists(file(QStringLiteral("plain.txt")) + QStringLiteral("/sub")));
        QCOMPARE(bytes(QStringLiteral("plain.txt")), QByteArray("x"));
        ApplicationPath = m_dir->path();
    }

    // The choice still holds for this run; the file and the folder are as they were.
    QCOMPARE(menu->ticks(), QList<bool>({true, false}));
    QCOMPARE(CurrentLanguageName, QStringLiteral("English"));
    QCOMPARE(bytes(QStringLiteral("LangSetting.ini")), original);
    QStringList after = QDir(m_dir->path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    after.removeAll(QStringLiteral("plain.txt"));
    QCOMPARE(after, before);
    if (fileSizeLimit)
        QCOMPARE(w->Label1->caption(), QStringLiteral("Label"));
}

QTEST_MAIN(TstLanguage)
#include "tst_language.moc"
