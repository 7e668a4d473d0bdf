#pragma once

#include <QString>
#include <optional>

// The texts the exchange's refusal codes stand for: one table for a refused login, one for refused services.
namespace RefusalMessages {

// The status text for a login refused with code.
QString loginRefusal(int code);

// The status text for a login answered with an error and no code.
QString loginError();

// The message for a service refused with code, or nothing where the command's own fallback applies (codes 0,
// 2, 19 and above, negative ones) or where no message is shown (code 1: the client logs in again).
std::optional<QString> serviceRefusal(int code);

// The code that means the extension is not logged in; the client answers it with a fresh login.
inline constexpr int NotLoggedIn = 1;
// The login refusal that means the exchange is in service mode.
inline constexpr int ServiceMode = 105;

} // namespace RefusalMessages
