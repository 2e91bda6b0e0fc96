#include "platform/pointer/XInputPointerSource.h"

#include "platform/screen/CoordinateSpace.h"
#include "platform/xcb/XcbReply.h"

#include <QCursor>
#include <QGuiApplication>
#include <QSocketNotifier>

#include <xcb/xcb.h>
#include <xcb/xinput.h>

#include <algorithm>

namespace vornela {

XInputPointerSource::XInputPointerSource(QObject* parent) : QObject(parent) {
    reportTimer_.setSingleShot(true);
    reportTimer_.setTimerType(Qt::PreciseTimer);
    connect(&reportTimer_, &QTimer::timeout, this, &XInputPointerSource::report);
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        return;
    if (!connectToDisplay()) {
        connection_.reset();
        return;
    }
    notifier_ =
        std::make_unique<QSocketNotifier>(xcb_get_file_descriptor(connection_.get()), QSocketNotifier::Read);
    connect(notifier_.get(), &QSocketNotifier::activated, this, &XInputPointerSource::drainEvents);
    // Events may already sit in xcb's queue after the replies we waited for.
    drainEvents();
}

XInputPointerSource::~XInputPointerSource() = default;

Point XInputPointerSource::location() const {
    return CoordinateSpace::current().toCore(QPointF(QCursor::pos()));
}

bool XInputPointerSource::connectToDisplay() {
    // Qt's xcb platform opened $DISPLAY as well (it is what Qt uses without -display).
    int screenNumber = 0;
    connection_.reset(xcb_connect(nullptr, &screenNumber));
    xcb_connection_t* c = connection_.get();
    if (xcb_connection_has_error(c))
        return false;

    const xcb_query_extension_reply_t* ext = xcb_get_extension_data(c, &xcb_input_id);
    if (!ext || !ext->present)
        return false;
    xinputOpcode_ = ext->major_opcode;

    // Raw events need 2.0; asking for 2.2 lets the server deliver them while a client grabs.
    XcbReply<xcb_input_xi_query_version_reply_t> version(
        xcb_input_xi_query_version_reply(c, xcb_input_xi_query_version(c, 2, 2), nullptr));
    if (!version || version->major_version < 2)
        return false;

    xcb_screen_iterator_t it = xcb_setup_roots_iterator(xcb_get_setup(c));
    for (int i = 0; i < screenNumber && it.rem; ++i)
        xcb_screen_next(&it);
    if (!it.rem)
        return false;

    struct {
        xcb_input_event_mask_t head;
        uint32_t mask;
    } selection{{XCB_INPUT_DEVICE_ALL_MASTER, 1}, XCB_INPUT_XI_EVENT_MASK_RAW_MOTION};
    XcbReply<xcb_generic_error_t> error(
        xcb_request_check(c, xcb_input_xi_select_events_checked(c, it.data->root, 1, &selection.head)));
    return !error;
}

void XInputPointerSource::drainEvents() {
    bool moved = false;
    while (XcbReply<xcb_generic_event_t> event{xcb_poll_for_event(connection_.get())}) {
        if ((event->response_type & 0x7f) == XCB_GE_GENERIC) {
            const auto* generic = reinterpret_cast<const xcb_ge_generic_event_t*>(event.get());
            if (generic->extension == xinputOpcode_ && generic->event_type == XCB_INPUT_RAW_MOTION)
                moved = true;
        }
    }
    if (xcb_connection_has_error(connection_.get())) {
        // The display went away; stay quiet rather than spin on a dead socket.
        notifier_->setEnabled(false);
        return;
    }
    if (!moved || movePending_)
        return;
    // A gaming mouse reports a thousand times a second; the notch needs no more than a display
    // frame's worth. Until the next report the socket is left alone, so the motion in between
    // costs no wake-ups; what piled up is read then, and the last position always follows.
    movePending_ = true;
    notifier_->setEnabled(false);
    const qint64 sinceLast = sinceReport_.isValid() ? sinceReport_.elapsed() : minimumInterval;
    reportTimer_.start(static_cast<int>(std::max<qint64>(0, minimumInterval - sinceLast)));
}

void XInputPointerSource::report() {
    movePending_ = false;
    sinceReport_.start();
    if (onPointerMoved)
        onPointerMoved();
    notifier_->setEnabled(true);
    drainEvents();
}

} // namespace vornela
