#include "speech/accessibilityfixes.h"

#include "speech/lineeditaccessible.h"
#include "speech/listcache.h"

#include <QAccessible>
#include <QApplication>
#include <QLineEdit>
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

// Hands an event on to the platform bridge, after what the screen reader holds of the lists is
// brought up to date with it, and remembers the object last reported as focused.
class Bridge
{
public:
    void send(QAccessibleEvent *event)
    {
        if (event->type() == QAccessible::Focus)
            m_reportedFocus = event->object();
        updateListCache(event);
        s_nextHandler(event);
    }

    QObject *reportedFocus() const { return m_reportedFocus; }

private:
    QPointer<QObject> m_reportedFocus;
};

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
    ListFocusReports(Bridge *bridge, QObject *parent) : QObject(parent), m_bridge(bridge)
    {
        m_wait.setSingleShot(true);
        m_wait.setInterval(kEmptyListWaitMs);
        connect(&m_wait, &QTimer::timeout, this, &ListFocusReports::reportWaitingList);
    }

    // Handles the focus reports of a list; false for every other event.
    bool handle(QAccessibleEvent *event)
    {
        auto *list = qobject_cast<QListView *>(event->object());
        if (!list || event->type() != QAccessible::Focus)
            return false;
        if (event->child() >= 0) {
            if (list->hasFocus()) {
                m_waitingList = nullptr;
                m_bridge->send(event);
            }
            return true;
        }
        // Qt also reports a widget that loses the focus; that report stays as it is.
        if (!list->hasFocus()) {
            m_bridge->send(event);
            return true;
        }
        if (currentEntryChild(list) < 0) {
            m_waitingList = list;
            m_wait.start();
            return true;
        }
        report(list);
        return true;
    }

private:
    void report(QListView *list)
    {
        QAccessibleEvent focus(list, QAccessible::Focus);
        focus.setChild(currentEntryChild(list));
        m_bridge->send(&focus);
    }

    void reportWaitingList()
    {
        QListView *list = m_waitingList;
        m_waitingList = nullptr;
        if (list && list->hasFocus())
            report(list);
    }

    Bridge *m_bridge;
    QPointer<QListView> m_waitingList;
    QTimer m_wait;
};

// The line edit the program is writing into (ProgramTextChange), if any.
QPointer<QLineEdit> s_programWrites;

// Keeps what happens to a line edit's text around a focus change, and what the program writes
// into the focused line edit, from being read as news.
//
// Orca reads a field with its value and selection when the field is reported focused, and it
// reads every change of the text, the selection and the caret of the field it last read. Qt
// reports more than the user caused: the field that loses the focus reports its selection removed
// ("Text unselected."), the field that takes it reports its text selected before it reports the
// focus (the value and "selected", then the field again), and a text the program writes into the
// focused field is reported as deleted and inserted, which Orca reads as typed after a command
// key (the value twice after opening a participant, "blank" or a letter after a day change).
//
// So the selection and caret of a line edit are reported only while it holds the focus and that
// focus has been reported. A text the program writes is not reported as typed: into the field
// with the reported focus, as an empty deletion, which makes Orca show the new text on the
// Braille display without saying anything; into any other field, not at all, since a field is
// read whole when it gets the focus. Orca takes a field whose window is about to become active
// for the focused one as soon as the dialog it read closes, so that case is the same. The focus
// report, or the program's own announcement of what changed, says what the user needs to hear.
class LineEditReports : public QObject
{
public:
    LineEditReports(Bridge *bridge, QObject *parent) : QObject(parent), m_bridge(bridge) { }

    // Handles the text reports of a line edit; false for every other event.
    bool handle(QAccessibleEvent *event)
    {
        auto *edit = qobject_cast<QLineEdit *>(event->object());
        if (!edit)
            return false;
        const bool focusReported = edit->hasFocus() && m_bridge->reportedFocus() == edit;
        const bool programWrites = edit == s_programWrites;
        switch (event->type()) {
        case QAccessible::TextUpdated:
        case QAccessible::TextInserted:
        case QAccessible::TextRemoved:
            if (!programWrites) {
                m_bridge->send(event);
            } else if (focusReported) {
                QAccessibleTextRemoveEvent refresh(edit, 0, QString());
                m_bridge->send(&refresh);
            }
            return true;
        case QAccessible::TextSelectionChanged:
        case QAccessible::TextCaretMoved:
            if (focusReported && !programWrites)
                m_bridge->send(event);
            return true;
        default:
            return false;
        }
    }

private:
    Bridge *m_bridge;
};

struct Fixes
{
    Bridge bridge;
    // Both end with the application object; the bridge goes on.
    QPointer<ListFocusReports> listFocus;
    QPointer<LineEditReports> lineEdits;
};

Fixes *s_fixes = nullptr;

void fixedUpdateHandler(QAccessibleEvent *event)
{
    if (s_fixes->listFocus && s_fixes->listFocus->handle(event))
        return;
    if (s_fixes->lineEdits && s_fixes->lineEdits->handle(event))
        return;
    s_fixes->bridge.send(event);
}

} // namespace

ProgramTextChange::ProgramTextChange(QLineEdit *edit) : m_previous(s_programWrites)
{
    s_programWrites = edit;
}

ProgramTextChange::~ProgramTextChange()
{
    s_programWrites = m_previous;
}

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
    if (s_fixes)
        return;
    // Lives as long as the process: Qt may report events until the very end.
    s_fixes = new Fixes;
    s_fixes->listFocus = new ListFocusReports(&s_fixes->bridge, qApp);
    s_fixes->lineEdits = new LineEditReports(&s_fixes->bridge, qApp);
    s_nextHandler = QAccessible::installUpdateHandler(fixedUpdateHandler);
}
