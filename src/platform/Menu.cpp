#include "platform/Menu.h"

#include "platform/Form.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

namespace platform {

Menu::Menu(Form *form, const QString &name, int index, QMenuBar *bar, Menu *parent)
    : Control(form, name, index), m_bar(bar), m_parent(parent)
{
    if (m_parent) {
        m_action = makeLeafAction(m_parent);
        m_parent->adopt(this);
    } else {
        m_action = makeLeafAction(m_bar);
        m_bar->addAction(m_action);
    }
}

Menu::~Menu()
{
    // The entry may be delivering the very click that unloads its window: it goes later.
    if (m_action) {
        m_action->setVisible(false);
        if (!m_submenu)
            m_action->deleteLater();
    }
    if (m_submenu)
        m_submenu->deleteLater();
}

QAction *Menu::makeLeafAction(QObject *owner)
{
    auto *a = new QAction(owner);
    connect(a, &QAction::triggered, this, [this] {
        // A click never ticks an entry by itself: the program decides the check marks.
        if (m_action->isCheckable())
            m_action->setChecked(m_checked);
        emitClick();
    });
    return a;
}

void Menu::adopt(Menu *child)
{
    if (!m_submenu) {
        // The first entry turns this title (or entry) into a submenu.
        QWidget *host = m_parent ? static_cast<QWidget *>(m_parent->m_submenu) : static_cast<QWidget *>(m_bar);
        m_submenu = new QMenu(m_caption, host);
        m_submenu->setFont(Form::menuFont(m_form ? m_form->textScale() : 1.0));
        QAction *old = m_action;
        m_action = m_submenu->menuAction();
        host->insertAction(old, m_action);
        host->removeAction(old);
        delete old;
        applyState();
    }
    m_submenu->addAction(child->m_action);
}

void Menu::applyTextScale(double scale)
{
    if (m_submenu)
        m_submenu->setFont(Form::menuFont(scale));
}

void Menu::setCaption(const QString &caption)
{
    m_caption = caption;
    if (m_submenu)
        m_submenu->setTitle(caption);
    m_action->setText(caption);
}

void Menu::setChecked(bool checked)
{
    m_checked = checked;
    // Only a ticked entry shows a mark; the others look like any plain entry.
    if (!m_submenu)
        m_action->setCheckable(checked);
    m_action->setChecked(checked);
}

void Menu::setVisible(bool visible)
{
    m_visible = visible;
    m_action->setVisible(visible);
}

void Menu::setEnabled(bool enabled)
{
    m_enabled = enabled;
    m_action->setEnabled(enabled);
}

void Menu::applyState()
{
    m_action->setText(m_caption);
    m_action->setVisible(m_visible);
    m_action->setEnabled(m_enabled);
}

void Menu::trigger()
{
    if (m_enabled && m_visible && !m_submenu)
        m_action->trigger();
}

} // namespace platform
