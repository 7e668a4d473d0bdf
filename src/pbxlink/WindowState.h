#pragma once

// The telephone window's looks that the link chooses.
namespace WindowState {

inline constexpr int Idle = 0;
inline constexpr int HandsetEvent = 1;
inline constexpr int OffHook = 5;
inline constexpr int Dialling = 6;
inline constexpr int OutgoingConnected = 8;
inline constexpr int Ringing = 9;
inline constexpr int IncomingConnected = 11;
inline constexpr int CallEnded = 12;
inline constexpr int Disconnected = 15;
inline constexpr int IdleShow = 16;
inline constexpr int Connecting = 17;

} // namespace WindowState
