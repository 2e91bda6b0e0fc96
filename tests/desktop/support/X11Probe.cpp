#include "support/X11Probe.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QProcess>
#include <QProcessEnvironment>
#include <QThread>

#include <xcb/shape.h>
#include <xcb/xcb.h>

#include <algorithm>
#include <cstdlib>
#include <memory>

namespace vornela {

namespace {

template <typename T> struct FreeDeleter {
    void operator()(T* p) const { std::free(p); }
};
template <typename T> using Reply = std::unique_ptr<T, FreeDeleter<T>>;

bool runXdotool(const QStringList& arguments) {
    QProcess process;
    // Under a nested compositor the pointer belongs to the outer display.
    if (const QByteArray pointerDisplay = qgetenv("VORNELA_POINTER_DISPLAY"); !pointerDisplay.isEmpty()) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("DISPLAY"), QString::fromLocal8Bit(pointerDisplay));
        process.setProcessEnvironment(env);
    }
    process.start(QStringLiteral("xdotool"), arguments);
    return process.waitForFinished(10000) && process.exitStatus() == QProcess::NormalExit &&
           process.exitCode() == 0;
}

} // namespace

X11Probe::X11Probe(const QByteArray& display) {
    int screenNumber = 0;
    connection_ = xcb_connect(display.isEmpty() ? nullptr : display.constData(), &screenNumber);
    if (xcb_connection_has_error(connection_))
        return;
    xcb_screen_iterator_t it = xcb_setup_roots_iterator(xcb_get_setup(connection_));
    for (int i = 0; i < screenNumber && it.rem; ++i)
        xcb_screen_next(&it);
    if (it.rem)
        root_ = it.data->root;
}

X11Probe::~X11Probe() {
    if (connection_)
        xcb_disconnect(connection_);
}

bool X11Probe::isConnected() const {
    return connection_ && !xcb_connection_has_error(connection_) && root_ != 0;
}

std::vector<quint32> X11Probe::children(quint32 parent) const {
    Reply<xcb_query_tree_reply_t> tree(
        xcb_query_tree_reply(connection_, xcb_query_tree(connection_, parent), nullptr));
    if (!tree)
        return {};
    const xcb_window_t* first = xcb_query_tree_children(tree.get());
    return {first, first + xcb_query_tree_children_length(tree.get())};
}

bool X11Probe::ownedBy(quint32 window, qint64 pid) const {
    const auto owner = cardinalProperty(window, QStringLiteral("_NET_WM_PID"));
    return owner && !owner->empty() && owner->front() == quint32(pid);
}

std::vector<quint32> X11Probe::topLevelWindows(qint64 pid) const {
    std::vector<quint32> result;
    if (!isConnected())
        return result;
    for (quint32 window : children(root_)) {
        if (ownedBy(window, pid ? pid : QCoreApplication::applicationPid()))
            result.push_back(window);
    }
    return result;
}

std::vector<quint32> X11Probe::windowsOf(qint64 pid) const {
    std::vector<quint32> result;
    if (!isConnected())
        return result;
    std::vector<xcb_window_t> level{root_};
    for (int depth = 0; depth < 4 && !level.empty(); ++depth) {
        std::vector<xcb_window_t> next;
        for (xcb_window_t parent : level) {
            for (quint32 window : children(parent))
                (ownedBy(window, pid) ? result : next).push_back(window);
        }
        level = std::move(next);
    }
    return result;
}

quint32 X11Probe::topLevelAncestor(quint32 window) const {
    while (window) {
        Reply<xcb_query_tree_reply_t> tree(
            xcb_query_tree_reply(connection_, xcb_query_tree(connection_, window), nullptr));
        if (!tree)
            return 0;
        if (tree->parent == root_)
            return window;
        window = tree->parent;
    }
    return 0;
}

void X11Probe::sendRootMessage(quint32 window, const QString& type, std::vector<quint32> data) {
    xcb_client_message_event_t message{};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = window;
    message.type = atom(type);
    for (size_t i = 0; i < data.size() && i < 5; ++i)
        message.data.data32[i] = data[i];
    xcb_send_event(connection_, 0, root_,
                   XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                   reinterpret_cast<const char*>(&message));
    xcb_flush(connection_);
}

void X11Probe::pressCloseButton(quint32 window) {
    xcb_client_message_event_t message{};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = window;
    message.type = atom(QStringLiteral("WM_PROTOCOLS"));
    message.data.data32[0] = atom(QStringLiteral("WM_DELETE_WINDOW"));
    message.data.data32[1] = XCB_CURRENT_TIME;
    xcb_send_event(connection_, 0, window, XCB_EVENT_MASK_NO_EVENT, reinterpret_cast<const char*>(&message));
    xcb_flush(connection_);
}

