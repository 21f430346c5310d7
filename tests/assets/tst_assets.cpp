// The data the build puts beside the program: every picture and sound the program can ask for
// exists and decodes, the blocks show their attributes, and the language files hold every text
// the program looks up. (That their keys name real controls is checked on the windows.)

#include "platform/Wave.h"

#include <QImage>
#include <QImageReader>
#include <QtTest>

#include <cmath>
#include <numbers>
#include <ranges>

using namespace Qt::StringLiterals;

namespace {

const QString RunDir = QStringLiteral(ZORVELLI_RUNDIR);
const QString SourceDir = QStringLiteral(ZORVELLI_SOURCE_DIR);

// The words of the picture store, in the order of their attribute indexes.
const QStringList Shapes{"rotondo", "quadrato", "rettangolo", "triangolo"};
const QStringList Colours{"rosso", "giallo", "blu"};
const QStringList Sizes{"grande", "piccolo"};
const QStringList Thicknesses{"spesso", "sottile"};

QByteArray readAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QString block(const QString &colour, const QString &shape, const QString &size, const QString &thickness)
{
    return u"jpg/%1/%2%3%4.JPG"_s.arg(colour, shape, size, thickness);
}

double hueDistance(double a, double b)
{
    const double d = std::fmod(std::abs(a - b), 360.0);
    return std::min(d, 360 - d);
}

// The share of a picture covered by the block (all that is not the background) and the
// circular mean hue of its clearly coloured pixels.
std::pair<double, double> coverAndHue(const QString &relative)
{
    const QImage img = QImage(RunDir + u'/' + relative).convertToFormat(QImage::Format_ARGB32);
    double sx = 0, sy = 0;
    qint64 covered = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) {
            const QRgb p = img.pixel(x, y);
            covered += std::abs(qRed(p) - 250) > 48 || std::abs(qGreen(p) - 246) > 48 ||
                       std::abs(qBlue(p) - 236) > 48;
            const QColor c = QColor::fromRgba(p);
            if (c.alpha() >= 200 && c.hsvSaturationF() >= 0.45f && c.valueF() >= 0.35f) {
                sx += std::cos(c.hsvHueF() * 2 * std::numbers::pi);
                sy += std::sin(c.hsvHueF() * 2 * std::numbers::pi);
            }
        }
    return {double(covered) / (qint64(img.width()) * img.height()),
            std::fmod(std::atan2(sy, sx) * 180 / std::numbers::pi + 360, 360)};
}

// A language or settings file as the profile reader sees it: "section/key" (lower case) to
// value, each section by its name; and the lines it would stumble over (repeats, stray lines).
QMap<QString, QString> parseIni(const QString &text, QStringList *problems = nullptr)
{
    QMap<QString, QString> values;
    QString section;
    for (const QString &raw : text.split(QRegularExpression(u"\r\n|\r|\n"_s))) {
        const QString line = raw.trimmed();
        if (line.isEmpty() || line.startsWith(u';'))
            continue;
        const bool header = line.startsWith(u'[');
        const QString key = header ? line.mid(1).section(u']', 0, 0).trimmed().toLower()
                                   : section + u'/' + line.section(u'=', 0, 0).trimmed().toLower();
        QString value = line.section(u'=', 1).trimmed();
        if (value.size() >= 2 && (value[0] == u'"' || value[0] == u'\'') && value.back() == value[0])
            value = value.mid(1, value.size() - 2);
        if (problems && (values.contains(key) || (!header && (!line.contains(u'=') || section.isEmpty()))))
            *problems << line;
        values.insert(key, header ? QString() : value);
        if (header)
            section = key;
    }
    return values;
}

} // namespace

