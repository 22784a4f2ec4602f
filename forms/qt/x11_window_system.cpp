#include "forms/qt/x11_window_system.h"

#include <QGuiApplication>
#include <QWidget>
#include <QtGui/qguiapplication_platform.h>

#include <xcb/xcb.h>
// The XKB protocol header names a field "explicit", a keyword of C++.
#define explicit explicit_
#include <xcb/xkb.h>
#undef explicit

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

namespace forms::qt {

namespace {

// A reply of the X server, freed as xcb asks.
template <class T> using Reply = std::unique_ptr<T, decltype(&std::free)>;
template <class T> Reply<T> reply(T* r) {
    return Reply<T>(r, &std::free);
}

// The connection Qt talks to the X server on; nullptr on other platforms.
xcb_connection_t* x11Connection() {
    auto* app = qGuiApp;
    auto* x11 = app ? app->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    return x11 ? x11->connection() : nullptr;
}

xcb_atom_t atom(xcb_connection_t* c, const char* name) {
    const auto r = reply(xcb_intern_atom_reply(
        c, xcb_intern_atom(c, 0, static_cast<std::uint16_t>(std::strlen(name)), name), nullptr));
    return r ? r->atom : static_cast<xcb_atom_t>(XCB_ATOM_NONE);
}

} // namespace

void useDetectableAutoRepeat() {
    xcb_connection_t* c = x11Connection();
    if (!c)
        return;
    const xcb_query_extension_reply_t* xkb = xcb_get_extension_data(c, &xcb_xkb_id);
    if (!xkb || !xkb->present)
        return;
    const auto use = reply(xcb_xkb_use_extension_reply(
        c, xcb_xkb_use_extension(c, XCB_XKB_MAJOR_VERSION, XCB_XKB_MINOR_VERSION), nullptr));
    if (!use || !use->supported)
        return;
    const std::uint32_t flag = XCB_XKB_PER_CLIENT_FLAG_DETECTABLE_AUTO_REPEAT;
    reply(xcb_xkb_per_client_flags_reply(
        c, xcb_xkb_per_client_flags(c, XCB_XKB_ID_USE_CORE_KBD, flag, flag, 0, 0, 0), nullptr));
}

void keepOutOfTaskbar(QWidget& window) {
    xcb_connection_t* c = x11Connection();
    if (!c)
        return;
    const xcb_atom_t state = atom(c, "_NET_WM_STATE");
    const xcb_atom_t skip = atom(c, "_NET_WM_STATE_SKIP_TASKBAR");
    if (state == XCB_ATOM_NONE || skip == XCB_ATOM_NONE)
        return;
    const auto id = static_cast<xcb_window_t>(window.winId());
    // Qt keeps the states it finds on the window when it maps it and adds its own.
    std::vector<xcb_atom_t> states;
    const auto now = reply(xcb_get_property_reply(
        c, xcb_get_property(c, 0, id, state, XCB_ATOM_ATOM, 0, 1024), nullptr));
    if (now && now->format == 32 && now->type == XCB_ATOM_ATOM) {
        const auto* v = static_cast<const xcb_atom_t*>(xcb_get_property_value(now.get()));
        states.assign(v, v + xcb_get_property_value_length(now.get()) / 4);
    }
    if (std::find(states.begin(), states.end(), skip) != states.end())
        return;
    states.push_back(skip);
    xcb_change_property(c, XCB_PROP_MODE_REPLACE, id, state, XCB_ATOM_ATOM, 32,
                        static_cast<std::uint32_t>(states.size()), states.data());
    xcb_flush(c);
}

} // namespace forms::qt