quint32 X11Probe::selectionOwner(const QString& selection) const {
    Reply<xcb_get_selection_owner_reply_t> reply(xcb_get_selection_owner_reply(
        connection_, xcb_get_selection_owner(connection_, atom(selection)), nullptr));
    return reply ? reply->owner : 0;
}

int X11Probe::stackingIndex(quint32 window) const {
    const std::vector<quint32> stack = children(root_);
    const auto found = std::find(stack.begin(), stack.end(), window);
    return found == stack.end() ? -1 : int(found - stack.begin());
}

QRect X11Probe::geometry(quint32 window) const {
    Reply<xcb_get_geometry_reply_t> geometry(
        xcb_get_geometry_reply(connection_, xcb_get_geometry(connection_, window), nullptr));
    if (!geometry)
        return {};
    Reply<xcb_translate_coordinates_reply_t> origin(xcb_translate_coordinates_reply(
        connection_, xcb_translate_coordinates(connection_, window, root_, 0, 0), nullptr));
    if (!origin)
        return {};
    return {origin->dst_x, origin->dst_y, geometry->width, geometry->height};
}

bool X11Probe::isViewable(quint32 window) const {
    Reply<xcb_get_window_attributes_reply_t> attributes(xcb_get_window_attributes_reply(
        connection_, xcb_get_window_attributes(connection_, window), nullptr));
    return attributes && attributes->map_state == XCB_MAP_STATE_VIEWABLE;
}

bool X11Probe::exists(quint32 window) const {
    Reply<xcb_get_window_attributes_reply_t> attributes(xcb_get_window_attributes_reply(
        connection_, xcb_get_window_attributes(connection_, window), nullptr));
    return attributes != nullptr;
}

std::optional<QStringList> X11Probe::atomListProperty(quint32 window, const QString& name) const {
    Reply<xcb_get_property_reply_t> reply(xcb_get_property_reply(
        connection_, xcb_get_property(connection_, 0, window, atom(name), XCB_ATOM_ATOM, 0, 1024), nullptr));
    if (!reply || reply->type != XCB_ATOM_ATOM || reply->format != 32)
        return std::nullopt;
    const auto* atoms = static_cast<const xcb_atom_t*>(xcb_get_property_value(reply.get()));
    QStringList names;
    for (int i = 0; i < xcb_get_property_value_length(reply.get()) / 4; ++i)
        names << atomName(atoms[i]);
    return names;
}

std::optional<std::vector<quint32>> X11Probe::cardinalProperty(quint32 window, const QString& name) const {
    Reply<xcb_get_property_reply_t> reply(xcb_get_property_reply(
        connection_, xcb_get_property(connection_, 0, window, atom(name), XCB_ATOM_CARDINAL, 0, 1024),
        nullptr));
    if (!reply || reply->type != XCB_ATOM_CARDINAL || reply->format != 32)
        return std::nullopt;
    const auto* values = static_cast<const uint32_t*>(xcb_get_property_value(reply.get()));
    return std::vector<quint32>(values, values + xcb_get_property_value_length(reply.get()) / 4);
}

std::optional<QString> X11Probe::textProperty(quint32 window, const QString& name) const {
    const quint32 utf8 = atom(QStringLiteral("UTF8_STRING"));
    Reply<xcb_get_property_reply_t> reply(xcb_get_property_reply(
        connection_, xcb_get_property(connection_, 0, window, atom(name), utf8, 0, 1024), nullptr));
    if (!reply || reply->type != utf8 || reply->format != 8)
        return std::nullopt;
    return QString::fromUtf8(static_cast<const char*>(xcb_get_property_value(reply.get())),
                             xcb_get_property_value_length(reply.get()));
}

std::vector<QRect> X11Probe::inputShape(quint32 window) const {
    return shapeRectangles(window, XCB_SHAPE_SK_INPUT);
}

std::vector<QRect> X11Probe::boundingShape(quint32 window) const {
    return shapeRectangles(window, XCB_SHAPE_SK_BOUNDING);
}

std::vector<QRect> X11Probe::shapeRectangles(quint32 window, int kind) const {
    std::vector<QRect> result;
    Reply<xcb_shape_get_rectangles_reply_t> reply(xcb_shape_get_rectangles_reply(
        connection_, xcb_shape_get_rectangles(connection_, window, xcb_shape_kind_t(kind)), nullptr));
    if (!reply)
        return result;
    const xcb_rectangle_t* rects = xcb_shape_get_rectangles_rectangles(reply.get());
    for (int i = 0; i < xcb_shape_get_rectangles_rectangles_length(reply.get()); ++i)
        result.emplace_back(rects[i].x, rects[i].y, rects[i].width, rects[i].height);
    return result;
}

