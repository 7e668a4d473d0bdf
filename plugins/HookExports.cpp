// The exports of one activity plug-in, built twice (TERVO_HOOK_MOUSE or TERVO_HOOK_KEYBOARD). The source of
// activity is chosen at install: raw X input in an X11 session, the session's idle time over D-Bus in a Wayland
// session or wherever X cannot be listened to.
#include "HookRecord.h"
#include "SessionIdleSource.h"
#if defined(TERVO_HOOK_WITH_X11)
#include "XInputSource.h"
#endif

#include <cstdlib>
#include <memory>
#include <mutex>

namespace {

TervoHookRecord record{nullptr, nullptr};
std::mutex guard;
std::unique_ptr<ActivitySource> running;

#if defined(TERVO_HOOK_WITH_X11)
bool isWaylandSession()
{
    const char* wayland = std::getenv("WAYLAND_DISPLAY");
    return wayland != nullptr && *wayland != '\0';
}
#endif

std::unique_ptr<ActivitySource> startedSource()
{
#if defined(TERVO_HOOK_WITH_X11)
    // Under XWayland the X server sees only the input of X clients, so a Wayland session asks the desktop.
    if (!isWaylandSession()) {
        auto x11 = std::make_unique<XInputSource>();
        if (x11->start(record)) {
            return x11;
        }
    }
#endif
    auto session = std::make_unique<SessionIdleSource>();
    if (session->start(record)) {
        return session;
    }
    return nullptr;
}

} // namespace

extern "C" __attribute__((visibility("default"))) TervoHookRecord* GetMsgRecPointer()
{
    return &record;
}

extern "C" __attribute__((visibility("default"))) bool _InstallHook()
{
    const std::lock_guard lock(guard);
    if (running == nullptr) {
        running = startedSource();
    }
    return running != nullptr;
}

extern "C" __attribute__((visibility("default"))) bool _RemoveHook()
{
    const std::lock_guard lock(guard);
    if (running == nullptr) {
        return true;
    }
    if (!running->stop()) {
        return false;
    }
    running.reset();
    return true;
}
