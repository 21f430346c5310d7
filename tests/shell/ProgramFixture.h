#pragma once

// Shared by the window tests: a private program folder, an offscreen screen, every window
// registered from its one list, and message boxes, sounds, beeps and the program's end
// answered or recorded instead of a person; what a child sees of a window, and the answers a
// child gives.

#include "activities/ProgramWindows.h"
#include "activities/comparison/FORM2.h"
#include "activities/comparison/form1.h"
#include "activities/comparison/pagl3.h"
#include "activities/grid/GridWindow.h"
#include "activities/single_block/FormDomino.h"
#include "activities/single_block/FormTrova.h"
#include "language/modLanguageSupport.h"
#include "platform/Application.h"
#include "platform/CommandButton.h"
#include "platform/Control.h"
#include "platform/Form.h"
#include "platform/Image.h"
#include "platform/Label.h"
#include "platform/Menu.h"
#include "platform/MessageBox.h"
#include "platform/Random.h"
#include "platform/Sound.h"
#include "platform/System.h"
#include "platform/Units.h"
#include "platform/Style.h"
#include "shell/ActivityFrame.h"
#include "shell/Forms.h"
#include "shell/Modulo1.h"
#include "shell/formMenu.h"

#include <QApplication>
#include <QCheckBox>
#include <QFontMetrics>
#include <QPushButton>
#include <QScreen>
#include <QDir>
#include <QFile>
#include <QFont>
#include <QTemporaryDir>
#include <QTest>
#include <deque>
#include <memory>

