#include "app/handoverwatcher.h"

#include "records/dayformat.h"

#include <QCoreApplication>
#include <QDeadlineTimer>

namespace {

constexpr int kSliceMilliseconds = 25;
constexpr int kSlicesPerPause = 4;

} // namespace

HandOverWatcher::HandOverWatcher(HandOverStore store, QObject *context, HandOverHandlers handlers)
    : m_store(std::move(store)), m_context(context), m_handlers(std::move(handlers))
{ }

HandOverWatcher::~HandOverWatcher()
{
    stopWatching();
}

void HandOverWatcher::startWatching()
{
    m_store.take();
    start();
}

void HandOverWatcher::stopWatching()
{
    Q_ASSERT(QThread::currentThread() == m_context->thread());
    requestInterruption();
    while (!wait(QDeadlineTimer(5)))
        QCoreApplication::sendPostedEvents(nullptr, QEvent::MetaCall);
}

void HandOverWatcher::run()
{
    while (!isInterruptionRequested()) {
        pause();
        const std::optional<HandOverRequest> request = m_store.take();
        if (!request)
            continue;
        deliver(*request);
        pause();
    }
}

void HandOverWatcher::pause()
{
    for (int slice = 0; slice < kSlicesPerPause && !isInterruptionRequested(); ++slice)
        QThread::msleep(kSliceMilliseconds);
}

void HandOverWatcher::deliver(const HandOverRequest &request)
{
    if (!request.parameters.isEmpty()) {
        const QString parameters = trimmedText(request.parameters);
        if (!parameters.isEmpty() && m_handlers.parameters)
            handOver([this, &parameters] { m_handlers.parameters(parameters); });
    } else if (!request.setFocus.isEmpty()) {
        if (m_handlers.setFocus)
            handOver(m_handlers.setFocus);
    } else if (!request.close.isEmpty() && m_handlers.close) {
        handOver(m_handlers.close);
    }
}

void HandOverWatcher::handOver(const std::function<void()> &call)
{
    QMetaObject::invokeMethod(m_context, call, Qt::BlockingQueuedConnection);
}
