#include "app/toplevelwindows.h"

#include <QGuiApplication>

#include <xcb/xcb.h>

#include <cstdlib>
#include <cstring>
#include <memory>

namespace {

struct FreeDeleter
{
    void operator()(void *pointer) const { std::free(pointer); }
};
template<typename Reply>
using ReplyPointer = std::unique_ptr<Reply, FreeDeleter>;

xcb_connection_t *x11Connection()
{
    const auto *x11
        = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    return x11 ? x11->connection() : nullptr;
}

xcb_window_t rootWindow(xcb_connection_t *connection)
{
    return xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
}

xcb_atom_t atom(xcb_connection_t *connection, const char *name)
{
    const ReplyPointer<xcb_intern_atom_reply_t> reply(xcb_intern_atom_reply(
        connection, xcb_intern_atom(connection, 0, uint16_t(std::strlen(name)), name), nullptr));
    return reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
}

QByteArray property(
    xcb_connection_t *connection, xcb_window_t window, xcb_atom_t name, xcb_atom_t type)
{
    // Titles and class names are short; 64 KiB is far beyond any.
    const ReplyPointer<xcb_get_property_reply_t> reply(xcb_get_property_reply(
        connection, xcb_get_property(connection, 0, window, name, type, 0, 16384), nullptr));
    if (!reply || reply->format != 8)
        return QByteArray();
    return QByteArray(static_cast<const char *>(xcb_get_property_value(reply.get())),
        xcb_get_property_value_length(reply.get()));
}

} // namespace

QList<TopLevelWindow> topLevelWindows()
{
    xcb_connection_t *connection = x11Connection();
    if (!connection)
        return {};
    const xcb_atom_t clientList = atom(connection, "_NET_CLIENT_LIST");
    const xcb_atom_t windowName = atom(connection, "_NET_WM_NAME");
    const xcb_atom_t utf8 = atom(connection, "UTF8_STRING");
    const ReplyPointer<xcb_get_property_reply_t> list(xcb_get_property_reply(connection,
        xcb_get_property(
            connection, 0, rootWindow(connection), clientList, XCB_ATOM_WINDOW, 0, 65536),
        nullptr));
    if (!list || list->format != 32)
        return {};
    const auto *ids = static_cast<const xcb_window_t *>(xcb_get_property_value(list.get()));
    const int count = xcb_get_property_value_length(list.get()) / int(sizeof(xcb_window_t));
    QList<TopLevelWindow> windows;
    for (int i = 0; i < count; ++i) {
        QByteArray title = property(connection, ids[i], windowName, utf8);
        if (title.isEmpty())
            title = property(connection, ids[i], XCB_ATOM_WM_NAME, XCB_ATOM_STRING);
        const QByteArray windowClass
            = property(connection, ids[i], XCB_ATOM_WM_CLASS, XCB_ATOM_STRING);
        windows.append({ids[i], QString::fromUtf8(title),
            QString::fromUtf8(windowClass.left(windowClass.indexOf('\0')))});
    }
    return windows;
}

bool activateTopLevelWindow(WId id)
{
    xcb_connection_t *connection = x11Connection();
    if (!connection)
        return false;
    xcb_client_message_event_t event = {};
    event.response_type = XCB_CLIENT_MESSAGE;
    event.format = 32;
    event.window = xcb_window_t(id);
    event.type = atom(connection, "_NET_ACTIVE_WINDOW");
    event.data.data32[0] = 2; // the request comes from a pager or task bar
    event.data.data32[1] = XCB_CURRENT_TIME;
    xcb_send_event(connection, 0, rootWindow(connection),
        XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY | XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT,
        reinterpret_cast<const char *>(&event));
    return xcb_flush(connection) > 0;
}
