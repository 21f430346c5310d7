// Paths in the program's spelling ('\' or '/', any letter case), file length, folder listing,
// whole-file reading and the text encodings of old and new files.

#include "platform/FileSystem.h"
#include "platform/Paths.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

#ifdef Q_OS_UNIX
#include <utime.h>
#endif
#ifdef Q_OS_LINUX
#include <fcntl.h>
#include <sys/stat.h>
#endif

using namespace platform;
using TE = platform::TextEncoding;

Q_DECLARE_METATYPE(platform::TextEncoding)

class TstFileSystem : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void resolve_data();
    void resolve();
    void relativeAndEmptyPaths();
    void cacheNoticesChanges();
    void join();

    void fileLengths();
    void listFolder_data();
    void listFolder();
    void readBytes();
    void decode_data();
    void decode();
    void encode_data();
    void encode();
    void windows1252RoundTripAndSingleLines();
    void split();

private:
    void makeFile(const QString &name, const QByteArray &bytes = {});
    QString root() const { return m_dir->path(); }

    std::unique_ptr<QTemporaryDir> m_dir;
};

void TstFileSystem::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
}

void TstFileSystem::makeFile(const QString &name, const QByteArray &bytes)
{
    QFile file(m_dir->filePath(name));
    QVERIFY(QDir().mkpath(QFileInfo(file).path()));
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

void TstFileSystem::resolve_data()
{
    QTest::addColumn<QString>("onDisk"); // files, comma-separated
    QTest::addColumn<QString>("asked");  // relative to the temporary folder, as the program writes it
    QTest::addColumn<QString>("expected");
    const auto row = [](const char *name, const QString &onDisk, const QString &asked,
                        const QString &expected) { QTest::newRow(name) << onDisk << asked << expected; };
    const QString pic = QStringLiteral("JPG/GRANDE.jpg");
    row("exact", pic, "\\JPG\\GRANDE.jpg", "/JPG/GRANDE.jpg");
    row("file and folder case", pic, "\\jpg\\grande.JPG", "/JPG/GRANDE.jpg");
    row("mixed and doubled separators", pic, "\\\\jpg//grande.jpg", "/JPG/GRANDE.jpg");
    row("deep", "a/B/c/D.txt", "\\A\\b\\C\\d.TXT", "/a/B/c/D.txt");
    row("accented", QStringLiteral("città.jpg"), QStringLiteral("\\CITTÀ.JPG"), QStringLiteral("/città.jpg"));
    row("missing file kept as written", pic, "\\jpg\\Piccolo.jpg", "/JPG/Piccolo.jpg");
    row("missing folder kept as written", pic, "\\jpg\\Sub\\X.jpg", "/JPG/Sub/X.jpg");
    row("missing at the top", pic, "\\Suoni\\a.wav", "/Suoni/a.wav");
    row("trailing separator", pic, "\\jpg\\", "/JPG/");
    row("dot and dot-dot", pic, "\\jpg\\..\\jpg\\.\\grande.jpg", "/JPG/../JPG/./GRANDE.jpg");
    row("no partial match", pic, "\\jpg\\grande", "/JPG/grande");
    // Among several spellings the exact one wins, else the first in byte order.
    const QString twins = QStringLiteral("a.txt,A.TXT,A.txt");
    row("exact twin a.txt", twins, "\\a.txt", "/a.txt");
    row("exact twin A.txt", twins, "\\A.txt", "/A.txt");
    row("no exact twin", twins, "\\a.TXT", "/A.TXT");
    row("exact folder inside a path", "top/SUB/other.txt,top/sub/x.txt", "\\Top\\sub\\X.TXT",
        "/top/sub/x.txt");
    row("program's file spelling", "jpg/grande.jpg", "\\jpg\\GRANDE.jpg", "/jpg/grande.jpg");
    // "JPG" sorts first but is a file; only the folder "jpg" leads on.
    row("folder preferred inside a path", "JPG,jpg/x.png", "\\Jpg\\X.PNG", "/jpg/x.png");
}

void TstFileSystem::resolve()
{
    QFETCH(QString, onDisk);
    QFETCH(QString, asked);
    QFETCH(QString, expected);
    for (const QString &file : onDisk.split(QLatin1Char(',')))
        makeFile(file);
    QCOMPARE(resolvePath(root() + asked), root() + expected);
    QCOMPARE(resolvePath(root() + asked), root() + expected); // again, now from the cache
}

void TstFileSystem::relativeAndEmptyPaths()
{
    QCOMPARE(resolvePath(QString()), QString());
    makeFile(QStringLiteral("sub/File.txt"));
    const QString before = QDir::currentPath();
    QVERIFY(QDir::setCurrent(root()));
    const auto restore = qScopeGuard([&] { QDir::setCurrent(before); });
    QCOMPARE(resolvePath(QStringLiteral("SUB\\file.TXT")), QStringLiteral("sub/File.txt"));
    QCOMPARE(resolvePath(QStringLiteral("SUB")), QStringLiteral("sub"));
    QCOMPARE(resolvePath(QStringLiteral("Missing.txt")), QStringLiteral("Missing.txt"));
}

void TstFileSystem::cacheNoticesChanges()
{
    makeFile(QStringLiteral("old/Pic.jpg"));
    const QString folder = m_dir->filePath(QStringLiteral("old"));
#ifdef Q_OS_UNIX
    // A folder untouched for an hour is one whose listing may be remembered.
    const time_t hourAgo = time(nullptr) - 3600;
    const utimbuf times{hourAgo, hourAgo};
    QCOMPARE(utime(QFile::encodeName(folder).constData(), &times), 0);
#endif
    const QString asked = folder + QStringLiteral("\\PIC.JPG");
    QCOMPARE(resolvePath(asked), folder + QStringLiteral("/Pic.jpg"));
    QCOMPARE(resolvePath(folder + QStringLiteral("\\NEW.JPG")), folder + QStringLiteral("/NEW.JPG"));
    QVERIFY(QFile::remove(folder + QStringLiteral("/Pic.jpg")));
    makeFile(QStringLiteral("old/pic.JPG"));
    makeFile(QStringLiteral("old/new.jpg"));
    QCOMPARE(resolvePath(asked), folder + QStringLiteral("/pic.JPG"));
    QCOMPARE(resolvePath(folder + QStringLiteral("\\NEW.JPG")), folder + QStringLiteral("/new.jpg"));

    // Quick renames back and forth are seen every time.
    for (int i = 0; i < 4; ++i) {
        const QString from = folder + (i % 2 ? QStringLiteral("/PIC.jpg") : QStringLiteral("/pic.JPG"));
        const QString to = folder + (i % 2 ? QStringLiteral("/pic.JPG") : QStringLiteral("/PIC.jpg"));
        QCOMPARE(resolvePath(asked), from);
        QVERIFY(QFile::rename(from, to));
        QCOMPARE(resolvePath(asked), to);
    }
#ifdef Q_OS_LINUX
    // Two changes within one tick of the file system clock: put the time stamp back after a rename.
    struct stat before;
    QCOMPARE(::stat(QFile::encodeName(folder).constData(), &before), 0);
    QVERIFY(QFile::rename(folder + QStringLiteral("/pic.JPG"), folder + QStringLiteral("/Pic.jpg")));
    const decltype(before.st_mtim) stamps[2] = {before.st_atim, before.st_mtim};
    QCOMPARE(::utimensat(AT_FDCWD, QFile::encodeName(folder).constData(), stamps, 0), 0);
    QCOMPARE(resolvePath(asked), folder + QStringLiteral("/Pic.jpg"));
#endif
}

void TstFileSystem::join()
{
    QCOMPARE(joinPath("/opt/z", "a.lng"), "/opt/z/a.lng");
    QCOMPARE(joinPath("/opt/z/", "a.lng"), "/opt/z/a.lng");
    QCOMPARE(joinPath("C:\\z\\", "a.lng"), "C:\\z\\a.lng");
    QCOMPARE(joinPath("", "a.lng"), "a.lng");
    QCOMPARE(joinPath("/", "a.lng"), "/a.lng");
}

void TstFileSystem::fileLengths()
{
    makeFile(QStringLiteral("Italiano.lng"), QByteArray(70000, 'x'));
    makeFile(QStringLiteral("empty.ini"));
    QVERIFY(QDir(root()).mkdir(QStringLiteral("jpg")));
    QCOMPARE(fileLength(root() + QStringLiteral("\\ITALIANO.LNG")), 70000);
    QCOMPARE(fileLength(root() + QStringLiteral("/empty.ini")), 0);
    QCOMPARE(fileLength(root() + QStringLiteral("/missing.lng")), -1);
    QCOMPARE(fileLength(root() + QStringLiteral("\\JPG")), -1);
    QCOMPARE(fileLength(QString()), -1);
}

void TstFileSystem::listFolder_data()
{
    QTest::addColumn<QString>("folder"); // below the temporary folder, the program's way
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<QStringList>("expected");
    const auto row = [](const char *name, const char *folder, const char *pattern,
                        const QStringList &expected) {
        QTest::newRow(name) << QString::fromLatin1(folder) << QString::fromLatin1(pattern) << expected;
    };
    // Sorted without regard to case, then by byte order; folders are not listed.
    const QStringList lng{"A.lng", "a.Lng", "b.LNG", "English.lng", "Italiano.lng", "z(1)+.lng"};
    row("*.lng", "\\SUB\\..", "*.lng", lng);
    row("upper-case pattern", "\\SUB\\..", "*.LNG", lng);
    row("question mark", "\\SUB\\..", "?.lng", {"A.lng", "a.Lng", "b.LNG"});
    row("literal brackets and plus", "\\SUB\\..", "Z(1)+.*", {"z(1)+.lng"});
    row("star dot star is everything", "\\SUB\\..", "*.*",
        {"A.lng", "a.Lng", "b.LNG", "English.lng", "Italiano.lng", "LangSetting.ini", "lng", "notes.lngx",
         "z(1)+.lng"});
    row("one name", "\\SUB\\..", "langsetting.INI", {"LangSetting.ini"});
    row("nothing", "\\SUB\\..", "*.wav", {});
    row("missing folder", "/nowhere", "*.lng", {});
    row("a file is no folder", "/lng", "*", {});
}

void TstFileSystem::listFolder()
{
    QFETCH(QString, folder);
    QFETCH(QString, pattern);
    QFETCH(QStringList, expected);
    for (const char *name : {"Italiano.lng", "b.LNG", "a.Lng", "A.lng", "English.lng", "LangSetting.ini",
                             "notes.lngx", "lng", "z(1)+.lng"})
        makeFile(QString::fromLatin1(name));
    QVERIFY(QDir(root()).mkdir(QStringLiteral("folder.lng")));
    QVERIFY(QDir(root()).mkdir(QStringLiteral("sub")));
    QCOMPARE(platform::listFolder(root() + folder, pattern), expected);
}

void TstFileSystem::readBytes()
{
    const QByteArray content("[s]\r\nk=\xE8\0tail", 13);
    makeFile(QStringLiteral("Data.ini"), content);
    makeFile(QStringLiteral("empty.ini"));
    const auto read = [this](const char *name, bool expectOk, qint64 max = -1) {
        bool ok = !expectOk;
        const QByteArray bytes = readFileBytes(root() + QLatin1String(name), &ok, max);
        return ok == expectOk ? bytes : QByteArray("<wrong ok>");
    };
    QCOMPARE(read("\\DATA.INI", true), content);
    QCOMPARE(read("/Data.ini", true, 5), content.first(5));
    QCOMPARE(read("/Data.ini", true, 0), QByteArray());
    QCOMPARE(read("/empty.ini", true), QByteArray());
    QCOMPARE(read("/missing.ini", false), QByteArray());
    QCOMPARE(read("", false), QByteArray()); // the folder itself
    // /dev/zero never ends; reading it "whole" must not hang or exhaust memory.
    bool ok = true;
    QCOMPARE(readFileBytes(QStringLiteral("/dev/zero"), &ok), QByteArray());
    QVERIFY(!ok);
}

void TstFileSystem::decode_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");
    QTest::addColumn<TE>("encoding");
    const auto row = [](const char *name, const QByteArray &bytes, const QString &text, TE encoding) {
        QTest::newRow(name) << bytes << text << encoding;
    };
    row("empty", {}, {}, TE::Utf8);
    row("ASCII", "abc\r\n", "abc\r\n", TE::Utf8);
    row("UTF-8", "perch\xC3\xA8 \xE2\x82\xAC", QStringLiteral("perchè €"), TE::Utf8);
    row("UTF-8 mark dropped", "\xEF\xBB\xBF\xC3\xA8", QStringLiteral("è"), TE::Utf8Bom);
    row("second mark kept", "\xEF\xBB\xBF\xEF\xBB\xBFx", QStringLiteral("\uFEFFx"), TE::Utf8Bom);
    row("Windows-1252", "perch\xE8", QStringLiteral("perchè"), TE::Windows1252);
    row("Windows-1252 with a UTF-8 mark", "\xEF\xBB\xBF\xE8", QStringLiteral("è"), TE::Windows1252);
    row("UTF-8 cut off at the end", "\xC3\xA8\xE2\x82", QStringLiteral("Ã¨â‚"), TE::Windows1252);
    row("overlong UTF-8", "\xC0\xAF", QStringLiteral("À¯"), TE::Windows1252);
    row("encoded surrogate", "\xED\xA0\x80", QStringLiteral("í\u00A0€"), TE::Windows1252);
    row("0x80-0x9F",
        "\x80\x82\x83\x84\x85\x86\x87\x88\x89\x8A\x8B\x8C\x8E\x91\x92\x93\x94\x95\x96\x97\x98\x99\x9A"
        "\x9B\x9C\x9E\x9F",
        QStringLiteral("€‚ƒ„…†‡ˆ‰Š‹ŒŽ‘’“”•–—˜™š›œžŸ"), TE::Windows1252);
    row("unassigned bytes", "\x81\x8D\x8F\x90\x9D", QStringLiteral("\u0081\u008D\u008F\u0090\u009D"),
        TE::Windows1252);
    row("Latin-1 range", "\xA0\xA9\xC0\xFF", QStringLiteral("\u00A0©Àÿ"), TE::Windows1252);
    row("UTF-16LE", QByteArray("\xFF\xFEh\0\xE8\0\xAC\x20", 8), QStringLiteral("hè€"), TE::Utf16Le);
    row("UTF-16LE odd byte dropped", QByteArray("\xFF\xFEh\0i", 5), QStringLiteral("h"), TE::Utf16Le);
    row("NUL bytes kept", QByteArray("a\0b", 3), QString(QStringLiteral("a") + QChar(0) + 'b'), TE::Utf8);
}

