#pragma once

#include <QString>

// The numbers the stand-in puts on the wire: refusal codes of "aNA code" replies and release causes of "aREL".
namespace pbxsim {

namespace Refusal {
constexpr int None = 0; // the command is accepted
constexpr int NotLoggedIn = 1;
constexpr int WrongHookState = 2; // lifting a lifted handset or putting down one that is down
constexpr int NoCall = 3;
constexpr int Busy = 4;
constexpr int InvalidNumber = 7;
constexpr int InvalidParameters = 9;
constexpr int InvalidPin = 11;
constexpr int NoPin = 12;
constexpr int NoSuchAccount = 13;
constexpr int NoSystemPhone = 14;
constexpr int DiallingImpossible = 16; // no dial tone: on hook, ringing, or the hold place taken
constexpr int PhoneLocked = 18;

// A short English name for the operator's control answers: "no dial tone (aNA 16)".
QString describe(int code);
} // namespace Refusal

namespace Cause {
constexpr int NormalClearing = 16;
constexpr int UserBusy = 17;
constexpr int CallRejected = 21;
// The call was taken at another extension (call pick-up): the client neither counts it as missed nor keeps it.
constexpr int AnsweredElsewhere = 39;
} // namespace Cause

} // namespace pbxsim
