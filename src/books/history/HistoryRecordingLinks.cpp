#include "books/history/HistoryRecordingLinks.h"

#include "books/history/HistoryReader.h"
#include "books/history/HistoryRegister.h"

HistoryRecordingLinks::HistoryRecordingLinks(Sources sources)
    : m_sources(std::move(sources))
{
}

bool HistoryRecordingLinks::setRecording(int entryId, const QString& recordingId)
{
    HistoryRegister* entries = m_sources.entries ? m_sources.entries() : nullptr;
    return entries != nullptr && entries->setRecording(entryId, recordingId);
}

int HistoryRecordingLinks::entryForRecording(const QString& recordingId)
{
    HistoryReader* reader = m_sources.reader ? m_sources.reader() : nullptr;
    return reader != nullptr && !recordingId.isEmpty() ? reader->entryForRecording(recordingId) : -1;
}

QString HistoryRecordingLinks::recordingOfEntry(int entryId)
{
    HistoryReader* reader = m_sources.reader ? m_sources.reader() : nullptr;
    return reader != nullptr ? reader->recordingOfEntry(entryId) : QString();
}

std::optional<RecordingHistoryPort::CallData> HistoryRecordingLinks::callData(int entryId)
{
    HistoryReader* reader = m_sources.reader ? m_sources.reader() : nullptr;
    const std::optional<HistoryEntry> entry = reader != nullptr ? reader->entry(entryId) : std::nullopt;
    if (!entry) {
        return std::nullopt;
    }
    return CallData{entry->startDate.isValid() ? entry->start() : QDateTime(), entry->number};
}

QString HistoryRecordingLinks::nameForNumber(const QString& number)
{
    return m_sources.nameForNumber ? m_sources.nameForNumber(number) : QString();
}

QString HistoryRecordingLinks::recordingsFolder()
{
    return m_sources.folder ? m_sources.folder() : QString();
}
