#pragma once

#include "pbxlink/LinkServicesPort.h"

// The link's view of the phone books and the history before they are part of the program: no missed calls and
// no book to reconnect.
class DetachedLinkServices final : public LinkServicesPort {
public:
    bool hasMissedCalls() const override { return false; }
    void reconnectFailedBooks() override {}
};
