// Checks the data that the build puts beside the program: every picture and sound that the
// program can ask for exists and decodes, the pictures really show the attributes, and the
// language files hold every text the program looks up, under the names of real controls.

#include <QtTest>

#include <QDirIterator>
#include <QImage>
#include <QImageReader>
#include <QProcess>
#include <QRegularExpression>
#include <QStringDecoder>
#include <QTemporaryDir>

#include <cmath>
#include <numbers>
#include <optional>

namespace {

const QString RunDir = QStringLiteral(ZORVELLI_RUNDIR);
const QString SourceDir = QStringLiteral(ZORVELLI_SOURCE_DIR);

// The words of the picture store, in the order of their attribute indexes.
const QStringList ShapeWords{"rotondo", "quadrato", "rettangolo", "triangolo"};
const QStringList ColourWords{"rosso", "giallo", "blu"};
const QStringList SizeWords{"grande", "piccolo"};
const QStringList ThicknessWords{"spesso", "sottile"};

const QStringList LanguageFiles{"Italiano.lng", "English.lng"};

// ---------------------------------------------------------------------------------------
// Files

// Finds a file below a folder the way the program must: every component of the path
// without regard to letter case ("jpg/GRANDE.jpg" finds "jpg/grande.jpg").
QString findFile(const QString &root, const QString &relative)
{
    QString path = root;
    const QStringList parts =
        relative.split(QRegularExpression(QStringLiteral("[/\\\\]")), Qt::SkipEmptyParts);
    for (const QString &part : parts) {
        const QDir dir(path);
        if (dir.exists(part)) {
            path = dir.filePath(part);
            continue;
        }
        const QStringList entries = dir.entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
        const auto it = std::find_if(entries.begin(), entries.end(), [&](const QString &e) {
            return e.compare(part, Qt::CaseInsensitive) == 0;
        });
        if (it == entries.end())
            return {};
        path = dir.filePath(*it);
    }
    return path;
}

QByteArray readAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QString blockPath(const QString &colour, const QString &shape, const QString &size, const QString &thickness)
{
    return QStringLiteral("jpg/%1/%2%3%4.JPG").arg(colour, shape, size, thickness);
}

// Decoded pictures, kept for the whole run: many checks look at the same ones.
const QImage &picture(const QString &relative)
{
    static QHash<QString, QImage> cache;
    auto it = cache.find(relative);
    if (it == cache.end())
        it = cache.insert(relative, QImage(findFile(RunDir, relative)));
    return *it;
}

// ---------------------------------------------------------------------------------------
// Looking at pictures

const QColor Background(250, 246, 236);

bool isBackground(QRgb p)
{
    return std::abs(qRed(p) - Background.red()) <= 48 && std::abs(qGreen(p) - Background.green()) <= 48 &&
           std::abs(qBlue(p) - Background.blue()) <= 48;
}

struct Footprint
{
    double fraction = 0; // of the picture covered by the block
    QRect box;           // around the block
};

Footprint footprint(const QImage &img)
{
    Footprint f;
    qint64 covered = 0;
    int left = img.width(), right = -1, top = img.height(), bottom = -1;
    for (int y = 0; y < img.height(); ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(img.constScanLine(y));
        for (int x = 0; x < img.width(); ++x) {
            if (isBackground(line[x]))
                continue;
            ++covered;
            left = std::min(left, x);
            right = std::max(right, x);
            top = std::min(top, y);
            bottom = std::max(bottom, y);
        }
    }
    f.fraction = double(covered) / (qint64(img.width()) * img.height());
    if (right >= 0)
        f.box = QRect(QPoint(left, top), QPoint(right, bottom));
    return f;
}

// Circular mean of the hue (degrees) of the clearly coloured, opaque pixels; -1 if none.
double meanHue(const QImage &source)
{
    const QImage img = source.convertToFormat(QImage::Format_ARGB32);
    double sx = 0, sy = 0;
    qint64 n = 0;
    for (int y = 0; y < img.height(); ++y) {
        for (int x = 0; x < img.width(); ++x) {
            const QColor c = QColor::fromRgba(img.pixel(x, y));
            if (c.alpha() < 200 || c.hsvSaturationF() < 0.45f || c.valueF() < 0.35f)
                continue;
            const double a = c.hsvHueF() * 2.0 * std::numbers::pi;
            sx += std::cos(a);
            sy += std::sin(a);
            ++n;
        }
    }
    if (n == 0)
        return -1;
    double deg = std::atan2(sy, sx) * 180.0 / std::numbers::pi;
    return deg < 0 ? deg + 360.0 : deg;
}

double hueDistance(double a, double b)
{
    const double d = std::fmod(std::abs(a - b), 360.0);
    return std::min(d, 360.0 - d);
}

// Spread of the lightness in a square patch: near zero on a plain face, clearly more
// where the face carries dots or stripes.
double lightnessSpread(const QImage &img, const QRect &patch)
{
    double sum = 0, sum2 = 0;
    int n = 0;
    for (int y = patch.top(); y <= patch.bottom(); ++y) {
        for (int x = patch.left(); x <= patch.right(); ++x) {
            const double l = QColor(img.pixel(x, y)).lightnessF();
            sum += l;
            sum2 += l * l;
            ++n;
        }
    }
    const double mean = sum / n;
    return std::sqrt(std::max(0.0, sum2 / n - mean * mean));
}

double meanDifference(const QImage &a, const QImage &b)
{
    double total = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            total +=
                std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q)) + std::abs(qBlue(p) - qBlue(q));
        }
    return total / (3.0 * a.width() * a.height());
}

// ---------------------------------------------------------------------------------------
// Sounds

struct Wave
{
    QString problem; // empty when the file is a well-formed PCM WAV
    int format = 0, channels = 0, sampleRate = 0, bitsPerSample = 0;
    QList<qint16> samples;
    double seconds() const { return sampleRate ? double(samples.size()) / channels / sampleRate : 0; }
};

