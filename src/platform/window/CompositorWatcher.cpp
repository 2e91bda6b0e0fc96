#include "platform/window/CompositorWatcher.h"

#include "platform/xcb/XcbReply.h"

#include <QByteArray>
#include <QGuiApplication>
#include <QSocketNotifier>

#include <xcb/xcb.h>
#include <xcb/xfixes.h>

namespace vornela {

CompositorWatcher::CompositorWatcher(QObject* parent) : QObject(parent) {
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        return;
    if (!connectToDisplay()) {
        connection_.reset();
        return;
    }
    notifier_ =
        std::make_unique<QSocketNotifier>(xcb_get_file_descriptor(connection_.get()), QSocketNotifier::Read);
    connect(notifier_.get(), &QSocketNotifier::activated, this, [this] { refresh(); });
    // Events may already sit in xcb's queue behind the replies we waited for.
    refresh();
}

CompositorWatcher::~CompositorWatcher() = default;

bool CompositorWatcher::connectToDisplay() {
    // The same display and screen Qt opened ($DISPLAY).
    int screenNumber = 0;
    connection_.reset(xcb_connect(nullptr, &screenNumber));
    xcb_connection_t* c = connection_.get();
    if (xcb_connection_has_error(c))
        return false;

    const xcb_query_extension_reply_t* ext = xcb_get_extension_data(c, &xcb_xfixes_id);
    if (!ext || !ext->present)
        return false;
    selectionNotify_ = uint8_t(ext->first_event + XCB_XFIXES_SELECTION_NOTIFY);
    // Selection events came with XFixes 1; the version must be asked before any XFixes request.
    XcbReply<xcb_xfixes_query_version_reply_t> version(
        xcb_xfixes_query_version_reply(c, xcb_xfixes_query_version(c, 1, 0), nullptr));
    if (!version || version->major_version < 1)
        return false;

    xcb_screen_iterator_t it = xcb_setup_roots_iterator(xcb_get_setup(c));
    for (int i = 0; i < screenNumber && it.rem; ++i)
        xcb_screen_next(&it);
    if (!it.rem)
        return false;

    const QByteArray name = "_NET_WM_CM_S" + QByteArray::number(screenNumber);
    XcbReply<xcb_intern_atom_reply_t> atom(
        xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, uint16_t(name.size()), name.constData()), nullptr));
    if (!atom)
        return false;
    selection_ = atom->atom;

    const uint32_t mask = XCB_XFIXES_SELECTION_EVENT_MASK_SET_SELECTION_OWNER |
                          XCB_XFIXES_SELECTION_EVENT_MASK_SELECTION_WINDOW_DESTROY |
                          XCB_XFIXES_SELECTION_EVENT_MASK_SELECTION_CLIENT_CLOSE;
    XcbReply<xcb_generic_error_t> error(
        xcb_request_check(c, xcb_xfixes_select_selection_input_checked(c, it.data->root, selection_, mask)));
    if (error)
        return false;

    // Asked after subscribing: a change in between also arrives as an event, and events come in
    // order, so the last one read always tells the current owner.
    XcbReply<xcb_get_selection_owner_reply_t> owner(
        xcb_get_selection_owner_reply(c, xcb_get_selection_owner(c, selection_), nullptr));
    active_ = owner && owner->owner != XCB_WINDOW_NONE;
    return true;
}

bool CompositorWatcher::refresh() {
    if (!connection_)
        return active_;
    xcb_connection_t* c = connection_.get();
    bool active = active_;
    while (XcbReply<xcb_generic_event_t> event{xcb_poll_for_event(c)}) {
        if ((event->response_type & 0x7f) != selectionNotify_)
            continue;
        const auto* notify = reinterpret_cast<const xcb_xfixes_selection_notify_event_t*>(event.get());
        if (notify->selection != selection_)
            continue;
        // A window destroyed or a client gone leaves the selection without owner.
        active = notify->subtype == XCB_XFIXES_SELECTION_EVENT_SET_SELECTION_OWNER &&
                 notify->owner != XCB_WINDOW_NONE;
    }
    if (xcb_connection_has_error(c) && notifier_) {
        // The display went away; keep the last answer rather than spin on a dead socket.
        notifier_->setEnabled(false);
    }
    if (active != active_) {
        active_ = active;
        Q_EMIT activeChanged(active_);
    }
    return active_;
}

} // namespace vornela
