#pragma once

#include "desktop/PortalHotKey.h"

#include <QDBusConnection>
#include <QDBusContext>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QObject>
#include <QVariantMap>

// The sessions' org.freedesktop.portal.Session: each Close kept by the session's path.
class FakePortalSession final : public QObject, protected QDBusContext {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.portal.Session")

public:
    explicit FakePortalSession(QStringList& closed)
        : m_closed(closed)
    {
    }

public slots:
    void Close() { m_closed.append(message().path()); }

private:
    QStringList& m_closed;
};

// org.freedesktop.portal.GlobalShortcuts as a test plays it: each CreateSession and BindShortcuts answered by the
// Response signal of its request object, sent (as a hurried portal may) before the method's own reply. The
// response code of either step is set by the test; Refuse sends an error reply in place of the request.
class FakeGlobalShortcutsPortal final : public QObject, protected QDBusContext {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.portal.GlobalShortcuts")

public:
    static constexpr uint AnswerWithError = 99;
    static inline const QString Path = QStringLiteral("/org/freedesktop/portal/desktop");

    explicit FakeGlobalShortcutsPortal(QDBusConnection bus)
        : m_bus(std::move(bus))
    {
        PortalShortcut::registerType();
    }

    bool offer()
    {
        return m_bus.registerObject(Path, this, QDBusConnection::ExportAllSlots) &&
               m_bus.registerService(QStringLiteral("org.freedesktop.portal.Desktop"));
    }

    void activate(const QString& session, const QString& id)
    {
        QDBusMessage signal = QDBusMessage::createSignal(Path, QStringLiteral("org.freedesktop.portal.GlobalShortcuts"),
                                                         QStringLiteral("Activated"));
        signal.setArguments({QVariant::fromValue(QDBusObjectPath(session)), id, quint64(1234), QVariantMap()});
        m_bus.send(signal);
    }

    uint createSessionCode = 0;
    uint bindCode = 0;
    QStringList sessions;
    QStringList closed;
    QString boundSession;
    QList<PortalShortcut> bound;

public slots:
    QDBusObjectPath CreateSession(const QVariantMap& options)
    {
        const QString session =
            objectPath(QStringLiteral("session"), options.value(QStringLiteral("session_handle_token")).toString());
        sessions.append(session);
        if (createSessionCode == 0) {
            m_bus.registerObject(session, QStringLiteral("org.freedesktop.portal.Session"), &m_session,
                                 QDBusConnection::ExportAllSlots);
        }
        return answer(options, createSessionCode, {{QStringLiteral("session_handle"), session}});
    }

    QDBusObjectPath BindShortcuts(const QDBusObjectPath& session, const QList<PortalShortcut>& shortcuts,
                                  const QString&, const QVariantMap& options)
    {
        boundSession = session.path();
        bound = shortcuts;
        return answer(options, bindCode, {});
    }

private:
    QString objectPath(const QString& kind, const QString& token) const
    {
        QString sender = message().service().mid(1);
        sender.replace(u'.', u'_');
        return Path + u'/' + kind + u'/' + sender + u'/' + token;
    }

    QDBusObjectPath answer(const QVariantMap& options, uint code, const QVariantMap& results)
    {
        if (code == AnswerWithError) {
            sendErrorReply(QDBusError::AccessDenied, QStringLiteral("not for you"));
            return {};
        }
        const QString request =
            objectPath(QStringLiteral("request"), options.value(QStringLiteral("handle_token")).toString());
        QDBusMessage response = QDBusMessage::createSignal(request, QStringLiteral("org.freedesktop.portal.Request"),
                                                           QStringLiteral("Response"));
        response.setArguments({code, results});
        m_bus.send(response);
        return QDBusObjectPath(request);
    }

    QDBusConnection m_bus;
    FakePortalSession m_session{closed};
};
