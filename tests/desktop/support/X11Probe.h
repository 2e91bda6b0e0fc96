#pragma once

#include <QByteArray>
#include <QImage>
#include <QPoint>
#include <QRect>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>
#include <vector>

struct xcb_connection_t;

namespace vornela {

// Reads the X server the way another client would: its own connection to $DISPLAY, so what it
// sees is what the server holds, not what Qt believes. Pointer input goes through xdotool.
class X11Probe {
public:
    // $DISPLAY, or the named display (for the screen of a nested compositor, say).
    explicit X11Probe(const QByteArray& display = {});
    ~X11Probe();
    X11Probe(const X11Probe&) = delete;
    X11Probe& operator=(const X11Probe&) = delete;

    bool isConnected() const;
    quint32 root() const { return root_; }

    // Children of the root window whose _NET_WM_PID is `pid` (this process when 0), bottom to
    // top in stacking order.
    std::vector<quint32> topLevelWindows(qint64 pid = 0) const;
    // The same, also inside the frames a window manager puts around them.
    std::vector<quint32> windowsOf(qint64 pid) const;
    // The root's child that holds `window` (its frame under a reparenting window manager).
    quint32 topLevelAncestor(quint32 window) const;
    // A client message to the root window about `window`, as pagers send them (EWMH).
    void sendRootMessage(quint32 window, const QString& type, std::vector<quint32> data);
    // What a window manager sends when the user presses a window's close button (ICCCM
    // WM_DELETE_WINDOW): the window decides whether it closes.
    void pressCloseButton(quint32 window);
    // The owner of a selection (a compositing manager owns _NET_WM_CM_S0), 0 when none.
    quint32 selectionOwner(const QString& selection) const;
    // Stacking position among the root's children (higher is nearer the top), -1 when not one.
    int stackingIndex(quint32 window) const;
    // Position relative to the root and size, in native pixels; empty when the window is gone.
    QRect geometry(quint32 window) const;
    bool isViewable(quint32 window) const;
    bool exists(quint32 window) const;

    // The atom names in an ATOM-list property; nullopt when the property is missing.
    std::optional<QStringList> atomListProperty(quint32 window, const QString& name) const;
    // The values of a CARDINAL property; nullopt when the property is missing.
    std::optional<std::vector<quint32>> cardinalProperty(quint32 window, const QString& name) const;
    // A UTF8_STRING property (_NET_WM_NAME, say); nullopt when it is missing.
    std::optional<QString> textProperty(quint32 window, const QString& name) const;

    // The window's input and bounding shapes as the SHAPE extension reports them (window-relative
    // native pixels). A window without a shape reports its own rectangle.
    std::vector<QRect> inputShape(quint32 window) const;
    std::vector<QRect> boundingShape(quint32 window) const;

    // Makes this connection the owner of a selection, as a compositing manager owns
    // _NET_WM_CM_S0; released when the probe goes away.
    bool ownSelection(const QString& selection);
    // Gives it up again, as a compositing manager that stops cleanly does.
    bool releaseSelection(const QString& selection);

    // What the screen shows inside `rect` (root coordinates), read from the root window.
    QImage grab(const QRect& rect) const;

    // Synthetic pointer input through xdotool; true when xdotool succeeded. The move ends with
    // a one-pixel XTest step, so it shows up as raw motion like a real mouse's.
    static bool movePointer(QPoint rootPosition);
    // One jump there: no raw motion, only what the windows on the way are told (crossings).
    static bool jumpPointer(QPoint rootPosition);
    static bool click(int button = 1);
    // Keys through XTest to the focused window, in xdotool's names ("ctrl+c").
    static bool key(const QString& keys);
    // Presses the first button, moves `dx` pixels along x in a few steps and releases there.
    static bool dragBy(int dx);

    // Spins the Qt event loop until `predicate` holds or `timeoutSeconds` pass; the last answer.
    static bool waitUntil(const std::function<bool()>& predicate, double timeoutSeconds = 5);

    quint32 atom(const QString& name) const;
    QString atomName(quint32 atom) const;

private:
    std::vector<QRect> shapeRectangles(quint32 window, int kind) const;
    std::vector<quint32> children(quint32 parent) const; // bottom to top
    bool ownedBy(quint32 window, qint64 pid) const;      // by _NET_WM_PID

    xcb_connection_t* connection_ = nullptr;
    quint32 root_ = 0;
};

} // namespace vornela
