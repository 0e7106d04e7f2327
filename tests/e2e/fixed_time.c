/* Preloaded into the game by the end-to-end harness (LD_PRELOAD): time() reads the second
   from TIRVA_FIXED_TIME, so the game seeds its random generator the same way in every run
   and every menu shows the same background. Without the variable it is the real clock. */
#include <stdlib.h>
#include <time.h>

time_t time(time_t* out) {
    const char* fixed = getenv("TIRVA_FIXED_TIME");
    time_t now;
    if (fixed != NULL) {
        now = (time_t)strtoll(fixed, NULL, 10);
    } else {
        struct timespec clock;
        clock_gettime(CLOCK_REALTIME, &clock);
        now = clock.tv_sec;
    }
    if (out != NULL)
        *out = now;
    return now;
}
