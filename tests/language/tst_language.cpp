// Language files: string lookup, the line scan of big files, window translation, the
// language menu and the toolkit's own words, against files in a scratch program folder.

#include "language/modLanguageSupport.h"
#include "platform/Application.h"
#include "platform/CheckBox.h"
#include "platform/ControlArray.h"
#include "platform/Form.h"
#include "platform/Image.h"
#include "platform/Label.h"
#include "platform/Menu.h"
#include "platform/MessageBox.h"
#include "platform/ToolkitLanguage.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLibraryInfo>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace platform;
using namespace modLanguageSupport;
using namespace Qt::StringLiterals;

namespace {

// One control of each kind that carries text, an array, a menu and the language menu.
class TestWindow : public Form
{
public:
    TestWindow(const QString &name, const QString &title) : Form(name) { setDesignCaption(title); }
    Label *Label1 = nullptr;
    CheckBox *Check1 = nullptr;
    Image *Image1 = nullptr;
    ControlArray<Label> Label2;
    Menu *mnuFile = nullptr, *mnuLanguages = nullptr;

protected:
    void createControls() override
    {
        Label1 = addLabel("Label1", 300, 300, 3000, 450, "Etichetta");
        Label1->setToolTipText("suggerimento");
        Label1->setTag("t1");
        Check1 = addCheckBox("Check1", 300, 1800, 3000, 300, "Suoni attivati");
        Image1 = addImage("Image1", 4000, 300, 1200, 1200);
        for (int i = 0; i < 3; ++i)
            Label2.set(i, addLabel("Label2", 300 + 1000 * i, 2400, 900, 300, u"L%1"_s.arg(i), nullptr, i));
        mnuFile = addMenu("mnuFile", "Archivio");
        mnuLanguages = addMenu("mnuLanguages", "Lingua");
        addMenu("mnuLanguage", "(nessuna)", mnuLanguages, 0); // the design-time entry 0
    }
};

// The language menu's captions, the ticked one marked with "*".
QString entries(const Form &menu)
{
    QStringList out;
    for (Control *c : menu.controlArray("mnuLanguage"))
        out << (static_cast<Menu *>(c)->checked() ? u"*"_s : QString()) + static_cast<Menu *>(c)->caption();
    return out.join(u',');
}

// clang-format off
const char kEnglish[] =
    "[frmTest]\r\nfrmTest.Caption=\"Test window\"\r\nfrmTest.Tag=\"tagged\"\r\nLabel1.Caption=\"Label\"\r\n"
    "Label1.ToolTipText=\"hint\"\r\nLabel1.Tag=\"\"\r\n"
    "Check1.Caption=\"\"\r\nImage1.Caption=\"pictures have no caption\"\r\nImage1.ToolTipText=\"picture hint\"\r\n"
    "Label2.Caption=\"not an element\"\r\nLabel2(2).Caption=\"Second\"\r\nLabel2(0).Tag=\"zero\"\r\n"
    "Label2(1).ToolTipText=\"one\"\r\n"
    "mnuFile.Caption=\"&File\"\r\nmnuFile.ToolTipText=\"menus have none\"\r\n"
    "[frmOther]\r\nCheck1.Caption=\"Sounds on\"\r\n[frmMenu]\r\nLabel1.Caption=\"Welcome\"\r\n"
    "[Strings]\r\n0001=\"Do you want to quit?\"\r\n";
const char kItaliano[] =
    "[frmTest]\r\nLabel1.Caption=\"Etichetta italiana\"\r\n"
    "[frmMenu]\r\nLabel1.Caption=\"Benvenuti\"\r\n[Strings]\r\n0001=\"Vuoi uscire?\"\r\n";
// clang-format on

// Comment lines that bring a file to a given size.
QByteArray padding(qint64 bytes, const QByteArray &eol = "\r\n")
{
    QByteArray out;
    while (out.size() + 100 <= bytes)
        out += ';' + QByteArray(99 - eol.size(), 'x') + eol;
    return out.size() < bytes ? out + ';' + QByteArray(bytes - out.size() - 1, 'y') : out;
}

} // namespace

