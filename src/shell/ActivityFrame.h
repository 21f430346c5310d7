#pragma once

#include "platform/Celebration.h"
#include "platform/CommandButton.h"
#include "platform/Form.h"
#include "platform/Image.h"
#include "platform/Label.h"
#include "platform/Menu.h"

#include <QPointer>
#include <functional>

// What one activity window does differently from the others in the shared frame; each window
// passes its own to the frame. The defaults are those of most windows.
struct ActivitySettings
{
    enum class When { AtLoad, AtActivation };

    QString resetMenuName = QStringLiteral("mnu1");
    QString aboutMenuName = QStringLiteral("mnu3");
    QString leaveMenuName = QStringLiteral("mnuEsci");
    QString resetMenuCaption = QStringLiteral("Azzera conteggio");
    QString aboutMenuCaption = QStringLiteral("Informazioni");
    QString leaveMenuCaption = QStringLiteral("Esci");
    // Whether the frame paints a random background at load (windows with a fixed one say no).
    bool frameSetsBackColour = true;
    When resetCountersAt = When::AtActivation;
    When firstQuestionAt = When::AtActivation;
};

// Where a window puts the frame's controls, in design twips.
struct FramePlacement
{
    QRectF rightCount;  // etEsatti
    QRectF wrongCount;  // etErrati
    QPointF faces;      // ComandoIconaSi and ComandoIconaNo, one over the other
};

// The frame every activity window shares: translation, layout, counters with their faces
// and sounds, "Azzera conteggio", "Informazioni", "Esci", and full-screen placement.
class ActivityFrame : public platform::Form
{
    Q_OBJECT

public:
    const ActivitySettings &settings() const { return m_settings; }

    void ShowRightAnswer();
    void ShowWrongAnswer();
    void ResetCounters();
    // Asks first; on Yes a freshly loaded main menu comes back and this window goes.
    void LeaveActivity();

    // The task of the turn as it is said aloud; empty: nothing to say.
    virtual QString spokenTask() const { return {}; }
    // Says the task: a turn, a game or a chain link starts, or the child asks again.
    void speakTask();
    // Shows the speaker button exactly while what it says can be heard.
    void refreshSpeaker();

    QPointer<platform::Label> etEsatti;
    QPointer<platform::Label> etErrati;
    QPointer<platform::Image> ComandoIconaSi;
    QPointer<platform::Image> ComandoIconaNo;
    QPointer<platform::Menu> resetMenu;
    QPointer<platform::Menu> aboutMenu;
    QPointer<platform::Menu> leaveMenu;
    // "avanti", in the windows that have one (addNextButton); null in the others.
    QPointer<platform::CommandButton> bottoneavanti;
    // The cheer at the end of a game or a chain.
    QPointer<platform::Celebration> celebration;

    // A short cheer over a place, in twips of the client area: a sound while the sounds are
    // on, stars and a tick; with keepInSight the place is shown meanwhile as it is now. The game
    // goes on under it: the next answer ends it.
    void celebrate(const QRectF &place, bool keepInSight = false);

    // The big speaker button beside the task, in the windows that have one (addSpeakerButton).
    QPointer<platform::CommandButton> bottoneascolta;

    // The faces are shown at this size, whatever the window.
    static constexpr double kFaceWidth = 735;
    static constexpr double kFaceHeight = 615;

protected:
    ActivityFrame(const QString &name, const ActivitySettings &settings);

    // The window's own controls, in control order; the frame adds its counters, faces and
    // menus after them, at the places framePlacement() gives.
    virtual void createWindowControls() = 0;
    virtual FramePlacement framePlacement() const = 0;
    // Menus of the window's own, after the frame's three.
    virtual void createWindowMenus() {}
    // Sets up the first question of a freshly opened window.
    virtual void firstQuestion() = 0;

    // A text on a white card, centred and bold: it reads on every background colour.
    static void makeCard(platform::Label *label, const QString &font, double points);
    // "avanti" with its arrow, resting until an answer lets the child go on; the window
    // connects its click.
    platform::CommandButton *addNextButton(double left, double top, double width, double height, double points);
    // The button of a right answer: red, and marked, so that it stays plainly red with a
    // readable caption while it rests, on every background. unchoose() makes it a light grey
    // answer button again.
    static void choose(platform::CommandButton *button);
    static void unchoose(platform::CommandButton *button);

    // The speaker button that says the task again; its name ("listen") comes from the
    // language file. Made right after the task's own controls, so Tab reaches it beside them.
    platform::CommandButton *addSpeakerButton(double left, double top, double width, double height);
    // Pointing at the control for a moment, or Tab to it, says its word: what `word` gives, or
    // else its caption (in capitals said plainly) or the name it has for assistive technology.
    void sayWhenPointed(platform::Control *control, std::function<QString()> word = {});
    // The counters' captions ("right: 3", "wrong: 1") from the current counts.
    void showRightCount();
    void showWrongCount();

    void Form_Load() override;
    void Form_Activate() override;
    void Form_Resize() override;
    void Form_CloseRequest() override { LeaveActivity(); }

private:
    void createControls() final;
    void createFrameControls(const FramePlacement &placement);
    void createFrameMenus();

    ActivitySettings m_settings;
};