Wave parseWave(const QByteArray &bytes)
{
    Wave w;
    const auto u32 = [&](qsizetype at) { return qFromLittleEndian<quint32>(bytes.constData() + at); };
    const auto u16 = [&](qsizetype at) { return qFromLittleEndian<quint16>(bytes.constData() + at); };
    if (bytes.size() < 12 || !bytes.startsWith("RIFF") || bytes.mid(8, 4) != "WAVE") {
        w.problem = QStringLiteral("no RIFF/WAVE header");
        return w;
    }
    if (u32(4) != quint32(bytes.size() - 8)) {
        w.problem = QStringLiteral("RIFF size does not match the file");
        return w;
    }
    bool haveFormat = false, haveData = false;
    for (qsizetype at = 12; at + 8 <= bytes.size();) {
        const QByteArray id = bytes.mid(at, 4);
        const quint32 size = u32(at + 4);
        const qsizetype body = at + 8;
        if (body + size > bytes.size()) {
            w.problem = QStringLiteral("chunk %1 runs past the end").arg(QString::fromLatin1(id));
            return w;
        }
        if (id == "fmt " && size >= 16) {
            w.format = u16(body);
            w.channels = u16(body + 2);
            w.sampleRate = int(u32(body + 4));
            const quint32 byteRate = u32(body + 8);
            const int blockAlign = u16(body + 12);
            w.bitsPerSample = u16(body + 14);
            if (blockAlign != w.channels * w.bitsPerSample / 8 ||
                byteRate != quint32(w.sampleRate * blockAlign)) {
                w.problem = QStringLiteral("inconsistent format chunk");
                return w;
            }
            haveFormat = true;
        } else if (id == "data" && haveFormat && w.bitsPerSample == 16) {
            for (quint32 i = 0; i + 1 < size; i += 2)
                w.samples.append(qint16(u16(body + i)));
            haveData = true;
        }
        at = body + size + (size & 1);
    }
    if (!haveFormat || !haveData)
        w.problem = QStringLiteral("missing fmt or data chunk");
    return w;
}

// ---------------------------------------------------------------------------------------
// Language files, read the way the profile reader reads them

struct Section
{
    QString name;
    QList<std::pair<QString, QString>> entries; // key, value in file order
};

struct IniFile
{
    QList<Section> sections;
    QStringList problems;

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
    const QStringList lines = text.split(QRegularExpression(QStringLiteral("\r\n|\r|\n")));
    for (const QString &raw : lines) {
        const QString line = raw.trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char(';')))
            continue;
        if (line.startsWith(QLatin1Char('['))) {
            const QString name = line.mid(1).section(QLatin1Char(']'), 0, 0).trimmed();
            if (ini.section(name))
                ini.problems << QStringLiteral("section [%1] appears twice").arg(name);
            ini.sections.append({name, {}});
            continue;
        }
        const qsizetype eq = line.indexOf(QLatin1Char('='));
        if (eq < 0) {
            ini.problems << QStringLiteral("line without '=': %1").arg(line);
            continue;
        }
        if (ini.sections.isEmpty()) {
            ini.problems << QStringLiteral("key before the first section: %1").arg(line);
            continue;
        }
        const QString key = line.left(eq).trimmed();
        QString value = line.mid(eq + 1).trimmed();
        if (value.size() >= 2 && (value.front() == QLatin1Char('"') || value.front() == QLatin1Char('\'')) &&
            value.back() == value.front())
            value = value.mid(1, value.size() - 2);
        Section &s = ini.sections.last();
        for (const auto &entry : s.entries)
            if (entry.first.compare(key, Qt::CaseInsensitive) == 0)
                ini.problems << QStringLiteral("[%1] %2 appears twice").arg(s.name, key);
        s.entries.append({key, value});
    }
    return ini;
}

IniFile loadLanguage(const QString &fileName)
{
    const QByteArray bytes = readAll(SourceDir + QStringLiteral("/assets/lang/") + fileName);
    return parseIni(QString::fromUtf8(bytes));
}

// Every string identifier the program looks up.
const QStringList StringIds{"0001", "0002", "0003", "0004", "0005", "0006", "0007", "0008",
                            "0009", "0010", "0011", "0012", "0017", "0031", "0058", "0059",
                            "0060", "0062", "0063", "0064", "9996", "9997", "9998", "9999"};

// ---------------------------------------------------------------------------------------
// The windows and their controls, as the windows define them, with their design captions.

enum class Kind
{
    Button,
    Label,
    Image,
    CheckBox,
    Frame,
    Line,
    Shape,
    Menu
};

bool canHaveTooltip(Kind k)
{
    return k != Kind::Line && k != Kind::Shape && k != Kind::Menu;
}

struct Control
{
    QString name;
    Kind kind;
    int count = 0;        // 0: a single control; n: a control array with indexes 0 .. n-1
    QStringList captions; // design captions (one, or one per index); empty: none
};

struct Window
{
    QString name;
    bool hasTitle = false; // only a window with a design-time title is given one
    QList<Control> controls;
};

QList<Control> frameControls(const QString &reset, const QString &about, const QString &leave,
                             const QString &resetCaption = QStringLiteral("Azzera conteggio"),
                             const QString &aboutCaption = QStringLiteral("Informazioni"))
{
    return {{"etEsatti", Kind::Label, 0, {"esatti"}}, {"etErrati", Kind::Label, 0, {"errati"}},
            {"ComandoIconaSi", Kind::Image, 0, {}},   {"ComandoIconaNo", Kind::Image, 0, {}},
            {reset, Kind::Menu, 0, {resetCaption}},   {about, Kind::Menu, 0, {aboutCaption}},
            {leave, Kind::Menu, 0, {"Esci"}}};
}

QStringList digits(int n)
{
    QStringList out;
    for (int i = 0; i < n; ++i)
        out << QString::number(i);
    return out;
}

