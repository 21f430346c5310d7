#include "language/modLanguageSupport.h"

#include "platform/Application.h"
#include "platform/Control.h"
#include "platform/FileSystem.h"
#include "platform/Form.h"
#include "platform/Menu.h"
#include "platform/MessageBox.h"
#include "platform/Paths.h"
#include "platform/Profile.h"
#include "platform/ProgramFolders.h"
#include "platform/System.h"

#include <QFile>
#include <QPointer>

#include <algorithm>
#include <memory>
#include <sys/stat.h>

namespace modLanguageSupport {

namespace {

// Big files: the first line that starts with the key wins, whatever its section; the rest of
// the line after the key and one more character is the value, written in quotes.
QString scanLargeFile(const QByteArray &bytes, const QString &key)
{
    QList<QByteArray> spellings{key.toUtf8()};
    if (const QByteArray latin = key.toLatin1(); latin != spellings.first() && QString::fromLatin1(latin) == key)
        spellings.append(latin);
    qsizetype best = -1;
    qsizetype bestLength = 0;
    for (const QByteArray &k : std::as_const(spellings)) {
        if (k.isEmpty())
            continue;
        for (qsizetype pos = bytes.indexOf(k); pos >= 0; pos = bytes.indexOf(k, pos + 1)) {
            const bool lineStart = pos == 0 || bytes[pos - 1] == '\n' || bytes[pos - 1] == '\r';
            if (!lineStart)
                continue;
            if (best < 0 || pos < best) {
                best = pos;
                bestLength = k.size();
            }
            break;
        }
    }
    if (best < 0)
        return {};
    qsizetype end = best + bestLength;
    while (end < bytes.size() && bytes[end] != '\n' && bytes[end] != '\r')
        ++end;
    const QString rest = platform::decodeText(bytes.mid(best + bestLength, end - best - bestLength)).mid(1);
    if (rest.size() < 2)
        return {};
    return rest.mid(1, rest.size() - 2);
}

QString scanLargeFile(const QString &file, const QString &key, bool *ok)
{
    bool readOk = false;
    // One read, then a search for the key: much faster than going line by line.
    const QByteArray bytes = platform::readFileBytes(file, &readOk);
    if (!readOk) {
        if (ok)
            *ok = false;
        return {};
    }
    return scanLargeFile(bytes, key);
}

// What tells one state of a file on disk from another.
struct FileStamp
{
    dev_t device = 0;
    ino_t inode = 0;
    off_t size = 0;
    timespec modified{}, changed{};

