#include "books/history/HistoryRecordingFiles.h"

#include "recording/RecordName.h"
#include "settings/Lang.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

using Lang::_;

namespace {

constexpr qint64 MillisecondsPerDay = 24 * 60 * 60 * 1000;

// The call's length as a time of day, as the recorder names its file; invalid without an end.
QTime duration(const HistoryEntry& entry)
{
    const QDateTime start = entry.start();
    const QDateTime end = entry.end();
    if (!start.isValid() || !end.isValid() || end < start) {
        return {};
    }
    return QTime::fromMSecsSinceStartOfDay(static_cast<int>(start.msecsTo(end) % MillisecondsPerDay));
}

} // namespace

HistoryRecordingFiles::HistoryRecordingFiles(Folder folder, NameForNumber nameForNumber)
    : m_folder(std::move(folder))
    , m_nameForNumber(std::move(nameForNumber))
{
}

HistoryRecordingFiles::HistoryRecordingFiles(const QString& folder, NameForNumber nameForNumber)
    : HistoryRecordingFiles(Folder([folder] { return folder; }), std::move(nameForNumber))
{
}

QString HistoryRecordingFiles::fileName(const HistoryEntry& entry) const
{
    QString party = m_nameForNumber ? m_nameForNumber(entry.number) : QString();
    if (party.isEmpty()) {
        party = _("unknown call");
    }
    if (!entry.recordingId.isEmpty()) {
        // Fetched from the exchange and kept under its identifier, as the recordings manager stores it.
        return RecordName::forExchange(entry.recordingId, party, entry.start());
    }
    return RecordName::forCall(party, entry.start(), duration(entry));
}

QString HistoryRecordingFiles::path(const HistoryEntry& entry) const
{
    const QString name = fileName(entry);
    const QString inFolder = folder();
    if (inFolder.isEmpty() || name.isEmpty() || name.contains(u'/') || name == u"." || name == u"..") {
        return {};
    }
    return QDir(inFolder).filePath(name);
}

bool HistoryRecordingFiles::remove(const HistoryEntry& entry) const
{
    const QString path = this->path(entry);
    if (path.isEmpty()) {
        return false;
    }
    // Only a file directly inside the folder goes; a link is removed itself, never what it points to.
    const QFileInfo file(path);
    const QString folder = QFileInfo(this->folder()).canonicalFilePath();
    if (folder.isEmpty() || file.dir().canonicalPath() != folder || (file.isDir() && !file.isSymLink())) {
        return false;
    }
    return QFile::remove(file.filePath());
}
