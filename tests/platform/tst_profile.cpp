// Reading and writing profile (INI) files with the meaning of the Windows profile functions.

#include "platform/Profile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <memory>

#ifdef Q_OS_UNIX
#include <csignal>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

using namespace platform;

namespace {

QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

bool putFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// A byte array from a literal that may hold NUL bytes.
template <qsizetype N> QByteArray raw(const char (&text)[N])
{
    return QByteArray(text, N - 1);
}

QByteArray utf16Le(const QString &text)
{
    QByteArray bytes("\xFF\xFE");
    for (const QChar c : text)
        bytes.append(char(c.unicode() & 0xFF)).append(char(c.unicode() >> 8));
    return bytes;
}

} // namespace

class TstProfile : public QObject
{
    Q_OBJECT

private slots:
    void init();

    void read_data();
    void read();
    void readBuffer_data();
    void readBuffer();
    void readFileAndDefault();
    void readHugeFiles();

    void write_data();
    void write();
    void writeRefused_data();
    void writeRefused();
    void writeCreatesOrFindsTheFile();
    void writeThenRead();
    void writeFailuresLeaveEverythingAsItWas();
    void writeIntoReadOnlyFolderFails();
    void writeKeepsPermissionsAndLinks();
    void writeSurvivesKills();
    void writeClearsOldLeftovers();

private:
    QString path(const QString &name) const { return m_dir->filePath(name); }

    std::unique_ptr<QTemporaryDir> m_dir;
};

void TstProfile::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
}

// ---- reading ----

