#include "shell/Voice.h"

#include "language/modLanguageSupport.h"
#include "platform/Form.h"
#include "platform/Sound.h"
#include "platform/ToolkitLanguage.h"
#include "shell/ActivityFrame.h"
#include "shell/Modulo1.h"

#include <QRegularExpression>

namespace Voice {

namespace {
const QString kEnabledKey = QStringLiteral("Enabled");
// The language of the program's own texts, spoken where nothing better is known.
const QString kDefaultVoice = QStringLiteral("it");

void listenForAvailability()
{
    static bool listening = false;
    if (std::exchange(listening, true))
        return;
    platform::setSpeechAvailabilityListener([] { refreshSpeakers(); });
}
} // namespace

bool allowed()
{
    return Modulo1::SoundEnabled && Modulo1::SpeechEnabled;
}

bool canSpeak()
{
    listenForAvailability();
    return allowed() && platform::speechAvailable();
}

QStringList voicesOfCurrentLanguage()
{
    static const QRegularExpression separators(QStringLiteral("[,;\\s]+"));
    QStringList voices = modLanguageSupport::GetText(kSpeechSection, QStringLiteral("Voice"))
                             .split(separators, Qt::SkipEmptyParts);
    const QString ofLanguage = platform::localeForLanguageName(modLanguageSupport::CurrentLanguageName);
    if (!ofLanguage.isEmpty())
        voices << ofLanguage;
    voices << kDefaultVoice;
    voices.removeDuplicates();
    return voices;
}

void useCurrentLanguage()
{
    listenForAvailability();
    platform::setSpeechVoices(voicesOfCurrentLanguage());
}

void say(const QString &text)
{
    if (!allowed() || text.trimmed().isEmpty())
        return;
    useCurrentLanguage();
    platform::speakAsync(text);
}

void stop()
{
    platform::stopSpeaking();
}

QString sentence(const QString &key, const QStringList &words, const QString &fallback)
{
    QString text = modLanguageSupport::GetText(kSpeechSection, key).trimmed();
    if (text.isEmpty())
        return fallback;
    // %1 to %9, read in one pass: a word that itself holds "%2" is not replaced again.
    QString out;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == u'%' && i + 1 < text.size() && text.at(i + 1).isDigit() && text.at(i + 1) != u'0') {
            const int n = text.at(i + 1).digitValue();
            out += n <= words.size() ? words.at(n - 1) : QString();
            ++i;
        } else {
            out += c;
        }
    }
    return out;
}

QString spokenWord(const QString &name)
{
    const QString own = modLanguageSupport::GetText(kSpokenWordsSection, name).trimmed();
    return own.isEmpty() ? Modulo1::displayWord(name) : own;
}

QString plain(const QString &text)
{
    return text == text.toUpper() ? text.toLower() : text;
}

QString listenName()
{
    const QString own = modLanguageSupport::GetText(kSpeechSection, QStringLiteral("Listen")).trimmed();
    return own.isEmpty() ? QStringLiteral("ascolta") : own;
}

bool readSetting()
{
    return modLanguageSupport::readSetting(kSpeechSection, kEnabledKey).trimmed() != QLatin1String("0");
}

bool writeSetting(bool on)
{
    return modLanguageSupport::writeSetting(kSpeechSection, kEnabledKey, on ? QStringLiteral("1") : QStringLiteral("0"));
}

void refreshSpeakers()
{
    for (platform::Form *form : platform::Form::loadedForms())
        if (auto *activity = qobject_cast<ActivityFrame *>(form))
            activity->refreshSpeaker();
}

} // namespace Voice
