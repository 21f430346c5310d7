// The shared block state: random blocks and their picture paths, background colours, the
// feedback sounds and the 16-bit counters.

#include "language/modLanguageSupport.h"
#include "platform/Application.h"
#include "platform/MessageBox.h"
#include "platform/Random.h"
#include "platform/Sound.h"
#include "shell/Modulo1.h"

#include <QApplication>
#include <QFile>
#include <QHash>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>

#include <limits>

namespace {

const QStringList kShapes = {"rotondo", "quadrato", "rettangolo", "triangolo"};
const QStringList kColours = {"rosso", "giallo", "blu"};
const QStringList kSizes = {"grande", "piccolo"};
const QStringList kThicknesses = {"spesso", "sottile"};

const char kItaliano[] = "[formMenu]\r\n"
                         "Check1.Caption=\"Suoni attivati\"\r\n"
                         "[Strings]\r\n"
                         "0001=\"Vuoi uscire dal programma?\"\r\n"
                         "0002=\"rotondo\"\r\n"
                         "0003=\"quadrato\"\r\n"
                         "0004=\"rettangolo\"\r\n"
                         "0005=\"triangolo\"\r\n"
                         "0006=\"rosso\"\r\n"
                         "0007=\"giallo\"\r\n"
                         "0008=\"blu\"\r\n"
                         "0009=\"spesso\"\r\n"
                         "0010=\"sottile\"\r\n"
                         "0011=\"Esatti:\"\r\n";

} // namespace

class TstModulo1 : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();

    void pickRandomBlockGivesThe48Pictures();
    void pickersRunInOrderColourShapeSizeThickness();
    void singlePickers_data();
    void singlePickers();
    void lastRandomIndexIsTheThickness();
    void emptyWordsAreStoredUnchanged();
    void backColours();
    void soundsOff();
    void rightSoundsAreEvenlySpread();
    void wrongSound();
    void countersSaturate_data();
    void countersSaturate();
    void resetState();

private:
    QString sound(const QString &name) const { return m_dir.path() + QStringLiteral("\\suoni\\") + name; }

    QTemporaryDir m_dir;
    QStringList m_sounds;
    int m_messages = 0;
};

void TstModulo1::initTestCase()
{
    QVERIFY(m_dir.isValid());
    QFile f(m_dir.path() + QStringLiteral("/Italiano.lng"));
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(kItaliano);
    f.close();
    QFile s(m_dir.path() + QStringLiteral("/LangSetting.ini"));
    QVERIFY(s.open(QIODevice::WriteOnly));
    s.write("[Language]\r\nCurrentLanguage=Italiano\r\n");
    s.close();
    platform::setSoundSink([this](const QString &p) { m_sounds.append(p); });
    platform::setMessageAnswerer([this](const platform::MessageRequest &) {
        ++m_messages;
        return platform::MsgResult::Ok;
    });
}

void TstModulo1::init()
{
    Modulo1::resetState();
    platform::ApplicationPath = m_dir.path();
    modLanguageSupport::CurrentLanguageName.clear();
    m_sounds.clear();
    platform::seedRandom(20240607);
}

void TstModulo1::pickRandomBlockGivesThe48Pictures()
{
    QSet<QString> expected;
    for (const QString &c : kColours)
        for (const QString &s : kShapes)
            for (const QString &z : kSizes)
                for (const QString &t : kThicknesses)
                    expected.insert(m_dir.path() + QStringLiteral("\\jpg\\") + c + u'\\' + s + z + t +
                                    QStringLiteral(".JPG"));
    QCOMPARE(expected.size(), 48);
    QVERIFY(expected.contains(m_dir.path() + QStringLiteral("\\jpg\\giallo\\triangolopiccolosottile.JPG")));

    QSet<QString> seen;
    for (int i = 0; i < 2000; ++i) {
        Modulo1::PickRandomBlock();
        const BlockAttributes &b = Modulo1::CurrentBlock;
        QVERIFY2(expected.contains(b.PicturePath), qPrintable(b.PicturePath));
        // The path is made of the block's own words.
        QCOMPARE(b.PicturePath, m_dir.path() + QStringLiteral("\\jpg\\") + b.Colour + u'\\' + b.Shape +
                                    b.Size + b.Thickness + QStringLiteral(".JPG"));
        seen.insert(b.PicturePath);
    }
    QCOMPARE(seen, expected);
    // The first GetString found the language through the settings file.
    QCOMPARE(modLanguageSupport::CurrentLanguageName, QStringLiteral("Italiano"));

    // A program folder given with its closing separator gets no second one.
    platform::ApplicationPath = m_dir.path() + u'\\';
    Modulo1::PickRandomBlock();
    QVERIFY(expected.contains(Modulo1::CurrentBlock.PicturePath));
}