Window domino(const QString &name, const QString &question)
{
    Window w{name,
             false,
             {{"Image1", Kind::Image, 12, {}},
              {"Label1", Kind::Label, 11, {}},
              {"Line1", Kind::Line, 4, {}},
              {"Command1", Kind::Button, 5, {"F", "C", "D", "S", "N"}},
              {"Label3", Kind::Label, 0, {"forma"}},
              {"Label4", Kind::Label, 0, {"colore"}},
              {"Label5", Kind::Label, 0, {"dimensione"}},
              {"Label6", Kind::Label, 0, {"spessore"}},
              {"Label7", Kind::Label, 0, {"niente"}},
              {"Label2", Kind::Label, 0, {question}}}};
    w.controls += frameControls("MenuAzzera", "MenuInformazioni", "mnuEsci",
                                "Azzera conteggio" + QString(8, QLatin1Char(' ')),
                                "Informazioni" + QString(10, QLatin1Char(' ')));
    return w;
}

const QList<Window> &windows()
{
    static const QList<Window> all = [] {
        QList<Window> w;
        w.append({"formMenu",
                  false,
                  {{"Command1", Kind::Button, 0, {"uguale - diverso"}},
                   {"Command2", Kind::Button, 0, {"insiemi"}},
                   {"Command3", Kind::Button, 0, {"quanti sono ?"}},
                   {"Command4", Kind::Button, 0, {"le strade 1"}},
                   {"Command7", Kind::Button, 0, {"tabella"}},
                   {"Command9", Kind::Button, 0, {"le strade 2"}},
                   {"Command8", Kind::Button, 0, {"trova il blocco"}},
                   {"Command10", Kind::Button, 0, {"Cosa cambia?"}},
                   {"Command11", Kind::Button, 0, {"Cosa resta uguale?"}},
                   {"Command5", Kind::Button, 0, {"FINE"}},
                   {"Check1", Kind::CheckBox, 0, {"Suoni attivati"}},
                   {"mnuLanguages", Kind::Menu, 0, {"Lingua"}},
                   // Its entries are named after the language files at run time; a
                   // caption key would overwrite a language's name.
                   {"mnuLanguage", Kind::Menu, 1, {}}}});
        w.append({"FormAvvio",
                  true,
                  {{"Label1", Kind::Label, 0, {"Zorvelli"}},
                   {"Label2", Kind::Label, 0, {"08 novembre 2003"}},
                   {"Image1", Kind::Image, 0, {}},
                   {"Image2", Kind::Image, 0, {}},
                   {"Image3", Kind::Image, 0, {}}}});
        Window form1{"form1",
                     false,
                     {{"Label1", Kind::Label, 0, {}},
                      {"Command1", Kind::Button, 0, {"Aiuto"}},
                      {"Image1", Kind::Image, 0, {}},
                      {"Image2", Kind::Image, 0, {}},
                      {"Image3", Kind::Image, 0, {}},
                      {"Image4", Kind::Image, 0, {}},
                      {"Image5", Kind::Image, 0, {}},
                      {"Image6", Kind::Image, 0, {}},
                      {"UGUALI", Kind::Button, 0, {"UGUALE"}},
                      {"DIVERSI", Kind::Button, 0, {"DIVERSI"}},
                      {"bottoneavanti", Kind::Button, 0, {"avanti"}}}};
        form1.controls += frameControls("mnu1", "mnu3", "mnuEsci");
        w.append(form1);
        Window form2{"FORM2",
                     false,
                     {{"Label1", Kind::Label, 0, {}},
                      {"Frame1", Kind::Frame, 0, {}},
                      {"insieme", Kind::Image, 4, {}},
                      {"Image1", Kind::Image, 4, {}},
                      {"Command1", Kind::Button, 0, {"Fatto"}},
                      {"mnuControllo", Kind::Menu, 0, {"Controllo automatico?"}},
                      {"mnuControlloSi", Kind::Menu, 0, {"controlla automaticamente"}},
                      {"mnuControlloNo", Kind::Menu, 0, {"usa bottone FATTO"}}}};
        form2.controls += frameControls("mnu1", "mnu3", "mnuFine");
        w.append(form2);
        Window pagl3{"pagl3",
                     false,
                     {{"Label1", Kind::Label, 0, {}},
                      {"Image2", Kind::Image, 0, {}},
                      {"Image1", Kind::Image, 9, {}},
                      {"NUMERI", Kind::Button, 10, digits(10)},
                      {"Command1", Kind::Button, 0, {"ricomincia"}},
                      {"bottoneavanti", Kind::Button, 0, {"avanti"}},
                      {"Label2",
                       Kind::Label,
                       0,
                       {"Puoi cliccare sui blocchi che non rispettano la condizione per cancellarli"}}}};
        pagl3.controls += frameControls("mnu1", "mnu3", "mnuEsci");
        w.append(pagl3);
        Window pagl7{"pagl7",
                     false,
                     {{"Frame1", Kind::Frame, 2, {}},
                      {"insieme", Kind::Image, 8, {}},
                      {"Label1", Kind::Label, 2, {}},
                      {"Image1", Kind::Image, 0, {}},
                      {"Line2", Kind::Line, 6, {}},
                      {"bottoneavanti", Kind::Button, 0, {"avanti"}},
                      {"mnuSuono", Kind::Menu, 0, {"Suono?"}},
                      {"mnuSuonoSi", Kind::Menu, 0, {QStringLiteral("s\u00ec")}},
                      {"mnuSuonoNo", Kind::Menu, 0, {"no"}}}};
        pagl7.controls += frameControls("mnu1", "mnu3", "mnuFine");
        w.append(pagl7);
        Window pagl9{"pagl9",
                     false,
                     {{"Frame1", Kind::Frame, 4, {}},
                      {"insieme", Kind::Image, 8, {}},
                      {"Label1", Kind::Label, 4, {}},
                      {"Image1", Kind::Image, 0, {}},
                      {"Line1", Kind::Line, 0, {}},
                      {"bottoneavanti", Kind::Button, 0, {"avanti"}}}};
        pagl9.controls += frameControls("mnu1", "mnu3", "mnuEsci");
        w.append(pagl9);
        Window pagl8{"pagl8",
                     false,
                     {{"Frame1", Kind::Frame, 4, {}},
                      {"insieme", Kind::Image, 8, {}},
                      {"Label1", Kind::Label, 6, {}},
                      {"Image1", Kind::Image, 0, {}},
                      {"Line2", Kind::Line, 14, {}},
                      {"Line3", Kind::Line, 7, {}},
                      {"Line1", Kind::Line, 0, {}},
                      {"Command2", Kind::Button, 0, {"aiuto"}},
                      {"bottoneavanti", Kind::Button, 0, {"avanti"}},
                      {"mnuAiuto", Kind::Menu, 0, {"Tipo aiuto"}},
                      {"mnuAiutoCaselle", Kind::Menu, 0, {"caselle colorate"}},
                      {"mnuAiutoStrade", Kind::Menu, 0, {"strade"}}}};
        pagl8.controls += frameControls("mnu1", "mnu3", "mnuEsci");
        w.append(pagl8);
        Window trova{"FormTrova",
                     false,
                     {{"Image1", Kind::Image, 12, {}},
                      {"EtFrase2", Kind::Label, 0, {}},
                      {"Shape1", Kind::Shape, 0, {}},
                      {"bottoneavanti", Kind::Button, 0, {"avanti"}}}};
        trova.controls += frameControls("MenuAzzera", "MenuInformazioni", "mnuEsci",
                                        "Azzera conteggio" + QString(3, QLatin1Char(' ')),
                                        "Informazioni" + QString(9, QLatin1Char(' ')));
        w.append(trova);
        w.append(domino("FormDomino", "Cosa cambia?"));
        w.append(domino("FormDomino2", "Cosa resta uguale?"));
        return w;
    }();
    return all;
}

