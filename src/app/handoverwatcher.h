#ifndef TESSARO_APP_HANDOVERWATCHER_H
#define TESSARO_APP_HANDOVERWATCHER_H

#include "app/handoverdelivery.h"
#include "app/handoverstore.h"

#include <QThread>

// The thread that polls the hand-over store about every 100 ms and hands each request to the
// thread of the context object (the user-interface thread), waiting until it is handled. Of one
// request only the first non-empty field acts: parameters, else coming to the front, else
// closing; the others were consumed with it. After a handled request the next poll waits
// another 100 ms.
class HandOverWatcher : public QThread
{
public:
    HandOverWatcher(HandOverStore store, QObject *context, HandOverHandlers handlers);
    ~HandOverWatcher() override;

    // Consumes a request left from earlier without acting on it, then starts polling. The
    // leftover is consumed before this returns, so a request written afterwards is not lost.
    void startWatching();
    // Asks the thread to end and waits until it has. Meanwhile it hands over what the thread
    // delivers, since the thread may be waiting for exactly that: the two never wait for each
    // other. A request consumed in the last pass is still delivered. Called on the context's
    // thread.
    void stopWatching();

protected:
    void run() override;

private:
    // Sleeps 100 ms in slices of 25 ms, ending early when the thread is asked to end.
    void pause();
    void deliver(const HandOverRequest &request);

    HandOverStore m_store;
    QObject *m_context;
    HandOverDelivery m_delivery;
};

#endif
