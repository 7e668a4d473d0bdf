#pragma once

#include "recording/pbx/FtpJob.h"
#include "recording/pbx/FtpSettings.h"
#include "recording/SignalEvent.h"

#include <QThread>
#include <atomic>
#include <deque>
#include <functional>
#include <mutex>

// The worker thread "FtpThread" that fetches the exchange's recordings: it takes download jobs from its queue one
// after the other, opens an FTP session for each, fetches the job's files in order into memory and hands each
// fetched file on. Between files it looks at the stop request; while it has nothing to do it sleeps until work is
// added. Handlers are called on the worker thread.
class CFTPThread final : public QThread {
    Q_OBJECT

public:
    struct Handlers {
        std::function<void(const CRecord& record, const CFTPFile& file)> fileCompleted;
        std::function<void(const CFTPFile& file)> fileStart;
        std::function<void(int percent)> progress;
        // The job could not be fetched (whole or in part): the job and why.
        std::function<void(const DownloadJob& job, const QString& text)> error;
    };

    static constexpr int DefaultShutdownWaitMs = 3000;

    explicit CFTPThread(FtpSettings settings, Handlers handlers, QObject* parent = nullptr);
    ~CFTPThread() override;

    // Appends the job to the queue and wakes the worker. Safe from any thread.
    void addJob(DownloadJob job);
    int queuedJobs() const;

    // A paused worker finishes its job and takes no further one until it may run again.
    void setMayRun(bool mayRun);
    // Lets the file being fetched finish; no further file or job is fetched until resume().
    void requestStop();
    void resume();

    bool isIdle() const { return m_idle.isSet(); }
    bool waitForIdle(int milliseconds) { return m_idle.waitFor(std::chrono::milliseconds(milliseconds)); }

    // Stops the worker for good: stop requested, work available, and a wait for it to be idle. A transfer still
    // running after waitMs (a server that does not answer) is aborted. Returns when the thread has ended.
    void shutDown(int waitMs = DefaultShutdownWaitMs);

protected:
    void run() override;

private:
    bool takeJob(DownloadJob& job);
    void process(DownloadJob& job);
    bool download(class CFTPClient& client, DownloadJob& job, QString& error);

    const FtpSettings m_settings;
    const Handlers m_handlers;

    SignalEvent m_idle{SignalEvent::Reset::Manual, true};
    SignalEvent m_mayRun{SignalEvent::Reset::Manual, true};
    SignalEvent m_stopRequested{SignalEvent::Reset::Manual, false};
    SignalEvent m_workAvailable{SignalEvent::Reset::Automatic, false};
    std::atomic_bool m_terminated{false};
    std::atomic_bool m_abort{false};

    mutable std::mutex m_queueLock;
    std::deque<DownloadJob> m_queue;
};
