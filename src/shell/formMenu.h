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

    QPointer<platform::CommandButton> Command1, Command2, Command3, Command4, Command7, Command9, Command8,
        Command10, Command11, Command5;
    QPointer<platform::CheckBox> Check1;
    QPointer<platform::Menu> mnuLanguages;

    // The nine activity buttons, in reading order.
    QList<platform::CommandButton *> activityButtons() const;

protected:
    void createControls() override;
    void Form_Load() override;
    void Form_Activate() override;
    void Form_Resize() override;
    void Form_CloseRequest() override;

private:
    void mnuLanguage_Click(int index);
    void Check1_Click();
    void openActivity(const QString &windowName);
};
