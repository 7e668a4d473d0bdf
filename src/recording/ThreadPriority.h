#pragma once

// The scheduling priority of the recording threads. Only what an unprivileged user may do is tried: a lower nice
// value within the user's RLIMIT_NICE; without it the thread keeps its priority and recording still works.
namespace ThreadPriority {

// Raises the calling thread as far as the limit allows; true when its priority changed.
bool raiseCurrentThread();

} // namespace ThreadPriority