void TstProfile::read_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("expected"); // "DEF", the default, when the key is not found
    const auto row = [](const char *name, const QByteArray &content, const QString &expected,
                        const QString &section = "s", const QString &key = "k") {
        QTest::newRow(name) << content << section << key << expected;
    };
    // Quotes: one matching outer pair goes.
    row("double quotes", "[s]\r\nk=\"abc\"\r\n", "abc");
    row("single quotes", "[s]\r\nk='abc'\r\n", "abc");
    row("inside kept, outside trimmed", "[s]\r\nk= \" a \" \r\n", " a ");
    row("mismatched", "[s]\r\nk=\"abc'\r\n", "\"abc'");
    row("opening only", "[s]\r\nk=\"abc\r\n", "\"abc");
    row("closing only", "[s]\r\nk=abc\"\r\n", "abc\"");
    row("lone quote", "[s]\r\nk=\"\r\n", "\"");
    row("empty quotes", "[s]\r\nk=\"\"\r\n", "");
    row("one pair only", "[s]\r\nk=\"'a'\"\r\n", "'a'");
    row("inner quote", "[s]\r\nk=\"a\"b\"\r\n", "a\"b");
    row("quoted section name is literal", "[\"s\"]\r\nk=v\r\n", "DEF");
    row("quoted section name asked literally", "[\"s\"]\r\nk=v\r\n", "v", "\"s\"");
    row("quoted key is literal", "[s]\r\n\"k\"=v\r\n", "DEF");
    // Blanks: spaces, tabs and vertical tabs around names and values.
    row("blanks around key and value", "[s]\r\n \t\vk\v\t = \t\vv w\v\t \r\n", "v w");
    row("blanks in section name", "[ \t s \t ]\r\nk=v\r\n", "v");
    row("blanks before bracket", "  \t[s]\r\nk=v\r\n", "v");
    row("text after bracket ignored", "[s] ; x=y ]\r\nk=v\r\n", "v");
    row("name ends at first bracket", "[s]x]\r\nk=v\r\n", "v");
    row("no closing bracket", "[s \r\nk=v\r\n", "v");
    row("inner blanks of key kept", "[s]\r\nmy  key = v\r\n", "v", "s", "my  key");
    row("caller's spaces stripped", "[s]\r\nk=v\r\n", "v", "  s  ", "  k ");
    row("caller's tab in section kept", "[s]\r\nk=v\r\n", "DEF", "\ts");
    row("caller's tab in key kept", "[s]\r\nk=v\r\n", "DEF", "s", "k\t");
    row("split at first equals", "[s]\r\nk = a=b \r\n", "a=b");
    row("blank value", "[s]\r\nk= \t \r\n", "");
    // Comments: only ';' at the start of a line.
    row("comment line", "[s]\r\n;k=v\r\n", "DEF", "s", ";k");
    row("indented comment", "[s]\r\n \t;k=v\r\n", "DEF", "s", ";k");
    row("comment then key", "[s]\r\n;k=old\r\nk=v\r\n", "v");
    row("no inline comment", "[s]\r\nk=abc ; x\r\n", "abc ; x");
    row("hash is ordinary in value", "[s]\r\nk=v # c\r\n", "v # c");
    row("hash is ordinary in key", "[s]\r\n#k=v\r\n", "v", "s", "#k");
    row("commented section", ";[s]\r\nk=v\r\n", "DEF");
    row("semicolon inside key", "[s]\r\na;b=v\r\n", "v", "s", "a;b");
    // Names: letter case ignored, whole names only, keys belong to their section.
    row("section case", "[SeCtIoN]\r\nk=v\r\n", "v", "sEcTiOn");
    row("key case, value keeps case", "[s]\r\nKeY=VaLuE\r\n", "VaLuE", "s", "kEy");
    row("accented section case", "[Citt\xC3\xA0]\r\nk=v\r\n", "v", "CITTÀ");
    row("accented key case", "[s]\r\n\xC3\xA8=v\r\n", "v", "s", "È");
    row("numeric key", "[s]\r\n0030=a\r\n0031=b\r\n", "b", "s", "0031");
    row("key in other section", "[a]\r\nk=v\r\n[b]\r\nx=y\r\n", "DEF", "b");
    row("missing section", "[a]\r\nk=v\r\n", "DEF", "b");
    row("prefix of section is not it", "[sec]\r\nk=v\r\n", "DEF", "se");
    row("prefix of key is not it", "[s]\r\nkey=v\r\n", "DEF", "s", "ke");
    row("before first section", "k=v\r\n[s]\r\nx=y\r\n", "DEF");
    row("before first section, no name", "k=v\r\n[s]\r\n", "DEF", "");
    row("empty section name", "[]\r\nk=v\r\n", "v", "");
    // Duplicates: the first wins.
    row("first key wins", "[s]\r\nk=1\r\nK=2\r\n", "1");
    row("first section wins", "[s]\r\nk=1\r\n[S]\r\nk=2\r\n", "1");
    row("second section never searched", "[s]\r\na=1\r\n[S]\r\nk=2\r\n", "DEF");
    row("empty first key still wins", "[s]\r\nk=\r\nk=2\r\n", "");
    // Lines.
    row("line without equals", "[s]\r\nk\r\n", "DEF");
    row("line without equals, then key", "[s]\r\nk\r\nk=v\r\n", "v");
    row("blank lines skipped", "[s]\r\n\r\n  \r\n\r\nk=v\r\n", "v");
    row("last line without line end", "[s]\r\nk=v", "v");
    row("truncated after equals", "[s]\r\nk=", "");
    row("truncated section", "[s", "DEF");
    row("empty file", "", "DEF");
    row("section only", "[s]", "DEF");
    row("only line ends", "\r\n\r\r\n\n", "DEF");
    row("LF", "[a]\nk=1\n[s]\nk=v\n", "v");
    row("CR", "[a]\rk=1\r[s]\rk=v\r", "v");
    row("mixed line ends", "[a]\rk=1\n[s]\r\nx=2\rk=v\n", "v");
    row("CR ends the value", "[s]\rk=v\rw\r", "v");
    row("CR CR is an empty line", "[s]\r\r\nk=v", "v");
    // Encodings: UTF-8 when every byte is valid UTF-8, UTF-16LE after its mark, else Windows-1252.
    row("Windows-1252",
        "[s]\r\nk=perch\xE8 \x80 \x93"
        "ciao\x94 \x8C\x9C \x8A\x9A \x85 \x96\x97 \x99 \x9F \x83\r\n",
        "perchè € “ciao” Œœ Šš … –— ™ Ÿ ƒ");
    row("Windows-1252 section name", "[Citt\xE0]\r\nk=v\r\n", "v", "città");
    row("UTF-8", "[s]\r\nk=perch\xC3\xA8 \xE2\x82\xAC\r\n", "perchè €");
    row("UTF-8 with mark, section on first line", "\xEF\xBB\xBF[s]\r\nk=perch\xC3\xA8\r\n", "perchè");
    row("UTF-8 with mark, key on first line", "\xEF\xBB\xBFk=v\r\n[s]\r\nk=w\r\n", "w");
    row("only a mark", "\xEF\xBB\xBF", "DEF");
    row("one stray byte makes it 1252", "[s]\r\nk=\xC3\xA8\r\nx=\xE8\r\n", "Ã¨");
    row("UTF-8 cut off at the end", "[s]\r\nk=\xC3\xA8\r\nx=\xC3", "Ã¨");
    row("UTF-16LE with mark", utf16Le("[s]\r\nk=perchè €\r\n"), "perchè €");
    row("UTF-16LE mark and odd byte", raw("\xFF\xFE[\0s\0]\0\n\0k\0=\0v\0\x41"), "v");
    // NUL and control bytes.
    row("NUL ends the value", raw("[s]\r\nk=ab\0cd\r\nx=y\r\n"), "ab");
    row("NUL before the line", raw("\0\0\0[s]\r\nk=v\r\n"), "DEF");
    row("NUL lines between", raw("[s]\r\n\0\0\r\n\0=\0\r\nk=v\r\n"), "v");
    row("control bytes", raw("[s]\r\n\x01\x02\x1b=\x7f\r\nk=v\r\n"), "v");
}

