#pragma once

// The contract between the client and its two activity plug-ins (plugin/MouseHook.so, plugin/KeyboardHook.so).
// GetMsgRecPointer returns the plug-in's record; the client fills its first field (and the context) before
// _InstallHook. The plug-in then calls activity(context) on its own thread for input of its kind, at most a few
// times a second; the client must pass the call on to its own thread.
struct TervoHookRecord {
    void (*activity)(void* context);
    void* context;
};

extern "C" {
using GetMsgRecPointerFunction = TervoHookRecord* (*)();
using InstallHookFunction = bool (*)();
using RemoveHookFunction = bool (*)();
}
