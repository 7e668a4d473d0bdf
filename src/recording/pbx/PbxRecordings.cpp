#include "recording/pbx/PbxRecordings.h"

#include "settings/Lang.h"

#include <QDebug>
#include <QPointer>

PbxRecordings::PbxRecordings(const SettingsRecord& settings, RecordingHistoryPort& history, FtpSettings ftp,
                             QObject* parent)
    : QObject(parent)
    , m_manager(settings, history, [this](DownloadJob job) { m_worker->addJob(std::move(job)); })
    , m_worker(std::make_unique<CFTPThread>(std::move(ftp), handlers()))
{
    m_worker->start();
}

PbxRecordings::~PbxRecordings()
{
    shutDown();
}

void PbxRecordings::shutDown(int waitMs)
{
    m_worker->shutDown(waitMs);
}

CFTPThread::Handlers PbxRecordings::handlers()
{
    CFTPThread::Handlers handlers;
    CERecManager* manager = &m_manager;
    handlers.fileCompleted = [manager](const CRecord& /*record*/, const CFTPFile& file) {
        QMetaObject::invokeMethod(
            manager,
            [manager, name = file.remoteName, data = file.buffer] {
                try {
                    manager->fileReceived(name, data);
                } catch (const std::exception& exception) {
                    qWarning() << "Storing a recording failed:" << exception.what();
                    emit manager->error(Lang::_("Iternal error"));
                }
            },
            Qt::QueuedConnection);
    };
    handlers.progress = [this](int percent) {
        QMetaObject::invokeMethod(
            this, [this, percent] { emit progress(percent); }, Qt::QueuedConnection);
    };
    handlers.error = [manager](const DownloadJob& job, const QString& text) {
        const QString what = text.isEmpty() ? Lang::_("Iternal error") : text;
        qWarning().noquote() << "Fetching the recording" << job.record.fileName << "from" << job.record.host
                             << "failed:" << what;
        QMetaObject::invokeMethod(
            manager, [manager, what] { emit manager->error(what); }, Qt::QueuedConnection);
    };
    return handlers;
}
