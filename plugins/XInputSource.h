#pragma once

#include "ActivitySource.h"

#include <thread>

struct _XDisplay;

// A thread with its own X connection that listens for XInput2 raw events of one kind on the root window (pointer
// motion and buttons for the mouse plug-in, keys for the keyboard plug-in), so it sees input to every program
// without grabbing anything.
class XInputSource final : public ActivitySource {
public:
    ~XInputSource() override { stop(); }
    bool start(TervoHookRecord target) override;
    bool stop() override;

private:
    _XDisplay* m_display = nullptr;
    std::thread m_listener;
    int m_stopPipe[2] = {-1, -1};
};
