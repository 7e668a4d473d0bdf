#pragma once

class SignalEvent;

// The waits of the recorder's main-thread side: a turn of the event loop, a pause and a bounded wait for an
// event. The program uses system(); tests count the time instead of spending it.
class RecorderWaits {
public:
    virtual ~RecorderWaits() = default;

    virtual void pumpEvents() = 0;
    virtual void sleep(int ms) = 0;
    // True when event is or becomes signalled within ms.
    virtual bool waitFor(SignalEvent& event, int ms) = 0;

    static RecorderWaits& system();
};
