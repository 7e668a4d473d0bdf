#include "recording/pbx/CFTPClient.h"

#include "settings/Lang.h"

#include <QUrl>
#include <curl/curl.h>
#include <mutex>

namespace {

// libcurl's global set-up is not safe to run while another thread uses it; it runs once, on first use.
void initialiseCurlOnce()
{
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

long wholeSecondsAtLeastOne(int milliseconds)
{
    return std::max(1L, static_cast<long>((milliseconds + 999) / 1000));
}

QString encodedPath(const QString& path)
{
    QString encoded;
    const QStringList parts = path.split(u'/');
    for (qsizetype i = 0; i < parts.size(); ++i) {
        if (i > 0) {
            encoded += u'/';
        }
        encoded += QString::fromLatin1(QUrl::toPercentEncoding(parts[i]));
    }
    return encoded;
}

CURL* handle(void* curl)
{
    return static_cast<CURL*>(curl);
}

} // namespace

CFTPClient::CFTPClient(FtpSettings settings, std::function<bool()> aborted)
    : m_settings(std::move(settings))
    , m_aborted(std::move(aborted))
{
    initialiseCurlOnce();
}

CFTPClient::~CFTPClient()
{
    close();
}

QString CFTPClient::fileUrl(const QString& host, int port, const QString& folder, const QString& fileName)
{
    QUrl url;
    url.setScheme(QStringLiteral("ftp"));
    url.setHost(host, QUrl::StrictMode);
    if (host.isEmpty() || !url.isValid() || url.host().isEmpty()) {
        return {};
    }
    url.setPort(port);
    QString path = encodedPath(folder);
    // A folder from the root is written with an encoded first slash, else it is taken from the login folder.
    if (path.startsWith(u'/')) {
        path = QStringLiteral("%2F") + path.mid(1);
    }
    if (!path.isEmpty() && !path.endsWith(u'/')) {
        path += u'/';
    }
    return url.toString(QUrl::FullyEncoded) + u'/' + path + QString::fromLatin1(QUrl::toPercentEncoding(fileName));
}

bool CFTPClient::open(const QString& host, const QString& folder)
{
    close();
    m_host = host;
    m_folder = folder;
    m_curl = curl_easy_init();
    m_multi = curl_multi_init();
    if (m_curl == nullptr || m_multi == nullptr) {
        fail(Lang::_("Iternal error"));
        return false;
    }
    CURL* curl = handle(m_curl);
    const QByteArray user = m_settings.user.toUtf8();
    const QByteArray password = m_settings.password.toUtf8();
    curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(curl, CURLOPT_USERNAME, user.constData());
    curl_easy_setopt(curl, CURLOPT_PASSWORD, password.constData());
    curl_easy_setopt(curl, CURLOPT_TRANSFERTEXT, 0L);
    // Plain PASV: with EPSV, libcurl 7.88 stalls a second before every further data connection of a session.
    curl_easy_setopt(curl, CURLOPT_FTP_USE_EPSV, 0L);
    curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT_MS, static_cast<long>(m_settings.connectTimeoutMs));
    curl_easy_setopt(curl, CURLOPT_SERVER_RESPONSE_TIMEOUT, wholeSecondsAtLeastOne(m_settings.readTimeoutMs));
    // A data connection that stops delivering counts as a read time-out too.
    curl_easy_setopt(curl, CURLOPT_LOW_SPEED_LIMIT, 1L);
    curl_easy_setopt(curl, CURLOPT_LOW_SPEED_TIME, wholeSecondsAtLeastOne(m_settings.readTimeoutMs));
    curl_easy_setopt(curl, CURLOPT_NOPROGRESS, 0L);
    curl_easy_setopt(curl, CURLOPT_XFERINFOFUNCTION, &CFTPClient::progress);
    curl_easy_setopt(curl, CURLOPT_XFERINFODATA, this);
    curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, &CFTPClient::receive);
    curl_easy_setopt(curl, CURLOPT_WRITEDATA, this);
    curl_easy_setopt(curl, CURLOPT_PROTOCOLS_STR, "ftp");
    curl_easy_setopt(curl, CURLOPT_BUFFERSIZE, 256L * 1024L);
    // The folder's listing is not wanted: asking for the folder itself connects, logs in and changes to it.
    const QString folderUrl = fileUrl(host, m_settings.port, folder, QString());
    if (folderUrl.isEmpty()) {
        fail(Lang::_("Invalid FTP host: ") + host);
        return false;
    }
    m_connected = perform(folderUrl, false, nullptr);
    return m_connected;
}

qint64 CFTPClient::size(const QString& fileName)
{
    if (!m_connected || !perform(fileUrl(m_host, m_settings.port, m_folder, fileName), false, nullptr)) {
        return -1;
    }
    curl_off_t length = -1;
    curl_easy_getinfo(handle(m_curl), CURLINFO_CONTENT_LENGTH_DOWNLOAD_T, &length);
    return length;
}

