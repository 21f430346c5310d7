// Reading and writing profile (INI) files with the meaning of the Windows profile functions.

#include "platform/Profile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace platform;

namespace {

QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray("<unreadable>");
    return file.readAll();
}

bool putFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// Builds a byte array from a literal that may hold NUL bytes.
template <qsizetype N> QByteArray raw(const char (&text)[N])
{
    return QByteArray(text, N - 1);
}

// A UTF-16LE file with its FF FE mark.
QByteArray utf16Le(const QString &text)
{
    QByteArray bytes("\xFF\xFE");
    for (const QChar c : text) {
        bytes.append(char(c.unicode() & 0xFF));
        bytes.append(char(c.unicode() >> 8));
    }
    return bytes;
}

} // namespace

class TstProfile : public QObject
{
    Q_OBJECT

private slots:
    void init();

    void readQuotes_data();
    void readQuotes() { checkRead(); }
    void readBlanks_data();
    void readBlanks() { checkRead(); }
    void readComments_data();
    void readComments() { checkRead(); }
    void readNames_data();
    void readNames() { checkRead(); }
    void readDuplicates_data();
    void readDuplicates() { checkRead(); }
    void readKeysAndDefaults_data();
    void readKeysAndDefaults() { checkRead(); }
    void readLineEnds_data();
    void readLineEnds() { checkRead(); }
    void readEncodings_data();
    void readEncodings() { checkRead(); }
    void readOddBytes_data();
    void readOddBytes() { checkRead(); }
    void readBuffer_data();
    void readBuffer();
    void readMissingFile();
    void readPathWithOtherCase();
    void readHugeRandomFile();
    void readHugeLineWithoutEnd();

    void write_data();
    void write();
    void writeNewFile();
    void writeFoundWithOtherCase();
    void writeThenRead();
    void writeIntoMissingFolderFails();
    void writeUnderNonFolderFails();
    void writeOntoFolderFails();
    void writeIntoReadOnlyFolderFails();
    void writeLeavesNoTemporaryFiles();
    void writeKeepsPermissionsAndLinks();

private:
    void addReadColumns();
    void checkRead();
    QString path(const QString &name) const { return m_dir->filePath(name); }

    std::unique_ptr<QTemporaryDir> m_dir;
};

void TstProfile::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
}

void TstProfile::addReadColumns()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<bool>("found");
}

// Every row reads with the default "DEF" and a buffer of 512.
void TstProfile::checkRead()
{
    QFETCH(QByteArray, content);
    QFETCH(QString, section);
    QFETCH(QString, key);
    QFETCH(QString, expected);
    QFETCH(bool, found);

    const QString file = path(QStringLiteral("test.ini"));
    QVERIFY(putFile(file, content));
    bool wasFound = !found;
    QCOMPARE(readProfileString(file, section, key, QStringLiteral("DEF"), 512, &wasFound), expected);
    QCOMPARE(wasFound, found);
}

void TstProfile::readQuotes_data()
{
    addReadColumns();
    const QString s = QStringLiteral("s");
    const QString k = QStringLiteral("k");
    QTest::newRow("double quotes") << QByteArray("[s]\r\nk=\"abc\"\r\n") << s << k << "abc" << true;
    QTest::newRow("single quotes") << QByteArray("[s]\r\nk='abc'\r\n") << s << k << "abc" << true;
    QTest::newRow("inside kept, outside trimmed")
        << QByteArray("[s]\r\nk= \" a \" \r\n") << s << k << " a " << true;
    QTest::newRow("trailing space kept") << QByteArray("[s]\r\n0031=\"NON \"\r\n") << s << "0031"
                                         << "NON " << true;
    QTest::newRow("mismatched") << QByteArray("[s]\r\nk=\"abc'\r\n") << s << k << "\"abc'" << true;
    QTest::newRow("opening only") << QByteArray("[s]\r\nk=\"abc\r\n") << s << k << "\"abc" << true;
    QTest::newRow("closing only") << QByteArray("[s]\r\nk=abc\"\r\n") << s << k << "abc\"" << true;
    QTest::newRow("lone quote") << QByteArray("[s]\r\nk=\"\r\n") << s << k << "\"" << true;
    QTest::newRow("empty quotes") << QByteArray("[s]\r\nk=\"\"\r\n") << s << k << "" << true;
    QTest::newRow("one pair only") << QByteArray("[s]\r\nk=\"'a'\"\r\n") << s << k << "'a'" << true;
    QTest::newRow("inner quote") << QByteArray("[s]\r\nk=\"a\"b\"\r\n") << s << k << "a\"b" << true;
    QTest::newRow("quoted section name is literal")
        << QByteArray("[\"s\"]\r\nk=v\r\n") << s << k << "DEF" << false;
    QTest::newRow("quoted section name asked literally")
        << QByteArray("[\"s\"]\r\nk=v\r\n") << "\"s\"" << k << "v" << true;
    QTest::newRow("quoted key is literal") << QByteArray("[s]\r\n\"k\"=v\r\n") << s << k << "DEF" << false;
}

