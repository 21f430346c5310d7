// Every word a child reads in the child's own language, on a classroom whiteboard of 1024 x 768:
// the shipped languages against every window (texts switched while the windows are open, no
// Italian name of a value left, nothing cut off), the words of the values as old and odd
// language files give them (none, their own in 0002-0010, blank, shared by two values, 10 000
// characters long), and the rules, which go by the names whatever the words.

#include "shell/ProgramFixture.h"

#include "activities/grid/pagl7.h"
#include "platform/Widgets.h"
#include "shell/BlockRules.h"

#include <QAccessible>
#include <QKeyEvent>
#include <QRegularExpression>

using namespace Qt::StringLiterals;
using testkit::click;
using testkit::keyOf;
using testkit::ProgramFixture;

namespace {

// The eleven values by their names, in the order of the language files' section Words.
const QStringList kNames{"rotondo", "quadrato", "rettangolo", "triangolo", "rosso",  "giallo",
                         "blu",     "grande",   "piccolo",    "spesso",    "sottile"};

// Everything a child reads or hears of a window: its captions and tooltips, and what the
// accessibility tree says of each control (the words of a picture, the names of a box).
QStringList childTexts(platform::Form *w)
{
    QStringList texts{w->caption()};
    for (platform::Control *c : w->controls()) {
        for (const char *property : {"Caption", "ToolTipText"})
            if (const auto v = c->propertyByName(property))
                texts << v->toString();
        if (QWidget *widget = c->widget())
            if (QAccessibleInterface *a = QAccessible::queryAccessibleInterface(widget))
                texts << a->text(QAccessible::Name) << a->text(QAccessible::Description);
    }
    return texts;
}

// The texts that hold, as a word, the name of a value whose word in the language is another.
QStringList namesLeftIn(const QStringList &texts)
{
    QStringList names;
    for (const QString &name : kNames)
        if (Modulo1::displayWord(name).toCaseFolded() != name)
            names << name;
    static const QRegularExpression word(u"\\w+"_s);
    QStringList found;
    for (const QString &text : texts)
        for (auto m = word.globalMatch(text.toCaseFolded()); m.hasNext();)
            if (names.contains(m.next().captured())) {
                found << text;
                break;
            }
    return found;
}

// The 48 blocks, by their names.
QList<BlockAttributes> allBlocks()
{
    QList<BlockAttributes> blocks;
    for (int n = 0; n < 48; ++n)
        blocks.append({BlockRules::kColourWords[n / 16],
                       BlockRules::kShapeWords[n / 4 % 4],
                       n / 2 % 2 ? BlockRules::kSmall : BlockRules::kBig,
                       n % 2 ? BlockRules::kThin : BlockRules::kThick,
                       {}});
    return blocks;
}

// The block whose names, run together, are the key of a "trova il blocco" picture.
BlockAttributes blockOfKey(const QString &key)
{
    for (const BlockAttributes &b : allBlocks())
        if (FormTrova::blockKey(b) == key)
            return b;
    return {};
}

// The language file English.lng with its section Words replaced (or taken away) and some
// strings changed: a file as a teacher may have written it.
QByteArray englishWith(const QByteArray &words, const QList<std::pair<QByteArray, QByteArray>> &strings = {})
{
    QFile file(QStringLiteral(ZORVELLI_RUNDIR "/English.lng"));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QByteArray text = file.readAll();
    text.truncate(text.indexOf("[Words]"));
    for (const auto &[from, to] : strings)
        text.replace(from, to);
    return words.isEmpty() ? text : text + "[Words]\r\n" + words;
}

} // namespace

class TstWords : public QObject
{
    Q_OBJECT

    ProgramFixture f;

private slots:
    void init() { QVERIFY(f.setUp()); }
    void cleanup() { f.tearDown(); }

