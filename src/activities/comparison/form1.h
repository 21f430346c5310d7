#pragma once

#include "platform/CommandButton.h"
#include "platform/Image.h"
#include "platform/Label.h"
#include "shell/ActivityFrame.h"

#include <QPointer>
#include <QStringList>
#include <array>

// "uguale - diverso": two blocks and one attribute; are they equal or different in it?
class form1 : public ActivityFrame
{
    Q_OBJECT

public:
    form1();

    // What each asked attribute (1 shape, 2 size, 3 thickness, 4 colour) selects.
    struct Question
    {
        QString (*word)(const struct BlockAttributes &);
        const char *questionId;
        const char *differentId;
        // The value pictures of the help, below "jpg\", each with the word it shows.
        QList<std::pair<QString, QString>> helpPictures;
        // The question as it is said aloud: its key in section Speech.
        const char *spokenKey;
    };
    static const Question &question(int askedAttribute);

    std::int16_t AskedAttribute = 0;
    std::array<QString, 3> ComparedValue;

    QPointer<platform::Label> Label1;
    QPointer<platform::CommandButton> Command1;
    QPointer<platform::Image> Image1, Image2, Image3, Image4, Image5, Image6;
    QPointer<platform::CommandButton> UGUALI, DIVERSI;

    void UGUALI_Click() { judge(true); }
    void DIVERSI_Click() { judge(false); }
    void Command1_Click();
    void bottoneavanti_Click();

    QString spokenTask() const override;

protected:
    void createWindowControls() override;
    FramePlacement framePlacement() const override;
    void firstQuestion() override;

private:
    void NewQuestion();
    void DrawPair();
    void judge(bool saidEqual);
    QList<platform::Image *> helpImages() const;
};