void TstProfile::readBlanks_data()
{
    addReadColumns();
    const QString s = QStringLiteral("s");
    const QString k = QStringLiteral("k");
    QTest::newRow("spaces around key and value")
        << QByteArray("[s]\r\n  k  =  v w  \r\n") << s << k << "v w" << true;
    QTest::newRow("tabs around key and value")
        << QByteArray("[s]\r\n\tk\t=\tv\t\r\n") << s << k << "v" << true;
    QTest::newRow("vertical tabs") << QByteArray("[s]\r\n\vk\v=\vv\v\r\n") << s << k << "v" << true;
    QTest::newRow("blanks in section name") << QByteArray("[ \t s \t ]\r\nk=v\r\n") << s << k << "v" << true;
    QTest::newRow("blanks before bracket") << QByteArray("  \t[s]\r\nk=v\r\n") << s << k << "v" << true;
    QTest::newRow("text after bracket ignored")
        << QByteArray("[s] ; x=y ]\r\nk=v\r\n") << s << k << "v" << true;
    QTest::newRow("name ends at first bracket") << QByteArray("[s]x]\r\nk=v\r\n") << s << k << "v" << true;
    QTest::newRow("no closing bracket") << QByteArray("[s \r\nk=v\r\n") << s << k << "v" << true;
    QTest::newRow("inner blanks of key kept") << QByteArray("[s]\r\nmy  key = v\r\n") << s << "my  key"
                                              << "v" << true;
    QTest::newRow("caller's spaces stripped") << QByteArray("[s]\r\nk=v\r\n") << "  s  "
                                              << "  k "
                                              << "v" << true;
    QTest::newRow("caller's tab in section kept")
        << QByteArray("[s]\r\nk=v\r\n") << "\ts" << k << "DEF" << false;
    QTest::newRow("caller's tab in key kept") << QByteArray("[s]\r\nk=v\r\n") << s << "k\t"
                                              << "DEF" << false;
    QTest::newRow("split at first equals") << QByteArray("[s]\r\nk = a=b \r\n") << s << k << "a=b" << true;
    QTest::newRow("blank value") << QByteArray("[s]\r\nk= \t \r\n") << s << k << "" << true;
}

void TstProfile::readComments_data()
{
    addReadColumns();
    const QString s = QStringLiteral("s");
    const QString k = QStringLiteral("k");
    QTest::newRow("comment line") << QByteArray("[s]\r\n;k=v\r\n") << s << k << "DEF" << false;
    QTest::newRow("indented comment") << QByteArray("[s]\r\n \t;k=v\r\n") << s << k << "DEF" << false;
    QTest::newRow("comment then key") << QByteArray("[s]\r\n;k=old\r\nk=v\r\n") << s << k << "v" << true;
    QTest::newRow("no inline comment") << QByteArray("[s]\r\nk=abc ; x\r\n") << s << k << "abc ; x" << true;
    QTest::newRow("hash is ordinary in value")
        << QByteArray("[s]\r\nk=v # c\r\n") << s << k << "v # c" << true;
    QTest::newRow("hash is ordinary in key") << QByteArray("[s]\r\n#k=v\r\n") << s << "#k"
                                             << "v" << true;
    QTest::newRow("hash line is not a comment") << QByteArray("[s]\r\n#k=v\r\n") << s << k << "DEF" << false;
    QTest::newRow("commented section") << QByteArray(";[s]\r\nk=v\r\n") << s << k << "DEF" << false;
    QTest::newRow("semicolon inside key") << QByteArray("[s]\r\na;b=v\r\n") << s << "a;b"
                                          << "v" << true;
}

