#pragma once

#include "platform/CommandButton.h"
#include "platform/ControlArray.h"
#include "platform/Image.h"
#include "platform/Label.h"
#include "platform/Shape.h"
#include "shell/ActivityFrame.h"
#include "shell/Modulo1.h"

#include <QPointer>
#include <cstdint>

// "trova il blocco": twelve blocks and the four words of one of them; the child finds a block
// that fits the words.
class FormTrova : public ActivityFrame
{
    Q_OBJECT

public:
    FormTrova();

    static constexpr int kPictures = 12;

    // The picture whose words are shown in this turn.
    std::int16_t TargetIndex = 0;

    platform::ControlArray<platform::Image> Image1;
    QPointer<platform::Label> EtFrase2;
    QPointer<platform::Shape> Shape1;

    void Image1_Click(int index);
    void bottoneavanti_Click();

    // The identity key of a block: its four names run together, whatever words are shown.
    static QString blockKey(const BlockAttributes &block);
    // The four words a child reads, one a line, in capitals.
    static QString description(const BlockAttributes &block);
    // The four words as they are said.
    static QStringList spokenWords(const BlockAttributes &block);
    QString spokenTask() const override;

protected:
    void createWindowControls() override;
    FramePlacement framePlacement() const override;
    void firstQuestion() override
    {
        m_found = -1;
        NewTurn();
    }
    void Form_Resize() override;

private:
    void NewTurn();
    void frameFound();

    // The picture the outline frames; -1 while searching.
    int m_found = -1;
    // The block the words describe.
    BlockAttributes m_target;
};