bool X11Probe::ownSelection(const QString& selection) {
    const xcb_window_t owner = xcb_generate_id(connection_);
    xcb_create_window(connection_, 0, owner, root_, 0, 0, 1, 1, 0, XCB_WINDOW_CLASS_INPUT_ONLY,
                      XCB_COPY_FROM_PARENT, 0, nullptr);
    xcb_set_selection_owner(connection_, owner, atom(selection), XCB_CURRENT_TIME);
    return selectionOwner(selection) == owner;
}

bool X11Probe::releaseSelection(const QString& selection) {
    xcb_set_selection_owner(connection_, XCB_NONE, atom(selection), XCB_CURRENT_TIME);
    return selectionOwner(selection) == XCB_NONE;
}

QImage X11Probe::grab(const QRect& rect) const {
    Reply<xcb_get_image_reply_t> reply(xcb_get_image_reply(
        connection_,
        xcb_get_image(connection_, XCB_IMAGE_FORMAT_Z_PIXMAP, root_, int16_t(rect.x()), int16_t(rect.y()),
                      uint16_t(rect.width()), uint16_t(rect.height()), ~0u),
        nullptr));
    // Depth 24 and 32 come as 32 bits per pixel, 0x00RRGGBB in host order like Format_RGB32.
    if (!reply || (reply->depth != 24 && reply->depth != 32))
        return {};
    const int length = xcb_get_image_data_length(reply.get());
    if (length < rect.width() * rect.height() * 4)
        return {};
    const uint8_t* data = xcb_get_image_data(reply.get());
    return QImage(data, rect.width(), rect.height(), rect.width() * 4, QImage::Format_RGB32).copy();
}

bool X11Probe::movePointer(QPoint rootPosition) {
    // xdotool's absolute move is a warp, which the server does not report as raw motion; its
    // relative move goes through XTest like a real device. So warp next to the target and step
    // the last pixel.
    const int step = rootPosition.x() > 0 ? 1 : -1;
    // (Only the step waits: a warp to where the pointer already is would never be seen.)
    return runXdotool({QStringLiteral("mousemove"), QString::number(rootPosition.x() - step),
                       QString::number(rootPosition.y()), QStringLiteral("mousemove_relative"),
                       QStringLiteral("--sync"), QStringLiteral("--"), QString::number(step),
                       QStringLiteral("0")});
}

bool X11Probe::jumpPointer(QPoint rootPosition) {
    // The server has moved the pointer once xdotool has closed its connection.
    return runXdotool(
        {QStringLiteral("mousemove"), QString::number(rootPosition.x()), QString::number(rootPosition.y())});
}

bool X11Probe::key(const QString& keys) {
    return runXdotool({QStringLiteral("key"), keys});
}

bool X11Probe::click(int button) {
    return runXdotool({QStringLiteral("click"), QString::number(button)});
}

bool X11Probe::dragBy(int dx) {
    QStringList args{QStringLiteral("mousedown"), QStringLiteral("1")};
    constexpr int steps = 4;
    for (int i = 0; i < steps; ++i) {
        const int stride = dx / steps + (i == steps - 1 ? dx % steps : 0);
        args << QStringLiteral("sleep") << QStringLiteral("0.05") << QStringLiteral("mousemove_relative")
             << QStringLiteral("--sync") << QStringLiteral("--") << QString::number(stride)
             << QStringLiteral("0");
    }
    args << QStringLiteral("sleep") << QStringLiteral("0.05") << QStringLiteral("mouseup")
         << QStringLiteral("1");
    return runXdotool(args);
}

bool X11Probe::waitUntil(const std::function<bool()>& predicate, double timeoutSeconds) {
    // Qt sends its buffered requests only when its loop is about to block, which spinning it
    // here never does.
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    const auto flushQt = [x11] {
        if (x11 && x11->connection())
            xcb_flush(x11->connection());
    };
    QElapsedTimer timer;
    timer.start();
    flushQt();
    while (!predicate()) {
        if (timer.elapsed() > qint64(timeoutSeconds * 1000))
            return predicate();
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        flushQt();
        QThread::msleep(5);
    }
    return true;
}

quint32 X11Probe::atom(const QString& name) const {
    const QByteArray latin = name.toLatin1();
    Reply<xcb_intern_atom_reply_t> reply(xcb_intern_atom_reply(
        connection_, xcb_intern_atom(connection_, 0, uint16_t(latin.size()), latin.constData()), nullptr));
    return reply ? reply->atom : quint32(XCB_ATOM_NONE);
}

QString X11Probe::atomName(quint32 atom) const {
    Reply<xcb_get_atom_name_reply_t> reply(
        xcb_get_atom_name_reply(connection_, xcb_get_atom_name(connection_, atom), nullptr));
    if (!reply)
        return {};
    return QString::fromLatin1(xcb_get_atom_name_name(reply.get()),
                               xcb_get_atom_name_name_length(reply.get()));
}

} // namespace vornela
