#pragma once

#include <QString>
#include <functional>

namespace platform {

enum class MsgButtons { Ok, YesNo };
enum class MsgIcon { None, Question, Information };
enum class MsgResult { Ok, Yes, No };

struct MessageRequest
{
    QString text;
    MsgButtons buttons = MsgButtons::Ok;
    MsgIcon icon = MsgIcon::None;
    QString title;
};

// Shows a modal message box and returns the button pressed. An empty title gives the
// program's name.
MsgResult msgBox(const QString &text, MsgButtons buttons = MsgButtons::Ok, MsgIcon icon = MsgIcon::None,
                 const QString &title = {});

// Tests answer message boxes instead of showing them.
using MessageAnswerer = std::function<MsgResult(const MessageRequest &)>;
void setMessageAnswerer(MessageAnswerer answerer);

} // namespace platform
