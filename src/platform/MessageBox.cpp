#include "platform/MessageBox.h"

#include "platform/ToolkitLanguage.h"
#include "platform/Units.h"

#include <QApplication>
#include <QMessageBox>
#include <QScreen>

namespace platform {

namespace {
MessageAnswerer answerer; // set by tests
} // namespace

void setMessageAnswerer(MessageAnswerer a)
{
    answerer = std::move(a);
}

MsgResult msgBox(const QString &text, MsgButtons buttons, MsgIcon icon, const QString &title)
{
    MessageRequest request{text, buttons, icon, title.isEmpty() ? QStringLiteral("Zorvelli") : title};
    if (answerer)
        return answerer(request);

    applyToolkitLanguage();
    QMessageBox box(QApplication::activeWindow());
    box.setWindowTitle(request.title);
    box.setText(text);
    box.setIcon(icon == MsgIcon::Question      ? QMessageBox::Question
                : icon == MsgIcon::Information ? QMessageBox::Information
                                               : QMessageBox::NoIcon);
    // Large text and buttons: the people answering may be small. On a large screen they grow as
    // the windows' texts do.
    const QWidget *over = QApplication::activeWindow();
    const QScreen *screen = over ? over->screen() : QGuiApplication::primaryScreen();
    const double s = over ? textScaleFor(over->size()) : screen ? textScaleFor(screen->size()) : 1.0;
    box.setStyleSheet(QStringLiteral("QLabel { font-size: %1pt; } QPushButton { font-size: %2pt; min-width: %3px;"
                                     " min-height: %4px; padding: %5px %6px; }")
                          .arg(17 * s)
                          .arg(16 * s)
                          .arg(qRound(120 * s))
                          .arg(qRound(44 * s))
                          .arg(qRound(4 * s))
                          .arg(qRound(12 * s)));
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
