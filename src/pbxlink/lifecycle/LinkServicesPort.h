#pragma once

// What the link asks of the phone books and the call history when it connects or drops.
class LinkServicesPort {
public:
    virtual ~LinkServicesPort() = default;

    virtual bool hasMissedCalls() const = 0;
    // Books that fell back to their default folder try their configured one again.
    virtual void reconnectFailedBooks() = 0;
};
