#include "platform/window/OverlayPanel.h"

#include "platform/screen/CoordinateSpace.h"
#include "platform/xcb/XcbReply.h"

#include <QEvent>
#include <QGuiApplication>
#include <QHash>
#include <QWidget>
#include <QWindow>

#include <xcb/shape.h>
#include <xcb/xcb.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

namespace vornela {

namespace {

xcb_connection_t* qtConnection() {
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    return x11 ? x11->connection() : nullptr;
}

xcb_atom_t atom(xcb_connection_t* c, const QByteArray& name) {
    static QHash<QByteArray, xcb_atom_t> cache;
    if (auto it = cache.constFind(name); it != cache.constEnd())
        return *it;
    XcbReply<xcb_intern_atom_reply_t> reply(
        xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, uint16_t(name.size()), name.constData()), nullptr));
    const xcb_atom_t result = reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
    if (result != XCB_ATOM_NONE)
        cache.insert(name, result);
    return result;
}

std::vector<xcb_atom_t> atomList(xcb_connection_t* c, xcb_window_t window, xcb_atom_t property) {
    std::vector<xcb_atom_t> atoms;
    XcbReply<xcb_get_property_reply_t> reply(
        xcb_get_property_reply(c, xcb_get_property(c, 0, window, property, XCB_ATOM_ATOM, 0, 1024), nullptr));
    if (reply && reply->format == 32 && reply->type == XCB_ATOM_ATOM) {
        const auto* data = static_cast<const xcb_atom_t*>(xcb_get_property_value(reply.get()));
        atoms.assign(data, data + xcb_get_property_value_length(reply.get()) / 4);
    }
    return atoms;
}

// Whether the window manager places and stacks a dock where it asks to be: it says it knows
// docks and the "above" state. Weston's X11 window manager knows neither, and places every
// window itself; without any window manager the client places its windows anyway.
bool windowManagerHonoursDocks(xcb_connection_t* c) {
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;
    XcbReply<xcb_get_property_reply_t> check(xcb_get_property_reply(
        c, xcb_get_property(c, 0, root, atom(c, "_NET_SUPPORTING_WM_CHECK"), XCB_ATOM_WINDOW, 0, 1),
        nullptr));
    if (!check || xcb_get_property_value_length(check.get()) == 0)
        return true;
    const std::vector<xcb_atom_t> supported = atomList(c, root, atom(c, "_NET_SUPPORTED"));
    const auto knows = [&](const char* name) {
        return std::find(supported.begin(), supported.end(), atom(c, name)) != supported.end();
    };
    return knows("_NET_WM_WINDOW_TYPE_DOCK") && knows("_NET_WM_STATE_ABOVE");
}

// Asked once per process: every panel is placed the same way.
bool placesItself() {
    static const bool bypass = [] {
        xcb_connection_t* c = qtConnection();
        if (!c || windowManagerHonoursDocks(c))
            return false;
        std::fprintf(stderr, "vornela: the window manager does not keep docks in place; the notch places "
                             "and stacks itself (override-redirect)\n");
        return true;
    }();
    return bypass;
}

} // namespace

OverlayPanel::OverlayPanel(const ScreenInfo& screen, Rect frame, PanelLevel level,
                           CompositorWatcher* compositor)
    : screen_(screen), frame_(frame), level_(level) {
    if (!compositor) {
        ownCompositor_ = std::make_unique<CompositorWatcher>();
        compositor = ownCompositor_.get();
    }
    compositor_ = compositor;
    // A compositor that starts or stops changes which shape the window needs.
    connect(compositor, &CompositorWatcher::activeChanged, this, &OverlayPanel::applyBoundingShape);
    Qt::WindowFlags flags =
        Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint | Qt::WindowDoesNotAcceptFocus;
    if (placesItself())
        flags |= Qt::X11BypassWindowManagerHint;
    window_ = new QWidget(nullptr, flags);
    window_->setAttribute(Qt::WA_TranslucentBackground);
    window_->setAttribute(Qt::WA_ShowWithoutActivating);
    window_->setAttribute(Qt::WA_X11NetWmWindowTypeDock); // before the native window exists
    window_->setAttribute(Qt::WA_X11DoNotAcceptFocus);
    window_->setFocusPolicy(Qt::NoFocus);
    window_->installEventFilter(this);
    applyGeometry();
    window_->winId(); // create it now: properties and shapes need a native window
    applyWindowType();
    applyWindowState();
    applyShapes();
}

