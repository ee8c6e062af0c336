#include "ui/radiogroup.h"

#include <QAbstractButton>
#include <QAccessibleWidget>
#include <QButtonGroup>
#include <QGroupBox>
#include <QKeyEvent>
#include <QVBoxLayout>

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

constexpr char kChoicesAreaName[] = "choicesArea";

// Qt would give the area the group box's title as its name.
class NamelessAccessible : public QAccessibleWidget
{
public:
    explicit NamelessAccessible(QWidget *widget) : QAccessibleWidget(widget) { }

    QString text(QAccessible::Text t) const override
    {
        return t == QAccessible::Name ? QString() : QAccessibleWidget::text(t);
    }
};

QAccessibleInterface *choicesAreaFactory(const QString &, QObject *object)
{
    if (object && object->isWidgetType()
        && object->objectName() == QLatin1StringView(kChoicesAreaName)
        && qobject_cast<QGroupBox *>(object->parent()))
        return new NamelessAccessible(static_cast<QWidget *>(object));
    return nullptr;
}

} // namespace

QWidget *addChoicesArea(QGroupBox *group)
{
    static const bool installed = [] {
        QAccessible::installFactory(choicesAreaFactory);
        return true;
    }();
    Q_UNUSED(installed);
    auto *area = new QWidget(group);
    area->setObjectName(QLatin1StringView(kChoicesAreaName));
    (new QVBoxLayout(group))->addWidget(area);
    return area;
}

void makeKeyboardRadioGroup(QButtonGroup *group)
{
    new RadioGroupKeys(group);
}
