#pragma once

#include <QObject>
#include <QTimer>
#include <array>
#include <cstddef>
#include <functional>

// A link's timers, by the names of the enum Name, as the link's logic drives them. All repeat until stopped.
template <typename Name>
class NamedTimers {
public:
    virtual ~NamedTimers() = default;

    virtual void start(Name timer, int milliseconds) = 0;
    virtual void stop(Name timer) = 0;
    virtual bool isActive(Name timer) const = 0;
    virtual int interval(Name timer) const = 0;
    // Changes the interval; a running timer restarts with it.
    virtual void setInterval(Name timer, int milliseconds) = 0;
};

// Count Qt timers named 0 .. Count - 1 by Name; each tells fired its name, in the thread of context.
template <typename Name, std::size_t Count>
class QtNamedTimers final : public NamedTimers<Name> {
public:
    QtNamedTimers(const QObject* context, std::function<void(Name)> fired)
    {
        for (std::size_t i = 0; i < Count; ++i) {
            const auto which = static_cast<Name>(i);
            QObject::connect(&m_timers[i], &QTimer::timeout, context, [fired, which] { fired(which); });
        }
    }

    void start(Name which, int milliseconds) override { timer(which).start(milliseconds); }
    void stop(Name which) override { timer(which).stop(); }
    bool isActive(Name which) const override { return timer(which).isActive(); }
    int interval(Name which) const override { return timer(which).interval(); }
    void setInterval(Name which, int milliseconds) override { timer(which).setInterval(milliseconds); }

    QTimer& timer(Name which) { return m_timers[static_cast<std::size_t>(which)]; }
    const QTimer& timer(Name which) const { return m_timers[static_cast<std::size_t>(which)]; }

private:
    std::array<QTimer, Count> m_timers;
};
