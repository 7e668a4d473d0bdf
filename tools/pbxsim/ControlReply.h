#pragma once

#include <QString>

namespace pbxsim {

// The outcome of one control command: "ok [text]" or "error: text", plus what the caller has to do next.
struct ControlReply final {
    bool ok = true;
    QString text;
    int waitMs = 0;    // wait this long before the next command of the same source
    bool quit = false; // stop the stand-in

    static ControlReply success(const QString& text = {}) { return ControlReply{true, text, 0, false}; }
    static ControlReply failure(const QString& text) { return ControlReply{false, text, 0, false}; }

    QString answer() const
    {
        if (!ok) {
            return QStringLiteral("error: ") + text;
        }
        return text.isEmpty() ? QStringLiteral("ok") : QStringLiteral("ok ") + text;
    }
};

} // namespace pbxsim
