/* key_latency.c - keystroke-to-screen latency of an X window.
 *
 * Sends key presses with the XTest extension and times each one until the
 * X server reports the window's contents changed (a DAMAGE event). Between
 * keys it waits and throws away damage that came late (a blinking caret), so
 * each figure belongs to its key. Prints one line: count, median, p99, max in
 * milliseconds.
 *
 * Usage: key_latency WINDOW COUNT KEYS [PAUSE_MS]
 *   WINDOW  the top-level window (decimal or 0x hex id, e.g. from xdotool)
 *   KEYS    characters to type, used in turn (letters and digits)
 * Build: cc -O2 -o key_latency key_latency.c -lX11 -lXtst -lXdamage -lXfixes
 */
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <X11/extensions/Xdamage.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/select.h>
#include <time.h>

static double now_ms(void)
{
    struct timespec ts;
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return ts.tv_sec * 1e3 + ts.tv_nsec / 1e6;
}

/* Waits up to timeout_ms for a damage event; returns its arrival time or -1. */
static double wait_damage(Display *dpy, int damage_base, double timeout_ms)
{
    const double end = now_ms() + timeout_ms;
    for (;;) {
        while (XPending(dpy)) {
            XEvent ev;
            XNextEvent(dpy, &ev);
            if (ev.type == damage_base + XDamageNotify)
                return now_ms();
        }
        const double left = end - now_ms();
        if (left <= 0)
            return -1;
        fd_set fds;
        FD_ZERO(&fds);
        FD_SET(ConnectionNumber(dpy), &fds);
        struct timeval tv = {(long)(left / 1000), (long)((long)left % 1000) * 1000};
        select(ConnectionNumber(dpy) + 1, &fds, NULL, NULL, &tv);
    }
}

static void drain(Display *dpy, double quiet_ms)
{
    XSync(dpy, False);
    while (XPending(dpy)) {
        XEvent ev;
        XNextEvent(dpy, &ev);
    }
    (void)quiet_ms;
}

static int cmp(const void *a, const void *b)
{
    const double x = *(const double *)a, y = *(const double *)b;
    return x < y ? -1 : x > y;
}

int main(int argc, char **argv)
{
    if (argc < 4) {
        fprintf(stderr, "usage: %s WINDOW COUNT KEYS [PAUSE_MS]\n", argv[0]);
        return 2;
    }
    const Window win = strtoul(argv[1], NULL, 0);
    const int count = atoi(argv[2]);
    const char *keys = argv[3];
    const int pause_ms = argc > 4 ? atoi(argv[4]) : 120;
    Display *dpy = XOpenDisplay(NULL);
    if (!dpy) {
        fprintf(stderr, "no display\n");
        return 1;
    }
    int damage_base, damage_error, ev, er, maj, min;
    if (!XDamageQueryExtension(dpy, &damage_base, &damage_error) ||
        !XTestQueryExtension(dpy, &ev, &er, &maj, &min)) {
        fprintf(stderr, "DAMAGE or XTEST missing\n");
        return 1;
    }
    XDamageCreate(dpy, win, XDamageReportRawRectangles);
    double *lat = calloc((size_t)count, sizeof *lat);
    int n = 0, missed = 0;
    for (int i = 0; i < count; ++i) {
        char name[2] = {keys[i % strlen(keys)], 0};
        const KeyCode code = XKeysymToKeycode(dpy, XStringToKeysym(name));
        /* Late damage of the previous key (or a caret blink) is not this key's. */
        wait_damage(dpy, damage_base, pause_ms);
        drain(dpy, 0);
        const double t0 = now_ms();
        XTestFakeKeyEvent(dpy, code, True, CurrentTime);
        XTestFakeKeyEvent(dpy, code, False, CurrentTime);
        XFlush(dpy);
        const double t1 = wait_damage(dpy, damage_base, 1000);
        if (t1 < 0)
            ++missed;
        else
            lat[n++] = t1 - t0;
    }
    qsort(lat, (size_t)n, sizeof *lat, cmp);
    if (n == 0) {
        printf("count=0 missed=%d\n", missed);
        return 1;
    }
    const int p99 = (int)(0.99 * (n - 1) + 0.5);
    printf("count=%d missed=%d median_ms=%.2f p99_ms=%.2f max_ms=%.2f\n", n, missed,
           n % 2 ? lat[n / 2] : (lat[n / 2 - 1] + lat[n / 2]) / 2, lat[p99], lat[n - 1]);
    return 0;
}