void TstFileSystem::decode()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    QFETCH(TE, encoding);
    QCOMPARE(decodeText(bytes), text);
    QCOMPARE(detectEncoding(bytes), encoding);
}

void TstFileSystem::encode_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<TE>("encoding");
    QTest::addColumn<QByteArray>("bytes");
    const auto row = [](const char *name, const QString &text, TE encoding, const QByteArray &bytes) {
        QTest::newRow(name) << text << encoding << bytes;
    };
    row("1252 accents", QStringLiteral("perchè à"), TE::Windows1252, "perch\xE8 \xE0");
    row("1252 high characters", QStringLiteral("€“”ŒŸ"), TE::Windows1252, "\x80\x93\x94\x8C\x9F");
    row("1252 question marks", QStringLiteral("a日b\U0001F600c\u0080"), TE::Windows1252, "a?b?c?");
    row("UTF-8", QStringLiteral("è€"), TE::Utf8, "\xC3\xA8\xE2\x82\xAC");
    row("UTF-8, mark left to the file", QStringLiteral("è"), TE::Utf8Bom, "\xC3\xA8");
    row("UTF-16LE", QStringLiteral("hè\U0001F600"), TE::Utf16Le, QByteArray("h\0\xE8\0\x3D\xD8\x00\xDE", 8));
}