void TstProfile::read()
{
    QFETCH(QByteArray, content);
    QFETCH(QString, section);
    QFETCH(QString, key);
    QFETCH(QString, expected);
    const QString file = path(QStringLiteral("test.ini"));
    QVERIFY(putFile(file, content));
    const bool shouldFind = expected != QLatin1String("DEF");
    bool found = !shouldFind;
    QCOMPARE(readProfileString(file, section, key, QStringLiteral("DEF"), 512, &found), expected);
    QCOMPARE(found, shouldFind);
}

void TstProfile::readBuffer_data()
{
    QTest::addColumn<QByteArray>("value");
    QTest::addColumn<int>("bufferSize");
    QTest::addColumn<QString>("expected");
    QTest::newRow("511 fits") << QByteArray(511, 'y') << 512 << QString(511, QLatin1Char('y'));
    QTest::newRow("512 loses one") << QByteArray(512, 'z') << 512 << QString(511, QLatin1Char('z'));
    QTest::newRow("quotes removed before the cut")
        << ('"' + QByteArray(511, 'q') + '"') << 512 << QString(511, QLatin1Char('q'));
    QTest::newRow("small buffer") << QByteArray("abcdef") << 4 << QStringLiteral("abc");
    QTest::newRow("buffer of one") << QByteArray("abc") << 1 << QString();
    QTest::newRow("buffer of zero") << QByteArray("abc") << 0 << QString();
    QTest::newRow("1252 counts characters") << QByteArray("\xE8\xE8\xE8\xE8") << 3 << QStringLiteral("èè");
    QTest::newRow("no half character") << QByteArray("ab\xF0\x9F\x98\x80") << 4 << QStringLiteral("ab");
}

void TstProfile::readBuffer()
{
    QFETCH(QByteArray, value);
    QFETCH(int, bufferSize);
    QFETCH(QString, expected);
    const QString file = path(QStringLiteral("buffer.ini"));
    QVERIFY(putFile(file, "[s]\r\nk=" + value + "\r\n"));
    QCOMPARE(readProfileString(file, "s", "k", "", bufferSize), expected);
}

