// Files as the program finds, reads and writes them: paths in its spelling ('\\' or '/', any
// letter case), folder listings, text encodings, where its data and the user's choice live,
// and profile (INI) files with the meaning of the Windows profile functions. Read-back, repeated
// writes and the other keys of a file are checked on many inputs by the fuzzer's seeds
// (fuzz_seeds); here are the exact texts read and the exact bytes written.

#include "platform/FileSystem.h"
#include "platform/Paths.h"
#include "platform/Profile.h"
#include "platform/ProgramFolders.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <memory>

#include <csignal>
#include <fcntl.h>
#include <poll.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace platform;
using namespace Qt::StringLiterals;

namespace {

QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

bool putFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return QDir().mkpath(QFileInfo(path).path()) && file.open(QIODevice::WriteOnly) &&
           file.write(bytes) == bytes.size();
}

QByteArray utf16Le(const QString &text)
{
    QByteArray bytes("\xFF\xFE");
    for (const QChar c : text)
        bytes.append(char(c.unicode() & 0xFF)).append(char(c.unicode() >> 8));
    return bytes;
}

} // namespace

class TstFiles : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_dir;
    QString path(const QString &name) const { return m_dir->filePath(name); }
    void put(const QString &name, const QByteArray &bytes = "x") { QVERIFY(putFile(path(name), bytes)); }
    QStringList folder() const
    {
        return QDir(m_dir->path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
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
            put(file);
        QCOMPARE(resolvePath(m_dir->path() + asked), m_dir->path() + expected);
        QCOMPARE(resolvePath(m_dir->path() + asked), m_dir->path() + expected); // again, now from the cache
    }

    // A file renamed or added while the program runs is found under its new name.
    void cacheNoticesChanges()
    {
        put("old/Pic.jpg");
        const QString folder = m_dir->filePath("old"), asked = folder + "\\PIC.JPG";
        // A folder untouched for an hour is one whose listing may be remembered.
        const timespec hourAgo[2] = {{time(nullptr) - 3600, 0}, {time(nullptr) - 3600, 0}};
        QCOMPARE(::utimensat(AT_FDCWD, QFile::encodeName(folder).constData(), hourAgo, 0), 0);
        QCOMPARE(resolvePath(asked), folder + "/Pic.jpg");
        QCOMPARE(resolvePath(folder + "\\NEW.JPG"), folder + "/NEW.JPG");
        QVERIFY(QFile::rename(folder + "/Pic.jpg", folder + "/pic.JPG"));
        put("old/new.jpg");
        QCOMPARE(resolvePath(asked), folder + "/pic.JPG");
        QCOMPARE(resolvePath(folder + "\\NEW.JPG"), folder + "/new.jpg");
        // Two changes within one tick of the file system clock: the time stamp put back after a rename.
        struct stat before;
        QCOMPARE(::stat(QFile::encodeName(folder).constData(), &before), 0);
        QVERIFY(QFile::rename(folder + "/pic.JPG", folder + "/Pic.jpg"));
        const timespec stamps[2] = {before.st_atim, before.st_mtim};
        QCOMPARE(::utimensat(AT_FDCWD, QFile::encodeName(folder).constData(), stamps, 0), 0);
        QCOMPARE(resolvePath(asked), folder + "/Pic.jpg");
    }

    // The language menu lists exactly the language files, in this order: without regard to
    // letter case, then by byte order; no folders.
    void listFolder()
    {
        for (const char *name : {"Italiano.lng", "b.LNG", "a.Lng", "A.lng", "English.lng", "LangSetting.ini",
                                 "notes.lngx", "lng", "z(1)+.lng"})
            put(QLatin1String(name));
        QVERIFY(QDir(m_dir->path()).mkdir("folder.lng") && QDir(m_dir->path()).mkdir("sub"));
        QCOMPARE(platform::listFolder(m_dir->path() + "\\SUB\\..", "*.lng").join(u','),
                 u"A.lng,a.Lng,b.LNG,English.lng,Italiano.lng,z(1)+.lng"_s);
        QCOMPARE(platform::listFolder(m_dir->path() + "/lng", "*.lng"), QStringList()); // a file
    }

    // Lengths (which pick the reader of a language file) and whole files in one read (a device
    // that never ends must not hang the program).
    void lengthsAndWholeFiles()
    {
        const QByteArray content("[s]\r\nk=\xE8\0tail", 13);
        put("Data.ini", content);
        QVERIFY(QDir(m_dir->path()).mkdir("jpg"));
        bool ok = false;
        QCOMPARE(fileLength(m_dir->path() + "\\DATA.INI"), 13);
        QVERIFY(readFileBytes(m_dir->path() + "\\DATA.INI", &ok) == content && ok);
        for (const QString &none : {m_dir->path() + "/missing.lng", m_dir->path() + "\\JPG", QString()})
            QCOMPARE(fileLength(none), -1);
        for (const QString &none : {m_dir->path() + "/missing.ini", m_dir->path() + "/jpg", u"/dev/zero"_s})
            QVERIFY2(readFileBytes(none, &ok).isEmpty() && !ok, qPrintable(none));
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
    // A program that finds no pictures, writes into an installed folder, or loses the child's
    // language choice: the data beside the executable, else the installed data; the user's
    // folders for an installed or read-only program ($XDG_..._HOME if absolute, else $HOME).
    void choice_data()
    {
        QTest::addColumn<QString>("executable");
        QTest::addColumn<bool>("writable");
        QTest::addColumn<QStringList>("environment"); // XDG_CONFIG_HOME, XDG_DATA_HOME, HOME
        QTest::addColumn<QString>("data");
        QTest::addColumn<QStringList>("user"); // settings, languages; none when not in use
        const QStringList ana{"", "", "/home/ana"}, xdg{"/cfg", "/dat/", "/home/ana"};
        const QStringList home{"/home/ana/.config/zorvelli", "/home/ana/.local/share/zorvelli"},
            set{"/cfg/zorvelli", "/dat/zorvelli"};
        const QString installed = "usr/share/games/zorvelli";
        // clang-format off
        QTest::newRow("writable runnable") << "run" << true << xdg << "run" << QStringList();
        QTest::newRow("read-only runnable") << "run" << false << ana << "run" << home;
        QTest::newRow("installed, writable") << "usr/games" << true << ana << installed << home;
        QTest::newRow("relative XDG ignored") << "usr/games" << true << QStringList{"cfg", "./dat", "/home/ana"} << installed << home;
        QTest::newRow("XDG set, no home") << "usr/games" << true << QStringList{"/cfg", "/dat", ""} << installed << set;
        QTest::newRow("relative home") << "usr/games" << true << QStringList{"", "", "home/ana"} << installed << QStringList{"", ""};
        QTest::newRow("language files only") << "langonly" << true << ana << "langonly" << QStringList();
        QTest::newRow("JPG in capitals") << "capitals" << true << ana << "capitals" << QStringList();
        QTest::newRow("beside wins") << "both/games" << true << ana << "both/games" << QStringList();
        QTest::newRow("no data anywhere") << "nothing/games" << true << ana << "nothing/games" << QStringList();
        // clang-format on
    }
    void choice()
    {
        QFETCH(QString, executable);
        QFETCH(bool, writable);
        QFETCH(QStringList, environment);
        QFETCH(QString, data);
        QFETCH(QStringList, user);
        for (const char *file :
             {"run/jpg/blu.jpg", "usr/games/zorvelli", "usr/share/games/zorvelli/jpg/blu.jpg",
              "langonly/English.LNG", "capitals/JPG/blu.jpg", "both/games/jpg/blu.jpg",
              "both/share/games/zorvelli/jpg/blu.jpg", "nothing/games/zorvelli"})
            put(QLatin1String(file));
        Surroundings s{path(executable), u"../share/games/zorvelli"_s, environment[0], environment[1],
                       environment[2]};
        QStringList asked;
        s.canWriteSettings = [&](const QString &folder) {
            asked << folder;
            return writable;
        };
        const ProgramFolders f = chooseProgramFolders(s);
        QCOMPARE(f.data, path(data));
        QCOMPARE(f.user.inUse, !user.isEmpty());
        QCOMPARE(QStringList({f.user.settings, f.user.languages}), user.isEmpty() ? QStringList(2) : user);
        QVERIFY(asked.isEmpty() || asked == QStringList(f.data)); // only the data folder is asked about
    }

    // A language choice that cannot be saved, taken for one that can, or the other way round:
    // "run/jpg" has no settings file yet; "plain" is a file, not a folder; in "dir" the settings
    // file is a folder; root writes whatever the permissions say.
    void settingsWritable()
    {
        for (const char *file : {"run/jpg/blu.jpg", "w/LangSetting.ini", "plain", "ro/LangSetting.ini"})
            put(QLatin1String(file));
        QVERIFY(QDir().mkpath(path("dir/LangSetting.ini")));
        QVERIFY(QFile::setPermissions(path("ro/LangSetting.ini"), QFile::ReadOwner));
        const bool root = ::geteuid() == 0;
        // clang-format off
        const std::pair<const char *, bool> folders[] = {{"w", true}, {"run/jpg", true}, {"missing", false},
                                                         {"plain", false}, {"dir", false}, {"ro", root}};
        // clang-format on
        for (const auto &[folder, writable] : folders)
            QVERIFY2(Surroundings::settingsWritable(path(QLatin1String(folder))) == writable, folder);
    }

    // Settings others can read, or none made at all: the user's folder and its missing parents
    // are made private.
    void userFolderIsCreatedPrivate()
    {
        const QString folder = path("home/.config/zorvelli");
        QVERIFY(makeUserFolder(folder));
        QVERIFY(makeUserFolder(folder)); // already there
        // Nothing for the group or others.
        for (const QString &made : {path("home/.config"), folder})
            QCOMPARE(QFileInfo(made).permissions() & 0x00FF, QFile::Permissions());
        put("blocked");
        QVERIFY(!makeUserFolder(path("blocked/zorvelli")));
        QVERIFY(!makeUserFolder(QString()));
    }
    // What a language file or LangSetting.ini says: a wrong rule shows a wrong or missing text.
    void read_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("expected"); // "DEF", the default, when the key is not found
        const auto row = [](const char *name, const QByteArray &content, const QString &expected,
                            const QString &section = "s", const QString &key = "k") {
            QTest::newRow(name) << content << section << key << expected;
        };
        // clang-format off
        row("one outer pair of quotes goes", "[s]\r\nk= ' \"a\" ' \r\n", " \"a\" ");
        row("mismatched quotes stay", "[s]\r\nk=\"abc'\r\n", "\"abc'");
        row("blanks around names and value", "  \t[ \t s \v ]\r\n \t\vk\v\t = \t\vv w\v\t \r\n", "v w");
        row("first equals splits, no inline comment", "[s]\r\nk = a=b ; x\r\n", "a=b ; x");
        row("indented ';' comments", "[s]\r\n \t;k=v\r\n", "DEF", "s", ";k");
        row("hash is ordinary", "[s]\r\n#k=v # c\r\n", "v # c", "s", "#k");
        row("case of names, not of values", "[SeCtIoN]\r\nKeY=VaLuE\r\n", "VaLuE", "sEcTiOn", "kEy");
        row("accented case", "[Citt\xC3\xA0]\r\n\xC3\xA8=v\r\n", "v", "CITTÀ", "È");
        row("a lone surrogate is no U+FFFD", utf16Le(u"[A"_s + QChar(0xDBDB) + u"x]\r\nk=v\r\n"_s), "DEF",
            u"a\uFFFDx"_s);
        row("a lone surrogate in any case", utf16Le(u"[A"_s + QChar(0xDBDB) + u"x]\r\nk=v\r\n"_s), "v",
            u"a"_s + QChar(0xDBDB) + u"X"_s);
        row("prefix of a key is not it", "[s]\r\nkey=v\r\n", "DEF", "s", "ke");
        row("before first section", "k=v\r\n[s]\r\nx=y\r\n", "DEF");
        row("first key wins, even empty", "[s]\r\nk=\r\nK=2\r\n", "");
        row("second section never searched", "[s]\r\na=1\r\n[S]\r\nk=2\r\n", "DEF");
        row("mixed line ends", "[a]\nk=1\r[s]\r\nx=2\rk=v\n", "v");
        row("NUL ends the value", "[s]\r\nk=ab\0cd\r\n"_ba, "ab");
        row("Windows-1252", "[Citt\xE0]\r\nk=perch\xE8 \x80 \x93" "ciao\x94 \x8C\x9C \x85 \x99 \x9F \x83\r\n",
            "perchè € “ciao” Œœ … ™ Ÿ ƒ", "città");
        row("UTF-8 mark, section on first line", "\xEF\xBB\xBF[s]\r\nk=perch\xC3\xA8 \xE2\x82\xAC\r\n", "perchè €");
        row("UTF-16LE, odd last byte", utf16Le("[s]\r\nk=perchè €\r\n") + 'A', "perchè €");
        // The program's buffer of 511 characters is filled after the quotes went.
        row("quotes go before the cut", "[s]\r\nk=\"" + QByteArray(511, 'q') + '"', QString(511, u'q'));
        // clang-format on
    }
    void read()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, section);
        QFETCH(QString, key);
        QFETCH(QString, expected);
        QVERIFY(putFile(path("test.ini"), content));
        bool found = expected == "DEF"_L1;
        QCOMPARE(readProfileString(path("test.ini"), section, key, "DEF", 512, &found), expected);
        QCOMPARE(found, expected != "DEF"_L1);
        // Looked up in an index of the text, as a window's many texts are: the same answer.
        const platform::ProfileIndex index(platform::decodeText(content));
        QCOMPARE(index.value(section, key, "DEF", 512, &found), expected);
        QCOMPARE(found, expected != "DEF"_L1);
    }

    // Other buffers and defaults, the program's spelling of a path, a line too long to hold.
    void readEdges()
    {
        const QString file = path("edge.ini");
        QVERIFY(putFile(file, "[s]\r\nk=abc\r\nj=ab\xF0\x9F\x98\x80\r\n"));
        QCOMPARE(readProfileString(file, "s", "k", "d", 0), "");   // no room at all
        QCOMPARE(readProfileString(file, "s", "j", "d", 4), "ab"); // never half a character
        QCOMPARE(readProfileString(m_dir->path() + "\\EDGE.Ini", " s ", " k ", "d"), "abc");
        bool found = true;
        QCOMPARE(readProfileString(path("missing.ini"), "s", "k", "  d\t  ", 512, &found), "  d\t");
        QVERIFY(!found);
        QVERIFY(putFile(file, "[s]\r\nk=" + QByteArray(20 * 1024 * 1024, 'a')));
        QCOMPARE(readProfileString(file, "s", "k", "d"), QString(511, u'a'));
    }

    // A choice saved into LangSetting.ini: a wrong byte shows when someone opens the file, or
    // when the old program reads it.
    void write_data()
    {
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QByteArray>("after");
        QTest::addColumn<bool>("written");
        const auto row = [](const char *name, const QByteArray &before, const QString &section,
                            const QString &key, const QString &value, const QByteArray &after,
                            bool written = true) {
            QTest::newRow(name) << before << section << key << value << after << written;
        };
        // Everything around the touched line survives: comments, blank lines, odd spacing,
        // other sections, a last line without a line end.
        const QByteArray messy("; header comment\r\n\r\n[Other]\r\n  k   =  other  \r\n\r\n"
                               "[Lang]  ; the language\r\n\t; which one\r\n   Language =  \"English\"  \r\n"
                               "Extra=1\r\n\r\n\r\n[Last]\r\nx = y");
        const QByteArray s1("[s]\r\nk=1\r\n");
        // clang-format off
        row("replace keeps the rest", messy, "lang", "LANGUAGE", "Italiano",
            QByteArray(messy).replace("   Language =  \"English\"  ", "Language=Italiano"));
        row("new key after last filled line", messy, "Lang", "New", "v",
            QByteArray(messy).replace("Extra=1\r\n", "Extra=1\r\nNew=v\r\n"));
        row("new section without line end", messy, "New", "k", "v", messy + "\r\n[New]\r\nk=v\r\n");
        row("first duplicate key edited", "[s]\r\nk=1\r\nk=2\r\n", "s", "k", "9", "[s]\r\nk=9\r\nk=2\r\n");
        row("value written as given", s1, "s", "k", "\"a' \"b\" ; c=d", "[s]\r\nk=\"a' \"b\" ; c=d\r\n");
        row("blanks at the ends quoted", s1, "s", "k", "NON ", "[s]\r\nk=\"NON \"\r\n");
        row("LF file stays LF", "[s]\na=1\n", "t", "k", "v", "[s]\na=1\n[t]\nk=v\n");
        row("CR file stays CR", "[s]\ra=1\r", "s", "k", "v", "[s]\ra=1\rk=v\r");
        // A Windows-1252 file stays so unless it could not hold the new text.
        row("Windows-1252 stays Windows-1252", "[Citt\xE0]\r\na=perch\xE8\r\n", "CITTÀ", "k", "città € “x” Œ",
            "[Citt\xE0]\r\na=perch\xE8\r\nk=citt\xE0 \x80 \x93x\x94 \x8C\r\n");
        row("Windows-1252 that can't hold the value", "\xEF\xBB\xBF[s]\r\na=\xE8\x80\r\nk=1\r\n", "s", "k", "a日本😀",
            "\xEF\xBB\xBF[s]\r\na=\xC3\xA8\xE2\x82\xAC\r\nk=a\xE6\x97\xA5\xE6\x9C\xAC\xF0\x9F\x98\x80\r\n");
        row("UTF-16LE, odd last byte stays last", utf16Le("[s]\r\nk=1") + 'x', "s", "j", "è",
            utf16Le("[s]\r\nk=1\r\nj=è\r\n") + 'x');
        // Names and values the reader would take for something else: written, they could never be
        // found again (every write adding a copy) or would break the lines around them.
        row("']' in a section", s1, "a]b", "k", "v", s1, false);
        row("'=' in a key", s1, "s", "a=b", "v", s1, false);
        row("';' before a key", s1, "s", ";k", "v", s1, false);
        row("blank before a key", s1, "s", "\tk", "v", s1, false);
        row("line end in a value", s1, "s", "k", "v\r", s1, false);
        row("NUL in a value", s1, "s", "k", u"v\0w"_s, s1, false);
        row("lone surrogate in a value", s1, "s", "k", QString(QChar(0xD800)), s1, false);
        // clang-format on
    }
    void write()
    {
        QFETCH(QByteArray, before);
        QFETCH(QString, section);
        QFETCH(QString, key);
        QFETCH(QString, value);
        QFETCH(QByteArray, after);
        QFETCH(bool, written);
        QVERIFY(putFile(path("w.ini"), before));
        QCOMPARE(writeProfileString(path("w.ini"), section, key, value), written);
        QCOMPARE(fileBytes(path("w.ini")), after);
    }

    // A new LangSetting.ini is UTF-8 with CRLF. An existing one is edited where it is: spelled in
    // another letter case (not doubled), or behind a link (which stays, with the permissions).
    void writeFindsTheFile()
    {
        QVERIFY(writeProfileString(path("new.ini"), "Language", "Current", "Italiano è"));
        QCOMPARE(fileBytes(path("new.ini")), QByteArray("[Language]\r\nCurrent=Italiano \xC3\xA8\r\n"));
        const auto permissions = QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup;
        QVERIFY(putFile(path("langsetting.ini"), "[s]\r\nk=1\r\n"));
        QVERIFY(QFile::setPermissions(path("langsetting.ini"), permissions));
        QVERIFY(writeProfileString(m_dir->path() + "\\LangSetting.INI", "s", "k", "2"));
        QVERIFY(QFile::link(path("langsetting.ini"), path("link.ini")));
        QVERIFY(writeProfileString(path("link.ini"), "s", "j", "3"));
        QCOMPARE(folder(), QStringList({"langsetting.ini", "link.ini", "new.ini"}));
        QVERIFY(QFileInfo(path("link.ini")).isSymLink());
        QCOMPARE(fileBytes(path("langsetting.ini")), QByteArray("[s]\r\nk=2\r\nj=3\r\n"));
        // Owner, group and others; the "user" bits depend on who runs the test.
        QCOMPARE(QFileInfo(path("langsetting.ini")).permissions() & 0xF0FF, permissions & 0xF0FF);
    }

    // A write that cannot be done (no folder, a file in the way, a full disk) says so and leaves
    // no trace: no folder, no temporary file, no damaged file.
    void writeFailuresLeaveEverythingAsItWas()
    {
        const QByteArray original = "[s]\r\nk=1\r\n" + QByteArray(200, ';');
        QVERIFY(putFile(path("plain"), original) && QDir(m_dir->path()).mkdir("sub.ini"));
        for (const QString &file : {path("nowhere/x.ini"), path("plain/x.ini"), path("sub.ini")})
            QVERIFY2(!writeProfileString(file, "s", "k", "v"), qPrintable(file));
        // Even root cannot write past the process's file size limit: the last flush fails.
        rlimit saved, tight;
        QCOMPARE(getrlimit(RLIMIT_FSIZE, &saved), 0);
        tight = saved;
        tight.rlim_cur = 100;
        const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        const bool limited = setrlimit(RLIMIT_FSIZE, &tight) == 0;
        const bool written = writeProfileString(path("plain"), "s", "k", "2");
        setrlimit(RLIMIT_FSIZE, &saved);
        std::signal(SIGXFSZ, oldHandler);
        QVERIFY(limited && !written);
        QCOMPARE(fileBytes(path("plain")), original);
        QCOMPARE(folder(), QStringList({"plain", "sub.ini"}));
        QVERIFY(QFileInfo(path("sub.ini")).isDir());
    }

    // The program killed (power cut, kill) while saving: LangSetting.ini is always whole, either
    // before or after one of its writes, never empty, cut or mixed.
    void writeSurvivesKills()
    {
        const QString file = path("LangSetting.ini");
        const QByteArray head =
            "[Other]\r\nKeep=this\r\n" +
            QByteArray("; a line of a file big enough to take a while\r\n").repeated(200) +
            "[Language]\r\nCurrentLanguage=";
        const QByteArray alpha = head + "Alpha\r\n[Last]\r\nx=y", beta = head + "\"Beta \"\r\n[Last]\r\nx=y";
        QVERIFY(putFile(file, alpha));
        QRandomGenerator random(20240607);
        int betas = 0;
        for (int kill = 0; kill < 200; ++kill) {
            // A forked writer reports every finished write, so the kill lands after one to three
            // of them however slow the machine.
            int done[2];
            QCOMPARE(::pipe(done), 0);
            const pid_t writer = ::fork();
            QVERIFY(writer >= 0);
            if (writer == 0) {
                for (unsigned i = 0;; ++i) {
                    writeProfileString(file, "Language", "CurrentLanguage", i % 2 ? "Alpha" : "Beta ");
                    [[maybe_unused]] const auto n = ::write(done[1], "w", 1);
                }
            }
            ::close(done[1]);
            for (int finished = 0, wanted = 1 + int(random.bounded(3)); finished < wanted; ++finished) {
                pollfd ready{done[0], POLLIN, 0};
                char c;
                QVERIFY(::poll(&ready, 1, 30000) == 1 && ::read(done[0], &c, 1) == 1);
            }
            QThread::usleep(random.bounded(2000));
            int status = 0;
            QVERIFY(::kill(writer, SIGKILL) == 0 && ::waitpid(writer, &status, 0) == writer &&
                    WIFSIGNALED(status));
            ::close(done[0]);
            const QByteArray now = fileBytes(file);
            QVERIFY2(now == alpha || now == beta, qPrintable(QString::number(kill)));
            betas += now == beta;
        }
        QVERIFY2(betas > 0 && betas < 200, "the kills did not land among the writes");
        // Beside the file a kill may leave only a new file under a temporary name, never read.
        for (const QString &name : folder())
            QVERIFY2(QRegularExpression("^LangSetting\\.ini(\\.\\w{6})?$").match(name).hasMatch(),
                     qPrintable(name));
    }

    // Temporary files of killed writes go with the next write once no writer can still be busy
    // with them; nothing else is touched.
    void writeClearsOldLeftovers()
    {
        const QStringList old{"LangSetting.ini.AbC123"};
        const QStringList kept{"LangSetting.ini", "LangSetting.ini.ABCDEFG", "LangSetting.ini.bak",
                               "LangSetting.ini.Fresh1", "Other.ini.AbC123"};
        for (const QString &name : old + kept) {
            QFile f(path(name));
            QVERIFY(f.open(QIODevice::WriteOnly) && f.write("[Language]\r\nCurrentLanguage=x\r\n") > 0);
            if (name != "LangSetting.ini.Fresh1"_L1)
                QVERIFY(f.flush() && f.setFileTime(QDateTime::currentDateTime().addSecs(-3600),
                                                   QFileDevice::FileModificationTime));
        }
        QVERIFY(writeProfileString(path("LangSetting.ini"), "Language", "CurrentLanguage", "y"));
        QCOMPARE(folder(), kept);
    }
};

QTEST_GUILESS_MAIN(TstFiles)
#include "tst_files.moc"
