#include "Profile.h"

#include "FileSystem.h"
#include "Paths.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QSaveFile>

#include <algorithm>
#include <optional>

#include <fcntl.h>
#include <unistd.h>

namespace platform {

namespace {

// A profile file is text of a few kilobytes; anything past this is not read, so that a
// stray multi-gigabyte file cannot exhaust memory.
constexpr qint64 MaxProfileBytes = 256 * 1024 * 1024;

bool isBlank(QChar c)
{
    return c == QLatin1Char(' ') || c == QLatin1Char('\t') || c == QLatin1Char('\v');
}

bool isSpace(QChar c)
{
    return c == QLatin1Char(' ');
}

// s without the characters `is` matches at its end, and at its start too unless asked not to.
QStringView strip(QStringView s, bool (*is)(QChar), bool atStart = true)
{
    while (atStart && !s.isEmpty() && is(s.front()))
        s = s.sliced(1);
    while (!s.isEmpty() && is(s.back()))
        s.chop(1);
    return s;
}

QStringView trimBlanks(QStringView s)
{
    return strip(s, isBlank);
}

// Windows hands names and values back as C strings, so a NUL byte in the file ends them.
QStringView untilNul(QStringView s)
{
    const qsizetype nul = s.indexOf(QChar(0));
    return nul < 0 ? s : s.first(nul);
}

// The caller's names lose their spaces at both ends, but not their tabs.
QString stripSpaces(const QString &s)
{
    return strip(s, isSpace).toString();
}

QStringView unquote(QStringView value)
{
    if (value.size() >= 2 && (value.front() == QLatin1Char('"') || value.front() == QLatin1Char('\'')) &&
        value.back() == value.front())
        return value.sliced(1, value.size() - 2);
    return value;
}

QString cutToBuffer(QString s, int bufferSize)
{
    const qsizetype room = std::max(bufferSize - 1, 0);
    if (s.size() > room) {
        s.truncate(room);
        if (!s.isEmpty() && s.back().isHighSurrogate())
            s.chop(1); // never leave half a character behind
    }
    return s;
}

// A comment (';' first) is one of the other lines: neither section nor key.
enum class LineKind { Blank, Section, Key, Other };

struct ProfileLine
{
    LineKind kind = LineKind::Blank;
    QStringView name;  // section or key name, blanks trimmed
    QStringView value; // key value, blanks trimmed, quotes kept
};

ProfileLine parseLine(QStringView line)
{
    const QStringView text = trimBlanks(line);
    if (text.isEmpty())
        return {};
    if (text.front() == u';')
        return {LineKind::Other};
    if (text.front() == u'[') {
        const QStringView name = text.sliced(1);
        return {LineKind::Section, trimBlanks(untilNul(name.left(name.indexOf(u']'))))};
    }
    const qsizetype equals = text.indexOf(u'=');
    if (equals < 0)
        return {LineKind::Other};
    return {LineKind::Key, trimBlanks(untilNul(text.first(equals))), trimBlanks(untilNul(text.sliced(equals + 1)))};
}

bool sameName(QStringView a, QStringView b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

// The next line of text starting at *pos, without its line end; *pos moves past the line end.
QStringView nextLine(QStringView text, qsizetype *pos)
{
    const qsizetype start = *pos;
    const char16_t *end = text.utf16() + text.size();
    const char16_t *stop =
        std::find_if(text.utf16() + start, end, [](char16_t c) { return c == u'\r' || c == u'\n'; });
    qsizetype i = stop - text.utf16();
    const QStringView line = text.sliced(start, i - start);
    if (i < text.size()) {
        if (text[i] == QLatin1Char('\r') && i + 1 < text.size() && text[i + 1] == QLatin1Char('\n'))
            ++i;
        ++i;
    }
    *pos = i;
    return line;
}

// ---- writing ----

// One line of the file as bytes: [start, end) is the text, [end, next) its line end.
struct ByteLine
{
    qsizetype start = 0;
    qsizetype end = 0;
    qsizetype next = 0;
};

// Splits bytes [from, to) into lines as the reader splits the decoded text. Line ends are the
// code units CR and LF, one byte wide, or two in UTF-16 (which is why the file is not split as
// its text: the bytes around the touched line must stay exactly as they were).
QList<ByteLine> splitByteLines(const QByteArray &bytes, qsizetype from, qsizetype to, int unit)
{
    // One character for each code unit, so that a place in the text is a place in the bytes.
    const QByteArrayView part = QByteArrayView(bytes).sliced(from, to - from);
    const QString units = unit == 1 ? QString::fromLatin1(part) : decodeText(part, TextEncoding::Utf16Le);
    QList<ByteLine> lines;
    for (qsizetype pos = 0; pos < units.size();) {
        const qsizetype start = pos;
        const qsizetype length = nextLine(units, &pos).size();
        lines.append({from + start * unit, from + (start + length) * unit, from + pos * unit});
    }
    return lines;
}

QString lineEndOf(const QByteArray &bytes, const QList<ByteLine> &lines, TextEncoding encoding)
{
    for (const ByteLine &line : lines) {
        if (line.next > line.end)
            return decodeText(QByteArrayView(bytes).sliced(line.end, line.next - line.end), encoding);
    }
    return QStringLiteral("\r\n");
}

// A line break, a NUL (where the reader stops) or half a UTF-16 character.
bool cannotStandInALine(const QString &s)
{
    return s.contains(u'\r') || s.contains(u'\n') || s.contains(QChar(0)) || !QStringView(s).isValidUtf16();
}

bool hasBlankAtAnEnd(const QString &s)
{
    return trimBlanks(s).size() != s.size();
}

// A section or key that the reader would take for something else could never be found again,
// and every write would add another copy; such a write is refused instead.
bool isStorableName(const QString &section, const QString &key)
{
    if (cannotStandInALine(section) || section.contains(u']') || hasBlankAtAnEnd(section))
        return false;
    if (cannotStandInALine(key) || key.contains(u'=') || hasBlankAtAnEnd(key))
        return false;
    return !key.startsWith(u';') && !key.startsWith(u'[');
}

// Blanks at either end of a value, or an outer pair of quotes of its own, survive the reader only
// inside quotes. Every other value is written as given.
QString storedValue(const QString &value)
{
    if (hasBlankAtAnEnd(value) || unquote(value).size() != value.size())
        return u'"' + value + u'"';
    return value;
}

// The edit in the given encoding; *exact turns false when that encoding could not hold the new text.
QByteArray editProfileAs(const QByteArray &original, TextEncoding encoding, const QString &section,
                         const QString &key, const QString &value, bool *exact)
{
    const auto encode = [&](const QString &text) {
        QByteArray bytes = encodeText(text, encoding);
        if (decodeText(bytes, encoding) != text)
            *exact = false;
        return bytes;
    };
    const int unit = encoding == TextEncoding::Utf16Le ? 2 : 1;
    const qsizetype bom = byteOrderMarkLength(original);
    // An odd last byte of a UTF-16 file is half a character that the reader ignores; it stays
    // last, so that everything written before it keeps its place in the pairs of bytes.
    const qsizetype textEnd = original.size() - (unit == 2 ? (original.size() - bom) % 2 : 0);
    const QList<ByteLine> lines = splitByteLines(original, bom, textEnd, unit);
    const QString lineEnd = lineEndOf(original, lines, encoding);
    const QString stored = storedValue(value);

    qsizetype sectionLine = -1;
    qsizetype lastFilled = -1; // last non-blank line of the section
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const ByteLine &range = lines.at(i);
        const QString text =
            decodeText(QByteArrayView(original).sliced(range.start, range.end - range.start), encoding);
        const ProfileLine parsed = parseLine(text);
        if (sectionLine < 0) {
            if (parsed.kind == LineKind::Section && sameName(parsed.name, section))
                sectionLine = lastFilled = i;
            continue;
        }
        if (parsed.kind == LineKind::Section)
            break;
        if (parsed.kind == LineKind::Key && sameName(parsed.name, key)) {
            QByteArray edited = original;
            edited.replace(range.start, range.end - range.start,
                           encode(parsed.name.toString() + QLatin1Char('=') + stored));
            return edited;
        }
        if (parsed.kind != LineKind::Blank)
            lastFilled = i;
    }

    const QString entry = key + QLatin1Char('=') + stored;
    QByteArray edited = original;
    if (sectionLine >= 0) {
        const ByteLine &after = lines.at(lastFilled);
        QString insert = entry + lineEnd;
        if (after.next == after.end)
            insert.prepend(lineEnd);
        edited.insert(after.next, encode(insert));
        return edited;
    }
    QString append = QLatin1Char('[') + section + QLatin1Char(']') + lineEnd + entry + lineEnd;
    if (!lines.isEmpty() && lines.last().next == lines.last().end)
        append.prepend(lineEnd);
    edited.insert(textEnd, encode(append));
    return edited;
}

// The same text as UTF-8; a byte-order mark stays.
QByteArray windows1252AsUtf8(const QByteArray &bytes)
{
    const qsizetype bom = byteOrderMarkLength(bytes);
    return bytes.first(bom) +
           encodeText(decodeText(QByteArrayView(bytes).sliced(bom), TextEncoding::Windows1252),
                      TextEncoding::Utf8);
}

QByteArray editProfile(const QByteArray &original, const QString &section, const QString &key,
                       const QString &value)
{
    // A file with nothing but ASCII is taken as UTF-8 (as a new file would be); either reading
    // gives the same text back.
    const TextEncoding encoding = detectEncoding(original);
    bool exact = true;
    const QByteArray edited = editProfileAs(original, encoding, section, key, value, &exact);
    // A Windows-1252 file stays so unless that would lose the new text, or unless the edit took
    // away its last bytes that are not UTF-8, after which the whole file would read as UTF-8.
    // Then the file becomes UTF-8 first: every value in it reads as before.
    if (encoding != TextEncoding::Windows1252 ||
        (exact && detectEncoding(edited) == TextEncoding::Windows1252))
        return edited;
    const QByteArray utf8 = windows1252AsUtf8(original);
    return editProfileAs(utf8, detectEncoding(utf8), section, key, value, &exact);
}

// The rename that put the new file in place lasts through a power cut only once the folder is synced.
void syncFolder(const QString &folder)
{
    const int fd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

// A write killed after its new file got a name and before the rename leaves that file behind
// ("LangSetting.ini.AbCdEf", never read). Such leftovers go with the next write, once they are
// old enough that no other writer can still be about to rename them.
void removeLeftovers(const QFileInfo &target)
{
    const QString prefix = target.fileName() + QLatin1Char('.');
    const QDateTime old = QDateTime::currentDateTimeUtc().addSecs(-60);
    const QFileInfoList files = target.dir().entryInfoList(QDir::Files | QDir::Hidden | QDir::NoSymLinks);
    for (const QFileInfo &file : files) {
        const QString name = file.fileName();
        if (name.size() != prefix.size() + 6 || !name.startsWith(prefix) || file.lastModified() >= old)
            continue;
        const QStringView suffix = QStringView(name).sliced(prefix.size());
        if (std::all_of(suffix.begin(), suffix.end(),
                        [](QChar c) { return c.unicode() < 0x80 && c.isLetterOrNumber(); }))
            QFile::remove(file.filePath());
    }
}

} // namespace

QString readProfileString(const QString &programPath, const QString &section, const QString &key,
                          const QString &defaultValue, int bufferSize, bool *found)
{
    bool ok = false;
    const QByteArray bytes = readFileBytes(programPath, &ok, MaxProfileBytes);
    return readProfileStringFromText(ok ? decodeText(bytes) : QString(), section, key, defaultValue, bufferSize,
                                     found);
}

QString readProfileStringFromText(const QString &text, const QString &section, const QString &key,
                                  const QString &defaultValue, int bufferSize, bool *found)
{
    return ProfileIndex(text).value(section, key, defaultValue, bufferSize, found);
}

namespace {
// A name folded one character at a time, as QStringView::compare(Qt::CaseInsensitive) folds it
// (a surrogate pair as one character, a lone surrogate as it is), so that the reader finds
// exactly the names the writer finds. QString::toCaseFolded() would turn a lone surrogate into
// U+FFFD, and the reader would then find a name the writer does not.
QString foldedName(QStringView name)
{
    QString folded;
    folded.reserve(name.size());
    for (qsizetype i = 0; i < name.size(); ++i) {
        const char16_t c = name[i].unicode();
        if (QChar::isHighSurrogate(c) && i + 1 < name.size() && name[i + 1].isLowSurrogate()) {
            const char32_t f = QChar::toCaseFolded(QChar::surrogateToUcs4(c, name[i + 1].unicode()));
            folded += QChar(QChar::highSurrogate(f));
            folded += QChar(QChar::lowSurrogate(f));
            ++i;
        } else {
            folded += QChar::isSurrogate(c) ? QChar(c) : QChar(char16_t(QChar::toCaseFolded(char32_t(c))));
        }
    }
    return folded;
}
} // namespace

ProfileIndex::ProfileIndex(const QString &text) : m_text(text)
{
    // Names are kept case-folded, which is how they compare; only the first section of a name
    // counts, and in it the first line of a key.
    QHash<QString, QStringView> *current = nullptr;
    qsizetype pos = 0;
    while (pos < m_text.size()) {
        const ProfileLine parsed = parseLine(nextLine(m_text, &pos));
        if (parsed.kind == LineKind::Section) {
            const QString name = foldedName(parsed.name);
            current = m_sections.contains(name) ? nullptr : &m_sections[name];
        } else if (parsed.kind == LineKind::Key && current) {
            const QString name = foldedName(parsed.name);
            if (!current->contains(name))
                current->insert(name, parsed.value);
        }
    }
}

QString ProfileIndex::value(const QString &section, const QString &key, const QString &defaultValue, int bufferSize,
                            bool *found) const
{
    std::optional<QStringView> value;
    if (const auto s = m_sections.constFind(foldedName(stripSpaces(section))); s != m_sections.constEnd())
        if (const auto k = s->constFind(foldedName(stripSpaces(key))); k != s->constEnd())
            value = *k;
    if (found)
        *found = value.has_value();
    // A missing value gives the default without its trailing spaces.
    return cutToBuffer(value ? unquote(*value).toString() : strip(defaultValue, isSpace, false).toString(), bufferSize);
}

bool editProfileBytes(const QByteArray &original, const QString &section, const QString &key,
                      const QString &value, QByteArray *edited)
{
    const QString sectionName = stripSpaces(section);
    const QString keyName = stripSpaces(key);
    if (!isStorableName(sectionName, keyName) || cannotStandInALine(value))
        return false;
    *edited = editProfile(original, sectionName, keyName, value);
    return true;
}

bool writeProfileString(const QString &programPath, const QString &section, const QString &key,
                        const QString &value)
{
    const QString path = resolvePath(programPath);
    if (path.isEmpty())
        return false;
    const QFileInfo info(path);
    QByteArray original;
    if (info.exists()) {
        // What cannot be read cannot be kept byte for byte, so it is not overwritten.
        bool ok = false;
        original = readFileBytes(path, &ok);
        if (!ok)
            return false;
    }
    QByteArray edited;
    if (!editProfileBytes(original, section, key, value, &edited))
        return false;

    // The new file is written beside the old one under another name, synced, and renamed over it:
    // whenever the program stops, the file is either the old one or the new one.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    // QSaveFile::commit() does not notice a short write in its final flush (disk full, file
    // size limit) and would put a truncated file in place, so flush and check first.
    if (file.write(edited) != edited.size() || !file.flush()) {
        file.cancelWriting();
        return false;
    }
    if (!file.commit())
        return false;
    // QSaveFile wrote beside the file a link points to, if it is one.
    const QString target = QFileInfo(path).canonicalFilePath();
    if (!target.isEmpty()) {
        syncFolder(QFileInfo(target).absolutePath());
        removeLeftovers(QFileInfo(target));
    }
    return true;
}

} // namespace platform
