// Language files: string lookup, the line scan of big files, window translation and the
// language menu, against files written into a scratch program folder.

#include "language/modLanguageSupport.h"
#include "platform/Application.h"
#include "platform/CheckBox.h"
#include "platform/CommandButton.h"
#include "platform/ControlArray.h"
#include "platform/Form.h"
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
#include <QTemporaryDir>
#include <QTest>

#include <memory>

#ifdef Q_OS_UNIX
#include <csignal>
#include <sys/resource.h>
#endif

using namespace platform;
using namespace modLanguageSupport;
using namespace Qt::StringLiterals;

namespace {

// One control of each kind that carries text, an array, a menu and the language menu.
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
    Line *Line1 = nullptr;
    Menu *mnuFile = nullptr, *mnuOpen = nullptr, *mnuLanguages = nullptr;

protected:
    void createControls() override
    {
        Label1 = addLabel("Label1", 300, 300, 3000, 450, "Etichetta");
        Label1->setToolTipText("suggerimento");
        Label1->setTag("t1");
        Command1 = addButton("Command1", 300, 900, 1500, 600, "Avanti");
        Check1 = addCheckBox("Check1", 300, 1800, 3000, 300, "Suoni attivati");
        Image1 = addImage("Image1", 4000, 300, 1200, 1200);
        for (int i = 0; i < 3; ++i)
            Label2.set(i, addLabel("Label2", 300 + 1000 * i, 2400, 900, 300, u"L%1"_s.arg(i), nullptr, i));
        Line1 = addLine("Line1", 0, 4800, 9000, 4800);
        mnuFile = addMenu("mnuFile", "Archivio");
        mnuOpen = addMenu("mnuOpen", "Apri", mnuFile);
        mnuLanguages = addMenu("mnuLanguages", "Lingua");
        addMenu("mnuLanguage", "(nessuna)", mnuLanguages, 0); // the design-time entry 0
    }
};

// The language menu's captions, the ticked one marked with "*".
QString entries(const Form &menu)
{
    QStringList out;
    for (Control *c : menu.controlArray("mnuLanguage")) {
        auto *m = static_cast<Menu *>(c);
        out << (m->checked() ? u"*"_s : QString()) + m->caption();
    }
    return out.join(u',');
}

QString joined(std::initializer_list<QString> texts)
{
    return QStringList(texts).join(u'|');
}

const char kEnglish[] =
    "[frmTest]\r\nfrmTest.Caption=\"Test window\"\r\nfrmTest.Tag=\"tagged\"\r\nLabel1.Caption=\"Label\"\r\n"
    "Label1.ToolTipText=\"hint\"\r\nLabel1.Tag=\"\"\r\nCommand1.Caption=\"Next\"\r\nCommand1.Tag=\"cmd "
    "tag\"\r\n"
    "Check1.Caption=\"\"\r\nImage1.Caption=\"pictures have no caption\"\r\nImage1.ToolTipText=\"picture "
    "hint\"\r\n"
    "Label2.Caption=\"not an element\"\r\nLabel2(2).Caption=\"Second\"\r\nLabel2(0).Tag=\"zero\"\r\n"
    "Label2(1).ToolTipText=\"one\"\r\nLine1.Caption=\"lines have none\"\r\n"
    "Line1.Tag=\"line tag\"\r\nmnuFile.Caption=\"&File\"\r\nmnuFile.ToolTipText=\"menus have none\"\r\n"
    "mnuOpen.Caption=\"Open\"\r\n[frmOther]\r\nCheck1.Caption=\"Sounds on\"\r\n"
    "[frmMenu]\r\nLabel1.Caption=\"Welcome\"\r\nmnuLanguages.Caption=\"Language\"\r\n"
    "[Strings]\r\n0001=\"Do you want to quit?\"\r\n0011=\"Right:\"\r\n";
const char kItaliano[] =
    "[frmTest]\r\nLabel1.Caption=\"Etichetta italiana\"\r\nCommand1.Caption=\"Avanti!\"\r\n"
    "[frmOther]\r\nCheck1.Caption=\"Suoni\"\r\n[frmMenu]\r\nLabel1.Caption=\"Benvenuti\"\r\n"
    "mnuLanguages.Caption=\"Lingua\"\r\n[Strings]\r\n0001=\"Vuoi uscire?\"\r\n";