void TstProfile::readFileAndDefault()
{
    bool found = true;
    const QString missing = path(QStringLiteral("missing.ini"));
    QCOMPARE(readProfileString(missing, "s", "k", "default  ", 512, &found), "default");
    QVERIFY(!found);
    // Only spaces at the end go; leading spaces and tabs stay. The buffer cuts the default too.
    QCOMPARE(readProfileString(missing, "s", "k", "  d\t "), "  d\t");
    QCOMPARE(readProfileString(missing, "s", "k", "   "), "");
    QCOMPARE(readProfileString(missing, "s", "k", "abcdef", 4), "abc");
    QCOMPARE(readProfileString(QString(), "s", "k", "x"), "x");
    QCOMPARE(readProfileString(m_dir->path(), "s", "k", "folder"), "folder");

    // The program spells the path its own way.
    QVERIFY(QDir(m_dir->path()).mkdir(QStringLiteral("lang")));
    QVERIFY(putFile(path(QStringLiteral("lang/italiano.lng")), "[Form1]\r\n0001=Ciao\r\n"));
    QCOMPARE(readProfileString(m_dir->path() + QStringLiteral("\\LANG\\Italiano.lng"), "Form1", "0001", "?"),
             "Ciao");
}

void TstProfile::readHugeFiles()
{
    // 50 MB of random bytes after a valid start: no crash, no hang, the start still answers.
    QByteArray bytes("[s]\r\nk=first\r\n");
    bytes.reserve(50 * 1024 * 1024);
    QRandomGenerator random(1234);
    while (bytes.size() < 50 * 1024 * 1024) {
        const quint32 word = random.generate();
        bytes.append(reinterpret_cast<const char *>(&word), sizeof word);
    }
    const QString file = path(QStringLiteral("huge.ini"));
    QVERIFY(putFile(file, bytes));
    QCOMPARE(readProfileString(file, "s", "k", "d"), "first");
    QCOMPARE(readProfileString(file, "nowhere", "k", "d"), "d");

    // One 20 MB line without a line end.
    QVERIFY(putFile(file, "[s]\r\nk=" + QByteArray(20 * 1024 * 1024, 'a')));
    QCOMPARE(readProfileString(file, "s", "k", "d"), QString(511, QLatin1Char('a')));
    QCOMPARE(readProfileString(file, "s", "other", "d"), "d");
    QVERIFY(putFile(file, QByteArray(20 * 1024 * 1024, '[')));
    QCOMPARE(readProfileString(file, "[", "k", "d"), "d");
}

// ---- writing ----