OverlayPanel::~OverlayPanel() {
    close();
}

QWidget* OverlayPanel::window() const {
    return window_;
}

void OverlayPanel::setContent(QWidget* content) {
    if (!window_ || content == content_)
        return;
    if (content_) {
        content_->hide();
        content_->deleteLater();
    }
    content_ = content;
    if (!content)
        return;
    content->setParent(window_);
    content->setGeometry(window_->rect());
    content->show();
}

void OverlayPanel::setInputShape(const QRegion& region) {
    inputShape_ = region;
    applyInputShape();
}

QRegion OverlayPanel::inputShape() const {
    return inputShape_ ? *inputShape_ : QRegion(logicalInputRect());
}

void OverlayPanel::setFallbackShape(const QRegion& outline) {
    fallbackShape_ = outline;
    applyBoundingShape();
}

bool OverlayPanel::hasCompositor() const {
    CompositorWatcher* compositor = compositor_.data();
    return compositor && compositor->refresh();
}

quint32 OverlayPanel::nativeWindowId() const {
    return window_ ? quint32(window_->internalWinId()) : 0;
}

void OverlayPanel::setFrame(Rect frame, bool display) {
    frame_ = frame;
    if (!window_)
        return;
    applyGeometry();
    if (display && window_->isVisible())
        window_->repaint();
}

void OverlayPanel::orderFront() {
    if (!window_)
        return;
    window_->show(); // WA_ShowWithoutActivating: never takes focus
    window_->raise();
    requestAllDesktops();
    Q_EMIT orderedFront(); // whoever keeps panels above this one raises them now
    // Qt flushes before the loop blocks; the restacking should not wait for that.
    if (xcb_connection_t* c = qtConnection())
        xcb_flush(c);
}

void OverlayPanel::orderOut() {
    if (window_)
        window_->hide();
}

void OverlayPanel::close() {
    if (!window_)
        return;
    QWidget* window = window_;
    window_ = nullptr;
    content_ = nullptr;
    window->removeEventFilter(this);
    window->hide();
    // Deferred: close() may run inside one of the window's own event handlers (a click).
    window->deleteLater();
}

void OverlayPanel::setAlpha(double alpha) {
    if (window_)
        window_->setWindowOpacity(std::clamp(alpha, 0.0, 1.0));
}

bool OverlayPanel::isVisible() const {
    return window_ && window_->isVisible();
}

bool OverlayPanel::eventFilter(QObject* watched, QEvent* event) {
    if (watched == window_) {
        switch (event->type()) {
        case QEvent::Resize:
            if (content_)
                content_->setGeometry(window_->rect());
            applyShapes();
            break;
        case QEvent::WinIdChange:
            applyWindowType();
            applyWindowState();
            applyShapes();
            break;
        case QEvent::Show: // sent before the window is mapped
            applyWindowState();
            applyShapes();
            break;
        default:
            break;
        }
    }
    return QObject::eventFilter(watched, event);
}

void OverlayPanel::applyGeometry() {
    // Round the edges, not origin and size apart, so abutting frames stay abutting.
    const QRectF r = CoordinateSpace::current().toQt(frame_);
    const int left = int(std::lround(r.left()));
    const int top = int(std::lround(r.top()));
    const int right = int(std::lround(r.left() + r.width()));
    const int bottom = int(std::lround(r.top() + r.height()));
    window_->setGeometry(left, top, std::max(1, right - left), std::max(1, bottom - top));
}

// Qt 6.4 ignores WA_X11NetWmWindowTypeDock; its xcb window reads this property instead, but only
// when the window's flags change. So set it, and nudge the flags.
void OverlayPanel::applyWindowType() {
    QWindow* handle = window_->windowHandle();
    if (!handle || QGuiApplication::platformName() != QLatin1String("xcb"))
        return;
    constexpr int dockType = 0x4; // QXcbWindow::Dock
    if (handle->property("_q_xcb_wm_window_type").toInt() == dockType)
        return;
    handle->setProperty("_q_xcb_wm_window_type", dockType);
    const Qt::WindowFlags flags = handle->flags();
    handle->setFlags(flags ^ Qt::NoDropShadowWindowHint);
    handle->setFlags(flags);
}

