#include "platform/MessageBox.h"

#include "platform/ToolkitLanguage.h"

#include <QApplication>
#include <QMessageBox>

namespace platform {

namespace {
MessageAnswerer &answerer()
{
    static MessageAnswerer a;
    return a;
}
} // namespace

void setMessageAnswerer(MessageAnswerer a)
{
    answerer() = std::move(a);
}

MsgResult msgBox(const QString &text, MsgButtons buttons, MsgIcon icon, const QString &title)
{
    MessageRequest request{text, buttons, icon, title.isEmpty() ? QStringLiteral("Zorvelli") : title};
    if (answerer())
        return answerer()(request);

    applyToolkitLanguage();
    QMessageBox box(QApplication::activeWindow());
    box.setWindowTitle(request.title);
    box.setText(text);
    box.setIcon(icon == MsgIcon::Question      ? QMessageBox::Question
                : icon == MsgIcon::Information ? QMessageBox::Information
                                               : QMessageBox::NoIcon);
    // Large text and buttons: the people answering may be small.
    box.setStyleSheet(QStringLiteral("QLabel { font-size: 17pt; } QPushButton { font-size: 16pt; min-width: 120px;"
                                     " min-height: 44px; padding: 4px 12px; }"));
    if (buttons == MsgButtons::YesNo) {
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setDefaultButton(QMessageBox::No);
        box.setEscapeButton(QMessageBox::No);
        return box.exec() == QMessageBox::Yes ? MsgResult::Yes : MsgResult::No;
    }
    box.setStandardButtons(QMessageBox::Ok);
    box.exec();
    return MsgResult::Ok;
}

} // namespace platform
