#pragma once

#include "activities/grid/TableGame.h"
#include "platform/Menu.h"

#include <cstdint>

// "le strade 2": the table's game on roads that fork twice, with help that shows the way one
// fork at a time.
class pagl8 : public TableGame
{
    Q_OBJECT

public:
    pagl8();

    // The kind of help: red lines along the roads, or else the fork names coloured green.
    bool HelpOnRoads = true;
    // Presses of "aiuto" since the marks were last removed; 2 once the whole way is marked.
    std::int16_t HelpStep = 0;
    // Half-way to the next point the help costs; kept for the whole run, across games and
    // across closing and opening the window (the load leaves it alone).
    std::int16_t HelpCost = 0;

    platform::ControlArray<platform::Line> Line2;
    platform::ControlArray<platform::Line> Line3;
    QPointer<platform::Line> Line1;
    QPointer<platform::CommandButton> Command2;
    QPointer<platform::Menu> mnuAiuto, mnuAiutoCaselle, mnuAiutoStrade;

    // Removes every help mark.
    void CancellaAiuto();
    void Command2_Click();
    void mnuAiutoCaselle_Click() { setHelpKind(false); }
    void mnuAiutoStrade_Click() { setHelpKind(true); }

protected:
    void createWindowControls() override;
    void createWindowMenus() override;
    void firstQuestion() override;
    void NewReference() override;
    void beforeChoice() override { CancellaAiuto(); }

private:
    void setHelpKind(bool onRoads);
};
