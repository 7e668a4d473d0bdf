#include "pbxsim/RecordingControl.h"

#include "pbxsim/Exchange.h"
#include "pbxsim/SessionRegistry.h"
#include "pbxsim/WireText.h"

#include <QHostAddress>
#include <QStringList>

namespace pbxsim {

namespace {

// The words before the name, and the name (the rest of the line, blanks kept).
struct Words {
    QStringList head;
    QString rest;
};

Words splitAfter(const QString& line, int headWords)
{
    Words words;
    qsizetype position = 0;
    for (int i = 0; i < headWords; ++i) {
        while (position < line.size() && line.at(position) == u' ') {
            ++position;
        }
        const qsizetype end = line.indexOf(u' ', position);
        words.head.append(line.mid(position, end < 0 ? -1 : end - position));
        position = end < 0 ? line.size() : end + 1;
    }
    words.rest = line.mid(position).trimmed();
    return words;
}

bool isLoopback(const QString& host)
{
    const QHostAddress address(host);
    return !address.isNull() && address.isLoopback();
}

} // namespace

RecordingControl::RecordingControl(const Exchange& exchange, const SessionRegistry& registry)
    : m_exchange(exchange)
    , m_registry(registry)
{
}

QString RecordingControl::manual()
{
    return QStringLiteral("  record EXT HOST NAME...\n"
                          "      a recording of the call began and ended (RECB, RECE); HOST is a loopback FTP server\n"
                          "  record-begin EXT NAME... | record-change EXT NAME... | record-end EXT HOST NAME...\n"
                          "      one announcement alone (RECB, RECC, RECE)\n");
}

std::optional<ControlReply> RecordingControl::execute(const QString& line)
{
    const QString name = line.section(u' ', 0, 0, QString::SectionSkipEmpty);
    const bool withHost = name == u"record" || name == u"record-end";
    if (!withHost && name != u"record-begin" && name != u"record-change") {
        return std::nullopt;
    }
    const Words words = splitAfter(line, withHost ? 3 : 2);
    const QString extension = WireText::unpadField(words.head.value(1));
    if (words.rest.isEmpty() || extension.isEmpty()) {
        return ControlReply::failure(withHost ? QStringLiteral("usage: %1 EXT HOST NAME...").arg(name)
                                              : QStringLiteral("usage: %1 EXT NAME...").arg(name));
    }
    if (!m_exchange.hasExtension(extension)) {
        return ControlReply::failure(QStringLiteral("unknown extension %1").arg(extension));
    }
    if (withHost && !isLoopback(words.head.value(2))) {
        return ControlReply::failure(QStringLiteral("HOST must be a loopback address"));
    }
    if (name == u"record-begin") {
        return announce(extension, QStringLiteral("RECB"), words.rest);
    }
    if (name == u"record-change") {
        return announce(extension, QStringLiteral("RECC"), words.rest);
    }
    if (name == u"record") {
        announce(extension, QStringLiteral("RECB"), words.rest);
    }
    return ended(extension, words.head.value(2), words.rest);
}

ControlReply RecordingControl::announce(const QString& extension, const QString& tag, const QString& parameters)
{
    const int sessions = m_registry.sendLine(extension, WireText::event(tag, extension, parameters));
    return sessions == 0 ? ControlReply::success(QStringLiteral("(no session)")) : ControlReply::success();
}

ControlReply RecordingControl::ended(const QString& extension, const QString& host, const QString& name)
{
    ++m_recordings;
    return announce(extension, QStringLiteral("RECE"),
                    QString::number(m_recordings) + u' ' + host + QStringLiteral(" <") + name + u'>');
}

} // namespace pbxsim
