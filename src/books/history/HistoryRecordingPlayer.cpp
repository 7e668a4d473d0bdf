#include "books/history/HistoryRecordingPlayer.h"

#include "settings/Lang.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

using Lang::_;

HistoryRecordingPlayer::HistoryRecordingPlayer(Ports ports)
    : m_ports(std::move(ports))
{
}

QString HistoryRecordingPlayer::play(const HistoryEntry& entry) const
{
    const QString folder = m_ports.folder ? m_ports.folder() : QString();
    if (folder.isEmpty() || !QFileInfo(folder).isDir()) {
        return _("audio notes folder does not exist. Please set location for audio notes in setup window.");
    }
    const QString path = HistoryRecordingFiles(folder, m_ports.nameForNumber).path(entry);
    QUrl address;
    if (!path.isEmpty() && QFileInfo(path).isFile()) {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly)) {
            return _("Error:") + u' ' + file.errorString();
        }
        address = QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath());
    } else if (!entry.recordingId.isEmpty() && m_ports.exchangeAddress) {
        address = m_ports.exchangeAddress(entry.recordingId);
    }
    if (address.isEmpty()) {
        return _("file with a call has not been found");
    }
    if (m_ports.open && m_ports.open(address)) {
        return {};
    }
    if (address.isLocalFile() && address.path().endsWith(QStringLiteral(".ogg"))) {
        return _("no application for playing files in Ogg Vorbis format.");
    }
    return _("Error:") + u' ' + address.toDisplayString(QUrl::RemovePassword);
}
