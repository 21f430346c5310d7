// Arbitrary bytes as a language file and as LangSetting.ini: every read must survive them,
// and every write the profile writer accepts must keep its promises:
// - the value written reads back (cut to the reader's 511 characters);
// - the same write again changes no byte;
// - every other key present before reads as it did.
// A write the writer refuses must leave the file as it was, and only odd names may be refused.
// Reading and editing go through memory, about a thousand inputs a second; the program's own
// setting may also go once through the disk (a new file renamed over the old one), which must
// leave exactly the bytes of the edit in memory.
//
// Input: a flag byte, the lengths of section, key and value (one byte each), their bytes, then
// the file's bytes.
// Flag bits 0-1, with bit 6 set: the file padded to 64000 bytes (the last size the profile reader
// reads), 64001 (the first the large-file scan reads), or 63990 (a write may push it over);
// otherwise the file as given (a padded file costs many times more to check).
// Bits 2-3: names and value are UTF-8, Latin-1, or raw UTF-16LE code units (lone surrogates too).
// Bit 4: write the program's own setting, Language / CurrentLanguage, with the fuzzed value;
// with bit 7 also through the disk, as the program writes it.
// Bit 5: the value repeated past the reader's 511 characters.

#include "language/modLanguageSupport.h"
#include "platform/Application.h"
#include "platform/FileSystem.h"
#include "platform/Profile.h"

#include <QDir>
#include <QFile>
#include <QStringTokenizer>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>

#include <unistd.h>

using namespace modLanguageSupport;

