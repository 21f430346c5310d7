#pragma once

#include "platform/CommandButton.h"
#include "platform/ControlArray.h"
#include "platform/Image.h"
#include "platform/Label.h"
#include "shell/ActivityFrame.h"

#include <QPointer>
#include <array>
#include <cstdint>

// "quanti sono ?": nine blocks and one attribute value; how many blocks have it?
class pagl3 : public ActivityFrame
{
    Q_OBJECT

public:
    pagl3();

    // 0: the value asked for; 1 to 9: the same attribute of the blocks in Image1(0..8).
    std::array<QString, 10> AttributeValues;
    std::int16_t ConditionAttribute = 0; // 1 shape, 2 colour, 3 size, 4 thickness
    std::int16_t MatchCount = 0;         // 0 to 9: the right answer of the turn

    QPointer<platform::Label> Label1;                       // the value, in capitals
    QPointer<platform::Image> Image2;                       // its small picture
    platform::ControlArray<platform::Image> Image1;         // the nine blocks, 0-4 above, 5-8 below
    platform::ControlArray<platform::CommandButton> NUMERI; // "0" to "9"
    QPointer<platform::CommandButton> Command1;             // "ricomincia"
    QPointer<platform::Label> Label2;                       // the hint

    static constexpr int kBlocks = 9;
    static constexpr int kNumbers = 10;

    void Image1_Click(int index);
    void NUMERI_Click(int index);
    void Command1_Click();
    void bottoneavanti_Click();

    QString spokenTask() const override;

protected:
    void createWindowControls() override;
    FramePlacement framePlacement() const override;
    void firstQuestion() override;
    // A digit key presses its number button.
    void Form_KeyPress(const QString &text) override;

private:
    void NewCondition();
    void NewTurn();
    void showAllBlocks();
};
