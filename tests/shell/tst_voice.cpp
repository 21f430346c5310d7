// What the program says, on a classroom whiteboard of 1024 x 768, heard through a recording
// sink: the task when each of the nine windows starts a turn, again on the speaker button, the
// word of a card or an answer the child points at or reaches by Tab, the names on the menu; the
// right voice for each language file (also a teacher's, an old one, a broken one); nothing at
// all while the sounds or the speech are switched off, nor from a window already left; the
// speech switch kept in LangSetting.ini. Then the real engine says every sentence of every
// shipped language file, and the real player takes turns faster than a child could.

#include "Speech.h"
#include "shell/ProgramFixture.h"

#include "platform/CheckBox.h"
#include "platform/FileSystem.h"
#include "platform/Line.h"
#include "platform/Paths.h"
#include "platform/Widgets.h"
#include "shell/FormAvvio.h"
#include "shell/Voice.h"

#include <QCursor>
#include <QDirIterator>
#include <QEnterEvent>
#include <QRegularExpression>
#include <QSettings>

using namespace Qt::StringLiterals;
using testkit::click;
using testkit::ProgramFixture;

namespace {

// A sentence of a language file with its words put in, as a teacher reads the file.
QString filled(QString sentence, const QStringList &words)
{
    for (int i = 0; i < words.size(); ++i)
        sentence.replace(u'%' + QString::number(i + 1), words[i]);
    return sentence;
}

// The words a window shows for its task, as they are said: its names in small letters.
QStringList shownNames(platform::Form *w)
{
    QStringList names;
    if (auto *grid = qobject_cast<GridWindow *>(w))
        for (int i = 0; i < qMin(4, grid->Label1.count()); ++i)
            names << grid->Label1(i)->caption().toLower();
    if (auto *trova = qobject_cast<FormTrova *>(w))
        names = trova->EtFrase2->caption().toLower().split(u"\r\n"_s);
    return names;
}

} // namespace

class TstVoice : public QObject
{
    Q_OBJECT

    ProgramFixture f;
    // Everything asked of the speakers, in order: "say:<voice>:<text>", "stop", "sound:<file>".
    QStringList heard;

    QStringList said() const
    {
        QStringList texts;
        for (const QString &h : heard)
            if (h.startsWith(u"say:"_s))
                texts << h.section(u':', 2);
        return texts;
    }
    QString lastSaid() const { return said().value(said().size() - 1); }
    QString lastVoice() const
    {
        for (auto it = heard.crbegin(); it != heard.crend(); ++it)
            if (it->startsWith(u"say:"_s))
                return it->section(u':', 1, 1);
        return {};
    }

    // The task of the turn on screen, from the language file and what the window shows.
    QString expectedTask(ActivityFrame *w, const QString &language, const QString &suffix = {})
    {
        const auto speech = [&](const QString &key) { return f.lng(u"Speech"_s, key, language); };
        if (auto *q = qobject_cast<form1 *>(w)) {
            static const char *const kinds[] = {"shape", "size", "thickness", "colour"};
            return speech(u"form1."_s + QLatin1String(kinds[q->AskedAttribute - 1]));
        }
        if (auto *s = qobject_cast<FORM2 *>(w))
            return filled(speech(u"FORM2"_s), {f.lng(u"SpokenWords"_s, s->AttributeValues[0], language)});
        if (auto *h = qobject_cast<pagl3 *>(w))
            return filled(speech(u"pagl3"_s), {f.lng(u"SpokenWords"_s, h->AttributeValues[0], language)});
        return filled(speech(w->name() + suffix), shownNames(w));
    }

    // One turn played right, as a child would, up to the start of the next turn.
    static void playTurn(ActivityFrame *w)
    {
        auto *grid = qobject_cast<GridWindow *>(w);
        do
            click(testkit::answer(w, true));
        while (grid && !grid->gameOver());
        if (!qobject_cast<FORM2 *>(w) && !qobject_cast<FormDomino *>(w)) // else it starts at once
            click(w->bottoneavanti);
    }

