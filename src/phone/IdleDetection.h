#pragma once

#include <QObject>
#include <QTimer>

struct SettingsRecord;

// The input hooks that report the user's activity (the mouse and keyboard plug-ins). src/app connects the real
// plug-ins; tests plug in their own.
class IdleHooks {
public:
    virtual ~IdleHooks() = default;
    // Loads and installs both; false (after the plug-ins' messages) when they cannot report activity.
    virtual bool loadHooks() = 0;
    // Removes both and unloads them; false when a hook could not be removed (they stay loaded).
    virtual bool removeHooks() = 0;
};

// What idleness and the user's return switch on the line.
class IdleActions {
public:
    virtual ~IdleActions() = default;
    virtual void setForwarding(bool on) = 0;
    // On: the window's notice and redial browsing are cleared first, as for the user's own DND.
    virtual void setDoNotDisturb(bool on) = 0;
};

// Forwarding and do-not-disturb switched on by themselves after the set minutes without keyboard or mouse
// activity. Forwarding switched on by idleness is switched off again at the first activity; so is a DND that
// idleness switched on (a DND the user set stays), since the user who is back should be reachable again.
class IdleDetection final : public QObject {
    Q_OBJECT

public:
    enum class Kind { Forwarding = 0, DoNotDisturb = 1 };
    static constexpr int MinimumMinutes = 1;
    static constexpr int MaximumMinutes = 71999;
    static constexpr int FormIntervalMs = 5000;

    IdleDetection(const SettingsRecord& settings, IdleHooks& hooks, IdleActions& actions, QObject* parent = nullptr);
    ~IdleDetection() override;

    // Arms or disarms one kind; the minutes come from the settings (a value outside 1..71999 keeps the interval).
    // False when the hooks could not be loaded: the kind then stays off.
    bool idleSwitch(bool on, Kind kind);
    // One kind armed or disarmed from the settings; false when it was asked for and could not be armed.
    bool applySetting(Kind kind);
    // From the settings: forwarding on idle and DND on idle.
    void applySettings();
    // Either hook saw input.
    void activity();

    bool isActive(Kind kind) const { return kind == Kind::Forwarding ? m_fwdIdleOn : m_dndIdleOn; }
    bool forwardingByIdle() const { return m_fwdByIdle; }
    bool dndByIdle() const { return m_dndByIdle; }
    QTimer& forwardingTimer() { return m_idleTimer; }
    QTimer& dndTimer() { return m_idleDnd; }

private:
    void forwardingTimerFired();
    void dndTimerFired();
    static void restart(QTimer& timer);

    const SettingsRecord& m_settings;
    IdleHooks& m_hooks;
    IdleActions& m_actions;
    QTimer m_idleTimer; // IdleTimer: forwarding
    QTimer m_idleDnd;   // IdleDND
    bool m_fwdIdleOn = false;
    bool m_dndIdleOn = false;
    bool m_fwdByIdle = false;
    bool m_dndByIdle = false;
};