namespace testkit {

// A click where a child would hit the control.
inline void click(platform::Control *c)
{
    QVERIFY2(c && c->widget(), c ? qPrintable(c->name()) : "no control");
    QTest::mouseClick(c->widget(), Qt::LeftButton, {}, c->widget()->rect().center());
}

inline bool shown(platform::Control *c)
{
    return c && c->visible() && c->widget() && c->widget()->isVisible();
}

// "Image1(2)", or "Label1" for a control that is no array element: its key in a language file.
inline QString keyOf(platform::Control *c)
{
    return c->isArrayElement() ? QStringLiteral("%1(%2)").arg(c->name()).arg(c->index()) : c->name();
}

inline QString captionOf(platform::Control *c)
{
    return c->propertyByName("Caption").value_or(QString()).toString();
}

// "esatti: 3": the text of an identifier, a space and the number.
inline QString count(const char *id, int n)
{
    return modLanguageSupport::GetString(QLatin1String(id)) + u' ' + QString::number(n);
}

// Everything of a window a child can see, to tell whether something changed.
inline QString snapshot(platform::Form *form)
{
    QStringList s{QString::number(form->backColor(), 16)};
    for (platform::Control *c : form->controls()) {
        QStringList p{c->name() + u'(' + QString::number(c->index()) + u')', QString::number(c->visible()),
                      QString::number(c->enabled())};
        for (const char *name : {"Caption", "Picture", "BackColor", "Checked", "Value", "Left", "Top"})
            if (const auto v = c->propertyByName(name))
                p << v->toString();
        s << p.join(u',');
    }
    return s.join(u'|');
}

// The same without the counters and the faces, which every answer changes: what a wrong
// answer has to leave as it is.
inline QString board(ActivityFrame *w)
{
    QStringList s = snapshot(w).split(u'|');
    for (platform::Control *c :
         QList<platform::Control *>{w->etEsatti, w->etErrati, w->ComandoIconaSi, w->ComandoIconaNo})
        s.removeIf([c](const QString &entry) { return entry.startsWith(c->name() + u'('); });
    return s.join(u'|');
}

// At the top left corner, covering the whole screen.
inline void verifyCoversScreen(platform::Form *form)
{
    QVERIFY(form && form->window() && form->window()->isVisible());
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    QVERIFY(form->window()->frameGeometry().contains(screen));
    QCOMPARE(QRectF(form->left(), form->top(), form->width(), form->height()),
             QRectF(0, 0, platform::pixelsToTwips(screen.width()), platform::pixelsToTwips(screen.height())));
}

// Where a control's caption has to fit, and the caption itself.
inline bool captionFits(platform::Control *c, QString *why)
{
    QWidget *w = c->widget();
    const auto caption = c->propertyByName("Caption");
    if (!w || !w->isVisible() || !caption || caption->toString().isEmpty())
        return true;
    QRect room = w->rect();
    auto *button = qobject_cast<platform::CommandButton *>(c);
    if (button && button->captionArea() != w->rect()) {
        room = button->captionArea(); // under a picture
    } else {
        if (qobject_cast<QPushButton *>(w) && !qobject_cast<QPushButton *>(w)->icon().isNull())
            room.setWidth(room.width() - qMin(room.height() / 2, 96) * 3 / 2);
        if (qobject_cast<QCheckBox *>(w))
            room.setWidth(room.width() - QFontMetrics(w->font()).height() * 3 / 2 - 6);
        room.adjust(4, 0, -4, 0);
    }
    const QRect need = QFontMetrics(w->font()).boundingRect(room, Qt::TextWordWrap | Qt::AlignCenter, caption->toString());
    const QRect onScreen(w->mapToGlobal(QPoint(0, 0)), w->size());
    if (room.contains(need) && QGuiApplication::primaryScreen()->geometry().contains(onScreen))
        return true;
    QDebug(why) << c->name() << caption->toString() << "needs" << need.size() << "in" << room.size() << "at" << onScreen.topLeft();
    return false;
}

// Every caption of a window that is cut off or off the screen, after the window's name.
inline QStringList clipped(platform::Form *form)
{
    QStringList problems;
    for (platform::Control *c : form->controls())
        if (QString why; !captionFits(c, &why))
            problems << form->name() + u' ' + why;
    return problems;
}

// The control a child answers with in the turn on screen: the right one, or a wrong one (null
// in "trova il blocco" when every picture shows the target's block). In "insiemi" the right
// answer is "Fatto", once the set is built.
inline platform::Control *answer(ActivityFrame *w, bool right)
{
    if (auto *f = qobject_cast<form1 *>(w))
        return (f->ComparedValue[1] == f->ComparedValue[2]) == right ? f->UGUALI : f->DIVERSI;
    if (auto *f = qobject_cast<FORM2 *>(w)) {
        if (right)
            for (int k = 0; k < 4; ++k)
                if (f->AttributeValues[k + 1] == f->AttributeValues[0])
                    click(f->Image1(k));
        return f->Command1;
    }
    if (auto *f = qobject_cast<pagl3 *>(w))
        return f->NUMERI(right ? f->MatchCount : (f->MatchCount + 1) % 10);
    if (auto *f = qobject_cast<GridWindow *>(w))
        return f->Frame1(right ? f->rightBox() : (f->rightBox() + 1) % f->Frame1.count());
    if (auto *f = qobject_cast<FormTrova *>(w)) {
        for (int i = 0; i < FormTrova::kPictures; ++i)
            if ((f->Image1(i)->tag() == f->Image1(f->TargetIndex)->tag()) == right)
                return f->Image1(i);
        return nullptr;
    }
    if (auto *f = qobject_cast<FormDomino *>(w))
        return f->Command1(right ? f->ExpectedAnswer : (f->ExpectedAnswer + 1) % ChainRules::kAnswers);
    return nullptr;
}

// The entry of the menu "Lingua" that picks a language.
inline platform::Menu *languageEntry(formMenu *menu, const QString &language)
{
    for (platform::Control *c : menu->controlArray(QStringLiteral("mnuLanguage")))
        if (auto *entry = qobject_cast<platform::Menu *>(c); entry && entry->caption() == language)
            return entry;
    return nullptr;
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
        for (const QString &name : languages())
            if (!QFile::copy(run.filePath(name + QStringLiteral(".lng")), path(name + QStringLiteral(".lng"))))
                return false;
        for (const char *folder : {"jpg", "img", "suoni"}) // only read: linked, not copied
            if (!QFile::link(run.filePath(QLatin1String(folder)), path(QLatin1String(folder))))
                return false;
        writeFile(QStringLiteral("LangSetting.ini"), "[Language]\r\nCurrentLanguage=Italiano\r\n");
        platform::ApplicationPath = m_dir->path();
        Modulo1::SoundEnabled = true; // start-up switches the sounds on

        messages.clear(), answers.clear(), sounds.clear();
        beeps = endCount = 0;
        platform::setMessageAnswerer([this](const platform::MessageRequest &r) {
            messages.append(r);
            if (answers.empty())
                return r.buttons == platform::MsgButtons::YesNo ? platform::MsgResult::No : platform::MsgResult::Ok;
            const platform::MsgResult a = answers.front();
            answers.pop_front();
            return a;
        });
        platform::setSoundSink([this](const QString &p) { sounds.append(p); });
        platform::setBeepHook([this] { ++beeps; });
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

    // The languages the program comes with, as the menu lists them.
    static QStringList languages()
    {
        return {QStringLiteral("Deutsch"), QStringLiteral("English"), QString::fromUtf8("Español"),
                QString::fromUtf8("Français"), QStringLiteral("Italiano")};
    }

    // The program as it starts in a language (its file beside the program).
    void startIn(const QString &language) const
    {
        writeFile(QStringLiteral("LangSetting.ini"), "[Language]\r\nCurrentLanguage=" + language.toUtf8() + "\r\n");
        modLanguageSupport::CurrentLanguageName = language;
    }

    QString path(const QString &name) const { return QDir(m_dir->path()).filePath(name); }
    void writeFile(const QString &name, const QByteArray &bytes) const
    {
        if (QFile f(path(name)); f.open(QIODevice::WriteOnly | QIODevice::Truncate))
            f.write(bytes);
    }
    // A text from one of the copied language files, e.g. lng("formMenu", "Command1.Caption").
    QString lng(const QString &section, const QString &key, const QString &language = QStringLiteral("Italiano")) const
    {
        return modLanguageSupport::GetIniValue(path(language + QStringLiteral(".lng")), section, key);
    }

    // "Esci", answered Yes.
    void leave(ActivityFrame *w)
    {
        answers.push_back(platform::MsgResult::Yes);
        w->leaveMenu->trigger();
    }

    template <class T = platform::Form> static T *window(const QString &name)
    {
        return qobject_cast<T *>(Forms::get(name));
    }

    // The menu, shown as a child finds it.
    static formMenu *menu()
    {
        auto *m = window<formMenu>(QStringLiteral("formMenu"));
        m->Show();
        return m;
    }
    // An activity opened with a click on its menu button; null if it did not open.
    template <class T = ActivityFrame> static T *open(const QString &name)
    {
        formMenu *m = menu();
        click(m->buttonFor(name));
        T *w = window<T>(name);
        return w && w->isShown() && !m->isLoaded() ? w : nullptr;
    }

    QList<platform::MessageRequest> messages;
    std::deque<platform::MsgResult> answers; // answered in order; then No (or OK)
    QStringList sounds;
    int beeps = 0;
    int endCount = 0;

private:
    std::unique_ptr<QTemporaryDir> m_dir;
};

// Starts the application on an offscreen screen of the given size, with every window known.
inline int runWindowTest(QObject &test, int argc, char **argv, int width, int height)
{
    QTemporaryDir screenDir;
    QFile screen(screenDir.filePath(QStringLiteral("screen.json")));
    if (screen.open(QIODevice::WriteOnly))
        screen.write(QStringLiteral(R"({"screens":[{"name":"S","x":0,"y":0,"width":%1,"height":%2,)"
                                    R"("logicalDpi":96,"logicalBaseDpi":96,"dpr":1}]})").arg(width).arg(height).toUtf8());
    screen.close();
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + screen.fileName().toLocal8Bit());
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Zorvelli"));
    QApplication::setStyle(platform::makeProgramStyle());
    QApplication::setQuitOnLastWindowClosed(false);
    QApplication::setFont(QFont(QStringLiteral("Arial"), 12));
    ProgramWindows::registerAll();
    static QtMessageHandler previous = nullptr; // the offscreen platform complains at every raise()
    previous = qInstallMessageHandler([](QtMsgType t, const QMessageLogContext &c, const QString &m) {
        if (m != QLatin1String("This plugin does not support raise()") && previous)
            previous(t, c, m);
    });
    return QTest::qExec(&test, argc, argv);
}

} // namespace testkit

#define ZORVELLI_WINDOW_TEST_MAIN_AT(TestClass, width, height)                                               \
    int main(int argc, char **argv)                                                                          \
    {                                                                                                        \
        TestClass tc;                                                                                        \
        QTEST_SET_MAIN_SOURCE_PATH                                                                           \
        return testkit::runWindowTest(tc, argc, argv, width, height);                                        \
    }
#define ZORVELLI_WINDOW_TEST_MAIN(TestClass) ZORVELLI_WINDOW_TEST_MAIN_AT(TestClass, 1920, 1080)