void TstProfile::write_data()
{
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QByteArray>("after");
    const auto row = [](const char *name, const QByteArray &before, const QString &section,
                        const QString &key, const QString &value, const QByteArray &after) {
        QTest::newRow(name) << before << section << key << value << after;
    };
    // Everything around the touched line survives: comments, blank lines, odd spacing,
    // other sections, a last line without a line end.
    const QByteArray messy("; header comment\r\n\r\n[Other]\r\n  k   =  other  \r\n\r\n"
                           "[Lang]  ; the language\r\n\t; which one\r\n   Language =  \"English\"  \r\n"
                           "Extra=1\r\n\r\n\r\n[Last]\r\nx = y");
    row("replace keeps the rest", messy, "lang", "LANGUAGE", "Italiano",
        QByteArray(messy).replace("   Language =  \"English\"  ", "Language=Italiano"));
    row("new key after last filled line", messy, "Lang", "New", "v",
        QByteArray(messy).replace("Extra=1\r\n", "Extra=1\r\nNew=v\r\n"));
    row("new key in last section without line end", messy, "Last", "z", "1", messy + "\r\nz=1\r\n");
    row("new section without line end", messy, "New", "k", "v", messy + "\r\n[New]\r\nk=v\r\n");
    row("replace value in last line", messy, "last", "x", "", QByteArray(messy).replace("x = y", "x="));

    row("new key after a comment", "[s]\r\na=1\r\n; note\r\n\r\n[t]\r\n", "s", "b", "2",
        "[s]\r\na=1\r\n; note\r\nb=2\r\n\r\n[t]\r\n");
    row("new key after the header", "[s]\r\n\r\n\r\n[t]\r\nb=1\r\n", "s", "a", "1",
        "[s]\r\na=1\r\n\r\n\r\n[t]\r\nb=1\r\n");
    row("blank lines of spaces are blank", "[s]\r\na=1\r\n  \r\n\t\r\n[t]\r\n", "s", "b", "2",
        "[s]\r\na=1\r\nb=2\r\n  \r\n\t\r\n[t]\r\n");
    row("line without equals counts as filled", "[s]\r\nnoise\r\n\r\n", "s", "k", "v",
        "[s]\r\nnoise\r\nk=v\r\n\r\n");
    row("new section", "[s]\r\na=1\r\n", "t", "k", "v", "[s]\r\na=1\r\n[t]\r\nk=v\r\n");
    row("new section after blank lines", "[s]\r\na=1\r\n\r\n", "t", "k", "v",
        "[s]\r\na=1\r\n\r\n[t]\r\nk=v\r\n");
    row("empty file", "", "s", "k", "v", "[s]\r\nk=v\r\n");
    row("key before any section is not the section's", "k=1\r\n[s]\r\n", "s", "k", "2",
        "k=1\r\n[s]\r\nk=2\r\n");
    row("first duplicate section edited", "[s]\r\nk=1\r\n[S]\r\nk=2\r\n", "s", "k", "9",
        "[s]\r\nk=9\r\n[S]\r\nk=2\r\n");
    row("new key goes to first duplicate", "[s]\r\na=1\r\n[s]\r\nk=2\r\n", "s", "k", "9",
        "[s]\r\na=1\r\nk=9\r\n[s]\r\nk=2\r\n");
    row("first duplicate key edited", "[s]\r\nk=1\r\nk=2\r\n", "s", "k", "9", "[s]\r\nk=9\r\nk=2\r\n");
    row("comment that looks like the key", "[s]\r\n;k=1\r\n", "s", "k", "9", "[s]\r\n;k=1\r\nk=9\r\n");
    row("caller's spaces stripped", "[s]\r\nk=1\r\n", " s ", " k ", "9", "[s]\r\nk=9\r\n");
    row("value written as given", "[s]\r\nk=1\r\n", "s", "k", "a \"b\" ; c=d", "[s]\r\nk=a \"b\" ; c=d\r\n");
    row("lone quotes as given", "[s]\r\nk=1\r\n", "s", "k", "\"a'", "[s]\r\nk=\"a'\r\n");
    // Only in quotes does a value keep its blanks at the ends, or quotes of its own.
    row("blanks at the ends quoted", "[s]\r\nk=1\r\n", "s", "k", "NON ", "[s]\r\nk=\"NON \"\r\n");
    row("tab at the start quoted", "[s]\r\n", "s", "k", "\tx", "[s]\r\nk=\"\tx\"\r\n");
    row("own quotes quoted", "[s]\r\nk=1\r\n", "s", "k", "'x'", "[s]\r\nk=\"'x'\"\r\n");
    // Line ends: the file's own style, CRLF when it has none yet.
    row("LF file stays LF", "[s]\na=1\n", "t", "k", "v", "[s]\na=1\n[t]\nk=v\n");
    row("LF file, new key", "[s]\na=1", "s", "k", "v", "[s]\na=1\nk=v\n");
    row("CR file stays CR", "[s]\ra=1\r", "s", "k", "v", "[s]\ra=1\rk=v\r");
    row("no line end yet gives CRLF", "[s]", "s", "k", "v", "[s]\r\nk=v\r\n");
    row("replace keeps the line end", "[s]\nk=1\r\nx=2\r", "s", "k", "22", "[s]\nk=22\r\nx=2\r");
    // Encodings: the file's own.
    row("Windows-1252 stays Windows-1252", "[s]\r\na=perch\xE8\r\n", "s", "k", "città € “x” Œ",
        "[s]\r\na=perch\xE8\r\nk=citt\xE0 \x80 \x93x\x94 \x8C\r\n");
    // A Windows-1252 file becomes UTF-8 rather than lose the new text or have the rest misread.
    row("Windows-1252 that can't hold the value", "[s]\r\na=\xE8\x80\r\nk=1\r\n", "s", "k", "a日本b😀c",
        "[s]\r\na=\xC3\xA8\xE2\x82\xAC\r\nk=a\xE6\x97\xA5\xE6\x9C\xAC"
        "b\xF0\x9F\x98\x80"
        "c\r\n");
    row("Windows-1252 that can't hold the key", "\xEF\xBB\xBF[s]\r\nk=\xE8\r\n", "s", "Ω", "1",
        "\xEF\xBB\xBF[s]\r\nk=\xC3\xA8\r\n\xCE\xA9=1\r\n");
    row("Windows-1252 that would read as UTF-8", "[s]\r\na=\xC3\xA8\r\nk=\xE8\r\n", "s", "k", "x",
        "[s]\r\na=\xC3\x83\xC2\xA8\r\nk=x\r\n");
    row("Windows-1252 section found by its accents", "[Citt\xE0]\r\nk=1\r\n", "CITTÀ", "k", "è",
        "[Citt\xE0]\r\nk=\xE8\r\n");
    row("UTF-8 stays UTF-8", "[s]\r\na=perch\xC3\xA8\r\n", "s", "k", "città日本",
        "[s]\r\na=perch\xC3\xA8\r\nk=citt\xC3\xA0\xE6\x97\xA5\xE6\x9C\xAC\r\n");
    row("UTF-8 mark kept", "\xEF\xBB\xBF[s]\r\nk=1\r\n", "s", "k", "è", "\xEF\xBB\xBF[s]\r\nk=\xC3\xA8\r\n");
    row("UTF-16LE stays UTF-16LE", utf16Le("[s]\r\nk=1\r\n"), "s", "k", "è", utf16Le("[s]\r\nk=è\r\n"));
    // An odd last byte of a UTF-16 file is no character; it stays last, out of the text's way.
    row("UTF-16LE odd byte, new section", "\xFF\xFEx", "Language", "CurrentLanguage", "English",
        utf16Le("[Language]\r\nCurrentLanguage=English\r\n") + 'x');
    row("UTF-16LE odd byte, new key", utf16Le("[s]\r\nk=1") + 'x', "s", "j", "2",
        utf16Le("[s]\r\nk=1\r\nj=2\r\n") + 'x');
    row("UTF-16LE odd byte, replace", utf16Le("[s]\nk=1") + 'x', "s", "k", "22", utf16Le("[s]\nk=22") + 'x');
    row("stray bytes elsewhere kept", raw("\x01\0\xFF\r\n[s]\r\nk=1\r\n"), "s", "k", "2",
        raw("\x01\0\xFF\r\n[s]\r\nk=2\r\n"));
}

