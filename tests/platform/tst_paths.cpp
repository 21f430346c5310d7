// Turning the program's '\'-separated paths into real ones, whatever the letter case on disk.

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

class TstPaths : public QObject
{
    Q_OBJECT

private slots:
    void init();

    void resolve_data();
    void resolve();
    void exactSpellingPreferred();
    void folderPreferredInsideAPath();
    void relativePath();
    void seesFilesAddedLater();
    void seesRenamesRightAway();
    void seesChangesWithinOneClockTick();
    void emptyPath();

    void join_data();
    void join();

private:
    void makeFile(const QString &relative);
    QString root() const { return m_dir->path(); }

    std::unique_ptr<QTemporaryDir> m_dir;
};

void TstPaths::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
}

void TstPaths::makeFile(const QString &relative)
{
    const QString file = m_dir->filePath(relative);
    QVERIFY(QDir().mkpath(QFileInfo(file).path()));
    QFile f(file);
    QVERIFY(f.open(QIODevice::WriteOnly));
}

void TstPaths::resolve_data()
{
    QTest::addColumn<QStringList>("onDisk");
    QTest::addColumn<QString>("asked");    // relative to the temporary folder, as the program writes it
    QTest::addColumn<QString>("expected"); // relative to the temporary folder

    const QStringList picture{QStringLiteral("JPG/GRANDE.jpg")};
    QTest::newRow("exact") << picture << "\\JPG\\GRANDE.jpg"
                           << "/JPG/GRANDE.jpg";
    QTest::newRow("file and folder case") << picture << "\\jpg\\grande.JPG"
                                          << "/JPG/GRANDE.jpg";
    QTest::newRow("forward slashes") << picture << "/jpg/grande.jpg"
                                     << "/JPG/GRANDE.jpg";
    QTest::newRow("mixed and doubled separators") << picture << "\\\\jpg//grande.jpg"
                                                  << "/JPG/GRANDE.jpg";
    QTest::newRow("program's spelling")
        << QStringList{QStringLiteral("jpg/grande.jpg")} << "\\jpg\\GRANDE.jpg"
        << "/jpg/grande.jpg";
    QTest::newRow("deep") << QStringList{QStringLiteral("a/B/c/D.txt")} << "\\A\\b\\C\\d.TXT"
                          << "/a/B/c/D.txt";
    QTest::newRow("accented") << QStringList{QStringLiteral("città.jpg")} << QStringLiteral("\\CITTÀ.JPG")
                              << QStringLiteral("/città.jpg");
    QTest::newRow("missing file kept as written") << picture << "\\jpg\\Piccolo.jpg"
                                                  << "/JPG/Piccolo.jpg";
    QTest::newRow("missing folder kept as written") << picture << "\\jpg\\Sub\\X.jpg"
                                                    << "/JPG/Sub/X.jpg";
    QTest::newRow("missing at the top") << picture << "\\Suoni\\a.wav"
                                        << "/Suoni/a.wav";
    QTest::newRow("trailing separator") << picture << "\\jpg\\"
                                        << "/JPG/";
    QTest::newRow("dot and dot-dot") << picture << "\\jpg\\..\\jpg\\.\\grande.jpg"
                                     << "/JPG/../JPG/./GRANDE.jpg";
    QTest::newRow("no partial match") << picture << "\\jpg\\grande"
                                      << "/JPG/grande";
}

void TstPaths::resolve()
{
    QFETCH(QStringList, onDisk);
    QFETCH(QString, asked);
    QFETCH(QString, expected);

    for (const QString &file : onDisk)
        makeFile(file);
    QCOMPARE(resolvePath(root() + asked), root() + expected);
    // The same answer again, now that the folders may be known.
    QCOMPARE(resolvePath(root() + asked), root() + expected);
}

void TstPaths::exactSpellingPreferred()
{
    makeFile(QStringLiteral("a.txt"));
    makeFile(QStringLiteral("A.TXT"));
    makeFile(QStringLiteral("A.txt"));
    QCOMPARE(resolvePath(root() + QStringLiteral("\\a.txt")), root() + QStringLiteral("/a.txt"));
    QCOMPARE(resolvePath(root() + QStringLiteral("\\A.txt")), root() + QStringLiteral("/A.txt"));
    // No exact spelling: the first in sorted (byte) order.
    QCOMPARE(resolvePath(root() + QStringLiteral("\\a.TXT")), root() + QStringLiteral("/A.TXT"));

    // The same inside a path: "sub" is spelled right and must not turn into "SUB".
    makeFile(QStringLiteral("top/SUB/other.txt"));
    makeFile(QStringLiteral("top/sub/x.txt"));
    QCOMPARE(resolvePath(root() + QStringLiteral("\\Top\\sub\\X.TXT")),
             root() + QStringLiteral("/top/sub/x.txt"));
}

