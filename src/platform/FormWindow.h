#pragma once

#include <QPointer>
#include <QWidget>

#include "platform/Form.h"

namespace platform::detail {

// The program's top-level window; it reports size changes, keys and close requests to the Form
// it shows now.
class FormWindow : public QWidget
{
public:
    FormWindow();
    Form *form() const { return m_form; }
    void setForm(Form *form) { m_form = form; }

protected:
    void resizeEvent(QResizeEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    QPointer<Form> m_form;
};

} // namespace platform::detail