void TstProfile::readNames_data()
{
    addReadColumns();
    QTest::newRow("section case") << QByteArray("[SeCtIoN]\r\nk=v\r\n") << "sEcTiOn"
                                  << "k"
                                  << "v" << true;
    QTest::newRow("key case, value keeps case") << QByteArray("[s]\r\nKeY=VaLuE\r\n") << "s"
                                                << "kEy"
                                                << "VaLuE" << true;
    QTest::newRow("accented section case")
        << QByteArray("[Citt\xC3\xA0]\r\nk=v\r\n") << QStringLiteral("CITTÀ") << "k"
        << "v" << true;
    QTest::newRow("accented key case")
        << QByteArray("[s]\r\n\xC3\xA8=v\r\n") << "s" << QStringLiteral("È") << "v" << true;
    QTest::newRow("numeric key") << QByteArray("[s]\r\n0030=a\r\n0031=b\r\n") << "s"
                                 << "0031"
                                 << "b" << true;
    QTest::newRow("key in other section") << QByteArray("[a]\r\nk=v\r\n[b]\r\nx=y\r\n") << "b"
                                          << "k"
                                          << "DEF" << false;
    QTest::newRow("missing section") << QByteArray("[a]\r\nk=v\r\n") << "b"
                                     << "k"
                                     << "DEF" << false;
    QTest::newRow("prefix of section is not it") << QByteArray("[sec]\r\nk=v\r\n") << "se"
                                                 << "k"
                                                 << "DEF" << false;
    QTest::newRow("prefix of key is not it") << QByteArray("[s]\r\nkey=v\r\n") << "s"
                                             << "ke"
                                             << "DEF" << false;
    QTest::newRow("before first section") << QByteArray("k=v\r\n[s]\r\nx=y\r\n") << "s"
                                          << "k"
                                          << "DEF" << false;
    QTest::newRow("before first section, no name") << QByteArray("k=v\r\n[s]\r\n") << ""
                                                   << "k"
                                                   << "DEF" << false;
    QTest::newRow("empty section name") << QByteArray("[]\r\nk=v\r\n") << ""
                                        << "k"
                                        << "v" << true;
}

void TstProfile::readDuplicates_data()
{
    addReadColumns();
    QTest::newRow("first key wins") << QByteArray("[s]\r\nk=1\r\nK=2\r\n") << "s"
                                    << "k"
                                    << "1" << true;
    QTest::newRow("first section wins") << QByteArray("[s]\r\nk=1\r\n[S]\r\nk=2\r\n") << "s"
                                        << "k"
                                        << "1" << true;
    QTest::newRow("second section never searched") << QByteArray("[s]\r\na=1\r\n[S]\r\nk=2\r\n") << "s"
                                                   << "k"
                                                   << "DEF" << false;
    QTest::newRow("empty first key still wins") << QByteArray("[s]\r\nk=\r\nk=2\r\n") << "s"
                                                << "k"
                                                << "" << true;
}

void TstProfile::readKeysAndDefaults_data()
{
    addReadColumns();
    QTest::newRow("empty value is not the default") << QByteArray("[s]\r\nk=\r\n") << "s"
                                                    << "k"
                                                    << "" << true;
    QTest::newRow("line without equals") << QByteArray("[s]\r\nk\r\n") << "s"
                                         << "k"
                                         << "DEF" << false;
    QTest::newRow("line without equals, then key") << QByteArray("[s]\r\nk\r\nk=v\r\n") << "s"
                                                   << "k"
                                                   << "v" << true;
    QTest::newRow("blank lines skipped") << QByteArray("[s]\r\n\r\n  \r\n\r\nk=v\r\n") << "s"
                                         << "k"
                                         << "v" << true;
    QTest::newRow("last line without line end") << QByteArray("[s]\r\nk=v") << "s"
                                                << "k"
                                                << "v" << true;
    QTest::newRow("empty file") << QByteArray() << "s"
                                << "k"
                                << "DEF" << false;
    QTest::newRow("section only") << QByteArray("[s]") << "s"
                                  << "k"
                                  << "DEF" << false;
}

