#include "app/handoverdelivery.h"

#include <QCoreApplication>
#include <QObject>

struct HandOverDelivery::Platform
{
    QObject *context;
    HandOverHandlers handlers;
};

HandOverDelivery::HandOverDelivery(QObject *context, HandOverHandlers handlers)
    : m_platform(new Platform{context, std::move(handlers)})
{ }

HandOverDelivery::~HandOverDelivery() = default;

void HandOverDelivery::deliver(HandOverKind kind, const QString &parameters)
{
    const HandOverHandlers &handlers = m_platform->handlers;
    std::function<void()> call;
    switch (kind) {
    case HandOverKind::Parameters:
        if (handlers.parameters)
            call = [&handlers, &parameters] {
                handlers.parameters(parameters);
            };
        break;
    case HandOverKind::SetFocus:
        call = handlers.setFocus;
        break;
    case HandOverKind::Close:
        call = handlers.close;
        break;
    }
    if (call)
        QMetaObject::invokeMethod(m_platform->context, call, Qt::BlockingQueuedConnection);
}

void HandOverDelivery::handleWaiting()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::MetaCall);
}