// On every desktop, and out of taskbars and pagers. Set on the unmapped window (window managers
// read these at map time and drop them on withdrawal); Qt merges its own _NET_WM_STATE into
// what it finds there.
void OverlayPanel::applyWindowState() {
    xcb_connection_t* c = qtConnection();
    const xcb_window_t id = nativeWindowId();
    if (!c || !id)
        return;
    const uint32_t allDesktops = 0xFFFFFFFF;
    xcb_change_property(c, XCB_PROP_MODE_REPLACE, id, atom(c, "_NET_WM_DESKTOP"), XCB_ATOM_CARDINAL, 32, 1,
                        &allDesktops);
    const xcb_atom_t stateAtom = atom(c, "_NET_WM_STATE");
    std::vector<xcb_atom_t> states = atomList(c, id, stateAtom);
    for (const char* name : {"_NET_WM_STATE_SKIP_TASKBAR", "_NET_WM_STATE_SKIP_PAGER", "_NET_WM_STATE_ABOVE",
                             "_NET_WM_STATE_STICKY"}) {
        const xcb_atom_t a = atom(c, name);
        if (a != XCB_ATOM_NONE && std::find(states.begin(), states.end(), a) == states.end())
            states.push_back(a);
    }
    xcb_change_property(c, XCB_PROP_MODE_REPLACE, id, stateAtom, XCB_ATOM_ATOM, 32, uint32_t(states.size()),
                        states.data());
    xcb_flush(c);
}

// KWin reads the pre-map _NET_WM_DESKTOP of a transient window (Qt makes tool windows transient
// for its hidden leader) as desktop 0. The request a pager would send, after mapping, is heard.
void OverlayPanel::requestAllDesktops() {
    xcb_connection_t* c = qtConnection();
    const xcb_window_t id = nativeWindowId();
    if (!c || !id)
        return;
    xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(c)).data;
    if (!screen)
        return;
    xcb_client_message_event_t message{};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = id;
    message.type = atom(c, "_NET_WM_DESKTOP");
    message.data.data32[0] = 0xFFFFFFFF;
    message.data.data32[1] = 1; // from an application
    xcb_send_event(c, 0, screen->root,
                   XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                   reinterpret_cast<const char*>(&message));
}

void OverlayPanel::applyShapes() {
    applyInputShape();
    applyBoundingShape();
}

void OverlayPanel::applyInputShape() {
    if (!window_)
        return;
    xcb_connection_t* c = qtConnection();
    const xcb_window_t id = nativeWindowId();
    if (c && id && !inputShape_) {
        xcb_shape_mask(c, XCB_SHAPE_SO_SET, XCB_SHAPE_SK_INPUT, id, 0, 0, XCB_NONE); // the whole window
        xcb_flush(c);
    } else if (c && id) {
        const double ratio = window_->windowHandle() ? window_->windowHandle()->devicePixelRatio()
                                                     : window_->devicePixelRatioF();
        std::vector<xcb_rectangle_t> rects;
        rects.reserve(size_t(inputShape_->rectCount()));
        for (const QRect& r : *inputShape_) {
            // Outward, so a fractional scale never loses an edge pixel of the hit area.
            const double x0 = std::floor(r.x() * ratio);
            const double y0 = std::floor(r.y() * ratio);
            const double x1 = std::ceil((r.x() + r.width()) * ratio);
            const double y1 = std::ceil((r.y() + r.height()) * ratio);
            rects.push_back({int16_t(x0), int16_t(y0), uint16_t(x1 - x0), uint16_t(y1 - y0)});
        }
        xcb_shape_rectangles(c, XCB_SHAPE_SO_SET, XCB_SHAPE_SK_INPUT, XCB_CLIP_ORDERING_UNSORTED, id, 0, 0,
                             uint32_t(rects.size()), rects.data());
        xcb_flush(c);
    }
}

// Without a compositor, the outline becomes the window's visible shape. With one the shape is the
// whole window, set all the same: window managers draw no shadow around a shaped window (xfwm4
// would outline the notch's rectangle in grey).
void OverlayPanel::applyBoundingShape() {
    if (!window_)
        return;
    const CompositorWatcher* compositor = compositor_.data();
    const bool composited = compositor && compositor->isActive();
    const QRegion mask = fallbackShape_.isEmpty() || composited ? QRegion(window_->rect()) : fallbackShape_;
    if (mask == appliedMask_)
        return;
    appliedMask_ = mask;
    window_->setMask(mask);
}

QRect OverlayPanel::logicalInputRect() const {
    return window_ ? window_->rect() : QRect();
}

} // namespace vornela
