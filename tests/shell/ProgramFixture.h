#pragma once

// Shared by the window tests: a private program folder, a 1920x1080 offscreen screen, and
// message boxes, sounds and the program's end answered or recorded instead of a person.

#include "activities/comparison/form1.h"
#include "language/modLanguageSupport.h"
#include "platform/Application.h"
#include "platform/Control.h"
#include "platform/Form.h"
#include "platform/MessageBox.h"
#include "platform/Sound.h"
#include "platform/System.h"
#include "shell/FormAvvio.h"
#include "shell/Forms.h"
#include "shell/Modulo1.h"
#include "shell/formMenu.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QFont>
#include <QStyle>
#include <QStyleFactory>
#include <QStyleOptionButton>
#include <QTemporaryDir>
#include <QTest>
#include <deque>
#include <memory>

namespace testkit {

// A click where a child would hit the control (for a check box: its box and text).
inline void click(platform::Control *c)
{
    QVERIFY(c && c->widget());
    QWidget *w = c->widget();
    QPoint at = w->rect().center();
    if (auto *box = qobject_cast<QCheckBox *>(w)) {
        QStyleOptionButton opt;
        opt.initFrom(box);
        opt.text = box->text();
        at = box->style()->subElementRect(QStyle::SE_CheckBoxClickRect, &opt, box).center();
    }
    QTest::mouseClick(w, Qt::LeftButton, {}, at);
}

// At the top left corner, covering the whole screen (a frame may reach past the edges).
inline void verifyCoversScreen(platform::Form *form)
{
    QVERIFY(form && form->window() && form->window()->isVisible());
    const QRect outer = form->window()->frameGeometry();
    QVERIFY(outer.topLeft() == QPoint(0, 0) && outer.contains(QRect(0, 0, 1920, 1080)));
    QCOMPARE(QRectF(form->left(), form->top(), form->width(), form->height()), QRectF(0, 0, 28800, 16200));
}

// The offscreen platform complains at every raise(); that is no news. Call from
// initTestCase, after Qt Test has put in its own handler.
inline void quietRaiseWarnings()
{
    static QtMessageHandler previous = nullptr;
    previous = qInstallMessageHandler([](QtMsgType t, const QMessageLogContext &c, const QString &m) {
        if (m != QLatin1String("This plugin does not support raise()") && previous)
            previous(t, c, m);
    });
}

class ProgramFixture
{
public:
    // A fresh program folder and program state, as after start-up.
    bool setUp()
    {
        tearDown();
        m_dir = std::make_unique<QTemporaryDir>();
        const QDir run(QStringLiteral(ZORVELLI_RUNDIR));
        for (const char *name : {"Italiano.lng", "English.lng"})
            if (!QFile::copy(run.filePath(QLatin1String(name)), path(QLatin1String(name))))
                return false;
        for (const char *folder : {"jpg", "img", "suoni"}) // only read: linked, not copied
            if (!QFile::link(run.filePath(QLatin1String(folder)), path(QLatin1String(folder))))
                return false;
        writeFile(QStringLiteral("LangSetting.ini"), "[Language]\r\nCurrentLanguage=Italiano\r\n");
        platform::ApplicationPath = m_dir->path();
        Modulo1::SoundEnabled = true; // start-up switches the sounds on

        messages.clear();
        answers.clear();
        sounds.clear();
        endCount = 0;
        platform::setMessageAnswerer([this](const platform::MessageRequest &r) {
            messages.append(r);
            if (answers.empty())
                return r.buttons == platform::MsgButtons::YesNo ? platform::MsgResult::No
                                                                : platform::MsgResult::Ok;
            const platform::MsgResult a = answers.front();
            answers.pop_front();
            return a;
        });
        platform::setSoundSink([this](const QString &p) { sounds.append(p); });
        platform::setEndProgramHook([this] { ++endCount; });
        return true;
    }

    void tearDown()
    {
        Forms::destroyAll();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        Modulo1::resetState();
        modLanguageSupport::CurrentLanguageName.clear();
        m_dir.reset();
    }

    QString path(const QString &name) const { return QDir(m_dir->path()).filePath(name); }
    void writeFile(const QString &name, const QByteArray &bytes) const
    {
        QFile f(path(name));
        if (f.open(QIODevice::WriteOnly | QIODevice::Truncate))
            f.write(bytes);
    }
    // A text from one of the copied language files, e.g. lng("formMenu", "Command1.Caption").
    QString lng(const char *section, const char *key, const char *language = "Italiano") const
    {
        return modLanguageSupport::GetIniValue(path(QLatin1String(language) + QStringLiteral(".lng")),
                                               QLatin1String(section), QLatin1String(key));
    }
    // A run-time text of the current language.
    static QString text(const char *id) { return modLanguageSupport::GetString(QLatin1String(id)); }

    template <class T> static T *window(const char *name)
    {
        return qobject_cast<T *>(Forms::get(QLatin1String(name)));
    }
    static bool isLoaded(const char *name)
    {
        return Forms::exists(QLatin1String(name)) && Forms::get(QLatin1String(name))->isLoaded();
    }

    QList<platform::MessageRequest> messages;
    std::deque<platform::MsgResult> answers; // answered in order; then No (or OK)
    QStringList sounds;
    int endCount = 0;

private:
    std::unique_ptr<QTemporaryDir> m_dir;
};

} // namespace testkit

// A test main that gives the application a full HD screen before it starts.
#define ZORVELLI_WINDOW_TEST_MAIN(TestClass)                                                                 \
    int main(int argc, char **argv)                                                                          \
    {                                                                                                        \
        QTemporaryDir screenDir;                                                                             \
        QFile screen(screenDir.filePath(QStringLiteral("screen.json")));                                     \
        if (screen.open(QIODevice::WriteOnly))                                                               \
            screen.write(R"({"screens":[{"name":"S","x":0,"y":0,"width":1920,"height":1080,)"                \
                         R"("logicalDpi":96,"logicalBaseDpi":96,"dpr":1}]})");                               \
        screen.close();                                                                                      \
        qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + screen.fileName().toLocal8Bit());               \
        QApplication app(argc, argv);                                                                        \
        QApplication::setApplicationName(QStringLiteral("Zorvelli"));                                        \
        QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));                             \
        QApplication::setQuitOnLastWindowClosed(false);                                                      \
        QApplication::setFont(QFont(QStringLiteral("Arial"), 12));                                           \
        Forms::registerForm(QStringLiteral("FormAvvio"), [] { return new FormAvvio; });                      \
        Forms::registerForm(QStringLiteral("formMenu"), [] { return new formMenu; });                        \
        Forms::registerForm(QStringLiteral("form1"), [] { return new form1; });                              \
        TestClass tc;                                                                                        \
        QTEST_SET_MAIN_SOURCE_PATH                                                                           \
        return QTest::qExec(&tc, argc, argv);                                                                \
    }
