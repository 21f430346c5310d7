#pragma once

#include <QHash>
#include <QString>
#include <QStringView>

namespace platform {

// Reads one value of an INI file with the meaning of the Windows profile reader
// (GetPrivateProfileString): case-insensitive section and key names, blanks trimmed,
// one pair of outer quotes removed, ';' comment lines, first duplicate wins, CRLF/LF/CR,
// Windows-1252 or UTF-8 text. The result holds at most bufferSize - 1 characters.
// A missing file, section or key gives defaultValue with its trailing spaces stripped.
// found (optional) tells whether the key was present.
QString readProfileString(const QString &programPath, const QString &section, const QString &key,
                          const QString &defaultValue, int bufferSize = 512, bool *found = nullptr);

// The same, on the decoded text of a file already read.
QString readProfileStringFromText(const QString &text, const QString &section, const QString &key,
                                  const QString &defaultValue, int bufferSize = 512, bool *found = nullptr);

// The values of one decoded text, found at once: for the many lookups of one file.
class ProfileIndex
{
public:
    explicit ProfileIndex(const QString &text = QString());
    QString value(const QString &section, const QString &key, const QString &defaultValue, int bufferSize = 512,
                  bool *found = nullptr) const;

private:
    QString m_text; // the values below point into it
    QHash<QString, QHash<QString, QStringView>> m_sections;
};

// Writes one value with the meaning of the Windows profile writer
// (WritePrivateProfileString): only the touched line changes, every other byte of the file
// stays as it was, the file keeps its encoding and line-end style, a new file is UTF-8 with
// CRLF. What is written always reads back as written:
// - a value with blanks at an end, or in an outer pair of quotes of its own, is put in quotes;
// - a Windows-1252 file becomes UTF-8 (every value reading as before) when it could not hold
//   the new text or would read as UTF-8 after the edit;
// - a section or key the reader would take for something else (a ']' in a section, '=' in a
//   key, a key starting with ';' or '[', tabs at an end), and any line break, NUL or half a
//   UTF-16 character, make the write fail without touching the file.
// Returns false, leaving any existing file untouched, when the file cannot be written.
// The write is atomic: a failure or a kill never leaves a half-written file behind.
bool writeProfileString(const QString &programPath, const QString &section, const QString &key,
                        const QString &value);

// The edit writeProfileString makes, on bytes in memory: *edited becomes what the file holds
// after the write (original is the file's bytes, empty for a new file). False, leaving *edited
// alone, when the write is refused for its names or its value.
bool editProfileBytes(const QByteArray &original, const QString &section, const QString &key,
                      const QString &value, QByteArray *edited);

} // namespace platform
