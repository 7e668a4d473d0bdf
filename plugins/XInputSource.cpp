#include "XInputSource.h"

#include <X11/Xlib.h>
#include <X11/extensions/XInput2.h>
#include <chrono>
#include <poll.h>
#include <unistd.h>

namespace {

// Raw motion comes in floods; the client needs only to know that the user is there.
constexpr auto ReportSpacing = std::chrono::milliseconds(250);

void selectRawEvents(Display* connection)
{
    unsigned char mask[XIMaskLen(XI_LASTEVENT)] = {};
#if defined(TERVO_HOOK_MOUSE)
    XISetMask(mask, XI_RawMotion);
    XISetMask(mask, XI_RawButtonPress);
#else
    XISetMask(mask, XI_RawKeyPress);
#endif
    XIEventMask events{XIAllMasterDevices, sizeof(mask), mask};
    XISelectEvents(connection, DefaultRootWindow(connection), &events, 1);
    XFlush(connection);
}

void listen(Display* connection, int xiOpcode, int stopFd, TervoHookRecord target)
{
    auto lastReport = std::chrono::steady_clock::now() - ReportSpacing;
    pollfd watched[2] = {{ConnectionNumber(connection), POLLIN, 0}, {stopFd, POLLIN, 0}};
    for (;;) {
        if (XPending(connection) == 0 && poll(watched, 2, -1) < 0) {
            continue;
        }
        if ((watched[1].revents & POLLIN) != 0) {
            return;
        }
        bool seen = false;
        while (XPending(connection) > 0) {
            XEvent event;
            XNextEvent(connection, &event);
            seen = seen || (event.xcookie.type == GenericEvent && event.xcookie.extension == xiOpcode);
        }
        const auto now = std::chrono::steady_clock::now();
        if (seen && target.activity != nullptr && now - lastReport >= ReportSpacing) {
            lastReport = now;
            target.activity(target.context);
        }
    }
}

} // namespace

bool XInputSource::start(TervoHookRecord target)
{
    if (m_display != nullptr) {
        return true;
    }
    Display* connection = XOpenDisplay(nullptr);
    if (connection == nullptr) {
        return false;
    }
    int xiOpcode = 0;
    int event = 0;
    int error = 0;
    int major = 2;
    int minor = 2;
    if (!XQueryExtension(connection, "XInputExtension", &xiOpcode, &event, &error) ||
        XIQueryVersion(connection, &major, &minor) != Success || pipe(m_stopPipe) != 0) {
        XCloseDisplay(connection);
        return false;
    }
    selectRawEvents(connection);
    m_display = connection;
    m_listener = std::thread(listen, connection, xiOpcode, m_stopPipe[0], target);
    return true;
}

bool XInputSource::stop()
{
    if (m_display == nullptr) {
        return true;
    }
    const char stop = 1;
    if (write(m_stopPipe[1], &stop, 1) != 1) {
        return false;
    }
    m_listener.join();
    XCloseDisplay(m_display);
    m_display = nullptr;
    close(m_stopPipe[0]);
    close(m_stopPipe[1]);
    m_stopPipe[0] = m_stopPipe[1] = -1;
    return true;
}
