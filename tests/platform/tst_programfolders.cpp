// Where the program takes its data from and where it keeps the user's choice: a runnable
// folder, a read-only one, an installed layout, with and without the XDG variables.

#include "platform/ProgramFolders.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

using namespace platform;
using namespace Qt::StringLiterals;

class TstProgramFolders : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

    QString path(const QString &relative) const { return m_dir.filePath(relative); }
    void put(const QString &relative, const QByteArray &bytes = "x")
    {
        QVERIFY(QDir().mkpath(QFileInfo(path(relative)).path()));
        QFile f(path(relative));
        QVERIFY(f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size());
    }
    // "~" stands for the scratch folder, so that the table reads as paths.
    QString expand(const QString &s) const { return s.startsWith(u'~') ? m_dir.path() + s.mid(1) : s; }

private slots:
    void initTestCase()
    {
        // A runnable folder as the build makes it.
        put("run/zorvelli");
        put("run/jpg/rosso/rotondograndespesso.JPG");
        put("run/Italiano.lng");
        put("run/LangSetting.ini");
        // Installed: the program among other games, its data under share/.
        put("usr/games/zorvelli");
        put("usr/games/othergame");
        put("usr/share/games/zorvelli/jpg/blu.jpg");
        put("usr/share/games/zorvelli/English.lng");
        // A runnable folder with language files only, and one with "JPG" in capitals.
        put("langonly/zorvelli");
        put("langonly/English.LNG");
        put("capitals/zorvelli");
        put("capitals/JPG/blu.jpg");
        // Both beside and installed: what is beside wins.
        put("both/games/jpg/blu.jpg");
        put("both/share/games/zorvelli/jpg/blu.jpg");
        // No data anywhere.
        put("nothing/games/zorvelli");
        // A moved prefix: the same shape anywhere.
        put("opt/zorvelli-1.0/games/zorvelli");
        put("opt/zorvelli-1.0/share/games/zorvelli/Italiano.lng");
    }

    void choice_data()
    {
        QTest::addColumn<QString>("executable");
        QTest::addColumn<bool>("writable");
        QTest::addColumn<QString>("xdgConfig");
        QTest::addColumn<QString>("xdgData");
        QTest::addColumn<QString>("home");
        QTest::addColumn<QString>("data");
        QTest::addColumn<bool>("perUser");
        QTest::addColumn<QString>("settings");
        QTest::addColumn<QString>("languages");
        const QString installed = u"~/usr/share/games/zorvelli"_s;
        const QString homeConfig = u"/home/ana/.config/zorvelli"_s,
                      homeData = u"/home/ana/.local/share/zorvelli"_s;
        // clang-format off
        const struct { const char *name, *exe; bool writable; const char *config, *xdata, *home; QString data;
                       bool perUser; QString settings, languages; } rows[] = {
            {"writable runnable folder", "~/run", true, "/cfg", "/dat", "/home/ana", "~/run", false, {}, {}},
            {"read-only runnable folder", "~/run", false, "", "", "/home/ana", "~/run", true, homeConfig, homeData},
            {"read-only, XDG set", "~/run", false, "/cfg", "/dat/", "/home/ana", "~/run", true, "/cfg/zorvelli", "/dat/zorvelli"},
            {"installed", "~/usr/games", false, "", "", "/home/ana", installed, true, homeConfig, homeData},
            {"installed, data writable all the same", "~/usr/games", true, "", "", "/home/ana", installed, true, homeConfig, homeData},
            {"installed, XDG set", "~/usr/games", true, "/cfg", "/dat", "/home/ana", installed, true, "/cfg/zorvelli", "/dat/zorvelli"},
            {"installed, relative XDG ignored", "~/usr/games", true, "cfg", "./dat", "/home/ana", installed, true, homeConfig, homeData},
            {"installed, XDG set, no home", "~/usr/games", true, "/cfg", "/dat", "", installed, true, "/cfg/zorvelli", "/dat/zorvelli"},
            {"installed, nothing set", "~/usr/games", true, "", "", "", installed, true, {}, {}},
            {"installed, relative home", "~/usr/games", true, "", "", "home/ana", installed, true, {}, {}},
            {"moved prefix", "~/opt/zorvelli-1.0/games", true, "", "", "/home/ana", "~/opt/zorvelli-1.0/share/games/zorvelli", true, homeConfig, homeData},
            {"language files only beside", "~/langonly", true, "", "", "/home/ana", "~/langonly", false, {}, {}},
            {"pictures folder in capitals", "~/capitals", true, "", "", "/home/ana", "~/capitals", false, {}, {}},
            {"beside wins over installed", "~/both/games", true, "", "", "/home/ana", "~/both/games", false, {}, {}},
            {"no data anywhere", "~/nothing/games", true, "", "", "/home/ana", "~/nothing/games", false, {}, {}},
        };
        // clang-format on
        for (const auto &r : rows)
            QTest::newRow(r.name) << QString(r.exe) << r.writable << QString(r.config) << QString(r.xdata)
                                  << QString(r.home) << r.data << r.perUser << r.settings << r.languages;
    }
    void choice()
    {
        QFETCH(QString, executable);
        QFETCH(bool, writable);
        QFETCH(QString, data);
        QFETCH(bool, perUser);
        QFETCH(QString, settings);
        QFETCH(QString, languages);
        Surroundings s;
        s.executableFolder = expand(executable);
        s.installedData = u"../share/games/zorvelli"_s;
        QFETCH(QString, xdgConfig);
        QFETCH(QString, xdgData);
        QFETCH(QString, home);
        s.xdgConfigHome = xdgConfig;
        s.xdgDataHome = xdgData;
        s.home = home;
        QStringList asked;
        s.canWriteSettings = [&](const QString &folder) {
            asked << folder;
            return writable;
        };
        const ProgramFolders f = chooseProgramFolders(s);
        QCOMPARE(f.data, expand(data));
        QCOMPARE(f.user.inUse, perUser);
        QCOMPARE(f.user.settings, settings);
        QCOMPARE(f.user.languages, languages);
        // Only the chosen data folder is ever asked about.
        QVERIFY(asked.isEmpty() || asked == QStringList(f.data));
    }

    void settingsWritable()
    {
        put("w/LangSetting.ini");
        put("plain");
        QVERIFY(Surroundings::settingsWritable(path("w")));
        QVERIFY(Surroundings::settingsWritable(path("run/jpg")));  // no settings file yet
        QVERIFY(!Surroundings::settingsWritable(path("missing"))); // nothing to write into
        QVERIFY(!Surroundings::settingsWritable(path("plain")));   // a file, not a folder
        QVERIFY(!Surroundings::settingsWritable(path("plain/sub")));
#ifdef Q_OS_UNIX
        if (::geteuid() == 0)
            return; // root writes whatever the permissions say
        put("ro/LangSetting.ini");
        put("rofile/LangSetting.ini");
        QFile::setPermissions(path("ro"), QFile::ReadOwner | QFile::ExeOwner);
        QFile::setPermissions(path("rofile/LangSetting.ini"), QFile::ReadOwner);
        QVERIFY(!Surroundings::settingsWritable(path("ro")));
        QVERIFY(!Surroundings::settingsWritable(path("rofile")));
        QFile::setPermissions(path("ro"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
#endif
    }

    void userFolderIsCreatedPrivate()
    {
        const QString folder = path("home/.config/zorvelli");
        QVERIFY(makeUserFolder(folder));
        QVERIFY(makeUserFolder(folder)); // already there
        for (const QString &made : {path("home/.config"), folder})
            QCOMPARE(QFileInfo(made).permissions() &
                         (QFile::ReadGroup | QFile::WriteOther | QFile::ReadOther | QFile::WriteGroup |
                          QFile::ExeGroup | QFile::ExeOther),
                     QFile::Permissions());
        put("blocked");
        QVERIFY(!makeUserFolder(path("blocked/zorvelli")));
        QVERIFY(!makeUserFolder(QString()));
    }
};

QTEST_MAIN(TstProgramFolders)
#include "tst_programfolders.moc"
