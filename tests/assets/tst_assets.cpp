// The data the build puts beside the program: every picture and sound the program can ask for
// exists and decodes, the pictures show the attributes, and the language files hold every text
// the program looks up. (That their keys name real controls is checked on the windows.)

#include <QImage>
#include <QImageReader>
#include <QtTest>

#include <cmath>
#include <numbers>
#include <optional>

using namespace Qt::StringLiterals;

namespace {

const QString RunDir = QStringLiteral(ZORVELLI_RUNDIR);
const QString SourceDir = QStringLiteral(ZORVELLI_SOURCE_DIR);

// The words of the picture store, in the order of their attribute indexes.
const QStringList ShapeWords{"rotondo", "quadrato", "rettangolo", "triangolo"};
const QStringList ColourWords{"rosso", "giallo", "blu"};
const QStringList SizeWords{"grande", "piccolo"};
const QStringList ThicknessWords{"spesso", "sottile"};
const QStringList LanguageFiles{"Italiano.lng", "English.lng"};

// Finds a file the way the program must: every path component without regard to letter case.
QString findFile(const QString &relative)
{
    QString path = RunDir;
    for (const QString &part : relative.split(u'/')) {
        const QStringList entries = QDir(path).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
        const auto it = std::find_if(entries.begin(), entries.end(), [&](const QString &e) {
            return e.compare(part, Qt::CaseInsensitive) == 0;
        });
        if (it == entries.end())
            return {};
        path += u'/' + *it;
    }
    return path;
}

QByteArray readAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QString block(const QString &colour, const QString &shape, const QString &size, const QString &thickness)
{
    return u"jpg/%1/%2%3%4.JPG"_s.arg(colour, shape, size, thickness);
}

struct Look
{
    double fraction = 0; // of the picture covered by the block: all that is not background
    QRect box;           // around the block
    double hue = -1;     // circular mean of the clearly coloured, opaque pixels; -1: none
    QImage image;
};

Look look(const QImage &img)
{
    Look l{0, {}, -1, img};
    double sx = 0, sy = 0;
    qint64 covered = 0, coloured = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) {
            const QRgb p = img.pixel(x, y);
            if (std::abs(qRed(p) - 250) > 48 || std::abs(qGreen(p) - 246) > 48 ||
                std::abs(qBlue(p) - 236) > 48) {
                ++covered;
                l.box |= QRect(x, y, 1, 1);
            }
            const QColor c = QColor::fromRgba(p);
            if (c.alpha() >= 200 && c.hsvSaturationF() >= 0.45f && c.valueF() >= 0.35f) {
                sx += std::cos(c.hsvHueF() * 2 * std::numbers::pi);
                sy += std::sin(c.hsvHueF() * 2 * std::numbers::pi);
                ++coloured;
            }
        }
    l.fraction = double(covered) / (qint64(img.width()) * img.height());
    if (coloured)
        l.hue = std::fmod(std::atan2(sy, sx) * 180 / std::numbers::pi + 360, 360);
    return l;
}

// Pictures, decoded and looked at once for the whole run: many checks look at the same ones.
const Look &look(const QString &relative)
{
    static QHash<QString, Look> cache;
    auto it = cache.find(relative);
    if (it == cache.end())
        it = cache.insert(relative, look(QImage(findFile(relative)).convertToFormat(QImage::Format_ARGB32)));
    return *it;
}

double hueDistance(double a, double b)
{
    const double d = std::fmod(std::abs(a - b), 360.0);
    return std::min(d, 360 - d);
}

// Spread of the lightness in a 96 x 96 patch in the middle of the block: near zero on a plain
// face, clearly more on dots or stripes.
double lightnessSpread(const QString &relative)
{
    const QRect patch(look(relative).box.center() - QPoint(48, 48), QSize(96, 96));
    double sum = 0, sum2 = 0;
    for (int y = patch.top(); y <= patch.bottom(); ++y)
        for (int x = patch.left(); x <= patch.right(); ++x) {
            const double l = QColor(look(relative).image.pixel(x, y)).lightnessF();
            sum += l;
            sum2 += l * l;
        }
    const double n = 96 * 96, mean = sum / n;
    return std::sqrt(std::max(0.0, sum2 / n - mean * mean));
}

double meanDifference(const QString &a, const QString &b)
{
    const QImage &x = look(a).image, &y = look(b).image;
    double total = 0;
    for (int j = 0; j < x.height(); ++j)
        for (int i = 0; i < x.width(); ++i) {
            const QRgb p = x.pixel(i, j), q = y.pixel(i, j);
            total +=
                std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q)) + std::abs(qBlue(p) - qBlue(q));
        }
    return total / (3.0 * x.width() * x.height());
}

