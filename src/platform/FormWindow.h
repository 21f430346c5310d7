#pragma once

#include <QPointer>
#include <QWidget>

#include <thread>

#include "platform/Form.h"

namespace platform::detail {

// The top-level widget of a window; it reports size changes, keys and close requests to the Form
// it shows now.
class FormWindow : public QWidget
{
public:
    explicit FormWindow(Form *form);
    ~FormWindow() override;
    Form *form() const { return m_form; }
    void setForm(Form *form) { m_form = form; }

protected:
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void readyDrawingBuffer();
    void finishReadyingBuffer();

    QPointer<Form> m_form;
    bool m_bufferReady = false;
    std::thread m_bufferHelper;
};

} // namespace platform::detail
