#pragma once

#include "platform/Form.h"
#include "platform/Image.h"
#include "platform/Label.h"

#include <QPointer>

// The splash window: the program's name and three random blocks, until the child clicks.
class FormAvvio : public platform::Form
{
    Q_OBJECT

public:
    FormAvvio();

    QPointer<platform::Label> Label1;
    QPointer<platform::Label> Label2;
    QPointer<platform::Image> Image1;
    QPointer<platform::Image> Image2;
    QPointer<platform::Image> Image3;

protected:
    void createControls() override;
    void Form_Load() override;
    void Form_Activate() override;
    void Form_Resize() override;
    void Form_Click() override { openMenu(); }
    void Form_CloseRequest() override;

private:
    void openMenu();
};