struct Wave
{
    QString problem;   // empty when the file is a well-formed 16-bit PCM WAV
    QList<int> format; // format tag, channels, sample rate, bits per sample
    QList<qint16> samples;
    int peak = 0;
};

Wave wave(const QString &relative)
{
    const QByteArray bytes = readAll(RunDir + u'/' + relative);
    const auto u32 = [&](qsizetype at) { return qFromLittleEndian<quint32>(bytes.constData() + at); };
    const auto u16 = [&](qsizetype at) { return int(qFromLittleEndian<quint16>(bytes.constData() + at)); };
    if (bytes.size() < 12 || !bytes.startsWith("RIFF") || bytes.mid(8, 4) != "WAVE" ||
        u32(4) != quint32(bytes.size() - 8))
        return {u"no RIFF/WAVE header of the file's size"_s};
    Wave w;
    for (qsizetype at = 12; at + 8 <= bytes.size();) {
        const QByteArray id = bytes.mid(at, 4);
        const qsizetype body = at + 8, size = u32(at + 4);
        if (body + size > bytes.size())
            return {u"chunk %1 runs past the end"_s.arg(QLatin1String(id))};
        if (id == "fmt " && size >= 16) {
            w.format = {u16(body), u16(body + 2), int(u32(body + 4)), u16(body + 14)};
            if (u16(body + 12) != w.format[1] * w.format[3] / 8 ||
                u32(body + 8) != quint32(w.format[2] * u16(body + 12)))
                return {u"inconsistent format chunk"_s};
        } else if (id == "data" && w.format.value(3) == 16) {
            for (qsizetype i = 0; i + 1 < size; i += 2) {
                w.samples.append(qint16(u16(body + i)));
                w.peak = std::max(w.peak, std::abs(int(w.samples.last())));
            }
        }
        at = body + size + (size & 1);
    }
    if (w.format.isEmpty() || w.samples.isEmpty())
        w.problem = u"missing fmt or data chunk"_s;
    return w;
}

// A language file, read the way the profile reader reads it.
struct Section
{
    QString name;
    QList<std::pair<QString, QString>> entries; // key, value in file order
};

struct IniFile
{
    QList<Section> sections;
    QStringList problems;
    QStringList keys; // "section/key", sorted

    const Section *section(const QString &name) const
    {
        for (const Section &s : sections)
            if (s.name.compare(name, Qt::CaseInsensitive) == 0)
                return &s;
        return nullptr;
    }
    std::optional<QString> value(const QString &sectionName, const QString &key) const
    {
        if (const Section *s = section(sectionName))
            for (const auto &[k, v] : s->entries)
                if (k.compare(key, Qt::CaseInsensitive) == 0)
                    return v;
        return std::nullopt;
    }
};

IniFile parseIni(const QString &text)
{
    IniFile ini;
    for (const QString &raw : text.split(QRegularExpression(u"\r\n|\r|\n"_s))) {
        const QString line = raw.trimmed();
        const qsizetype eq = line.indexOf(u'=');
        if (line.isEmpty() || line.startsWith(u';')) {
            continue;
        } else if (line.startsWith(u'[')) {
            const QString name = line.mid(1).section(u']', 0, 0).trimmed();
            if (ini.section(name))
                ini.problems << u"section [%1] appears twice"_s.arg(name);
            ini.sections.append({name, {}});
        } else if (eq < 0 || ini.sections.isEmpty()) {
            ini.problems << u"line without '=' or before the first section: "_s + line;
        } else {
            const QString key = line.left(eq).trimmed();
            QString value = line.mid(eq + 1).trimmed();
            if (value.size() >= 2 && (value[0] == u'"' || value[0] == u'\'') && value.back() == value[0])
                value = value.mid(1, value.size() - 2);
            if (ini.value(ini.sections.last().name, key))
                ini.problems << u"[%1] %2 appears twice"_s.arg(ini.sections.last().name, key);
            ini.sections.last().entries.append({key, value});
            ini.keys << ini.sections.last().name + u'/' + key;
        }
    }
    ini.keys.sort();
    return ini;
}

IniFile language(const QString &fileName)
{
    return parseIni(QString::fromUtf8(readAll(SourceDir + u"/assets/lang/"_s + fileName)));
}

