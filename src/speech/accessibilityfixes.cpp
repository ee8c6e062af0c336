#include "speech/accessibilityfixes.h"

#include "speech/lineeditaccessible.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QApplication>

namespace {

void reportCurrentItemAsFocused(QAbstractItemView *view)
{
    const QModelIndex current = view->currentIndex();
    if (!view->hasFocus() || !current.isValid())
        return;
    QAccessibleInterface *viewInterface = QAccessible::queryAccessibleInterface(view);
    QAccessibleTableInterface *table = viewInterface ? viewInterface->tableInterface() : nullptr;
    QAccessibleInterface *cell = table ? table->cellAt(current.row(), current.column()) : nullptr;
    if (!cell)
        return;
    QAccessibleEvent event(view, QAccessible::Focus);
    event.setChild(viewInterface->indexOfChild(cell));
    QAccessible::updateAccessibility(&event);
}

class AccessibilityFixes : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        // The view's own focus report follows its focus-in event, so the entry's comes after.
        if (event->type() == QEvent::FocusIn) {
            if (auto *view = qobject_cast<QAbstractItemView *>(watched)) {
                QMetaObject::invokeMethod(
                    view, [view] { reportCurrentItemAsFocused(view); }, Qt::QueuedConnection);
            }
        }
        return false;
    }
};

} // namespace

void installAccessibilityFixes()
{
    installLineEditAccessibility();
    qApp->installEventFilter(new AccessibilityFixes(qApp));
}
