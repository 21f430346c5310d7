// Draws every picture and synthesises every sound that Zorvelli shows or plays, into the
// runnable folder, and an overview sheet of them all.
//
//   zorvelli_assetgen <runnable folder> <contact sheet .png> [<icon theme folder> <icon name>]
//
// With an icon theme folder, the program's icon is also written there in the sizes a desktop
// asks for, as <folder>/<n>x<n>/apps/<icon name>.png.
//
// The output depends on nothing but this code: no randomness, no clock, fixed JPEG quality,
// so every build writes the same bytes.

#include "BlockArt.h"
#include "ContactSheet.h"
#include "IconArt.h"
#include "Jingles.h"
#include "MenuArt.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImageWriter>
#include <QTextStream>

#include <array>
#include <functional>

using namespace Qt::StringLiterals;

namespace {

// The words of the picture store: the program composes file names from them.
struct ShapeWord
{
    art::Shape shape;
    const char *word;
};
struct ColourWord
{
    art::Colour colour;
    const char *word;
};

constexpr std::array<ShapeWord, 4> Shapes{{{art::Shape::Round, "rotondo"},
                                           {art::Shape::Square, "quadrato"},
                                           {art::Shape::Rectangle, "rettangolo"},
                                           {art::Shape::Triangle, "triangolo"}}};
constexpr std::array<ColourWord, 3> Colours{
    {{art::Colour::Red, "rosso"}, {art::Colour::Yellow, "giallo"}, {art::Colour::Blue, "blu"}}};
constexpr std::array<const char *, 2> Sizes{"grande", "piccolo"};       // big first
constexpr std::array<const char *, 2> Thicknesses{"spesso", "sottile"}; // thick first

constexpr int JpegQuality = 90;
// The sizes of the program's icon that desktops look for in the hicolor theme.
constexpr std::array<int, 4> AppIconSides{48, 64, 128, 256};

QtMessageHandler defaultHandler = nullptr;

// Build machines often have no per-user runtime folder; Qt says so on every start although
// the generator never needs one. Everything else is passed on.
void quietHandler(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (type == QtWarningMsg && message.startsWith(QLatin1String("QStandardPaths:")))
        return;
    defaultHandler(type, context, message);
}

class Writer
{
public:
    explicit Writer(QString root) : m_root(std::move(root)) {}

    void jpeg(const QString &relative, const QImage &img)
    {
        QImageWriter w(prepare(relative), "jpeg");
        w.setQuality(JpegQuality);
        if (!w.write(img))
            fail(relative, w.errorString());
    }

    void png(const QString &relative, const QImage &img)
    {
        QImageWriter w(prepare(relative), "png");
        if (!w.write(img))
            fail(relative, w.errorString());
    }

    void bytes(const QString &relative, const QByteArray &data)
    {
        QFile f(prepare(relative));
        if (!f.open(QIODevice::WriteOnly) || f.write(data) != data.size())
            fail(relative, f.errorString());
    }

    bool ok() const { return m_ok; }

private:
    QString prepare(const QString &relative)
    {
        const QString path = QDir(m_root).filePath(relative);
        QDir().mkpath(QFileInfo(path).absolutePath());
        return path;
    }

    void fail(const QString &relative, const QString &why)
    {
        QTextStream(stderr) << "cannot write " << relative << ": " << why << '\n';
        m_ok = false;
    }

    QString m_root;
    bool m_ok = true;
};

} // namespace

