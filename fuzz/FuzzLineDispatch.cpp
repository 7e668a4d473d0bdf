// Feeds arbitrary bytes, split at a point the input chooses, through the PBX link's framing, decoding and
// dispatch, with commands outstanding and deferred so replies and events pair with them.
#include "QuietLogging.h"
#include "pbxlink/protocol/LineDispatcher.h"
#include "pbxlink/protocol/LineFramer.h"
#include "pbxlink/protocol/PbxEventSink.h"
#include "pbxlink/protocol/ProtocolPeer.h"
#include "settings/CodePage.h"

#include <cstdint>
#include <cstdlib>

namespace {

class FuzzPeer final : public ProtocolPeer {
public:
    QString extension() const override { return QStringLiteral("21"); }
    bool isOpen() const override { return true; }
    bool writeBytes(const QByteArray& bytes) override { return !bytes.isEmpty(); }
    void queueIncomingLine(const QString&) override {}
    void console(const QString& line, ConsoleColour) override { consoleBytes += line.size(); }
    void replyReceived(const PbxReply& reply, const QString& command) override
    {
        if (command.isEmpty() || (reply.kind == PbxReply::Kind::Refused && !reply.line.startsWith(u"aNA"))) {
            std::abort();
        }
    }

    qsizetype consoleBytes = 0;
};

class FuzzSink final : public PbxEventSink {
public:
    void handleEvent(const PbxEvent& event) override
    {
        for (int i = 0; i < 6; ++i) {
            consumed += event.parameter(i).size() + event.restFrom(i).size();
        }
    }
    bool conversationEstablished() const override { return (consumed & 1) != 0; }

    qsizetype consumed = 0;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    silenceProgramLogging();
    const QByteArrayView bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    FuzzPeer peer;
    FuzzSink sink;
    LineDispatcher dispatcher(peer);
    dispatcher.setEventSink(&sink);
    dispatcher.sendQueued(QStringLiteral("aPICK 21__"));
    dispatcher.sendQueued(QStringLiteral("aDIAL 21__ 123"));
    dispatcher.sendQueued(QStringLiteral("aRQST 21__"));

    LineFramer framer;
    QList<QByteArray> lines;
    const qsizetype split = bytes.isEmpty() ? 0 : static_cast<unsigned char>(bytes[0]) % (bytes.size() + 1);
    framer.feed(bytes.first(split), lines);
    framer.feed(bytes.sliced(split), lines);
    for (const QByteArray& line : lines) {
        if (line.isEmpty() || line.contains('\0')) {
            std::abort();
        }
        dispatcher.dispatch(CodePage::fromWindows1250(line));
    }
    return 0;
}