// Every string identifier the program looks up.
const QStringList StringIds{"0001", "0002", "0003", "0004", "0005", "0006", "0007", "0008",
                            "0009", "0010", "0011", "0012", "0017", "0031", "0058", "0059",
                            "0060", "0062", "0063", "0064", "9996", "9997", "9998", "9999"};

} // namespace

class tst_assets : public QObject
{
    Q_OBJECT

private slots:
    void pictures_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<bool>("exactName");
        QTest::addColumn<QSize>("size"); // invalid: at least 256 x 256
        for (const QString &colour : ColourWords)
            for (const QString &shape : ShapeWords)
                for (const QString &size : SizeWords)
                    for (const QString &thickness : ThicknessWords)
                        QTest::newRow(qPrintable(block(colour, shape, size, thickness)))
                            << block(colour, shape, size, thickness) << true << QSize(512, 512);
        // Help pictures of "uguale - diverso", named as the program names them; condition
        // pictures of "quanti sono ?", named by the word in capitals.
        for (const QString &word :
             ShapeWords.mid(1) + SizeWords + ThicknessWords + ColourWords + QStringList{"cerchio"})
            QTest::newRow(qPrintable(word)) << u"jpg/%1.jpg"_s.arg(word) << true << QSize();
        for (const QString &word : ShapeWords + ColourWords + SizeWords + ThicknessWords)
            QTest::newRow(qPrintable(word.toUpper()))
                << u"jpg/%1.jpg"_s.arg(word.toUpper()) << false << QSize();
    }
    void pictures()
    {
        QFETCH(QString, path);
        QFETCH(bool, exactName);
        QFETCH(QSize, size);
        QVERIFY(!exactName || QFileInfo::exists(RunDir + u'/' + path));
        QVERIFY2(!findFile(path).isEmpty(), "does not resolve");
        QImageReader reader(findFile(path));
        QCOMPARE(reader.format(), QByteArray("jpeg"));
        const QImage img = reader.read();
        QVERIFY2(!img.isNull(), qPrintable(reader.errorString()));
        QVERIFY(size.isValid() ? img.size() == size : img.width() >= 256 && img.height() >= 256);
    }

    void blocksShowTheirAttributes_data()
    {
        // Width to height of a big thin block, and how much of its bounding box it fills.
        QTest::addColumn<QString>("shape");
        QTest::addColumn<QList<double>>("range"); // aspect min, max; fill min, max
        QTest::newRow("rotondo") << u"rotondo"_s << QList<double>{0.9, 1.1, 0.72, 0.86};
        QTest::newRow("quadrato") << u"quadrato"_s << QList<double>{0.9, 1.1, 0.9, 1.0};
        QTest::newRow("rettangolo") << u"rettangolo"_s << QList<double>{1.6, 2.4, 0.9, 1.0};
        QTest::newRow("triangolo") << u"triangolo"_s << QList<double>{1.0, 1.3, 0.45, 0.62};
    }
    void blocksShowTheirAttributes()
    {
        QFETCH(QString, shape);
        QFETCH(QList<double>, range);
        const auto centred = [](const QRect &r) {
            return std::abs(r.center().x() - 256) < 20 && std::abs(r.center().y() - 256) < 20;
        };
        for (const QString &colour : ColourWords)
            for (const QString &t : ThicknessWords) {
                // Small blocks are about half as wide as big ones; both stand in the middle.
                const Look &big = look(block(colour, shape, "grande", t));
                const Look &small = look(block(colour, shape, "piccolo", t));
                const double area = small.fraction / big.fraction,
                             width = 1.0 * small.box.width() / big.box.width();
                QVERIFY2(big.fraction > 0.12 && area > 0.15 && area < 0.45 && width > 0.4 && width < 0.65 &&
                             centred(big.box) && centred(small.box),
                         qPrintable(u"%1 %2: area %3, width %4"_s.arg(colour, t).arg(area).arg(width)));
            }
        for (const QString &colour : ColourWords)
            for (const QString &size : SizeWords) {
                // The side reaches down and to the right: a thick block is taller, wider, covers more.
                const QString thickPath = block(colour, shape, size, "spesso");
                const QString thinPath = block(colour, shape, size, "sottile");
                const Look &thick = look(thickPath), &thin = look(thinPath);
                QVERIFY2(thick.box.height() - thin.box.height() >= 24 &&
                             thick.box.width() - thin.box.width() >= 18 &&
                             thick.fraction > thin.fraction * 1.1 &&
                             meanDifference(thickPath, thinPath) > 3.0,
                         qPrintable(colour + u' ' + size));
            }
        for (const QString &size : SizeWords)
            for (const QString &t : ThicknessWords) {
                const double red = look(block("rosso", shape, size, t)).hue;
                const double yellow = look(block("giallo", shape, size, t)).hue;
                const double blue = look(block("blu", shape, size, t)).hue;
                QVERIFY2(hueDistance(red, 0) < 15 && hueDistance(yellow, 48) < 15 &&
                             hueDistance(blue, 214) < 20,
                         qPrintable(u"%1 %2: hues %3 %4 %5"_s.arg(size, t).arg(red).arg(yellow).arg(blue)));
            }
        for (const QString &colour : ColourWords) {
            const Look &l = look(block(colour, shape, "grande", "sottile"));
            const double aspect = 1.0 * l.box.width() / l.box.height();
            const double fill = l.fraction * 512 * 512 / (l.box.width() * l.box.height());
            QVERIFY2(aspect >= range[0] && aspect <= range[1] && fill >= range[2] && fill <= range[3],
                     qPrintable(u"%1: aspect %2 fill %3"_s.arg(colour).arg(aspect).arg(fill)));
        }
    }

    void coloursCarryTheirOwnPattern()
    {
        // Colour is never the only cue: red is plain, yellow dotted, blue striped (faintly), on
        // the face of a block and on the colour swatches.
        for (const bool swatch : {false, true}) {
            QList<double> s;
            for (const QString &colour : ColourWords)
                s << lightnessSpread(swatch ? u"jpg/%1.jpg"_s.arg(colour)
                                            : block(colour, "quadrato", "grande", "sottile"));
            QVERIFY2(s[0] < 0.02 && s[1] > 0.03 && s[1] < 0.15 && s[2] > 0.03 && s[2] < 0.15,
                     qPrintable(u"%1 %2 %3"_s.arg(s[0]).arg(s[1]).arg(s[2])));
        }
    }

    void attributePicturesShowTheirMeaning()
    {
        const auto pic = [](const QString &word) { return u"jpg/%1.jpg"_s.arg(word); };
        // The two pictures of a pair show the same things, marked differently; the round shape
        // has two names; the silhouettes all differ.
        QVERIFY(meanDifference(pic("grande"), pic("piccolo")) > 4.0);
        QVERIFY(meanDifference(pic("spesso"), pic("sottile")) > 4.0);
        QVERIFY(meanDifference(pic("cerchio"), pic("rotondo")) < 1.0);
        const QStringList silhouettes{"cerchio", "quadrato", "rettangolo", "triangolo"};
        for (qsizetype i = 0; i < silhouettes.size(); ++i)
            for (qsizetype j = i + 1; j < silhouettes.size(); ++j)
                QVERIFY(meanDifference(pic(silhouettes[i]), pic(silhouettes[j])) > 4.0);
        // Shape pictures are grey; size and thickness pictures too, but for a green frame.
        for (const QString &word : silhouettes)
            QVERIFY2(look(pic(word)).hue < 0, qPrintable(word));
        for (const QString &word : SizeWords + ThicknessWords)
            QVERIFY2(hueDistance(look(pic(word)).hue, 135) < 30, qPrintable(word));
        // Swatches have the hue of their blocks.
        for (const QString &colour : ColourWords) {
            const double swatch = look(pic(colour)).hue,
                         of = look(block(colour, "quadrato", "grande", "spesso")).hue;
            QVERIFY2(swatch >= 0 && hueDistance(swatch, of) < 8, qPrintable(colour));
        }
    }

    void icons_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QSize>("size");
        QTest::addColumn<double>("hue"); // of the coloured part; -1 for none in particular
        QTest::newRow("smiling face") << "img/faccia_si.png" << QSize(64, 64) << 48.0;
        QTest::newRow("sad face") << "img/faccia_no.png" << QSize(64, 64) << 2.0;
        QTest::newRow("arrow") << "img/freccia.png" << QSize(96, 64) << 125.0;
        QTest::newRow("help") << "img/aiuto.png" << QSize(64, 64) << -1.0;
        QTest::newRow("pointer") << "img/manina.png" << QSize(32, 32) << -1.0;
    }
    void icons()
    {
        QFETCH(QString, path);
        QFETCH(QSize, size);
        QFETCH(double, hue);
        QImageReader reader(RunDir + u'/' + path);
        QCOMPARE(reader.format(), QByteArray("png"));
        const QImage img = reader.read().convertToFormat(QImage::Format_ARGB32);
        QCOMPARE(img.size(), size);
        for (const QPoint corner : {QPoint(0, 0), QPoint(size.width() - 1, 0), QPoint(0, size.height() - 1),
                                    QPoint(size.width() - 1, size.height() - 1)})
            QCOMPARE(qAlpha(img.pixel(corner)), 0);
        QVERIFY2(hue < 0 || hueDistance(look(img).hue, hue) < 20, qPrintable(QString::number(look(img).hue)));
        if (path.endsWith("manina.png"_L1)) {
            // The windows set the pointer's hotspot at (10, 1): the tip of the finger is there.
            QPoint tip(-1, -1);
            for (int y = 0; y < img.height() && tip.y() < 0; ++y)
                for (int x = 0; x < img.width() && tip.y() < 0; ++x)
                    if (qAlpha(img.pixel(x, y)) > 128)
                        tip = QPoint(x, y);
            QVERIFY2(tip.y() >= 0 && tip.y() <= 2 && tip.x() >= 8 && tip.x() <= 13, "tip not at the hotspot");
            QVERIFY(qAlpha(img.pixel(10, 2)) > 128);
        }
    }

    void applicationIcon_data()
    {
        QTest::addColumn<int>("side");
        for (int side : {48, 64, 128, 256})
            QTest::addRow("%d px", side) << side;
    }
    void applicationIcon()
    {
        // In the hicolor theme's layout, where the desktop entry's Icon= name finds it.
        QFETCH(int, side);
        QImageReader reader(QStringLiteral(ZORVELLI_ICON_THEME) + u"/%1x%1/apps/"_s.arg(side) +
                            QStringLiteral(ZORVELLI_APP_ID) + u".png"_s);
        QCOMPARE(reader.format(), QByteArray("png"));
        const QImage img = reader.read().convertToFormat(QImage::Format_ARGB32);
        QCOMPARE(img.size(), QSize(side, side));
        QCOMPARE(qAlpha(img.pixel(0, 0)) + qAlpha(img.pixel(side - 1, side - 1)), 0);
        // Blocks of the set's three colours, each clearly there at every size.
        int red = 0, yellow = 0, blue = 0;
        for (int y = 0; y < side; ++y)
            for (int x = 0; x < side; ++x) {
                const QColor c = QColor::fromRgba(img.pixel(x, y));
                if (c.alpha() < 250 || c.hsvSaturationF() < 0.5f)
                    continue;
                const double hue = c.hsvHueF() * 360;
                red += hueDistance(hue, 2) < 12;
                yellow += hueDistance(hue, 46) < 12;
                blue += hueDistance(hue, 214) < 16;
            }
        const int enough = side * side / 30;
        QVERIFY2(red > enough && yellow > enough && blue > enough,
                 qPrintable(u"red %1, yellow %2, blue %3 pixels"_s.arg(red).arg(yellow).arg(blue)));
    }

    void sounds_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<double>("shortest");
        QTest::addColumn<double>("longest");
        for (int k = 1; k <= 4; ++k)
            QTest::addRow("si%d", k) << u"suoni/si%1.wav"_s.arg(k) << 0.3 << 0.8;
        QTest::newRow("no") << "suoni/no.wav" << 0.4 << 0.7;
    }
    void sounds()
    {
        QFETCH(QString, path);
        QFETCH(double, shortest);
        QFETCH(double, longest);
        const Wave w = wave(path);
        QVERIFY2(w.problem.isEmpty(), qPrintable(w.problem));
        QCOMPARE(w.format, QList<int>({1, 1, 44100, 16})); // PCM, mono
        const double seconds = w.samples.size() / 44100.0;
        QVERIFY2(seconds >= shortest && seconds <= longest, qPrintable(QString::number(seconds)));
        // Starts and ends in silence (no click), is clearly audible and never clips.
        QVERIFY(std::abs(w.samples.first()) < 64 && std::abs(w.samples.last()) < 64);
        QVERIFY2(w.peak > 6000 && w.peak < 24000, qPrintable(QString::number(w.peak)));
    }

    void jinglesDifferAndTheWrongSoundIsGentler()
    {
        const int no = wave("suoni/no.wav").peak;
        for (int i = 1; i <= 4; ++i) {
            QVERIFY(no < wave(u"suoni/si%1.wav"_s.arg(i)).peak);
            for (int j = i + 1; j <= 4; ++j)
                QVERIFY2(wave(u"suoni/si%1.wav"_s.arg(i)).samples != wave(u"suoni/si%1.wav"_s.arg(j)).samples,
                         qPrintable(u"si%1 = si%2"_s.arg(i).arg(j)));
        }
    }

    void languageFiles_data()
    {
        QTest::addColumn<QString>("file");
        for (const QString &f : LanguageFiles)
            QTest::newRow(qPrintable(f)) << f;
    }
    void languageFiles()
    {
        QFETCH(QString, file);
        const QByteArray bytes = readAll(SourceDir + u"/assets/lang/"_s + file);
        QVERIFY(!bytes.isEmpty() && bytes.size() <= 64000); // for the profile reader, not the line scan
        QVERIFY(!bytes.startsWith("\xEF\xBB\xBF"));
        QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
        const QString text = utf8(bytes);
        QVERIFY2(!utf8.hasError(), "not valid UTF-8");
        QVERIFY(bytes.endsWith("\r\n") && bytes.count("\n") == bytes.count("\r\n") &&
                bytes.count("\r") == bytes.count("\r\n"));
        // The copy in the runnable folder is the same file; its name is the language's name.
        QCOMPARE(readAll(RunDir + u'/' + file), bytes);

        const IniFile ini = parseIni(text);
        QVERIFY2(ini.problems.isEmpty(), qPrintable(ini.problems.join(u"; "_s)));
        const auto string = [&ini](const QString &id) {
            return ini.value("Strings", id).value_or(QString());
        };
        for (const QString &id : StringIds)
            QVERIFY2(!string(id).trimmed().isEmpty(), qPrintable(id));
        // The attribute words name picture files, so they are the same in every language.
        const QStringList words = ShapeWords + ColourWords + ThicknessWords;
        for (int i = 0; i < words.size(); ++i)
            QCOMPARE(string(u"%1"_s.arg(i + 2, 4, 10, QChar(u'0'))), words[i]);
        // The negation goes straight before the value, its blank with it; the counter texts are
        // followed by a blank and the number, and carry none themselves.
        QVERIFY(string("0031").endsWith(u' ') && !string("0031").trimmed().isEmpty());
        QVERIFY(string("0011") == string("0011").trimmed() && string("0012") == string("0012").trimmed());
        // DIVERSA for the shape and the size, DIVERSO for the thickness and the colour.
        if (file == "Italiano.lng"_L1)
            QCOMPARE(QStringList({string("0059"), string("0063"), string("0031")}),
                     QStringList({"DIVERSA", "DIVERSO", "NON "}));
        // A key that only one language gives would survive the switch to another one.
        const QStringList italian = language("Italiano.lng").keys;
        for (const QString &key : ini.keys + italian)
            QVERIFY2(ini.keys.contains(key) && italian.contains(key), qPrintable(key + u" is not in both"_s));
    }

    void settingsFile()
    {
        for (const QString &path : {SourceDir + "/assets/LangSetting.ini", RunDir + "/LangSetting.ini"}) {
            const QByteArray bytes = readAll(path);
            const auto current = parseIni(QString::fromUtf8(bytes)).value("Language", "CurrentLanguage");
            // Whatever the child picked last, it names a language file that exists.
            QVERIFY2(current && QFileInfo::exists(RunDir + u'/' + *current + u".lng"_s), qPrintable(path));
            QVERIFY(path.startsWith(RunDir) || (*current == "Italiano"_L1 && bytes.endsWith("\r\n") &&
                                                bytes.count("\n") == bytes.count("\r\n")));
        }
    }

    void generatorIsReproducible()
    {
        QTemporaryDir dir;
        QProcess gen;
        gen.start(QStringLiteral(ZORVELLI_ASSETGEN), {dir.filePath("run"), dir.filePath("sheet.png")});
        QVERIFY(gen.waitForFinished(60000));
        QVERIFY(gen.exitStatus() == QProcess::NormalExit && gen.exitCode() == 0);
        int files = 0;
        for (QDirIterator it(dir.filePath("run"), QDir::Files, QDirIterator::Subdirectories); it.hasNext();
             ++files) {
            const QString fresh = it.next(), relative = QDir(dir.filePath("run")).relativeFilePath(fresh);
            QVERIFY2(readAll(fresh) == readAll(RunDir + u'/' + relative), qPrintable(relative));
        }
        QCOMPARE(files, 48 + 12 + 5 + 5); // blocks, attribute pictures, icons, sounds
        QVERIFY(!QImage(dir.filePath("sheet.png")).isNull());
    }
};

QTEST_MAIN(tst_assets)
#include "tst_assets.moc"