class tst_assets : public QObject
{
    Q_OBJECT

private slots:
    // A picture that does not show, shows blurred or blank, or is the same as another: every
    // block (512 x 512 JPEG, and 1024 x 1024 below jpg/large/ for a screen of 3840 x 2160 that
    // shows it up to 1056 pixels wide) under the exact name the program builds; the help
    // pictures of "uguale - diverso" likewise; the menu's picture of each activity. (The condition
    // pictures of "quanti sono ?", asked for in capitals, show in tst_comparison's pagl3_turns.)
    void pictures_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QSize>("size"); // invalid: at least 256 x 256 (1024 x 1024 below jpg/large/)
        for (const QString &colour : Colours)
            for (const QString &shape : Shapes)
                for (const QString &size : Sizes)
                    for (const QString &thickness : Thicknesses) {
                        const QString path = block(colour, shape, size, thickness);
                        QTest::newRow(qPrintable(path)) << path << QSize(512, 512);
                        const QString large = u"jpg/large/"_s + path.mid(4);
                        QTest::newRow(qPrintable(large)) << large << QSize(1024, 1024);
                    }
        for (const QString &word : Shapes.mid(1) + Sizes + Thicknesses + Colours + QStringList{"cerchio"}) {
            QTest::newRow(qPrintable(word)) << u"jpg/%1.jpg"_s.arg(word) << QSize();
            QTest::newRow(qPrintable(u"large "_s + word)) << u"jpg/large/%1.jpg"_s.arg(word) << QSize();
        }
        for (const char *window :
             {"form1", "FORM2", "pagl3", "pagl7", "pagl9", "pagl8", "FormTrova", "FormDomino", "FormDomino2"})
            QTest::newRow(window) << u"img/menu/%1.jpg"_s.arg(QLatin1String(window)) << QSize(600, 400);
    }
    void pictures()
    {
        QFETCH(QString, path);
        QFETCH(QSize, size);
        static QHash<QByteArray, QString> seen;
        const QByteArray bytes = readAll(RunDir + u'/' + path);
        QVERIFY2(!bytes.isEmpty() && !seen.contains(bytes), qPrintable(seen.value(bytes)));
        seen.insert(bytes, path);
        QImageReader reader(RunDir + u'/' + path);
        QCOMPARE(reader.format(), QByteArray("jpeg"));
        const QImage img = reader.read();
        const int least = path.startsWith(u"jpg/large/"_s) ? 1024 : 256;
        QVERIFY(size.isValid() ? img.size() == size : img.width() >= least && img.height() >= least);
        QSet<QRgb> colours; // not only the background; in the menu's, blocks of every colour
        for (int y = 0; y < img.height(); y += 4)
            for (int x = 0; x < img.width(); x += 4)
                colours.insert(img.pixel(x, y) & 0xF0F0F0);
        QVERIFY2(colours.size() > (size.width() == 600 ? 40 : 12),
                 qPrintable(QString::number(colours.size())));
    }

    // A block that does not look like its words: red, yellow and blue hues; small ones covering
    // well under half of what big ones do; thick ones more than thin ones (the side shows).
    void blocks()
    {
        const double hues[] = {0, 48, 214};
        for (int c = 0; c < 3; ++c)
            for (const QString &shape : Shapes)
                for (const QString &t : Thicknesses) {
                    const QString at = u"%1 %2 %3"_s.arg(Colours[c], shape, t);
                    const auto [big, bigHue] = coverAndHue(block(Colours[c], shape, "grande", t));
                    const auto [small, smallHue] = coverAndHue(block(Colours[c], shape, "piccolo", t));
                    QVERIFY2(big > 0.12 && small / big > 0.15 && small / big < 0.45, qPrintable(at));
                    for (const double hue : {bigHue, smallHue})
                        QVERIFY2(hueDistance(hue, hues[c]) < (c == 2 ? 20 : 15), qPrintable(at));
                    if (t == Thicknesses[1])
                        QVERIFY2(coverAndHue(block(Colours[c], shape, "grande", Thicknesses[0])).first >
                                     big * 1.1,
                                 qPrintable(at));
                }
    }

    // Faces, arrow, buttons or the program's icon (in the hicolor theme, where the desktop
    // entry's Icon= name finds it, at every size) blank, in a box or of the wrong size (faces and
    // buttons' pictures large enough for a screen of 3840 x 2160); a
    // pointer whose click lands away from the finger tip (the windows set the hotspot at 10, 1).
    void icons_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QSize>("size");
        for (const char *name : {"faccia_si", "faccia_no", "aiuto", "ricomincia"})
            QTest::newRow(name) << RunDir + u"/img/%1.png"_s.arg(QLatin1String(name)) << QSize(256, 256);
        QTest::newRow("arrow") << RunDir + "/img/freccia.png" << QSize(384, 256);
        QTest::newRow("pointer") << RunDir + "/img/manina.png" << QSize(32, 32);
        QTest::newRow("speaker") << RunDir + "/img/altoparlante.png" << QSize(128, 128);
        for (int side : {48, 64, 128, 256})
            QTest::addRow("program %d px", side)
                << QStringLiteral(ZORVELLI_ICON_THEME "/%1x%1/apps/" ZORVELLI_APP_ID ".png").arg(side)
                << QSize(side, side);
    }
    void icons()
    {
        QFETCH(QString, path);
        QFETCH(QSize, size);
        QImageReader reader(path);
        QCOMPARE(reader.format(), QByteArray("png"));
        const QImage img = reader.read().convertToFormat(QImage::Format_ARGB32);
        QCOMPARE(img.size(), size);
        const int w = size.width() - 1, h = size.height() - 1;
        QCOMPARE(qAlpha(img.pixel(0, 0)) + qAlpha(img.pixel(w, 0)) + qAlpha(img.pixel(0, h)) +
                     qAlpha(img.pixel(w, h)),
                 0);
        int solid = 0;
        for (int y = 0; y <= h; ++y)
            for (int x = 0; x <= w; ++x)
                solid += qAlpha(img.pixel(x, y)) >= 250;
        QVERIFY2(solid > img.width() * img.height() / 8, qPrintable(QString::number(solid)));
        if (path.endsWith("manina.png"_L1)) { // the first opaque pixel, row by row, is the tip
            int first = 0;
            while (first < 32 * 32 && qAlpha(img.pixel(first % 32, first / 32)) <= 128)
                ++first;
            QVERIFY2(first / 32 <= 2 && first % 32 >= 8 && first % 32 <= 13 && qAlpha(img.pixel(10, 2)) > 128,
                     "tip not at the hotspot");
        }
    }

    // Sounds that do not play, click, clip, or are too quiet, too long, or all the same: four
    // different jingles, a cheer of about a second for a finished game and a gentler sound for a
    // wrong answer, short WAVs the player reads.
    void sounds()
    {
        QList<QList<qint16>> heard;
        int quietest = 1 << 15;
        for (const char *name : {"si1", "si2", "si3", "si4", "festa", "no"}) {
            const bool cheer = *name == 'f';
            // Read as the player reads it: mono, 16-bit PCM at 44100 Hz.
            const auto wave =
                platform::parseWave(readAll(RunDir + u"/suoni/%1.wav"_s.arg(QLatin1String(name))));
            QVERIFY2(wave && wave->bits == 16 && wave->channels == 1 && wave->rate == 44100, name);
            QList<qint16> w(wave->samples.size() / 2);
            qFromLittleEndian<qint16>(wave->samples.constData(), w.size(), w.data());
            const int peak =
                std::ranges::max(w | std::views::transform([](qint16 v) { return std::abs(int(v)); }));
            QVERIFY2(cheer ? w.size() >= 0.8 * 44100 && w.size() <= 1.5 * 44100
                           : w.size() >= 0.3 * 44100 && w.size() <= 0.8 * 44100,
                     name);
            QVERIFY(std::abs(w.first()) < 64 && std::abs(w.last()) < 64);
            QVERIFY2(peak > 6000 && peak < 24000 && (*name != 'n' || peak < quietest),
                     qPrintable(QString::number(peak)));
            QVERIFY2(!heard.contains(w), name);
            heard << w;
            quietest = std::min(quietest, peak);
        }
    }

    // Missing or garbled texts, or a language the reader cannot read: every identifier the
    // program looks up is there, in UTF-8 with CRLF, every key of the Italian file in every
    // language, the picture names 0002-0010 left as they are, the blanks where the program
    // needs them. Every other language gives a key for each of the eleven values and leaves no
    // text in Italian, but for the few words that are the same in both (the values' words are
    // tst_words'); the letters of the domino answers start the words beside them.
    void languageFiles_data()
    {
        QTest::addColumn<QString>("file");
        for (const char *name : {"Italiano", "English", "Français", "Español", "Deutsch"})
            QTest::newRow(name) << QString::fromUtf8(name) + u".lng"_s;
    }
    void languageFiles()
    {
        QFETCH(QString, file);
        const QByteArray bytes = readAll(SourceDir + u"/assets/lang/"_s + file);
        QVERIFY(!bytes.isEmpty() && bytes.size() <= 64000 && !bytes.startsWith("\xEF\xBB\xBF"));
        QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
        const QString text = utf8(bytes);
        QVERIFY2(!utf8.hasError(), "not valid UTF-8");
        QVERIFY(bytes.endsWith("\r\n") && bytes.count("\n") == bytes.count("\r\n") &&
                bytes.count("\r") == bytes.count("\r\n"));
        QCOMPARE(readAll(RunDir + u'/' + file), bytes); // the runnable folder's copy
        QStringList problems;
        const QMap<QString, QString> ini = parseIni(text, &problems);
        QVERIFY2(problems.isEmpty(), qPrintable(problems.join(u"; "_s)));
        const auto string = [&ini](const QString &id) { return ini.value(u"strings/"_s + id); };
        for (const char *id :
             {"0001", "0002", "0003", "0004", "0005", "0006", "0007", "0008", "0009", "0010", "0011", "0012",
              "0017", "0031", "0058", "0059", "0060", "0062", "0063", "0064", "9996", "9997", "9998", "9999"})
            QVERIFY2(!string(QLatin1String(id)).trimmed().isEmpty(), id);
        const QStringList names = Shapes + Colours + Thicknesses;
        for (int i = 0; i < names.size(); ++i)
            QCOMPARE(string(u"%1"_s.arg(i + 2, 4, 10, QChar(u'0'))), names[i]);
        // The negation goes straight before the value, its blank with it; the counter texts are
        // followed by a blank and the number, and carry none themselves.
        QVERIFY(string("0031").endsWith(u' ') && string("0011") == string("0011").trimmed() &&
                string("0012") == string("0012").trimmed());
        const bool italian = file == u"Italiano.lng"_s;
        const QMap<QString, QString> italiano =
            parseIni(QString::fromUtf8(readAll(SourceDir + u"/assets/lang/Italiano.lng"_s)));
        QStringList keys = italiano.keys();
        const QStringList values = Shapes + Colours + Sizes + Thicknesses;
        if (!italian) {
            keys << u"words"_s;
            for (const QString &name : values)
                keys << u"words/"_s + name;
            keys.sort();
        }
        QCOMPARE(ini.keys(), keys);

        // Words that are the same in Italian and in one of the other languages.
        static const QStringList sameInBoth{"Zorvelli", "no", "forma", "grande", "F", "C", "N", "0", "1",
                                            "2",        "3",  "4",     "5",      "6", "7", "8", "9"};
        QStringList leftInItalian;
        for (auto it = italiano.cbegin(); !italian && it != italiano.cend(); ++it) {
            const bool pictureName = it.key() >= u"strings/0002"_s && it.key() <= u"strings/0010"_s;
            if (!pictureName && !it.value().isEmpty() && ini.value(it.key()) == it.value() &&
                !sameInBoth.contains(it.value()))
                leftInItalian << it.key() + u'=' + it.value();
        }
        QVERIFY2(leftInItalian.isEmpty(), qPrintable(leftInItalian.join(u", "_s)));

        const auto bare = [](const QString &s) {
            QString b = s.normalized(QString::NormalizationForm_D).toUpper();
            b.removeIf([](QChar c) { return c.category() == QChar::Mark_NonSpacing; });
            return b;
        };
        for (const QString &window : {u"formdomino"_s, u"formdomino2"_s}) // apart: tst_words' dominoLetters
            for (int i = 0; i < 5; ++i) {
                const QString letter = ini.value(window + u"/command1(%1).caption"_s.arg(i));
                const QString word = ini.value(window + u"/label%1.caption"_s.arg(i + 3));
                QVERIFY2(letter.size() == 1 && bare(word).startsWith(bare(letter)),
                         qPrintable(letter + u' ' + word));
            }

        // A program that starts in no language: the shipped settings name Italiano, in CRLF; the
        // runnable folder's, whatever the child picked last, a language file that exists.
        for (const QString &path : {SourceDir + "/assets/LangSetting.ini", RunDir + "/LangSetting.ini"}) {
            const QByteArray settings = readAll(path);
            const QString current =
                parseIni(QString::fromUtf8(settings)).value(u"language/currentlanguage"_s);
            QVERIFY2(!current.isEmpty() && QFileInfo::exists(RunDir + u'/' + current + u".lng"_s),
                     qPrintable(path));
            QVERIFY(path.startsWith(RunDir) || (current == "Italiano"_L1 && settings.endsWith("\r\n") &&
                                                settings.count("\n") == settings.count("\r\n")));
        }
    }

    // A package that differs from build to build: the generator writes the same bytes again.
    void generatorIsReproducible()
    {
        QTemporaryDir dir;
        QProcess gen;
        gen.start(QStringLiteral(ZORVELLI_ASSETGEN), {dir.filePath("run"), dir.filePath("sheet.png")});
        QVERIFY(gen.waitForFinished(60000) && gen.exitStatus() == QProcess::NormalExit &&
                gen.exitCode() == 0);
        int files = 0;
        for (QDirIterator it(dir.filePath("run"), QDir::Files, QDirIterator::Subdirectories); it.hasNext();
             ++files) {
            const QString relative = QDir(dir.filePath("run")).relativeFilePath(it.next());
            QVERIFY2(readAll(dir.filePath("run/") + relative) == readAll(RunDir + u'/' + relative),
                     qPrintable(relative));
        }
        // Blocks and attribute pictures in two sizes, icons, the menu's pictures, sounds.
        QCOMPARE(files, 2 * (48 + 12) + 7 + 9 + 6);
        QVERIFY(!QImage(dir.filePath("sheet.png")).isNull());
    }
};

QTEST_MAIN(tst_assets)
#include "tst_assets.moc"
