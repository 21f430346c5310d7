#pragma once

#include <QList>
#include <QPointer>
#include <cstdint>

#include "platform/Control.h"
#include "platform/Form.h"

// Makes a window's layout follow its size: records where every control was placed at design
// time and, on every resize, moves and stretches each one in proportion to the window's new
// inner size. It always scales from the recorded design values, so repeated resizes never
// accumulate rounding.
class clsResize
{
public:
    struct ControlLayout
    {
        QPointer<platform::Control> control;
        // For a line: X1, Y1, X2, Y2.
        std::int32_t Left = 0, Top = 0, Width = 0, Height = 0;
    };

    clsResize() = default;
    ~clsResize();
    clsResize(const clsResize &) = delete;
    clsResize &operator=(const clsResize &) = delete;

    platform::Form *SourceForm() const { return m_form; }
    void setSourceForm(platform::Form *form) { m_form = form; }

    void ReInitialise() { CaptureLayout(); }
    void SizeFormToScreen(std::uint8_t Percent);
    void ResizeControls();

    // What was captured, for inspection.
    std::int32_t capturedWidth() const { return m_capturedWidth; }
    std::int32_t capturedHeight() const { return m_capturedHeight; }
    const QList<ControlLayout> &controlLayouts() const { return m_layouts; }
    bool needsCapture() const { return m_needsCapture; }

    // Which of left, top, width, height a tag lets the layout scale.
    struct Selection
    {
        bool left = true, top = true, width = true, height = true;
    };
    static Selection scalingTag(const QString &tag);

private:
    void CaptureLayout();

    QPointer<platform::Form> m_form;
    std::int32_t m_capturedWidth = 0;
    std::int32_t m_capturedHeight = 0;
    QList<ControlLayout> m_layouts;
    bool m_needsCapture = true;
};
