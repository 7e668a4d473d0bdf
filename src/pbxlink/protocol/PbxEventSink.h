#pragma once

#include "pbxlink/protocol/PbxEvent.h"

// Receives the exchange's events for this extension (call tracking implements it).
class PbxEventSink {
public:
    virtual ~PbxEventSink() = default;

    virtual void handleEvent(const PbxEvent& event) = 0;

    // Dialled-digit echoes count only while no conversation is established.
    virtual bool conversationEstablished() const = 0;
};