// Comment lines that bring a file to a given size.
QByteArray padding(qint64 bytes, const QByteArray &eol = "\r\n")
{
    QByteArray out;
    while (out.size() + 100 <= bytes)
        out += ';' + QByteArray(99 - eol.size(), 'x') + eol;
    if (out.size() < bytes)
        out += ';' + QByteArray(bytes - out.size() - 1, 'y');
    return out;
}

} // namespace

class TstLanguage : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_dir;
    QList<MessageRequest> m_messages;
    QList<Form *> m_forms;

    QString file(const QString &name) const { return m_dir->path() + u'/' + name; }
    void put(const QString &name, const QByteArray &content)
    {
        QFile f(file(name));
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        QCOMPARE(f.write(content), content.size());
    }
    QByteArray bytes(const QString &name) const
    {
        QFile f(file(name));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
    }
    void setLanguage(const QByteArray &name)
    {
        put("LangSetting.ini", "[Language]\r\nCurrentLanguage=" + name + "\r\n");
    }
    void putBoth()
    {
        put("English.lng", kEnglish);
        put("Italiano.lng", kItaliano);
    }
    TestWindow *load(const QString &name, const QString &designCaption = {})
    {
        m_forms << new TestWindow(name, designCaption);
        m_forms.last()->Load();
        return static_cast<TestWindow *>(m_forms.last());
    }
    TestWindow *filledMenu()
    {
        TestWindow *menu = load("frmMenu");
        MLSFillMenuLanguages(*menu);
        return menu;
    }

