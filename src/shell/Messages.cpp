#include "shell/Messages.h"

#include "language/modLanguageSupport.h"
#include "platform/MessageBox.h"
#include "platform/System.h"
#include "shell/Modulo1.h"

namespace Messages {

QString aboutText()
{
    QString text;
    for (const char *id : {"9996", "9997", "9998", "9999"}) {
        const QString line = modLanguageSupport::GetString(QLatin1String(id));
        if (!line.isEmpty())
            text += line + QStringLiteral("\r\n");
    }
    if (!text.isEmpty())
        text += QStringLiteral("\r\n-----------------------\r\n");
    return text + kCredits;
}

void ShowAboutBox()
{
    platform::msgBox(aboutText(), platform::MsgButtons::Ok, platform::MsgIcon::Information,
                     QStringLiteral("Zorvelli"));
}

void ConfirmExit()
{
    const auto answer = platform::msgBox(modLanguageSupport::GetString(QStringLiteral("0001")),
                                         platform::MsgButtons::YesNo, platform::MsgIcon::Question,
                                         QStringLiteral("Zorvelli"));
    if (answer != platform::MsgResult::Yes)
        return;
    Modulo1::FormResizer.reset();
    platform::endProgram();
}

} // namespace Messages
