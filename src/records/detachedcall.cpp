#include "records/detachedcall.h"

#include <memory>
#include <mutex>
#include <thread>

namespace {

// Where the thread leaves its result. The receiver's destruction clears it under the mutex, so
// the thread either posts before the receiver has gone (and Qt drops what is posted to a destroyed
// object) or finds it gone.
struct HandOver
{
    std::mutex mutex;
    QObject *receiver = nullptr;
    QMetaObject::Connection watch;
};

} // namespace

void detail::startDetached(QObject *receiver, std::function<std::function<void()>()> work)
{
    auto handOver = std::make_shared<HandOver>();
    handOver->receiver = receiver;
    handOver->watch
        = QObject::connect(receiver, &QObject::destroyed, [weak = std::weak_ptr(handOver)] {
              if (const auto shared = weak.lock()) {
                  const std::lock_guard lock(shared->mutex);
                  shared->receiver = nullptr;
              }
          });
    std::thread([handOver, work = std::move(work)] {
        const std::function<void()> deliver = work();
        const std::lock_guard lock(handOver->mutex);
        if (!handOver->receiver)
            return;
        QMetaObject::invokeMethod(
            handOver->receiver,
            [handOver, deliver] {
                QObject::disconnect(handOver->watch);
                deliver();
            },
            Qt::QueuedConnection);
    }).detach();
}
