// The sound files and the speech the player is given: WAV files read as they are (and damaged
// ones refused), speech brought to the sounds' rate, texts made fit to be spoken, and the voice
// chosen from a list.

#include "Speech.h"
#include "platform/SpeechEngine.h"
#include "platform/Wave.h"

#include <QCoreApplication>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

template <typename T> QByteArray le(T v)
{
    QByteArray b(sizeof(T), 0);
    qToLittleEndian<T>(v, b.data());
    return b;
}
QByteArray chunk(const QByteArray &id, const QByteArray &body, qint64 claimed = -1)
{
    const QByteArray pad(body.size() % 2, 0);
    return id + le(quint32(claimed < 0 ? body.size() : claimed)) + body + pad;
}
QByteArray format(quint16 tag, quint16 channels, quint32 rate, quint16 bits)
{
    const auto frame = quint16(channels * bits / 8);
    return chunk("fmt ", le(tag) + le(channels) + le(rate) + le(rate * frame) + le(frame) + le(bits));
}
QByteArray riff(const QByteArray &chunks)
{
    return "RIFF" + le(quint32(chunks.size() + 4)) + "WAVE" + chunks;
}

} // namespace

class TstSound : public QObject
{
    Q_OBJECT

private slots:
    void parseWave_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<int>("bits"); // 0: refused
        QTest::addColumn<int>("channels");
        QTest::addColumn<int>("samplesBytes");
        const QByteArray four("\x01\x02\x03\x04", 4), mono = format(1, 1, 44100, 16);
        const auto refused = [](const char *name, const QByteArray &file) {
            QTest::newRow(name) << file << 0 << 0 << 0;
        };
        QTest::newRow("16-bit mono") << riff(mono + chunk("data", four)) << 16 << 1 << 4;
        QTest::newRow("8-bit stereo") << riff(format(1, 2, 8000, 8) + chunk("data", four)) << 8 << 2 << 4;
        QTest::newRow("other chunks skipped")
            << riff(chunk("LIST", "abc") + mono + chunk("data", four)) << 16 << 1 << 4;
        QTest::newRow("half a sample dropped") << riff(mono + chunk("data", "abc")) << 16 << 1 << 2;
        refused("floating point", riff(format(3, 1, 44100, 32) + chunk("data", four)));
        refused("24-bit", riff(format(1, 1, 44100, 24) + chunk("data", four + "ab")));
        refused("no channel", riff(format(1, 0, 44100, 16) + chunk("data", four)));
        refused("absurd rate", riff(format(1, 1, 999999, 16) + chunk("data", four)));
        refused("data before format", riff(chunk("data", four) + mono));
        refused("data longer than the file", riff(mono + chunk("data", four, 400)));
        refused("empty data", riff(mono + chunk("data", {})));
        refused("not a WAV file", QByteArray("RIFX\0\0\0\0WAVE", 12));
        refused("cut short", riff(mono).left(20));
        refused("nothing", QByteArray());
    }
    void parseWave()
    {
        QFETCH(QByteArray, file);
        QFETCH(int, bits);
        QFETCH(int, channels);
        QFETCH(int, samplesBytes);
        const std::optional<platform::Wave> w = platform::parseWave(file);
        QCOMPARE(w.has_value(), bits != 0);
        if (w) {
            QCOMPARE(w->bits, bits);
            QCOMPARE(w->channels, channels);
            QCOMPARE(w->samples.size(), samplesBytes);
        }
    }

    // Speech at half the sounds' rate, brought to it without a click at the end.
    void speechBroughtToTheSoundsRate()
    {
        QByteArray in;
        for (int v : {0, 100, -100})
            in += le(qint16(v));
        const QByteArray out = platform::doubleRate(in);
        QList<int> samples;
        for (qsizetype i = 0; i < out.size(); i += 2)
            samples << qFromLittleEndian<qint16>(out.constData() + i);
        QCOMPARE(samples, QList<int>({0, 50, 100, 0, -100, -100}));
    }

    void speakable_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("spoken");
        QTest::newRow("plain") << u"Clicca sui blocchi ROSSI"_s << u"Clicca sui blocchi ROSSI"_s;
        QTest::newRow("control characters") << u"uno\r\ndue\x01\ttre\x7f"_s << u"uno due tre"_s;
        QTest::newRow("nothing but blanks") << u" \t\r\n "_s << QString();
        QTest::newRow("empty") << QString() << QString();
    }
    void speakable()
    {
        QFETCH(QString, text);
        QFETCH(QString, spoken);
        QCOMPARE(platform::SpeechEngine::speakable(text), spoken);
    }

    // Ten thousand characters are cut at a word, to what a child would still listen to.
    void longTextCut()
    {
        const QString text = u"blocco rosso "_s.repeated(800);
        const QString spoken = platform::SpeechEngine::speakable(text);
        QVERIFY(spoken.size() <= platform::SpeechEngine::kMaxCharacters && spoken.size() > 100);
        QVERIFY(text.startsWith(spoken + u' '));
    }

    // A voice that is not installed or is garbage gives way to the next one in the list; with none
    // installed nothing is said (how loud and long each language's voice speaks: tst_voice).
    void voices_data()
    {
        QTest::addColumn<QStringList>("voices");
        QTest::addColumn<QString>("chosen");
        QTest::newRow("garbage first") << QStringList{"", "../../etc", "zz-nothing", "fr"} << u"fr"_s;
        QTest::newRow("none installed") << QStringList{"zz", "qq"} << QString();
    }
    void voices()
    {
        QFETCH(QStringList, voices);
        QFETCH(QString, chosen);
        platform::setSpeechVoices(voices);
        const platform::SpokenText spoken = platform::synthesiseNow(u"uno, due, tre, quattro, cinque"_s);
        QCOMPARE(spoken.voice, chosen);
        QCOMPARE(spoken.samples.isEmpty(), chosen.isEmpty());
        // Ten thousand characters are spoken only as far as they were cut.
        if (!chosen.isEmpty())
            QVERIFY(testkit::seconds(platform::synthesiseNow(u"uno due "_s.repeated(1250))) < 60);
    }
};

QTEST_GUILESS_MAIN(TstSound)
#include "tst_sound.moc"