    bool operator==(const FileStamp &o) const
    {
        return device == o.device && inode == o.inode && size == o.size && modified.tv_sec == o.modified.tv_sec &&
               modified.tv_nsec == o.modified.tv_nsec && changed.tv_sec == o.changed.tv_sec &&
               changed.tv_nsec == o.changed.tv_nsec;
    }
};

bool stampOf(const QString &path, FileStamp *stamp)
{
    struct stat st;
    if (path.isEmpty() || ::stat(QFile::encodeName(path).constData(), &st) != 0 || !S_ISREG(st.st_mode))
        return false;
    *stamp = {st.st_dev, st.st_ino, st.st_size, st.st_mtim, st.st_ctim};
    return true;
}

// A file as the profile reader sees it: its length (-1: there is none) and, when the reader takes
// it, its text, with the index of its values when many are to be looked up.
struct ProfileFile
{
    qint64 length = -1;
    QString text;
    std::shared_ptr<const platform::ProfileIndex> index;
};

// The files read while a OneReading is held, by resolved path.
struct HeldFile
{
    FileStamp stamp;
    ProfileFile file;
};
int readingsHeld = 0;
QHash<QString, HeldFile> &heldFiles()
{
    static QHash<QString, HeldFile> files;
    return files;
}

// Where each file name led while a OneReading is held: a window's texts are looked up dozens of
// times in the same file, and finding a name's spelling on disk costs a look at the disk.
QHash<QString, QString> &heldPaths()
{
    static QHash<QString, QString> paths;
    return paths;
}

ProfileFile profileFile(const QString &file, bool forManyLookups)
{
    ProfileFile f;
    const bool held = readingsHeld > 0;
    QString path = held ? heldPaths().value(file) : QString();
    FileStamp stamp;
    // A file found before is looked for anew once it is not there any more.
    if (path.isEmpty() || !stampOf(path, &stamp)) {
        path = platform::resolvePath(file);
        if (!stampOf(path, &stamp))
            return f;
        if (held)
            heldPaths().insert(file, path);
    }
    f.length = stamp.size;
    if (f.length > kProfileReaderLimit)
        return f;
    if (held) {
        if (auto it = heldFiles().constFind(path); it != heldFiles().constEnd() && it->stamp == stamp)
            return it->file;
    }
    bool ok = false;
    const QByteArray bytes = platform::readFileBytes(path, &ok, kProfileReaderLimit + 1);
    if (ok)
        f.text = platform::decodeText(bytes);
    if (held || forManyLookups)
        f.index = std::make_shared<const platform::ProfileIndex>(f.text);
    // Read after the stamp was taken: a change in between makes the stamp stale, so the next
    // lookup reads again.
    if (ok && held)
        heldFiles().insert(path, {stamp, f});
    return f;
}

QString valueOf(const ProfileFile &f, const QString &section, const QString &key)
{
    return f.index ? f.index->value(section, key, QString(), 512)
                   : platform::readProfileStringFromText(f.text, section, key, QString(), 512);
}

// One language file read once for the many lookups of one window's translation, each answered
// exactly as GetIniValue answers it from the file.
class LanguageFile
{
public:
    explicit LanguageFile(const QString &file) : m_file(profileFile(file, true))
    {
        m_ok = m_file.length >= 0;
        m_large = m_file.length > kProfileReaderLimit;
        if (m_large)
            m_bytes = platform::readFileBytes(file, &m_ok);
    }
    QString value(const QString &section, const QString &key, bool *ok) const
    {
        *ok = m_ok;
        if (!m_ok)
            return {};
        return m_large ? scanLargeFile(m_bytes, key) : valueOf(m_file, section, key);
    }

private:
    ProfileFile m_file;
    QByteArray m_bytes;
    bool m_ok = false;
    bool m_large = false;
};

QString keyBase(const platform::Control &c)
{
    return c.isArrayElement() ? c.name() + u'(' + QString::number(c.index()) + u')' : c.name();
}

} // namespace

QString GetIniValue(const QString &file, const QString &section, const QString &key, bool *ok)
{
    if (ok)
        *ok = true;
    const ProfileFile f = profileFile(file, false);
    if (f.length < 0) {
        if (ok)
            *ok = false;
        return {};
    }
    if (f.length <= kProfileReaderLimit)
        return valueOf(f, section, key);
    return scanLargeFile(file, key, ok);
}

QString iniValueOfBytes(const QByteArray &bytes, const QString &section, const QString &key)
{
    if (bytes.size() > kProfileReaderLimit)
        return scanLargeFile(bytes, key);
    return platform::readProfileStringFromText(platform::decodeText(bytes), section, key, QString(), 512);
}

bool WriteIniValue(const QString &file, const QString &section, const QString &key, const QString &value)
{
    if (readingsHeld > 0)
        heldFiles().remove(platform::resolvePath(file));
    return platform::writeProfileString(file, section, key, value);
}

OneReading::OneReading()
{
    ++readingsHeld;
}

OneReading::~OneReading()
{
    if (--readingsHeld == 0) {
        heldFiles().clear();
        heldPaths().clear();
    }
}

QString settingsFilePath()
{
    const platform::UserFolders &user = platform::PerUserFolders;
    if (!user.inUse)
        return platform::appPath(kSettingsFileName);
    if (user.settings.isEmpty())
        return {};
    return platform::joinPath(user.settings, kSettingsFileName);
}

bool isLanguageFileName(const QString &name)
{
    // A language is a file beside the program: a name that climbs out of the program's
    // folder (from an edited LangSetting.ini, say) names no language.
    return !name.contains(u'/') && !name.contains(u'\\') && name != QLatin1String("..") && !name.contains(QChar(0));
}

QString languageFilePath()
{
    return languageFilePath(CurrentLanguageName);
}

QString languageFilePath(const QString &language)
{
    if (!isLanguageFileName(language))
        return {};
    const QString name = language + QStringLiteral(".lng");
    // A language the user added wins over the shipped one of the same name.
    const platform::UserFolders &user = platform::PerUserFolders;
    if (user.inUse && !user.languages.isEmpty()) {
        const QString own = platform::joinPath(user.languages, name);
        if (platform::fileLength(own) >= 0)
            return own;
    }
    return platform::appPath(name);
}

QStringList languageFileNames()
{
    QStringList names = platform::listFolder(platform::ApplicationPath, QStringLiteral("*.lng"));
    const platform::UserFolders &user = platform::PerUserFolders;
    if (!user.inUse || user.languages.isEmpty())
        return names;
    const QStringList own = platform::listFolder(user.languages, QStringLiteral("*.lng"));
    if (own.isEmpty())
        return names;
    // Names are found without regard to letter case, so "english.lng" of the user's hides
    // "English.lng" of the program's: one entry, spelled as the user's file.
    names.removeIf([&own](const QString &shipped) { return own.contains(shipped, Qt::CaseInsensitive); });
    names += own;
    std::sort(names.begin(), names.end(), [](const QString &a, const QString &b) {
        const int c = QString::compare(a, b, Qt::CaseInsensitive);
        return c != 0 ? c < 0 : a < b;
    });
    return names;
}

QString readCurrentLanguageSetting()
{
    return readSetting(QStringLiteral("Language"), QStringLiteral("CurrentLanguage"));
}

QString readSetting(const QString &section, const QString &key)
{
    // Always the profile reader, whatever the file's size: it is the writer's own counterpart,
    // whereas the scan of big files ignores sections and expects quotes the writer does not add.
    const auto read = [&](const QString &file) { return platform::readProfileString(file, section, key, QString(), 512); };
    // The user's choice comes first; the program's own file gives the default.
    const platform::UserFolders &user = platform::PerUserFolders;
    if (user.inUse && !user.settings.isEmpty()) {
        const QString chosen = read(platform::joinPath(user.settings, kSettingsFileName));
        if (!chosen.isEmpty())
            return chosen;
    }
    return read(platform::appPath(kSettingsFileName));
}

bool writeSetting(const QString &section, const QString &key, const QString &value)
{
    const QString settings = settingsFilePath();
    if (settings.isEmpty())
        return false;
    if (platform::PerUserFolders.inUse && !platform::makeUserFolder(platform::PerUserFolders.settings))
        return false;
    return WriteIniValue(settings, section, key, value);
}

bool namesLanguageFile(const QString &name)
{
    return !name.isEmpty() && platform::fileLength(languageFilePath(name)) >= 0;
}

QString GetString(const QString &id)
{
    if (CurrentLanguageName.isEmpty())
        CurrentLanguageName = readCurrentLanguageSetting();
    return GetIniValue(languageFilePath(), QStringLiteral("Strings"), id);
}

QString GetWord(const QString &name)
{
    return GetText(kWordsSection, name);
}

QString GetText(const QString &section, const QString &key)
{
    if (CurrentLanguageName.isEmpty())
        CurrentLanguageName = readCurrentLanguageSetting();
    return GetIniValue(languageFilePath(), section, key);
}

void TranslateForm(platform::Form &form)
{
    const LanguageFile file(languageFilePath());
    const QString section = form.name();
    bool ok = false;

    if (form.hasDesignCaption()) {
        const QString v = file.value(section, section + QStringLiteral(".Caption"), &ok);
        if (ok)
            form.setCaption(v);
    }
    {
        const QString v = file.value(section, section + QStringLiteral(".Tag"), &ok);
        if (ok)
            form.setTag(v);
    }

    // Pending painting runs between controls; a control may not outlive that, so hold it weakly.
    QList<QPointer<platform::Control>> controls;
    for (platform::Control *c : form.controls())
        controls.append(c);

    static const char *const kProperties[] = {"Caption", "ToolTipText", "Tag"};
    for (const QPointer<platform::Control> &c : std::as_const(controls)) {
        if (!c)
            continue;
        const QString base = keyBase(*c);
        for (const char *property : kProperties) {
            if (!c->hasProperty(property))
                continue;
            const QString v = file.value(section, base + u'.' + QLatin1String(property), &ok);
            if (ok && !v.isEmpty())
                c->setPropertyByName(property, v);
        }
        platform::DoEvents();
    }
}

void MLSFillMenuLanguages(platform::Form &menuForm, const QString &arrayName)
{
    const QStringList files = languageFileNames();
    if (files.isEmpty()) {
        platform::msgBox(kNoLanguageFileMessage, platform::MsgButtons::Ok, platform::MsgIcon::None);
        return;
    }
    auto *first = qobject_cast<platform::Menu *>(menuForm.control(arrayName, 0));
    if (!first)
        return;
    for (int n = 0; n < files.size(); ++n) {
        platform::Menu *entry = n == 0 ? first : qobject_cast<platform::Menu *>(menuForm.control(arrayName, n));
        if (!entry)
            entry = menuForm.loadMenuElement(first, n);
        if (!entry)
            continue;
        if (n > 0)
            entry->setVisible(true);
        entry->setCaption(files[n].left(files[n].size() - 4));
    }
    CurrentLanguageName = readCurrentLanguageSetting();
    for (platform::Control *c : menuForm.controlArray(arrayName)) {
        auto *entry = qobject_cast<platform::Menu *>(c);
        if (entry && entry->caption() == CurrentLanguageName) {
            entry->setChecked(true);
            break;
        }
    }
}

void languageMenuClick(platform::Form &menuForm, int index, const QString &arrayName)
{
    const QList<platform::Control *> entries = menuForm.controlArray(arrayName);
    auto *picked = qobject_cast<platform::Menu *>(menuForm.control(arrayName, index));
    // The design-time entry that stays when there is no language file names none: choosing it
    // would only forget the saved choice.
    if (!picked || !namesLanguageFile(picked->caption()))
        return;
    for (platform::Control *c : entries)
        if (auto *entry = qobject_cast<platform::Menu *>(c))
            entry->setChecked(false);
    picked->setChecked(true);
    const QString language = picked->caption();
    CurrentLanguageName = language;
    for (platform::Form *form : platform::Form::loadedForms())
        TranslateForm(*form);
    writeSetting(QStringLiteral("Language"), QStringLiteral("CurrentLanguage"), language);
}

} // namespace modLanguageSupport