namespace {

[[noreturn]] void fail(const char *what, const QString &detail = {})
{
    std::fprintf(stderr, "profile_fuzzer: %s %s\n", what, qPrintable(detail));
    std::abort();
}

#define CHECK(condition, detail)                                                                             \
    do {                                                                                                     \
        if (!(condition))                                                                                    \
            fail(#condition, detail);                                                                        \
    } while (false)

struct Input
{
    int padding = 0;
    bool ownSetting = false;
    bool throughDisk = false;
    QString section, key, value;
    QByteArray content;
};

QString toText(QByteArrayView bytes, int how)
{
    if (how == 1)
        return QString::fromLatin1(bytes);
    if (how >= 2) {
        QString text;
        for (qsizetype i = 0; i + 1 < bytes.size(); i += 2)
            text.append(QChar(char16_t(uchar(bytes[i]) | uchar(bytes[i + 1]) << 8)));
        return text;
    }
    return QString::fromUtf8(bytes);
}

// Comment lines in the file's own encoding up to exactly size bytes.
QByteArray padded(QByteArray content, qsizetype size)
{
    if (content.size() >= size)
        return content;
    QByteArray line = "\r\n;" + QByteArray(1000, 'x');
    if (content.startsWith("\xFF\xFE")) {
        QByteArray wide;
        for (const char c : std::as_const(line))
            wide.append(c).append('\0');
        line = wide;
    }
    content += line.repeated((size - content.size()) / line.size() + 1);
    content.truncate(size);
    return content;
}

Input split(const uint8_t *data, size_t size)
{
    Input in;
    QByteArrayView bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const auto take = [&bytes](qsizetype n) {
        const QByteArrayView part = bytes.first(std::min(n, bytes.size()));
        bytes = bytes.sliced(part.size());
        return part;
    };
    const QByteArrayView header = take(4);
    const int flags = header.size() > 0 ? uchar(header[0]) : 0;
    const int how = (flags >> 2) & 3;
    in.padding = flags & 64 ? flags & 3 : 0;
    in.ownSetting = flags & 16;
    in.throughDisk = in.ownSetting && (flags & 128);
    in.section = toText(take(header.size() > 1 ? uchar(header[1]) : 0), how);
    in.key = toText(take(header.size() > 2 ? uchar(header[2]) : 0), how);
    in.value = toText(take(header.size() > 3 ? uchar(header[3]) : 0), how);
    if (flags & 32) {
        // Past the reader's 511 characters.
        while (!in.value.isEmpty() && in.value.size() < 600)
            in.value += in.value;
    }
    in.content = bytes.toByteArray();
    static constexpr qsizetype sizes[] = {0, 64000, 64001, 63990};
    if (in.padding)
        in.content = padded(in.content, sizes[in.padding]);
    return in;
}

QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

void put(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    CHECK(file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size(), path);
}

bool isBlank(QChar c)
{
    return c == u' ' || c == u'\t' || c == u'\v';
}

QStringView trimmed(QStringView s)
{
    while (!s.isEmpty() && isBlank(s.front()))
        s = s.sliced(1);
    while (!s.isEmpty() && isBlank(s.back()))
        s.chop(1);
    return s;
}

// The section and key names a file's text holds, found line by line in the plainest way (a CR
// LF pair makes one more, empty, line).
QList<std::pair<QString, QString>> keysOf(QStringView text)
{
    QList<std::pair<QString, QString>> keys;
    QString section;
    bool inSection = false;
    for (const QStringView part : QStringTokenizer(text, u'\n')) {
        for (const QStringView rawLine : QStringTokenizer(part, u'\r')) {
            const QStringView line = trimmed(rawLine);
            if (line.startsWith(u'[')) {
                const QStringView rest = line.sliced(1);
                section = trimmed(rest.first(rest.contains(u']') ? rest.indexOf(u']') : rest.size())).toString();
                inSection = true;
            } else if (inSection && !line.startsWith(u';') && line.contains(u'=')) {
                keys.append({section, trimmed(line.first(line.indexOf(u'='))).toString()});
                if (keys.size() == 40)
                    return keys; // enough to notice damage
            }
        }
    }
    return keys;
}

// What the reader gives for a value that reads back: at most 511 characters, no half character.
QString asRead(QString value)
{
    if (value.size() > 511) {
        value.truncate(511);
        if (value.back().isHighSurrogate())
            value.chop(1);
    }
    return value;
}

// Names anyone would use: the writer has no reason to refuse them.
bool isPlainName(const QString &name)
{
    for (const QChar c : name) {
        if (!c.isLetterOrNumber() && c != u'_' && c != u'.' && c != u'(' && c != u')' && c != u' ')
            return false;
    }
    return !name.trimmed().isEmpty();
}

bool isPlainValue(const QString &value)
{
    for (const QChar c : value) {
        if (c.unicode() < 0x20 || c.isSurrogate())
            return false;
    }
    return true;
}

struct Reading
{
    bool found = false;
    QString value;
    bool operator==(const Reading &) const = default;
};

Reading readKey(const platform::ProfileIndex &index, const QString &section, const QString &key)
{
    Reading r;
    r.value = index.value(section, key, QString(), 512, &r.found);
    return r;
}

// The writer strips spaces, not tabs, from the names it is given.
QString spacesStripped(QString s)
{
    while (s.startsWith(u' '))
        s.remove(0, 1);
    while (s.endsWith(u' '))
        s.chop(1);
    return s;
}

QString describe(const QString &section, const QString &key, const QString &value)
{
    return QStringLiteral("[%1] %2=%3").arg(section, key, value);
}

// The file's text and the keys it holds, found once for all checks.
struct Contents
{
    QString text;
    QList<std::pair<QString, QString>> keys;
    platform::ProfileIndex index;
};

void checkReads(const Input &in, const Contents &file)
{
    const QString &text = file.text;
    const QString viaModule = iniValueOfBytes(in.content, in.section, in.key);
    if (in.content.size() <= kProfileReaderLimit) {
        const QString direct = platform::readProfileStringFromText(text, in.section, in.key, QString(), 512);
        CHECK(viaModule == direct, viaModule + QStringLiteral(" / ") + direct);
        CHECK(direct.size() <= 511, QString());
    }
}

QString scratchFolder();

// The program's own setting, written as the program writes it: through the disk, into a new file
// renamed over the old one. The file must then hold exactly the bytes of the edit in memory (or,
// refused, its own), and the program must read its setting back from it.
void checkOnDisk(const Input &in, const QString &section, const QString &key, bool accepted,
                 const QByteArray &expected)
{
    const QString dir = scratchFolder();
    platform::ApplicationPath = dir;
    const QString ini = dir + QStringLiteral("/LangSetting.ini");
    const QString what = describe(section, key, in.value);
    put(ini, in.content);
    CHECK(WriteIniValue(ini, section, key, in.value) == accepted, what);
    CHECK(fileBytes(ini) == expected, QStringLiteral("the file differs from the edit in memory: ") + what);
    if (accepted)
        CHECK(readCurrentLanguageSetting() == asRead(in.value), what);
}

void checkWrite(const Input &in, const Contents &file)
{
    const QString section = in.ownSetting ? QStringLiteral("Language") : in.section;
    const QString key = in.ownSetting ? QStringLiteral("CurrentLanguage") : in.key;
    const QString what = describe(section, key, in.value);

    QList<std::pair<QString, QString>> others;
    for (const auto &[s, k] : file.keys) {
        if (s.compare(spacesStripped(section), Qt::CaseInsensitive) != 0 ||
            k.compare(spacesStripped(key), Qt::CaseInsensitive) != 0)
            others.append({s, k});
    }
    // Read through an index of the text, as a window's many texts are.
    QList<Reading> before;
    for (const auto &[s, k] : std::as_const(others))
        before.append(readKey(file.index, s, k));

    QByteArray written;
    const bool accepted = platform::editProfileBytes(in.content, section, key, in.value, &written);
    if (in.throughDisk)
        checkOnDisk(in, section, key, accepted, accepted ? written : in.content);
    if (!accepted) {
        CHECK(!(isPlainName(section) && isPlainName(key) && isPlainValue(in.value)),
              QStringLiteral("plain write refused: ") + what);
        return;
    }
    // One reading of the edited file for all the checks, as a window reads its many texts.
    const platform::ProfileIndex after(platform::decodeText(written));
    const Reading back = readKey(after, section, key);
    CHECK(back.found && back.value == asRead(in.value), what + QStringLiteral(" read back as ") + back.value);
    for (qsizetype i = 0; i < others.size(); ++i) {
        const Reading now = readKey(after, others[i].first, others[i].second);
        CHECK(now == before[i], describe(others[i].first, others[i].second, before[i].value) +
                                    QStringLiteral(" became ") + now.value + QStringLiteral(" after ") + what);
    }

    QByteArray again;
    CHECK(platform::editProfileBytes(written, section, key, in.value, &again), what);
    CHECK(again.size() <= written.size(), QStringLiteral("grew on a repeated write: ") + what);
    CHECK(again == written, QStringLiteral("changed on a repeated write: ") + what);
}

// One folder per process, named after it. A run that ends in a finding, a kill or libFuzzer's
// own exit never removes its folder, so the next run removes those of processes that are gone.
class ScratchFolder
{
public:
    ScratchFolder()
    {
        // Memory-backed when there is one: the fuzzer writes thousands of files a second.
        const QString base =
            QDir(QStringLiteral("/dev/shm")).exists() ? QStringLiteral("/dev/shm") : QDir::tempPath();
        const QString prefix = QStringLiteral("zorvelli-fuzz-");
        for (const QString &name : QDir(base).entryList({prefix + u'*'}, QDir::Dirs | QDir::NoDotAndDotDot)) {
            bool ok = false;
            const pid_t pid = name.sliced(prefix.size()).toInt(&ok);
            if (ok && ::kill(pid, 0) != 0 && errno == ESRCH)
                QDir(base + u'/' + name).removeRecursively();
        }
        m_path = base + u'/' + prefix + QString::number(::getpid());
        CHECK(QDir().mkpath(m_path), m_path);
    }
    ~ScratchFolder() { QDir(m_path).removeRecursively(); }
    const QString &path() const { return m_path; }

private:
    QString m_path;
};

QString scratchFolder()
{
    static const ScratchFolder folder;
    return folder.path();
}

} // namespace

// A small quarantine lets freed memory be reused soon: with the default 256 MB every allocation
// touches fresh pages, and the fuzzer runs several times slower. One input allocates about 1 MB
// at most, so memory freed while it runs is still caught being used until it ends. Each
// allocation keeps the ten calls that made it instead of thirty (enough to see which of our
// functions asked, past Qt's own few), which spares about a seventh of the fuzzer's time;
// a fault's own stack is always whole.
extern "C" const char *__asan_default_options()
{
    return "quarantine_size_mb=4:max_malloc_fill_size=0:malloc_context_size=10";
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const Input in = split(data, size);
    Contents file;
    file.text = platform::decodeText(in.content);
    file.keys = keysOf(file.text);
    file.index = platform::ProfileIndex(file.text);
    checkReads(in, file);
    checkWrite(in, file);
    return 0;
}
