#include "ui/radiogroup.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QKeyEvent>

namespace {

class RadioGroupKeys : public QObject
{
public:
    explicit RadioGroupKeys(QButtonGroup *group) : QObject(group), m_group(group)
    {
        for (QAbstractButton *button : group->buttons())
            button->installEventFilter(this);
        connect(group, &QButtonGroup::buttonToggled, this, &RadioGroupKeys::updateTabStop);
        updateTabStop();
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() != QEvent::KeyPress)
            return false;
        const auto *key = static_cast<QKeyEvent *>(event);
        if (key->modifiers() & ~Qt::KeypadModifier)
            return false;
        int step = 0;
        if (key->key() == Qt::Key_Left || key->key() == Qt::Key_Up)
            step = -1;
        else if (key->key() == Qt::Key_Right || key->key() == Qt::Key_Down)
            step = 1;
        if (step == 0)
            return false;
        const QList<QAbstractButton *> buttons = m_group->buttons();
        const qsizetype count = buttons.size();
        const qsizetype from = buttons.indexOf(static_cast<QAbstractButton *>(watched));
        for (qsizetype offset = 1; offset < count; ++offset) {
            QAbstractButton *next = buttons.at((from + step * offset + count * count) % count);
            if (next->isEnabled() && next->isVisible()) {
                next->click();
                next->setFocus(step < 0 ? Qt::BacktabFocusReason : Qt::TabFocusReason);
                break;
            }
        }
        return true;
    }

private:
    // Only the checked choice stands in the tab chain; the first one while none is checked.
    void updateTabStop()
    {
        const QList<QAbstractButton *> buttons = m_group->buttons();
        const QAbstractButton *stop = m_group->checkedButton();
        if (!stop && !buttons.isEmpty())
            stop = buttons.first();
        for (QAbstractButton *button : buttons) {
            const Qt::FocusPolicy policy = button->focusPolicy();
            button->setFocusPolicy(button == stop ? Qt::FocusPolicy(policy | Qt::TabFocus)
                                                  : Qt::FocusPolicy(policy & ~Qt::TabFocus));
        }
    }

    QButtonGroup *m_group;
};

} // namespace

void makeKeyboardRadioGroup(QButtonGroup *group)
{
    new RadioGroupKeys(group);
}
