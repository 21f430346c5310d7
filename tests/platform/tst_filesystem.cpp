// File length, folder listing, whole-file reading and the text encodings of old and new files.

#include "platform/FileSystem.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace platform;

Q_DECLARE_METATYPE(platform::TextEncoding)

class TstFileSystem : public QObject
{
    Q_OBJECT

private slots:
    void init();

    void fileLengths();
    void listFolderByPattern_data();
    void listFolderByPattern();
    void listMissingFolder();
    void readBytes();
    void readNeverFollowsADevice();

    void decode_data();
    void decode();
    void windows1252RoundTrip();
    void encode_data();
    void encode();
    void decodeOneLine();
    void split_data();
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
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
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

void TstFileSystem::listFolderByPattern_data()
{
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("*.lng") << "*.lng" << QStringList{"A.lng",       "a.Lng",        "b.LNG",
                                                     "English.lng", "Italiano.lng", "z(1)+.lng"};
    QTest::newRow("upper-case pattern")
        << "*.LNG" << QStringList{"A.lng", "a.Lng", "b.LNG", "English.lng", "Italiano.lng", "z(1)+.lng"};
    QTest::newRow("question mark") << "?.lng" << QStringList{"A.lng", "a.Lng", "b.LNG"};
    QTest::newRow("literal brackets and plus") << "Z(1)+.*" << QStringList{"z(1)+.lng"};
    QTest::newRow("star dot star is everything")
        << "*.*" << QStringList{"A.lng",           "a.Lng", "b.LNG",      "English.lng", "Italiano.lng",
                                "LangSetting.ini", "lng",   "notes.lngx", "z(1)+.lng"};
    QTest::newRow("one name") << "langsetting.INI" << QStringList{"LangSetting.ini"};
    QTest::newRow("nothing") << "*.wav" << QStringList{};
}

void TstFileSystem::listFolderByPattern()
{
    QFETCH(QString, pattern);
    QFETCH(QStringList, expected);

    for (const char *name : {"Italiano.lng", "b.LNG", "a.Lng", "A.lng", "English.lng", "LangSetting.ini",
                             "notes.lngx", "lng", "z(1)+.lng"})
        makeFile(QString::fromLatin1(name));
    QVERIFY(QDir(root()).mkdir(QStringLiteral("folder.lng"))); // folders are not listed
    QVERIFY(QDir(root()).mkdir(QStringLiteral("sub")));

    // The folder is given the program's way, in another letter case.
    const QString folder = root() + QStringLiteral("\\SUB\\..");
    QCOMPARE(listFolder(folder, pattern), expected);
}

void TstFileSystem::listMissingFolder()
{
    QCOMPARE(listFolder(root() + QStringLiteral("/nowhere"), QStringLiteral("*.lng")), QStringList());
    makeFile(QStringLiteral("file.lng"));
    QCOMPARE(listFolder(root() + QStringLiteral("/file.lng"), QStringLiteral("*")), QStringList());
}

void TstFileSystem::readBytes()
{
    const QByteArray content("[s]\r\nk=\xE8\0tail", 13);
    makeFile(QStringLiteral("Data.ini"), content);
    makeFile(QStringLiteral("empty.ini"));

    bool ok = false;
    QCOMPARE(readFileBytes(root() + QStringLiteral("\\DATA.INI"), &ok), content);
    QVERIFY(ok);
    QCOMPARE(readFileBytes(root() + QStringLiteral("/Data.ini"), &ok, 5), content.first(5));
    QVERIFY(ok);
    QCOMPARE(readFileBytes(root() + QStringLiteral("/Data.ini"), &ok, 0), QByteArray());
    QVERIFY(ok);
    QCOMPARE(readFileBytes(root() + QStringLiteral("/empty.ini"), &ok), QByteArray());
    QVERIFY(ok);

    QCOMPARE(readFileBytes(root() + QStringLiteral("/missing.ini"), &ok), QByteArray());
    QVERIFY(!ok);
    ok = true;
    QCOMPARE(readFileBytes(root(), &ok), QByteArray());
    QVERIFY(!ok);
}

void TstFileSystem::readNeverFollowsADevice()
{
    // /dev/zero never ends; reading it "whole" must not hang or exhaust memory.
    bool ok = true;
    QCOMPARE(readFileBytes(QStringLiteral("/dev/zero"), &ok), QByteArray());
    QVERIFY(!ok);
}

void TstFileSystem::decode_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");
    QTest::addColumn<TextEncoding>("encoding");

