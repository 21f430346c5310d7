#include "FileSystem.h"

#include "Paths.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>

#include <algorithm>

namespace platform {

namespace {

// Windows-1252 at 0x80-0x9F. The five unassigned bytes map to the C1 controls of the same
// number, as Windows itself does, so that any byte survives a decode and encode unchanged.
constexpr char16_t Cp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

bool hasUtf8Bom(QByteArrayView bytes)
{
    return bytes.size() >= 3 && uchar(bytes[0]) == 0xEF && uchar(bytes[1]) == 0xBB && uchar(bytes[2]) == 0xBF;
}

bool hasUtf16LeBom(QByteArrayView bytes)
{
    return bytes.size() >= 2 && uchar(bytes[0]) == 0xFF && uchar(bytes[1]) == 0xFE;
}

// The default decoder neither flags a sequence cut off at the end nor keeps a second
// byte-order mark; a profile file must be judged on every byte.
QString decodeUtf8(QByteArrayView bytes, bool *valid)
{
    QStringDecoder decoder(QStringConverter::Utf8,
                           QStringConverter::Flag::Stateless | QStringConverter::Flag::ConvertInitialBom);
    QString text = decoder.decode(bytes);
    if (valid)
        *valid = !decoder.hasError();
    return text;
}

QString decodeCp1252(QByteArrayView bytes)
{
    QString text = QString::fromLatin1(bytes);
    // Most files hold none of the 0x80-0x9F characters; a branch-free look first keeps
    // the common case at the speed of the Latin-1 conversion.
    const uchar *data = reinterpret_cast<const uchar *>(bytes.data());
    const qsizetype size = bytes.size();
    bool any = false;
    for (qsizetype i = 0; i < size; ++i)
        any |= (data[i] & 0xE0) == 0x80;
    if (!any)
        return text;
    QChar *out = text.data();
    for (qsizetype i = 0; i < size; ++i) {
        if ((data[i] & 0xE0) == 0x80)
            out[i] = QChar(Cp1252High[data[i] - 0x80]);
    }
    return text;
}

QString decodeUtf16Le(QByteArrayView bytes)
{
    // Decoded by hand so that a stray surrogate or an odd last byte cannot change
    // anything else in the file: the odd byte is dropped, everything else is kept.
    QString text(bytes.size() / 2, Qt::Uninitialized);
    QChar *out = text.data();
    for (qsizetype i = 0; i + 1 < bytes.size(); i += 2)
        *out++ = QChar(char16_t(uchar(bytes[i]) | (uchar(bytes[i + 1]) << 8)));
    return text;
}

char cp1252Byte(char32_t u)
{
    if (u < 0x80 || (u >= 0xA0 && u <= 0xFF))
        return char(u);
    for (int i = 0; i < 32; ++i) {
        if (Cp1252High[i] == u)
            return char(0x80 + i);
    }
    return '?';
}

QByteArray encodeCp1252(const QString &text)
{
    QByteArray bytes;
    bytes.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) {
            bytes.append('?'); // one character, one question mark
            ++i;
            continue;
        }
        bytes.append(cp1252Byte(c.unicode()));
    }
    return bytes;
}

QByteArray encodeUtf16Le(const QString &text)
{
    QByteArray bytes;
    bytes.reserve(text.size() * 2);
    for (const QChar c : text) {
        bytes.append(char(c.unicode() & 0xFF));
        bytes.append(char(c.unicode() >> 8));
    }
    return bytes;
}

// Windows wildcards: '*' any run, '?' any one character; every other character stands for
// itself, without regard to letter case. "*.*" and the empty pattern match everything.
bool matchesWildcard(QStringView name, QStringView pattern)
{
    if (pattern.isEmpty() || pattern == u"*.*")
        return true;
    // Greedy matching with one step back to the last star: linear for the patterns of a listing.
    qsizetype n = 0, p = 0, star = -1, resume = 0;
    while (n < name.size()) {
        if (p < pattern.size() && pattern[p] == u'*') {
            star = p++;
            resume = n;
        } else if (p < pattern.size() &&
                   (pattern[p] == u'?' || QStringView(pattern).sliced(p, 1).compare(name.sliced(n, 1), Qt::CaseInsensitive) == 0)) {
            ++p;
            ++n;
        } else if (star >= 0) {
            p = star + 1;
            n = ++resume;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == u'*')
        ++p;
    return p == pattern.size();
}

} // namespace

