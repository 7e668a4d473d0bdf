#pragma once

// The telephone window's looks that the link chooses; the call states come from call tracking.
namespace WindowState {

inline constexpr int Idle = 0;
inline constexpr int Disconnected = 15;
inline constexpr int IdleShow = 16;
inline constexpr int Connecting = 17;

} // namespace WindowState
