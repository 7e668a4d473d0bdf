#include "pbxlink/protocol/LineDispatcher.h"

#include "pbxlink/protocol/ExtensionField.h"
#include "pbxlink/protocol/LineFramer.h"
#include "pbxlink/protocol/PbxEventSink.h"
#include "pbxlink/protocol/ProtocolPeer.h"
#include "settings/CodePage.h"

#include <array>

namespace {

struct TagName {
    const char16_t* name;
    PbxEvent::Tag tag;
};

// Compared in this order; the first that starts the line names the event.
constexpr std::array<TagName, 10> Tags = {{
    {u"DRDY", PbxEvent::Tag::DialTone},
    {u"CONN", PbxEvent::Tag::Connected},
    {u"REL", PbxEvent::Tag::Released},
    {u"RING", PbxEvent::Tag::Ringing},
    {u"ECHO", PbxEvent::Tag::Echo},
    {u"AOC", PbxEvent::Tag::AdviceOfCharge},
    {u"STAT", PbxEvent::Tag::Status},
    {u"RECB", PbxEvent::Tag::RecordingBegun},
    {u"RECC", PbxEvent::Tag::RecordingChanged},
    {u"RECE", PbxEvent::Tag::RecordingEnded},
}};

bool isReply(QStringView text)
{
    return text.startsWith(u"OK") || text.startsWith(u"ERROR") || text.startsWith(u"NA");
}

} // namespace

LineDispatcher::LineDispatcher(ProtocolPeer& peer)
    : m_peer(peer)
{
}

bool LineDispatcher::sendRaw(const QString& command)
{
    if (!m_peer.isOpen()) {
        return false;
    }
    m_peer.console(command, ConsoleColour::Sent);
    m_queues.recordWritten(command);
    if (!m_peer.writeBytes(LineFramer::frame(CodePage::toWindows1250(command)))) {
        // The command will get no reply; answer it ourselves so it does not block the ones after it.
        m_peer.queueIncomingLine(QStringLiteral("aERROR"));
    }
    return true;
}

bool LineDispatcher::sendQueued(const QString& command)
{
    if (!m_peer.isOpen()) {
        return false;
    }
    if (!m_queues.admit(command)) {
        return true;
    }
    return sendRaw(command);
}

void LineDispatcher::dispatch(const QString& line)
{
    if (m_firstWordObserver) {
        m_firstWordObserver(line.section(u' ', 0, 0));
    }
    if (!line.startsWith(u'a')) {
        return;
    }
    const QString text = line.sliced(1);
    if (isReply(text)) {
        m_peer.console(text, ConsoleColour::Received);
        handleReply(line);
        return;
    }
    if (handleEventForThisExtension(text)) {
        if (const std::optional<QString> deferred = m_queues.takeDeferredAfterEvent()) {
            sendRaw(*deferred);
        }
    }
}

void LineDispatcher::handleReply(const QString& line)
{
    const std::optional<QString> command = m_queues.takeReplyOwner();
    if (!command) {
        return;
    }
    m_peer.replyReceived(PbxReply::parse(line), *command);
    if (const std::optional<QString> deferred = m_queues.takeDeferredAfterReply()) {
        sendRaw(*deferred);
    }
}

bool LineDispatcher::handleEventForThisExtension(QString text)
{
    // The extension field must start right after the first space: it is the line's second field.
    const qsizetype space = text.indexOf(u' ');
    if (space < 0 || !QStringView(text).sliced(space + 1).startsWith(ExtensionField::pad(m_peer.extension()))) {
        return false;
    }
    m_peer.console(text, ConsoleColour::Received);
    if (text.trimmed().isEmpty()) {
        return true;
    }
    text.remove(space, 1 + ExtensionField::Width);
    const std::optional<PbxEvent> event = parseEvent(text);
    if (event && m_events != nullptr && (event->tag != PbxEvent::Tag::Echo || !m_events->conversationEstablished())) {
        m_events->handleEvent(*event);
    }
    return true;
}

std::optional<PbxEvent> LineDispatcher::parseEvent(const QString& text)
{
    for (const TagName& candidate : Tags) {
        const QStringView name(candidate.name);
        if (text.startsWith(name)) {
            QString parameters = text.sliced(name.size());
            if (parameters.startsWith(u' ')) {
                parameters.remove(0, 1);
            }
            return PbxEvent{candidate.tag, parameters};
        }
    }
    return std::nullopt;
}