    // A name left in Italian or a word that does not fit: in each language picked from the menu,
    // the splash and the menu cut nothing off; every activity shows and says no Italian name of
    // a value and cuts nothing off, whatever the values shown (each of the eleven words, alone
    // and after the negation, in every place that shows a value; every block's description).
    // (Open windows taking the new texts at once: tst_language's languageMenu.)
    void everyLanguage_data()
    {
        QTest::addColumn<QString>("language");
        for (const QString &language : ProgramFixture::languages())
            if (language != u"Italiano"_s)
                QTest::newRow(qPrintable(language)) << language;
    }
    void everyLanguage()
    {
        QFETCH(QString, language);
        formMenu *menu = ProgramFixture::menu();
        platform::Menu *entry = testkit::languageEntry(menu, language);
        QVERIFY(entry);
        entry->trigger();
        QStringList problems;
        for (const QString &name : {u"FormAvvio"_s, u"formMenu"_s}) {
            Forms::get(name)->Show();
            problems += testkit::clipped(Forms::get(name));
        }
        Forms::get(u"FormAvvio"_s)->Unload();
        menu->Show();

        QStringList words;
        for (const QString &name : kNames)
            words << Modulo1::displayWord(name).toUpper();
        const QString negation = modLanguageSupport::GetString(QStringLiteral("0031"));
        for (const ProgramWindows::Entry &e : ProgramWindows::all()) {
            if (e.menuButton.name.isEmpty())
                continue;
            for (int seed = 1; seed <= 3; ++seed) {
                platform::seedRandom(seed);
                auto *w = ProgramFixture::open(e.name);
                QVERIFY2(w, qPrintable(e.name));
                for (const QString &text : namesLeftIn(childTexts(w)))
                    problems << e.name + u": "_s + text;
                problems += testkit::clipped(w);
                // Every word in every place a value is shown: the value alone, the names of roads
                // and table with their negations, the description of every block.
                const bool grid = e.name.startsWith(u"pagl") && e.name != u"pagl3"_s;
                const bool trova = e.name == u"FormTrova"_s;
                // The chains and "uguale - diverso" show no value of their own.
                const bool showsValue =
                    seed == 1 && !e.name.startsWith(u"FormDomino") && e.name != u"form1"_s;
                for (platform::Control *c : w->controls()) {
                    auto *label = qobject_cast<platform::Label *>(c);
                    if (!showsValue || !label || c->name() != (trova ? u"EtFrase2"_s : u"Label1"_s))
                        continue;
                    const QString before = label->caption();
                    QStringList captions;
                    if (trova)
                        for (const BlockAttributes &b : allBlocks())
                            captions << FormTrova::description(b);
                    else
                        for (const QString &word : std::as_const(words))
                            captions << word << (grid ? negation + word : word);
                    for (const QString &caption : std::as_const(captions)) {
                        label->setCaption(caption);
                        if (QString why; !testkit::captionFits(label, &why))
                            problems << e.name + u' ' + why;
                    }
                    label->setCaption(before);
                }
                f.leave(w);
                QVERIFY(menu->isShown());
            }
        }
        QVERIFY2(problems.isEmpty(), qPrintable(problems.join(u'\n')));
    }