    QTest::newRow("empty") << QByteArray() << QString() << TextEncoding::Utf8;
    QTest::newRow("ASCII") << QByteArray("abc\r\n") << "abc\r\n" << TextEncoding::Utf8;
    QTest::newRow("UTF-8") << QByteArray("perch\xC3\xA8 \xE2\x82\xAC") << QStringLiteral("perchè €")
                           << TextEncoding::Utf8;
    QTest::newRow("UTF-8 mark dropped")
        << QByteArray("\xEF\xBB\xBF\xC3\xA8") << QStringLiteral("è") << TextEncoding::Utf8Bom;
    QTest::newRow("second mark kept")
        << QByteArray("\xEF\xBB\xBF\xEF\xBB\xBFx") << QStringLiteral("\uFEFFx") << TextEncoding::Utf8Bom;
    QTest::newRow("Windows-1252") << QByteArray("perch\xE8") << QStringLiteral("perchè")
                                  << TextEncoding::Windows1252;
    QTest::newRow("Windows-1252 with a UTF-8 mark")
        << QByteArray("\xEF\xBB\xBF\xE8") << QStringLiteral("è") << TextEncoding::Windows1252;
    QTest::newRow("UTF-8 cut off at the end")
        << QByteArray("\xC3\xA8\xE2\x82") << QStringLiteral("Ã¨â‚") << TextEncoding::Windows1252;
    QTest::newRow("overlong UTF-8") << QByteArray("\xC0\xAF") << QStringLiteral("À¯")
                                    << TextEncoding::Windows1252;
    QTest::newRow("encoded surrogate")
        << QByteArray("\xED\xA0\x80") << QStringLiteral("í\u00A0€") << TextEncoding::Windows1252;
    QTest::newRow("0x80-0x9F") << QByteArray("\x80\x82\x83\x84\x85\x86\x87\x88\x89\x8A\x8B\x8C\x8E")
                               << QStringLiteral("€‚ƒ„…†‡ˆ‰Š‹ŒŽ") << TextEncoding::Windows1252;
    QTest::newRow("0x91-0x9F") << QByteArray("\x91\x92\x93\x94\x95\x96\x97\x98\x99\x9A\x9B\x9C\x9E\x9F")
                               << QStringLiteral("‘’“”•–—˜™š›œžŸ") << TextEncoding::Windows1252;
    QTest::newRow("unassigned bytes")
        << QByteArray("\x81\x8D\x8F\x90\x9D") << QStringLiteral("\u0081\u008D\u008F\u0090\u009D")
        << TextEncoding::Windows1252;
    QTest::newRow("Latin-1 range") << QByteArray("\xA0\xA9\xC0\xFF") << QStringLiteral("\u00A0©Àÿ")
                                   << TextEncoding::Windows1252;
    QTest::newRow("UTF-16LE") << QByteArray("\xFF\xFEh\0\xE8\0\xAC\x20", 8) << QStringLiteral("hè€")
                              << TextEncoding::Utf16Le;
    QTest::newRow("UTF-16LE odd byte dropped")
        << QByteArray("\xFF\xFEh\0i", 5) << QStringLiteral("h") << TextEncoding::Utf16Le;
    QTest::newRow("NUL bytes kept") << QByteArray("a\0b", 3) << QString(QStringLiteral("a") + QChar(0) + 'b')
                                    << TextEncoding::Utf8;
}

void TstFileSystem::decode()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    QFETCH(TextEncoding, encoding);
    QCOMPARE(decodeText(bytes), text);
    QCOMPARE(detectEncoding(bytes), encoding);
}

