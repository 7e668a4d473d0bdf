// One activity plug-in: a thread with its own X connection that listens for XInput2 raw events of one kind on the
// root window (pointer motion and buttons for the mouse plug-in, keys for the keyboard plug-in), so it sees input
// to every program without grabbing anything. Built twice, with TERVO_HOOK_MOUSE or TERVO_HOOK_KEYBOARD.
#include "HookRecord.h"

#include <X11/Xlib.h>
#include <X11/extensions/XInput2.h>
#include <atomic>
#include <chrono>
#include <mutex>
#include <poll.h>
#include <thread>
#include <unistd.h>

namespace {

// Raw motion comes in floods; the client needs only to know that the user is there.
constexpr auto ReportSpacing = std::chrono::milliseconds(250);

TervoHookRecord record{nullptr, nullptr};
std::mutex guard;
Display* display = nullptr;
std::thread listener;
int stopPipe[2] = {-1, -1};
int xiOpcode = 0;

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

void listen(Display* connection, int stopFd, TervoHookRecord target)
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

extern "C" __attribute__((visibility("default"))) TervoHookRecord* GetMsgRecPointer()
{
    return &record;
}

extern "C" __attribute__((visibility("default"))) bool _InstallHook()
{
    const std::lock_guard lock(guard);
    if (display != nullptr) {
        return true;
    }
    Display* connection = XOpenDisplay(nullptr);
    if (connection == nullptr) {
        return false;
    }
    int event = 0;
    int error = 0;
    int major = 2;
    int minor = 2;
    if (!XQueryExtension(connection, "XInputExtension", &xiOpcode, &event, &error) ||
        XIQueryVersion(connection, &major, &minor) != Success || pipe(stopPipe) != 0) {
        XCloseDisplay(connection);
        return false;
    }
    selectRawEvents(connection);
    display = connection;
    listener = std::thread(listen, connection, stopPipe[0], record);
    return true;
}

extern "C" __attribute__((visibility("default"))) bool _RemoveHook()
{
    const std::lock_guard lock(guard);
    if (display == nullptr) {
        return true;
    }
    const char stop = 1;
    if (write(stopPipe[1], &stop, 1) != 1) {
        return false;
    }
    listener.join();
    XCloseDisplay(display);
    display = nullptr;
    close(stopPipe[0]);
    close(stopPipe[1]);
    stopPipe[0] = stopPipe[1] = -1;
    return true;
}