const Window *findWindow(const QString &name)
{
    for (const Window &w : windows())
        if (w.name == name)
            return &w;
    return nullptr;
}

// Keys of every control caption that a window's section must hold, with the design caption.
QList<std::pair<QString, QString>> captionKeys(const Window &w)
{
    QList<std::pair<QString, QString>> keys;
    for (const Control &c : w.controls) {
        if (c.captions.isEmpty())
            continue;
        if (c.count == 0)
            keys.append({c.name + QStringLiteral(".Caption"), c.captions.first()});
        else
            for (int i = 0; i < c.count; ++i)
                keys.append({QStringLiteral("%1(%2).Caption").arg(c.name).arg(i), c.captions[i]});
    }
    return keys;
}

// Why a key may not stand in a window's section; empty when it may.
QString keyProblem(const Window &w, const QString &key)
{
    if (key == w.name + QStringLiteral(".Caption"))
        return w.hasTitle ? QString() : QStringLiteral("the window has no title to translate");
    static const QRegularExpression form(
        QStringLiteral("^([A-Za-z][A-Za-z0-9_]*)(?:\\((\\d+)\\))?\\.(Caption|ToolTipText)$"));
    const QRegularExpressionMatch m = form.match(key);
    if (!m.hasMatch())
        return QStringLiteral("not a caption or tooltip key of a control");
    const auto it = std::find_if(w.controls.begin(), w.controls.end(),
                                 [&](const Control &c) { return c.name == m.captured(1); });
    if (it == w.controls.end())
        return QStringLiteral("the window has no control %1").arg(m.captured(1));
    const bool indexed = m.capturedLength(2) > 0;
    if (indexed != (it->count > 0))
        return indexed ? QStringLiteral("the control is not an array")
                       : QStringLiteral("the control is an array: give the index");
    if (indexed && m.captured(2).toInt() >= it->count)
        return QStringLiteral("index out of range");
    if (m.captured(3) == QLatin1String("Caption") && it->captions.isEmpty())
        return QStringLiteral("the control has no caption to translate");
    if (m.captured(3) == QLatin1String("ToolTipText") && !canHaveTooltip(it->kind))
        return QStringLiteral("the control cannot show a tooltip");
    return {};
}

} // namespace

class tst_assets : public QObject
{
    Q_OBJECT

private slots:
    // Pictures the program composes paths to
    void blockPictures_data();
    void blockPictures();
    void attributePictures_data();
    void attributePictures();
    void smallBlocksAreAboutHalfAsLarge_data();
    void smallBlocksAreAboutHalfAsLarge();
    void thickBlocksShowDeeperSides_data();
    void thickBlocksShowDeeperSides();
    void coloursDifferInHue_data();
    void coloursDifferInHue();
    void coloursCarryTheirOwnPattern();
    void shapesHaveTheirOutlines_data();
    void shapesHaveTheirOutlines();
    void attributePicturesShowTheirMeaning();
    void icons_data();
    void icons();
    void pointerHotspotIsAtTheFingertip();

    // Sounds
    void sounds_data();
    void sounds();
    void jinglesAreDifferentAndTheWrongSoundIsGentler();

    // Language files and settings
    void languageFileForm_data();
    void languageFileForm();
    void strings_data();
    void strings();
    void windowSections_data();
    void windowSections();
    void italianGivesBackTheDesignCaptions();
    void everyLanguageTranslatesTheSameKeys_data();
    void everyLanguageTranslatesTheSameKeys();
    void settingsFile();

    // The generator writes the same bytes every time
    void generatorIsReproducible();
};

// ---------------------------------------------------------------------------------------

void tst_assets::blockPictures_data()
{
    QTest::addColumn<QString>("path");
    for (const QString &colour : ColourWords)
        for (const QString &shape : ShapeWords)
            for (const QString &size : SizeWords)
                for (const QString &thickness : ThicknessWords) {
                    const QString path = blockPath(colour, shape, size, thickness);
                    QTest::newRow(qPrintable(path)) << path;
                }
}

