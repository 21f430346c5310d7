// The shared block state: random blocks and their picture paths, background colours, the
// feedback sounds and the 16-bit counters.

#include "language/modLanguageSupport.h"
#include "platform/Application.h"
#include "platform/MessageBox.h"
#include "platform/Random.h"
#include "platform/Sound.h"
#include "shell/BlockRules.h"
#include "shell/Modulo1.h"

#include <QFile>
#include <QHash>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>

namespace {
const QStringList kShapes = {"rotondo", "quadrato", "rettangolo", "triangolo"};
const QStringList kColours = {"rosso", "giallo", "blu"};
const QStringList kSizes = {"grande", "piccolo"};
const QStringList kThicknesses = {"spesso", "sottile"};
} // namespace

class TstModulo1 : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    QStringList m_sounds;
    int m_messages = 0;

    QString sound(const QString &name) const { return m_dir.path() + QStringLiteral("\\suoni\\") + name; }

private slots:
    void initTestCase()
    {
        QFile f(m_dir.path() + QStringLiteral("/Italiano.lng"));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(
            "[Strings]\r\n0002=\"rotondo\"\r\n0003=\"quadrato\"\r\n0004=\"rettangolo\"\r\n0005="
            "\"triangolo\"\r\n"
            "0006=\"rosso\"\r\n0007=\"giallo\"\r\n0008=\"blu\"\r\n0009=\"spesso\"\r\n0010=\"sottile\"\r\n");
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

    void init()
    {
        Modulo1::resetState();
        platform::ApplicationPath = m_dir.path();
        modLanguageSupport::CurrentLanguageName.clear();
        m_sounds.clear();
        platform::seedRandom(20240607);
    }

    // Colour, shape, size, thickness, one draw each, make one of exactly 48 pictures.
    void pickRandomBlock()
    {
        QSet<QString> seen;
        for (int seed = 0; seed < 1000; ++seed) {
            platform::seedRandom(seed);
            const int c = platform::drawIndex(3), s = platform::drawIndex(4), z = platform::drawIndex(2),
                      t = platform::drawIndex(2);
            platform::seedRandom(seed);
            const std::uint64_t before = platform::randomDrawCount();
            Modulo1::PickRandomBlock();
            QCOMPARE(Modulo1::CurrentBlock.PicturePath, m_dir.path() + QStringLiteral("\\jpg\\") +
                                                            kColours[c] + u'\\' + kShapes[s] + kSizes[z] +
                                                            kThicknesses[t] + QStringLiteral(".JPG"));
            QCOMPARE(Modulo1::LastRandomIndex, t + 1);
            QCOMPARE(platform::randomDrawCount(), before + 4);
            seen.insert(Modulo1::CurrentBlock.PicturePath);
        }
        QCOMPARE(seen.size(), 48);
    }

    void emptyWordsAreStoredUnchanged()
    {
        // No language at all: every word from the language file is empty, the size words are not.
        platform::ApplicationPath = m_dir.path() + QStringLiteral("/elsewhere");
        Modulo1::CurrentBlock.Colour = QStringLiteral("stale");
        Modulo1::PickRandomBlock();
        const BlockAttributes &b = Modulo1::CurrentBlock;
        QVERIFY(kSizes.contains(b.Size));
        QCOMPARE(b.PicturePath,
                 platform::ApplicationPath + QStringLiteral("\\jpg\\\\") + b.Size + QStringLiteral(".JPG"));
        QCOMPARE(m_messages, 0);
    }

    void backColours()
    {
        QHash<std::uint32_t, int> counts;
        const int draws = 36000;
        for (int i = 0; i < draws; ++i)
            ++counts[Modulo1::PickRandomBackColor()];
        const QList<std::uint32_t> table = {0xC0C0FF, 0x8080FF, 0x0000FF, 0x80C0FF, 0x0080FF, 0xC0FFFF,
                                            0x00FFFF, 0x0040C0, 0x80FF80, 0x00C000, 0xFFFFC0, 0xFFFF00,
                                            0xFFC0C0, 0xFFC0FF, 0xE0E0E0, 0xFF0000, 0xFF00FF};
        QCOMPARE(counts.size(), table.size());
        for (std::uint32_t colour : table) { // one in eighteen each, the pink two
            const int expected = (colour == 0xFFC0FF ? 2 : 1) * draws / 18;
            QVERIFY2(qAbs(counts.value(colour) - expected) < expected / 8,
                     qPrintable(QString::number(colour, 16)));
        }
    }

    void sounds()
    {
        const std::uint64_t before = platform::randomDrawCount();
        Modulo1::SoundEnabled = false;
        Modulo1::PlayRightSound();
        Modulo1::PlayWrongSound();
        QVERIFY(m_sounds.isEmpty());
        QCOMPARE(platform::randomDrawCount(), before); // not even a draw

        Modulo1::SoundEnabled = true;
        Modulo1::PlayWrongSound();
        QCOMPARE(m_sounds, QStringList{sound(QStringLiteral("no.wav"))});
        QCOMPARE(platform::randomDrawCount(), before);
        m_sounds.clear();
        const int plays = 8000;
        for (int i = 0; i < plays; ++i)
            Modulo1::PlayRightSound();
        QCOMPARE(platform::randomDrawCount(), before + plays);
        QHash<QString, int> counts;
        for (const QString &p : std::as_const(m_sounds))
            ++counts[p];
        QCOMPARE(counts.size(), 4);
        for (int k = 1; k <= 4; ++k) {
            const int n = counts.value(sound(QStringLiteral("si%1.wav").arg(k)));
            QVERIFY2(qAbs(n - plays / 4) < plays / 40, qPrintable(QStringLiteral("si%1: %2").arg(k).arg(n)));
        }
        QCOMPARE(m_messages, 0); // the sound files are missing here, and that is no error
    }

    // The rules several activities share, over all 48 blocks.
    void blockRules()
    {
        using namespace BlockRules;
        QCOMPARE(QStringList(kShapeWords.begin(), kShapeWords.end()), kShapes);
        QCOMPARE(QStringList(kColourWords.begin(), kColourWords.end()), kColours);
        for (const QString &shape : kShapes)
            for (const QString &colour : kColours)
                for (const QString &size : kSizes)
                    for (const QString &thickness : kThicknesses) {
                        const BlockAttributes b{colour, shape, size, thickness, {}};
                        QCOMPARE(QStringList({attributeWord(b, Shape), attributeWord(b, Colour), attributeWord(b, Size),
                                              attributeWord(b, Thickness)}),
                                 QStringList({shape, colour, size, thickness}));
                        QVERIFY(attributeWord(b, 0).isEmpty() && attributeWord(b, 5).isEmpty());
                        QCOMPARE(describe(b), QStringList({shape, colour, size, thickness}).join(u' '));
                        QCOMPARE(flipSize(size), kSizes[1 - kSizes.indexOf(size)]);
                        QCOMPARE(flipThickness(thickness), kThicknesses[1 - kThicknesses.indexOf(thickness)]);
                    }
        // Anything unknown flips to the first word; the thickness may flip between other words.
        QCOMPARE(flipSize(QString()), kBig);
        QCOMPARE(flipThickness(QStringLiteral("thin"), QStringLiteral("thick"), QStringLiteral("thin")),
                 QStringLiteral("thick"));
        QCOMPARE(flipThickness(QStringLiteral("spesso"), QStringLiteral("thick"), QStringLiteral("thin")),
                 QStringLiteral("thick"));
        // The four cells: both values, the first only, the second only, neither.
        QCOMPARE(QList<int>({tableCell(true, true), tableCell(true, false), tableCell(false, true),
                             tableCell(false, false)}),
                 QList<int>({0, 1, 2, 3}));
    }

    void countersSaturate_data()
    {
        QTest::addColumn<int>("start");
        QTest::addColumn<int>("delta");
        QTest::addColumn<int>("expected");
        QTest::newRow("one more") << 0 << 1 << 1;
        QTest::newRow("one less") << 0 << -1 << -1;
        QTest::newRow("up to the top") << 32766 << 1 << 32767;
        QTest::newRow("past the top") << 32767 << 1 << 32767;
        QTest::newRow("down to the bottom") << -32767 << -1 << -32768;
        QTest::newRow("past the bottom") << -32768 << -1 << -32768;
        QTest::newRow("big jump up") << 100 << 100000 << 32767;
        QTest::newRow("big jump down") << -5 << -100000 << -32768;
    }

    void countersSaturate()
    {
        QFETCH(int, start);
        QFETCH(int, delta);
        QFETCH(int, expected);
        std::int16_t counter = static_cast<std::int16_t>(start);
        Modulo1::addToCount(counter, delta);
        QCOMPARE(int(counter), expected);
    }
};

QTEST_GUILESS_MAIN(TstModulo1)
#include "tst_modulo1.moc"
