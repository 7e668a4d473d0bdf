#pragma once

#include <QObject>
#include <QPointer>
#include <functional>

class QWidget;
class TAccForm;
class TelephoneServices;
class TFwdForm;
class TLockForm;
struct CallState;
struct SettingsRecord;

// Opens the small windows that collect the arguments of the forwarding, lock and account services and hands what
// the user enters to the services. Each window is created on first use and reused.
class ServiceDialogs final : public QObject {
    Q_OBJECT

public:
    ServiceDialogs(const SettingsRecord& settings, TelephoneServices& services, const CallState& calls,
                   std::function<void()> openConfiguration, QWidget* parent = nullptr);
    ~ServiceDialogs() override;

    // Asks where to forward the ringing call.
    void forwardRingingCall();
    // Locks or unlocks the telephone: with the stored PIN when the user keeps it, else after asking for one.
    void lockOrUnlock();
    // Asks for an account number and its PIN.
    void registerAccount();

private:
    static void present(QWidget* dialog);

    const SettingsRecord& m_settings;
    TelephoneServices& m_services;
    const CallState& m_calls;
    std::function<void()> m_openConfiguration;
    QWidget* m_parent;
    QPointer<TFwdForm> m_forwarding;
    QPointer<TLockForm> m_lock;
    QPointer<TAccForm> m_account;
};