void TstProfile::readLineEnds_data()
{
    addReadColumns();
    QTest::newRow("CRLF") << QByteArray("[a]\r\nk=1\r\n[s]\r\nk=v\r\n") << "s"
                          << "k"
                          << "v" << true;
    QTest::newRow("LF") << QByteArray("[a]\nk=1\n[s]\nk=v\n") << "s"
                        << "k"
                        << "v" << true;
    QTest::newRow("CR") << QByteArray("[a]\rk=1\r[s]\rk=v\r") << "s"
                        << "k"
                        << "v" << true;
    QTest::newRow("mixed") << QByteArray("[a]\rk=1\n[s]\r\nx=2\rk=v\n") << "s"
                           << "k"
                           << "v" << true;
    QTest::newRow("CR ends the value") << QByteArray("[s]\rk=v\rw\r") << "s"
                                       << "k"
                                       << "v" << true;
    QTest::newRow("CR CR is an empty line") << QByteArray("[s]\r\r\nk=v") << "s"
                                            << "k"
                                            << "v" << true;
}

void TstProfile::readEncodings_data()
{
    addReadColumns();
    QTest::newRow("Windows-1252 accents") << QByteArray("[s]\r\nk=perch\xE8 citt\xE0\r\n") << "s"
                                          << "k" << QStringLiteral("perchè città") << true;
    QTest::newRow("Windows-1252 high characters")
        << QByteArray("[s]\r\nk=\x80 \x93"
                      "ciao\x94 \x8C\x9C \x8A\x9A \x85 \x96\x97 \x99 \x9F \x83\r\n")
        << "s"
        << "k" << QStringLiteral("€ “ciao” Œœ Šš … –— ™ Ÿ ƒ") << true;
    QTest::newRow("Windows-1252 section name")
        << QByteArray("[Citt\xE0]\r\nk=v\r\n") << QStringLiteral("città") << "k"
        << "v" << true;
    QTest::newRow("UTF-8") << QByteArray("[s]\r\nk=perch\xC3\xA8 \xE2\x82\xAC\r\n") << "s"
                           << "k" << QStringLiteral("perchè €") << true;
    QTest::newRow("UTF-8 with mark, section on first line")
        << QByteArray("\xEF\xBB\xBF[s]\r\nk=perch\xC3\xA8\r\n") << "s"
        << "k" << QStringLiteral("perchè") << true;
    QTest::newRow("UTF-8 with mark, key on first line")
        << QByteArray("\xEF\xBB\xBFk=v\r\n[s]\r\nk=w\r\n") << "s"
        << "k"
        << "w" << true;
    // One byte that is not UTF-8 makes the whole file Windows-1252.
    QTest::newRow("one stray byte") << QByteArray("[s]\r\nk=\xC3\xA8\r\nx=\xE8\r\n") << "s"
                                    << "k" << QStringLiteral("Ã¨") << true;
    QTest::newRow("UTF-8 cut off at the end") << QByteArray("[s]\r\nk=\xC3\xA8\r\nx=\xC3") << "s"
                                              << "k" << QStringLiteral("Ã¨") << true;
    QTest::newRow("UTF-16LE with mark") << utf16Le(QStringLiteral("[s]\r\nk=perchè €\r\n")) << "s"
                                        << "k" << QStringLiteral("perchè €") << true;
}

void TstProfile::readOddBytes_data()
{
    addReadColumns();
    QTest::newRow("NUL ends the value") << raw("[s]\r\nk=ab\0cd\r\nx=y\r\n") << "s"
                                        << "k"
                                        << "ab" << true;
    QTest::newRow("NUL before the line") << raw("\0\0\0[s]\r\nk=v\r\n") << "s"
                                         << "k"
                                         << "DEF" << false;
    QTest::newRow("NUL lines between") << raw("[s]\r\n\0\0\r\n\0=\0\r\nk=v\r\n") << "s"
                                       << "k"
                                       << "v" << true;
    QTest::newRow("control bytes") << raw("[s]\r\n\x01\x02\x1b=\x7f\r\nk=v\r\n") << "s"
                                   << "k"
                                   << "v" << true;
    QTest::newRow("truncated section") << QByteArray("[s") << "s"
                                       << "k"
                                       << "DEF" << false;
    QTest::newRow("truncated key") << QByteArray("[s]\r\nk") << "s"
                                   << "k"
                                   << "DEF" << false;
    QTest::newRow("truncated after equals") << QByteArray("[s]\r\nk=") << "s"
                                            << "k"
                                            << "" << true;
    QTest::newRow("only line ends") << QByteArray("\r\n\r\r\n\n") << "s"
                                    << "k"
                                    << "DEF" << false;
    QTest::newRow("only a mark") << QByteArray("\xEF\xBB\xBF") << "s"
                                 << "k"
                                 << "DEF" << false;
    QTest::newRow("UTF-16 mark and odd byte") << QByteArray("\xFF\xFE[\0s\0]\0\n\0k\0=\0v\0\x41", 17) << "s"
                                              << "k"
                                              << "v" << true;
}