int main(int argc, char **argv)
{
    defaultHandler = qInstallMessageHandler(quietHandler);
    QGuiApplication app(argc, argv); // fonts for the contact sheet need the GUI side of Qt
    if (argc != 3 && argc != 5) {
        QTextStream(stderr) << "usage: zorvelli_assetgen <runnable folder> <contact sheet .png>"
                               " [<icon theme folder> <icon name>]\n";
        return 2;
    }
    const QString runDir = QString::fromLocal8Bit(argv[1]);
    const QString sheetPath = QString::fromLocal8Bit(argv[2]);
    Writer out(runDir);

    // Every block and attribute picture twice: as the program names it, and below jpg/large/ for
    // the large places of a large screen.
    art::SheetSection blocks{
        QStringLiteral("The 48 blocks   (jpg/<colour>/<shape><size><thickness>.JPG)"), 8, {}};
    for (const ColourWord &c : Colours) {
        for (const char *thickness : Thicknesses) {
            for (const ShapeWord &s : Shapes) {
                for (const char *size : Sizes) {
                    const art::Block block{s.shape, c.colour, QByteArrayView(size) == "grande",
                                           QByteArrayView(thickness) == "spesso"};
                    const QImage img = art::drawBlock(block);
                    const QString name = QStringLiteral("%1/%2%3%4.JPG")
                                             .arg(QLatin1String(c.word), QLatin1String(s.word), QLatin1String(size),
                                                  QLatin1String(thickness));
                    out.jpeg(u"jpg/"_s + name, img);
                    out.jpeg(u"jpg/large/"_s + name, art::drawBlock(block, art::LargePictureSide));
                    blocks.entries.append(
                        {QStringLiteral("%1 / %2").arg(QLatin1String(c.word), QLatin1String(s.word)),
                         QStringLiteral("%1 %2").arg(QLatin1String(size), QLatin1String(thickness)), img});
                }
            }
        }
    }

    // Help pictures of "uguale - diverso" and the condition pictures of "quanti sono ?";
    // "rotondo" is the round shape once more, under the round shape's own word.
    const QList<std::pair<QString, std::function<QImage(int)>>> attributes{
        {QStringLiteral("cerchio"), [](int side) { return art::drawSilhouette(art::Shape::Round, side); }},
        {QStringLiteral("rotondo"), [](int side) { return art::drawSilhouette(art::Shape::Round, side); }},
        {QStringLiteral("quadrato"), [](int side) { return art::drawSilhouette(art::Shape::Square, side); }},
        {QStringLiteral("rettangolo"), [](int side) { return art::drawSilhouette(art::Shape::Rectangle, side); }},
        {QStringLiteral("triangolo"), [](int side) { return art::drawSilhouette(art::Shape::Triangle, side); }},
        {QStringLiteral("grande"), [](int side) { return art::drawSizeChoice(true, side); }},
        {QStringLiteral("piccolo"), [](int side) { return art::drawSizeChoice(false, side); }},
        {QStringLiteral("spesso"), [](int side) { return art::drawThicknessChoice(true, side); }},
        {QStringLiteral("sottile"), [](int side) { return art::drawThicknessChoice(false, side); }},
        {QStringLiteral("rosso"), [](int side) { return art::drawSwatch(art::Colour::Red, side); }},
        {QStringLiteral("giallo"), [](int side) { return art::drawSwatch(art::Colour::Yellow, side); }},
        {QStringLiteral("blu"), [](int side) { return art::drawSwatch(art::Colour::Blue, side); }},
    };
    art::SheetSection attributeSection{QStringLiteral("Attribute pictures   (jpg/<word>.jpg)"), 8, {}};
    for (const auto &[word, draw] : attributes) {
        const QString file = QStringLiteral("jpg/%1.jpg").arg(word);
        const QImage img = draw(art::PictureSide);
        out.jpeg(file, img);
        out.jpeg(QStringLiteral("jpg/large/%1.jpg").arg(word), draw(art::LargePictureSide));
        attributeSection.entries.append({word, file, img});
    }

    const QList<std::pair<QString, QImage>> icons{
        {QStringLiteral("img/faccia_si.png"), art::drawHappyFace()},
        {QStringLiteral("img/faccia_no.png"), art::drawSadFace()},
        {QStringLiteral("img/freccia.png"), art::drawArrow()},
        {QStringLiteral("img/aiuto.png"), art::drawHelpIcon()},
        {QStringLiteral("img/ricomincia.png"), art::drawRestartIcon()},
        {QStringLiteral("img/manina.png"), art::drawPointer()},
        {QStringLiteral("img/altoparlante.png"), art::drawSpeakerIcon()},
    };
    art::SheetSection iconSection{QStringLiteral("Faces, arrow, help icon, mouse pointer, speaker (enlarged)"), 8, {}};
    for (const auto &[file, img] : icons) {
        out.png(file, img);
        iconSection.entries.append({file.section(QLatin1Char('/'), -1),
                                    QStringLiteral("%1 x %2").arg(img.width()).arg(img.height()), img, true});
    }

    // The main menu's buttons show their activity.
    art::SheetSection menuSection{QStringLiteral("The menu's pictures   (img/menu/<window>.jpg)"), 5, {}};
    for (const QString &window : art::activityPictureWindows()) {
        const QImage img = art::drawActivityPicture(window);
        const QString file = QStringLiteral("img/menu/%1.jpg").arg(window);
        out.jpeg(file, img);
        menuSection.entries.append({window, file, img});
    }

    art::SheetSection appIconSection{
        QStringLiteral("The program's icon   (icons/hicolor/<n>x<n>/apps)"), 8, {}};
    for (const int side : AppIconSides) {
        const QImage img = art::drawAppIcon(side);
        if (argc == 5) {
            Writer icons(QString::fromLocal8Bit(argv[3]));
            icons.png(QStringLiteral("%1x%1/apps/%2.png").arg(side).arg(QString::fromLocal8Bit(argv[4])),
                      img);
            if (!icons.ok())
                return 1;
        }
        appIconSection.entries.append({QStringLiteral("%1 px").arg(side), QString(), img, true});
    }

    for (int k = 1; k <= 4; ++k)
        out.bytes(QStringLiteral("suoni/si%1.wav").arg(k), sound::toWav(sound::rightJingle(k)));
    out.bytes(QStringLiteral("suoni/no.wav"), sound::toWav(sound::tryAgain()));
    out.bytes(QStringLiteral("suoni/festa.wav"), sound::toWav(sound::celebration()));

    const QImage sheet = art::makeContactSheet(QStringLiteral("Zorvelli - pictures drawn by the generator"),
                                               {blocks, attributeSection, iconSection, menuSection, appIconSection});
    QDir().mkpath(QFileInfo(sheetPath).absolutePath());
    QImageWriter sheetWriter(sheetPath, "png");
    if (!sheetWriter.write(sheet)) {
        QTextStream(stderr) << "cannot write " << sheetPath << ": " << sheetWriter.errorString() << '\n';
        return 1;
    }
    return out.ok() ? 0 : 1;
}
