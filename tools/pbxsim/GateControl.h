#pragma once

#include "pbxsim/ControlReply.h"

#include <QString>
#include <optional>

namespace pbxsim {

class GateHandler;

// The GSM gate's words of the control language:
//   sms GATE SENDER REF TOTAL ORDER TEXT  segments ORDER (e.g. "1,2,3", "2,1", "1") of a message of TOTAL
//                                         segments, the text cut into TOTAL pieces; "\n" in TEXT is a line break
//   gatefault busy|card|starting|notlogged N   refuse the next N sends with code 4, 21, 23 or 1
//   gatefault login CODE                  refuse the next gate login with CODE
//   gatefault silence|drop|reject|undelivered|off
//   gatecodepage 852|1250                 the code page of the gate's texts
class GateControl final {
public:
    explicit GateControl(GateHandler& gate);

    // Nothing when the line is not one of the gate's words.
    std::optional<ControlReply> execute(const QString& line);

    static QString manual();

private:
    ControlReply deliver(const QStringList& words, const QString& text);
    ControlReply fault(const QStringList& words);

    GateHandler& m_gate;
};

} // namespace pbxsim
