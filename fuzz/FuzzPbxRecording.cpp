// Feeds arbitrary text to the parts that read the exchange's recording announcements: the fields of a RECE line,
// the split of a remote name into folder and file, the recording identifier, and the recording manager's hooks.
// Whatever the text, the fields hold no blank, the name no ">", the file part no separator, the identifier is
// empty or 7 characters long, and a queued job's file, once named locally, stays inside the recordings folder.
#include "QuietLogging.h"
#include "pbxlink/protocol/PbxRecordingEvent.h"
#include "recording/RecordName.h"
#include "recording/pbx/CERecManager.h"
#include "recording/pbx/PbxRecordingName.h"
#include "recording/pbx/RecordingHistoryPort.h"
#include "recording/pbx/RecordingStore.h"
#include "settings/SettingsRecord.h"

#include <QDir>
#include <QFileInfo>
#include <cstdint>
#include <cstdlib>

namespace {

class NoHistory final : public RecordingHistoryPort {
public:
    bool setRecording(int, const QString& recordingId) override
    {
        if (recordingId.size() != PbxRecordingName::IdentifierLength) {
            std::abort();
        }
        return true;
    }
    int entryForRecording(const QString&) override { return -1; }
    QString recordingOfEntry(int) override { return {}; }
    std::optional<CallData> callData(int) override { return std::nullopt; }
    QString nameForNumber(const QString&) override { return {}; }
    QString recordingsFolder() override { return QStringLiteral("/nonexistent/recordings"); }
};

void check(bool condition)
{
    if (!condition) {
        std::abort();
    }
}

void checkRemoteName(const QString& name)
{
    const PbxRecordingName::RemoteName remote = PbxRecordingName::split(name);
    check(!remote.file.contains(u'/') && !remote.file.contains(u'\\'));
    const qsizetype separator = name.size() - remote.file.size() - 1;
    check(name.endsWith(remote.file));
    check(separator < 0 ? remote.folder.isEmpty() : remote.folder == name.left(separator == 0 ? 1 : separator));
    const QString identifier = PbxRecordingName::identifier(remote.file);
    check(identifier.isEmpty() || identifier.size() == PbxRecordingName::IdentifierLength);
    // The local name made from the remote one never leads out of the folder.
    const QString prefix =
        RecordName::cleanName(identifier.isEmpty() ? QFileInfo(remote.file).completeBaseName() : identifier);
    const QString path = RecordingStore::pathInside(QStringLiteral("/r"), RecordName::withPrefix(prefix, {}, {}));
    check(path.isEmpty() || QFileInfo(path).absolutePath() == QStringLiteral("/r"));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    silenceProgramLogging();
    const QString text =
        QString::fromLatin1(reinterpret_cast<const char*>(data), data == nullptr ? 0 : qsizetype(size));

    const std::optional<PbxRecordingEnded> ended =
        PbxRecordingEnded::parse(PbxEvent{PbxEvent::Tag::RecordingEnded, text});
    if (ended) {
        check(!ended->name.isEmpty() && !ended->name.contains(u'>'));
        check(!ended->first.contains(u' ') && !ended->second.contains(u' '));
    }
    checkRemoteName(text);

    SettingsRecord settings{};
    settings.Audio.NagrywanieWlaczone = true;
    settings.Audio.ZrodloAudio = 1;
    NoHistory history;
    QList<DownloadJob> jobs;
    CERecManager manager(settings, history, [&jobs](DownloadJob job) { jobs.append(std::move(job)); });
    manager.entryReserved(1);
    manager.recordingBegun(text);
    if (ended) {
        manager.recordingBegun(ended->name);
        manager.recordingEnded(ended->first, ended->second, ended->name);
    }
    manager.recordingChanged(text);
    manager.recordingEnded(QString(), QString(), text);
    manager.callClosed();
    for (const DownloadJob& job : jobs) {
        check(job.files.size() == 1 && !job.record.fileName.isEmpty());
        checkRemoteName(job.record.fileName);
    }
    return 0;
}
