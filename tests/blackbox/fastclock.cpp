// SPDX-License-Identifier: GPL-3.0-or-later
// Preloaded into the program under test (LD_PRELOAD): every countdown longer than a second runs
// out after one second, so that a test sees the alert without waiting for its minutes, and still
// has the time to see the window hidden while armed. The program itself has no such switch.
#include <dlfcn.h>
#include <initializer_list>
#include <sys/timerfd.h>

extern "C" int timerfd_settime(int fd, int flags, const itimerspec* value, itimerspec* old) {
    using Settime = int (*)(int, int, const itimerspec*, itimerspec*);
    static const auto next = reinterpret_cast<Settime>(dlsym(RTLD_NEXT, "timerfd_settime"));
    if (!value || (flags & TFD_TIMER_ABSTIME)) return next(fd, flags, value, old);
    constexpr timespec second{1, 0};
    itimerspec shortened = *value;
    for (timespec* t : {&shortened.it_value, &shortened.it_interval})
        if (t->tv_sec > 1 || (t->tv_sec == 1 && t->tv_nsec > 0)) *t = second;
    return next(fd, flags, &shortened, old);
}
