#pragma once

#include "books/history/HistoryRecordingLinks.h"
#include "recording/pbx/PbxRecordings.h"

class BookLinkServices;
class SettingsStore;
class TdbCore;
class TelephoneWindowLogic;
class TToPBX;

// The recordings the exchange makes, wired in: the PBX link's recording announcements and call ends, and the
// history's reserved and written rows, go to the recording manager; its indicator, notices and failures go to the
// telephone window. The FTP port is 21 unless $TERVO_PBX_FTP_PORT names another (tests and demonstrations on one
// machine).
class PbxRecordingAssembly final {
public:
    PbxRecordingAssembly(SettingsStore& settings, TdbCore& books, BookLinkServices& linkServices, TToPBX& link,
                         TelephoneWindowLogic& window);
    ~PbxRecordingAssembly();

    PbxRecordings& recordings() { return m_recordings; }

    // Before the link logs out: the worker ends, a transfer that hangs is aborted after a few seconds.
    void shutDown();

    static FtpSettings ftpSettings();

private:
    void showNotice(int code, const QString& text);

    TdbCore& m_books;
    BookLinkServices& m_linkServices;
    TToPBX& m_link;
    TelephoneWindowLogic& m_window;
    HistoryRecordingLinks m_history;
    PbxRecordings m_recordings;
};