void tst_assets::blockPictures()
{
    QFETCH(QString, path);
    // Named exactly as composed, upper-case extension included.
    QVERIFY2(QFileInfo::exists(RunDir + QLatin1Char('/') + path), qPrintable(path));
    QImageReader reader(RunDir + QLatin1Char('/') + path);
    QCOMPARE(reader.format(), QByteArray("jpeg"));
    const QImage img = reader.read();
    QVERIFY2(!img.isNull(), qPrintable(reader.errorString()));
    QCOMPARE(img.size(), QSize(512, 512));
}

void tst_assets::attributePictures_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<bool>("exactName");
    // Help pictures of "uguale - diverso", named as the program names them.
    for (const char *word : {"cerchio", "quadrato", "rettangolo", "triangolo", "grande", "piccolo", "spesso",
                             "sottile", "rosso", "giallo", "blu"}) {
        const QString path = QStringLiteral("jpg/%1.jpg").arg(QLatin1String(word));
        QTest::newRow(qPrintable(path)) << path << true;
    }
    // Condition pictures of "quanti sono ?": composed from the word in capitals.
    for (const QStringList &words : {ShapeWords, ColourWords, SizeWords, ThicknessWords})
        for (const QString &word : words) {
            const QString path = QStringLiteral("jpg/%1.jpg").arg(word.toUpper());
            QTest::newRow(qPrintable(path)) << path << false;
        }
}

void tst_assets::attributePictures()
{
    QFETCH(QString, path);
    QFETCH(bool, exactName);
    if (exactName)
        QVERIFY2(QFileInfo::exists(RunDir + QLatin1Char('/') + path), qPrintable(path));
    const QString found = findFile(RunDir, path);
    QVERIFY2(!found.isEmpty(), qPrintable(path + QStringLiteral(" does not resolve")));
    const QImage img(found);
    QVERIFY(!img.isNull());
    QVERIFY(img.width() >= 256 && img.height() >= 256);
}

void tst_assets::smallBlocksAreAboutHalfAsLarge_data()
{
    QTest::addColumn<QString>("colour");
    QTest::addColumn<QString>("shape");
    QTest::addColumn<QString>("thickness");
    for (const QString &colour : ColourWords)
        for (const QString &shape : ShapeWords)
            for (const QString &thickness : ThicknessWords)
                QTest::addRow("%s %s %s", qPrintable(colour), qPrintable(shape), qPrintable(thickness))
                    << colour << shape << thickness;
}

void tst_assets::smallBlocksAreAboutHalfAsLarge()
{
    QFETCH(QString, colour);
    QFETCH(QString, shape);
    QFETCH(QString, thickness);
    const Footprint big = footprint(picture(blockPath(colour, shape, "grande", thickness)));
    const Footprint small = footprint(picture(blockPath(colour, shape, "piccolo", thickness)));
    QVERIFY(big.fraction > 0.12); // a big block fills a good part of its picture
    const double area = small.fraction / big.fraction;
    const double width = double(small.box.width()) / big.box.width();
    QVERIFY2(area > 0.15 && area < 0.45, qPrintable(QString::number(area)));
    QVERIFY2(width > 0.4 && width < 0.65, qPrintable(QString::number(width)));
    // Both stand in the middle of their pictures.
    for (const Footprint &f : {big, small}) {
        QVERIFY(std::abs(f.box.center().x() - 256) < 20);
        QVERIFY(std::abs(f.box.center().y() - 256) < 20);
    }
}

void tst_assets::thickBlocksShowDeeperSides_data()
{
    QTest::addColumn<QString>("colour");
    QTest::addColumn<QString>("shape");
    QTest::addColumn<QString>("size");
    for (const QString &colour : ColourWords)
        for (const QString &shape : ShapeWords)
            for (const QString &size : SizeWords)
                QTest::addRow("%s %s %s", qPrintable(colour), qPrintable(shape), qPrintable(size))
                    << colour << shape << size;
}

void tst_assets::thickBlocksShowDeeperSides()
{
    QFETCH(QString, colour);
    QFETCH(QString, shape);
    QFETCH(QString, size);
    const QImage &thickImg = picture(blockPath(colour, shape, size, "spesso"));
    const QImage &thinImg = picture(blockPath(colour, shape, size, "sottile"));
    const Footprint thick = footprint(thickImg);
    const Footprint thin = footprint(thinImg);
    // The side reaches down and to the right: a deep side makes the block clearly taller
    // and wider in its picture, and covers more of it.
    QVERIFY2(thick.box.height() - thin.box.height() >= 24,
             qPrintable(QStringLiteral("%1 vs %2").arg(thick.box.height()).arg(thin.box.height())));
    QVERIFY(thick.box.width() - thin.box.width() >= 18);
    QVERIFY(thick.fraction > thin.fraction * 1.1);
    QVERIFY(meanDifference(thickImg, thinImg) > 3.0);
}

void tst_assets::coloursDifferInHue_data()
{
    QTest::addColumn<QString>("shape");
    QTest::addColumn<QString>("size");
    QTest::addColumn<QString>("thickness");
    for (const QString &shape : ShapeWords)
        for (const QString &size : SizeWords)
            for (const QString &thickness : ThicknessWords)
                QTest::addRow("%s %s %s", qPrintable(shape), qPrintable(size), qPrintable(thickness))
                    << shape << size << thickness;
}

void tst_assets::coloursDifferInHue()
{
    QFETCH(QString, shape);
    QFETCH(QString, size);
    QFETCH(QString, thickness);
    const double red = meanHue(picture(blockPath("rosso", shape, size, thickness)));
    const double yellow = meanHue(picture(blockPath("giallo", shape, size, thickness)));
    const double blue = meanHue(picture(blockPath("blu", shape, size, thickness)));
    QVERIFY2(hueDistance(red, 0) < 15, qPrintable(QString::number(red)));
    QVERIFY2(hueDistance(yellow, 48) < 15, qPrintable(QString::number(yellow)));
    QVERIFY2(hueDistance(blue, 214) < 20, qPrintable(QString::number(blue)));
}