void TstModulo1::pickersRunInOrderColourShapeSizeThickness()
{
    for (int round = 0; round < 50; ++round) {
        const std::uint64_t seed = 1000 + round;
        platform::seedRandom(seed);
        const int c = platform::drawIndex(3), s = platform::drawIndex(4), z = platform::drawIndex(2),
                  t = platform::drawIndex(2);

        platform::seedRandom(seed);
        const std::uint64_t before = platform::randomDrawCount();
        Modulo1::PickRandomBlock();
        QCOMPARE(platform::randomDrawCount(), before + 4);
        QCOMPARE(Modulo1::CurrentBlock.Colour, kColours[c]);
        QCOMPARE(Modulo1::CurrentBlock.Shape, kShapes[s]);
        QCOMPARE(Modulo1::CurrentBlock.Size, kSizes[z]);
        QCOMPARE(Modulo1::CurrentBlock.Thickness, kThicknesses[t]);
    }
}

void TstModulo1::singlePickers_data()
{
    QTest::addColumn<int>("attribute"); // 0 shape, 1 colour, 2 size, 3 thickness
    QTest::newRow("shape") << 0;
    QTest::newRow("colour") << 1;
    QTest::newRow("size") << 2;
    QTest::newRow("thickness") << 3;
}

void TstModulo1::singlePickers()
{
    QFETCH(int, attribute);
    using Picker = void (*)();
    const Picker pickers[] = {Modulo1::PickRandomShape, Modulo1::PickRandomColour, Modulo1::PickRandomSize,
                              Modulo1::PickRandomThickness};
    const QStringList *words[] = {&kShapes, &kColours, &kSizes, &kThicknesses};
    QString BlockAttributes::*fields[] = {&BlockAttributes::Shape, &BlockAttributes::Colour,
                                          &BlockAttributes::Size, &BlockAttributes::Thickness};
    const QStringList &values = *words[attribute];

    QList<int> counts(values.size(), 0);
    const int draws = 400 * int(values.size());
    for (int i = 0; i < draws; ++i) {
        Modulo1::CurrentBlock = {};
        pickers[attribute]();
        const int k = Modulo1::LastRandomIndex;
        QVERIFY2(k >= 1 && k <= values.size(), qPrintable(QString::number(k)));
        QCOMPARE(Modulo1::CurrentBlock.*fields[attribute], values[k - 1]);
        // One picker fills one field only.
        for (int other = 0; other < 4; ++other)
            if (other != attribute)
                QVERIFY((Modulo1::CurrentBlock.*fields[other]).isEmpty());
        QVERIFY(Modulo1::CurrentBlock.PicturePath.isEmpty());
        ++counts[k - 1];
    }
    for (int n : std::as_const(counts))
        QVERIFY2(n > 300 && n < 500, qPrintable(QString::number(n)));
}

void TstModulo1::lastRandomIndexIsTheThickness()
{
    for (int i = 0; i < 200; ++i) {
        Modulo1::PickRandomBlock();
        QCOMPARE(Modulo1::LastRandomIndex, kThicknesses.indexOf(Modulo1::CurrentBlock.Thickness) + 1);
    }
}

void TstModulo1::emptyWordsAreStoredUnchanged()
{
    // No language at all: every word from the language file is empty, the size words are not.
    platform::ApplicationPath = m_dir.path() + QStringLiteral("/elsewhere");
    Modulo1::CurrentBlock.Colour = QStringLiteral("stale");
    Modulo1::PickRandomBlock();
    const BlockAttributes &b = Modulo1::CurrentBlock;
    QVERIFY(b.Colour.isEmpty());
    QVERIFY(b.Shape.isEmpty());
    QVERIFY(b.Thickness.isEmpty());
    QVERIFY(kSizes.contains(b.Size));
    QCOMPARE(b.PicturePath,
             platform::ApplicationPath + QStringLiteral("\\jpg\\\\") + b.Size + QStringLiteral(".JPG"));
    QCOMPARE(m_messages, 0);

    // A language file that lacks one word: only that word is empty.
    platform::ApplicationPath = m_dir.path();
    QFile f(m_dir.path() + QStringLiteral("/Scarso.lng"));
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("[Strings]\r\n0006=\"rosso\"\r\n0007=\"\"\r\n0008=\"blu\"\r\n");
    f.close();
    modLanguageSupport::CurrentLanguageName = QStringLiteral("Scarso");
    QSet<QString> colours;
    for (int i = 0; i < 100; ++i) {
        Modulo1::PickRandomColour();
        colours.insert(Modulo1::CurrentBlock.Colour);
    }
    QCOMPARE(colours, QSet<QString>({"rosso", "", "blu"}));
}

