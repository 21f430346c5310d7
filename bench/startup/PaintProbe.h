#pragma once

#include <QEvent>
#include <QObject>
#include <QPointer>
#include <QWidget>

// Tells when a widget has been painted for the first time since it was armed.
class PaintProbe : public QObject
{
public:
    explicit PaintProbe(QWidget *target) : m_target(target) { target->installEventFilter(this); }
    ~PaintProbe() override
    {
        if (m_target)
            m_target->removeEventFilter(this);
    }
    bool painted() const { return m_painted; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched == m_target && event->type() == QEvent::Paint)
            m_painted = true;
        return false;
    }

private:
    QPointer<QWidget> m_target;
    bool m_painted = false;
};