void tst_assets::coloursCarryTheirOwnPattern()
{
    // Colour is never the only cue: red is plain, yellow dotted, blue striped. Looked at
    // in the middle of the face of a big thin square and of the colour swatches.
    const auto spread = [](const QString &path) {
        const QImage &img = picture(path);
        const QRect box = footprint(img).box;
        return lightnessSpread(img, QRect(box.center() - QPoint(48, 48), QSize(96, 96)));
    };
    for (const QString &prefix : {QStringLiteral("block "), QStringLiteral("swatch ")}) {
        const bool block = prefix.startsWith(QLatin1String("block"));
        const auto path = [&](const QString &colour) {
            return block ? blockPath(colour, "quadrato", "grande", "sottile")
                         : QStringLiteral("jpg/%1.jpg").arg(colour);
        };
        const double red = spread(path("rosso"));
        const double yellow = spread(path("giallo"));
        const double blue = spread(path("blu"));
        const QByteArray what =
            (prefix + QStringLiteral("red %1 yellow %2 blue %3")).arg(red).arg(yellow).arg(blue).toUtf8();
        QVERIFY2(red < 0.02, what.constData());
        QVERIFY2(yellow > 0.03 && yellow < 0.15, what.constData()); // faint, but there
        QVERIFY2(blue > 0.03 && blue < 0.15, what.constData());
    }
}

void tst_assets::shapesHaveTheirOutlines_data()
{
    QTest::addColumn<QString>("shape");
    QTest::addColumn<double>("minAspect");
    QTest::addColumn<double>("maxAspect");
    QTest::addColumn<double>("minFill");
    QTest::addColumn<double>("maxFill");
    // Width to height of the block, and how much of its bounding box it fills (thin blocks,
    // whose side hardly changes the outline).
    QTest::newRow("rotondo") << "rotondo" << 0.9 << 1.1 << 0.72 << 0.86;
    QTest::newRow("quadrato") << "quadrato" << 0.9 << 1.1 << 0.9 << 1.0;
    QTest::newRow("rettangolo") << "rettangolo" << 1.6 << 2.4 << 0.9 << 1.0;
    QTest::newRow("triangolo") << "triangolo" << 1.0 << 1.3 << 0.45 << 0.62;
}

void tst_assets::shapesHaveTheirOutlines()
{
    QFETCH(QString, shape);
    QFETCH(double, minAspect);
    QFETCH(double, maxAspect);
    QFETCH(double, minFill);
    QFETCH(double, maxFill);
    for (const QString &colour : ColourWords) {
        const QImage &img = picture(blockPath(colour, shape, "grande", "sottile"));
        const Footprint f = footprint(img);
        const double aspect = double(f.box.width()) / f.box.height();
        const double fill = f.fraction * img.width() * img.height() / (f.box.width() * f.box.height());
        const QByteArray what =
            QStringLiteral("%1: aspect %2 fill %3").arg(colour).arg(aspect).arg(fill).toUtf8();
        QVERIFY2(aspect >= minAspect && aspect <= maxAspect, what.constData());
        QVERIFY2(fill >= minFill && fill <= maxFill, what.constData());
    }
}

void tst_assets::attributePicturesShowTheirMeaning()
{
    // The two pictures of a pair show the same things, marked differently.
    QVERIFY(meanDifference(picture("jpg/grande.jpg"), picture("jpg/piccolo.jpg")) > 4.0);
    QVERIFY(meanDifference(picture("jpg/spesso.jpg"), picture("jpg/sottile.jpg")) > 4.0);
    // The round shape under both of its names.
    QVERIFY(meanDifference(picture("jpg/cerchio.jpg"), picture("jpg/rotondo.jpg")) < 1.0);
    // Shape pictures are grey: no colour of a block. Size and thickness pictures are grey
    // too, apart from the green frame around the one meant.
    for (const char *word : {"cerchio", "quadrato", "rettangolo", "triangolo"})
        QVERIFY2(meanHue(picture(QStringLiteral("jpg/%1.jpg").arg(QLatin1String(word)))) < 0, word);
    for (const char *word : {"grande", "piccolo", "spesso", "sottile"}) {
        const double hue = meanHue(picture(QStringLiteral("jpg/%1.jpg").arg(QLatin1String(word))));
        QVERIFY2(hueDistance(hue, 135) < 30, qPrintable(QString::number(hue)));
    }
    // Swatches have the hue of their blocks.
    for (const QString &colour : ColourWords) {
        const double swatch = meanHue(picture(QStringLiteral("jpg/%1.jpg").arg(colour)));
        const double block = meanHue(picture(blockPath(colour, "quadrato", "grande", "spesso")));
        QVERIFY2(swatch >= 0 && hueDistance(swatch, block) < 8, qPrintable(colour));
    }
    // The silhouettes differ from one another.
    const QStringList silhouettes{"cerchio", "quadrato", "rettangolo", "triangolo"};
    for (qsizetype i = 0; i < silhouettes.size(); ++i)
        for (qsizetype j = i + 1; j < silhouettes.size(); ++j)
            QVERIFY(meanDifference(picture("jpg/" + silhouettes[i] + ".jpg"),
                                   picture("jpg/" + silhouettes[j] + ".jpg")) > 4.0);
}

void tst_assets::icons_data()
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

void tst_assets::icons()
{
    QFETCH(QString, path);
    QFETCH(QSize, size);
    QFETCH(double, hue);
    QImageReader reader(RunDir + QLatin1Char('/') + path);
    QCOMPARE(reader.format(), QByteArray("png"));
    const QImage img = reader.read().convertToFormat(QImage::Format_ARGB32);
    QVERIFY(!img.isNull());
    QCOMPARE(img.size(), size);
    QVERIFY(img.hasAlphaChannel());
    for (const QPoint corner : {QPoint(0, 0), QPoint(size.width() - 1, 0), QPoint(0, size.height() - 1),
                                QPoint(size.width() - 1, size.height() - 1)})
        QCOMPARE(qAlpha(img.pixel(corner)), 0);
    if (hue >= 0)
        QVERIFY2(hueDistance(meanHue(img), hue) < 20, qPrintable(QString::number(meanHue(img))));
}

