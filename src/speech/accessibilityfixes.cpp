#include "speech/accessibilityfixes.h"

#include "speech/lineeditaccessible.h"

#include <QAccessible>
#include <QApplication>
#include <QListView>
#include <QPointer>
#include <QTimer>

namespace {

// How long the focus report of an empty list waits for the list's first entry.
constexpr int kEmptyListWaitMs = 100;

// The handler installed before this one; it hands the events on to the platform bridge.
QAccessible::UpdateHandler s_nextHandler = nullptr;

// The entry as the number of its list's accessible child, or -1 when there is none.
int entryChild(QListView *list, const QModelIndex &index)
{
    QAccessibleInterface *listInterface = QAccessible::queryAccessibleInterface(list);
    QAccessibleTableInterface *table = listInterface ? listInterface->tableInterface() : nullptr;
    if (!index.isValid() || !table)
        return -1;
    QAccessibleInterface *entry = table->cellAt(index.row(), index.column());
    return entry ? listInterface->indexOfChild(entry) : -1;
}

// The list's current entry as the number of its accessible child, or -1 when it has none.
int currentEntryChild(QListView *list)
{
    return entryChild(list, list->currentIndex());
}

// Tells the screen reader that a list's current entry has the focus wherever Qt tells it that
// the list itself has.
//
// Told that a list has the focus, Orca says "list with 3 items" and not the entry the user is on,
// and it counts those items by asking the program for every entry and its role, two calls each:
// about half a millisecond per entry, half a second for a class of 1,000 participants, whenever
// the focus comes back to the list or a dialog opens with the list focused. An entry reported as
// focused is read with its position, which Orca takes from the entry itself in a long list.
//
// A list that takes the focus while it is empty is usually being filled (the participant list
// fills itself 25 ms after showing), so its report waits for the first current entry, and only if
// none comes is the empty list reported. Qt also reports a new current entry of a list that does
// not have the focus, such as the list of a dialog that is filled before it shows; those reports
// are dropped.
class ListFocusReports : public QObject
{
public:
    explicit ListFocusReports(QObject *parent) : QObject(parent)
    {
        m_wait.setSingleShot(true);
        m_wait.setInterval(kEmptyListWaitMs);
        connect(&m_wait, &QTimer::timeout, this, &ListFocusReports::reportWaitingList);
    }

    void handle(QAccessibleEvent *event)
    {
        auto *list = qobject_cast<QListView *>(event->object());
        if (!list || event->type() != QAccessible::Focus) {
            s_nextHandler(event);
            return;
        }
        if (event->child() >= 0) {
            if (!list->hasFocus())
                return;
            m_waitingList = nullptr;
            s_nextHandler(event);
            return;
        }
        // Qt also reports a widget that loses the focus; that report stays as it is.
        if (!list->hasFocus()) {
            s_nextHandler(event);
            return;
        }
        if (currentEntryChild(list) < 0) {
            m_waitingList = list;
            m_wait.start();
            return;
        }
        report(list);
    }

private:
    static void report(QListView *list)
    {
        QAccessibleEvent focus(list, QAccessible::Focus);
        focus.setChild(currentEntryChild(list));
        s_nextHandler(&focus);
    }

    void reportWaitingList()
    {
        QListView *list = m_waitingList;
        m_waitingList = nullptr;
        if (list && list->hasFocus())
            report(list);
    }

    QPointer<QListView> m_waitingList;
    QTimer m_wait;
};

QPointer<ListFocusReports> s_listFocusReports;

void listFocusHandler(QAccessibleEvent *event)
{
    if (s_listFocusReports)
        s_listFocusReports->handle(event);
    else
        s_nextHandler(event);
}

} // namespace

void reportEntryTextChanged(QListView *list, int row)
{
    if (!QAccessible::isActive())
        return;
    const int child = entryChild(list, list->model()->index(row, list->modelColumn()));
    if (child < 0)
        return;
    QAccessibleEvent event(list, QAccessible::NameChanged);
    event.setChild(child);
    QAccessible::updateAccessibility(&event);
}

void installAccessibilityFixes()
{
    installLineEditAccessibility();
    if (s_listFocusReports)
        return;
    s_listFocusReports = new ListFocusReports(qApp);
    s_nextHandler = QAccessible::installUpdateHandler(listFocusHandler);
}
