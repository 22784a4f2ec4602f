// Asks an X11 window to close as a window manager does (Alt+F4 on a desktop): a WM_PROTOCOLS
// client message with WM_DELETE_WINDOW, sent to the window itself, so no window manager is
// needed.
//   close_request <window id>
#include <xcb/xcb.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

xcb_atom_t atom(xcb_connection_t* c, const char* name) {
    xcb_intern_atom_reply_t* r = xcb_intern_atom_reply(
        c, xcb_intern_atom(c, 0, static_cast<uint16_t>(std::strlen(name)), name), nullptr);
    const xcb_atom_t a = r ? r->atom : static_cast<xcb_atom_t>(XCB_ATOM_NONE);
    std::free(r);
    return a;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: close_request <window id>\n");
        return 2;
    }
    const auto window = static_cast<xcb_window_t>(std::strtoul(argv[1], nullptr, 0));
    xcb_connection_t* c = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(c)) {
        std::fprintf(stderr, "close_request: no X display\n");
        return 1;
    }
    xcb_client_message_event_t e{};
    e.response_type = XCB_CLIENT_MESSAGE;
    e.format = 32;
    e.window = window;
    e.type = atom(c, "WM_PROTOCOLS");
    e.data.data32[0] = atom(c, "WM_DELETE_WINDOW");
    e.data.data32[1] = XCB_CURRENT_TIME;
    xcb_generic_error_t* error =
        xcb_request_check(c, xcb_send_event_checked(c, 0, window, XCB_EVENT_MASK_NO_EVENT,
                                                    reinterpret_cast<const char*>(&e)));
    const bool ok = error == nullptr;
    std::free(error);
    xcb_disconnect(c);
    return ok ? 0 : 1;
}
