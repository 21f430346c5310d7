#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringList>

namespace platform {

// Length of a file in bytes, or -1 when it does not exist or is not a regular file.
// The path goes through resolvePath.
qint64 fileLength(const QString &programPath);

// Names (not paths) of the regular files in a folder matching a wildcard pattern such as
// "*.lng" (as QDir's name filters), compared without regard to letter case, sorted by name (case-insensitive, then
// byte order to break ties). A missing folder gives an empty list.
QStringList listFolder(const QString &programFolder, const QString &pattern);

// Reads a whole file (at most maxBytes; a negative value means no limit) in one open and one read.
// Missing or unreadable: an empty array and ok = false.
QByteArray readFileBytes(const QString &programPath, bool *ok = nullptr, qint64 maxBytes = -1);

// Decodes text from a file of the Windows era or a newer one: a UTF-8 byte-order mark is
// dropped; valid UTF-8 is decoded as UTF-8; a UTF-16LE mark (FF FE) is honoured; anything
// else is Windows-1252 (with its 27 printable characters at 0x80-0x9F).
QString decodeText(const QByteArray &bytes);

// The encoding decodeText chose, so that a writer can keep it.
enum class TextEncoding { Utf8, Utf8Bom, Utf16Le, Windows1252 };
TextEncoding detectEncoding(const QByteArray &bytes);
QByteArray encodeText(const QString &text, TextEncoding encoding); // unrepresentable -> '?'

// Decodes bytes already known to be in one encoding (a piece of a file, no byte-order mark),
// so that a writer can read single lines the way decodeText read the whole file.
QString decodeText(QByteArrayView bytes, TextEncoding encoding);
// Length of the byte-order mark at the start of bytes that decodeText skips (0, 2 or 3).
qsizetype byteOrderMarkLength(const QByteArray &bytes);

} // namespace platform