void TstModulo1::backColours()
{
    QHash<std::uint32_t, int> counts;
    const std::uint64_t before = platform::randomDrawCount();
    const int draws = 36000;
    for (int i = 0; i < draws; ++i)
        ++counts[Modulo1::PickRandomBackColor()];
    QCOMPARE(platform::randomDrawCount(), before + draws);

    const QSet<std::uint32_t> table = {0xC0C0FF, 0x8080FF, 0x0000FF, 0x80C0FF, 0x0080FF, 0xC0FFFF,
                                       0x00FFFF, 0x0040C0, 0x80FF80, 0x00C000, 0xFFFFC0, 0xFFFF00,
                                       0xFFC0C0, 0xFFC0FF, 0xE0E0E0, 0xFF0000, 0xFF00FF};
    QCOMPARE(table.size(), 17);
    QCOMPARE(QSet<std::uint32_t>(counts.keyBegin(), counts.keyEnd()), table);

    // One entry in eighteen each, the pink in two.
    const int share = draws / 18;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it) {
        const int expected = it.key() == 0xFFC0FF ? 2 * share : share;
        QVERIFY2(qAbs(it.value() - expected) < expected / 8,
                 qPrintable(QStringLiteral("%1: %2").arg(it.key(), 6, 16, QLatin1Char('0')).arg(it.value())));
    }
}

void TstModulo1::soundsOff()
{
    Modulo1::SoundEnabled = false;
    const std::uint64_t before = platform::randomDrawCount();
    for (int i = 0; i < 20; ++i) {
        Modulo1::PlayRightSound();
        Modulo1::PlayWrongSound();
    }
    QVERIFY(m_sounds.isEmpty());
    QCOMPARE(platform::randomDrawCount(), before);
}

void TstModulo1::rightSoundsAreEvenlySpread()
{
    Modulo1::SoundEnabled = true;
    const std::uint64_t before = platform::randomDrawCount();
    const int plays = 8000;
    for (int i = 0; i < plays; ++i)
        Modulo1::PlayRightSound();
    QCOMPARE(m_sounds.size(), plays);
    QCOMPARE(platform::randomDrawCount(), before + plays);

    QHash<QString, int> counts;
    for (const QString &p : std::as_const(m_sounds))
        ++counts[p];
    QCOMPARE(counts.size(), 4);
    for (int k = 1; k <= 4; ++k) {
        const int n = counts.value(sound(QStringLiteral("si%1.wav").arg(k)));
        QVERIFY2(qAbs(n - plays / 4) < plays / 40, qPrintable(QStringLiteral("si%1: %2").arg(k).arg(n)));
    }
}

void TstModulo1::wrongSound()
{
    Modulo1::SoundEnabled = true;
    const std::uint64_t before = platform::randomDrawCount();
    Modulo1::PlayWrongSound();
    Modulo1::PlayWrongSound();
    QCOMPARE(m_sounds, QStringList({sound(QStringLiteral("no.wav")), sound(QStringLiteral("no.wav"))}));
    QCOMPARE(platform::randomDrawCount(), before);

    // Nothing beside the program makes a missing sound file an error.
    QVERIFY(!QFile::exists(m_dir.path() + QStringLiteral("/suoni/no.wav")));
    QCOMPARE(m_messages, 0);
}

void TstModulo1::countersSaturate_data()
{
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("delta");
    QTest::addColumn<int>("expected");
    QTest::newRow("one more") << 0 << 1 << 1;
    QTest::newRow("one less") << 0 << -1 << -1;
    QTest::newRow("up to the top") << 32766 << 1 << 32767;
    QTest::newRow("past the top") << 32767 << 1 << 32767;
    QTest::newRow("down from the top") << 32767 << -1 << 32766;
    QTest::newRow("down to the bottom") << -32767 << -1 << -32768;
    QTest::newRow("past the bottom") << -32768 << -1 << -32768;
    QTest::newRow("big jump up") << 100 << 100000 << 32767;
    QTest::newRow("big jump down") << -5 << -100000 << -32768;
}

void TstModulo1::countersSaturate()
{
    QFETCH(int, start);
    QFETCH(int, delta);
    QFETCH(int, expected);
    Modulo1::RightCount = static_cast<std::int16_t>(start);
    Modulo1::addToCount(Modulo1::RightCount, delta);
    QCOMPARE(int(Modulo1::RightCount), expected);

    Modulo1::WrongCount = static_cast<std::int16_t>(start);
    Modulo1::addToCount(Modulo1::WrongCount, delta);
    QCOMPARE(int(Modulo1::WrongCount), expected);
}

void TstModulo1::resetState()
{
    // Thousands of answers in a row never wrap around.
    for (int i = 0; i < 40000; ++i)
        Modulo1::addToCount(Modulo1::RightCount, 1);
    QCOMPARE(Modulo1::RightCount, std::numeric_limits<std::int16_t>::max());

    Modulo1::SoundEnabled = true;
    Modulo1::PickRandomBlock();
    Modulo1::FormResizer = std::make_unique<clsResize>();
    Modulo1::resetState();
    QCOMPARE(Modulo1::RightCount, std::int16_t(0));
    QCOMPARE(Modulo1::WrongCount, std::int16_t(0));
    QCOMPARE(Modulo1::LastRandomIndex, std::int16_t(0));
    QVERIFY(Modulo1::CurrentBlock.PicturePath.isEmpty());
    QVERIFY(Modulo1::CurrentBlock.Colour.isEmpty());
    QVERIFY(!Modulo1::FormResizer);
}

QTEST_MAIN(TstModulo1)
#include "tst_modulo1.moc"
