#include "speech/atspilistcache.h"

#include <QDBusMetaType>
#include <QTimer>

using namespace Qt::StringLiterals;

namespace {

const QString kCachePath = u"/org/a11y/atspi/cache"_s;
const QString kCacheInterface = u"org.a11y.atspi.Cache"_s;
const QString kObjectPathPrefix = u"/org/a11y/atspi/accessible/"_s;
const QString kRootPath = u"/org/a11y/atspi/accessible/root"_s;
const QString kNullPath = u"/org/a11y/atspi/null"_s;

// AT-SPI's numbers (at-spi2-core, atspi-constants.h) of the roles and states sent.
constexpr quint32 kRoleList = 31;
constexpr quint32 kRoleListItem = 32;

enum AtspiState {
    Active = 1,
    Busy = 3,
    Checked = 4,
    Collapsed = 5,
    Editable = 7,
    Enabled = 8,
    Expandable = 9,
    Expanded = 10,
    Focusable = 11,
    Focused = 12,
    Modal = 16,
    MultiLine = 17,
    Multiselectable = 18,
    Pressed = 20,
    Resizable = 21,
    Selectable = 22,
    Selected = 23,
    Sensitive = 24,
    Showing = 25,
    Visible = 30,
    Indeterminate = 32,
    Animated = 35,
    IsDefault = 39,
    Visited = 40,
    ReadOnly = 43,
};

// The AT-SPI states Qt 6.4's bridge reports for an object's states (spiStatesFromQState in
// qspi_constant_mappings.cpp), before it adds MANAGES_DESCENDANTS to a list and TRANSIENT to a
// list entry.
quint64 atspiStates(const QAccessible::State &state)
{
    quint64 states = 0;
    const auto set = [&states](bool on, AtspiState atspiState) {
        if (on)
            states |= quint64(1) << atspiState;
    };
    set(state.active, Active);
    set(state.editable, Editable);
    set(!state.disabled, Enabled);
    set(!state.disabled, Sensitive);
    set(state.selected, Selected);
    set(state.focused, Focused);
    set(state.pressed, Pressed);
    set(state.checked, Checked);
    set(state.checkStateMixed, Indeterminate);
    set(state.readOnly, ReadOnly);
    set(state.defaultButton, IsDefault);
    set(state.expandable, Expandable);
    set(state.expanded, Expanded);
    set(state.collapsed, Collapsed);
    set(state.busy, Busy);
    set(state.marqueed || state.animated, Animated);
    set(!state.invisible && !state.offscreen, Showing);
    set(!state.invisible && !state.offscreen, Visible);
    set(state.sizeable, Resizable);
    set(state.focusable, Focusable);
    set(state.selectable || state.extSelectable, Selectable);
    set(state.traversed, Visited);
    set(state.multiSelectable, Multiselectable);
    set(state.modal, Modal);
    set(state.multiLine, MultiLine);
    return states;
}

// The AT-SPI interfaces Qt's bridge names for a list or a list entry (accessibleInterfaces in
// atspiadaptor.cpp): both offer Component, a list widget and an entry alike.
QStringList atspiInterfaces(QAccessibleInterface *object)
{
    QStringList interfaces{u"org.a11y.atspi.Accessible"_s, u"org.a11y.atspi.Component"_s};
    if (object->actionInterface() || object->valueInterface())
        interfaces << u"org.a11y.atspi.Action"_s;
    if (object->textInterface())
        interfaces << u"org.a11y.atspi.Text"_s;
    if (object->editableTextInterface())
        interfaces << u"org.a11y.atspi.EditableText"_s;
    if (object->valueInterface())
        interfaces << u"org.a11y.atspi.Value"_s;
    if (object->tableInterface())
        interfaces << u"org.a11y.atspi.Table"_s;
    return interfaces;
}

QString objectPath(QAccessible::Id id)
{
    return kObjectPathPrefix + QString::number(id);
}

// The path Qt's bridge gives an object (pathForInterface, and "GetParent" for the application).
QString objectPath(QAccessibleInterface *object)
{
    if (!object || !object->isValid())
        return kNullPath;
    if (object->role() == QAccessible::Application)
        return kRootPath;
    return objectPath(QAccessible::uniqueId(object));
}

// The list of entries an event is about, or nullptr.
QAccessibleInterface *listOf(QAccessibleEvent *event)
{
    QAccessibleInterface *list
        = event->object() ? QAccessible::queryAccessibleInterface(event->object()) : nullptr;
    return list && list->role() == QAccessible::List && list->tableInterface() ? list : nullptr;
}

} // namespace

