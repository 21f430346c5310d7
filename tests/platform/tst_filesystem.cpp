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

#ifdef Q_OS_LINUX
#include <fcntl.h>
#include <sys/stat.h>
#endif

using namespace platform;
using namespace Qt::StringLiterals;
using TE = platform::TextEncoding;

Q_DECLARE_METATYPE(platform::TextEncoding)

class TstFileSystem : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_dir;
    QString root() const { return m_dir->path(); }
    void makeFile(const QString &name, const QByteArray &bytes = {})
    {
        QFile file(m_dir->filePath(name));
        QVERIFY(QDir().mkpath(QFileInfo(file).path()) && file.open(QIODevice::WriteOnly));
        QCOMPARE(file.write(bytes), bytes.size());
    }

private slots:
    void init() { m_dir = std::make_unique<QTemporaryDir>(); }

    // The program asks for "\jpg\GRANDE.jpg" and the file is "jpg/grande.jpg": a wrong answer
    // is a missing picture, sound or language file.
    void resolve_data()
    {
        QTest::addColumn<QString>("onDisk"); // files, comma-separated
        QTest::addColumn<QString>("asked");  // relative to the temporary folder, as the program writes it
        QTest::addColumn<QString>("expected");
        // clang-format off
        const char *rows[][4] = {
            {"file and folder case", "JPG/GRANDE.jpg", "\\jpg\\grande.JPG", "/JPG/GRANDE.jpg"},
            {"doubled separators", "JPG/GRANDE.jpg", "\\\\jpg//grande.jpg", "/JPG/GRANDE.jpg"},
            {"only the file's case", "jpg/grande.jpg", "\\jpg\\GRANDE.jpg", "/jpg/grande.jpg"},
            {"accented", "città.jpg", "\\CITTÀ.JPG", "/città.jpg"},
            {"missing parts kept as written", "JPG/GRANDE.jpg", "\\jpg\\Sub\\X.jpg", "/JPG/Sub/X.jpg"},
            {"trailing separator", "JPG/GRANDE.jpg", "\\jpg\\", "/JPG/"},
            {"dot and dot-dot", "JPG/GRANDE.jpg", "\\jpg\\..\\jpg\\.\\grande.jpg",
             "/JPG/../JPG/./GRANDE.jpg"},
            {"no partial match", "JPG/GRANDE.jpg", "\\jpg\\grande", "/JPG/grande"},
            // Among several spellings the exact one wins, else the first in byte order; inside a
            // path only a folder leads on.
            {"exact twin", "a.txt,A.TXT,A.txt", "\\A.txt", "/A.txt"},
            {"no exact twin", "a.txt,A.TXT,A.txt", "\\a.TXT", "/A.TXT"},
            {"exact folder in a path", "top/SUB/other.txt,top/sub/x.txt", "\\Top\\sub\\X.TXT",
             "/top/sub/x.txt"},
            {"folder preferred in a path", "JPG,jpg/x.png", "\\Jpg\\X.PNG", "/jpg/x.png"},
        };
        // clang-format on
        for (const auto &r : rows)
            QTest::newRow(r[0]) << QString::fromUtf8(r[1]) << QString::fromUtf8(r[2])
                                << QString::fromUtf8(r[3]);
    }
    void resolve()
    {
        QFETCH(QString, onDisk);
        QFETCH(QString, asked);
        QFETCH(QString, expected);
        for (const QString &file : onDisk.split(u','))
            makeFile(file);
        QCOMPARE(resolvePath(root() + asked), root() + expected);
        QCOMPARE(resolvePath(root() + asked), root() + expected); // again, now from the cache
    }

    // Relative paths are taken from the working folder; an empty one stays empty.
    void relativeAndEmptyPaths()
    {
        QCOMPARE(resolvePath(QString()), QString());
        makeFile("sub/File.txt");
        const QString before = QDir::currentPath();
        QVERIFY(QDir::setCurrent(root()));
        const auto restore = qScopeGuard([&] { QDir::setCurrent(before); });
        QCOMPARE(resolvePath("SUB\\file.TXT"), "sub/File.txt");
        QCOMPARE(resolvePath("Missing.txt"), "Missing.txt");
    }

    // A file renamed or added while the program runs is found under its new name.
    void cacheNoticesChanges()
    {
        makeFile("old/Pic.jpg");
        const QString folder = m_dir->filePath("old"), asked = folder + "\\PIC.JPG";
#ifdef Q_OS_LINUX
        // A folder untouched for an hour is one whose listing may be remembered.
        const timespec hourAgo[2] = {{time(nullptr) - 3600, 0}, {time(nullptr) - 3600, 0}};
        QCOMPARE(::utimensat(AT_FDCWD, QFile::encodeName(folder).constData(), hourAgo, 0), 0);
#endif
        QCOMPARE(resolvePath(asked), folder + "/Pic.jpg");
        QCOMPARE(resolvePath(folder + "\\NEW.JPG"), folder + "/NEW.JPG");
        QVERIFY(QFile::rename(folder + "/Pic.jpg", folder + "/pic.JPG"));
        makeFile("old/new.jpg");
        QCOMPARE(resolvePath(asked), folder + "/pic.JPG");
        QCOMPARE(resolvePath(folder + "\\NEW.JPG"), folder + "/new.jpg");
        // Quick renames back and forth are seen every time.
        for (const char *to : {"/PIC.jpg", "/pic.JPG"}) {
            QVERIFY(QFile::rename(resolvePath(asked), folder + to));
            QCOMPARE(resolvePath(asked), folder + to);
        }
#ifdef Q_OS_LINUX
        // Two changes within one tick of the file system clock: the time stamp put back after a rename.
        struct stat before;
        QCOMPARE(::stat(QFile::encodeName(folder).constData(), &before), 0);
        QVERIFY(QFile::rename(folder + "/pic.JPG", folder + "/Pic.jpg"));
        const timespec stamps[2] = {before.st_atim, before.st_mtim};
        QCOMPARE(::utimensat(AT_FDCWD, QFile::encodeName(folder).constData(), stamps, 0), 0);
        QCOMPARE(resolvePath(asked), folder + "/Pic.jpg");
#endif
    }

    // Folders joined with names the way the program builds its paths.
    void joinAndLength()
    {
        QCOMPARE(joinPath("/opt/z", "a.lng"), "/opt/z/a.lng");
        QCOMPARE(joinPath("/opt/z/", "a.lng"), "/opt/z/a.lng");
        QCOMPARE(joinPath("C:\\z\\", "a.lng"), "C:\\z\\a.lng");
        QCOMPARE(joinPath("", "a.lng"), "a.lng");
        // The length decides which reader a language file gets; folders and missing files have none.
        makeFile("Italiano.lng", QByteArray(70000, 'x'));
        makeFile("empty.ini");
        QVERIFY(QDir(root()).mkdir("jpg"));
        QCOMPARE(fileLength(root() + "\\ITALIANO.LNG"), 70000);
        QCOMPARE(fileLength(root() + "/empty.ini"), 0);
        for (const QString &none : {root() + "/missing.lng", root() + "\\JPG", QString()})
            QCOMPARE(fileLength(none), -1);
    }

    // The language menu lists exactly the language files, in this order: without regard to
    // letter case, then by byte order; no folders.
    void listFolder()
    {
        for (const char *name : {"Italiano.lng", "b.LNG", "a.Lng", "A.lng", "English.lng", "LangSetting.ini",
                                 "notes.lngx", "lng", "z(1)+.lng"})
            makeFile(name);
        QVERIFY(QDir(root()).mkdir("folder.lng") && QDir(root()).mkdir("sub"));
        const QString lng = u"A.lng,a.Lng,b.LNG,English.lng,Italiano.lng,z(1)+.lng"_s;
        const std::pair<const char *, QString> cases[] = {
            {"*.lng", lng},
            {"*.LNG", lng},
            {"?.lng", u"A.lng,a.Lng,b.LNG"_s},
            {"Z(1)+.*", u"z(1)+.lng"_s},
            {"*.*",
             u"A.lng,a.Lng,b.LNG,English.lng,Italiano.lng,LangSetting.ini,lng,notes.lngx,z(1)+.lng"_s}};
        for (const auto &[pattern, expected] : cases)
            QCOMPARE(platform::listFolder(root() + "\\SUB\\..", pattern).join(u','), expected);
        QCOMPARE(platform::listFolder(root() + "/nowhere", "*.lng"), QStringList());
        QCOMPARE(platform::listFolder(root() + "/lng", "*"), QStringList()); // a file
    }

    // Whole files in one read, cut where asked; a device that never ends must not hang the program.
    void readBytes()
    {
        const QByteArray content("[s]\r\nk=\xE8\0tail", 13);
        makeFile("Data.ini", content);
        makeFile("empty.ini");
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
        bool ok = true;
        QCOMPARE(readFileBytes("/dev/zero", &ok), QByteArray());
        QVERIFY(!ok);
    }

    // Old files are Windows-1252, new ones UTF-8: a wrong guess shows garbled accents.
    void decode_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("text");
        QTest::addColumn<TE>("encoding");
        QTest::newRow("UTF-8") << QByteArray("perch\xC3\xA8 \xE2\x82\xAC") << u"perchè €"_s << TE::Utf8;
        QTest::newRow("UTF-8 mark dropped, a second kept")
            << QByteArray("\xEF\xBB\xBF\xEF\xBB\xBFx") << u"\uFEFFx"_s << TE::Utf8Bom;
        QTest::newRow("Windows-1252 with a UTF-8 mark")
            << QByteArray("\xEF\xBB\xBF\xE8") << u"è"_s << TE::Windows1252;
        QTest::newRow("UTF-8 cut off at the end")
            << QByteArray("\xC3\xA8\xE2\x82") << u"Ã¨â‚"_s << TE::Windows1252;
        QTest::newRow("overlong UTF-8") << QByteArray("\xC0\xAF") << u"À¯"_s << TE::Windows1252;
        QTest::newRow("0x80-0x9F")
            << QByteArray(
                   "\x80\x81\x82\x83\x84\x85\x86\x87\x88\x89\x8A\x8B\x8C\x8D\x8E\x8F\x90\x91\x92\x93\x94"
                   "\x95\x96\x97\x98\x99\x9A\x9B\x9C\x9D\x9E\x9F")
            << u"€\u0081‚ƒ„…†‡ˆ‰Š‹Œ\u008DŽ\u008F\u0090‘’“”•–—˜™š›œ\u009DžŸ"_s << TE::Windows1252;
        QTest::newRow("UTF-16LE, odd byte dropped")
            << QByteArray("\xFF\xFEh\0\xE8\0\xAC\x20i", 9) << u"hè€"_s << TE::Utf16Le;
        QTest::newRow("NUL bytes kept") << QByteArray("a\0b", 3) << u"a\0b"_s << TE::Utf8;
    }
    void decode()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, text);
        QFETCH(TE, encoding);
        QCOMPARE(decodeText(bytes), text);
        QCOMPARE(detectEncoding(bytes), encoding);
    }

    // A file edited in one line keeps every byte of the others, and new text goes in the
    // file's own encoding ('?' where Windows-1252 has no character, as on Windows).
    void encode()
    {
        QByteArray all;
        for (int b = 0; b < 256; ++b)
            all.append(char(b));
        QCOMPARE(encodeText(decodeText(all, TE::Windows1252), TE::Windows1252), all);
        QCOMPARE(encodeText(u"a日b\U0001F600c\u0080"_s, TE::Windows1252), "a?b?c?");
        QCOMPARE(encodeText(u"è"_s, TE::Utf8Bom), "\xC3\xA8"); // the mark is the file's, not the line's
        QCOMPARE(encodeText(u"hè\U0001F600"_s, TE::Utf16Le), QByteArray("h\0\xE8\0\x3D\xD8\x00\xDE", 8));
        QCOMPARE(byteOrderMarkLength("\xEF\xBBx"), 0);
        QCOMPARE(splitLines("a\rb\nc\r\n\n\rd"), QStringList({"a", "b", "c", "", "", "d"}));
        QCOMPARE(splitLines("x\r\n"), QStringList{"x"});
    }
};

QTEST_GUILESS_MAIN(TstFileSystem)
#include "tst_filesystem.moc"
