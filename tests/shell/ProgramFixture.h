#pragma once

// What the window tests share: a private program folder with the language files and links
// to the generated pictures, a 1920x1080 offscreen screen, and the seams that stand in for a
// person (message boxes answered from a queue, sounds and the program's end recorded).

#include "activities/comparison/form1.h"
#include "language/modLanguageSupport.h"
#include "platform/Application.h"
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
#include <QWidget>
#include <deque>
#include <memory>

namespace testkit {

inline QString runDir()
{
    return QStringLiteral(ZORVELLI_RUNDIR);
}

// The offscreen screen is 800x800 unless told otherwise; the windows are made for full HD.
// Must run before QApplication exists.
inline void useFullHdScreen()
{
    static QTemporaryDir dir;
    const QString json = dir.filePath(QStringLiteral("screen.json"));
    QFile f(json);
    if (f.open(QIODevice::WriteOnly))
        f.write(R"({"screens":[{"name":"S","x":0,"y":0,"width":1920,"height":1080,)"
                R"("logicalDpi":96,"logicalBaseDpi":96,"dpr":1}]})");
    f.close();
    qputenv("QT_QPA_PLATFORM", QByteArrayLiteral("offscreen:configfile=") + json.toLocal8Bit());
}

// The application as the program sets it up.
inline void setUpApplication()
{
    QApplication::setApplicationName(QStringLiteral("Zorvelli"));
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    QApplication::setQuitOnLastWindowClosed(false);
    QFont font(QStringLiteral("Arial"));
    font.setPointSize(12);
    QApplication::setFont(font);
}

inline void registerWindows()
{
    Forms::registerForm(QStringLiteral("FormAvvio"), [] { return new FormAvvio; });
    Forms::registerForm(QStringLiteral("formMenu"), [] { return new formMenu; });
    Forms::registerForm(QStringLiteral("form1"), [] { return new form1; });
}

// The point a child would hit to tick or clear a check box: the middle of the box and its text.
inline QPoint checkBoxHitPoint(QWidget *w)
{
    auto *box = qobject_cast<QCheckBox *>(w);
    if (!box)
        return w->rect().center();
    QStyleOptionButton opt;
    opt.initFrom(box);
    opt.text = box->text();
    const QRect r = box->style()->subElementRect(QStyle::SE_CheckBoxClickRect, &opt, box);
    return r.isValid() ? r.center() : QPoint(5, box->height() / 2);
}

// The window stands at the top left corner and covers the whole screen (its frame, where
// the platform draws one, may reach past the edges).
inline void verifyCoversScreen(platform::Form *form)
{
    QVERIFY(form && form->window());
    const QRect screen(0, 0, 1920, 1080);
    const QRect outer = form->window()->frameGeometry();
    QVERIFY2(outer.topLeft() == QPoint(0, 0) && outer.contains(screen),
             qPrintable(QStringLiteral("window frame at %1,%2 %3x%4")
                            .arg(outer.x())
                            .arg(outer.y())
                            .arg(outer.width())
                            .arg(outer.height())));
    QVERIFY(form->window()->isVisible());
    QCOMPARE(form->left(), 0.0);
    QCOMPARE(form->top(), 0.0);
    QCOMPARE(form->width(), 28800.0);
    QCOMPARE(form->height(), 16200.0);
}

// The offscreen platform cannot raise windows and says so every time; that is no news.
// Call once the test run has started, so that Qt Test's own handler gets the rest.
inline void quietRaiseWarnings()
{
    static QtMessageHandler previous = nullptr;
    previous =
        qInstallMessageHandler([](QtMsgType type, const QMessageLogContext &context, const QString &message) {
            if (message == QLatin1String("This plugin does not support raise()"))
                return;
            if (previous)
                previous(type, context, message);
        });
}

class ProgramFixture
{
public:
    // A fresh program folder and a fresh program state, as after start-up.
    bool setUp()
    {
        tearDown();
        m_dir = std::make_unique<QTemporaryDir>();
        if (!m_dir->isValid())
            return false;
        const QDir run(runDir());
        for (const char *name : {"Italiano.lng", "English.lng"})
            if (!QFile::copy(run.filePath(QLatin1String(name)), path(QLatin1String(name))))
                return false;
        writeFile(QStringLiteral("LangSetting.ini"), "[Language]\r\nCurrentLanguage=Italiano\r\n");
        // Pictures and sounds are only read: link them instead of copying hundreds of files.
        for (const char *folder : {"jpg", "img", "suoni"})
            if (!QFile::link(run.filePath(QLatin1String(folder)), path(QLatin1String(folder))))
                return false;

        platform::ApplicationPath = m_dir->path();
        modLanguageSupport::CurrentLanguageName.clear();
        Modulo1::resetState();
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
    // The program's own way of naming a file below its folder.
    QString programPath(const QString &relative) const { return platform::appPath(relative); }

    void writeFile(const QString &name, const QByteArray &bytes) const
    {
        QFile f(path(name));
        if (f.open(QIODevice::WriteOnly | QIODevice::Truncate))
            f.write(bytes);
    }
    QByteArray readFile(const QString &name) const
    {
        QFile f(path(name));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    // A text of a window's section in one of the copied language files.
    QString windowText(const QString &language, const QString &section, const QString &key) const
    {
        return modLanguageSupport::GetIniValue(path(language + QStringLiteral(".lng")), section, key);
    }
    QString italian(const QString &section, const QString &key) const
    {
        return windowText(QStringLiteral("Italiano"), section, key);
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
        testkit::useFullHdScreen();                                                                          \
        QApplication app(argc, argv);                                                                        \
        testkit::setUpApplication();                                                                         \
        testkit::registerWindows();                                                                          \
        TestClass tc;                                                                                        \
        QTEST_SET_MAIN_SOURCE_PATH                                                                           \
        return QTest::qExec(&tc, argc, argv);                                                                \
    }
