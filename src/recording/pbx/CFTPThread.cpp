#include "recording/pbx/CFTPThread.h"

#include "recording/pbx/CFTPClient.h"
#include "settings/Lang.h"

#include <QDebug>
#include <cmath>
#include <new>

namespace {

constexpr int PauseBetweenFilesMs = 1;

int progressAfter(qsizetype done, qsizetype count)
{
    return static_cast<int>(std::floor(static_cast<double>(done) * 100.0 / static_cast<double>(count) + 0.5));
}

} // namespace

CFTPThread::CFTPThread(FtpSettings settings, Handlers handlers, QObject* parent)
    : QThread(parent)
    , m_settings(std::move(settings))
    , m_handlers(std::move(handlers))
{
    setObjectName(QStringLiteral("FtpThread"));
}

CFTPThread::~CFTPThread()
{
    shutDown();
}

void CFTPThread::addJob(DownloadJob job)
{
    {
        const std::lock_guard lock(m_queueLock);
        m_queue.push_back(std::move(job));
    }
    m_workAvailable.set();
}

int CFTPThread::queuedJobs() const
{
    const std::lock_guard lock(m_queueLock);
    return static_cast<int>(m_queue.size());
}

void CFTPThread::setMayRun(bool mayRun)
{
    if (mayRun) {
        m_mayRun.set();
        m_workAvailable.set();
    } else {
        m_mayRun.reset();
    }
}

void CFTPThread::requestStop()
{
    m_stopRequested.set();
}

void CFTPThread::resume()
{
    m_stopRequested.reset();
    m_workAvailable.set();
}

void CFTPThread::shutDown(int waitMs)
{
    if (!isRunning()) {
        return;
    }
    m_terminated = true;
    m_stopRequested.set();
    m_workAvailable.set();
    // The worker may not have marked itself busy yet when a job was added just before; the bounded wait for the
    // thread's end covers that case too.
    if (!m_idle.waitFor(std::chrono::milliseconds(waitMs)) || !wait(QDeadlineTimer(waitMs))) {
        qWarning().noquote() << "FTP transfer still running at shutdown; aborted";
        m_abort = true;
        wait();
    }
}

void CFTPThread::run()
{
    while (!m_terminated) {
        m_idle.reset();
        DownloadJob job;
        const bool mayWork = m_mayRun.isSet() && !m_stopRequested.isSet();
        if (!mayWork || !takeJob(job)) {
            m_idle.set();
            m_workAvailable.wait();
            continue;
        }
        process(job);
    }
    m_idle.set();
}

bool CFTPThread::takeJob(DownloadJob& job)
{
    const std::lock_guard lock(m_queueLock);
    if (m_queue.empty()) {
        return false;
    }
    job = std::move(m_queue.front());
    m_queue.pop_front();
    return true;
}

void CFTPThread::process(DownloadJob& job)
{
    QString error;
    bool ok = false;
    try {
        CFTPClient client(m_settings, [this] { return m_abort.load(); });
        if (client.open(job.record.host, job.record.folder)) {
            ok = download(client, job, error);
        } else {
            error = client.error();
        }
        client.close();
    } catch (const std::bad_alloc&) {
        error = Lang::_("Iternal error");
    } catch (const std::exception&) {
        error = Lang::_("Iternal error");
    }
    if (!ok && m_handlers.error) {
        m_handlers.error(job, error);
    }
}

bool CFTPThread::download(CFTPClient& client, DownloadJob& job, QString& error)
{
    const qsizetype count = job.files.size();
    bool succeeded = true;
    for (qsizetype i = 0; i < count; ++i) {
        CFTPFile& file = job.files[i];
        if (m_handlers.fileStart) {
            m_handlers.fileStart(file);
        }
        const qint64 size = client.size(file.remoteName);
        file.buffer.clear();
        if (size > 0 && size <= m_settings.maxFileBytes) {
            file.buffer.reserve(static_cast<qsizetype>(size));
        }
        succeeded = client.fetch(file.remoteName, file.buffer);
        if (succeeded) {
            if (m_handlers.fileCompleted) {
                m_handlers.fileCompleted(job.record, file);
            }
            file.buffer = QByteArray();
        } else {
            error = client.error();
        }
        if (m_handlers.progress) {
            m_handlers.progress(progressAfter(i + 1, count));
        }
        if (!succeeded || !client.isConnected() || m_stopRequested.isSet()) {
            break;
        }
        QThread::msleep(PauseBetweenFilesMs);
    }
    if (m_handlers.progress) {
        m_handlers.progress(100);
    }
    return succeeded;
}
