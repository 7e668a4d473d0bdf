#pragma once

#include "recording/pbx/FtpSettings.h"

#include <QByteArray>
#include <QString>
#include <functional>

using CURL = void;
using CURLM = void;

// One FTP session with the exchange's recording store, over libcurl: passive, binary, logged in as the settings
// say. The control connection opened by open() carries every later request until the session is destroyed.
// Used by one thread only.
class CFTPClient final {
public:
    // aborted is asked while a request waits or transfers; true ends the request at once.
    CFTPClient(FtpSettings settings, std::function<bool()> aborted);
    ~CFTPClient();
    CFTPClient(const CFTPClient&) = delete;
    CFTPClient& operator=(const CFTPClient&) = delete;

    // Connects to host, logs in and changes to folder. False (see error()) on any failure.
    bool open(const QString& host, const QString& folder);
    bool isConnected() const { return m_connected; }
    // The size the server gives for the file, -1 when it gives none.
    qint64 size(const QString& fileName);
    // Fetches the file into buffer (emptied first).
    bool fetch(const QString& fileName, QByteArray& buffer);
    void close();

    const QString& error() const { return m_error; }

    // The address of a file, for libcurl (user and password are set apart). Empty when host is not a host name
    // or address.
    static QString fileUrl(const QString& host, int port, const QString& folder, const QString& fileName);

private:
    bool perform(const QString& url, bool bodyWanted, QByteArray* buffer);
    int run(); // one request through the multi handle; its CURLcode
    void fail(const QString& text);

    static std::size_t receive(char* data, std::size_t size, std::size_t count, void* self);
    static int progress(void* self, long long, long long, long long, long long);

    FtpSettings m_settings;
    std::function<bool()> m_aborted;
    CURL* m_curl = nullptr;
    CURLM* m_multi = nullptr; // drives the requests and keeps the control connection between them
    QString m_host;
    QString m_folder;
    bool m_connected = false;
    QByteArray* m_target = nullptr;
    bool m_tooLarge = false;
    QString m_error;
};
