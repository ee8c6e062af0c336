#ifndef TESSARO_SPEECH_ATSPILISTCACHE_H
#define TESSARO_SPEECH_ATSPILISTCACHE_H

#include <QAccessible>
#include <QDBusArgument>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QHash>
#include <QList>
#include <QObject>
#include <QPointer>

#include <functional>

// An object on the accessibility bus: the program's name there and the object's path ("(so)").
struct AtspiObjectReference
{
    QString service;
    QDBusObjectPath path;
};

// One object as the cache signal "AddAccessible" carries it ("((so)(so)(so)iiassusau)"): the
// object, its application and its parent, its position among the parent's children (-1: not
// told), the number of its children, its AT-SPI interfaces, name, role, description and states
// (low and high 32 bits).
struct AtspiCacheItem
{
    AtspiObjectReference object;
    AtspiObjectReference application;
    AtspiObjectReference parent;
    int indexInParent = -1;
    int childCount = 0;
    QStringList interfaces;
    QString name;
    quint32 role = 0;
    QString description;
    QList<quint32> states;
};

QDBusArgument &operator<<(QDBusArgument &argument, const AtspiObjectReference &reference);
const QDBusArgument &operator>>(const QDBusArgument &argument, AtspiObjectReference &reference);
QDBusArgument &operator<<(QDBusArgument &argument, const AtspiCacheItem &item);
const QDBusArgument &operator>>(const QDBusArgument &argument, AtspiCacheItem &item);

// The copy of the program's lists that libatspi keeps inside the screen reader, filled through
// AT-SPI's cache signals ("org.a11y.atspi.Cache").
//
// What libatspi (at-spi2-core 2.46) makes of them: an object sent with "AddAccessible" answers its
// name, role, description, states, interfaces and parent from that copy, and its children unless
// it manages its descendants, for as long as its states do not hold TRANSIENT; a child missing
// from the copy is asked for. The events the program reports update the states and drop a
// changed name. An object sent with "RemoveAccessible" is defunct. Objects are named by the
// program's name on the bus and their paths, whoever sends the signal; the program sends them
// on Qt's own connection, so they arrive before the events it reports next. Qt 6.4 sends neither
// signal and marks every list entry TRANSIENT and every list MANAGES_DESCENDANTS, so libatspi
// asks the program for everything, one call over the bus each.
//
// A shown list is published with its entries: the entries without TRANSIENT, the list without
// MANAGES_DESCENDANTS, everything else as Qt reports it. So that the copy never says what Qt
// would not:
// - a list is published once its entries have changed (Qt reports that as a table model
//   change), at the latest before the focus is reported in it;
// - when the entries of a published list change, its copy loses them at once: the entries Qt
//   has dropped are removed, and the list is sent with empty places for its entries as they are
//   now, for which libatspi asks the program; an entry whose text changed is sent again;
// - before each focus report, and each report of a shown, hidden or changed object, the states
//   of the published lists are compared with Qt's; before a focus report in a list also those
//   of its entries, which scrolling shows and hides without a report. What differs is sent again.
class AtspiListCache : public QObject
{
public:
    using Sender = std::function<void(const QDBusMessage &)>;

    // service: the program's unique name on the accessibility bus; send puts a signal on the
    // connection with that name.
    AtspiListCache(const QString &service, Sender send, QObject *parent = nullptr);

    // To be called with every event before the platform bridge sends it.
    void update(QAccessibleEvent *event);

private:
    struct Published
    {
        QPointer<QObject> view;
        // The states last sent, of the list and of the entries sent, by their position. Empty
        // while the list's copy lacks its entries.
        quint64 states = 0;
        QList<QAccessible::Id> entries;
        QList<quint64> entryStates;
    };

    void entriesChanged(QAccessibleInterface *list, QAccessibleTableModelChangeEvent *event);
    void publishWhenShown(QAccessibleInterface *list);
    void publish(QAccessibleInterface *list);
    void refreshEntries(QAccessibleInterface *list, Published &published);
    void refreshLists();
    void sendList(QAccessibleInterface *list, Published &published, int childCount);
    void sendEntry(QAccessibleInterface *list, Published &published, int row);
    void sendObject(
        QAccessibleInterface *object, int indexInParent, int childCount, quint64 states);
    void sendRemoval(QAccessible::Id entry);

    QString m_service;
    Sender m_send;
    AtspiObjectReference m_application;
    QHash<QAccessible::Id, Published> m_published;
};

#endif