void TstProfile::readBuffer_data()
{
    QTest::addColumn<QByteArray>("value");
    QTest::addColumn<int>("bufferSize");
    QTest::addColumn<QString>("expected");

    const QByteArray long600 = QByteArray(600, 'x');
    QTest::newRow("600 cut to 511") << long600 << 512 << QString(511, QLatin1Char('x'));
    QTest::newRow("511 fits") << QByteArray(511, 'y') << 512 << QString(511, QLatin1Char('y'));
    QTest::newRow("512 loses one") << QByteArray(512, 'z') << 512 << QString(511, QLatin1Char('z'));
    QTest::newRow("quotes removed before the cut")
        << ('"' + QByteArray(511, 'q') + '"') << 512 << QString(511, QLatin1Char('q'));
    QTest::newRow("small buffer") << QByteArray("abcdef") << 4 << "abc";
    QTest::newRow("buffer of one") << QByteArray("abc") << 1 << "";
    QTest::newRow("buffer of zero") << QByteArray("abc") << 0 << "";
    QTest::newRow("Windows-1252 counts characters")
        << QByteArray("\xE8\xE8\xE8\xE8") << 3 << QStringLiteral("èè");
    QTest::newRow("no half character") << QByteArray("ab\xF0\x9F\x98\x80") << 4 << "ab";
}

void TstProfile::readBuffer()
{
    QFETCH(QByteArray, value);
    QFETCH(int, bufferSize);
    QFETCH(QString, expected);

    const QString file = path(QStringLiteral("buffer.ini"));
    QVERIFY(putFile(file, "[s]\r\nk=" + value + "\r\n"));
    QCOMPARE(readProfileString(file, "s", "k", "", bufferSize), expected);
    // The default is cut the same way.
    QCOMPARE(readProfileString(file, "s", "missing", QString::fromLatin1(value), bufferSize).size(),
             std::min<qsizetype>(value.size(), std::max(bufferSize - 1, 0)));
}

void TstProfile::readMissingFile()
{
    bool found = true;
    const QString missing = path(QStringLiteral("missing.ini"));
    QCOMPARE(readProfileString(missing, "s", "k", "default  ", 512, &found), "default");
    QVERIFY(!found);
    // Only spaces at the end go; leading spaces and tabs stay.
    QCOMPARE(readProfileString(missing, "s", "k", "  d\t "), "  d\t");
    QCOMPARE(readProfileString(missing, "s", "k", "   "), "");
    QCOMPARE(readProfileString(QString(), "s", "k", "x"), "x");
    QCOMPARE(readProfileString(m_dir->path(), "s", "k", "folder"), "folder");
}

void TstProfile::readPathWithOtherCase()
{
    QVERIFY(QDir(m_dir->path()).mkdir(QStringLiteral("lang")));
    QVERIFY(putFile(path(QStringLiteral("lang/italiano.lng")), "[Form1]\r\n0001=Ciao\r\n"));
    const QString programPath = m_dir->path() + QStringLiteral("\\LANG\\Italiano.lng");
    QCOMPARE(readProfileString(programPath, "Form1", "0001", "?"), "Ciao");
}

void TstProfile::readHugeRandomFile()
{
    // 50 MB of random bytes after a valid start: no crash, no hang, the start still answers.
    QByteArray bytes("[s]\r\nk=first\r\n");
    const qsizetype size = 50 * 1024 * 1024;
    bytes.reserve(size);
    QRandomGenerator random(1234);
    while (bytes.size() < size) {
        const quint32 word = random.generate();
        bytes.append(reinterpret_cast<const char *>(&word), sizeof word);
    }
    const QString file = path(QStringLiteral("random.ini"));
    QVERIFY(putFile(file, bytes));
    QCOMPARE(readProfileString(file, "s", "k", "d"), "first");
    QCOMPARE(readProfileString(file, "nowhere", "k", "d"), "d");
}

