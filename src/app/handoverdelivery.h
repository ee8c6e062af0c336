#ifndef TESSARO_APP_HANDOVERDELIVERY_H
#define TESSARO_APP_HANDOVERDELIVERY_H

#include <QString>

#include <functional>
#include <memory>

class QObject;

// What the running copy does with each kind of request.
struct HandOverHandlers
{
    std::function<void(const QString &parameters)> parameters;
    std::function<void()> setFocus;
    std::function<void()> close;
};

enum class HandOverKind { Parameters, SetFocus, Close };

// How the watcher thread hands a request to the user-interface thread and waits until it is
// handled. Linux: a blocking queued call of the handler. Windows: the window messages a running
// copy has always taken, sent to the context's window and waited for: WM_COPYDATA with the
// parameters (which the window does not handle), 1224 to come to the front and 1124 to close; the
// window hands those two to their handlers, whoever sent them.
class HandOverDelivery
{
public:
    // Created on the context's thread; on Windows the context is the main window, shown.
    HandOverDelivery(QObject *context, HandOverHandlers handlers);
    ~HandOverDelivery();
    HandOverDelivery(const HandOverDelivery &) = delete;
    HandOverDelivery &operator=(const HandOverDelivery &) = delete;

    // Called on the watcher thread.
    void deliver(HandOverKind kind, const QString &parameters);
    // Called on the context's thread while it waits for the watcher: handles a delivery that
    // waits for it.
    void handleWaiting();

private:
    struct Platform;
    std::unique_ptr<Platform> m_platform;
};

#endif
