#pragma once

#include <QPointer>
#include <QWidget>

#include "platform/Form.h"

namespace platform::detail {

// The top-level widget of a window; it reports size changes and close requests to its Form.
class FormWindow : public QWidget
{
public:
    explicit FormWindow(Form *form);

protected:
    void resizeEvent(QResizeEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    QPointer<Form> m_form;
};

} // namespace platform::detail