void TstProfile::readHugeLineWithoutEnd()
{
    const QString file = path(QStringLiteral("oneline.ini"));
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

    // Everything around the touched line must survive untouched: comments, blank lines,
    // odd spacing, other sections, a last line without a line end.
    const QByteArray messy("; header comment\r\n"
                           "\r\n"
                           "[Other]\r\n"
                           "  k   =  other  \r\n"
                           "\r\n"
                           "[Lang]  ; the language\r\n"
                           "\t; which one\r\n"
                           "   Language =  \"English\"  \r\n"
                           "Extra=1\r\n"
                           "\r\n"
                           "\r\n"
                           "[Last]\r\n"
                           "x = y");
    QByteArray replaced = messy;
    replaced.replace("   Language =  \"English\"  ", "Language=Italiano");
    QTest::newRow("replace keeps the rest") << messy << "lang"
                                            << "LANGUAGE"
                                            << "Italiano" << replaced;

    QByteArray added = messy;
    added.replace("Extra=1\r\n", "Extra=1\r\nNew=v\r\n");
    QTest::newRow("new key after last filled line") << messy << "Lang"
                                                    << "New"
                                                    << "v" << added;

    QTest::newRow("new key in last section without line end") << messy << "Last"
                                                              << "z"
                                                              << "1" << messy + "\r\nz=1\r\n";
    QTest::newRow("new section without line end") << messy << "New"
                                                  << "k"
                                                  << "v" << messy + "\r\n[New]\r\nk=v\r\n";

    QTest::newRow("replace value in last line") << messy << "last"
                                                << "x"
                                                << "" << QByteArray(messy).replace("x = y", "x=");

    QTest::newRow("new key after a comment")
        << QByteArray("[s]\r\na=1\r\n; note\r\n\r\n[t]\r\n") << "s"
        << "b"
        << "2" << QByteArray("[s]\r\na=1\r\n; note\r\nb=2\r\n\r\n[t]\r\n");
    QTest::newRow("new key after the header") << QByteArray("[s]\r\n\r\n\r\n[t]\r\nb=1\r\n") << "s"
                                              << "a"
                                              << "1" << QByteArray("[s]\r\na=1\r\n\r\n\r\n[t]\r\nb=1\r\n");
    QTest::newRow("blank lines of spaces are blank")
        << QByteArray("[s]\r\na=1\r\n  \r\n\t\r\n[t]\r\n") << "s"
        << "b"
        << "2" << QByteArray("[s]\r\na=1\r\nb=2\r\n  \r\n\t\r\n[t]\r\n");
    QTest::newRow("line without equals counts as filled") << QByteArray("[s]\r\nnoise\r\n\r\n") << "s"
                                                          << "k"
                                                          << "v" << QByteArray("[s]\r\nnoise\r\nk=v\r\n\r\n");
    QTest::newRow("new section") << QByteArray("[s]\r\na=1\r\n") << "t"
                                 << "k"
                                 << "v" << QByteArray("[s]\r\na=1\r\n[t]\r\nk=v\r\n");
    QTest::newRow("new section after blank lines") << QByteArray("[s]\r\na=1\r\n\r\n") << "t"
                                                   << "k"
                                                   << "v" << QByteArray("[s]\r\na=1\r\n\r\n[t]\r\nk=v\r\n");
    QTest::newRow("empty file") << QByteArray() << "s"
                                << "k"
                                << "v" << QByteArray("[s]\r\nk=v\r\n");
    QTest::newRow("key before any section is not the section's")
        << QByteArray("k=1\r\n[s]\r\n") << "s"
        << "k"
        << "2" << QByteArray("k=1\r\n[s]\r\nk=2\r\n");

    QTest::newRow("first duplicate section edited") << QByteArray("[s]\r\nk=1\r\n[S]\r\nk=2\r\n") << "s"
                                                    << "k"
                                                    << "9" << QByteArray("[s]\r\nk=9\r\n[S]\r\nk=2\r\n");
    QTest::newRow("new key goes to first duplicate")
        << QByteArray("[s]\r\na=1\r\n[s]\r\nk=2\r\n") << "s"
        << "k"
        << "9" << QByteArray("[s]\r\na=1\r\nk=9\r\n[s]\r\nk=2\r\n");
    QTest::newRow("first duplicate key edited") << QByteArray("[s]\r\nk=1\r\nk=2\r\n") << "s"
                                                << "k"
                                                << "9" << QByteArray("[s]\r\nk=9\r\nk=2\r\n");
    QTest::newRow("comment that looks like the key") << QByteArray("[s]\r\n;k=1\r\n") << "s"
                                                     << "k"
                                                     << "9" << QByteArray("[s]\r\n;k=1\r\nk=9\r\n");
    QTest::newRow("caller's spaces stripped") << QByteArray("[s]\r\nk=1\r\n") << " s "
                                              << " k "
                                              << "9" << QByteArray("[s]\r\nk=9\r\n");
    QTest::newRow("value written as given") << QByteArray("[s]\r\nk=1\r\n") << "s"
                                            << "k"
                                            << " \"a\" ; b " << QByteArray("[s]\r\nk= \"a\" ; b \r\n");

    QTest::newRow("LF file stays LF") << QByteArray("[s]\na=1\n") << "t"
                                      << "k"
                                      << "v" << QByteArray("[s]\na=1\n[t]\nk=v\n");
    QTest::newRow("LF file, new key") << QByteArray("[s]\na=1") << "s"
                                      << "k"
                                      << "v" << QByteArray("[s]\na=1\nk=v\n");
    QTest::newRow("CR file stays CR") << QByteArray("[s]\ra=1\r") << "s"
                                      << "k"
                                      << "v" << QByteArray("[s]\ra=1\rk=v\r");
    QTest::newRow("no line end yet gives CRLF") << QByteArray("[s]") << "s"
                                                << "k"
                                                << "v" << QByteArray("[s]\r\nk=v\r\n");
    QTest::newRow("replace keeps the line end") << QByteArray("[s]\nk=1\r\nx=2\r") << "s"
                                                << "k"
                                                << "22" << QByteArray("[s]\nk=22\r\nx=2\r");

    QTest::newRow("Windows-1252 stays Windows-1252")
        << QByteArray("[s]\r\na=perch\xE8\r\n") << "s"
        << "k" << QStringLiteral("città € “x” Œ")
        << QByteArray("[s]\r\na=perch\xE8\r\nk=citt\xE0 \x80 \x93x\x94 \x8C\r\n");
    QTest::newRow("Windows-1252 can't hold everything")
        << QByteArray("[s]\r\nk=\xE8\r\n") << "s"
        << "k" << QStringLiteral("a日本b😀c") << QByteArray("[s]\r\nk=a??b?c\r\n");
    QTest::newRow("Windows-1252 section found by its accents")
        << QByteArray("[Citt\xE0]\r\nk=1\r\n") << QStringLiteral("CITTÀ") << "k" << QStringLiteral("è")
        << QByteArray("[Citt\xE0]\r\nk=\xE8\r\n");
    QTest::newRow("UTF-8 stays UTF-8")
        << QByteArray("[s]\r\na=perch\xC3\xA8\r\n") << "s"
        << "k" << QStringLiteral("città日本")
        << QByteArray("[s]\r\na=perch\xC3\xA8\r\nk=citt\xC3\xA0\xE6\x97\xA5\xE6\x9C\xAC\r\n");
    QTest::newRow("UTF-8 mark kept") << QByteArray("\xEF\xBB\xBF[s]\r\nk=1\r\n") << "s"
                                     << "k" << QStringLiteral("è")
                                     << QByteArray("\xEF\xBB\xBF[s]\r\nk=\xC3\xA8\r\n");
    QTest::newRow("UTF-16LE stays UTF-16LE")
        << QByteArray("\xFF\xFE[\0s\0]\0\r\0\n\0k\0=\0"
                      "1\0\r\0\n\0",
                      22)
        << "s"
        << "k" << QStringLiteral("è") << QByteArray("\xFF\xFE[\0s\0]\0\r\0\n\0k\0=\0\xE8\0\r\0\n\0", 22);
    QTest::newRow("stray bytes elsewhere kept") << raw("\x01\0\xFF\r\n[s]\r\nk=1\r\n") << "s"
                                                << "k"
                                                << "2" << raw("\x01\0\xFF\r\n[s]\r\nk=2\r\n");
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

void TstProfile::writeNewFile()
{
    const QString file = path(QStringLiteral("LangSetting.ini"));
    QVERIFY(writeProfileString(file, "Language", "Current", QStringLiteral("Italiano è")));
    QCOMPARE(fileBytes(file), QByteArray("[Language]\r\nCurrent=Italiano \xC3\xA8\r\n"));
}

void TstProfile::writeFoundWithOtherCase()
{
    // The program spells the file name its own way; the existing file is edited, no twin made.
    QVERIFY(putFile(path(QStringLiteral("langsetting.ini")), "[s]\r\nk=1\r\n"));
    QVERIFY(writeProfileString(m_dir->path() + QStringLiteral("\\LangSetting.INI"), "s", "k", "2"));
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files), QStringList{QStringLiteral("langsetting.ini")});
    QCOMPARE(fileBytes(path(QStringLiteral("langsetting.ini"))), QByteArray("[s]\r\nk=2\r\n"));
}