    static void pointAt(platform::Control *c)
    {
        QCursor::setPos(c->widget()->mapToGlobal(QPoint(2, 2)));
        QEnterEvent enter(QPointF(2, 2), QPointF(2, 2), c->widget()->mapToGlobal(QPointF(2, 2)));
        QCoreApplication::sendEvent(c->widget(), &enter);
    }
    static void tabTo(platform::Control *c)
    {
        // From the stop before it, silently, then the child's own Tab.
        QWidget *w = c->widget();
        QWidget *before = w->previousInFocusChain();
        while (before != w && !(before->focusPolicy() & Qt::TabFocus && before->isVisibleTo(w->window()) &&
                                before->isEnabled()))
            before = before->previousInFocusChain();
        before->setFocus(Qt::OtherFocusReason);
        QTest::keyClick(before, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), w);
    }

private slots:
    void init()
    {
        QVERIFY(f.setUp());
        Modulo1::PickRandomBlock(); // as the splash does: the table's first game is named after it
        heard.clear();
        platform::setSoundSink([this](const QString &p) { heard << u"sound:"_s + p; });
        platform::setSpeechSink([this](const QString &text, const QString &voice) {
            heard << (text.isEmpty() ? u"stop"_s : u"say:"_s + voice + u':' + text);
        });
    }
    void cleanup()
    {
        f.tearDown();
        platform::setSpeechSink(nullptr);
    }

    // Each window says its task when it opens and at every new turn, in the language's voice,
    // and once more on its speaker button, whose name is the language's "listen".
    void taskSpoken_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("language");
        for (const QString &language : {u"Italiano"_s, u"English"_s})
            for (const QString &window : ProgramWindows::activityNames())
                QTest::addRow("%s, %s", qPrintable(window), qPrintable(language)) << window << language;
    }
    void taskSpoken()
    {
        QFETCH(QString, window);
        QFETCH(QString, language);
        f.startIn(language);
        auto *w = ProgramFixture::open(window);
        QVERIFY(w);
        const QString voice = language == u"English"_s ? u"en"_s : u"it"_s;
        QCOMPARE(lastSaid(), expectedTask(w, language));
        QCOMPARE(lastVoice(), voice);

        QVERIFY(w->bottoneascolta && testkit::shown(w->bottoneascolta));
        QCOMPARE(w->bottoneascolta->accessibleName(), f.lng(u"Speech"_s, u"Listen"_s, language));
        heard.clear();
        click(w->bottoneascolta);
        QCOMPARE(said(), QStringList{expectedTask(w, language)});

        // The next turn: the answer's sound first, then the new task.
        heard.clear();
        playTurn(w);
        const bool link = qobject_cast<FormDomino *>(w);
        QCOMPARE(lastSaid(), expectedTask(w, language, link ? u".next"_s : QString()));
        const qsizetype sound = heard.lastIndexOf(QRegularExpression(u"^sound:.*si\\d\\.wav$"_s));
        QVERIFY(sound >= 0 && sound < heard.lastIndexOf(u"say:"_s + voice + u':' + lastSaid()));
        if (link) { // the speaker button still says the whole question
            click(w->bottoneascolta);
            QCOMPARE(lastSaid(), expectedTask(w, language));
        }
    }

    // The word of an answer button when the child reaches it by Tab, and of a card or an
    // answer when the pointer rests on it; a click meanwhile says nothing and answers at once.
    void wordsPointedAt_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("control");
        QTest::addColumn<int>("index");
        QTest::addColumn<bool>("byTab");
        QTest::addColumn<QString>("language");
        struct Row
        {
            const char *window, *control;
            int index;
            bool byTab;
        };
        // The roads and the table share their cards and boxes: one of each stands for all.
        const Row rows[] = {
            {"form1", "UGUALI", -1, true},         {"form1", "DIVERSI", -1, false},
            {"form1", "Image3", -1, false},        {"form1", "Label1", -1, false},
            {"FORM2", "Label1", -1, false},        {"pagl3", "NUMERI", 3, true},
            {"pagl3", "Label1", -1, false},        {"pagl3", "Image2", -1, false},
            {"pagl8", "Label1", 5, false},         {"FormTrova", "EtFrase2", -1, false},
            {"pagl9", "Frame1", 1, true},          {"pagl7", "Frame1", 0, false},
            {"FormDomino", "Command1", 0, true},   {"FormDomino", "Label4", -1, false},
            {"FormDomino2", "Command1", 3, false},
        };
        for (const char *language : {"Italiano", "English"})
            for (const Row &r : rows)
                QTest::addRow("%s %s(%d) %s, %s", r.window, r.control, r.index, r.byTab ? "Tab" : "pointer",
                              language)
                    << QString::fromLatin1(r.window) << QString::fromLatin1(r.control) << r.index << r.byTab
                    << QString::fromLatin1(language);
    }
    void wordsPointedAt()
    {
        QFETCH(QString, window);
        QFETCH(QString, control);
        QFETCH(int, index);
        QFETCH(bool, byTab);
        QFETCH(QString, language);
        f.startIn(language);
        auto *w = ProgramFixture::open(window);
        QVERIFY(w);
        if (control == u"Image3"_s)
            click(w->control(u"Command1"_s)); // the help shows the values
        platform::Control *c = w->control(control, index);
        QVERIFY(c);
        // What the child sees of it, in words.
        QString word = testkit::captionOf(c);
        if (word.isEmpty())
            word = c->accessibleName();
        word = word.toLower().replace(u"\r\n"_s, u", "_s);
        if (control == u"Command1"_s) // a letter: its word stands beside it
            word = w->control(u"Label%1"_s.arg(index + 3))->propertyByName("Caption")->toString();
        if (qobject_cast<form1 *>(w) && control == u"Label1"_s)
            word = expectedTask(w, language);
        if (qobject_cast<pagl3 *>(w) && control == u"Image2"_s)
            word = static_cast<pagl3 *>(w)->Label1->caption().toLower();

        heard.clear();
        byTab ? tabTo(c) : pointAt(c);
        QTRY_COMPARE(said(), QStringList{word});
        QCOMPARE(lastVoice(), language == u"English"_s ? u"en"_s : u"it"_s);

        // Pointed at and clicked at once: the click is the answer, and nothing is said.
        if (qobject_cast<platform::CommandButton *>(c) && !byTab) {
            heard.clear();
            pointAt(c);
            const int answers = Modulo1::RightCount + Modulo1::WrongCount;
            click(c);
            QCOMPARE(Modulo1::RightCount + Modulo1::WrongCount, answers + 1);
            QTest::qWait(platform::kPointingMsecs + 200);
            QVERIFY2(!said().contains(word), qPrintable(heard.join(u'|')));
        }
    }

    // Sounds off (in the menu, or in "le strade 1"), speech off, or no sound server to speak
    // through: nothing at all is said, no speaker button offers what cannot be heard, the window
    // works on and no message tells the child anything.
    void silentWhenSwitchedOff_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("how");
        for (const QString &window : ProgramWindows::activityNames())
            for (const char *how : {"sounds off", "speech off", "no sound server"})
                QTest::addRow("%s, %s", qPrintable(window), how) << window << QString::fromLatin1(how);
        QTest::newRow("pagl7, its own sound menu") << u"pagl7"_s << u"Suono? no"_s;
    }
    void silentWhenSwitchedOff()
    {
        QFETCH(QString, window);
        QFETCH(QString, how);
        formMenu *menu = ProgramFixture::menu();
        if (how == u"sounds off"_s)
            click(menu->Check1);
        if (how == u"speech off"_s)
            click(menu->Check2);
        if (how == u"no sound server"_s)
            platform::setSpeechSink(nullptr);
        auto *w = ProgramFixture::open(window);
        QVERIFY(w);
        if (how == u"Suono? no"_s) {
            QVERIFY(testkit::shown(w->bottoneascolta));
            qobject_cast<platform::Menu *>(w->control(u"mnuSuonoNo"_s))->trigger();
            QCOMPARE(heard.last(), u"stop"_s); // what was being said stops at once
        }
        QVERIFY(how == u"no sound server"_s || !Voice::allowed());
        QVERIFY(!testkit::shown(w->bottoneascolta));
        heard.removeAll(u"stop"_s);
        const QStringList before = said();
        w->speakTask();
        for (platform::Control *c : w->controls())
            if (c->widget() && c->widget()->isVisible())
                pointAt(c);
        playTurn(w);
        QTest::qWait(platform::kPointingMsecs + 200);
        QCOMPARE(said(), how == u"Suono? no"_s ? before : QStringList());
        QVERIFY(f.messages.isEmpty());
    }

    // A window left while it speaks is silent at once, and nothing it was asked to say arrives
    // later (a word half-way pointed at, say); the menu's names say themselves in the language
    // picked, even when it is picked while they are being said.
    void leavingAndSwitchingLanguage()
    {
        auto *w = ProgramFixture::open<form1>(u"form1"_s);
        QVERIFY(w);
        pointAt(w->UGUALI);
        f.leave(w);
        QCOMPARE(heard.last(), u"stop"_s);
        QTest::qWait(platform::kPointingMsecs + 200);
        QCOMPARE(heard.last(), u"stop"_s);

        formMenu *menu = ProgramFixture::window<formMenu>(u"formMenu"_s);
        QVERIFY(menu->isShown());
        platform::CommandButton *button = menu->buttonFor(u"pagl3"_s);
        pointAt(button);
        QTRY_COMPARE(lastSaid(), button->caption());
        QCOMPARE(lastVoice(), u"it"_s);
        testkit::languageEntry(menu, u"English"_s)->trigger();
        QCOMPARE(heard.last(), u"stop"_s);
        heard.clear();
        tabTo(button);
        QCOMPARE(heard, QStringList{u"say:en:how many?"_s});
    }

    // Every speaker button is there for a child to find: big (1 cm or more on the screen), on
    // the screen, clear of every other control, and reached by Tab.
    void speakerButtonsFindable()
    {
        const double centimetre = QGuiApplication::primaryScreen()->logicalDotsPerInch() / 2.54;
        for (const QString &window : ProgramWindows::activityNames()) {
            auto *w = ProgramFixture::open(window);
            QVERIFY(w);
            QWidget *speaker = w->bottoneascolta->widget();
            QVERIFY2(speaker->width() >= centimetre && speaker->height() >= centimetre, qPrintable(window));
            QVERIFY(speaker->focusPolicy() & Qt::TabFocus);
            const QRect place(speaker->mapTo(w->window(), QPoint()), speaker->size());
            QVERIFY(w->window()->rect().contains(place));
            for (platform::Control *c : w->controls())
                if (c != w->bottoneascolta && testkit::shown(c) && !qobject_cast<platform::Line *>(c) &&
                    c->widget()->parentWidget() == speaker->parentWidget()) {
                    const QRect overlap = c->widget()->geometry().intersected(speaker->geometry());
                    bool clear = overlap.isEmpty();
                    // A road is clicked along its outline only, not over its whole bounding box.
                    if (auto *area = dynamic_cast<platform::detail::AreaWidget *>(c->widget());
                        area && !clear) {
                        clear = true;
                        for (int y = overlap.top(); y <= overlap.bottom(); y += 2)
                            for (int x = overlap.left(); x <= overlap.right(); x += 2)
                                clear = clear && !area->hits(area->mapFromParent(QPointF(x, y)));
                    }
                    QVERIFY2(clear, qPrintable(window + u' ' + c->name()));
                }
            f.leave(w);
        }
    }

    // A menu without its pictures: each activity's button names a picture file that is there
    // (its place on the button is the layout's; the files themselves: tst_assets).
    void menuPicturesFound()
    {
        for (const Forms::MenuButton &b : Forms::menuButtons())
            QVERIFY2(QFile::exists(platform::resolvePath(platform::appPath(b.picture))),
                     qPrintable(b.window));
    }

    // The speech switch is kept with the language, per user; an old LangSetting.ini without it
    // speaks, and keeps its language line as it was.
    void speechSwitchRemembered()
    {
        auto *splash = ProgramFixture::window<FormAvvio>(u"FormAvvio"_s);
        const QString settings = f.path(u"LangSetting.ini"_s);
        for (const bool on : {true, false}) { // the old file first, then as the switch left it
            Modulo1::SpeechEnabled = true;    // as at a start, before the settings are read
            splash->Load();
            QCOMPARE(Modulo1::SpeechEnabled, on);
            splash->Unload();
            formMenu *menu = ProgramFixture::menu();
            QCOMPARE(menu->Check2->value(), int(on));
            click(menu->Check2);
            QCOMPARE(Modulo1::SpeechEnabled, !on);
            menu->Unload();
            const QString kept = QString::fromUtf8(platform::readFileBytes(settings));
            QVERIFY(kept.contains(u"CurrentLanguage=Italiano"_s));
            QCOMPARE(modLanguageSupport::GetIniValue(settings, u"Speech"_s, u"Enabled"_s),
                     on ? u"0"_s : u"1"_s);
        }
    }

    // A language file's voice, and what is chosen when it names none that is installed: the
    // voice of the file's language where its name tells it, else Italian. Nothing breaks.
    void voiceOfALanguageFile_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QByteArray>("voiceLine"); // empty: no section Speech at all
        QTest::addColumn<QString>("voice");
        QTest::newRow("its own") << u"Maestra"_s << QByteArray("Voice=de") << u"de"_s;
        QTest::newRow("a list, best first") << u"Maestra"_s << QByteArray("Voice=zz, es") << u"es"_s;
        QTest::newRow("none installed, English") << u"English"_s << QByteArray("Voice=xx-nothing") << u"en"_s;
        QTest::newRow("empty, French") << QString::fromUtf8("Français") << QByteArray("Voice=") << u"fr"_s;
        QTest::newRow("garbage, unknown") << u"Maestra"_s << QByteArray("Voice=../../\x01\xff") << u"it"_s;
        QTest::newRow("no section, German") << u"Deutsch"_s << QByteArray() << u"de"_s;
        QTest::newRow("no section, unknown") << u"Maestra"_s << QByteArray() << u"it"_s;
    }
    void voiceOfALanguageFile()
    {
        QFETCH(QString, file);
        QFETCH(QByteArray, voiceLine);
        QFETCH(QString, voice);
        platform::setSpeechSink(nullptr);
        f.writeFile(file + u".lng"_s,
                    "[Strings]\r\n0001=?\r\n" +
                        (voiceLine.isEmpty() ? QByteArray() : "[Speech]\r\n" + voiceLine + "\r\n"));
        modLanguageSupport::CurrentLanguageName = file;
        Voice::useCurrentLanguage();
        QCOMPARE(platform::synthesiseNow(u"uno due tre"_s).voice, voice);
        // Old files speak what the screen shows.
        QCOMPARE(Voice::sentence(u"FORM2"_s, {u"rossi"_s}, u"ROSSO"_s), u"ROSSO"_s);
        QCOMPARE(Voice::listenName(), u"ascolta"_s);
    }

    // Every sentence of every shipped language file, said by the real engine in the file's own
    // voice: audible, and about as long as a child listens to.
    void everySentenceSpoken_data()
    {
        QTest::addColumn<QString>("file");
        QDirIterator it(QStringLiteral(ZORVELLI_SOURCE_DIR "/assets/lang"), {u"*.lng"_s});
        while (it.hasNext()) {
            const QString path = it.next();
            QTest::newRow(qPrintable(QFileInfo(path).baseName())) << path;
        }
    }
    void everySentenceSpoken()
    {
        QFETCH(QString, file);
        platform::setSpeechSink(nullptr);
        QSettings ini(file, QSettings::IniFormat); // for the keys only: its values split at commas
        const auto keys = [&ini](const QString &group) {
            ini.beginGroup(group);
            const QStringList k = ini.childKeys();
            ini.endGroup();
            return k;
        };
        const auto text = [&file](const QString &key, const QString &group = u"SpokenWords"_s) {
            return modLanguageSupport::GetIniValue(file, group, key);
        };
        QStringList values; // said of blocks, to fill the sentences
        for (const QString &key : keys(u"SpokenWords"_s))
            values << text(key);
        QCOMPARE(values.size(), 11);
        const QString voice = text(u"Voice"_s, u"Speech"_s);
        QStringList sentences;
        for (const QString &key : keys(u"Speech"_s))
            if (key != u"Voice"_s)
                sentences << filled(text(key, u"Speech"_s), {text(u"rosso"_s), text(u"grande"_s),
                                                             text(u"rotondo"_s), text(u"spesso"_s)});
        QCOMPARE(sentences.size(), 15); // the speaker's name and the fourteen tasks
        platform::setSpeechVoices({voice});
        for (const QString &said : sentences + values) {
            const platform::SpokenText spoken = platform::synthesiseNow(said);
            QCOMPARE(spoken.voice, voice);
            const double length = testkit::seconds(spoken);
            const double shortest = said.contains(u' ') ? 0.6 : 0.15; // a sentence, a word
            QVERIFY2(length > shortest && length < 15, qPrintable(u"%1: %2 s"_s.arg(said).arg(length)));
            QVERIFY2(length < 0.5 + said.size() * 0.15, qPrintable(said)); // not read out letter by letter
            QVERIFY2(testkit::rms(spoken.samples) > 0.02, qPrintable(said));
        }
    }

    // Twenty new turns a second through the real player (without a sound server: what is said
    // is synthesised and goes nowhere), then the window is left and the language changed
    // mid-sentence: nothing crashes, nothing more is said once the window is gone, and the
    // player keeps its one thread.
    void turnsFasterThanAChild()
    {
        platform::setSpeechSink(nullptr);
        QTemporaryDir dir;
        const QString log = dir.filePath(u"spoken.log"_s);
        platform::setSpeechLog(log);
        const auto logSize = [&] { return QFileInfo(log).size(); };
        for (int round = 0; round < 3; ++round)
            for (const QString &window : ProgramWindows::activityNames()) {
                auto *w = ProgramFixture::open(window);
                QVERIFY(w);
                for (int turn = 0; turn < 8; ++turn) {
                    playTurn(w);
                    QTest::qWait(50);
                }
                w->speakTask();
                f.leave(w);
                const qint64 atLeaving = logSize();
                QTest::qWait(150);
                QVERIFY2(logSize() - atLeaving <= 200, qPrintable(window)); // at most the sentence under way
                const qint64 settled = logSize();
                QTest::qWait(300);
                QCOMPARE(logSize(), settled);
            }
        const auto threadCount = [] {
            return QDir(u"/proc/self/task"_s).entryList(QDir::Dirs | QDir::NoDotAndDotDot).size();
        };
        const qsizetype threads = threadCount();
        formMenu *menu = ProgramFixture::window<formMenu>(u"formMenu"_s);
        for (int i = 0; i < 20; ++i)
            for (platform::Control *c : menu->controlArray(u"mnuLanguage"_s)) {
                Voice::say(u"Che cosa cambia da un blocco all'altro?"_s);
                qobject_cast<platform::Menu *>(c)->trigger();
                QTest::qWait(5);
            }
        QTest::qWait(300);
        QVERIFY2(threadCount() <= threads, qPrintable(QString::number(threadCount())));
        platform::setSpeechLog(QString());
        QVERIFY(QFileInfo(log).size() > 0);
    }
};

ZORVELLI_WINDOW_TEST_MAIN_AT(TstVoice, 1024, 768)

#include "tst_voice.moc"