void TstProfile::write()
{
    QFETCH(QByteArray, before);
    QFETCH(QString, section);
    QFETCH(QString, key);
    QFETCH(QString, value);
    QFETCH(QByteArray, after);
    const QString file = path(QStringLiteral("w.ini"));
    QVERIFY(putFile(file, before));
    QVERIFY(writeProfileString(file, section, key, value));
    QCOMPARE(fileBytes(file), after);
}

void TstProfile::writeRefused_data()
{
    // Each would be read as something else, so it could never be found again and every
    // write would add another copy, or would break the lines around it.
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("value");
    const auto row = [](const char *name, const QString &section, const QString &key, const QString &value) {
        QTest::newRow(name) << section << key << value;
    };
    row("bracket in section", "a]b", "k", "v");
    row("tab around section", "s\t", "k", "v");
    row("line break in section", "s\r\n[t", "k", "v");
    row("equals in key", "s", "a=b", "v");
    row("key like a comment", "s", ";k", "v");
    row("key like a section", "s", "[k]", "v");
    row("tab around key", "s", "\tk", "v");
    row("NUL in key", "s", QStringLiteral("k\0x"), "v");
    row("line break in value", "s", "k", "v\n[s]\nk=w");
    row("CR in value", "s", "k", "v\r");
    row("NUL in value", "s", "k", QStringLiteral("v\0w"));
    row("half a character", "s", "k", QString(QChar(0xD800)));
}

void TstProfile::writeRefused()
{
    QFETCH(QString, section);
    QFETCH(QString, key);
    QFETCH(QString, value);
    const QString file = path(QStringLiteral("r.ini"));
    const QByteArray before("[s]\r\nk=1\r\n");
    QVERIFY(putFile(file, before));
    QVERIFY(!writeProfileString(file, section, key, value));
    QCOMPARE(fileBytes(file), before);
}