void TstProfile::writeThenRead()
{
    const QString file = path(QStringLiteral("rt.ini"));
    QVERIFY(putFile(file, "[s]\r\nk=perch\xE8\r\n"));
    const QString values[] = {QStringLiteral("Français"), QStringLiteral("NON "), QString(),
                              QStringLiteral("a=b")};
    for (const QString &value : values) {
        QVERIFY(writeProfileString(file, "s", "k", value));
        QCOMPARE(readProfileString(file, "s", "k", "d"), value.trimmed());
        QCOMPARE(readProfileString(file, "s", "other", "d"), "d");
    }
    QVERIFY(writeProfileString(file, "t", "x", "y"));
    QCOMPARE(readProfileString(file, "t", "x", "d"), "y");
    QCOMPARE(readProfileString(file, "s", "k", "d"), "a=b");
}

void TstProfile::writeIntoMissingFolderFails()
{
    const QString file = path(QStringLiteral("nowhere/x.ini"));
    QVERIFY(!writeProfileString(file, "s", "k", "v"));
    QVERIFY(!QFileInfo::exists(path(QStringLiteral("nowhere"))));
}

void TstProfile::writeUnderNonFolderFails()
{
    QVERIFY(!writeProfileString(QStringLiteral("/dev/null/x.ini"), "s", "k", "v"));
    QVERIFY(putFile(path(QStringLiteral("plain")), "data"));
    QVERIFY(!writeProfileString(path(QStringLiteral("plain/x.ini")), "s", "k", "v"));
    QCOMPARE(fileBytes(path(QStringLiteral("plain"))), QByteArray("data"));
}

