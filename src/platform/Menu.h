#pragma once

#include "platform/Control.h"

#include <QAction>
#include <QPointer>

class QAction;
class QMenu;
class QMenuBar;

namespace platform {

// A menu title or entry. A title in the menu bar without entries is a command of its own
// (clicked straight from the bar); one with entries opens them.
class Menu : public Control
{
    Q_OBJECT
    Q_PROPERTY(QString Caption READ caption WRITE setCaption)
    Q_PROPERTY(bool Checked READ checked WRITE setChecked)

public:
    // parent null: a title in the window's menu bar.
    Menu(Form *form, const QString &name, int index, QMenuBar *bar, Menu *parent);
    ~Menu() override;

    QString caption() const { return m_caption; }
    void setCaption(const QString &caption);
    bool checked() const { return m_checked; }
    void setChecked(bool checked);
    void setVisible(bool visible) override;
    void setEnabled(bool enabled) override;
    void applyTextScale(double scale) override;

    Menu *parentMenu() const { return m_parent; }
    QAction *action() const { return m_action; }
    // Programmatic trigger, as a click on the entry would do.
    void trigger();

private:
    void adopt(Menu *child);
    void applyState();
    QAction *makeLeafAction(QObject *owner);

    QMenuBar *m_bar;
    Menu *m_parent;
    QMenu *m_submenu = nullptr;
    QPointer<QAction> m_action;
    QString m_caption;
    bool m_checked = false;
};

} // namespace platform