    // The words of the values as a language file may give them: an old file without section
    // Words shows what it showed before (its 0002-0010, the size literals); blank words fall
    // back the same way; two values may share a word; a word of 10 000 characters is cut to fit
    // its card. Whatever the words, the pictures are found, the blocks carry the words, a block
    // is right by its names (a block with the same words but other names is wrong), and no
    // control moves or grows.
    void displayWords_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QStringList>("shown"); // the words of kNames, in order
        // The names' own words but for some.
        const auto italianBut = [](const QList<std::pair<QString, QString>> &changed) {
            QStringList words = kNames;
            for (const auto &[name, word] : changed)
                words[kNames.indexOf(name)] = word;
            return words;
        };
        QTest::newRow("old file, no words") << englishWith({}) << kNames;
        QTest::newRow("old file, words of its own in 0002-0010")
            << englishWith({}, {{"0002=rotondo", "0002=round"},
                                {"0006=rosso", "0006=red"},
                                {"0010=sottile", "0010=thin"}})
            << italianBut({{"rotondo", "round"}, {"rosso", "red"}, {"sottile", "thin"}});
        QTest::newRow("blank words fall back")
            << englishWith("rotondo=\r\nquadrato=\"   \"\r\nrosso=\" red \"\r\ngrande=\r\nspesso=thick\r\n",
                           {{"0003=quadrato", "0003=square"}})
            << italianBut({{"quadrato", "square"}, {"rosso", "red"}, {"spesso", "thick"}});
        QTest::newRow("two values, one word") << englishWith("rosso=warm\r\ngiallo=warm\r\n")
                                              << italianBut({{"rosso", "warm"}, {"giallo", "warm"}});
        // As much of a value as the profile reader reads.
        QTest::newRow("10 000 characters") << englishWith("rosso=" + QByteArray(10000, 'W') + "\r\n")
                                           << italianBut({{"rosso", QString(511, u'W')}});
    }
    void displayWords()
    {
        QFETCH(QByteArray, file);
        QFETCH(QStringList, shown);
        QVERIFY(!file.isEmpty());
        // Where every control stands, first in Italian with the same blocks.
        const auto places = [](FormTrova *w) {
            QHash<QString, QRect> places;
            for (platform::Control *c : w->controls())
                if (c->widget() && c != w->Shape1) // the frame goes to the picture found
                    places.insert(keyOf(c), c->widget()->geometry());
            return places;
        };
        platform::seedRandom(5);
        auto *w = ProgramFixture::open<FormTrova>(QStringLiteral("FormTrova"));
        QVERIFY(w);
        const QHash<QString, QRect> italian = places(w);
        f.leave(w);

        f.writeFile(QStringLiteral("Insegnante.lng"), file);
        f.startIn(QStringLiteral("Insegnante"));
        for (int i = 0; i < kNames.size(); ++i)
            QCOMPARE(Modulo1::displayWord(kNames[i]), shown[i]);
        const auto words = [&shown](const BlockAttributes &b) {
            return QStringList{shown[kNames.indexOf(b.Shape)], shown[kNames.indexOf(b.Colour)],
                               shown[kNames.indexOf(b.Size)], shown[kNames.indexOf(b.Thickness)]};
        };

        // "trova il blocco" over several turns: pictures found, named by the words; the
        // description in capitals; another block with the same words is wrong.
        platform::seedRandom(5);
        w = ProgramFixture::open<FormTrova>(QStringLiteral("FormTrova"));
        QVERIFY(w);
        // With two values of one word, turns go on until a block with the target's words but
        // other names has come up.
        const bool sharedWords = QSet<QString>(shown.begin(), shown.end()).size() < shown.size();
        bool sameWordsSeen = false;
        for (int turn = 0; turn < 6 || (sharedWords && !sameWordsSeen && turn < 1000); ++turn) {
            const QString target = w->Image1(w->TargetIndex)->tag();
            for (int i = 0; i < FormTrova::kPictures; ++i) {
                QVERIFY(!w->Image1(i)->showsPlaceholder());
                QCOMPARE(w->Image1(i)->description().split(u' '), words(blockOfKey(w->Image1(i)->tag())));
            }
            QCOMPARE(w->EtFrase2->caption(), words(blockOfKey(target)).join(u"\r\n"_s).toUpper());
            for (int i = 0; i < FormTrova::kPictures; ++i)
                if (w->Image1(i)->tag() != target &&
                    w->Image1(i)->description() == w->Image1(w->TargetIndex)->description()) {
                    const int wrong = Modulo1::WrongCount;
                    click(w->Image1(i));
                    QCOMPARE(int(Modulo1::WrongCount), wrong + 1);
                    sameWordsSeen = true;
                }
            click(w->Image1(w->TargetIndex));
            QVERIFY(w->bottoneavanti->enabled());
            click(w->bottoneavanti);
        }
        QCOMPARE(sameWordsSeen, sharedWords);
        QCOMPARE(places(w), italian);
        // A description too long for its card still draws (how it is cut: tst_objectmodel).
        QVERIFY(!w->EtFrase2->widget()->grab().isNull());
        f.leave(w);

        // "le strade 1": the names of the roads in capitals, the negation before the word; each
        // block goes onto its road by its names.
        auto *roads = ProgramFixture::open<pagl7>(QStringLiteral("pagl7"));
        QVERIFY(roads);
        const QString negation = modLanguageSupport::GetString(QStringLiteral("0031"));
        for (int placed = 0; placed < 12; ++placed) {
            const QString value = shown[kNames.indexOf(roads->ComparedValue[0])].toUpper();
            QCOMPARE(roads->Label1(0)->caption() + u'|' + roads->Label1(1)->caption(),
                     value + u'|' + negation + value);
            QCOMPARE(roads->Frame1(1)->accessibleName(), negation + value);
            if (roads->gameOver()) {
                click(roads->bottoneavanti);
                continue;
            }
            const int right = Modulo1::RightCount;
            click(roads->Frame1(roads->rightBox()));
            QCOMPARE(int(Modulo1::RightCount), right + 1);
        }
        QCOMPARE(int(Modulo1::WrongCount), 0);
    }

    // The letters of "Cosa cambia?" in each language: the key of a button's letter presses it,
    // an accented letter by its key with or without the accent (E and É both press "É").
    void dominoLetters_data()
    {
        QTest::addColumn<QString>("language");
        for (const QString &language : ProgramFixture::languages())
            QTest::newRow(qPrintable(language)) << language;
    }
    void dominoLetters()
    {
        QFETCH(QString, language);
        f.startIn(language);
        platform::seedRandom(3);
        auto *w = ProgramFixture::open<FormDomino>(QStringLiteral("FormDomino"));
        QVERIFY(w);
        for (int i = 0; i < ChainRules::kAnswers; ++i)
            QCOMPARE(w->Command1(i)->caption(),
                     f.lng(u"FormDomino"_s, u"Command1(%1).Caption"_s.arg(i), language));
        // Every letter, written and bare, until each has pressed its button once.
        QSet<std::pair<int, bool>> pressed;
        for (int link = 0; pressed.size() < 2 * ChainRules::kAnswers && link < 500; ++link) {
            const bool bare = link % 2;
            QString key = w->Command1(w->ExpectedAnswer)->caption();
            if (bare) // "e" for "É"
                key = key.normalized(QString::NormalizationForm_D).left(1);
            pressed.insert({w->ExpectedAnswer, bare});
            const int right = Modulo1::RightCount;
            // The key as a keyboard of the language sends it: its text, whatever letter it is.
            QWidget *target = w->window()->focusWidget() ? w->window()->focusWidget() : w->window();
            QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, key.toLower());
            QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, key.toLower());
            QApplication::sendEvent(target, &press);
            QApplication::sendEvent(target, &release);
            QVERIFY2(Modulo1::RightCount == right + 1, qPrintable(key));
        }
        QCOMPARE(pressed.size(), 2 * ChainRules::kAnswers);
        QCOMPARE(int(Modulo1::WrongCount), 0);
    }
};

ZORVELLI_WINDOW_TEST_MAIN_AT(TstWords, 1024, 768)

#include "tst_words.moc"