void TstProfile::writeCreatesOrFindsTheFile()
{
    // A new file is UTF-8 with CRLF.
    QVERIFY(writeProfileString(path(QStringLiteral("new.ini")), "Language", "Current", "Italiano è"));
    QCOMPARE(fileBytes(path(QStringLiteral("new.ini"))),
             QByteArray("[Language]\r\nCurrent=Italiano \xC3\xA8\r\n"));
    // The program spells the file name its own way; the existing file is edited, no twin made.
    QVERIFY(putFile(path(QStringLiteral("langsetting.ini")), "[s]\r\nk=1\r\n"));
    QVERIFY(writeProfileString(m_dir->path() + QStringLiteral("\\LangSetting.INI"), "s", "k", "2"));
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files), QStringList({"langsetting.ini", "new.ini"}));
    QCOMPARE(fileBytes(path(QStringLiteral("langsetting.ini"))), QByteArray("[s]\r\nk=2\r\n"));
}

void TstProfile::writeThenRead()
{
    const QString file = path(QStringLiteral("rt.ini"));
    QVERIFY(putFile(file, "[s]\r\nk=perch\xE8\r\n"));
    for (const QString &value : {QStringLiteral("Français"), QStringLiteral("NON "), QString(),
                                 QStringLiteral(" \"x\" "), QStringLiteral("日本"), QStringLiteral("a=b")}) {
        QVERIFY(writeProfileString(file, "s", "k", value));
        QCOMPARE(readProfileString(file, "s", "k", "d"), value);
    }
    QVERIFY(writeProfileString(file, "t", "x", "y"));
    QCOMPARE(readProfileString(file, "t", "x", "d"), "y");
    QCOMPARE(readProfileString(file, "s", "k", "d"), "a=b");
}

void TstProfile::writeFailuresLeaveEverythingAsItWas()
{
    QVERIFY(putFile(path(QStringLiteral("plain")), "data"));
    QVERIFY(QDir(m_dir->path()).mkdir(QStringLiteral("sub.ini")));
    QVERIFY(writeProfileString(path(QStringLiteral("only.ini")), "s", "k", "1"));

    QVERIFY(!writeProfileString(path(QStringLiteral("nowhere/x.ini")), "s", "k", "v")); // missing folder
    QVERIFY(!writeProfileString(path(QStringLiteral("plain/x.ini")), "s", "k", "v"));   // under a file
    QVERIFY(!writeProfileString(QStringLiteral("/dev/null/x.ini"), "s", "k", "v"));
    QVERIFY(!writeProfileString(path(QStringLiteral("sub.ini")), "s", "k", "v")); // onto a folder
    QVERIFY(writeProfileString(path(QStringLiteral("only.ini")), "s", "k", "2"));

    QCOMPARE(fileBytes(path(QStringLiteral("plain"))), QByteArray("data"));
    QVERIFY(QFileInfo(path(QStringLiteral("sub.ini"))).isDir());
    // No folder made, no temporary file left behind.
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
             QStringList({"only.ini", "plain", "sub.ini"}));
}

void TstProfile::writeIntoReadOnlyFolderFails()
{
    const QString folder = path(QStringLiteral("ro"));
    QVERIFY(QDir().mkdir(folder));
    const QString file = folder + QStringLiteral("/LangSetting.ini");
    const QByteArray original("[Language]\r\nCurrent=English\r\n");
    QVERIFY(putFile(file, original));
    QVERIFY(QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner));
    const auto restore = qScopeGuard(
        [&] { QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner); });
    if (putFile(folder + QStringLiteral("/probe"), "x")) {
        QFile::remove(folder + QStringLiteral("/probe"));
        QSKIP("this user may write into read-only folders (root)");
    }
    QVERIFY(!writeProfileString(file, "Language", "Current", "Italiano"));
    QCOMPARE(fileBytes(file), original);
    QVERIFY(!writeProfileString(folder + QStringLiteral("/new.ini"), "s", "k", "v"));
    QVERIFY(!QFileInfo::exists(folder + QStringLiteral("/new.ini")));
}