void TstProfile::writeOntoFolderFails()
{
    QVERIFY(QDir(m_dir->path()).mkdir(QStringLiteral("sub.ini")));
    QVERIFY(!writeProfileString(path(QStringLiteral("sub.ini")), "s", "k", "v"));
    QVERIFY(QFileInfo(path(QStringLiteral("sub.ini"))).isDir());
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

    QFile probe(folder + QStringLiteral("/probe"));
    if (probe.open(QIODevice::WriteOnly)) {
        probe.close();
        probe.remove();
        QSKIP("this user may write into read-only folders (root)");
    }
    QVERIFY(!writeProfileString(file, "Language", "Current", "Italiano"));
    QCOMPARE(fileBytes(file), original);
    QVERIFY(!writeProfileString(folder + QStringLiteral("/new.ini"), "s", "k", "v"));
    QVERIFY(!QFileInfo::exists(folder + QStringLiteral("/new.ini")));
}

void TstProfile::writeLeavesNoTemporaryFiles()
{
    const QString file = path(QStringLiteral("only.ini"));
    QVERIFY(writeProfileString(file, "s", "k", "1"));
    QVERIFY(writeProfileString(file, "s", "k", "2"));
    QVERIFY(!writeProfileString(path(QStringLiteral("gone/x.ini")), "s", "k", "v"));
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
             QStringList{QStringLiteral("only.ini")});
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

QTEST_GUILESS_MAIN(TstProfile)
#include "tst_profile.moc"
