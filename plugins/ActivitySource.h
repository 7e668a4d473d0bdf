#pragma once

#include "HookRecord.h"

// Where a plug-in learns that the user is at the computer: raw input on X11, the session's idle time elsewhere.
// start() runs the source on a thread of its own that calls target.activity(target.context) for input, at most a
// few times a second; it returns false when the source is not available here. stop() ends the thread and is false when it could not be told to end.
class ActivitySource {
public:
    virtual ~ActivitySource() = default;
    virtual bool start(TervoHookRecord target) = 0;
    virtual bool stop() = 0;
};
