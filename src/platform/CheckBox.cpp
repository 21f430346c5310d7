#include "platform/CheckBox.h"

#include "platform/Units.h"

#include <QCheckBox>

namespace platform {

CheckBox::CheckBox(Form *form, const QString &name, int index, QWidget *parent) : PositionedControl(form, name, index)
{
    auto *w = new QCheckBox(parent);
    w->setAutoFillBackground(true);
    w->setFocusPolicy(Qt::StrongFocus);
    connect(w, &QCheckBox::clicked, this, [this] { emitClick(); });
    setWidget(w);
}

QString CheckBox::caption() const
{
    return m_widget ? static_cast<QCheckBox *>(m_widget.data())->text() : QString();
}

void CheckBox::setCaption(const QString &caption)
{
    if (m_widget)
        static_cast<QCheckBox *>(m_widget.data())->setText(caption);
}

QString CheckBox::toolTipText() const
{
    return m_widget ? m_widget->toolTip() : QString();
}

void CheckBox::setToolTipText(const QString &text)
{
    if (m_widget)
        m_widget->setToolTip(text);
}

void CheckBox::setBackColor(uint bbggrr)
{
    m_backColor = bbggrr;
    if (!m_widget)
        return;
    QPalette pal = m_widget->palette();
    pal.setColor(QPalette::Window, toQColor(bbggrr));
    m_widget->setPalette(pal);
}

int CheckBox::value() const
{
    return m_widget && static_cast<QCheckBox *>(m_widget.data())->isChecked() ? 1 : 0;
}

void CheckBox::setValue(int value)
{
    if (m_widget)
        static_cast<QCheckBox *>(m_widget.data())->setChecked(value != 0);
}

void CheckBox::setFont(const QString &family, double points, bool bold)
{
    if (!m_widget)
        return;
    QFont f(family);
    f.setPointSizeF(points);
    f.setBold(bold);
    m_widget->setFont(f);
    // The tick box grows with the text, so small hands can hit it.
    const int box = QFontMetrics(f).height();
    static_cast<QCheckBox *>(m_widget.data())
        ->setStyleSheet(QStringLiteral("QCheckBox::indicator { width: %1px; height: %1px; }").arg(box));
}

} // namespace platform
