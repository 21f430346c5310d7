#pragma once

#include <QWidget>

namespace platform {
class Form;
}

namespace platform::detail {

// The top-level widget of a window; it reports size changes and close requests to its Form.
class FormWindow : public QWidget
{
public:
    explicit FormWindow(Form *form);

protected:
    void resizeEvent(QResizeEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    Form *m_form;
};

} // namespace platform::detail