void TstFileSystem::windows1252RoundTrip()
{
    // Every byte comes back as it was, so a file edited in one line keeps all the others.
    QByteArray all;
    for (int b = 0; b < 256; ++b)
        all.append(char(b));
    const QString text = decodeText(all, TextEncoding::Windows1252);
    QCOMPARE(text.size(), 256);
    QCOMPARE(encodeText(text, TextEncoding::Windows1252), all);
    // Twenty-seven printable characters at 0x80-0x9F, none of them a C1 control.
    int printable = 0;
    for (int b = 0x80; b <= 0x9F; ++b)
        printable += text.at(b).unicode() > 0xFF;
    QCOMPARE(printable, 27);
}

void TstFileSystem::encode_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<TextEncoding>("encoding");
    QTest::addColumn<QByteArray>("bytes");

    QTest::newRow("1252 accents") << QStringLiteral("perchè à") << TextEncoding::Windows1252
                                  << QByteArray("perch\xE8 \xE0");
    QTest::newRow("1252 high characters")
        << QStringLiteral("€“”ŒŸ") << TextEncoding::Windows1252 << QByteArray("\x80\x93\x94\x8C\x9F");
    QTest::newRow("1252 question marks")
        << QStringLiteral("a日b\U0001F600c\u0080") << TextEncoding::Windows1252 << QByteArray("a?b?c?");
    QTest::newRow("UTF-8") << QStringLiteral("è€") << TextEncoding::Utf8
                           << QByteArray("\xC3\xA8\xE2\x82\xAC");
    QTest::newRow("UTF-8, mark left to the file")
        << QStringLiteral("è") << TextEncoding::Utf8Bom << QByteArray("\xC3\xA8");
    QTest::newRow("UTF-16LE") << QStringLiteral("hè\U0001F600") << TextEncoding::Utf16Le
                              << QByteArray("h\0\xE8\0\x3D\xD8\x00\xDE", 8);
}

void TstFileSystem::encode()
{
    QFETCH(QString, text);
    QFETCH(TextEncoding, encoding);
    QFETCH(QByteArray, bytes);
    QCOMPARE(encodeText(text, encoding), bytes);
}

void TstFileSystem::decodeOneLine()
{
    QCOMPARE(decodeText(QByteArrayView("citt\xE0"), TextEncoding::Windows1252), QStringLiteral("città"));
    QCOMPARE(decodeText(QByteArrayView("citt\xC3\xA0"), TextEncoding::Utf8), QStringLiteral("città"));
    QCOMPARE(decodeText(QByteArrayView("\xE0\0", 2), TextEncoding::Utf16Le), QStringLiteral("à"));
    QCOMPARE(byteOrderMarkLength("\xEF\xBB\xBFx"), 3);
    QCOMPARE(byteOrderMarkLength("\xFF\xFEx"), 2);
    QCOMPARE(byteOrderMarkLength("\xEF\xBBx"), 0);
    QCOMPARE(byteOrderMarkLength(QByteArray()), 0);
}

void TstFileSystem::split_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("lines");
    QTest::newRow("empty") << "" << QStringList{};
    QTest::newRow("CRLF") << "a\r\nb\r\n" << QStringList{"a", "b"};
    QTest::newRow("LF") << "a\nb\n" << QStringList{"a", "b"};
    QTest::newRow("CR") << "a\rb\r" << QStringList{"a", "b"};
    QTest::newRow("no final line end") << "a\r\nb" << QStringList{"a", "b"};
    QTest::newRow("mixed") << "a\rb\nc\r\nd" << QStringList{"a", "b", "c", "d"};
    QTest::newRow("blank lines") << "\r\n\n\r\r\n" << QStringList{"", "", "", ""};
    QTest::newRow("LF CR is two line ends") << "a\n\rb" << QStringList{"a", "", "b"};
    QTest::newRow("one line") << "only" << QStringList{"only"};
}

void TstFileSystem::split()
{
    QFETCH(QString, text);
    QFETCH(QStringList, lines);
    QCOMPARE(splitLines(text), lines);
}

QTEST_GUILESS_MAIN(TstFileSystem)
#include "tst_filesystem.moc"
