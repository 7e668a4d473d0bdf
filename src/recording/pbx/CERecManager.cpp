#include "recording/pbx/CERecManager.h"

#include "recording/RecordName.h"
#include "recording/pbx/PbxRecordingName.h"
#include "recording/pbx/RecordingHistoryPort.h"
#include "recording/pbx/RecordingStore.h"
#include "settings/Lang.h"
#include "settings/SettingsRecord.h"

#include <QDebug>
#include <QFileInfo>

namespace {

// The recordings' source index of the exchange's own recordings.
constexpr int SourceExchange = 1;

} // namespace

CERecManager::CERecManager(const SettingsRecord& settings, RecordingHistoryPort& history,
                           std::function<void(DownloadJob job)> queueJob, QObject* parent)
    : QObject(parent)
    , m_settings(settings)
    , m_history(history)
    , m_queueJob(std::move(queueJob))
{
}

bool CERecManager::isModeOn() const
{
    return m_settings.Audio.NagrywanieWlaczone && m_settings.Audio.ZrodloAudio == SourceExchange;
}

void CERecManager::entryReserved(int entryId)
{
    m_currentEntryId = entryId;
    m_linkPending = false;
    if (!isModeOn() || entryId < 0) {
        return;
    }
    if (!m_currentRecordingId.isEmpty()) {
        storeIdentifier(entryId, m_currentRecordingId);
    } else {
        m_linkPending = true;
    }
}

void CERecManager::recordingBegun(const QString& text)
{
    if (!isModeOn()) {
        return;
    }
    m_currentRecordingId = PbxRecordingName::identifierOfAnnounced(text);
    {
        const std::lock_guard lock(m_lock);
        m_announced.append(text);
    }
    if (m_linkPending) {
        m_linkPending = false;
        storeIdentifier(m_currentEntryId, m_currentRecordingId);
    }
    emit recordingIndicator(true);
}

void CERecManager::recordingChanged(const QString& text)
{
    if (!isModeOn() || text.size() != PbxRecordingName::NameLength) {
        return;
    }
    m_currentName = text;
    {
        const std::lock_guard lock(m_lock);
        m_announced.removeAll(text);
    }
    emit recordingIndicator(false);
    emit notice(NoticeAborted, text);
}

void CERecManager::recordingEnded(const QString& first, const QString& second, const QString& name)
{
    bool announced = false;
    {
        const std::lock_guard lock(m_lock);
        announced = m_announced.contains(name);
    }
    if (isModeOn() && announced) {
        if (m_currentEntryId >= 0) {
            storeIdentifier(m_currentEntryId, PbxRecordingName::identifierOfAnnounced(name));
        }
        const PbxRecordingName::RemoteName remote = PbxRecordingName::split(name);
        // A name of another length has no identifier, but the recording is still worth fetching.
        if (!remote.file.isEmpty() && m_queueJob) {
            m_lastHost = second;
            m_queueJob(DownloadJob::forRecord(CRecord{second, remote.folder, remote.file, first}));
        }
    }
    const std::lock_guard lock(m_lock);
    m_announced.removeAll(name);
}

void CERecManager::loggedIn()
{
    // The announcements of a connection that broke stay: the exchange may still end them on the new one.
    const std::lock_guard lock(m_lock);
}

void CERecManager::callClosed()
{
    m_currentEntryId = -1;
    m_linkPending = false;
}

void CERecManager::storeIdentifier(int entryId, const QString& recordingId)
{
    if (entryId < 0 || recordingId.isEmpty()) {
        return;
    }
    if (!m_history.setRecording(entryId, recordingId)) {
        qWarning().noquote() << "The recording" << recordingId << "could not be linked to history entry" << entryId;
    }
}

QString CERecManager::localName(const QString& remoteName, int entryId)
{
    const QString fileName = PbxRecordingName::split(remoteName).file;
    // The identifier comes from the exchange as it stands; it is cleaned like any party name before it names a file.
    const QString identifier = PbxRecordingName::identifier(fileName);
    const QString prefix = identifier.isEmpty() ? QFileInfo(fileName).completeBaseName() : identifier;
    QString party;
    QDateTime start;
    if (entryId >= 0) {
        if (const std::optional<RecordingHistoryPort::CallData> call = m_history.callData(entryId)) {
            start = call->start;
            party = m_history.nameForNumber(call->number);
            if (party.isEmpty()) {
                party = Lang::_("unknown call");
            }
        }
    }
    return RecordName::forExchange(prefix, party, start);
}

void CERecManager::fileReceived(const QString& remoteName, const QByteArray& data)
{
    const QString recordingId = PbxRecordingName::identifierOfAnnounced(remoteName);
    const int entryId = recordingId.isEmpty() ? -1 : m_history.entryForRecording(recordingId);
    const QString path = RecordingStore::write(m_history.recordingsFolder(), localName(remoteName, entryId), data);
    if (path.isEmpty()) {
        emit error(Lang::_("Write error"));
        return;
    }
    const CFileCompleteData completed{remoteName, path, entryId, true};
    {
        const std::lock_guard lock(m_lock);
        m_completed.append(completed);
    }
    emit fileStored(completed);
}

void CERecManager::entryAdded(int entryId, const QDateTime& /*start*/, const QString& /*number*/)
{
    const QString recordingId = entryId < 0 ? QString() : m_history.recordingOfEntry(entryId);
    if (recordingId.isEmpty()) {
        return;
    }
    // A recording fetched while its entry was only reserved was named without the call; now it gets the call's name.
    const std::lock_guard lock(m_lock);
    for (CFileCompleteData& file : m_completed) {
        if (PbxRecordingName::identifierOfAnnounced(file.remoteName) != recordingId) {
            continue;
        }
        const QString path = RecordingStore::rename(file.localPath, localName(file.remoteName, entryId));
        if (!path.isEmpty()) {
            file.localPath = path;
            file.entryId = entryId;
        }
    }
}

QString CERecManager::recordingAddress(const QString& host, const QString& remoteName)
{
    return QStringLiteral("ftp://wkqz:wkqz@") + host + u'/' + QString(remoteName).replace(u' ', QStringLiteral("%20"));
}

QString CERecManager::RecordingAddress(const QString& remoteName) const
{
    return recordingAddress(m_lastHost, remoteName);
}

QStringList CERecManager::announcedFiles() const
{
    const std::lock_guard lock(m_lock);
    return m_announced;
}