void TstPaths::folderPreferredInsideAPath()
{
    // "JPG" sorts first but is a file; only the folder "jpg" can lead on to the picture.
    makeFile(QStringLiteral("JPG"));
    makeFile(QStringLiteral("jpg/x.png"));
    QCOMPARE(resolvePath(root() + QStringLiteral("\\Jpg\\X.PNG")), root() + QStringLiteral("/jpg/x.png"));
}

void TstPaths::relativePath()
{
    makeFile(QStringLiteral("sub/File.txt"));
    const QString before = QDir::currentPath();
    QVERIFY(QDir::setCurrent(root()));
    const auto restore = qScopeGuard([&] { QDir::setCurrent(before); });
    QCOMPARE(resolvePath(QStringLiteral("SUB\\file.TXT")), QStringLiteral("sub/File.txt"));
    QCOMPARE(resolvePath(QStringLiteral("sub")), QStringLiteral("sub"));
    QCOMPARE(resolvePath(QStringLiteral("SUB")), QStringLiteral("sub"));
    QCOMPARE(resolvePath(QStringLiteral("Missing.txt")), QStringLiteral("Missing.txt"));
}

void TstPaths::seesFilesAddedLater()
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
}

void TstPaths::seesRenamesRightAway()
{
    // Changes within one tick of the file system clock must not be missed either.
    makeFile(QStringLiteral("A.txt"));
    const QString asked = root() + QStringLiteral("\\a.TXT");
    for (int i = 0; i < 20; ++i) {
        const QString from = i % 2 ? QStringLiteral("/a.Txt") : QStringLiteral("/A.txt");
        const QString to = i % 2 ? QStringLiteral("/A.txt") : QStringLiteral("/a.Txt");
        QCOMPARE(resolvePath(asked), root() + from);
        QVERIFY(QFile::rename(root() + from, root() + to));
        QCOMPARE(resolvePath(asked), root() + to);
    }
}

void TstPaths::seesChangesWithinOneClockTick()
{
#ifdef Q_OS_LINUX
    // The file system clock is coarse: a folder can change twice with the same time stamp.
    // Simulate that by putting the old time stamp back after a rename.
    makeFile(QStringLiteral("B.txt"));
    const QByteArray folder = QFile::encodeName(root());
    struct stat before;
    QCOMPARE(::stat(folder.constData(), &before), 0);
    QCOMPARE(resolvePath(root() + QStringLiteral("\\b.TXT")), root() + QStringLiteral("/B.txt"));
    QVERIFY(QFile::rename(root() + QStringLiteral("/B.txt"), root() + QStringLiteral("/b.Txt")));
    const decltype(before.st_mtim) times[2] = {before.st_atim, before.st_mtim};
    QCOMPARE(::utimensat(AT_FDCWD, folder.constData(), times, 0), 0);
    QCOMPARE(resolvePath(root() + QStringLiteral("\\b.TXT")), root() + QStringLiteral("/b.Txt"));
#else
    QSKIP("needs nanosecond time stamps");
#endif
}

void TstPaths::emptyPath()
{
    QCOMPARE(resolvePath(QString()), QString());
}

void TstPaths::join_data()
{
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("expected");
    QTest::newRow("plain") << "/opt/z"
                           << "a.lng"
                           << "/opt/z/a.lng";
    QTest::newRow("slash") << "/opt/z/"
                           << "a.lng"
                           << "/opt/z/a.lng";
    QTest::newRow("backslash") << "C:\\z\\"
                               << "a.lng"
                               << "C:\\z\\a.lng";
    QTest::newRow("no folder") << ""
                               << "a.lng"
                               << "a.lng";
    QTest::newRow("root") << "/"
                          << "a.lng"
                          << "/a.lng";
}

void TstPaths::join()
{
    QFETCH(QString, folder);
    QFETCH(QString, name);
    QFETCH(QString, expected);
    QCOMPARE(joinPath(folder, name), expected);
}

QTEST_GUILESS_MAIN(TstPaths)
#include "tst_paths.moc"