void tst_assets::pointerHotspotIsAtTheFingertip()
{
    // The windows set the pointer's hotspot at (10, 1): the tip of the finger must be there.
    const QImage img = QImage(RunDir + "/img/manina.png").convertToFormat(QImage::Format_ARGB32);
    QVERIFY(!img.isNull());
    int topRow = -1;
    for (int y = 0; y < img.height() && topRow < 0; ++y)
        for (int x = 0; x < img.width(); ++x)
            if (qAlpha(img.pixel(x, y)) > 128) {
                topRow = y;
                QVERIFY2(x >= 8 && x <= 13, qPrintable(QString::number(x)));
                break;
            }
    QVERIFY2(topRow >= 0 && topRow <= 2, qPrintable(QString::number(topRow)));
    QVERIFY(qAlpha(img.pixel(10, 2)) > 128);
}

// ---------------------------------------------------------------------------------------

void tst_assets::sounds_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<double>("shortest");
    QTest::addColumn<double>("longest");
    for (int k = 1; k <= 4; ++k)
        QTest::addRow("si%d", k) << QStringLiteral("suoni/si%1.wav").arg(k) << 0.3 << 0.8;
    QTest::newRow("no") << "suoni/no.wav" << 0.4 << 0.7;
}

void tst_assets::sounds()
{
    QFETCH(QString, path);
    QFETCH(double, shortest);
    QFETCH(double, longest);
    QVERIFY2(QFileInfo::exists(RunDir + QLatin1Char('/') + path), qPrintable(path));
    const Wave w = parseWave(readAll(RunDir + QLatin1Char('/') + path));
    QVERIFY2(w.problem.isEmpty(), qPrintable(w.problem));
    QCOMPARE(w.format, 1); // PCM
    QCOMPARE(w.bitsPerSample, 16);
    QCOMPARE(w.sampleRate, 44100);
    QCOMPARE(w.channels, 1);
    QVERIFY2(w.seconds() >= shortest && w.seconds() <= longest, qPrintable(QString::number(w.seconds())));
    // Starts and ends in silence (no click), is clearly audible and never clips.
    QVERIFY(std::abs(w.samples.first()) < 64);
    QVERIFY(std::abs(w.samples.last()) < 64);
    int peak = 0;
    for (qint16 s : w.samples)
        peak = std::max(peak, std::abs(int(s)));
    QVERIFY2(peak > 6000 && peak < 24000, qPrintable(QString::number(peak)));
}

void tst_assets::jinglesAreDifferentAndTheWrongSoundIsGentler()
{
    QList<Wave> jingles;
    for (int k = 1; k <= 4; ++k)
        jingles << parseWave(readAll(RunDir + QStringLiteral("/suoni/si%1.wav").arg(k)));
    for (qsizetype i = 0; i < jingles.size(); ++i)
        for (qsizetype j = i + 1; j < jingles.size(); ++j)
            QVERIFY2(jingles[i].samples != jingles[j].samples,
                     qPrintable(QStringLiteral("si%1 and si%2 are the same").arg(i + 1).arg(j + 1)));
    const auto peakOf = [](const Wave &w) {
        int peak = 0;
        for (qint16 s : w.samples)
            peak = std::max(peak, std::abs(int(s)));
        return peak;
    };
    const Wave no = parseWave(readAll(RunDir + "/suoni/no.wav"));
    for (const Wave &j : jingles)
        QVERIFY(peakOf(no) < peakOf(j));
}

// ---------------------------------------------------------------------------------------

void tst_assets::languageFileForm_data()
{
    QTest::addColumn<QString>("file");
    for (const QString &f : LanguageFiles)
        QTest::newRow(qPrintable(f)) << f;
}

void tst_assets::languageFileForm()
{
    QFETCH(QString, file);
    const QByteArray bytes = readAll(SourceDir + "/assets/lang/" + file);
    QVERIFY(!bytes.isEmpty());
    QVERIFY(bytes.size() <= 64000); // read by the profile reader, not by the big-file scan
    QVERIFY(!bytes.startsWith("\xEF\xBB\xBF"));
    QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    const QString text = utf8(bytes);
    QVERIFY2(!utf8.hasError(), "not valid UTF-8");
    // CRLF line ends throughout, the last line ended too.
    QVERIFY(bytes.endsWith("\r\n"));
    QCOMPARE(bytes.count("\n"), bytes.count("\r\n"));
    QCOMPARE(bytes.count("\r"), bytes.count("\r\n"));

    const IniFile ini = parseIni(text);
    QVERIFY2(ini.problems.isEmpty(), qPrintable(ini.problems.join(QStringLiteral("; "))));
    for (const Section &s : ini.sections)
        QVERIFY2(s.name == QLatin1String("Strings") || findWindow(s.name),
                 qPrintable(QStringLiteral("unknown section [%1]").arg(s.name)));

    // The copy in the runnable folder is the same file; its name is the language's name.
    QCOMPARE(readAll(RunDir + QLatin1Char('/') + file), bytes);
}

void tst_assets::strings_data()
{
    QTest::addColumn<QString>("file");
    for (const QString &f : LanguageFiles)
        QTest::newRow(qPrintable(f)) << f;
}

