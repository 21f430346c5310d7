#pragma once

#include <QString>
#include <QStringList>

namespace platform {
class Form;
}

// Language files: every visible text of the program comes from the current "*.lng" file
// beside the program (or in the user's own folder), named in LangSetting.ini.
namespace modLanguageSupport {

// Base name of the current language file ("Italiano" for Italiano.lng); empty when unknown.
inline QString CurrentLanguageName;

// Files over this size are scanned line by line instead of read through the profile reader.
inline constexpr qint64 kProfileReaderLimit = 64000;

// One value of an INI file. ok (optional) is false when the file cannot be read at all;
// a missing section or key reads as an empty value.
QString GetIniValue(const QString &file, const QString &section, const QString &key, bool *ok = nullptr);
bool WriteIniValue(const QString &file, const QString &section, const QString &key, const QString &value);
// What GetIniValue gives for a file holding these bytes, without the file (the same choice
// between the profile reader and the scan of files over kProfileReaderLimit bytes).
QString iniValueOfBytes(const QByteArray &bytes, const QString &section, const QString &key);

inline const QString kSettingsFileName = QStringLiteral("LangSetting.ini");
// The LangSetting.ini that a language choice is written to: the program's own, or the user's
// when the program's folder is not to be written; empty when the choice cannot be kept.
QString settingsFilePath();
// The current language file, the user's own before the program's; empty when
// CurrentLanguageName is no plain file name.
QString languageFilePath();
QString languageFilePath(const QString &language);
bool isLanguageFileName(const QString &name);
// The language files the menu lists: the program's, and the user's where those are used
// (the user's wins over a program's file of the same name), sorted by name.
QStringList languageFileNames();
// Whether name.lng is there, the user's or the program's.
bool namesLanguageFile(const QString &name);
// CurrentLanguageName as LangSetting.ini gives it, the user's file before the program's
// (empty when the file or key is missing), read the way it was written, also when the file is
// over 64000 bytes.
QString readCurrentLanguageSetting();
// Any value of LangSetting.ini, read the same way: the user's file first, then the program's.
QString readSetting(const QString &section, const QString &key);
// Writes a value of LangSetting.ini where a language choice goes (settingsFilePath); false when
// it cannot be kept.
bool writeSetting(const QString &section, const QString &key, const QString &value);

// The text of a four-digit string identifier from section "Strings" of the current
// language file; empty when missing. The file is read anew at every call, except while a
// OneReading is held.
QString GetString(const QString &id);

// Section of a language file with the words a child reads for the attribute values, each keyed
// by the value's name (the Italian word the pictures are named with): "rotondo=round".
inline const QString kWordsSection = QStringLiteral("Words");
// The word of a value's name from section Words of the current language file; empty when
// missing. Read like GetString.
QString GetWord(const QString &name);
// Any value of the current language file, read like GetString; empty when missing.
QString GetText(const QString &section, const QString &key);

// While one is held, GetIniValue reads each file once and answers the next lookups from what it
// read, as long as the file on disk is still the same one, of the same size and times: building
// a screen looks up dozens of texts in the same language file. The program's own writes are
// always read back.
class OneReading
{
public:
    OneReading();
    ~OneReading();
    OneReading(const OneReading &) = delete;
    OneReading &operator=(const OneReading &) = delete;
};

// Replaces the window's texts from its section of the current language file.
void TranslateForm(platform::Form &form);

// The language menu of the main window: one entry per language file, the current one ticked.
// arrayName names the menu entry array (its element 0 exists at design time).
void MLSFillMenuLanguages(platform::Form &menuForm, const QString &arrayName = QStringLiteral("mnuLanguage"));
// A click on language entry k: tick it, switch, retranslate every loaded window, remember it.
// An entry whose language file is not there is not a language: its click changes nothing.
void languageMenuClick(platform::Form &menuForm, int index, const QString &arrayName = QStringLiteral("mnuLanguage"));

// The message shown when the program folder holds no language file.
inline const QString kNoLanguageFileMessage = QStringLiteral("Non è presente alcun file di linguaggio!");

} // namespace modLanguageSupport
