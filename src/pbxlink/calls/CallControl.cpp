#include "pbxlink/calls/CallControl.h"

#include "pbxlink/lifecycle/LinkLifecycle.h"
#include "pbxlink/protocol/LineDispatcher.h"

CallControl::CallControl(const SettingsRecord& settings, LineDispatcher& dispatcher, LinkLifecycle& lifecycle,
                         LinkNotices& notices, LinkPartners partners, const Clock& clock,
                         std::function<void()> processPendingEvents)
    : m_tracker(CallTracker::Collaborators{
          settings, m_state, notices, partners, clock, [this](const QString& digits) { m_services.dial(digits); },
          [this](const QString& text) { m_callTimer.setChargeText(text); }, std::move(processPendingEvents)})
    , m_services(TelephoneServices::Collaborators{settings, m_state, dispatcher, notices, partners.dialogs,
                                                  [&lifecycle] { return lifecycle.pbxType(); },
                                                  [&lifecycle] { return lifecycle.pbxVersion(); }, clock})
    , m_replies(ServiceReplies::Collaborators{m_state, m_services, notices, partners.dialogs,
                                              [&lifecycle](const PbxReply& reply, const QString& title) {
                                                  return lifecycle.presentServiceError(reply, title);
                                              },
                                              [this] {
                                                  m_tracker.runStartOfCallActions();
                                              }})
{
    dispatcher.setEventSink(&m_tracker);
    lifecycle.setServiceReplyHandler(&m_replies);
}
