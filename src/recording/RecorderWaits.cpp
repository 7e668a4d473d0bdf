#include "recording/RecorderWaits.h"

#include "recording/SignalEvent.h"

#include <QCoreApplication>
#include <thread>

namespace {

class SystemWaits final : public RecorderWaits {
public:
    void pumpEvents() override { QCoreApplication::processEvents(); }
    void sleep(int ms) override { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }
    bool waitFor(SignalEvent& event, int ms) override
    {
        return event.waitFor(std::chrono::milliseconds(ms));
    }
};

} // namespace

RecorderWaits& RecorderWaits::system()
{
    static SystemWaits waits;
    return waits;
}