QDBusArgument &operator<<(QDBusArgument &argument, const AtspiObjectReference &reference)
{
    argument.beginStructure();
    argument << reference.service << reference.path;
    argument.endStructure();
    return argument;
}

const QDBusArgument &operator>>(const QDBusArgument &argument, AtspiObjectReference &reference)
{
    argument.beginStructure();
    argument >> reference.service >> reference.path;
    argument.endStructure();
    return argument;
}

QDBusArgument &operator<<(QDBusArgument &argument, const AtspiCacheItem &item)
{
    argument.beginStructure();
    argument << item.object << item.application << item.parent << item.indexInParent
             << item.childCount << item.interfaces << item.name << item.role << item.description
             << item.states;
    argument.endStructure();
    return argument;
}

const QDBusArgument &operator>>(const QDBusArgument &argument, AtspiCacheItem &item)
{
    argument.beginStructure();
    argument >> item.object >> item.application >> item.parent >> item.indexInParent
        >> item.childCount >> item.interfaces >> item.name >> item.role >> item.description
        >> item.states;
    argument.endStructure();
    return argument;
}

AtspiListCache::AtspiListCache(const QString &service, Sender send, QObject *parent)
    : QObject(parent)
    , m_service(service)
    , m_send(std::move(send))
    , m_application{service, QDBusObjectPath(kRootPath)}
{
    qDBusRegisterMetaType<AtspiObjectReference>();
    qDBusRegisterMetaType<AtspiCacheItem>();
}

void AtspiListCache::update(QAccessibleEvent *event)
{
    switch (event->type()) {
    case QAccessible::TableModelChanged:
        if (QAccessibleInterface *list = listOf(event))
            entriesChanged(list, static_cast<QAccessibleTableModelChangeEvent *>(event));
        return;
    case QAccessible::Focus:
        if (QAccessibleInterface *list = listOf(event); list && event->child() >= 0) {
            const auto published = m_published.find(QAccessible::uniqueId(list));
            if (published == m_published.end() || published->entries.size() != list->childCount())
                publish(list);
            else
                refreshEntries(list, *published);
        }
        refreshLists();
        return;
    case QAccessible::ObjectShow:
    case QAccessible::ObjectHide:
    case QAccessible::StateChanged:
        refreshLists();
        return;
    default:
        return;
    }
}

void AtspiListCache::entriesChanged(
    QAccessibleInterface *list, QAccessibleTableModelChangeEvent *event)
{
    const auto published = m_published.find(QAccessible::uniqueId(list));
    if (event->modelChangeType() == QAccessibleTableModelChangeEvent::DataChanged) {
        if (published == m_published.end())
            return;
        const qsizetype sent = published->entries.size();
        const qsizetype last
            = event->lastRow() < 0 ? sent - 1 : qMin<qsizetype>(sent - 1, event->lastRow());
        for (qsizetype row = qMax(0, event->firstRow()); row <= last; ++row)
            sendEntry(list, *published, int(row));
        return;
    }
    if (published != m_published.end()) {
        // Qt has already dropped the entries that are gone; the others may have moved.
        for (const QAccessible::Id entry : std::as_const(published->entries)) {
            if (!QAccessible::accessibleInterface(entry))
                sendRemoval(entry);
        }
        published->entries.clear();
        published->entryStates.clear();
        // Without entries, libatspi forgets the places of those it holds; then it gets empty
        // places for the entries as they are now, and asks the program for them.
        sendList(list, *published, 0);
        if (list->childCount() > 0)
            sendList(list, *published, list->childCount());
    }
    publishWhenShown(list);
}

