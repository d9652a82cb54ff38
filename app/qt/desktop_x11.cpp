#include "app/qt/desktop.h"

#include <QGuiApplication>
#include <QWidget>
#include <QWindow>
#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>
#include <xcb/xcb.h>

namespace Chromell {
namespace {

struct FreeReply {
    void operator()(void* reply) const { std::free(reply); }
};
template <typename T> using Reply = std::unique_ptr<T, FreeReply>;

xcb_atom_t Atom(xcb_connection_t* connection, const char* name) {
    const auto cookie =
        xcb_intern_atom(connection, 0, static_cast<std::uint16_t>(std::strlen(name)), name);
    const Reply<xcb_intern_atom_reply_t> reply(xcb_intern_atom_reply(connection, cookie, nullptr));
    return reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
}

xcb_window_t RootOf(xcb_connection_t* connection, xcb_window_t window) {
    const Reply<xcb_query_tree_reply_t> reply(
        xcb_query_tree_reply(connection, xcb_query_tree(connection, window), nullptr));
    return reply ? reply->root : xcb_window_t{XCB_WINDOW_NONE};
}

// Adds the states to the window's _NET_WM_STATE, or takes them out, keeping
// the others. Only for a window that is not mapped: the window manager reads
// the property when it maps the window (Qt, too, adds to what it finds there).
void ChangeStatesInProperty(xcb_connection_t* connection, xcb_window_t window, xcb_atom_t property,
                            const std::array<xcb_atom_t, 2>& states, bool add) {
    const Reply<xcb_get_property_reply_t> reply(xcb_get_property_reply(
        connection, xcb_get_property(connection, 0, window, property, XCB_ATOM_ATOM, 0, 1024),
        nullptr));
    std::vector<xcb_atom_t> atoms;
    if (reply && reply->format == 32 && reply->type == XCB_ATOM_ATOM) {
        const auto* data = static_cast<const xcb_atom_t*>(xcb_get_property_value(reply.get()));
        atoms.assign(data, data + xcb_get_property_value_length(reply.get()) / 4);
    }
    for (const xcb_atom_t state : states) {
        const auto found = std::find(atoms.begin(), atoms.end(), state);
        if (add && found == atoms.end()) {
            atoms.push_back(state);
        } else if (!add && found != atoms.end()) {
            atoms.erase(found);
        }
    }
    xcb_change_property(connection, XCB_PROP_MODE_REPLACE, window, property, XCB_ATOM_ATOM, 32,
                        static_cast<std::uint32_t>(atoms.size()), atoms.data());
}

// Asks the window manager to add the states to a window it manages, or to
// take them out. It ignores the request for a window it does not manage yet.
void RequestStates(xcb_connection_t* connection, xcb_window_t window, xcb_atom_t property,
                   const std::array<xcb_atom_t, 2>& states, bool add) {
    const xcb_window_t root = RootOf(connection, window);
    if (root == XCB_WINDOW_NONE) {
        return;
    }
    xcb_client_message_event_t event{};
    event.response_type = XCB_CLIENT_MESSAGE;
    event.format = 32;
    event.window = window;
    event.type = property;
    event.data.data32[0] = add ? 1 : 0; // _NET_WM_STATE_ADD or _REMOVE
    event.data.data32[1] = states[0];
    event.data.data32[2] = states[1];
    event.data.data32[3] = 1; // the request comes from an ordinary application
    xcb_send_event(connection, 0, root,
                   XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                   reinterpret_cast<const char*>(&event));
}

// Makes the window a normal one, or a utility window as Qt makes a tool window
// (utility, else normal). Some window managers (mutter) keep a utility window
// off the taskbar and the window switcher whatever its state says, so a
// window that is to have an entry must be a normal one. Window managers that
// read the type only when they map a window take the change at the next map.
void SetWindowType(xcb_connection_t* connection, xcb_window_t window, bool normal) {
    const xcb_atom_t property = Atom(connection, "_NET_WM_WINDOW_TYPE");
    const std::array<xcb_atom_t, 2> types = {Atom(connection, "_NET_WM_WINDOW_TYPE_UTILITY"),
                                             Atom(connection, "_NET_WM_WINDOW_TYPE_NORMAL")};
    if (property == XCB_ATOM_NONE || types[0] == XCB_ATOM_NONE || types[1] == XCB_ATOM_NONE) {
        return;
    }
    const std::size_t first = normal ? 1 : 0;
    xcb_change_property(connection, XCB_PROP_MODE_REPLACE, window, property, XCB_ATOM_ATOM, 32,
                        static_cast<std::uint32_t>(types.size() - first), types.data() + first);
}

} // namespace

QString DisplayProblem() {
    const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    const QByteArray display = qgetenv("DISPLAY");
    const bool wayland = !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
    if (platform.isEmpty() && display.isEmpty() && !wayland) {
        return QStringLiteral("no display (neither DISPLAY nor WAYLAND_DISPLAY is set)");
    }
    // Only where Qt will go for X11 with the display that DISPLAY names.
    if (platform != "xcb" && !(platform.isEmpty() && !wayland)) {
        return {};
    }
    if (display.isEmpty()) {
        return QStringLiteral("no display (DISPLAY is not set)");
    }
    xcb_connection_t* connection = xcb_connect(nullptr, nullptr);
    const bool failed = xcb_connection_has_error(connection) != 0;
    xcb_disconnect(connection);
    if (failed) {
        return QStringLiteral("cannot open display %1").arg(QString::fromLocal8Bit(display));
    }
    return {};
}

void SetTaskbarEntry(QWidget& window, bool entry) {
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (QGuiApplication::platformName() != QLatin1String("xcb") || x11 == nullptr ||
        !window.isWindow() || !window.testAttribute(Qt::WA_WState_Created)) {
        return;
    }
    xcb_connection_t* connection = x11->connection();
    if (connection == nullptr) {
        return;
    }
    const auto id = static_cast<xcb_window_t>(window.winId());
    const xcb_atom_t property = Atom(connection, "_NET_WM_STATE");
    const std::array<xcb_atom_t, 2> states = {Atom(connection, "_NET_WM_STATE_SKIP_TASKBAR"),
                                              Atom(connection, "_NET_WM_STATE_SKIP_PAGER")};
    if (property == XCB_ATOM_NONE || states[0] == XCB_ATOM_NONE || states[1] == XCB_ATOM_NONE) {
        return;
    }
    SetWindowType(connection, id, entry);
    const QWindow* handle = window.windowHandle();
    if (handle == nullptr || !handle->isVisible()) {
        ChangeStatesInProperty(connection, id, property, states, !entry);
    }
    RequestStates(connection, id, property, states, !entry);
    xcb_flush(connection);
}

} // namespace Chromell
