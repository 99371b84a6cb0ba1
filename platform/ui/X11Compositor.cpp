#include "platform/ui/X11Compositor.h"

#include <QGuiApplication>

#include <xcb/xcb.h>

#include <cstdlib>
#include <memory>

namespace ui {

namespace {

struct FreeReply
{
    void operator()(void *reply) const { std::free(reply); }
};

template <typename Reply>
using ReplyPtr = std::unique_ptr<Reply, FreeReply>;

} // namespace

bool isX11CompositorRunning()
{
    auto *x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (!x11)
        return false;
    xcb_connection_t *connection = x11->connection();
    // A compositing manager owns this selection while it runs (screen 0 is
    // the one a desktop session uses).
    static constexpr char kSelection[] = "_NET_WM_CM_S0";
    const ReplyPtr<xcb_intern_atom_reply_t> atom(xcb_intern_atom_reply(
        connection, xcb_intern_atom(connection, 1, sizeof kSelection - 1, kSelection), nullptr));
    if (!atom || atom->atom == XCB_ATOM_NONE)
        return false;
    const ReplyPtr<xcb_get_selection_owner_reply_t> owner(xcb_get_selection_owner_reply(
        connection, xcb_get_selection_owner(connection, atom->atom), nullptr));
    return owner && owner->owner != XCB_NONE;
}

} // namespace ui
