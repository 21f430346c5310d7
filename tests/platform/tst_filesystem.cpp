// Paths in the program's spelling ('\' or '/', any letter case), file length, folder listing,
// whole-file reading and text encodings. How the encodings read and write in a file: tst_profile.

#include "platform/FileSystem.h"
#include "platform/Paths.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

#ifdef Q_OS_LINUX
#include <fcntl.h>
#include <sys/stat.h>
#endif

using namespace platform;
using namespace Qt::StringLiterals;

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
        QTest::addColumn<QString>("asked");  // below the temporary folder, as the program writes it
        QTest::addColumn<QString>("expected");
        // clang-format off
        const char *rows[][4] = {
            {"file and folder case", "JPG/GRANDE.jpg", "\\\\jpg//grande.JPG", "/JPG/GRANDE.jpg"},
            {"accented", "città.jpg", "\\CITTÀ.JPG", "/città.jpg"},
            {"missing parts kept as written", "JPG/GRANDE.jpg", "\\jpg\\Sub\\X.jpg", "/JPG/Sub/X.jpg"},
            {"no partial match", "JPG/GRANDE.jpg", "\\jpg\\grande", "/JPG/grande"},
            // Among several spellings the exact one wins, else the first in byte order; inside a
            // path only a folder leads on.
            {"exact twin", "a.txt,A.TXT,A.txt", "\\A.txt", "/A.txt"},
            {"no exact twin", "a.txt,A.TXT,A.txt", "\\a.TXT", "/A.TXT"},
            {"exact folder in a path", "top/SUB/o.txt,top/sub/x.txt", "\\Top\\sub\\X.TXT", "/top/sub/x.txt"},
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

    // The language menu lists exactly the language files, in this order: without regard to
    // letter case, then by byte order; no folders.
    void listFolder()
    {
        for (const char *name : {"Italiano.lng", "b.LNG", "a.Lng", "A.lng", "English.lng", "LangSetting.ini",
                                 "notes.lngx", "lng", "z(1)+.lng"})
            makeFile(name);
        QVERIFY(QDir(root()).mkdir("folder.lng") && QDir(root()).mkdir("sub"));
        QCOMPARE(platform::listFolder(root() + "\\SUB\\..", "*.lng").join(u','),
                 u"A.lng,a.Lng,b.LNG,English.lng,Italiano.lng,z(1)+.lng"_s);
        QCOMPARE(platform::listFolder(root() + "/lng", "*.lng"), QStringList()); // a file
    }

    // Lengths (which pick the reader of a language file) and whole files in one read (a device
    // that never ends must not hang the program).
    void lengthsAndWholeFiles()
    {
        const QByteArray content("[s]\r\nk=\xE8\0tail", 13);
        makeFile("Data.ini", content);
        QVERIFY(QDir(root()).mkdir("jpg"));
        QCOMPARE(fileLength(root() + "\\DATA.INI"), 13);
        for (const QString &none : {root() + "/missing.lng", root() + "\\JPG", QString()})
            QCOMPARE(fileLength(none), -1);
        bool ok = false;
        QCOMPARE(readFileBytes(root() + "\\DATA.INI", &ok), content);
        QVERIFY(ok);
        for (const QString &none : {root() + "/missing.ini", root() + "/jpg", u"/dev/zero"_s}) {
            QCOMPARE(readFileBytes(none, &ok), QByteArray());
            QVERIFY(!ok);
        }
    }

    // Every byte of a Windows-1252 file comes back as it was (the 27 characters at 0x80-0x9F
    // and the five unassigned bytes too), so an edit of one line keeps all the others.
    void encodings()
    {
        QByteArray all;
        for (int b = 0; b < 256; ++b)
            all.append(char(b));
        const QString text = decodeText(all, TextEncoding::Windows1252);
        QCOMPARE(text.mid(0x80, 32), u"€\u0081‚ƒ„…†‡ˆ‰Š‹Œ\u008DŽ\u008F\u0090‘’“”•–—˜™š›œ\u009DžŸ"_s);
        QCOMPARE(encodeText(text, TextEncoding::Windows1252), all);
        QCOMPARE(encodeText(u"a日😀"_s, TextEncoding::Windows1252), "a??"); // a '?' a character, as on Windows
        QCOMPARE(detectEncoding("\xEF\xBB\xBF\xEF\xBB\xBFx"), TextEncoding::Utf8Bom);
        QCOMPARE(decodeText("\xEF\xBB\xBF\xEF\xBB\xBFx"), u"\uFEFFx"_s); // a second mark is a character
    }
};

QTEST_GUILESS_MAIN(TstFileSystem)
#include "tst_filesystem.moc"
