#include "SessionIdleSource.h"

#include "IdleTimeWatch.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusVariant>
#include <QString>
#include <QVariant>
#include <chrono>
#include <future>
#include <optional>
#include <vector>

namespace {

constexpr int DefaultPollMs = 1000;
constexpr int AnswerPatienceMs = 1000;

// How often the idle time is asked; tests shorten it.
int pollInterval()
{
    bool valid = false;
    const int asked = qEnvironmentVariableIntValue("TERVO_IDLE_POLL_MS", &valid);
    return valid && asked >= 10 && asked <= 60000 ? asked : DefaultPollMs;
}

// One way of asking the desktop how idle the session is.
struct IdleQuery {
    QDBusConnection::BusType bus;
    const char* service;
    const char* path;
    const char* interface;
    const char* method;
    bool isHint; // a yes/no idle hint rather than an idle time

    QDBusMessage message() const
    {
        QDBusMessage call = QDBusMessage::createMethodCall(QLatin1String(service), QLatin1String(path),
                                                           QLatin1String(isHint ? "org.freedesktop.DBus.Properties"
                                                                                : interface),
                                                           QLatin1String(isHint ? "Get" : method));
        if (isHint) {
            call << QLatin1String(interface) << QLatin1String(method);
        }
        return call;
    }
};

const IdleQuery Queries[] = {
    {QDBusConnection::SessionBus, "org.freedesktop.ScreenSaver", "/org/freedesktop/ScreenSaver",
     "org.freedesktop.ScreenSaver", "GetSessionIdleTime", false},
    {QDBusConnection::SessionBus, "org.freedesktop.ScreenSaver", "/ScreenSaver", "org.freedesktop.ScreenSaver",
     "GetSessionIdleTime", false},
    {QDBusConnection::SessionBus, "org.gnome.Mutter.IdleMonitor", "/org/gnome/Mutter/IdleMonitor/Core",
     "org.gnome.Mutter.IdleMonitor", "GetIdletime", false},
    {QDBusConnection::SystemBus, "org.freedesktop.login1", "/org/freedesktop/login1/session/auto",
     "org.freedesktop.login1.Session", "IdleHint", true},
};

// The answer as an idle time (or hint: 1 idle, 0 not), or nothing when the query failed or answered nonsense.
std::optional<std::uint64_t> ask(const QDBusConnection& connection, const IdleQuery& query)
{
    const QDBusMessage reply = connection.call(query.message(), QDBus::Block, AnswerPatienceMs);
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().size() != 1) {
        return std::nullopt;
    }
    QVariant answer = reply.arguments().constFirst();
    // Matched by name: the plug-in's symbols are hidden, so its own copy of the type's registration may differ
    // from the one QtDBus filled the reply with.
    if (qstrcmp(answer.typeName(), "QDBusVariant") == 0) {
        answer = qvariant_cast<QDBusVariant>(answer).variant();
    }
    if (query.isHint) {
        return answer.typeId() == QMetaType::Bool ? std::optional<std::uint64_t>(answer.toBool() ? 1 : 0)
                                                  : std::nullopt;
    }
    bool number = false;
    const qulonglong idle = answer.toULongLong(&number);
    return number && answer.typeId() != QMetaType::Bool ? std::optional<std::uint64_t>(idle) : std::nullopt;
}

// This thread's own connection to a bus, closed when the poller ends.
class OwnConnection final {
public:
    OwnConnection(QDBusConnection::BusType bus, const void* owner)
        : m_name(QStringLiteral("tervo-idle-%1-%2")
                     .arg(bus == QDBusConnection::SessionBus ? QLatin1String("session") : QLatin1String("system"))
                     .arg(reinterpret_cast<quintptr>(owner), 0, 16))
        , m_connection(QDBusConnection::connectToBus(bus, m_name))
    {
    }
    ~OwnConnection() { QDBusConnection::disconnectFromBus(m_name); }
    OwnConnection(const OwnConnection&) = delete;
    OwnConnection& operator=(const OwnConnection&) = delete;

    const QDBusConnection& connection() const { return m_connection; }

private:
    QString m_name;
    QDBusConnection m_connection;
};

} // namespace

bool SessionIdleSource::start(TervoHookRecord target)
{
    if (m_poller.joinable()) {
        return true;
    }
    m_stopRequested = false;
    std::promise<bool> started;
    std::future<bool> answer = started.get_future();
    m_poller = std::thread(&SessionIdleSource::poll, this, target, &started);
    if (answer.get()) {
        return true;
    }
    m_poller.join();
    return false;
}

bool SessionIdleSource::stop()
{
    if (!m_poller.joinable()) {
        return true;
    }
    {
        const std::lock_guard lock(m_guard);
        m_stopRequested = true;
    }
    m_wake.notify_all();
    m_poller.join();
    return true;
}

bool SessionIdleSource::stopRequestedWithin(int milliseconds)
{
    std::unique_lock lock(m_guard);
    return m_wake.wait_for(lock, std::chrono::milliseconds(milliseconds), [this] { return m_stopRequested; });
}

void SessionIdleSource::poll(TervoHookRecord target, std::promise<bool>* started)
{
    const OwnConnection session(QDBusConnection::SessionBus, this);
    const OwnConnection system(QDBusConnection::SystemBus, this);
    const IdleQuery* chosen = nullptr;
    std::optional<std::uint64_t> first;
    for (const IdleQuery& query : Queries) {
        const QDBusConnection& connection =
            query.bus == QDBusConnection::SessionBus ? session.connection() : system.connection();
        if (connection.isConnected() && (first = ask(connection, query))) {
            chosen = &query;
            break;
        }
    }
    started->set_value(chosen != nullptr);
    if (chosen == nullptr) {
        return;
    }
    const QDBusConnection& connection =
        chosen->bus == QDBusConnection::SessionBus ? session.connection() : system.connection();
    IdleTimeWatch idleTime;
    IdleHintWatch idleHint;
    const auto seen = [&](std::uint64_t answer) {
        return chosen->isHint ? idleHint.activitySeen(answer != 0) : idleTime.activitySeen(answer);
    };
    seen(*first);
    const int interval = pollInterval();
    while (!stopRequestedWithin(interval)) {
        // A desktop that stops answering for a while gives no activity, and the baseline stays.
        const std::optional<std::uint64_t> answer = ask(connection, *chosen);
        if (answer && seen(*answer) && target.activity != nullptr) {
            target.activity(target.context);
        }
    }
}
