#pragma once

#include "activities/grid/GridWindow.h"
#include "platform/Menu.h"

#include <QString>
#include <array>
#include <cstdint>

// "le strade 1": a road forks into a value and its negation; each block goes onto its road.
class pagl7 : public GridWindow
{
    Q_OBJECT

public:
    pagl7();

    // The attribute of the game: 1 shape, 2 colour, 3 size, 4 thickness.
    std::int16_t RoadAttribute = 0;
    // 0: the value of the game; 1: the waiting block's value of the same attribute.
    std::array<QString, 2> ComparedValue;

    platform::ControlArray<platform::Line> Line2;
    QPointer<platform::Menu> mnuSuono, mnuSuonoSi, mnuSuonoNo;

    int rightBox() const override;
    QString spokenName(int label) const override;
    void mnuSuonoSi_Click() { setSound(true); }
    void mnuSuonoNo_Click() { setSound(false); }

protected:
    void createWindowControls() override;
    void createWindowMenus() override;
    void NewReference() override;
    void takeWaitingValues() override;

private:
    void setSound(bool on);
};
