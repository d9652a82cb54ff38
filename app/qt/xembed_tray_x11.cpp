#include "xembed_tray.h"

#include <QByteArray>
#include <QGuiApplication>
#include <QSocketNotifier>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <xcb/xcb.h>

namespace Chromell {
namespace {

struct FreeReply {
    void operator()(void* reply) const { std::free(reply); }
};
template <typename T> using Reply = std::unique_ptr<T, FreeReply>;

xcb_atom_t Atom(xcb_connection_t* connection, const QByteArray& name) {
    const auto cookie =
        xcb_intern_atom(connection, 0, static_cast<std::uint16_t>(name.size()), name.constData());
    const Reply<xcb_intern_atom_reply_t> reply(xcb_intern_atom_reply(connection, cookie, nullptr));
    return reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
}

xcb_screen_t* Screen(xcb_connection_t* connection, int number) {
    xcb_screen_iterator_t screens = xcb_setup_roots_iterator(xcb_get_setup(connection));
    for (; screens.rem > 0 && number > 0; --number) {
        xcb_screen_next(&screens);
    }
    return screens.rem > 0 ? screens.data : nullptr;
}

} // namespace

// A connection of its own, so that the watch needs nothing of Qt's: a tray
// announces itself with a MANAGER message to the root window, and its
// selection window is destroyed when it ends.
struct XEmbedTray::Watch {
    xcb_connection_t* connection = nullptr;
    xcb_window_t root = XCB_WINDOW_NONE;
    xcb_atom_t selection = XCB_ATOM_NONE;
    xcb_atom_t manager = XCB_ATOM_NONE;
    xcb_window_t owner = XCB_WINDOW_NONE;
    std::unique_ptr<QSocketNotifier> notifier;
    std::function<void()> changed;

    ~Watch() {
        notifier.reset();
        if (connection != nullptr) {
            xcb_disconnect(connection);
        }
    }

    xcb_window_t ReadOwner() const {
        const Reply<xcb_get_selection_owner_reply_t> reply(xcb_get_selection_owner_reply(
            connection, xcb_get_selection_owner(connection, selection), nullptr));
        return reply ? reply->owner : xcb_window_t{XCB_WINDOW_NONE};
    }

    // Takes the selection's owner and watches it for its end. An owner gone
    // before the watch took hold is seen when the owner is read again.
    void Update() {
        const std::uint32_t mask = XCB_EVENT_MASK_STRUCTURE_NOTIFY;
        xcb_window_t now = ReadOwner();
        for (xcb_window_t watched = XCB_WINDOW_NONE; now != watched;) {
            watched = now;
            if (watched != XCB_WINDOW_NONE) {
                xcb_change_window_attributes(connection, watched, XCB_CW_EVENT_MASK, &mask);
            }
            now = ReadOwner();
        }
        owner = now;
    }

    // Handles what has arrived, including events queued while replies were read.
    void Drain() {
        const bool before = owner != XCB_WINDOW_NONE;
        while (xcb_generic_event_t* event = xcb_poll_for_event(connection)) {
            const std::uint8_t type = event->response_type & 0x7f;
            bool check = false;
            if (type == XCB_CLIENT_MESSAGE) {
                const auto* message = reinterpret_cast<xcb_client_message_event_t*>(event);
                check = message->type == manager && message->data.data32[1] == selection;
            } else if (type == XCB_DESTROY_NOTIFY) {
                check = reinterpret_cast<xcb_destroy_notify_event_t*>(event)->window == owner;
            }
            std::free(event);
            if (check) {
                Update();
            }
        }
        if ((owner != XCB_WINDOW_NONE) != before && changed) {
            changed();
        }
    }
};

XEmbedTray::XEmbedTray(std::function<void()> changed) {
    if (QGuiApplication::platformName() != QLatin1String("xcb")) {
        return;
    }
    auto watch = std::make_unique<Watch>();
    int screenNumber = 0;
    watch->connection = xcb_connect(nullptr, &screenNumber);
    if (xcb_connection_has_error(watch->connection) != 0) {
        return;
    }
    const xcb_screen_t* screen = Screen(watch->connection, screenNumber);
    if (screen == nullptr) {
        return;
    }
    watch->root = screen->root;
    watch->selection =
        Atom(watch->connection, "_NET_SYSTEM_TRAY_S" + QByteArray::number(screenNumber));
    watch->manager = Atom(watch->connection, "MANAGER");
    const std::uint32_t mask = XCB_EVENT_MASK_STRUCTURE_NOTIFY;
    xcb_change_window_attributes(watch->connection, watch->root, XCB_CW_EVENT_MASK, &mask);
    watch->Update();
    xcb_flush(watch->connection);
    watch->changed = std::move(changed);
    watch->notifier = std::make_unique<QSocketNotifier>(xcb_get_file_descriptor(watch->connection),
                                                        QSocketNotifier::Read);
    Watch* raw = watch.get();
    QObject::connect(watch->notifier.get(), &QSocketNotifier::activated, [raw] {
        raw->Drain();
        xcb_flush(raw->connection);
    });
    watch_ = std::move(watch);
}

XEmbedTray::~XEmbedTray() = default;

bool XEmbedTray::Present() const {
    return watch_ != nullptr && watch_->owner != XCB_WINDOW_NONE;
}

} // namespace Chromell
