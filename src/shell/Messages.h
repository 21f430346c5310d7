#pragma once

#include <QString>

// The two messages every window can raise: the about text and the question before leaving
// the program.
namespace Messages {

// Credit lines that close the about text.
inline const QString kCredits = QStringLiteral("Zorvelli\r\n"
                                               "-----------------------\r\n"
                                               "https://zorvelli.example.org\r\n"
                                               "info@zorvelli.example.org");

// The about text: the language file's lines "9996" to "9999", a separator when there were
// any, then the credits.
QString aboutText();
void ShowAboutBox();
// Asks before ending the program; on Yes it ends at once.
void ConfirmExit();

} // namespace Messages
