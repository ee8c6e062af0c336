#include "speech/announcefield.h"

#include "speech/screenreaderfront.h"

#include <QApplication>
#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QPointer>

namespace {

bool isWithin(const QWidget *area, const QWidget *widget)
{
    return widget && (widget == area || area->isAncestorOf(widget));
}

// Runs announce each time the focus moves into the area from outside it, or from no focus at
// all, as when the area's window becomes active again.
template<typename Announce>
void onFocusEntering(QWidget *area, Announce announce)
{
    QObject::connect(
        qApp, &QApplication::focusChanged, area, [area, announce](QWidget *old, QWidget *now) {
            if (isWithin(area, now) && !isWithin(area, old))
                announce();
        });
}

// Keeps a field's accessible name equal to its label's text without ampersands. QLabel tells
// nobody when its text changes, but a rewritten label that can be seen is repainted, so the name
// is brought up to date on each paint of the label, and again before each announcement.
class LabelCaption : public QObject
{
public:
    LabelCaption(QWidget *field, QLabel *label) : QObject(field), m_field(field), m_label(label)
    {
        label->installEventFilter(this);
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
        if (watched == m_label && event->type() == QEvent::Paint)
            update();
        return false;
    }

private:
    QWidget *m_field;
    QPointer<QLabel> m_label;
};

} // namespace

void announceField(QWidget *field, QLabel *label, ScreenReaderFront *front)
{
    label->setBuddy(field);
    auto *caption = new LabelCaption(field, label);
    onFocusEntering(field, [caption, front] {
        caption->update();
        front->output(caption->text(), false);
    });
}

void announceGroup(QGroupBox *group, ScreenReaderFront *front)
{
    onFocusEntering(
        group, [group, front] { front->output(withoutAmpersands(group->title()), false); });
}
