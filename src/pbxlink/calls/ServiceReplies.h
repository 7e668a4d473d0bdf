#pragma once

#include "pbxlink/lifecycle/LinkPorts.h"

#include <functional>

struct CallState;
class LinkDialogsPort;
class LinkNotices;
class TelephoneServices;

// What the client does with the exchange's reply to a service command, by the command it answers: refused
// services show the exchange's message or the command's own, a refused pick-up to dial shows the handset up, and
// an accepted dial starts the call's recording.
class ServiceReplies final : public ServiceReplyHandler {
public:
    struct Collaborators {
        CallState& state;
        TelephoneServices& services;
        LinkNotices& notices;
        LinkDialogsPort& dialogs;
        // Shows the exchange's message for a refusal code; false when it has none.
        std::function<bool(const PbxReply& reply, const QString& title)> presentServiceError;
        std::function<void()> runStartOfCallActions;
    };

    explicit ServiceReplies(Collaborators collaborators);

    void handleServiceReply(const PbxReply& reply, const QString& command) override;

private:
    void onPickUpReply(const PbxReply& reply);
    void onHangUpReply(const PbxReply& reply);
    // The exchange's message for the refusal, else the command's own as a warning.
    void presentWithFallback(const PbxReply& reply, const QString& title, const QString& fallback);

    Collaborators m_c;
};
