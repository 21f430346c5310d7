// The shared block state: random blocks and their picture paths, the feedback sounds, the
// 16-bit counters and the block rules several activities share.

#include "language/modLanguageSupport.h"
#include "platform/Application.h"
#include "platform/MessageBox.h"
#include "platform/Random.h"
#include "platform/Sound.h"
#include "shell/BlockRules.h"
#include "shell/Modulo1.h"

#include <QFile>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

class TstModulo1 : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    QStringList m_sounds;
    int m_messages = 0;

    // What the next draw of 0 .. n-1 gives, without using it up.
    static int nextDraw(int seed, int n)
    {
        platform::seedRandom(seed);
        const int i = platform::drawIndex(n);
        platform::seedRandom(seed);
        return i;
    }

private slots:
    void initTestCase()
    {
        QVERIFY(QFile::copy(QStringLiteral(ZORVELLI_SOURCE_DIR "/assets/lang/Italiano.lng"), m_dir.filePath("Italiano.lng")));
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
        modLanguageSupport::CurrentLanguageName = QStringLiteral("Italiano");
        m_sounds.clear();
    }

    // A wrong picture, or a block that never comes up: colour, shape, size, thickness, one draw
    // each, name each of the 48 pictures. Without a language file the words are empty, silently.
    void pickRandomBlock()
    {
        const QStringList shapes{"rotondo", "quadrato", "rettangolo", "triangolo"}, colours{"rosso", "giallo", "blu"},
            sizes{"grande", "piccolo"}, thicknesses{"spesso", "sottile"};
        QSet<QString> seen;
        for (int seed = 0; seed < 400; ++seed) {
            platform::seedRandom(seed);
            const int c = platform::drawIndex(3), s = platform::drawIndex(4), z = platform::drawIndex(2),
                      t = platform::drawIndex(2);
            platform::seedRandom(seed);
            const std::uint64_t before = platform::randomDrawCount();
            Modulo1::PickRandomBlock();
            QCOMPARE(Modulo1::CurrentBlock.PicturePath,
                     m_dir.path() + u"\\jpg\\%1\\%2%3%4.JPG"_s.arg(colours[c], shapes[s], sizes[z], thicknesses[t]));
            QCOMPARE(Modulo1::LastRandomIndex, t + 1);
            QCOMPARE(platform::randomDrawCount(), before + 4);
            seen.insert(Modulo1::CurrentBlock.PicturePath);
        }
        QCOMPARE(seen.size(), 48);
        platform::ApplicationPath = m_dir.filePath("elsewhere");
        Modulo1::PickRandomBlock();
        QVERIFY(Modulo1::CurrentBlock.PicturePath.endsWith(u"\\jpg\\\\"_s + Modulo1::CurrentBlock.Size + u".JPG"_s));
        QCOMPARE(m_messages, 0);
    }

    // Sounds with the switch off, the wrong file, or one jingle that never plays: no sound and
    // no draw when off, no.wav for a wrong answer, one draw among si1..si4 for a right one.
    void sounds()
    {
        Modulo1::PlayRightSound();
        Modulo1::PlayWrongSound();
        QVERIFY(m_sounds.isEmpty());
        Modulo1::SoundEnabled = true;
        Modulo1::PlayWrongSound();
        QCOMPARE(m_sounds, QStringList{m_dir.path() + u"\\suoni\\no.wav"_s});
        for (int seed = 0; seed < 20; ++seed) {
            const QString jingle = m_dir.path() + u"\\suoni\\si%1.wav"_s.arg(nextDraw(seed, 4) + 1);
            const std::uint64_t before = platform::randomDrawCount();
            Modulo1::PlayRightSound();
            QCOMPARE(m_sounds.takeLast(), jingle);
            QCOMPARE(platform::randomDrawCount(), before + 1);
        }
        QCOMPARE(m_messages, 0); // the sound files are missing here, and that is no error
    }

    // Questions about the wrong attribute, flips that do not flip, a table cell swapped.
    void blockRules()
    {
        using namespace BlockRules;
        const BlockAttributes b{"blu", "triangolo", "piccolo", "spesso", {}};
        QCOMPARE(QStringList({attributeWord(b, 0), attributeWord(b, Shape), attributeWord(b, Colour),
                              attributeWord(b, Size), attributeWord(b, Thickness), attributeWord(b, 5)}),
                 QStringList({"", "triangolo", "blu", "piccolo", "spesso", ""}));
        QCOMPARE(describe(b), u"triangolo blu piccolo spesso"_s);
        QCOMPARE(QStringList({flipSize("grande"), flipSize("piccolo"), flipSize({}), flipThickness("spesso"),
                              flipThickness("sottile"), flipThickness("thin", "thick", "thin"),
                              flipThickness("spesso", "thick", "thin")}),
                 QStringList({"piccolo", "grande", "grande", "sottile", "spesso", "thick", "thick"}));
        QCOMPARE(QList<int>({tableCell(true, true), tableCell(true, false), tableCell(false, true),
                             tableCell(false, false)}),
                 QList<int>({0, 1, 2, 3}));
    }

    // A counter that wraps round to a negative number after 32767 right answers.
    void countersSaturate()
    {
        const int rows[][3] = {{0, -1, -1}, {32766, 1, 32767}, {32767, 1, 32767}, {-5, -100000, -32768}};
        for (const auto &[start, delta, expected] : rows) {
            auto counter = std::int16_t(start);
            Modulo1::addToCount(counter, delta);
            QCOMPARE(int(counter), expected);
        }
    }
};

QTEST_GUILESS_MAIN(TstModulo1)
#include "tst_modulo1.moc"