bool CFTPClient::fetch(const QString& fileName, QByteArray& buffer)
{
    buffer.truncate(0); // keeps what the caller reserved
    if (!m_connected) {
        fail(Lang::_("Not connected"));
        return false;
    }
    return perform(fileUrl(m_host, m_settings.port, m_folder, fileName), true, &buffer);
}

void CFTPClient::close()
{
    if (m_multi != nullptr) {
        curl_multi_cleanup(static_cast<CURLM*>(m_multi));
        m_multi = nullptr;
    }
    if (m_curl != nullptr) {
        curl_easy_cleanup(handle(m_curl));
        m_curl = nullptr;
    }
    m_connected = false;
}

bool CFTPClient::perform(const QString& url, bool bodyWanted, QByteArray* buffer)
{
    CURL* curl = handle(m_curl);
    const QByteArray address = url.toUtf8();
    char errorText[CURL_ERROR_SIZE] = {};
    curl_easy_setopt(curl, CURLOPT_URL, address.constData());
    curl_easy_setopt(curl, CURLOPT_NOBODY, bodyWanted ? 0L : 1L);
    curl_easy_setopt(curl, CURLOPT_FILETIME, bodyWanted ? 0L : 1L);
    curl_easy_setopt(curl, CURLOPT_ERRORBUFFER, errorText);
    m_target = buffer;
    m_tooLarge = false;
    const auto result = static_cast<CURLcode>(run());
    m_target = nullptr;
    curl_easy_setopt(curl, CURLOPT_ERRORBUFFER, nullptr);
    if (result == CURLE_OK) {
        return true;
    }
    if (m_tooLarge) {
        fail(Lang::_n("File larger than %1 byte", "File larger than %1 bytes", m_settings.maxFileBytes)
                 .arg(m_settings.maxFileBytes));
    } else {
        fail(QString::fromUtf8(errorText[0] != '\0' ? errorText : curl_easy_strerror(result)));
    }
    // A session whose control connection failed cannot go on.
    if (result != CURLE_FTP_COULDNT_RETR_FILE && result != CURLE_REMOTE_FILE_NOT_FOUND && result != CURLE_WRITE_ERROR) {
        m_connected = false;
    }
    return false;
}

int CFTPClient::run()
{
    // The multi interface with a short wait: libcurl 7.88's own loop misses the wake-up for a passive data
    // connection on a reused control connection and sits out its one-second poll first.
    constexpr int LongestWaitMs = 20;
    auto* multi = static_cast<CURLM*>(m_multi);
    CURL* curl = handle(m_curl);
    if (curl_multi_add_handle(multi, curl) != CURLM_OK) {
        return CURLE_FAILED_INIT;
    }
    CURLcode result = CURLE_OK;
    int running = 1;
    while (running > 0) {
        if (curl_multi_perform(multi, &running) != CURLM_OK) {
            result = CURLE_FAILED_INIT;
            break;
        }
        if (running > 0) {
            long suggestedMs = -1;
            curl_multi_timeout(multi, &suggestedMs);
            const int waitMs = suggestedMs < 0 || suggestedMs > LongestWaitMs ? LongestWaitMs : int(suggestedMs);
            curl_multi_poll(multi, nullptr, 0, waitMs, nullptr);
        }
    }
    int queued = 0;
    while (CURLMsg* message = curl_multi_info_read(multi, &queued)) {
        if (message->msg == CURLMSG_DONE && message->easy_handle == curl) {
            result = message->data.result;
        }
    }
    curl_multi_remove_handle(multi, curl);
    return result;
}

void CFTPClient::fail(const QString& text)
{
    m_error = text;
}

std::size_t CFTPClient::receive(char* data, std::size_t size, std::size_t count, void* self)
{
    auto* client = static_cast<CFTPClient*>(self);
    const std::size_t bytes = size * count;
    if (client->m_target == nullptr) {
        return bytes;
    }
    if (client->m_target->size() + static_cast<qint64>(bytes) > client->m_settings.maxFileBytes) {
        client->m_tooLarge = true;
        return 0;
    }
    if (client->m_target->isEmpty()) {
        // The size the server gave before the transfer: the whole file goes into one allocation.
        curl_off_t length = -1;
        curl_easy_getinfo(handle(client->m_curl), CURLINFO_CONTENT_LENGTH_DOWNLOAD_T, &length);
        if (length > client->m_target->capacity() && length <= client->m_settings.maxFileBytes) {
            client->m_target->reserve(static_cast<qsizetype>(length));
        }
    }
    client->m_target->append(data, static_cast<qsizetype>(bytes));
    return bytes;
}

int CFTPClient::progress(void* self, long long, long long, long long, long long)
{
    const auto* client = static_cast<CFTPClient*>(self);
    return client->m_aborted && client->m_aborted() ? 1 : 0;
}
