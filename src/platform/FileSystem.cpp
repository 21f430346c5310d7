#include "FileSystem.h"

#include "Paths.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>
#include <QtEndian>

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
    const auto *in = reinterpret_cast<const uchar *>(bytes.data());
    char16_t *out = reinterpret_cast<char16_t *>(text.data());
    for (qsizetype i = 0, n = bytes.size(); i < n; ++i)
        if (in[i] >= 0x80 && in[i] < 0xA0)
            out[i] = Cp1252High[in[i] - 0x80];
    return text;
}

// Decoded and encoded code unit by code unit, so that a stray surrogate or an odd last byte
// cannot change anything else in the file: the odd byte is dropped, everything else is kept.
QString decodeUtf16Le(QByteArrayView bytes)
{
    QString text(bytes.size() / 2, Qt::Uninitialized);
    qFromLittleEndian<char16_t>(bytes.data(), text.size(), text.data());
    return text;
}

QByteArray encodeUtf16Le(const QString &text)
{
    QByteArray bytes(text.size() * 2, Qt::Uninitialized);
    qToLittleEndian<char16_t>(text.utf16(), text.size(), bytes.data());
    return bytes;
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
    // Name filters compare without regard to letter case unless asked to.
    QStringList names = QDir(folder).entryList({pattern}, QDir::Files | QDir::Hidden, QDir::NoSort);
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

} // namespace platform
