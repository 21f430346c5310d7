#pragma once

#include "activities/single_block/ChainRules.h"
#include "platform/CommandButton.h"
#include "platform/ControlArray.h"
#include "platform/Image.h"
#include "platform/Label.h"
#include "platform/Line.h"
#include "shell/ActivityFrame.h"

#include <QPointer>
#include <cstdint>

// "Cosa cambia?": a chain of blocks laid in a spiral like dominoes; for each link the child
// says which attribute changed from one block to the next, or that nothing did. The twin
// "Cosa resta uguale?" is the same window with another rule (FormDomino2).
class FormDomino : public ActivityFrame
{
    Q_OBJECT

public:
    FormDomino();

    static constexpr int kPictures = 12;
    static constexpr int kLinks = 11;

    // Which button answers the link now asked, and which link that is.
    std::int16_t ExpectedAnswer = 0;
    std::int16_t CurrentLink = 0;

    platform::ControlArray<platform::Image> Image1;
    platform::ControlArray<platform::Label> Label1;
    platform::ControlArray<platform::Line> Line1;
    platform::ControlArray<platform::CommandButton> Command1;
    QPointer<platform::Label> Label3, Label4, Label5, Label6, Label7;
    QPointer<platform::Label> Label2;

    // Draws the next answer and changes CurrentBlock by it.
    void ScegliAltroBlocco();

    void Command1_Click(int index);

    // The question, in full: a chain starts, or the child asks again.
    QString spokenTask() const override;

protected:
    // What tells the twins apart: the rule, the question, and where the answers stand.
    struct Variant
    {
        ChainRules::Rule rule;
        const char *question;
        double answersLeft, answersTop; // of Command1(0); the labels follow the buttons
        double questionLeft, questionTop;
    };
    FormDomino(const QString &name, const Variant &variant);

    void createWindowControls() override;
    FramePlacement framePlacement() const override;
    void firstQuestion() override { NewChain(); }
    // The letter on an answer button presses it.
    void Form_KeyPress(const QString &text) override;

private:
    void NewChain();
    // Where the chain lies now, in twips.
    QRectF chainPlace() const;

    Variant m_variant;
};