void AtspiListCache::publishWhenShown(QAccessibleInterface *list)
{
    // After the change that is under way, such as a fill, has ended.
    QTimer::singleShot(0, this, [this, view = QPointer<QObject>(list->object())] {
        QAccessibleInterface *list = view ? QAccessible::queryAccessibleInterface(view) : nullptr;
        if (!list || list->state().invisible)
            return;
        const auto published = m_published.constFind(QAccessible::uniqueId(list));
        if (published == m_published.cend() || published->entries.size() != list->childCount())
            publish(list);
    });
}

void AtspiListCache::publish(QAccessibleInterface *list)
{
    Published &published = m_published[QAccessible::uniqueId(list)];
    published.view = list->object();
    const int count = list->childCount();
    published.entries.resize(count);
    published.entryStates.resize(count);
    // The entries first: the list's children count as known only once the list itself comes.
    for (int row = 0; row < count; ++row)
        sendEntry(list, published, row);
    sendList(list, published, count);
}

void AtspiListCache::refreshEntries(QAccessibleInterface *list, Published &published)
{
    for (int row = 0; row < published.entries.size(); ++row) {
        if (atspiStates(list->child(row)->state()) != published.entryStates.at(row))
            sendEntry(list, published, row);
    }
}

void AtspiListCache::refreshLists()
{
    for (auto published = m_published.begin(); published != m_published.end();) {
        QAccessibleInterface *list
            = published->view ? QAccessible::queryAccessibleInterface(published->view) : nullptr;
        if (!list) {
            published = m_published.erase(published);
            continue;
        }
        if (atspiStates(list->state()) != published->states)
            sendList(list, *published, list->childCount());
        ++published;
    }
}

void AtspiListCache::sendList(QAccessibleInterface *list, Published &published, int childCount)
{
    published.states = atspiStates(list->state());
    // A list is not placed among its window's children, which libatspi does not hold.
    sendObject(list, -1, childCount, published.states);
}

void AtspiListCache::sendEntry(QAccessibleInterface *list, Published &published, int row)
{
    QAccessibleInterface *entry = list->child(row);
    published.entries[row] = QAccessible::uniqueId(entry);
    published.entryStates[row] = atspiStates(entry->state());
    sendObject(entry, row, entry->childCount(), published.entryStates.at(row));
}

void AtspiListCache::sendObject(
    QAccessibleInterface *object, int indexInParent, int childCount, quint64 states)
{
    AtspiCacheItem item;
    item.object = {m_service, QDBusObjectPath(objectPath(object))};
    item.application = m_application;
    item.parent = {m_service, QDBusObjectPath(objectPath(object->parent()))};
    item.indexInParent = indexInParent;
    item.childCount = childCount;
    item.interfaces = atspiInterfaces(object);
    item.name = object->text(QAccessible::Name);
    item.role = object->role() == QAccessible::List ? kRoleList : kRoleListItem;
    item.description = object->text(QAccessible::Description);
    item.states = {quint32(states), quint32(states >> 32)};
    QDBusMessage message
        = QDBusMessage::createSignal(kCachePath, kCacheInterface, u"AddAccessible"_s);
    message << QVariant::fromValue(item);
    m_send(message);
}

void AtspiListCache::sendRemoval(QAccessible::Id entry)
{
    QDBusMessage message
        = QDBusMessage::createSignal(kCachePath, kCacheInterface, u"RemoveAccessible"_s);
    message << QVariant::fromValue(
        AtspiObjectReference{m_service, QDBusObjectPath(objectPath(entry))});
    m_send(message);
}
