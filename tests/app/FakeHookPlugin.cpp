// A stand-in activity plug-in for the loader's tests. Its behaviour comes from the environment:
// TERVO_FAKE_HOOK_NULL_RECORD=1 returns no record, TERVO_FAKE_HOOK_REFUSE=1 fails the install; an install that
// succeeds reports one activity at once.
#include "plugins/HookRecord.h"

#include <cstdlib>
#include <cstring>

namespace {

TervoHookRecord record{nullptr, nullptr};

bool set(const char* name)
{
    const char* value = std::getenv(name);
    return value != nullptr && std::strcmp(value, "1") == 0;
}

} // namespace

extern "C" __attribute__((visibility("default"))) TervoHookRecord* GetMsgRecPointer()
{
    return set("TERVO_FAKE_HOOK_NULL_RECORD") ? nullptr : &record;
}

extern "C" __attribute__((visibility("default"))) bool _InstallHook()
{
    if (set("TERVO_FAKE_HOOK_REFUSE")) {
        return false;
    }
    if (record.activity != nullptr) {
        record.activity(record.context);
    }
    return true;
}

extern "C" __attribute__((visibility("default"))) bool _RemoveHook()
{
    return true;
}
