#include "recording/ThreadPriority.h"

#include <cerrno>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace ThreadPriority {

bool raiseCurrentThread()
{
    rlimit limit{};
    if (getrlimit(RLIMIT_NICE, &limit) != 0) {
        return false;
    }
    // RLIMIT_NICE n allows nice values down to 20 - n.
    const rlim_t allowed = limit.rlim_cur == RLIM_INFINITY ? 40 : limit.rlim_cur;
    const int lowest = 20 - static_cast<int>(allowed > 40 ? 40 : allowed);
    const auto thread = static_cast<id_t>(syscall(SYS_gettid));
    errno = 0;
    const int current = getpriority(PRIO_PROCESS, thread);
    if (errno != 0 || lowest >= current) {
        return false;
    }
    return setpriority(PRIO_PROCESS, thread, lowest) == 0;
}

} // namespace ThreadPriority
