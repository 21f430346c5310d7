#pragma once

#include "platform/CheckBox.h"
#include "platform/CommandButton.h"
#include "platform/Form.h"
#include "platform/Menu.h"

#include <QPointer>

// The main menu: the nine activities, the sound switch, the language menu and "FINE".
class formMenu : public platform::Form
{
    Q_OBJECT

public:
    formMenu();

    // Fills the "Lingua" menu with one entry per language file and ticks the current one.
    void MLSFillMenuLanguages();

    QPointer<platform::CommandButton> Command5; // "FINE"
    QPointer<platform::CheckBox> Check1;
    QPointer<platform::CheckBox> Check2; // speech alone, remembered per user
    QPointer<platform::Menu> mnuLanguages;

    // The activity buttons, one per activity of the window list, in reading order.
    QList<platform::CommandButton *> activityButtons() const;
    // The button that opens the window; null when there is none.
    platform::CommandButton *buttonFor(const QString &windowName) const;

protected:
    void createControls() override;
    void Form_Load() override;
    void Form_Activate() override;
    void Form_Resize() override;
    void Form_CloseRequest() override;

private:
    void mnuLanguage_Click(int index);
    void Check1_Click();
    void Check2_Click();
    void openActivity(const QString &windowName);

    QList<QPointer<platform::CommandButton>> m_activityButtons;
};
