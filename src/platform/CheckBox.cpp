#include "platform/CheckBox.h"

#include "platform/Fonts.h"
#include "platform/Units.h"

#include <QCheckBox>

namespace platform {

CheckBox::CheckBox(Form *form, const QString &name, int index, QWidget *parent) : PositionedControl(form, name, index)
{
    auto *w = new QCheckBox(parent);
    w->setFocusPolicy(Qt::StrongFocus);
    connect(w, &QCheckBox::clicked, this, [this] { emitClick(); });
    setWidget(w);
    applyStyle();
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

void CheckBox::setBackColor(uint bbggrr)
{
    m_backColor = bbggrr;
    if (!m_widget)
        return;
    applyStyle();
}

void CheckBox::applyStyle()
{
    // One style sheet carries both the colour and the tick box's size: a style sheet
    // replaces the palette, so the colour must live there too.
    if (!m_widget)
        return;
    m_widget->setStyleSheet(QStringLiteral("QCheckBox { background-color: %1; }"
                                           " QCheckBox::indicator { width: %2px; height: %2px; }")
                                .arg(toQColor(m_backColor).name())
                                .arg(m_indicatorSize));
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
    const QFont f = makeFont(family, points, bold);
    m_widget->setFont(f);
    // The tick box grows with the text, so small hands can hit it.
    m_indicatorSize = QFontMetrics(f).height();
    applyStyle();
}

} // namespace platform
