#include "speech/listcache.h"

#include "speech/atspilistcache.h"

#include <QCoreApplication>
#include <QDBusConnection>

using namespace Qt::StringLiterals;

void updateListCache(QAccessibleEvent *event)
{
    // Lives as long as the application object.
    static QPointer<AtspiListCache> cache;
    if (!cache) {
        // The name under which Qt 6.4's bridge opens its connection to the accessibility bus
        // (src/gui/accessible/linux/dbusconnection.cpp). Sent on that connection, the cache
        // signals reach the screen reader before the events the bridge sends after them.
        const QDBusConnection connection(u"a11y"_s);
        if (!connection.isConnected())
            return;
        cache = new AtspiListCache(
            connection.baseService(),
            [connection](const QDBusMessage &message) { connection.send(message); }, qApp);
    }
    cache->update(event);
}
