// Where the program takes its data from and where it keeps the user's choice: a runnable
// folder, a read-only one, an installed layout, with and without the XDG variables.

#include "platform/ProgramFolders.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <unistd.h>

using namespace platform;
using namespace Qt::StringLiterals;

class TstProgramFolders : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

    QString path(const QString &relative) const { return m_dir.filePath(relative); }
    void put(const QString &relative)
    {
        QVERIFY(QDir().mkpath(QFileInfo(path(relative)).path()));
        QFile f(path(relative));
        QVERIFY(f.open(QIODevice::WriteOnly) && f.write("x") == 1);
    }

private slots:
    void initTestCase()
    {
        for (const char *file : {"run/jpg/blu.jpg", "usr/games/zorvelli", "usr/share/games/zorvelli/jpg/blu.jpg",
                                 "langonly/English.LNG", "capitals/JPG/blu.jpg", "both/games/jpg/blu.jpg",
                                 "both/share/games/zorvelli/jpg/blu.jpg", "nothing/games/zorvelli"})
            put(QLatin1String(file));
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
        QTest::newRow("writable runnable") << "run" << true << xdg << "run" << QStringList();
        QTest::newRow("read-only runnable") << "run" << false << ana << "run" << home;
        QTest::newRow("installed") << "usr/games" << false << ana << installed << home;
        QTest::newRow("installed, writable") << "usr/games" << true << ana << installed << home;
        QTest::newRow("relative XDG ignored") << "usr/games" << true << QStringList{"cfg", "./dat", "/home/ana"} << installed << home;
        QTest::newRow("XDG set, no home") << "usr/games" << true << QStringList{"/cfg", "/dat", ""} << installed << set;
        QTest::newRow("relative home") << "usr/games" << true << QStringList{"", "", "home/ana"} << installed << QStringList{"", ""};
        QTest::newRow("language files only") << "langonly" << true << ana << "langonly" << QStringList();
        QTest::newRow("JPG in capitals") << "capitals" << true << ana << "capitals" << QStringList();
        QTest::newRow("beside wins") << "both/games" << true << ana << "both/games" << QStringList();
        QTest::newRow("no data anywhere") << "nothing/games" << true << ana << "nothing/games" << QStringList();
    }
    void choice()
    {
        QFETCH(QString, executable);
        QFETCH(bool, writable);
        QFETCH(QStringList, environment);
        QFETCH(QString, data);
        QFETCH(QStringList, user);
        Surroundings s{path(executable), u"../share/games/zorvelli"_s, environment[0], environment[1], environment[2]};
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
        put("w/LangSetting.ini");
        put("plain");
        put("ro/LangSetting.ini");
        QVERIFY(QDir().mkpath(path("dir/LangSetting.ini")));
        QVERIFY(QFile::setPermissions(path("ro/LangSetting.ini"), QFile::ReadOwner));
        const bool root = ::geteuid() == 0;
        for (const auto &[folder, writable] : {std::pair{"w", true}, {"run/jpg", true}, {"missing", false},
                                               {"plain", false}, {"dir", false}, {"ro", root}})
            QVERIFY2(Surroundings::settingsWritable(path(QLatin1String(folder))) == writable, folder);
    }

    // Settings others can read, or none made at all: the user's folder and its missing parents
    // are made private.
    void userFolderIsCreatedPrivate()
    {
        const QString folder = path("home/.config/zorvelli");
        QVERIFY(makeUserFolder(folder));
        QVERIFY(makeUserFolder(folder)); // already there
        for (const QString &made : {path("home/.config"), folder})
            QCOMPARE(QFileInfo(made).permissions() & ~(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                                                       QFile::ReadUser | QFile::WriteUser | QFile::ExeUser),
                     QFile::Permissions());
        put("blocked");
        QVERIFY(!makeUserFolder(path("blocked/zorvelli")));
        QVERIFY(!makeUserFolder(QString()));
    }
};

QTEST_MAIN(TstProgramFolders)
#include "tst_programfolders.moc"