void TstProfile::writeKeepsPermissionsAndLinks()
{
    const QString file = path(QStringLiteral("target.ini"));
    QVERIFY(putFile(file, "[s]\r\nk=1\r\n"));
    const auto permissions = QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup;
    QVERIFY(QFile::setPermissions(file, permissions));
    const QString link = path(QStringLiteral("link.ini"));
    QVERIFY(QFile::link(file, link));
    QVERIFY(writeProfileString(link, "s", "k", "2"));
    QVERIFY(QFileInfo(link).isSymLink());
    QCOMPARE(fileBytes(file), QByteArray("[s]\r\nk=2\r\n"));
    // Owner, group and others; the "user" bits depend on who runs the test.
    QCOMPARE(QFileInfo(file).permissions() & 0xF0FF, permissions & 0xF0FF);
}

void TstProfile::writeSurvivesKills()
{
#ifdef Q_OS_UNIX
    // A writer killed at random moments, again and again: the file is always whole, either
    // before or after one of its writes, never empty, cut or mixed.
    const QString file = path(QStringLiteral("LangSetting.ini"));
    QByteArray head("; settings\r\n[Other]\r\nKeep=this\r\n");
    for (int i = 0; i < 200; ++i)
        head += "; line " + QByteArray::number(i) + " of a file big enough to take a while\r\n";
    head += "[Language]\r\nCurrentLanguage=";
    const QByteArray tail("\r\n[Last]\r\nx=y");
    const QByteArray alpha = head + "Alpha" + tail, beta = head + "\"Beta \"" + tail;
    QVERIFY(putFile(file, alpha));
    QRandomGenerator random(20240607);
    int betas = 0;
    for (int kill = 0; kill < 200; ++kill) {
        // A child process rather than a new program: starting one costs far more than a write.
        // It reports every finished write, so the kill can land after one to three of them,
        // however slow the machine (writes wait for the disk).
        int done[2];
        QCOMPARE(::pipe(done), 0);
        const pid_t writer = ::fork();
        QVERIFY(writer >= 0);
        if (writer == 0) {
            ::close(done[0]);
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
        QCOMPARE(::kill(writer, SIGKILL), 0);
        QCOMPARE(::waitpid(writer, &status, 0), writer);
        ::close(done[0]);
        QVERIFY(WIFSIGNALED(status));
        const QByteArray now = fileBytes(file);
        QVERIFY2(now == alpha || now == beta, qPrintable(QString::number(kill)));
        betas += now == beta;
    }
    qInfo("200 kills: %d left the file with the first value, %d with the second", 200 - betas, betas);
    QVERIFY(betas > 0 && betas < 200); // the kills did land among the writes
    // What a kill may leave beside the file is a new file under a temporary name, never read.
    const QStringList left =
        QDir(m_dir->path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    for (const QString &name : left)
        QVERIFY2(name == "LangSetting.ini" ||
                     QRegularExpression("^LangSetting\\.ini\\.\\w{6}$").match(name).hasMatch(),
                 qPrintable(name));
    qInfo("%d temporary files left behind", int(left.size()) - 1);
#else
    QSKIP("needs fork and SIGKILL");
#endif
}

void TstProfile::writeClearsOldLeftovers()
{
    // Temporary files of writes killed before their rename go with the next write, once
    // no other writer can still be busy with them; nothing else is touched.
    const QString file = path(QStringLiteral("LangSetting.ini"));
    const QStringList old{"LangSetting.ini.AbC123", "LangSetting.ini.xYzWvU"};
    const QStringList kept{"LangSetting.ini.Fresh1", "LangSetting.ini.bak", "LangSetting.ini.ABCDEFG",
                           "Other.ini.AbC123", "LangSetting.ini"};
    for (const QString &name : old + kept)
        QVERIFY(putFile(path(name), "[Language]\r\nCurrentLanguage=x\r\n"));
    const QDateTime longAgo = QDateTime::currentDateTime().addSecs(-3600);
    for (const QString &name : old + kept.mid(1, 3)) {
        QFile f(path(name));
        QVERIFY(f.open(QIODevice::ReadWrite) && f.setFileTime(longAgo, QFileDevice::FileModificationTime));
    }
    QVERIFY(writeProfileString(file, "Language", "CurrentLanguage", "y"));
    QStringList expected = kept;
    expected.sort();
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files | QDir::Hidden, QDir::Name), expected);
}

QTEST_GUILESS_MAIN(TstProfile)
#include "tst_profile.moc"
