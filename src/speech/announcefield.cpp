#include "speech/announcefield.h"

#include "speech/screenreaderfront.h"

#include <QAccessible>
#include <QApplication>
#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QPointer>
#include <QTimer>

namespace {

bool isWithin(const QWidget *area, const QWidget *widget)
{
    return widget && (widget == area || area->isAncestorOf(widget));
}

// Runs announce each time the focus moves into the area from outside it, or from no focus at
// all, as when the area's window becomes active again. The announcement waits until the event
// that moved the focus is handled and is dropped when the focus has left the area by then: a
// field the focus only passes through, on its way into a dialog that opens at once, is not
// announced.
template<typename Announce>
void onFocusEntering(QWidget *area, Announce announce)
{
    QObject::connect(
        qApp, &QApplication::focusChanged, area, [area, announce](QWidget *old, QWidget *now) {
            if (!isWithin(area, now) || isWithin(area, old))
                return;
            QTimer::singleShot(0, area, [area, announce] {
                if (isWithin(area, QApplication::focusWidget()))
                    announce();
            });
        });
}

std::optional<bool> &readsNamesOverride()
{
    static std::optional<bool> answer;
    return answer;
}

// Keeps a field's accessible name equal to its label's text without ampersands. QLabel tells
// nobody when its text changes, but a rewritten label that can be seen is repainted, so the name
// is brought up to date on each paint of the label, and again whenever the field takes the
// focus, before a screen reader asks for it.
class LabelCaption : public QObject
{
public:
    LabelCaption(QWidget *field, QLabel *label) : QObject(field), m_field(field), m_label(label)
    {
        label->installEventFilter(this);
        field->installEventFilter(this);
        update();
    }

    QString text() const { return m_label ? withoutAmpersands(m_label->text()) : QString(); }

    void update()
    {
        const QString name = text();
        if (m_field->accessibleName() != name)
            m_field->setAccessibleName(name);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if ((watched == m_label && event->type() == QEvent::Paint)
            || (watched == m_field && event->type() == QEvent::FocusIn))
            update();
        return false;
    }

private:
    QWidget *m_field;
    QPointer<QLabel> m_label;
};

} // namespace

bool screenReaderReadsNames()
{
    return readsNamesOverride().value_or(QAccessible::isActive());
}

void setScreenReaderReadsNamesForTesting(std::optional<bool> answer)
{
    readsNamesOverride() = answer;
}

void announceField(QWidget *field, QLabel *label, ScreenReaderFront *front)
{
    label->setBuddy(field);
    auto *caption = new LabelCaption(field, label);
    onFocusEntering(field, [caption, front] {
        if (!screenReaderReadsNames())
            front->output(caption->text(), false);
    });
}

void announceGroup(QGroupBox *group, ScreenReaderFront *front)
{
    onFocusEntering(group, [group, front] {
        if (!screenReaderReadsNames())
            front->output(withoutAmpersands(group->title()), false);
    });
}
