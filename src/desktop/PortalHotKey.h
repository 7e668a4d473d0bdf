#pragma once

#include "desktop/HotKeyChoice.h"

#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QVariantMap>

// One entry of the portal's BindShortcuts: the shortcut's id and its properties (description, preferred_trigger).
struct PortalShortcut {
    QString id;
    QVariantMap properties;

    // Makes the type known to Qt D-Bus; called before the first marshalling.
    static void registerType();
};
Q_DECLARE_METATYPE(PortalShortcut)
QDBusArgument& operator<<(QDBusArgument& argument, const PortalShortcut& shortcut);
const QDBusArgument& operator>>(const QDBusArgument& argument, PortalShortcut& shortcut);

// The global hot key where the desktop session has no X11: one shortcut, "toggle-window", bound through the XDG
// desktop portal's GlobalShortcuts interface on the session bus, and pressed() for each Activated of that shortcut
// in this program's session. Every step is asynchronous: CreateSession and BindShortcuts are answered by the
// Response signal of their request object. A portal that is missing, refuses (a response code other than 0) or
// answers with an error gives unavailable(); answers to an abandoned session are ignored.
class PortalHotKey final : public QObject {
    Q_OBJECT

public:
    static constexpr char16_t ShortcutId[] = u"toggle-window";

    explicit PortalHotKey(QDBusConnection bus, QObject* parent = nullptr);
    ~PortalHotKey() override;

    // The key in the portal's shortcut syntax: "CTRL+ALT+3", "CTRL+ALT+KP_Multiply", "Scroll_Lock".
    static QString triggerText(const HotKeyChoice& choice);

    // Asks for that key in place of any earlier one: a new session, the shortcut bound in it.
    void bind(const HotKeyChoice& choice);
    // Closes the session; its shortcut no longer presses.
    void release();
    bool isBound() const { return m_bound; }

signals:
    void pressed();
    void bound();
    void unavailable();

private slots:
    void onResponse(const QDBusMessage& message);
    void onActivated(const QDBusMessage& message);

private:
    enum class Step { Idle, CreatingSession, Binding };

    QString nextToken();
    QString requestPath(const QString& token) const;
    void callPortal(const QString& method, const QVariantList& arguments, const QString& token);
    void sessionCreated(const QVariantMap& results);
    void closeSession(const QString& session);
    void fail(const QString& why);

    QDBusConnection m_bus;
    Step m_step = Step::Idle;
    QString m_trigger;
    QString m_request;                      // the request object whose Response is awaited
    QStringList m_abandonedSessionRequests; // sessions asked for and no longer wanted: closed when they come
    QString m_session;
    bool m_bound = false;
    unsigned m_tokens = 0;
};
