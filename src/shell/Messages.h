#pragma once

#include <QString>

// The two messages every window can raise: the about text and the question before leaving
// the program.
namespace Messages {

// Credit lines that close the about text: the program and its version, a rule, its licence
// and where its manual is. No web or mail address: the program has none yet.
inline const QString kCredits = QStringLiteral("Zorvelli " ZORVELLI_VERSION "\r\n"
                                               "-----------------------\r\n"
                                               "GNU GPL-3.0-or-later\r\n"
                                               "man zorvelli");

// The about text: the language file's lines "9996" to "9999", a separator when there were
// any, then the credits.
QString aboutText();
void ShowAboutBox();
// Asks before ending the program; on Yes it ends at once.
void ConfirmExit();

} // namespace Messages