private slots:
    void initTestCase()
    {
        setMessageAnswerer([this](const MessageRequest &r) {
            m_messages.append(r);
            return MsgResult::Ok;
        });
        setSoundSink([](const QString &) {});
    }
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        ApplicationPath = m_dir->path();
        PerUserFolders = {};
        CurrentLanguageName.clear();
        m_messages.clear();
    }
    void cleanup()
    {
        for (Form *f : std::as_const(m_forms))
            f->Unload();
        qDeleteAll(m_forms);
        m_forms.clear();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCoreApplication::processEvents();
    }

    void getString()
    {
        putBoth();
        QCOMPARE(GetString("0001"), QString());                    // no settings file
        put("LangSetting.ini", "[Language]\r\nOther=English\r\n"); // no key
        QCOMPARE(GetString("0001"), QString());
        QVERIFY(CurrentLanguageName.isEmpty());
        setLanguage("English");
        TestWindow *w = load("frmTest");
        TranslateForm(*w); // only GetString consults the setting
        QVERIFY(CurrentLanguageName.isEmpty());
        QCOMPARE(w->Label1->caption(), u"Etichetta"_s);
        QCOMPARE(GetString("0001"), u"Do you want to quit?"_s);
        QCOMPARE(CurrentLanguageName, u"English"_s);
        setLanguage("Italiano"); // once a language is known the setting is not read again
        QCOMPARE(GetString("0001"), u"Do you want to quit?"_s);

        // Only from section "Strings", and read anew at every call.
        put("English.lng", "[frmTest]\r\n0001=\"wrong section\"\r\n[Strings]\r\n0001=\"right\"\r\n"
                           "0002=rotondo\r\n[More]\r\n0003=\"elsewhere\"\r\n");
        QCOMPARE(joined({GetString("0001"), GetString("0002"), GetString("0003"), GetString("9999")}),
                 u"right|rotondo||"_s);
        QFile::remove(file("English.lng"));
        QCOMPARE(GetString("0001"), QString());
        CurrentLanguageName.clear();
        QCOMPARE(GetString("0001"), u"Vuoi uscire?"_s);
    }

    void lineScan_data()
    {
        QTest::addColumn<QByteArray>("eol");
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("expected");
        const char *rows[][4] = {
            {"first occurrence wins", "Strings", "0001", "from formMenu"},
            {"whatever window asks", "form1", "Label1.Caption", "menu label"},
            {"letter case counts", "Strings", "ABC", "upper"},
            {"no match in other case", "Strings", "Abc", ""},
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
            {"last line, no line end", "Strings", "0099", "the end"},
        };
        const std::pair<const char *, QByteArray> eols[] = {{"CRLF", "\r\n"}, {"LF", "\n"}, {"CR", "\r"}};
        for (const auto &[name, eol] : eols)
            for (const auto &r : rows)
                QTest::addRow("%s, %s", name, r[0]) << eol << QString(r[1]) << QString(r[2]) << QString(r[3]);
    }
    void lineScan()
    {
        QFETCH(QByteArray, eol);
        QFETCH(QString, section);
        QFETCH(QString, key);
        QFETCH(QString, expected);
        QByteArray head = "[formMenu]\r\n0001=\"from formMenu\"\r\nLabel1.Caption=\"menu label\"\r\n"
                          "[form1]\r\nLabel1.Caption=\"form1 label\"\r\n"
                          "[Strings]\r\n0001=\"from strings\"\r\nabc=\"lower\"\r\nABC=\"upper\"\r\n"
                          "0040X=\"prefix\"\r\n0040=\"exact, but later\"\r\n0041=ciao\r\n0042=x\r\n"
                          "0043=\r\n0044=\"\"\r\n0045=\"a\"\r\n  0046=\"indented\"\r\n"
                          "0047=\" spaces inside \"\r\n0048=\"say \"hi\" now\"\r\n0049 = \"spaced\"\r\n"
                          "[Strings2]\r\n0050=\"first\"\r\n0050=\"second\"\r\n";
        put("Big.lng", head.replace("\r\n", eol) + padding(70000, eol) + eol + "0099=\"the end\"");
        bool ok = false;
        QCOMPARE(GetIniValue(file("Big.lng"), section, key, &ok), expected);
        QVERIFY(ok);
        if (section == "Strings"_L1) {
            CurrentLanguageName = "Big";
            QCOMPARE(GetString(key), expected);
        }
    }

    void lineScanStartsAbove64000Bytes()
    {
        // Up to 64000 bytes the profile reader honours sections; above, the first line wins.
        const QByteArray head = "[formMenu]\r\n0001=\"menu\"\r\n[Strings]\r\n0001=\"strings\"\r\n";
        CurrentLanguageName = "Edge";
        put("Edge.lng", head + padding(64000 - head.size()));
        QCOMPARE(bytes("Edge.lng").size(), qsizetype(64000));
        QCOMPARE(GetString("0001"), u"strings"_s);
        put("Edge.lng", head + padding(64001 - head.size()));
        QCOMPARE(GetString("0001"), u"menu"_s);
    }

    void windows1252_data()
    {
        QTest::addColumn<QByteArray>("content");
        const QByteArray cp1252 = "[frmTest]\r\nLabel1.Caption=\"Perch\xE9?\"\r\n[Strings]\r\n"
                                  "0001=\"Perch\xE9 no?\"\r\n0002=\"citt\xE0 \x80 \x96\"\r\n";
        const QByteArray utf8 =
            "[frmTest]\r\nLabel1.Caption=\"Perch\xC3\xA9?\"\r\n[Strings]\r\n"
            "0001=\"Perch\xC3\xA9 no?\"\r\n0002=\"citt\xC3\xA0 \xE2\x82\xAC \xE2\x80\x93\"\r\n";
        QTest::newRow("Windows-1252") << cp1252;
        QTest::newRow("Windows-1252, big") << cp1252 + padding(65000);
        QTest::newRow("UTF-8") << utf8;
        QTest::newRow("UTF-8, big") << utf8 + padding(65000);
    }
    void windows1252()
    {
        QFETCH(QByteArray, content);
        put("Italiano.lng", content);
        CurrentLanguageName = "Italiano";
        TestWindow *w = load("frmTest");
        TranslateForm(*w);
        QCOMPARE(joined({GetString("0001"), GetString("0002"), w->Label1->caption()}),
                 u"Perch\u00E9 no?|citt\u00E0 \u20AC \u2013|Perch\u00E9?"_s);
    }

    void translateForm_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::newRow("profile reader") << QByteArray(kEnglish);
        QTest::newRow("line scan") << QByteArray(kEnglish) + padding(70000);
    }
    void translateForm()
    {
        QFETCH(QByteArray, content);
        put("English.lng", content);
        CurrentLanguageName = "English";
        TestWindow *w = load("frmTest");
        TranslateForm(*w);
        // No design title: the title key is not used. Empty values keep the design texts.
        // Array elements by their own keys only.
        QCOMPARE(
            joined({w->caption(), w->tag(), w->Label1->caption(), w->Label1->toolTipText(), w->Label1->tag(),
                    w->Check1->caption(), w->Command1->tag(), w->Image1->toolTipText(), w->Line1->tag(),
                    w->Label2(0)->caption(), w->Label2(0)->tag(), w->Label2(1)->toolTipText(),
                    w->Label2(2)->caption(), w->mnuFile->action()->text(), w->mnuOpen->caption()}),
            u"|tagged|Label|hint|t1|Suoni attivati|cmd tag|picture hint|line tag|L0|zero|one|Second|"
            u"&File|Open"_s);
        // Properties a control lacks are not made up.
        for (Control *c : std::initializer_list<Control *>{w->Image1, w->Line1, w->mnuFile})
            QVERIFY2(c->dynamicPropertyNames().isEmpty(), qPrintable(c->name()));
        w->Unload(); // nothing to translate, and no error
        TranslateForm(*w);
    }

    void windowTitle_data()
    {
        QTest::addColumn<QByteArray>("content"); // empty: no language file at all
        QTest::addColumn<QString>("titleAndTag");
        const char *rows[][3] = {
            {"value", "[frmTitled]\r\nfrmTitled.Caption=\"Welcome\"\r\nfrmTitled.Tag=\"t\"\r\n", "Welcome|t"},
            {"empty value", "[frmTitled]\r\nfrmTitled.Caption=\"\"\r\nfrmTitled.Tag=\r\n", "|"},
            {"no key", "[frmTitled]\r\nLabel9.Caption=\"x\"\r\n", "|"},
            {"no section", "[Strings]\r\n0001=\"x\"\r\n", "|"},
            {"section name in other case", "[FRMTITLED]\r\nFRMTITLED.CAPTION=\"Welcome\"\r\n", "Welcome|"},
            {"no language file", "", "Form1|before"},
        };
        for (const auto &r : rows)
            QTest::newRow(r[0]) << QByteArray(r[1]) << QString(r[2]);
        QTest::newRow("big file, empty value")
            << "[frmTitled]\r\nfrmTitled.Caption=\"\"\r\n" + padding(70000) << u"|"_s;
    }
    void windowTitle()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, titleAndTag);
        if (!content.isEmpty())
            put("English.lng", content);
        CurrentLanguageName = "English";
        TestWindow *w = load("frmTitled", "Form1");
        w->setTag("before");
        TranslateForm(*w);
        // Controls keep their design texts whenever the file has nothing for them.
        QCOMPARE(joined({w->caption(), w->tag(), w->Label1->caption(), w->Command1->caption()}),
                 titleAndTag + u"|Etichetta|Avanti"_s);
    }

    void fillMenuListsLanguages()
    {
        // Out of order, with look-alikes that are not language files.
        put("Italiano.lng", kItaliano);
        put("English.lng", kEnglish);
        put("deutsch.lng", "[Strings]\r\n0001=\"Beenden?\"\r\n");
        put("Italiano.lng.bak", kItaliano);
        put("readme.txt", "nothing");
        QVERIFY(QDir().mkpath(file("Folder.lng")));
        setLanguage("Italiano");
        TestWindow *menu = filledMenu();
        QCOMPARE(entries(*menu), u"deutsch,English,*Italiano"_s);
        QCOMPARE(CurrentLanguageName, u"Italiano"_s);
        QVERIFY(m_messages.isEmpty());
        for (Control *c : menu->controlArray("mnuLanguage")) {
            QVERIFY(static_cast<Menu *>(c)->action()->isVisible());
            QCOMPARE(static_cast<Menu *>(c)->parentMenu(), menu->mnuLanguages);
        }
        // Filled again after a reload, and twice, without adding entries; the tick needs the exact name.
        setLanguage("english");
        menu->Unload();
        menu->Load();
        MLSFillMenuLanguages(*menu);
        MLSFillMenuLanguages(*menu);
        QCOMPARE(entries(*menu), u"deutsch,English,Italiano"_s);
    }

    void pickingALanguage()
    {
        putBoth();
        put("LangSetting.ini", "[Language]\r\nCurrentLanguage=Italiano\r\n[Other]\r\nKeep=this\r\n");
        TestWindow *menu = filledMenu();
        TestWindow *test = load("frmTest"), *other = load("frmOther"), *closed = load("frmClosed");
        closed->Unload();

        languageMenuClick(*menu, 0);
        QCOMPARE(entries(*menu), u"*English,Italiano"_s);
        QCOMPARE(CurrentLanguageName, u"English"_s);
        QVERIFY(bytes("LangSetting.ini").contains("CurrentLanguage=English"));
        QVERIFY(bytes("LangSetting.ini").contains("Keep=this"));
        // Every loaded window follows at once, the menu's own window included.
        QCOMPARE(joined({menu->Label1->caption(), menu->mnuLanguages->caption(), test->Label2(2)->caption(),
                         other->Check1->caption(), other->Label1->caption(), GetString("0001")}),
                 u"Welcome|Language|Second|Sounds on|Etichetta|Do you want to quit?"_s);
        QVERIFY(!closed->isLoaded());

        // And back: texts the new language has are replaced, the rest stay as they are.
        languageMenuClick(*menu, 1);
        QCOMPARE(entries(*menu), u"English,*Italiano"_s);
        QVERIFY(bytes("LangSetting.ini").contains("CurrentLanguage=Italiano"));
        QCOMPARE(joined({menu->Label1->caption(), test->Command1->caption(), test->Label2(2)->caption()}),
                 u"Benvenuti|Avanti!|Second"_s);

        // The choice survives a restart; an entry that does not exist is ignored.
        CurrentLanguageName.clear();
        menu->Unload();
        menu->Load();
        MLSFillMenuLanguages(*menu);
        languageMenuClick(*menu, 5);
        QCOMPARE(entries(*menu), u"English,*Italiano"_s);
        QCOMPARE(CurrentLanguageName, u"Italiano"_s);
    }

    void noLanguageFile()
    {
        setLanguage("English");
        put("English.txt", kEnglish);
        CurrentLanguageName = "Before";
        TestWindow *menu = filledMenu();
        QCOMPARE(m_messages.size(), 1);
        QCOMPARE(m_messages[0].text, u"Non \u00E8 presente alcun file di linguaggio!"_s);
        QVERIFY(m_messages[0].buttons == MsgButtons::Ok && m_messages[0].icon == MsgIcon::None);
        QCOMPARE(m_messages[0].title, u"Zorvelli"_s);
        QCOMPARE(entries(*menu), u"(nessuna)"_s);
        QCOMPARE(CurrentLanguageName, u"Before"_s);
        languageMenuClick(*menu, 0); // the one entry names no language: nothing changes
        QCOMPARE(joined({entries(*menu), CurrentLanguageName, QString::fromUtf8(bytes("LangSetting.ini"))}),
                 u"(nessuna)|Before|[Language]\r\nCurrentLanguage=English\r\n"_s);
        // At every load of the menu, also when the program folder is gone altogether.
        menu->Unload();
        menu->Load();
        MLSFillMenuLanguages(*menu);
        ApplicationPath = m_dir->path() + "/gone";
        MLSFillMenuLanguages(*menu);
        QCOMPARE(m_messages.size(), 3);
        QCOMPARE(entries(*menu), u"(nessuna)"_s);
    }

    void entryNamingNoLanguageFile_data()
    {
        QTest::addColumn<QString>("caption");
        QTest::newRow("empty design entry") << QString(); // the main menu's, with no language file
        QTest::newRow("design text") << u"(nessuna)"_s;
        QTest::newRow("file gone since the menu was filled") << u"English"_s;
        QTest::newRow("outside the folder") << u"../Italiano"_s;
    }
    void entryNamingNoLanguageFile()
    {
        QFETCH(QString, caption);
        put("Italiano.lng", kItaliano);
        const QByteArray setting = "[Language]\r\nCurrentLanguage=Italiano\r\n";
        put("LangSetting.ini", setting);
        CurrentLanguageName = "Italiano";
        TestWindow *menu = load("frmMenu");
        static_cast<Menu *>(menu->control("mnuLanguage", 0))->setCaption(caption);
        // A click on it keeps the saved choice, the current language and every text.
        languageMenuClick(*menu, 0);
        QCOMPARE(bytes("LangSetting.ini"), setting);
        QCOMPARE(joined({entries(*menu), CurrentLanguageName, menu->Label1->caption()}),
                 caption + u"|Italiano|Etichetta"_s);
    }

    void bigSettingsFile_data()
    {
        // Read the way it is written, whatever its size: by section and key, quotes optional.
        QTest::addColumn<QByteArray>("content");
        QTest::newRow("value without quotes")
            << padding(70000) + "\r\n[Language]\r\nCurrentLanguage=English\r\n";
        QTest::newRow("same key in another section first")
            << "[Old]\r\nCurrentLanguage=\"Italiano\"\r\n" + padding(70000) +
                   "\r\n[Language]\r\nCurrentLanguage=English\r\n";
    }
    void bigSettingsFile()
    {
        QFETCH(QByteArray, content);
        putBoth();
        put("LangSetting.ini", content);
        TestWindow *menu = filledMenu();
        QCOMPARE(entries(*menu), u"*English,Italiano"_s);
        languageMenuClick(*menu, 1);
        CurrentLanguageName.clear();
        QCOMPARE(GetString("0001"), u"Vuoi uscire?"_s); // the choice survives a restart
    }

    void settingNamesAMissingLanguage()
    {
        putBoth();
        setLanguage("Klingon");
        TestWindow *menu = filledMenu();
        QCOMPARE(entries(*menu), u"English,Italiano"_s);
        QCOMPARE(CurrentLanguageName, u"Klingon"_s);
        QVERIFY(GetString("0001").isEmpty());
        TestWindow *titled = load("frmTest", "Form1");
        titled->setTag("kept");
        TranslateForm(*titled);
        TranslateForm(*menu);
        QCOMPARE(joined({titled->caption(), titled->tag(), titled->Label1->toolTipText(),
                         titled->mnuFile->caption(), menu->Label1->caption()}),
                 u"Form1|kept|suggerimento|Archivio|Etichetta"_s);
    }

    void settingClimbsOutOfTheFolder()
    {
        // A language file outside the program's folder is never read, whatever the setting says.
        QVERIFY(QDir(m_dir->path()).mkdir("program") && QDir(m_dir->path()).mkdir("outside"));
        put("outside/English.lng", kEnglish);
        ApplicationPath = file("program");
        for (const QString &name :
             {u"../outside/English"_s, u"..\\outside\\English"_s, file("outside/English")}) {
            CurrentLanguageName.clear();
            put("program/LangSetting.ini", "[Language]\r\nCurrentLanguage=" + name.toUtf8() + "\r\n");
            QVERIFY2(GetString("0001").isEmpty(), qPrintable(name));
            QCOMPARE(CurrentLanguageName, name);
            QVERIFY(languageFilePath().isEmpty());
        }
    }

    void missingSettingsFile()
    {
        put("English.lng", kEnglish);
        CurrentLanguageName = "stale";
        TestWindow *menu = filledMenu();
        QCOMPARE(entries(*menu), u"English"_s);
        QVERIFY(CurrentLanguageName.isEmpty());
        QVERIFY(!QFile::exists(file("LangSetting.ini"))); // reading creates nothing
        languageMenuClick(*menu, 0);                      // picking a language does
        QCOMPARE(readProfileString(file("LangSetting.ini"), "Language", "CurrentLanguage", QString()),
                 u"English"_s);
    }

    void badLanguageFiles_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("expected0001"); // "?": anything, as long as nothing breaks
        QTest::addColumn<QString>("label1");
        QRandomGenerator rng(20240607);
        auto randomBytes = [&rng](qsizetype n) {
            QByteArray b(n, Qt::Uninitialized);
            rng.fillRange(reinterpret_cast<quint32 *>(b.data()), n / 4);
            return b;
        };
        const QByteArray english(kEnglish);
        const QByteArray cut = english.left(english.indexOf("0001=") + 12); // 0001="Do you| cut
        const QString design = u"Etichetta"_s, none;
        QTest::newRow("empty") << QByteArray() << none << design;
        QTest::newRow("only blanks and line ends") << QByteArray("\r\n \r\n\t\n\n\r") << none << design;
        QTest::newRow("binary") << randomBytes(4000) << none << design;
        // Garbage after the last value does not hide what comes before it.
        QTest::newRow("NUL bytes at the end")
            << english + QByteArray(3000, '\0') << u"Do you want to quit?"_s << u"Label"_s;
        QTest::newRow("truncated") << cut << u"?"_s << u"Label"_s;
        // Big: the cut line is the first one with the key, so the scan takes what is left of it.
        QTest::newRow("truncated, big") << padding(65000) + "\r\n" + cut << u"Do yo"_s << u"Label"_s;
        QTest::newRow("UTF-16 with mark") << QByteArray("\xFF\xFE[\0S\0]\0", 8) << none << design;
        QTest::newRow("huge random") << randomBytes(5 * 1024 * 1024) << none << design;
        QTest::newRow("huge, one line") << QByteArray(5 * 1024 * 1024, 'z') << none << design;
        QTest::newRow("huge, key at the end") << padding(5 * 1024 * 1024) + "\r\n0001=\"found\"\r\n"
                                              << u"found"_s << design;
    }
    void badLanguageFiles()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, expected0001);
        QFETCH(QString, label1);
        put("Broken.lng", content);
        setLanguage("Broken");
        TestWindow *menu = filledMenu(); // listed like any other
        QCOMPARE(entries(*menu), u"*Broken"_s);
        if (expected0001 != u"?"_s)
            QCOMPARE(GetString("0001"), expected0001);
        QVERIFY(GetString("9999").isEmpty());
        TestWindow *w = load("frmTest");
        languageMenuClick(*menu, 0);
        QCOMPARE(joined({w->Label1->caption(), w->Check1->caption(), w->Label2(1)->caption()}),
                 label1 + u"|Suoni attivati|L1"_s);
        QCOMPARE(bytes("Broken.lng"), content); // only ever read
    }

    void settingsCannotBeWritten()
    {
        putBoth();
        const QByteArray original =
            "; chosen last\r\n[Language]\r\nCurrentLanguage=Italiano\r\n" + padding(400);
        put("LangSetting.ini", original);
        put("plain.txt", "x");
        TestWindow *menu = filledMenu();
        TestWindow *w = load("frmTest");
        const auto folder = [this] {
            return QDir(m_dir->path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
        };
        const QStringList before = folder();
#ifdef Q_OS_UNIX
        // Even root cannot write past the process's file size limit, so the writes really fail.
        rlimit saved, tight;
        QCOMPARE(getrlimit(RLIMIT_FSIZE, &saved), 0);
        tight = saved;
        tight.rlim_cur = 100;
        const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        const bool limited = setrlimit(RLIMIT_FSIZE, &tight) == 0;
        const bool written = WriteIniValue(file("LangSetting.ini"), "Language", "CurrentLanguage", "English");
        languageMenuClick(*menu, 0);
        setrlimit(RLIMIT_FSIZE, &saved);
        std::signal(SIGXFSZ, oldHandler);
        QVERIFY(limited && !written);
        // The choice still holds for this run; the settings file is as it was.
        QCOMPARE(entries(*menu), u"*English,Italiano"_s);
        QCOMPARE(CurrentLanguageName, u"English"_s);
        QCOMPARE(w->Label1->caption(), u"Label"_s);
        QCOMPARE(bytes("LangSetting.ini"), original);
        QCOMPARE(folder(), before);
#endif
        // The program folder's path runs through a plain file: no language is there to pick,
        // and nothing is created below it.
        ApplicationPath = file("plain.txt") + "\\sub";
        languageMenuClick(*menu, 1);
        QCOMPARE(entries(*menu), u"*English,Italiano"_s);
        QCOMPARE(CurrentLanguageName, u"English"_s);
        QCOMPARE(bytes("plain.txt"), QByteArray("x"));
        QCOMPARE(bytes("LangSetting.ini"), original);
        QCOMPARE(folder(), before);
    }

    void userFolders_data()
    {
        // The program's folder holds English and Italiano, and settings naming Italiano.
        // userFiles: language files of the user's, each saying whose it is in 0001.
        QTest::addColumn<bool>("perUser");
        QTest::addColumn<bool>("home");
        QTest::addColumn<QStringList>("userFiles");
        QTest::addColumn<QByteArray>("userSetting"); // empty: no file
        QTest::addColumn<QString>("menu");
        QTest::addColumn<QString>("pick");
        QTest::addColumn<QString>("said"); // GetString("0001") after the pick
        const QByteArray english = "[Language]\r\nCurrentLanguage=English\r\n";
        // clang-format off
        const struct { const char *name; bool perUser, home; QStringList userFiles; QByteArray userSetting;
                       const char *menu, *pick, *said; } rows[] = {
            {"writable program folder: the user's files are not read", false, true, {"Deutsch.lng"}, english,
             "English,*Italiano", "English", "Do you want to quit?"},
            {"the user's choice is read first", true, true, {}, english,
             "*English,Italiano", "Italiano", "Vuoi uscire?"},
            {"no choice of the user's: the program's", true, true, {}, "",
             "English,*Italiano", "English", "Do you want to quit?"},
            {"the user's settings without the key", true, true, {}, "[Language]\r\nOther=English\r\n",
             "English,*Italiano", "English", "Do you want to quit?"},
            {"a language the user added", true, true, {"Deutsch.lng"}, "",
             "Deutsch,English,*Italiano", "Deutsch", "Deutsch.lng of the user's"},
            {"same name: the user's file wins", true, true, {"English.lng"}, english,
             "*English,Italiano", "English", "English.lng of the user's"},
            {"same name in another case: one entry", true, true, {"english.lng", "ZZ.LNG"}, "",
             "english,*Italiano,ZZ", "english", "english.lng of the user's"},
            {"no home: listed, never kept", true, false, {"Deutsch.lng"}, "",
             "Deutsch,English,*Italiano", "English", "Do you want to quit?"},
        };
        // clang-format on
        for (const auto &r : rows)
            QTest::newRow(r.name) << r.perUser << r.home << r.userFiles << r.userSetting << QString(r.menu)
                                  << QString(r.pick) << QString(r.said);
    }
    void userFolders()
    {
        QFETCH(bool, perUser);
        QFETCH(bool, home);
        QFETCH(QStringList, userFiles);
        QFETCH(QByteArray, userSetting);
        QFETCH(QString, menu);
        QFETCH(QString, pick);
        QFETCH(QString, said);
        QVERIFY(QDir(m_dir->path()).mkpath("program") && QDir(m_dir->path()).mkpath("data/zorvelli"));
        put("program/English.lng", kEnglish);
        put("program/Italiano.lng", kItaliano);
        put("program/LangSetting.ini", "[Language]\r\nCurrentLanguage=Italiano\r\n");
        for (const QString &name : userFiles)
            put("data/zorvelli/" + name, "[Strings]\r\n0001=\"" + name.toUtf8() + " of the user's\"\r\n");
        if (!userSetting.isEmpty()) {
            QVERIFY(QDir(m_dir->path()).mkpath("config/zorvelli"));
            put("config/zorvelli/LangSetting.ini", userSetting);
        }
        ApplicationPath = file("program");
        // Without a home the XDG folders are unknown; the languages row keeps its folder to
        // show that only the settings go missing then.
        PerUserFolders = {perUser, home ? file("config/zorvelli") : QString(), file("data/zorvelli")};
        const auto tree = [this] {
            QStringList out;
            for (const QString &name : QDir(file("program")).entryList(QDir::Files))
                out << name + u'=' + QString::fromUtf8(bytes("program/" + name).toHex());
            return out;
        };
        const QStringList programBefore = tree();

        TestWindow *window = filledMenu();
        QCOMPARE(entries(*window), menu);
        const QStringList captions = entries(*window).remove(u'*').split(u',');
        languageMenuClick(*window, int(captions.indexOf(pick)));
        QCOMPARE(GetString("0001"), said);

        // The choice is kept where it belongs, and is what the next start reads.
        const QString kept = perUser ? u"config/zorvelli/LangSetting.ini"_s : u"program/LangSetting.ini"_s;
        if (perUser && !home) {
            QVERIFY(!QFileInfo::exists(file("config")));
        } else {
            QCOMPARE(readProfileString(file(kept), "Language", "CurrentLanguage", QString()), pick);
            CurrentLanguageName.clear();
            QCOMPARE(readCurrentLanguageSetting(), pick);
        }
        if (perUser)
            QCOMPARE(tree(), programBefore);
    }
};

QTEST_MAIN(TstLanguage)
#include "tst_language.moc"