class TstLanguage : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_dir;
    QList<MessageRequest> m_messages;
    QList<Form *> m_forms;

    static QString joined(std::initializer_list<QString> texts) { return QStringList(texts).join(u'|'); }
    QString file(const QString &name) const { return m_dir->path() + u'/' + name; }
    void put(const QString &name, const QByteArray &content)
    {
        QFile f(file(name));
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(content) == content.size());
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
    // The program installed in "program", the user's languages in "data", settings in "config".
    void installed(bool perUser, bool home)
    {
        QVERIFY(QDir(m_dir->path()).mkpath("program") && QDir(m_dir->path()).mkpath("data"));
        ApplicationPath = file("program");
        PerUserFolders = {perUser, home ? file("config") : QString(), file("data")};
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
        qDeleteAll(std::exchange(m_forms, {}));
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    // The program's messages in the chosen language, read anew each time from section Strings;
    // the choice comes from LangSetting.ini once, with the first message (not with a window).
    void getString()
    {
        putBoth();
        setLanguage("English");
        TestWindow *w = load("frmTest");
        TranslateForm(*w);
        QCOMPARE(joined({CurrentLanguageName, w->Label1->caption(), GetString("0001")}),
                 u"|Etichetta|Do you want to quit?"_s);
        setLanguage("Italiano");
        put("English.lng", "[frmTest]\r\n0001=wrong section\r\n[Strings]\r\n0001=right\r\n");
        QCOMPARE(GetString("0001"), u"right"_s);
        QFile::remove(file("English.lng"));
        QCOMPARE(GetString("0001"), QString());
        CurrentLanguageName.clear();
        QCOMPARE(GetString("0001"), u"Vuoi uscire?"_s);

        // While a reading is held the file is read once, yet what changes it (the program's
        // own write of a value as long, another file put in its place) is still seen.
        const OneReading held;
        QCOMPARE(GetString("0001"), u"Vuoi uscire?"_s);
        QVERIFY(WriteIniValue(file("Italiano.lng"), "Strings", "0001", "Vuoi uscirX?"));
        QCOMPARE(GetString("0001"), u"Vuoi uscirX?"_s);
        put("Italiano.lng", "[Strings]\r\n0001=altro\r\n");
        QCOMPARE(GetString("0001"), u"altro"_s);
    }

    // Language files over 64000 bytes (not one byte less, up to megabytes) are read the old
    // program's way, whatever the line ends: the first line that starts with the key, whatever
    // its section, minus one character and the outer two.
    void lineScan()
    {
        const QByteArray head =
            "[formMenu]\r\n0001=\"from formMenu\"\r\n[Strings]\r\n0001=\"from strings\"\r\n"
            "abc=\"lower\"\r\nABC=\"upper\"\r\n0040X=\"prefix\"\r\n0040=\"exact, but later\"\r\n"
            "0041=ciao\r\n  0046=\"indented\"\r\n0060=\"citt\xE0 \x80\"\r\n0061=\"citt\xC3\xA0 "
            "\xE2\x82\xAC\"\r\n";
        // clang-format off
        const char *keys[][2] = {{"0001", "from formMenu"}, {"ABC", "upper"},   {"0040", "\"prefix"},
                                 {"0041", "ia"},            {"0046", ""},        {"0060", "città €"},
                                 {"0061", "città €"},       {"7777", ""},        {"0099", "the end"}};
        // clang-format on
        for (const QByteArray eol : {"\r\n", "\n", "\r"}) {
            put("Big.lng",
                QByteArray(head).replace("\r\n", eol) + padding(70000, eol) + eol + "0099=\"the end\"");
            for (const auto &[key, expected] : keys) {
                bool ok = false;
                // The key leads each side, so a failure names it.
                const QString name = QString::fromLatin1(key) + u'=';
                QCOMPARE(name + GetIniValue(file("Big.lng"), "Strings", key, &ok),
                         name + QString::fromUtf8(expected));
                QVERIFY(ok);
            }
        }
        const QByteArray small = "[formMenu]\r\n0001=\"menu\"\r\n[Strings]\r\n0001=\"strings\"\r\n";
        CurrentLanguageName = "Edge";
        for (const auto &[content, expected] :
             {std::pair{small + padding(64000 - small.size()), "strings"},
              {small + padding(64001 - small.size()), "menu"},
              {padding(5 * 1024 * 1024) + "\r\n0001=\"found\"\r\n", "found"}}) {
            put("Edge.lng", content);
            QCOMPARE(GetString("0001"), QString::fromLatin1(expected));
        }
    }

    // The words a child reads for the values, from section Words, in any encoding the reader
    // knows and through the line scan of a file over 64000 bytes (whose values are quoted).
    void wordsInEveryEncoding_data()
    {
        QTest::addColumn<QByteArray>("content");
        const QString words =
            u"; mots\r\n[Strings]\r\n0009=\"spesso\"\r\n[Words]\r\nspesso=\"\u00E9pais\"\r\n"
            u"grande=\"gro\u00DF\"\r\n"_s;
        QTest::newRow("UTF-8") << words.toUtf8();
        QTest::newRow("UTF-8 with BOM") << "\xEF\xBB\xBF" + words.toUtf8();
        QByteArray utf16("\xFF\xFE");
        for (const QChar c : words)
            utf16 += char(c.unicode() & 0xFF), utf16 += char(c.unicode() >> 8);
        QTest::newRow("UTF-16") << utf16;
        QTest::newRow("Windows-1252") << words.toLatin1();
        QTest::newRow("over 64000 bytes") << padding(70000) + words.toUtf8();
    }
    void wordsInEveryEncoding()
    {
        QFETCH(QByteArray, content);
        put(u"Fran\u00E7ais.lng"_s, content);
        CurrentLanguageName = u"Fran\u00E7ais"_s;
        QCOMPARE(joined({GetWord("spesso"), GetWord("grande"), GetWord("rosso"), GetString("0009")}),
                 u"\u00E9pais|gro\u00DF||spesso"_s);
    }

    // A language whose file is named beyond ASCII, "Français.lng", beside the program or a
    // teacher's own: listed under its name, picked, kept in LangSetting.ini in that file's own
    // encoding (UTF-8, or Windows-1252 where the file is so) and read back at the next start, its
    // texts, its words and the toolkit's locale found.
    void languageNameBeyondAscii_data()
    {
        QTest::addColumn<QByteArray>("settings");
        QTest::addColumn<bool>("teachers");
        QTest::addColumn<QByteArray>("keptName"); // as the settings name "Français" once it is picked
        const QByteArray italiano = "[Language]\r\nCurrentLanguage=Italiano\r\n";
        const QByteArray utf8 = QByteArray("Fran\xC3\xA7") + "ais",
                         windows1252 = QByteArray("Fran\xE7") + "ais";
        QTest::newRow("UTF-8 settings") << italiano << false << utf8;
        QTest::newRow("Windows-1252 settings")
            << "; lingua scelta \xE8 questa\r\n" + italiano << false << windows1252;
        QTest::newRow("a teacher's own file") << italiano << true << utf8;
    }
    void languageNameBeyondAscii()
    {
        QFETCH(QByteArray, settings);
        QFETCH(bool, teachers);
        QFETCH(QByteArray, keptName);
        const QString french = u"Fran\u00E7ais"_s;
        const QByteArray content =
            "[Strings]\r\n0001=\"Tu veux partir\u00A0?\"\r\n[Words]\r\nrosso=rouge\r\n";
        if (teachers)
            installed(true, true);
        const QString program = teachers ? u"program/"_s : QString();
        put(program + "Italiano.lng", kItaliano);
        put(program + "LangSetting.ini", settings);
        put((teachers ? u"data/"_s : QString()) + french + ".lng", content);
        TestWindow *menu = filledMenu();
        QCOMPARE(entries(*menu), french + u",*Italiano"_s);
        languageMenuClick(*menu, 0);
        QCOMPARE(bytes(teachers ? u"config/LangSetting.ini"_s : u"LangSetting.ini"_s),
                 QByteArray(settings).replace("Italiano", keptName));
        CurrentLanguageName.clear();
        QCOMPARE(readCurrentLanguageSetting(), french);
        MLSFillMenuLanguages(*menu);
        QCOMPARE(entries(*menu), u"*"_s + french + u",Italiano"_s);
        QCOMPARE(joined({GetString("0001"), GetWord("rosso"), localeForLanguageName(CurrentLanguageName)}),
                 u"Tu veux partir\u00A0?|rouge|fr"_s);
    }

    // Every text of a window in the chosen language, through either reader. What the file lacks
    // or leaves empty keeps the window's own text; only a window with a title of its own takes a
    // title (empty when the file has none); array elements go by their own keys only.
    void translateForm_data()
    {
        QTest::addColumn<QByteArray>("content"); // empty: no language file at all
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("texts"); // the title, the tag and each control's
        const QString english = u"Label|hint|t1|Suoni attivati|picture hint|L0|zero|one|Second|&File"_s;
        const QString design = u"Etichetta|suggerimento|t1|Suoni attivati||L0|||L2|Archivio"_s;
        QTest::newRow("profile reader")
            << QByteArray(kEnglish) << u"Form1"_s << "Test window|tagged|" + english;
        QTest::newRow("line scan, no title of its own")
            << kEnglish + padding(70000) << QString() << "|tagged|" + english;
        QTest::newRow("no title key")
            << QByteArray("[frmTest]\r\nLabel9.Caption=x\r\n") << u"Form1"_s << "||" + design;
        QTest::newRow("no language file") << QByteArray() << u"Form1"_s << "Form1|before|" + design;
    }
    void translateForm()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, title);
        QFETCH(QString, texts);
        if (!content.isEmpty())
            put("English.lng", content);
        CurrentLanguageName = "English";
        TestWindow *w = load("frmTest", title);
        w->setTag("before");
        TranslateForm(*w);
        QCOMPARE(joined({w->caption(), w->tag(), w->Label1->caption(), w->Label1->toolTipText(),
                         w->Label1->tag(), w->Check1->caption(), w->Image1->toolTipText(),
                         w->Label2(0)->caption(), w->Label2(0)->tag(), w->Label2(1)->toolTipText(),
                         w->Label2(2)->caption(), w->mnuFile->action()->text()}),
                 texts);
        w->Unload(); // nothing to translate, and no error
        TranslateForm(*w);
    }

    // The language menu lists the language files beside the program, the current one ticked.
    // Picking one: every open window follows at once (texts the language lacks stay as they
    // are) and the choice is saved. The menu is filled anew at every load, without doubling
    // its entries; the tick needs the exact name.
    void languageMenu()
    {
        putBoth();
        put("deutsch.lng", "");
        setLanguage("Italiano");
        TestWindow *menu = filledMenu();
        QCOMPARE(entries(*menu), u"deutsch,English,*Italiano"_s);
        TestWindow *test = load("frmTest"), *other = load("frmOther"), *closed = load("frmClosed");
        closed->Unload();
        languageMenuClick(*menu, 1);
        QVERIFY(!closed->isLoaded());
        QCOMPARE(joined({entries(*menu), menu->Label1->caption(), test->Label2(2)->caption(),
                         other->Check1->caption(), other->Label1->caption(), GetString("0001")}),
                 u"deutsch,*English,Italiano|Welcome|Second|Sounds on|Etichetta|Do you want to quit?"_s);
        languageMenuClick(*menu, 2);
        languageMenuClick(*menu, 5); // no such entry
        QCOMPARE(
            joined({entries(*menu), CurrentLanguageName, menu->Label1->caption(), test->Label1->caption(),
                    test->Label2(2)->caption(), QString::fromUtf8(bytes("LangSetting.ini"))}),
            u"deutsch,English,*Italiano|Italiano|Benvenuti|Etichetta italiana|Second|"
            u"[Language]\r\nCurrentLanguage=Italiano\r\n"_s);
        setLanguage("english");
        menu->Unload();
        menu->Load();
        MLSFillMenuLanguages(*menu);
        MLSFillMenuLanguages(*menu);
        QCOMPARE(entries(*menu), u"deutsch,English,Italiano"_s);
        QVERIFY(m_messages.isEmpty());
    }

    // No language file at all: the old message, at every filling of the menu, and its one entry
    // (naming no language) changes nothing.
    void noLanguageFile()
    {
        setLanguage("English");
        put("English.txt", kEnglish);
        CurrentLanguageName = "Before";
        TestWindow *menu = filledMenu();
        languageMenuClick(*menu, 0);
        QCOMPARE(joined({entries(*menu), CurrentLanguageName, QString::fromUtf8(bytes("LangSetting.ini"))}),
                 u"(nessuna)|Before|[Language]\r\nCurrentLanguage=English\r\n"_s);
        ApplicationPath = file("gone");
        MLSFillMenuLanguages(*menu);
        QCOMPARE(m_messages.size(), 2);
        for (const MessageRequest &m : std::as_const(m_messages))
            QVERIFY(m.text == u"Non \u00E8 presente alcun file di linguaggio!"_s &&
                    m.buttons == MsgButtons::Ok && m.icon == MsgIcon::None && m.title == u"Zorvelli"_s);
    }

    // LangSetting.ini as it may be found: the language it names is ticked if it is there;
    // reading changes and creates nothing; a pick is kept and read at the next start.
    void settingsFile_data()
    {
        QTest::addColumn<QByteArray>("content"); // empty: no file
        QTest::addColumn<QString>("menuAndCurrent");
        QTest::newRow("no file") << QByteArray() << u"English,Italiano|"_s;
        // A language is a file beside the program: a path in the setting names none.
        QTest::newRow("a path") << QByteArray("[Language]\r\nCurrentLanguage=sub/English\r\n")
                                << u"English,Italiano|sub/English"_s;
        // Read the way it is written, whatever its size: by section and key, quotes optional.
        QTest::newRow("big, the key in another section first")
            << "[Old]\r\nCurrentLanguage=\"Italiano\"\r\n" + padding(70000) +
                   "\r\n[Language]\r\nCurrentLanguage=English\r\n"
            << u"*English,Italiano|English"_s;
    }
    void settingsFile()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, menuAndCurrent);
        putBoth();
        QVERIFY(QDir(m_dir->path()).mkdir("sub"));
        put("sub/English.lng", kEnglish);
        if (!content.isEmpty())
            put("LangSetting.ini", content);
        CurrentLanguageName = "stale";
        TestWindow *menu = filledMenu();
        QCOMPARE(joined({entries(*menu), CurrentLanguageName}), menuAndCurrent);
        QCOMPARE(bytes("LangSetting.ini"), content.isEmpty() ? QByteArray("<missing>") : content);
        QCOMPARE(GetString("0001").isEmpty(), CurrentLanguageName != u"English"_s);
        languageMenuClick(*menu, 1);
        CurrentLanguageName.clear();
        QCOMPARE(GetString("0001"), u"Vuoi uscire?"_s);
    }

    // Installed read-only, the program keeps the user's choice and languages in the user's
    // folders (XDG), never touching its own. The program's folder holds English and Italiano
    // and settings naming Italiano; the user's language files say whose they are in 0001.
    void userFolders_data()
    {
        QTest::addColumn<bool>("perUser");
        QTest::addColumn<bool>("home");      // without one, no folder for the user's settings
        QTest::addColumn<bool>("userChose"); // the user's settings name English
        QTest::addColumn<QStringList>("userFiles");
        QTest::addColumn<QString>("menu");
        QTest::addColumn<QString>("pickAndSaid"); // the entry picked and GetString("0001") then
        // clang-format off
        const struct { const char *name; bool perUser, home, userChose; const char *userFiles, *menu, *pickAndSaid; } rows[] = {
            {"writable program folder: the user's files are not read", false, true, true, "Deutsch.lng",
             "English,*Italiano", "English|Do you want to quit?"},
            {"the user's choice is read first", true, true, true, "", "*English,Italiano", "Italiano|Vuoi uscire?"},
            {"same name: the user's file wins", true, true, true, "English.lng",
             "*English,Italiano", "English|English.lng of the user's"},
            {"no home: listed, never kept", true, false, false, "Deutsch.lng",
             "Deutsch,English,*Italiano", "English|Do you want to quit?"},
        };
        // clang-format on
        for (const auto &r : rows)
            QTest::newRow(r.name) << r.perUser << r.home << r.userChose
                                  << QString(r.userFiles).split(u',', Qt::SkipEmptyParts) << QString(r.menu)
                                  << QString(r.pickAndSaid);
    }
    void userFolders()
    {
        QFETCH(bool, perUser);
        QFETCH(bool, home);
        QFETCH(bool, userChose);
        QFETCH(QStringList, userFiles);
        QFETCH(QString, menu);
        QFETCH(QString, pickAndSaid);
        installed(perUser, home);
        put("program/English.lng", kEnglish);
        put("program/Italiano.lng", kItaliano);
        put("program/LangSetting.ini", "[Language]\r\nCurrentLanguage=Italiano\r\n");
        for (const QString &name : userFiles)
            put("data/" + name, "[Strings]\r\n0001=\"" + name.toUtf8() + " of the user's\"\r\n");
        if (userChose && QDir(m_dir->path()).mkdir("config"))
            put("config/LangSetting.ini", "[Language]\r\nCurrentLanguage=English\r\n");
        const auto program = [this] {
            return QDir(file("program")).entryList() << QString::fromUtf8(bytes("program/LangSetting.ini"));
        };
        const QStringList programBefore = program();

        TestWindow *window = filledMenu();
        QCOMPARE(entries(*window), menu);
        const QString pick = pickAndSaid.section(u'|', 0, 0);
        languageMenuClick(*window, int(entries(*window).remove(u'*').split(u',').indexOf(pick)));
        QCOMPARE(pick + u'|' + GetString("0001"), pickAndSaid);
        // The choice is kept where it belongs (nowhere without a home), and is what the next start reads.
        CurrentLanguageName.clear();
        QCOMPARE(readCurrentLanguageSetting(), home ? pick : u"Italiano"_s);
        QVERIFY(home || !QFileInfo::exists(file("config")));
        if (perUser)
            QCOMPARE(program(), programBefore);
    }

    // The Yes and No of a question follow the language picked: "Sì" with "italiano" (any letter
    // case), "Oui", "Sí" and "Ja" with the languages shipped beside it (their names spelled with
    // accents, composed or not, or without), "Yes" again with English or a language the toolkit
    // does not know.
    void toolkitWords()
    {
        for (const char *locale : {"it", "fr", "es", "de"})
            if (!QFileInfo::exists(QLibraryInfo::path(QLibraryInfo::TranslationsPath) + "/qtbase_" + locale +
                                   ".qm"))
                QSKIP("the toolkit's translations are not installed");
        setLanguageNameProvider([] { return CurrentLanguageName; });
        // Each name after one of another language, so that a name not recognised shows.
        // clang-format off
        const std::pair<const char *, const char *> yesOf[] = {
            {"iTaliano", "&Sì"},  {"Français", "&Oui"}, {"Deutsch", "&Ja"},         {"Franc\u0327ais", "&Oui"},
            {"Español", "&Sí"},   {"Francais", "&Oui"}, {"Espan\u0303ol", "&Sí"}, {"English", "&Yes"},
            {"Klingon", "&Yes"}};
        // clang-format on
        for (const auto &[name, yes] : yesOf) {
            CurrentLanguageName = QString::fromUtf8(name);
            applyToolkitLanguage();
            QCOMPARE(QCoreApplication::translate("QPlatformTheme", "&Yes"), QString::fromUtf8(yes));
        }
        setLanguageNameProvider({});
    }
};

QTEST_MAIN(TstLanguage)
#include "tst_language.moc"
