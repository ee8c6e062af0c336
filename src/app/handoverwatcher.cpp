#include "app/handoverwatcher.h"

#include "records/dayformat.h"

#include <QDeadlineTimer>

namespace {

constexpr int kSliceMilliseconds = 25;
constexpr int kSlicesPerPause = 4;

} // namespace

HandOverWatcher::HandOverWatcher(HandOverStore store, QObject *context, HandOverHandlers handlers)
    : m_store(std::move(store)), m_context(context), m_delivery(context, std::move(handlers))
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
        m_delivery.handleWaiting();
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
        if (!parameters.isEmpty())
            m_delivery.deliver(HandOverKind::Parameters, parameters);
    } else if (!request.setFocus.isEmpty()) {
        m_delivery.deliver(HandOverKind::SetFocus, QString());
    } else if (!request.close.isEmpty()) {
        m_delivery.deliver(HandOverKind::Close, QString());
    }
}
