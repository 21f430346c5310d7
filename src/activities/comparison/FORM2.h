#pragma once

#include "platform/CommandButton.h"
#include "platform/ControlArray.h"
#include "platform/Frame.h"
#include "platform/Image.h"
#include "platform/Label.h"
#include "platform/Menu.h"
#include "shell/ActivityFrame.h"

#include <QPointer>
#include <array>
#include <cstdint>

// "insiemi": four blocks and one attribute value; the child moves the blocks that have it
// into the set, and the set is judged by "Fatto" or as soon as it is complete.
class FORM2 : public ActivityFrame
{
    Q_OBJECT

public:
    FORM2();

    // true: the turn is judged when the last matching block is moved; false: by "Fatto".
    bool AutoCheck = false;
    // 0: the value asked for; 1 to 4: the same attribute of the blocks in Image1(0..3).
    std::array<QString, 5> AttributeValues;
    std::int16_t ConditionAttribute = 0; // 1 shape, 2 colour, 3 size, 4 thickness
    std::int16_t MatchCount = 0;         // blocks of the turn that have the value
    std::int16_t MovedCount = 0;         // blocks moved into the set so far

    QPointer<platform::Label> Label1;
    QPointer<platform::Frame> Frame1;
    platform::ControlArray<platform::Image> insieme; // the places of the set, inside Frame1
    platform::ControlArray<platform::Image> Image1;  // the four blocks of the turn
    QPointer<platform::CommandButton> Command1;      // "Fatto"
    QPointer<platform::Menu> mnuControllo, mnuControlloSi, mnuControlloNo;

    void Image1_Click(int index);
    void Command1_Click();
    void mnuControlloSi_Click();
    void mnuControlloNo_Click();

    QString spokenTask() const override;

protected:
    void createWindowControls() override;
    FramePlacement framePlacement() const override;
    void createWindowMenus() override;
    void firstQuestion() override;

private:
    void NewCondition();
    void NewTurn();
    void judgeRight();
    bool setComplete() const { return MovedCount == MatchCount; }
};
