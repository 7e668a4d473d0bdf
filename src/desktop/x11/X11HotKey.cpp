#include "desktop/x11/X11HotKey.h"

#include <QGuiApplication>
#include <X11/Xlib.h>
#include <xcb/xcb.h>

namespace {

constexpr unsigned int NumLock = XCB_MOD_MASK_2;
constexpr unsigned int LockVariants[] = {0, XCB_MOD_MASK_LOCK, NumLock, XCB_MOD_MASK_LOCK | NumLock};

struct X11 {
    Display* display = nullptr;
    xcb_connection_t* connection = nullptr;
    xcb_window_t root = 0;
};

std::optional<X11> x11()
{
    auto* application = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    if (application == nullptr || application->display() == nullptr || application->connection() == nullptr) {
        return std::nullopt;
    }
    X11 x{application->display(), application->connection(), 0};
    x.root = xcb_setup_roots_iterator(xcb_get_setup(x.connection)).data->root;
    return x;
}

} // namespace

X11HotKey::X11HotKey(QObject* parent)
    : QObject(parent)
{
    if (qGuiApp != nullptr) {
        qGuiApp->installNativeEventFilter(this);
    }
}

X11HotKey::~X11HotKey()
{
    release();
    if (qGuiApp != nullptr) {
        qGuiApp->removeNativeEventFilter(this);
    }
}

bool X11HotKey::grab(const HotKeyChoice& choice)
{
    release();
    const std::optional<X11> x = x11();
    if (!x) {
        return false;
    }
    const KeyCode keycode = XKeysymToKeycode(x->display, choice.keysym);
    if (keycode == 0) {
        return false;
    }
    m_keycode = keycode;
    m_modifiers = choice.controlAlt ? (XCB_MOD_MASK_CONTROL | XCB_MOD_MASK_1) : 0;
    if (!grabVariants(m_modifiers)) {
        release();
        return false;
    }
    return true;
}

bool X11HotKey::grabVariants(unsigned int modifiers)
{
    const std::optional<X11> x = x11();
    bool all = true;
    for (const unsigned int lock : LockVariants) {
        const xcb_void_cookie_t cookie =
            xcb_grab_key_checked(x->connection, 1, x->root, static_cast<uint16_t>(modifiers | lock), m_keycode,
                                 XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC);
        if (xcb_generic_error_t* error = xcb_request_check(x->connection, cookie)) {
            free(error);
            all = false;
        }
    }
    return all;
}

void X11HotKey::release()
{
    if (m_keycode == 0) {
        return;
    }
    if (const std::optional<X11> x = x11()) {
        for (const unsigned int lock : LockVariants) {
            xcb_ungrab_key(x->connection, m_keycode, x->root, static_cast<uint16_t>(m_modifiers | lock));
        }
        xcb_flush(x->connection);
    }
    m_keycode = 0;
}

bool X11HotKey::nativeEventFilter(const QByteArray& eventType, void* message, qintptr*)
{
    if (m_keycode == 0 || eventType != "xcb_generic_event_t") {
        return false;
    }
    const auto* event = static_cast<const xcb_generic_event_t*>(message);
    if ((event->response_type & ~0x80) != XCB_KEY_PRESS) {
        return false;
    }
    const auto* key = static_cast<const xcb_key_press_event_t*>(message);
    const unsigned int state = key->state & ~(XCB_MOD_MASK_LOCK | NumLock);
    if (key->detail != m_keycode || state != m_modifiers) {
        return false;
    }
    emit pressed();
    return true;
}
