#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

// A recording the exchange finished: where it lies and what the recording-ended line said of it.
struct CRecord {
    QString host;       // the FTP server: the second field of the recording-ended line
    QString folder;     // the exchange's folder of the file (may be empty)
    QString fileName;   // the file in that folder
    QString firstField; // the first field of the recording-ended line
};

// One file of a download job and the memory it is received into.
struct CFTPFile {
    QString remoteName;
    QByteArray buffer;
};

// What the worker fetches in one FTP session: files of one folder on one server, in order.
struct DownloadJob {
    CRecord record;
    QList<CFTPFile> files;

    // The job for one recording: its one file.
    static DownloadJob forRecord(const CRecord& record) { return DownloadJob{record, {CFTPFile{record.fileName, {}}}}; }
};

// A fetched recording stored in the recordings folder.
struct CFileCompleteData {
    QString remoteName; // the exchange's file name
    QString localPath;
    int entryId = -1; // the history entry of the call, -1 when none was found
    bool ok = false;
};