qint64 fileLength(const QString &programPath)
{
    if (programPath.isEmpty())
        return -1;
    const QFileInfo info(resolvePath(programPath));
    return info.isFile() ? info.size() : -1;
}

QStringList listFolder(const QString &programFolder, const QString &pattern)
{
    const QString folder = programFolder.isEmpty() ? QStringLiteral(".") : resolvePath(programFolder);
    const QStringList all = QDir(folder).entryList(QDir::Files | QDir::Hidden, QDir::NoSort);
    QStringList names;
    for (const QString &name : all) {
        if (matchesWildcard(name, pattern))
            names.append(name);
    }
    std::sort(names.begin(), names.end(), [](const QString &a, const QString &b) {
        const int c = QString::compare(a, b, Qt::CaseInsensitive);
        return c != 0 ? c < 0 : a < b;
    });
    return names;
}

QByteArray readFileBytes(const QString &programPath, bool *ok, qint64 maxBytes)
{
    if (ok)
        *ok = false;
    if (programPath.isEmpty())
        return {};
    const QString path = resolvePath(programPath);
    // Only regular files: a device or a pipe could hand out bytes for ever.
    if (!QFileInfo(path).isFile())
        return {};
    QFile file(path);
    // One read of the whole file: a read buffer would only be filled and copied once more.
    if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        return {};
    const qint64 size = file.size();
    const qint64 wanted = maxBytes >= 0 ? std::min(size, maxBytes) : size;
    QByteArray bytes = wanted > 0 ? file.read(wanted) : QByteArray();
    if (file.error() != QFileDevice::NoError)
        return {};
    if (ok)
        *ok = true;
    return bytes;
}

qsizetype byteOrderMarkLength(const QByteArray &bytes)
{
    if (hasUtf8Bom(bytes))
        return 3;
    if (hasUtf16LeBom(bytes))
        return 2;
    return 0;
}

TextEncoding detectEncoding(const QByteArray &bytes)
{
    if (hasUtf16LeBom(bytes))
        return TextEncoding::Utf16Le;
    const bool bom = hasUtf8Bom(bytes);
    bool valid = false;
    decodeUtf8(QByteArrayView(bytes).sliced(bom ? 3 : 0), &valid);
    if (!valid)
        return TextEncoding::Windows1252;
    return bom ? TextEncoding::Utf8Bom : TextEncoding::Utf8;
}

QString decodeText(const QByteArray &bytes)
{
    if (hasUtf16LeBom(bytes))
        return decodeUtf16Le(QByteArrayView(bytes).sliced(2));
    const QByteArrayView body = QByteArrayView(bytes).sliced(hasUtf8Bom(bytes) ? 3 : 0);
    bool valid = false;
    QString text = decodeUtf8(body, &valid);
    return valid ? text : decodeCp1252(body);
}

QString decodeText(QByteArrayView bytes, TextEncoding encoding)
{
    switch (encoding) {
    case TextEncoding::Utf8:
    case TextEncoding::Utf8Bom:
        return decodeUtf8(bytes, nullptr);
    case TextEncoding::Utf16Le:
        return decodeUtf16Le(bytes);
    case TextEncoding::Windows1252:
        break;
    }
    return decodeCp1252(bytes);
}

// The byte-order mark is not written here: it belongs to the start of a file, which a
// writer keeps as it found it.
QByteArray encodeText(const QString &text, TextEncoding encoding)
{
    switch (encoding) {
    case TextEncoding::Utf8:
    case TextEncoding::Utf8Bom:
        return text.toUtf8();
    case TextEncoding::Utf16Le:
        return encodeUtf16Le(text);
    case TextEncoding::Windows1252:
        break;
    }
    return encodeCp1252(text);
}

QStringList splitLines(const QString &text)
{
    QStringList lines;
    qsizetype start = 0;
    const qsizetype size = text.size();
    for (qsizetype i = 0; i < size; ++i) {
        const QChar c = text.at(i);
        if (c != QLatin1Char('\r') && c != QLatin1Char('\n'))
            continue;
        lines.append(text.mid(start, i - start));
        if (c == QLatin1Char('\r') && i + 1 < size && text.at(i + 1) == QLatin1Char('\n'))
            ++i;
        start = i + 1;
    }
    // A final line end closes the last line; it does not open an empty one.
    if (start < size)
        lines.append(text.mid(start));
    return lines;
}

} // namespace platform