void TstFileSystem::encode()
{
    QFETCH(QString, text);
    QFETCH(TE, encoding);
    QFETCH(QByteArray, bytes);
    QCOMPARE(encodeText(text, encoding), bytes);
}

void TstFileSystem::windows1252RoundTripAndSingleLines()
{
    // Every byte comes back as it was, so a file edited in one line keeps all the others.
    QByteArray all;
    for (int b = 0; b < 256; ++b)
        all.append(char(b));
    QCOMPARE(encodeText(decodeText(all, TE::Windows1252), TE::Windows1252), all);

    QCOMPARE(decodeText(QByteArrayView("citt\xE0"), TE::Windows1252), QStringLiteral("città"));
    QCOMPARE(decodeText(QByteArrayView("citt\xC3\xA0"), TE::Utf8), QStringLiteral("città"));
    QCOMPARE(decodeText(QByteArrayView("\xE0\0", 2), TE::Utf16Le), QStringLiteral("à"));
    QCOMPARE(byteOrderMarkLength("\xEF\xBB\xBFx"), 3);
    QCOMPARE(byteOrderMarkLength("\xFF\xFEx"), 2);
    QCOMPARE(byteOrderMarkLength("\xEF\xBBx"), 0);
    QCOMPARE(byteOrderMarkLength(QByteArray()), 0);
}

void TstFileSystem::split()
{
    QCOMPARE(splitLines(""), QStringList());
    QCOMPARE(splitLines("only"), QStringList{"only"});
    QCOMPARE(splitLines("a\r\nb\r\n"), QStringList({"a", "b"}));
    QCOMPARE(splitLines("a\nb\n"), QStringList({"a", "b"}));
    QCOMPARE(splitLines("a\rb\r"), QStringList({"a", "b"}));
    QCOMPARE(splitLines("a\rb\nc\r\nd"), QStringList({"a", "b", "c", "d"})); // mixed, no final line end
    QCOMPARE(splitLines("\r\n\n\r\r\n"), QStringList({"", "", "", ""}));
    QCOMPARE(splitLines("a\n\rb"), QStringList({"a", "", "b"})); // LF CR is two line ends
}

QTEST_GUILESS_MAIN(TstFileSystem)
#include "tst_filesystem.moc"