void tst_assets::strings()
{
    QFETCH(QString, file);
    const IniFile ini = loadLanguage(file);
    for (const QString &id : StringIds) {
        const auto v = ini.value("Strings", id);
        QVERIFY2(v && !v->trimmed().isEmpty(), qPrintable(QStringLiteral("%1 missing").arg(id)));
    }
    // The attribute words name picture files, so they are the same in every language.
    const QStringList words = ShapeWords + ColourWords + ThicknessWords;
    for (int i = 0; i < words.size(); ++i) {
        const QString id = QStringLiteral("%1").arg(i + 2, 4, 10, QLatin1Char('0'));
        QCOMPARE(*ini.value("Strings", id), words[i]);
    }
    // The negation is put straight before the value: its blank is part of it.
    const QString negation = *ini.value("Strings", "0031");
    QVERIFY(negation.endsWith(QLatin1Char(' ')) && !negation.trimmed().isEmpty());
    // Counter texts are followed by a blank and the number; they carry no blank themselves.
    QCOMPARE(*ini.value("Strings", "0011"), ini.value("Strings", "0011")->trimmed());
    QCOMPARE(*ini.value("Strings", "0012"), ini.value("Strings", "0012")->trimmed());
    if (file == QLatin1String("Italiano.lng")) {
        // "DIVERSA" for the shape and the size (la forma, la dimensione), "DIVERSO" for the
        // thickness and the colour (lo spessore, il colore).
        QCOMPARE(*ini.value("Strings", "0059"), QStringLiteral("DIVERSA"));
        QCOMPARE(*ini.value("Strings", "0063"), QStringLiteral("DIVERSO"));
        QCOMPARE(negation, QStringLiteral("NON "));
    }
}

void tst_assets::windowSections_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("window");
    for (const QString &f : LanguageFiles)
        for (const Window &w : windows())
            QTest::addRow("%s %s", qPrintable(f), qPrintable(w.name)) << f << w.name;
}

void tst_assets::windowSections()
{
    QFETCH(QString, file);
    QFETCH(QString, window);
    const IniFile ini = loadLanguage(file);
    const Window &w = *findWindow(window);
    const Section *section = ini.section(window);
    QVERIFY2(section, "no section for the window");
    QCOMPARE(section->name, window);
    for (const auto &[key, value] : section->entries) {
        const QString problem = keyProblem(w, key);
        QVERIFY2(problem.isEmpty(), qPrintable(key + QStringLiteral(": ") + problem));
        QVERIFY2(!value.isEmpty(), qPrintable(key + QStringLiteral(" is empty")));
    }
    for (const auto &[key, design] : captionKeys(w))
        QVERIFY2(ini.value(window, key), qPrintable(key + QStringLiteral(" missing")));
    if (w.hasTitle)
        QVERIFY(ini.value(window, window + QStringLiteral(".Caption")));
}

void tst_assets::italianGivesBackTheDesignCaptions()
{
    // Choosing Italiano after another language must put every caption back as designed.
    const IniFile ini = loadLanguage("Italiano.lng");
    for (const Window &w : windows())
        for (const auto &[key, design] : captionKeys(w))
            QVERIFY2(ini.value(w.name, key) == design,
                     qPrintable(QStringLiteral("[%1] %2 should be \"%3\"").arg(w.name, key, design)));
}

void tst_assets::everyLanguageTranslatesTheSameKeys_data()
{
    QTest::addColumn<QString>("file");
    for (const QString &f : LanguageFiles)
        if (f != QLatin1String("Italiano.lng"))
            QTest::newRow(qPrintable(f)) << f;
}

void tst_assets::everyLanguageTranslatesTheSameKeys()
{
    // A key that only one language gives would survive the switch to another one.
    QFETCH(QString, file);
    const IniFile italian = loadLanguage("Italiano.lng");
    const IniFile other = loadLanguage(file);
    const auto keys = [](const IniFile &ini) {
        QSet<QString> all;
        for (const Section &s : ini.sections)
            for (const auto &entry : s.entries)
                all.insert(s.name + QLatin1Char('/') + entry.first);
        return all;
    };
    const QSet<QString> a = keys(italian), b = keys(other);
    QStringList onlyItalian = QSet<QString>(a).subtract(b).values();
    QStringList onlyOther = QSet<QString>(b).subtract(a).values();
    QVERIFY2(onlyItalian.isEmpty(), qPrintable(onlyItalian.join(QStringLiteral(", "))));
    QVERIFY2(onlyOther.isEmpty(), qPrintable(onlyOther.join(QStringLiteral(", "))));
}

void tst_assets::settingsFile()
{
    for (const QString &path : {SourceDir + "/assets/LangSetting.ini", RunDir + "/LangSetting.ini"}) {
        const QByteArray bytes = readAll(path);
        QVERIFY2(!bytes.isEmpty(), qPrintable(path));
        if (path.startsWith(SourceDir)) {
            QVERIFY(bytes.endsWith("\r\n"));
            QCOMPARE(bytes.count("\n"), bytes.count("\r\n"));
            QCOMPARE(*parseIni(QString::fromUtf8(bytes)).value("Language", "CurrentLanguage"),
                     QStringLiteral("Italiano"));
        }
        // Whatever the child picked last, it names a language file that exists.
        const auto current = parseIni(QString::fromUtf8(bytes)).value("Language", "CurrentLanguage");
        QVERIFY(current);
        QVERIFY(QFileInfo::exists(RunDir + QLatin1Char('/') + *current + QStringLiteral(".lng")));
    }
}

// ---------------------------------------------------------------------------------------

void tst_assets::generatorIsReproducible()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QProcess gen;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    gen.setProcessEnvironment(env);
    gen.start(QStringLiteral(ZORVELLI_ASSETGEN), {dir.filePath("run"), dir.filePath("sheet.png")});
    QVERIFY(gen.waitForFinished(60000));
    QCOMPARE(gen.exitStatus(), QProcess::NormalExit);
    QCOMPARE(gen.exitCode(), 0);

    int files = 0;
    QDirIterator it(dir.filePath("run"), QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString fresh = it.next();
        const QString relative = QDir(dir.filePath("run")).relativeFilePath(fresh);
        QVERIFY2(readAll(fresh) == readAll(RunDir + QLatin1Char('/') + relative), qPrintable(relative));
        ++files;
    }
    QCOMPARE(files, 48 + 12 + 5 + 5); // blocks, attribute pictures, icons, sounds
    QVERIFY(!QImage(dir.filePath("sheet.png")).isNull());
}

QTEST_MAIN(tst_assets)
#include "tst_assets.moc"
