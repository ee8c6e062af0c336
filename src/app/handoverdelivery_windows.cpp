#include "app/handoverdelivery.h"

#include <QAbstractNativeEventFilter>
#include <QCoreApplication>
#include <QWidget>

#include <windows.h>

namespace {

// The running copy's window messages: WM_USER + 100 closes it, WM_USER + 200 brings it to the
// front.
constexpr UINT kCloseMessage = 1124;
constexpr UINT kSetFocusMessage = 1224;

} // namespace

// Hands the two messages that the main window takes to their handlers.
struct HandOverDelivery::Platform : QAbstractNativeEventFilter
{
    Platform(HWND window, HandOverHandlers handlers) : window(window), handlers(std::move(handlers))
    { }

    bool nativeEventFilter(const QByteArray &, void *message, qintptr *result) override
    {
        const MSG *msg = static_cast<const MSG *>(message);
        if (!window || msg->hwnd != window)
            return false;
        const std::function<void()> *handler = nullptr;
        if (msg->message == kSetFocusMessage)
            handler = &handlers.setFocus;
        else if (msg->message == kCloseMessage)
            handler = &handlers.close;
        if (!handler || !*handler)
            return false;
        (*handler)();
        *result = 0;
        return true;
    }

    HWND window;
    HandOverHandlers handlers;
};

HandOverDelivery::HandOverDelivery(QObject *context, HandOverHandlers handlers)
{
    auto *widget = qobject_cast<QWidget *>(context);
    const HWND window = widget ? reinterpret_cast<HWND>(widget->winId()) : nullptr;
    m_platform = std::make_unique<Platform>(window, std::move(handlers));
    QCoreApplication::instance()->installNativeEventFilter(m_platform.get());
}

HandOverDelivery::~HandOverDelivery()
{
    if (QCoreApplication::instance())
        QCoreApplication::instance()->removeNativeEventFilter(m_platform.get());
}

void HandOverDelivery::deliver(HandOverKind kind, const QString &parameters)
{
    const HWND window = m_platform->window;
    if (!window)
        return;
    switch (kind) {
    case HandOverKind::Parameters: {
        // The text with its terminating zero, in UTF-16.
        std::wstring text = parameters.toStdWString();
        COPYDATASTRUCT data = {0, DWORD((text.size() + 1) * sizeof(wchar_t)), text.data()};
        SendMessageW(window, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data));
        break;
    }
    case HandOverKind::SetFocus:
        SendMessageW(window, kSetFocusMessage, 0, 0);
        break;
    case HandOverKind::Close:
        SendMessageW(window, kCloseMessage, 0, 0);
        break;
    }
}

void HandOverDelivery::handleWaiting()
{
    // Looking at the queue handles the messages sent to this thread's windows.
    MSG message;
    PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE);
}
