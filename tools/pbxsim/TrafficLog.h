#pragma once

#include <QString>

namespace pbxsim {

// The stand-in's log on standard output: one time-stamped line per protocol line in ("<-") and out ("->"), with
// PINs masked, plus notes. Quiet mode drops the traffic and keeps the notes.
class TrafficLog final {
public:
    explicit TrafficLog(bool quiet = false);

    void received(const QString& peer, const QString& line) const;
    void sent(const QString& peer, const QString& line) const;
    // Traffic-level detail (ignored input, faults applied); dropped in quiet mode.
    void detail(const QString& text) const;
    // Always printed: start-up addresses, control answers, script errors.
    void note(const QString& text) const;

private:
    static void print(const QString& text);

    bool m_quiet;
};

} // namespace pbxsim
