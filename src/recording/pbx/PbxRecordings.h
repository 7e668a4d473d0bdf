#pragma once

#include "recording/pbx/CERecManager.h"
#include "recording/pbx/CFTPThread.h"

#include <QObject>
#include <memory>

// The exchange's recordings put together: the manager on the user-interface thread and the worker that fetches
// the files. Each fetched file is handed back to the manager by a queued call; the worker's failures arrive as
// the manager's error signal, on the user-interface thread too.
class PbxRecordings final : public QObject {
    Q_OBJECT

public:
    PbxRecordings(const SettingsRecord& settings, RecordingHistoryPort& history, FtpSettings ftp = {},
                  QObject* parent = nullptr);
    ~PbxRecordings() override;

    CERecManager& manager() { return m_manager; }
    CFTPThread& worker() { return *m_worker; }

    // The worker stops; a transfer still running after waitMs is aborted.
    void shutDown(int waitMs = CFTPThread::DefaultShutdownWaitMs);

signals:
    void progress(int percent);

private:
    CFTPThread::Handlers handlers();

    CERecManager m_manager;
    std::unique_ptr<CFTPThread> m_worker;
};
